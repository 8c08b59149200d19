# A Debian package: cpack -G DEB in the build folder.
set(CPACK_PACKAGE_NAME tavelo)
set(CPACK_PACKAGE_VENDOR "Tavelo")
set(CPACK_PACKAGE_CONTACT "Tavelo developers <tavelo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Fourier synthesis for the classroom")
set(CPACK_PACKAGE_DESCRIPTION "Tavelo shows how a periodic, non-harmonic oscillation arises as the sum of up
to 250 harmonic terms: it draws the sum and the bar chart of its amplitudes.
The program speaks Russian.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# Tooltips and captions need a face with Cyrillic glyphs.
# Qt's own texts (menus of the fields, dialog buttons) in Russian.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2 | fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins")
set(CPACK_GENERATOR DEB)
include(CPack)
