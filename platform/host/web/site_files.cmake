# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The site's data files, copied from the native build with a list the page loads them
# by, and the poster: a frame of the show drawn by the native program. Then what lets a
# visitor take the program and pass it on: the page showing the release, our source
# archive it links, our licence, libxmp's source package and the notices of what the
# program builds in (in licenses/, beside the browser runtime's).
file(GLOB names RELATIVE ${DATA} ${DATA}/*)
list(SORT names)
file(MAKE_DIRECTORY ${SITE}/data)
set(list "")
foreach(name IN LISTS names)
    file(COPY_FILE ${DATA}/${name} ${SITE}/data/${name} ONLY_IF_DIFFERENT)
    string(APPEND list "${name}\n")
endforeach()
file(WRITE ${SITE}/data/files.txt.new "${list}")
file(COPY_FILE ${SITE}/data/files.txt.new ${SITE}/data/files.txt ONLY_IF_DIFFERENT)
file(REMOVE ${SITE}/data/files.txt.new)

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
file(STRINGS ${dsc} listed REGEX "^ [0-9a-f]+ [0-9]+ [^ ]+$")
set(xmpFiles ${dsc})
foreach(line IN LISTS listed)
    string(REGEX REPLACE ".* " "" name "${line}")
    list(APPEND xmpFiles ${XMP_SOURCES}/${name})
endforeach()
list(REMOVE_DUPLICATES xmpFiles)
foreach(file IN LISTS xmpFiles)
    get_filename_component(name ${file} NAME)
    file(COPY_FILE ${file} ${SITE}/source/${name} ONLY_IF_DIFFERENT)
endforeach()
file(COPY_FILE ${XMP_SOURCES}/tree/docs/COPYING.LIB ${SITE}/licenses/libxmp-COPYING.LIB.txt ONLY_IF_DIFFERENT)
file(COPY_FILE ${XMP_SOURCES}/tree/debian/copyright ${SITE}/licenses/libxmp-copyright.txt ONLY_IF_DIFFERENT)
foreach(package IN LISTS FONT_PACKAGES)
    file(COPY_FILE /usr/share/doc/${package}/copyright ${SITE}/licenses/${package}-copyright.txt ONLY_IF_DIFFERENT)
endforeach()
