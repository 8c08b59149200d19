# Packages for Debian and its derivatives (cpack -G DEB) and for the RPM
# distributions (cpack -G RPM), both in the build folder.
set(TAVELO_MAINTAINER "Tavelo developers <tavelo@localhost>" CACHE STRING
    "Maintainer named in the packages and the changelog, \"Name <address>\"")

set(CPACK_PACKAGE_NAME tavelo)
set(CPACK_PACKAGE_VENDOR "Tavelo")
set(CPACK_PACKAGE_CONTACT "${TAVELO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Fourier synthesis for the classroom")
set(CPACK_PACKAGE_DESCRIPTION "Tavelo shows how a periodic, non-harmonic oscillation arises as the sum of up
to 250 harmonic terms: it draws the sum and the bar chart of its amplitudes.
The program speaks Russian.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window is laid out for Liberation Sans, which stands in for its design
# font; DejaVu Sans, which every desktop has, is wider and crowds the
# captions. Qt's own texts (menus of the fields, dialog buttons) come in
# Russian from the translations, as every other text of the window is. The
# sound's library is loaded when a sound is first played, so the library
# search cannot find it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-translations-l10n, libpulse0")

set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
set(CPACK_RPM_PACKAGE_RELEASE 1)
set(CPACK_RPM_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_RPM_SPEC_MORE_DEFINE "Packager: ${TAVELO_MAINTAINER}")
set(CPACK_RPM_PACKAGE_LICENSE "GPL-3.0-or-later")
set(CPACK_RPM_PACKAGE_REQUIRES "libpulse-simple.so.0()(64bit)")
set(CPACK_RPM_PACKAGE_GROUP "Applications/Education")
set(CPACK_RPM_PACKAGE_ARCHITECTURE ${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_RPM_CHANGELOG_FILE ${CMAKE_CURRENT_BINARY_DIR}/data/rpm-changelog)
# Library dependencies are found by rpm from the program's libraries; the
# folders below belong to the distribution, not to this package.
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION
    /usr/share/applications /usr/share/icons /usr/share/icons/hicolor /usr/share/icons/hicolor/32x32
    /usr/share/icons/hicolor/32x32/apps /usr/share/icons/hicolor/scalable /usr/share/icons/hicolor/scalable/apps
    /usr/share/metainfo /usr/share/man /usr/share/man/man1 /usr/share/man/ru /usr/share/man/ru/man1 /usr/share/lintian
    /usr/share/lintian/overrides)

set(CPACK_GENERATOR DEB)
include(CPack)
