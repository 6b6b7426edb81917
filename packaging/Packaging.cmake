# Packages made with CPack from the install rules. On Debian, `cpack -G DEB`
# in the build tree makes a package that apt installs with its dependencies
# and removes cleanly; a Windows build packs a ZIP.

set(CPACK_PACKAGE_NAME world)
set(CPACK_PACKAGE_VENDOR "The World developers")
set(CPACK_PACKAGE_CONTACT "The World developers <world@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "lattice Boltzmann simulation shown as a cloud of points")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_STRIP_FILES ON)
# Not the umask of whoever builds the package.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(WIN32)
  # World-<version>-win64.zip, unpacking into a folder of the same name.
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "World-${PROJECT_VERSION}-win64")
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION science)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # Below the one-line summary.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[
World runs a simplified lattice Boltzmann simulation (the D3Q19 velocity set
with a BGK collision) on a cube of 50 x 50 x 50 sites. Its OpenGL window shows
every site that has received a tracer as a green point whose brightness is the
tracer, the cube's outer faces as small blue points, and a coloured marker
cube at the origin; dragging with the mouse orbits, zooms and pans the view.
.
Each press of f runs one simulation step and prints ten diagnostic lines on
standard output, so the program is best started from a terminal.]])

  # What Debian asks of every package's documentation folder.
  set(WORLD_DEB_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/world)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in changelog @ONLY)
  world_gzip(${PROJECT_BINARY_DIR}/changelog)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${PROJECT_BINARY_DIR}/changelog.gz
          DESTINATION ${WORLD_DEB_DOC_DIR})
endif()

include(CPack)
