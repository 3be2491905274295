# Release packages, made by cpack from a build directory whose test run has
# built and checked the two Windows DLLs (the `release` workflow preset runs
# configure, build, test and package in one):
#   Pixmill-<version>-windows.zip   x86/ and x64/Pixmill.dll as tested, the
#                                   Visual Basic modules, pixmill.h, the
#                                   reference, LICENSE and README.txt
#   Pixmill-<version>-Linux.tar.gz  what the three Debian packages hold
#   libpixmill_<version>_<arch>.deb      the shared library
#   libpixmill-dev_<version>_<arch>.deb  header, CMake package, pixmill.pc
#   pixmill_<version>_<arch>.deb         the pixmill tool, /usr/bin/pixmill
include(GNUInstallDirs)

# The DLLs are taken from the test run's build directories, never rebuilt
# here, so the archive holds the files that ran under Wine.
set(PIXMILL_DLL32_DIR ${CMAKE_BINARY_DIR}/variant-dll CACHE PATH "Build directory of the tested 32-bit Pixmill.dll")
set(PIXMILL_DLL64_DIR ${CMAKE_BINARY_DIR}/variant-dll64 CACHE PATH "Build directory of the tested 64-bit Pixmill.dll")

# Windows archive: a component of its own, left out of a plain `cmake --install`.
install(FILES ${PIXMILL_DLL32_DIR}/Pixmill.dll DESTINATION x86 COMPONENT windows EXCLUDE_FROM_ALL)
install(FILES ${PIXMILL_DLL64_DIR}/Pixmill.dll DESTINATION x64 COMPONENT windows EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/bindings/vb6/Pixmill.bas ${PROJECT_SOURCE_DIR}/bindings/vb6/PixmillExample.bas
  DESTINATION vb6 COMPONENT windows EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/include/pixmill.h DESTINATION include COMPONENT windows EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/docs/reference.md ${PROJECT_SOURCE_DIR}/LICENSE
  ${PROJECT_SOURCE_DIR}/packaging/windows/README.txt DESTINATION . COMPONENT windows EXCLUDE_FROM_ALL)

# Each Linux package carries the licence where Debian keeps it.
foreach(component_package runtime:libpixmill development:libpixmill-dev tool:pixmill)
  string(REPLACE ":" ";" pair ${component_package})
  list(GET pair 0 component)
  list(GET pair 1 package)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package}
    RENAME copyright COMPONENT ${component})
  string(TOUPPER ${component} upper)
  set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${package})
endforeach()

set(CPACK_PACKAGE_NAME Pixmill)
set(CPACK_PACKAGE_VENDOR "The Pixmill developers")
set(CPACK_PACKAGE_CONTACT "The Pixmill developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Pixel library for 24-bit and 32-bit images in the caller's memory")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_GENERATOR ZIP TGZ DEB)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)
# cpack packs what the build made: it builds nothing itself (the packages
# are made after the test run, from what it tested).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
# Each generator takes its own components and file name (see the file).
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/PixmillCPackGenerators.cmake)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_TOOL_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)  # also registers the ldconfig trigger
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

include(CPack)
cpack_add_component(runtime DISPLAY_NAME "Shared library"
  DESCRIPTION "libpixmill.so: copies, blends, keys, masks, scales, fills, filters, blurs, ripples and rotates images.")
cpack_add_component(development DISPLAY_NAME "Development files" DEPENDS runtime
  DESCRIPTION "pixmill.h, the CMake package (find_package(Pixmill)) and pixmill.pc.")
cpack_add_component(tool DISPLAY_NAME "The pixmill tool"
  DESCRIPTION "pixmill runs the library on BMP, PNG and JPEG pictures, and draws a demo scene and a gallery.")
cpack_add_component(windows DISPLAY_NAME "Windows DLLs"
  DESCRIPTION "Pixmill.dll for 32-bit Visual Basic and Office and for 64-bit Office.")
