# The distribution's hardening flags, as dpkg-buildflags gives them with every hardening feature
# on (fortified functions, stack protector, read-only relocations and immediate binding; Debian's
# compiler makes position-independent executables by itself), and stack clash and control-flow
# protection, which newer dpkg-buildflags give by default, where the compiler has them. (Debian 12's
# C start files carry no control-flow marks, so the linker cannot mark a whole program as
# protected; hardening-check's control-flow line is left out there.) They apply to every build type but
# Debug: fortified functions need optimisation, and the test build is a Debug build. The
# optimisation and debugging flags stay the build type's own.
option(TAVREL_HARDENING "Build with the distribution's hardening flags (dpkg-buildflags)" ON)
if(NOT TAVREL_HARDENING)
  return()
endif()
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS)
  message(STATUS "dpkg-buildflags not found (package dpkg-dev): building without hardening flags")
  return()
endif()

set(tavrel_release_only "$<NOT:$<CONFIG:Debug>>")
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all ${DPKG_BUILDFLAGS} --get ${kind}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^-(O.*|g.*|f[a-z]*-prefix-map=.*)$")
  foreach(flag ${flags})
    if(kind STREQUAL LDFLAGS)
      add_link_options("$<${tavrel_release_only}:${flag}>")
    else()
      add_compile_options("$<${tavrel_release_only}:${flag}>")
    endif()
  endforeach()
  message(STATUS "Hardening ${kind}: ${flags}")
endforeach()

include(CheckCXXCompilerFlag)
foreach(flag -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "TAVREL_HAS${flag}" known)
  check_cxx_compiler_flag(${flag} ${known})
  if(${known})
    add_compile_options("$<${tavrel_release_only}:${flag}>")
  endif()
endforeach()
