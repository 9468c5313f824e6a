# The recorded runs of tests/runs (FIT files from real watches, GPX and TCX samples and
# the runs expected from them) as the library quorran_run_samples, built into the tests.
function(quorran_run_samples)
    if(TARGET quorran_run_samples)
        return()
    endif()
    set(root ${PROJECT_SOURCE_DIR}/tests/runs)
    file(GLOB_RECURSE samples CONFIGURE_DEPENDS ${root}/*)
    set(output ${PROJECT_BINARY_DIR}/run_samples.cpp)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DROOT=${root} -DOUTPUT=${output} -P ${PROJECT_SOURCE_DIR}/cmake/embed_files.cmake
        DEPENDS ${PROJECT_SOURCE_DIR}/cmake/embed_files.cmake ${samples}
        COMMENT "Building the recorded runs of tests/runs into the tests"
        VERBATIM)
    add_library(quorran_run_samples STATIC ${output})
    target_include_directories(quorran_run_samples PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(quorran_run_samples PUBLIC quorran_options)
endfunction()
