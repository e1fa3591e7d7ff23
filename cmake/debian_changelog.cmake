# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# Writes Debian's changelog for the package from NEWS.md, whose entries are
#   ## VERSION (YYYY-MM-DD)
#   - a change, in a user's words,
#     continued on lines of their own
# one entry per release, newest first, each signed by MAINTAINER:
#   cmake -DNEWS=NEWS.md -DOUT=changelog -DMAINTAINER="Name <address>" -P debian_changelog.cmake
file(STRINGS ${NEWS} lines)
set(out "")
set(entry "")
function(close_entry)
    if(entry)
        string(APPEND out "\n -- ${MAINTAINER}  ${signed}\n")
        set(out "${out}" PARENT_SCOPE)
    endif()
endfunction()
foreach(line IN LISTS lines)
    if(line MATCHES "^## ([0-9.]+) \\(([0-9-]+)\\)$")
        close_entry()
        if(out)
            string(APPEND out "\n")
        endif()
        set(entry ${CMAKE_MATCH_1})
        # Debian wants the day of the week; the release is dated at noon UTC.
        execute_process(COMMAND env LC_ALL=C date -u -d "${CMAKE_MATCH_2} 12:00" "+%a, %d %b %Y %H:%M:%S +0000"
            OUTPUT_VARIABLE signed OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
        string(APPEND out "mornakle (${entry}) unstable; urgency=medium\n\n")
    elseif(entry AND line MATCHES "^- (.*)$")
        string(APPEND out "  * ${CMAKE_MATCH_1}\n")
    elseif(entry AND line MATCHES "^  (.*)$")
        string(APPEND out "    ${CMAKE_MATCH_1}\n")
    elseif(line MATCHES "^## ")
        message(FATAL_ERROR "${NEWS}: a release heading is \"## VERSION (YYYY-MM-DD)\", not \"${line}\"")
    endif()
endforeach()
close_entry()
if(NOT out)
    message(FATAL_ERROR "${NEWS} has no release")
endif()
file(WRITE ${OUT} "${out}")
