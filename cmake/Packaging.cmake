# The Debian package lk63-questionnaire: the program, the tool lk63-order, the
# launcher entry and the icon (each installed by the rules beside its target).
# `cpack -G DEB` in a build folder writes it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lk63-questionnaire)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Order questionnaire for ЛК63-19 air circuit breakers, saved as PDF")
set(CPACK_PACKAGE_DESCRIPTION
    "Fills in the order questionnaire of the ЛК63-19 series in one window and saves it as a PDF\n"
    "document; lk63-order gives the same rules, texts and PDF on the command line.")
set(CPACK_PACKAGE_CONTACT "ЛК63-19 questionnaire maintainers <lk63-questionnaire@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries the binaries link (Qt's X11 platform plugin comes with
# libqt6gui6), found by dpkg-shlibdeps; besides them the
# fonts "Arial" and the window's fonts resolve to, and those that print what
# they lack: most scripts, Chinese and Japanese, Korean.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation2, fonts-dejavu-core, fonts-noto-core, fonts-droid-fallback, fonts-nanum")
include(CPack)
