# The Debian package of the program: `cpack` in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kakemaru)
set(CPACK_PACKAGE_VENDOR "The Kakemaru developers")
set(CPACK_PACKAGE_CONTACT "The Kakemaru developers <kakemaru@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Multiplication-table drill sheets for children (九九)")
set(CPACK_PACKAGE_DESCRIPTION
    "Makes, previews and prints multiplication-table drill sheets (九九) with their answer sheets.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, but needed: Japanese faces for the page and the window.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho")
# Without qt6-wayland the program cannot open its window on a Wayland desktop
# that has no X server (XWayland) as well.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n, sound-theme-freedesktop, cups")
include(CPack)
