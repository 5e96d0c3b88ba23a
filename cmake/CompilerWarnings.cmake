# tavrel_warnings: the warnings every target of the project is built with. Each target links it
# (PRIVATE), so code of other projects (Qt, GoogleTest, system headers) is never held to them.
# TAVREL_WARNINGS_AS_ERRORS makes a warning fail the build, as the test build does.
add_library(tavrel_warnings INTERFACE)
target_compile_options(tavrel_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast
  -Wcast-qual -Woverloaded-virtual -Wnon-virtual-dtor -Wsign-conversion)
if(TAVREL_WARNINGS_AS_ERRORS)
  target_compile_options(tavrel_warnings INTERFACE -Werror)
endif()

# tavrel_qt_strict: the project's own Qt code states how bytes become text (QStringLiteral,
# QLatin1String, QString::fromUtf8): a C string is never turned into a QString unseen.
add_library(tavrel_qt_strict INTERFACE)
target_compile_definitions(tavrel_qt_strict INTERFACE QT_NO_CAST_FROM_ASCII)
