# One interface target carries the compile settings every target shares.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

add_library(kvtl_settings INTERFACE)
target_compile_options(kvtl_settings INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(kvtl_settings INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_USE_QSTRINGBUILDER
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_FOREACH)

# The program and the folders it reads beside itself (Reports/, help/) live here.
set(KVTL_PROGRAM_DIR "${CMAKE_BINARY_DIR}/bin")

# Reports/ and help/ are copied beside the program at every build, so that
# ProgramPath finds them when run from the build tree and in tests.
add_custom_target(kvtl_program_files ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory "${CMAKE_SOURCE_DIR}/Reports" "${KVTL_PROGRAM_DIR}/Reports"
    COMMAND ${CMAKE_COMMAND} -E copy_directory "${CMAKE_SOURCE_DIR}/help" "${KVTL_PROGRAM_DIR}/help"
    VERBATIM)
