# tavrel_warnings: the warnings every target of the project is built with. Each target links it
# (PRIVATE), so code of other projects (Qt, GoogleTest, system headers) is never held to them.
# TAVREL_WARNINGS_AS_ERRORS makes a warning fail the build, as the test build does.
add_library(tavrel_warnings INTERFACE)
target_compile_options(tavrel_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(TAVREL_WARNINGS_AS_ERRORS)
  target_compile_options(tavrel_warnings INTERFACE -Werror)
endif()
