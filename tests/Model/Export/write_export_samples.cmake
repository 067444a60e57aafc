# Runs the batch program on the export sample list with a home folder of its
# own, writing every export format into FOLDER for the reader checks: once
# as the list places the volume, with an OBJ file whose name holds blanks,
# once at the largest position a double holds, and once in a unit of 1 µm.
file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}/home")
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env "HOME=${FOLDER}/home" "${BATCH}" "${LIST}"
        -o "${FOLDER}/sample.cvx"
        --export "${FOLDER}/sample.vti" --export "${FOLDER}/sample.vtp"
        --export "${FOLDER}/sample.stl" --export "${FOLDER}/sample.obj"
        --export "${FOLDER}/sample with blanks.obj"
        --export "${FOLDER}/sample.vtu" --export "${FOLDER}/sample.msh"
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the batch program ended with ${status}")
endif()
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env "HOME=${FOLDER}/home" "${BATCH}" "${LIST}"
        -o "${FOLDER}/far.cvx" --set "1:Lower Left Front Corner=1.7976931348623157e308;-2;0"
        --export "${FOLDER}/far.vti"
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the batch program ended with ${status} on the far volume")
endif()
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env "HOME=${FOLDER}/home" "${BATCH}" "${LIST}"
        -o "${FOLDER}/micron.cvx" --length-unit 1um --export "${FOLDER}/micron.vtp"
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the batch program ended with ${status} in a unit of 1 um")
endif()
