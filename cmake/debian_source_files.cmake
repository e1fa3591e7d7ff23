# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The files of a Debian source package: its .dsc and every file the .dsc lists (the
# " checksum size name" lines of its checksum fields), as paths in `folder`, each once.
function(mornakle_debian_source_files dsc folder out)
    file(STRINGS ${dsc} listed REGEX "^ [0-9a-f]+ [0-9]+ [^ ]+$")
    set(files ${dsc})
    foreach(line IN LISTS listed)
        string(REGEX REPLACE ".* " "" name "${line}")
        list(APPEND files ${folder}/${name})
    endforeach()
    list(REMOVE_DUPLICATES files)
    set(${out} ${files} PARENT_SCOPE)
endfunction()
