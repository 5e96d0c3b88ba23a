# The `format` target: clang-format -i, with the style of .clang-format, over the project's C++
# sources. The list of files and the program are those of scripts/check-format.sh, which checks
# the same files without changing them.
find_program(CLANG_FORMAT_PROGRAM NAMES clang-format clang-format-14
  DOC "clang-format, for the format target (Debian package clang-format)")
if(CLANG_FORMAT_PROGRAM)
  add_custom_target(format
    COMMAND ${CMAKE_COMMAND} -E env "CLANG_FORMAT=${CLANG_FORMAT_PROGRAM}"
            bash "${PROJECT_SOURCE_DIR}/scripts/check-format.sh" --fix
    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
    COMMENT "Formatting the C++ sources with ${CLANG_FORMAT_PROGRAM}"
    VERBATIM)
else()
  add_custom_target(format
    COMMAND ${CMAKE_COMMAND} -E echo "format: clang-format not found (install the Debian package clang-format)"
    COMMAND ${CMAKE_COMMAND} -E false
    VERBATIM)
endif()
