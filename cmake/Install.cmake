# Install rules, their tests and the Debian package.
# An installed copy finds its data in ../share/velloxa beside its executable,
# so any prefix works.

include(GNUInstallDirs)

# The man page and changelog are compressed as Debian wants them.
set(VELLOXA_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
set(VELLOXA_SHIPPED ${CMAKE_BINARY_DIR}/packaging/velloxa.6.gz
                    ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(
  OUTPUT ${VELLOXA_SHIPPED}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND sh -c "gzip -9n <'${VELLOXA_PACKAGING}/velloxa.6' >packaging/velloxa.6.gz"
  COMMAND sh -c "gzip -9n <'${VELLOXA_PACKAGING}/changelog' >packaging/changelog.gz"
  DEPENDS ${VELLOXA_PACKAGING}/velloxa.6
          ${VELLOXA_PACKAGING}/changelog
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  VERBATIM)
add_custom_target(velloxa_shipped ALL DEPENDS ${VELLOXA_SHIPPED})
add_dependencies(velloxa velloxa_shipped)

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(VELLOXA_DATADIR ${CMAKE_INSTALL_DATADIR}/velloxa)
# Debian keeps games in games/; the data lookup works from bin/ as well.
set(VELLOXA_INSTALL_BINDIR games CACHE STRING "Where the program is installed, under the prefix")
install(TARGETS velloxa RUNTIME DESTINATION ${VELLOXA_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/sounds DESTINATION ${VELLOXA_DATADIR}
        PATTERN .generated EXCLUDE)
install(FILES ${VELLOXA_MO_FILES} DESTINATION ${VELLOXA_DATADIR}/locale)
install(FILES ${VELLOXA_PACKAGING}/org.velloxa.Velloxa.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VELLOXA_PACKAGING}/org.velloxa.Velloxa.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VELLOXA_PACKAGING}/velloxa.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_BINARY_DIR}/packaging/velloxa.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${VELLOXA_PACKAGING}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velloxa)
set(CPACK_PACKAGE_VERSION ${VELLOXA_VERSION_TEXT})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tile battle game for blind and visually impaired players")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${VELLOXA_PACKAGING}/description.txt)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Velloxa developers <velloxa@velloxa.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The voice's data, the screen-reader route and the window's font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "espeak-ng-data, speech-dispatcher, fonts-dejavu-core")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Packing the one component by name leaves install_manifest.txt, the list
# a player's own `cmake --install` wrote, alone.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};Unspecified;/")
include(CPack)

# Install into a scratch prefix (every build), and build, check and unpack
# the package (the release build only: the sanitizers would only slow it).
add_test(NAME install_prefix
         COMMAND bash ${PROJECT_SOURCE_DIR}/tests/packaging/install_prefix.sh ${CMAKE_BINARY_DIR})
if(NOT VELLOXA_SANITIZE)
  add_test(NAME install_package
           COMMAND bash ${PROJECT_SOURCE_DIR}/tests/packaging/install_package.sh ${CMAKE_BINARY_DIR})
endif()
