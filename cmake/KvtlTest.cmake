# kvtl_add_test(<name> SOURCES <files...> [LIBS <targets...>])
# One Qt Test executable, registered with CTest, headless, each run in a
# fresh temporary data folder (the fixture in tests/support makes it).
function(kvtl_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE kvtl_test_support ${ARG_LIBS})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${KVTL_PROGRAM_DIR}")
    add_dependencies(${name} kvtl_program_files)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8"
        TIMEOUT 300)
endfunction()
