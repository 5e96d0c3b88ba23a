# Finds the header-only SimpleIni library: SimpleIni_FOUND, SimpleIni_INCLUDE_DIR and the imported
# target SimpleIni::SimpleIni (its include folder counts as a system folder: no warnings from it).
find_path(SimpleIni_INCLUDE_DIR SimpleIni.h PATH_SUFFIXES SimpleIni)

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(SimpleIni REQUIRED_VARS SimpleIni_INCLUDE_DIR)

if(SimpleIni_FOUND AND NOT TARGET SimpleIni::SimpleIni)
  add_library(SimpleIni::SimpleIni INTERFACE IMPORTED)
  set_target_properties(SimpleIni::SimpleIni PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${SimpleIni_INCLUDE_DIR}")
endif()
mark_as_advanced(SimpleIni_INCLUDE_DIR)
