# Runs the batch program on the export sample list with a home folder of its
# own, writing every export format into FOLDER for the reader checks, and an
# OBJ file whose name holds blanks.
file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}/home")
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env "HOME=${FOLDER}/home" "${BATCH}" "${LIST}"
        -o "${FOLDER}/sample.cvx"
        --export "${FOLDER}/sample.vti" --export "${FOLDER}/sample.vtp"
        --export "${FOLDER}/sample.stl" --export "${FOLDER}/sample.obj"
        --export "${FOLDER}/sample with blanks.obj"
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the batch program ended with ${status}")
endif()
