# The core's own test suite for a build that runs elsewhere (Windows under Wine,
# WebAssembly under Node.js): every source file directly in tests/, one program, with
# GoogleTest built from the source that Debian's googletest package ships.
set(QUORRAN_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source to build for the target")

# Makes the target quorran_core_tests and the test test_name; false in found_var when
# there is no GoogleTest source to build.
function(quorran_core_suite test_name found_var)
    if(NOT EXISTS ${QUORRAN_GTEST_SOURCE}/CMakeLists.txt)
        message(STATUS "No GoogleTest source at ${QUORRAN_GTEST_SOURCE}: the core suite is not built")
        set(${found_var} FALSE PARENT_SCOPE)
        return()
    endif()
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${QUORRAN_GTEST_SOURCE} googletest EXCLUDE_FROM_ALL SYSTEM)
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/*.cpp)
    add_executable(quorran_core_tests ${sources})
    target_include_directories(quorran_core_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    include(${PROJECT_SOURCE_DIR}/cmake/run-samples.cmake)
    quorran_run_samples()
    target_link_libraries(quorran_core_tests PRIVATE quorran_core quorran_run_samples GTest::gtest_main)
    include(${PROJECT_SOURCE_DIR}/cmake/embed_text.cmake)
    quorran_embed_text(quorran_core_tests ODD_ENTRIES ${PROJECT_SOURCE_DIR}/tests/odd_entries.txt odd_entries.h)
    add_test(NAME ${test_name} COMMAND quorran_core_tests --gtest_brief=1)
    set_tests_properties(${test_name} PROPERTIES TIMEOUT 300)
    set(${found_var} TRUE PARENT_SCOPE)
endfunction()
