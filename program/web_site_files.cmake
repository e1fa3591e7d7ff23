# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The site's program and data files, and the poster: a frame of the show drawn by the
# native program. The module and the data files go out compressed with gzip (NAME.gz),
# which the page unpacks with the browser's DecompressionStream: a visitor fetches about
# a seventh of their size from any static server. `gzip -n` leaves out the name and
# time, so the same file always packs to the same bytes. files.txt lists the data files
# by the names the program reads. Then what lets a visitor take the program and pass it
# on: the page showing the release, our source archive it links, our licence, libxmp's
# source package and the notices of what the program builds in (in licenses/, beside
# the browser runtime's, from web_site_notices.cmake).

include(${CMAKE_CURRENT_LIST_DIR}/../cmake/debian_source_files.cmake)

# Compresses `from` into `to` when `to` is missing or older.
function(pack from to)
    if(NOT EXISTS ${to} OR ${from} IS_NEWER_THAN ${to})
        execute_process(COMMAND gzip -n -9 -c ${from} OUTPUT_FILE ${to}.new RESULT_VARIABLE result)
        if(NOT result EQUAL 0)
            message(FATAL_ERROR "gzip could not compress ${from}")
        endif()
        file(RENAME ${to}.new ${to})
    endif()
endfunction()

get_filename_component(webDir ${WEB_PROGRAM} DIRECTORY)
get_filename_component(webName ${WEB_PROGRAM} NAME_WE)
file(COPY_FILE ${WEB_PROGRAM} ${SITE}/${webName}.js ONLY_IF_DIFFERENT)
pack(${webDir}/${webName}.wasm ${SITE}/${webName}.wasm.gz)
# Older builds linked the uncompressed module into the site itself.
file(REMOVE ${SITE}/${webName}.wasm)

file(GLOB names RELATIVE ${DATA} ${DATA}/*)
list(SORT names)
file(MAKE_DIRECTORY ${SITE}/data)
set(list "")
set(packed files.txt)
foreach(name IN LISTS names)
    pack(${DATA}/${name} ${SITE}/data/${name}.gz)
    string(APPEND list "${name}\n")
    list(APPEND packed ${name}.gz)
endforeach()
file(WRITE ${SITE}/data/files.txt.new "${list}")
file(COPY_FILE ${SITE}/data/files.txt.new ${SITE}/data/files.txt ONLY_IF_DIFFERENT)
file(REMOVE ${SITE}/data/files.txt.new)
# Whatever else lies in data/ (a file the generator no longer makes) would ship unused.
file(GLOB present RELATIVE ${SITE}/data ${SITE}/data/*)
list(REMOVE_ITEM present ${packed})
if(present)
    list(TRANSFORM present PREPEND ${SITE}/data/)
    file(REMOVE ${present})
endif()

if(NOT EXISTS ${SITE}/poster.png)
    set(frames ${SITE}/../poster-frames)
    file(REMOVE_RECURSE ${frames})
    execute_process(COMMAND ${PROGRAM} --headless --frame-ms 1000 --capture ${frames} --data ${DATA}
        RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
    file(GLOB poster ${frames}/frame-*-0000060000.png)
    if(NOT result EQUAL 0 OR NOT poster)
        message(FATAL_ERROR "The native program could not draw the poster frame")
    endif()
    file(COPY_FILE ${poster} ${SITE}/poster.png)
    file(REMOVE_RECURSE ${frames})
endif()

configure_file(${SITE}/index.html ${SITE}/index.html @ONLY)
get_filename_component(archive ${SOURCE_ARCHIVE} NAME)
file(COPY_FILE ${SOURCE_ARCHIVE} ${SITE}/${archive} ONLY_IF_DIFFERENT)
file(COPY_FILE ${LICENCE} ${SITE}/LICENSE.txt ONLY_IF_DIFFERENT)
file(MAKE_DIRECTORY ${SITE}/source ${SITE}/licenses)
file(GLOB dsc ${XMP_SOURCES}/libxmp_*.dsc)
mornakle_debian_source_files(${dsc} ${XMP_SOURCES} xmpFiles)
foreach(file IN LISTS xmpFiles)
    get_filename_component(name ${file} NAME)
    file(COPY_FILE ${file} ${SITE}/source/${name} ONLY_IF_DIFFERENT)
endforeach()
file(COPY_FILE ${XMP_SOURCES}/tree/docs/COPYING.LIB ${SITE}/licenses/libxmp-COPYING.LIB.txt ONLY_IF_DIFFERENT)
file(COPY_FILE ${XMP_SOURCES}/tree/debian/copyright ${SITE}/licenses/libxmp-copyright.txt ONLY_IF_DIFFERENT)
foreach(package IN LISTS FONT_PACKAGES)
    file(COPY_FILE /usr/share/doc/${package}/copyright ${SITE}/licenses/${package}-copyright.txt ONLY_IF_DIFFERENT)
endforeach()
