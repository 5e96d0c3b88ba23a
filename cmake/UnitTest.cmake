# add_unit_test(NAME <name> SOURCES <files...> LIBS <libraries...> [DEPENDS <targets...>] [ARGS <arguments...>])
#
# One test executable, built into <build>/tests and registered with CTest under NAME, with a
# time limit of 600 seconds. It links tavrel_test_support (defined beside the tests) and LIBS:
#   - a GoogleTest test links GTest::gtest_main, or GTest::gtest when its file has its own main();
#   - a Qt Test test links Qt6::Test.
# DEPENDS names targets to build first, such as the program a test starts; ARGS are passed to the test.
# Every test runs on the offscreen platform with sanitizer reports that end it. Qt Test tests run
# without leak reports: Qt and fontconfig keep caches alive until exit, and reports about those
# say nothing about our code.

set(TAVREL_TEST_ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen"
  "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0"
  "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
set(TAVREL_QT_TEST_ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen"
  "ASAN_OPTIONS=detect_leaks=0"
  "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

function(add_unit_test)
  cmake_parse_arguments(PARSE_ARGV 0 ARG "" "NAME" "SOURCES;LIBS;DEPENDS;ARGS")
  if(NOT ARG_NAME OR NOT ARG_SOURCES OR ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "add_unit_test(NAME <name> SOURCES <files...> LIBS <libraries...>): got ${ARGV}")
  endif()

  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE tavrel_test_support ${ARG_LIBS})
  set_target_properties(${ARG_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(ARG_DEPENDS)
    add_dependencies(${ARG_NAME} ${ARG_DEPENDS})
  endif()

  if("Qt6::Test" IN_LIST ARG_LIBS)
    set(environment ${TAVREL_QT_TEST_ENVIRONMENT})
  else()
    set(environment ${TAVREL_TEST_ENVIRONMENT})
  endif()
  add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME} ${ARG_ARGS})
  set_tests_properties(${ARG_NAME} PROPERTIES ENVIRONMENT "${environment}" TIMEOUT 600)
endfunction()
