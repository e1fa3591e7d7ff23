# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The release every artifact names: MORNAKLE_VERSION, the root project's version (read
# from its project() line, so that the Windows project, configured on its own, shows the
# same), and MORNAKLE_RELEASE_DATE, the date of that version's entry in NEWS.md, which
# the manual pages, the AppStream data and the Debian changelog carry. A version with no
# entry in NEWS.md stops the configure step: every release says what changed.
function(mornakle_release_info root)
    file(STRINGS ${root}/CMakeLists.txt line REGEX "^project\\(Mornakle3D VERSION [0-9.]+ ")
    string(REGEX REPLACE "^project\\(Mornakle3D VERSION ([0-9.]+) .*" "\\1" version "${line}")
    if(NOT version MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+$")
        message(FATAL_ERROR "No version in ${root}/CMakeLists.txt's project() line")
    endif()
    string(REPLACE "." "\\." versionPattern ${version})
    file(STRINGS ${root}/NEWS.md heading REGEX "^## ${versionPattern} \\([0-9-]+\\)$")
    if(NOT heading)
        message(FATAL_ERROR "NEWS.md has no entry \"## ${version} (YYYY-MM-DD)\" for this version")
    endif()
    string(REGEX REPLACE ".*\\(([0-9-]+)\\)$" "\\1" date "${heading}")
    set(MORNAKLE_VERSION ${version} PARENT_SCOPE)
    set(MORNAKLE_RELEASE_DATE ${date} PARENT_SCOPE)
endfunction()
