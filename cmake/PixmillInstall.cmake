# `cmake --install` puts the shared library, pixmill.h, a CMake package
# (find_package(Pixmill) gives the imported target Pixmill::pixmill) and a
# pkg-config file under the prefix: the library in the component "runtime",
# the rest in "development" (the packages' split). Both package files locate the prefix from
# their own position, so an installed tree can be moved or installed with
# --prefix into a place other than the configured one.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

target_include_directories(pixmill PUBLIC $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
set_target_properties(pixmill PROPERTIES PUBLIC_HEADER ${PROJECT_SOURCE_DIR}/include/pixmill.h)
if(NOT WIN32)
  set_target_properties(pixmill PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
endif()

install(TARGETS pixmill EXPORT PixmillTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT development
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
  PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)

set(PIXMILL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Pixmill)
install(EXPORT PixmillTargets NAMESPACE Pixmill:: DESTINATION ${PIXMILL_CMAKE_DIR} COMPONENT development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/PixmillConfig.cmake.in
  ${PROJECT_BINARY_DIR}/PixmillConfig.cmake INSTALL_DESTINATION ${PIXMILL_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/PixmillConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/PixmillConfig.cmake ${PROJECT_BINARY_DIR}/PixmillConfigVersion.cmake
  DESTINATION ${PIXMILL_CMAKE_DIR} COMPONENT development)

# pkg-config: the prefix is found from the .pc file's own directory.
file(RELATIVE_PATH PIXMILL_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" PIXMILL_PC_TO_PREFIX "${PIXMILL_PC_TO_PREFIX}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/pixmill.pc.in ${PROJECT_BINARY_DIR}/pixmill.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/pixmill.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)
