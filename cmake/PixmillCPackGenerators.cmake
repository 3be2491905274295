# Read by cpack once per generator: the Windows archive holds only the Windows
# component; the Linux archive all Linux components in one; the Debian
# packages one per component.
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
if(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_COMPONENTS_ALL windows)
  set(CPACK_ARCHIVE_FILE_NAME "Pixmill-${CPACK_PACKAGE_VERSION}-windows")
  set(CPACK_PACKAGE_FILE_NAME "Pixmill-${CPACK_PACKAGE_VERSION}-windows")
else()
  set(CPACK_COMPONENTS_ALL runtime development tool)
  set(CPACK_ARCHIVE_FILE_NAME "Pixmill-${CPACK_PACKAGE_VERSION}-Linux")
  set(CPACK_PACKAGE_FILE_NAME "Pixmill-${CPACK_PACKAGE_VERSION}-Linux")
  if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_DEB_COMPONENT_INSTALL ON)
    set(CPACK_COMPONENTS_GROUPING ONE_PER_GROUP)
  endif()
endif()
