# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The program in a browser, and the static site it plays in: build-web/site/ holds the
# page, mornakle.js, the compressed mornakle.wasm.gz and data files, and the notices of
# what the program contains.

# No libpng here: frames leave through the canvas.
get_target_property(hostSources platform_host SOURCES)
list(FILTER hostSources EXCLUDE REGEX "png_writer")
set_property(TARGET platform_host PROPERTY SOURCES ${hostSources})

set(site ${CMAKE_BINARY_DIR}/site)
add_executable(mornakle_web web_main.cpp $<TARGET_OBJECTS:mornakle_resources>)
target_link_libraries(mornakle_web PRIVATE platform_host_web program_chapters demo_app platform_soft)
# Linked beside the site: the site gets the module compressed (web_site_files.cmake).
set_target_properties(mornakle_web PROPERTIES OUTPUT_NAME mornakle SUFFIX .js)
target_link_options(mornakle_web PRIVATE
    -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
    -sALLOW_MEMORY_GROWTH -sINITIAL_MEMORY=67108864
    -sMODULARIZE -sEXPORT_NAME=createMornakle -sENVIRONMENT=web
    -sFORCE_FILESYSTEM -sEXPORTED_RUNTIME_METHODS=FS
    # Win32 tells a resource number from a name by its value below 65536 (IS_INTRESOURCE):
    # no string may lie that low, so the program's data starts above it.
    -sGLOBAL_BASE=65536
    # An exit() by the demo reports to the page first (web_main.cpp).
    -Wl,--wrap=exit)

# The site carries our source archive (the page links it), our licence, and the notices
# and source of what the program contains: libxmp's source package and the font
# packages' copyright files.
set(MORNAKLE_SOURCE_ARCHIVE "" CACHE FILEPATH "Our source archive (git archive), which the page links")
if(NOT EXISTS "${MORNAKLE_SOURCE_ARCHIVE}")
    message(FATAL_ERROR "MORNAKLE_SOURCE_ARCHIVE (${MORNAKLE_SOURCE_ARCHIVE}) is no file: the site carries the source")
endif()
include(${CMAKE_SOURCE_DIR}/cmake/notices.cmake)
mornakle_font_packages(fontPackages)

set(page ${CMAKE_SOURCE_DIR}/platform/host/web/page)
file(GLOB pageFiles CONFIGURE_DEPENDS ${page}/*)
# The folder is made here: the program is linked beside it, and make dist empties it.
add_custom_target(web_site ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${site}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${pageFiles} ${site}
    COMMAND ${CMAKE_COMMAND} -DDATA=${MORNAKLE_NATIVE_BUILD}/data -DSITE=${site}
        -DPROGRAM=${MORNAKLE_NATIVE_BUILD}/mornakle -DWEB_PROGRAM=$<TARGET_FILE:mornakle_web>
        -DMORNAKLE_VERSION=${MORNAKLE_VERSION}
        -DSOURCE_ARCHIVE=${MORNAKLE_SOURCE_ARCHIVE} -DLICENCE=${CMAKE_SOURCE_DIR}/LICENSE
        -DXMP_SOURCES=${MORNAKLE_LIBXMP_PREFIX}/../source "-DFONT_PACKAGES=${fontPackages}"
        -P ${CMAKE_CURRENT_SOURCE_DIR}/web_site_files.cmake
    COMMAND ${CMAKE_COMMAND} -DSITE=${site} -DEMSCRIPTEN=${EMSCRIPTEN_ROOT_PATH}
        -DEMSCRIPTEN_COPYRIGHT=${MORNAKLE_EMSCRIPTEN_COPYRIGHT} -P ${CMAKE_CURRENT_SOURCE_DIR}/web_site_notices.cmake
    DEPENDS mornakle_web ${pageFiles} web_site_files.cmake web_site_notices.cmake
    COMMENT "Assembling the site in ${site}"
    VERBATIM)

# The one demo library that needs std::bit_cast from the compiler (cmake/web_bit_cast.h).
target_compile_options(demo_engine PRIVATE "SHELL:-include ${CMAKE_SOURCE_DIR}/cmake/web_bit_cast.h")
