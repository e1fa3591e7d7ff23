# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The notices an artifact carries for what it contains besides our own code.

# The Debian packages that hold the bitmap fonts the GDI stand-in converts into its tables
# (GDI_FONT_* from platform/gdi), found by asking dpkg who installed each font file.
function(mornakle_font_packages out)
    set(packages "")
    foreach(font IN ITEMS ${GDI_FONT_ANSI_FIXED} ${GDI_FONT_OEM_FIXED} ${GDI_FONT_GUI})
        execute_process(COMMAND dpkg-query -S ${font} OUTPUT_VARIABLE owner OUTPUT_STRIP_TRAILING_WHITESPACE
            RESULT_VARIABLE failed)
        string(REGEX REPLACE ":.*" "" owner "${owner}")
        if(failed OR NOT EXISTS /usr/share/doc/${owner}/copyright)
            message(FATAL_ERROR "No Debian package with a copyright file installed ${font}")
        endif()
        list(APPEND packages ${owner})
    endforeach()
    list(REMOVE_DUPLICATES packages)
    list(SORT packages)
    set(${out} ${packages} PARENT_SCOPE)
endfunction()

# A text as the body of a machine-readable copyright field: every line indented by one
# space, an empty line written as " .".
function(mornakle_dep5_body text out)
    string(REGEX REPLACE "\n+$" "" text "${text}")
    string(REPLACE "\n" "\n " text " ${text}")
    string(REGEX REPLACE "\n [ \t]*\n" "\n .\n" text "${text}")
    string(REGEX REPLACE "\n [ \t]*\n" "\n .\n" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# /usr/share/doc/mornakle/copyright in Debian's machine-readable format: the MIT licence
# of the whole package, and, because the programs carry bitmap fonts from Debian's X11
# font packages inside them, those packages' own copyright files word for word.
function(mornakle_debian_copyright out)
    mornakle_font_packages(fontPackages)
    file(READ ${CMAKE_SOURCE_DIR}/LICENSE licence)
    string(REGEX REPLACE "^MIT License\n\n[^\n]*\n\n" "" licence "${licence}")
    mornakle_dep5_body("${licence}" licence)
    string(JOIN " and " fontLicences ${fontPackages})
    set(text "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Mornakle 3D
Upstream-Contact: ${MORNAKLE_MAINTAINER}
Source: mornakle-${MORNAKLE_VERSION}.tar.gz, the source archive released with this package

Files: *
Copyright: 2026 Mornakle 3D developers
License: MIT

Files: usr/bin/mornakle
Copyright: 2026 Mornakle 3D developers
License: MIT and ${fontLicences}
Comment: The program's GDI stand-in carries bitmap fonts converted at build
 time from Debian's ${fontLicences}: their copyright and permission
 notices follow, as those packages give them.

License: MIT
${licence}
")
    foreach(package IN LISTS fontPackages)
        file(READ /usr/share/doc/${package}/copyright notice)
        mornakle_dep5_body("${notice}" notice)
        string(APPEND text "\nLicense: ${package}\n${notice}\n")
    endforeach()
    file(WRITE ${out} "${text}")
endfunction()
