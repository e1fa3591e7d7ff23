# The installed tree, laid out as Linux desktop software is:
#   bin/mornakle, bin/mornakle-inspect
#   share/mornakle/               the data files (found from bin/ as ../share/mornakle)
#   share/applications/           the desktop entry
#   share/icons/hicolor/NxN/apps/ the icon the generator paints
#   share/metainfo/               the AppStream description
#   share/man/man6, man1          the manual pages
# and a Debian package of it (`cpack -G DEB`, or the target `package`).
# The program finds its data by this layout, so the folders are fixed here rather
# than taken from GNUInstallDirs.
set(MORNAKLE_VERSION 1.0.0)
# Installing and packing take what is built; they do not first build every test
# and benchmark (`make install` and `make package` build before they install).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(MORNAKLE_APP_ID org.mornakle.mornakle3d)
set(packaging ${CMAKE_SOURCE_DIR}/packaging)

foreach(program IN ITEMS mornakle mornakle-inspect)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION bin)
    endif()
endforeach()
install(DIRECTORY ${MORNAKLE_DATA_DIR}/ DESTINATION share/mornakle)
install(FILES ${packaging}/mornakle.desktop DESTINATION share/applications)
install(FILES ${packaging}/mornakle.metainfo.xml DESTINATION share/metainfo
    RENAME ${MORNAKLE_APP_ID}.metainfo.xml)
install(FILES ${packaging}/mornakle.6 DESTINATION share/man/man6)
install(FILES ${packaging}/mornakle-inspect.1 DESTINATION share/man/man1)
if(TARGET mornakle_icon)
    install(DIRECTORY ${MORNAKLE_ICON_DIR}/ DESTINATION share/icons/hicolor)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mornakle)
set(CPACK_PACKAGE_VERSION ${MORNAKLE_VERSION})
set(CPACK_PACKAGE_CONTACT "Mornakle 3D developers <mornakle@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "late-1990s real-time audiovisual demo")
set(CPACK_PACKAGE_DESCRIPTION
    "Mornakle 3D plays a fixed 110-second sequence of 2D and 3D effects in step with a looping tracker song, \
in a window or full screen, on software stand-ins for the Windows interfaces it was written against. \
It can also record itself into a video.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries the programs link (SDL2, libxmp, libpng, ...) become dependencies
# through dpkg-shlibdeps; ffmpeg is only needed for --record.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS ffmpeg)
set(CPACK_STRIP_FILES ON)
include(CPack)
