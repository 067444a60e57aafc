# Runs the three sample flows with a home folder of their own and without a
# display, writing each as cells (*.vti), hexahedral meshes (*.vtu, *.msh)
# and surfaces (*.stl with a file per body) into FOLDER for the reader and
# mesher checks, and the three-entry list with a step series. Without a
# display the flows' closing pictures cannot be drawn: status 1 is expected.
file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}/home")
foreach(flow membrane cantilever electroplated)
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -E env --unset=DISPLAY "HOME=${FOLDER}/home" "${BATCH}"
            "${EXAMPLES}/${flow}/${flow}.plst" -o "${FOLDER}/${flow}.cvx"
            --export "${FOLDER}/${flow}.vti" --export "${FOLDER}/${flow}.vtu" --export "${FOLDER}/${flow}.msh"
            --export "${FOLDER}/${flow}.stl"
        RESULT_VARIABLE status ERROR_VARIABLE messages)
    if(NOT status EQUAL 1 OR NOT EXISTS "${FOLDER}/${flow}.stl")
        message(FATAL_ERROR "the batch program ended with ${status} on ${flow}:\n${messages}")
    endif()
endforeach()
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env --unset=DISPLAY "HOME=${FOLDER}/home" "${BATCH}" "${STEPS}"
        -o "${FOLDER}/steps.cvx" --export "${FOLDER}/steps.vti" --series "${FOLDER}/series"
    RESULT_VARIABLE status ERROR_VARIABLE messages)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the batch program ended with ${status} on the step series:\n${messages}")
endif()
