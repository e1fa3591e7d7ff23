# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The installed tree, laid out as Linux desktop software is:
#   bin/mornakle, bin/mornakle-inspect
#   share/mornakle/               the data files (found from bin/ as ../share/mornakle)
#   share/applications/           the desktop entry
#   share/icons/hicolor/NxN/apps/ the icon the generator paints
#   share/metainfo/               the AppStream description
#   share/man/man6, man1          the manual pages, compressed
#   share/doc/mornakle/           the copyright file and the changelog, as Debian has them
# and a Debian package of it (`cpack -G DEB`, or the target `package`).
# The program finds its data by this layout, so the folders are fixed here rather
# than taken from GNUInstallDirs.
# Installing and packing take what is built; they do not first build every test
# and benchmark (`make install` and `make package` build before they install).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(MORNAKLE_APP_ID org.mornakle.mornakle3d)
set(MORNAKLE_MAINTAINER "Mornakle 3D developers <mornakle3d@example.org>" CACHE STRING
    "Who answers for the Debian package: its Maintainer field, its changelog's signature, its copyright contact")
set(packaging ${CMAKE_SOURCE_DIR}/packaging)
set(packed ${CMAKE_BINARY_DIR}/packaging)

foreach(program IN ITEMS mornakle mornakle-inspect)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION bin)
    endif()
endforeach()
install(DIRECTORY ${MORNAKLE_DATA_DIR}/ DESTINATION share/mornakle)
install(FILES ${packaging}/mornakle.desktop DESTINATION share/applications)
configure_file(${packaging}/mornakle.metainfo.xml.in ${packed}/${MORNAKLE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${packed}/${MORNAKLE_APP_ID}.metainfo.xml DESTINATION share/metainfo)
if(TARGET mornakle_icon)
    install(DIRECTORY ${MORNAKLE_ICON_DIR}/ DESTINATION share/icons/hicolor)
endif()

# The manual pages and the changelog show the release; Debian wants them compressed, and
# gzip -n keeps the build's time out of them.
configure_file(${packaging}/mornakle.6.in ${packed}/mornakle.6 @ONLY)
configure_file(${packaging}/mornakle-inspect.1.in ${packed}/mornakle-inspect.1 @ONLY)
execute_process(COMMAND ${CMAKE_COMMAND} -DNEWS=${CMAKE_SOURCE_DIR}/NEWS.md -DOUT=${packed}/changelog
    -DMAINTAINER=${MORNAKLE_MAINTAINER} -P ${CMAKE_SOURCE_DIR}/cmake/debian_changelog.cmake
    COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/NEWS.md)
set(compressed "")
foreach(file IN ITEMS mornakle.6 mornakle-inspect.1 changelog)
    add_custom_command(OUTPUT ${packed}/${file}.gz
        COMMAND sh -c "gzip -9n < \"$0\" > \"$1\"" ${packed}/${file} ${packed}/${file}.gz
        DEPENDS ${packed}/${file}
        VERBATIM)
    list(APPEND compressed ${packed}/${file}.gz)
endforeach()
add_custom_target(mornakle_docs ALL DEPENDS ${compressed})
install(FILES ${packed}/mornakle.6.gz DESTINATION share/man/man6)
install(FILES ${packed}/mornakle-inspect.1.gz DESTINATION share/man/man1)
install(FILES ${packed}/changelog.gz DESTINATION share/doc/mornakle)

# The copyright file: ours, and the notices of the bitmap fonts the GDI stand-in builds in.
include(${CMAKE_SOURCE_DIR}/cmake/notices.cmake)
mornakle_debian_copyright(${packed}/copyright)
install(FILES ${packed}/copyright DESTINATION share/doc/mornakle)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mornakle)
set(CPACK_PACKAGE_VERSION ${MORNAKLE_VERSION})
set(CPACK_PACKAGE_CONTACT ${MORNAKLE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "late-1990s real-time audiovisual demo")
# CPack puts the summary first and indents the lines below it: they stay under 80 columns.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Mornakle 3D is a demo in the demoscene's sense: a show of real-time computer
graphics and music, not a game. For 110 seconds it plays 2D and 3D effects in
step with a looping tracker song: binary rain, a house under flashing lights,
ring interference, circling boxes, a wave field, light beams, a texture warp,
greetings and credits, at 640x480 in 16-bit colour, as a late-1990s PC did.

It is a re-creation of a demo written for 32-bit Windows, running on software
stand-ins for the DirectDraw, Direct3D, GDI and sound interfaces it was written
against. It plays in a window or full screen, and can record itself into a
video file (with ffmpeg) or capture its frames and sound without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Real-time computer graphics to music: not a game, and installed outside the games paths.
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The libraries the programs link (SDL2, libxmp, libpng, ...) become dependencies
# through dpkg-shlibdeps; ffmpeg is only needed for --record.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS ffmpeg)
set(CPACK_STRIP_FILES ON)
# A cross build packs for the machine it builds for: the package's architecture is that
# one, and dpkg-shlibdeps, run by cpack, looks for the libraries in that architecture's
# multiarch folders and reads the symbols files of its packages (libsdl2-2.0-0:arm64's).
if(MORNAKLE_DEBIAN_ARCH)
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${MORNAKLE_DEBIAN_ARCH})
    file(WRITE ${packed}/cpack_host_arch.cmake "set(ENV{DEB_HOST_ARCH} ${MORNAKLE_DEBIAN_ARCH})\n")
    set(CPACK_PROJECT_CONFIG_FILE ${packed}/cpack_host_arch.cmake)
endif()
include(CPack)
