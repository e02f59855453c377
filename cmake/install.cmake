# Where `cmake --install` puts the program on a Linux desktop, and the .deb that CPack makes of
# the same tree. The help page and the sounds travel inside the program.
include(GNUInstallDirs)

set(VELTRIX_APP_ID org.veltrix.Veltrix)

install(TARGETS veltrix veltrix-sheet-reader RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/desktop/${VELTRIX_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/desktop/${VELTRIX_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES resources/icons/app/veltrix.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${VELTRIX_APP_ID}.svg)
foreach(size IN ITEMS 16 24 32 48 64 128 256)
  install(FILES resources/icons/app/veltrix-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${VELTRIX_APP_ID}.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltrix)
set(CPACK_PACKAGE_VENDOR "Veltrix")
set(CPACK_PACKAGE_CONTACT "Veltrix <veltrix@veltrix.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ID-card, passport and head-shot pictures at their exact size")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The libraries the two programs link, found by dpkg-shlibdeps; the rest is what the program
# loads at run time rather than links: Qt's X11 platform, GStreamer's elements and a CJK font.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-hanazono")
include(CPack)
