# Windows: Pixmill.dll carries a version resource (file and product version,
# product name, licence), which Explorer shows in the file's properties.
enable_language(RC)
math(EXPR PIXMILL_VERSION_MINOR_NUMBER "${PROJECT_VERSION_MINOR}")
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(PIXMILL_DLL_FLAVOUR "64-bit, plain export names")
else()
  set(PIXMILL_DLL_FLAVOUR "32-bit, stdcall export names")
endif()
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/Pixmill.rc.in ${PROJECT_BINARY_DIR}/Pixmill.rc @ONLY)
target_sources(pixmill PRIVATE ${PROJECT_BINARY_DIR}/Pixmill.rc)
