# The Debian package (cpack -G DEB, run by scripts/package.sh): everything the install
# rules put under the prefix, placed under /usr, with the shared libraries it needs
# found by dpkg-shlibdeps.

set(CPACK_PACKAGE_NAME maporv)
set(CPACK_PACKAGE_VENDOR Osk_Tools)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "hex map editor for wargame scenarios")
# The long description, in lines of the width dpkg shows; an empty line parts paragraphs.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "MapOrv edits the scenario maps of a turn-based wargame: the terrain type,"
    "the road directions and the place name of every hex of a 40 x 45 grid,"
    "shown over the map's painted picture. It opens and saves the game's MAP"
    "files with their picture tiles and names files, starts new maps from BMP,"
    "S16 or SHP pictures and exports pictures to tiles."
    ""
    "maporv-tool, the command-line companion, inspects, converts and reports"
    "maps, their names files and their pictures, in scripts and without a"
    "display.")
set(CPACK_GENERATOR DEB)
# The component the install rules of dist/ put everything in, as one package.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};maporv;/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${MAPORV_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's window-system plugins are only recommended by its libraries, yet the editor
# opens no window without them; its dialogs are laid out for the Liberation fonts, and
# the tool reads TIFF and WebP pictures through Qt's image format plugins.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, qt6-image-formats-plugins")
if(MAPORV_HOMEPAGE)
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${MAPORV_HOMEPAGE}")
endif()

include(CPack)
