# Installation and the Debian package.
#   cmake --install build --prefix /usr/local   # or any prefix
#   (cd build && cpack -G DEB)                  # build/orvanel_<version>_<arch>.deb
# The layout is the one the program looks for: the executable in <prefix>/bin, its window
# module in <prefix>/lib/orvanel (see src/app/WindowModule.h), its data files in
# <prefix>/share/orvanel (see src/app/ExeFolder.h); a desktop entry and the icon in the
# hicolor theme, as an SVG and as PNGs in the sizes menus ask for most.

install(TARGETS orvanel RUNTIME DESTINATION bin)
if(TARGET orvanel_window)
  install(TARGETS orvanel_window LIBRARY DESTINATION lib/orvanel)
endif()
install(FILES ${ORVANEL_DATA_FILES} DESTINATION share/orvanel)
install(FILES ${ORVANEL_HTML5_FILES} DESTINATION share/orvanel/html5)
install(FILES ${CMAKE_SOURCE_DIR}/data/orvanel.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/src/about/orvanel.svg DESTINATION share/icons/hicolor/scalable/apps)

# The PNG sizes of the program icon, by the rsvg-convert that RenderedIcons.cmake requires.
set(pngs)
foreach(size 32 48 128)
  set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/orvanel.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
    COMMAND ${ORVANEL_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${CMAKE_SOURCE_DIR}/src/about/orvanel.svg
    DEPENDS ${CMAKE_SOURCE_DIR}/src/about/orvanel.svg VERBATIM)
  install(FILES ${png} DESTINATION share/icons/hicolor/${size}x${size}/apps)
  list(APPEND pngs ${png})
endforeach()
add_custom_target(orvanel_icons ALL DEPENDS ${pngs})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Orvanel developers")
set(CPACK_PACKAGE_CONTACT "The Orvanel developers <orvanel@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "HTML tag palette for the text editor you already use")
set(CPACK_PACKAGE_DESCRIPTION "Orvanel is a small, always-on-top palette of HTML tags. Select text in your
editor, click a tag: the text comes back wrapped in the tag. Tags with attributes open a
dialog; a global hot key pops the tag menu up at the mouse. X11 (or XWayland) editors.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
# The shared libraries come from dpkg-shlibdeps (Debian dpkg-dev), all but the SVG image plugin
# that the about box loads at run time (libqt6svg6); the Japanese user interface needs a
# Japanese font; files of an extension without a program of its own and the about box's address
# are opened with xdg-open.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, fonts-ipafont-gothic | fonts-noto-cjk | fonts-japanese-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
