# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# Turns the dialogs of a resource script into the C++ templates the Win32 layer finds
# them by, so that one script describes a dialog for the Windows resource compiler and
# for every other build:
#   cmake -DINPUT=x.rc -DOUTPUT=x.cpp -P dialog_template.cmake
# It reads what a resource compiler reads of DIALOG and DIALOGEX: the header, STYLE,
# CAPTION, LANGUAGE, FONT, and the controls DEFPUSHBUTTON, PUSHBUTTON, COMBOBOX,
# LTEXT, RTEXT, CTEXT; each control gets the styles a resource compiler adds. Names
# (identifiers, style flags) pass through to the C++, which knows them from the same
# headers. Anything else is refused, so that the two builds cannot silently differ.

function(fail message)
    message(FATAL_ERROR "${INPUT}:${lineNumber}: ${message}")
endfunction()

# The arguments of a statement, split at commas outside quotes and trimmed; a quoted
# argument keeps its quotes.
function(split_arguments text result)
    set(arguments "")
    set(current "")
    set(quoted FALSE)
    string(LENGTH "${text}" length)
    set(index 0)
    while(index LESS length)
        string(SUBSTRING "${text}" ${index} 1 char)
        if(char STREQUAL "\"")
            if(quoted)
                set(quoted FALSE)
            else()
                set(quoted TRUE)
            endif()
            string(APPEND current "${char}")
        elseif(char STREQUAL "," AND NOT quoted)
            string(STRIP "${current}" current)
            list(APPEND arguments "${current}")
            set(current "")
        else()
            string(APPEND current "${char}")
        endif()
        math(EXPR index "${index} + 1")
    endwhile()
    string(STRIP "${current}" current)
    list(APPEND arguments "${current}")
    set(${result} "${arguments}" PARENT_SCOPE)
endfunction()

function(require_quoted value)
    if(NOT value MATCHES "^\"[^\"]*\"$")
        fail("expected a quoted text, found '${value}'")
    endif()
endfunction()

# What a resource compiler gives each kind of control: its window class and the styles
# it adds to the ones written (besides WS_CHILD | WS_VISIBLE), and whether it has a text.
set(control_DEFPUSHBUTTON "button" "BS_DEFPUSHBUTTON | WS_TABSTOP" TRUE)
set(control_PUSHBUTTON "button" "BS_PUSHBUTTON | WS_TABSTOP" TRUE)
set(control_COMBOBOX "combobox" "CBS_SIMPLE | WS_TABSTOP" FALSE)
set(control_LTEXT "static" "SS_LEFT | WS_GROUP" TRUE)
set(control_RTEXT "static" "SS_RIGHT | WS_GROUP" TRUE)
set(control_CTEXT "static" "SS_CENTER | WS_GROUP" TRUE)

file(STRINGS "${INPUT}" lines ENCODING UTF-8)
get_filename_component(inputName "${INPUT}" NAME)
set(includes "")
set(dialogs "")
set(state outside)  # outside, header (before BEGIN), controls (before END)
set(dialogCount 0)
set(lineNumber 0)
foreach(line IN LISTS lines)
    math(EXPR lineNumber "${lineNumber} + 1")
    # A comment runs from // outside a quoted text to the end of the line.
    if(line MATCHES "^(([^\"/]|\"[^\"]*\"|/[^/])*)//")
        set(line "${CMAKE_MATCH_1}")
    endif()
    string(STRIP "${line}" line)
    if(line STREQUAL "")
        continue()
    endif()
    if(line MATCHES "^#include[ \t]+(\"[^\"]+\")")
        string(APPEND includes "#include ${CMAKE_MATCH_1}\n")
        continue()
    elseif(line MATCHES "^#")
        continue()  # the system's headers come with the Win32 layer's own
    endif()

    if(state STREQUAL "outside")
        if(NOT line MATCHES "^([A-Za-z0-9_]+)[ \t]+DIALOG(EX)?[ \t]+(.*)$")
            fail("expected a DIALOG or DIALOGEX statement")
        endif()
        set(id "${CMAKE_MATCH_1}")
        split_arguments("${CMAKE_MATCH_3}" box)
        list(LENGTH box count)
        if(NOT count EQUAL 4)
            fail("a dialog takes x, y, width, height")
        endif()
        list(JOIN box ", " box)
        set(style "")
        set(caption "\"\"")
        set(language "0")
        set(fontName "nullptr")
        set(pointSize "0")
        set(items "")
        set(state header)
    elseif(state STREQUAL "header")
        if(line STREQUAL "BEGIN" OR line STREQUAL "{")
            set(state controls)
        elseif(line MATCHES "^STYLE[ \t]+(.+)$")
            set(style "${CMAKE_MATCH_1}")
        elseif(line MATCHES "^CAPTION[ \t]+(.+)$")
            set(caption "${CMAKE_MATCH_1}")
            require_quoted("${caption}")
        elseif(line MATCHES "^LANGUAGE[ \t]+(.+)$")
            split_arguments("${CMAKE_MATCH_1}" parts)
            list(GET parts 0 primary)
            list(GET parts 1 secondary)
            set(language "(${secondary}) << 10 | (${primary})")
        elseif(line MATCHES "^FONT[ \t]+(.+)$")
            split_arguments("${CMAKE_MATCH_1}" parts)
            list(GET parts 0 pointSize)
            list(GET parts 1 fontName)
            require_quoted("${fontName}")
        else()
            fail("a statement this build does not know: ${line}")
        endif()
    else()
        if(line STREQUAL "END" OR line STREQUAL "}")
            if(style STREQUAL "")
                fail("a dialog needs its STYLE")
            endif()
            if(NOT fontName STREQUAL "nullptr" AND NOT style MATCHES "DS_SETFONT")
                set(style "${style} | DS_SETFONT")  # FONT implies it, as in a resource compiler
            endif()
            set(name "dialog${dialogCount}")
            string(APPEND dialogs
                "const soft::win32::DialogTemplate ${name} = {\n"
                "    ${id},\n"
                "    WORD(${language}),\n"
                "    ${caption},\n"
                "    ${box},\n"
                "    DWORD(${style}),\n"
                "    ${fontName},\n"
                "    ${pointSize},\n"
                "    {\n${items}    },\n"
                "};\n"
                "const bool ${name}Registered = (soft::win32::registerDialogResource(&${name}), true);\n\n")
            math(EXPR dialogCount "${dialogCount} + 1")
            set(state outside)
            continue()
        endif()
        if(NOT line MATCHES "^([A-Z]+)[ \t]+(.*)$")
            fail("expected a control")
        endif()
        set(kind "${CMAKE_MATCH_1}")
        if(NOT DEFINED control_${kind})
            fail("a control this build does not know: ${kind}")
        endif()
        list(GET control_${kind} 0 class)
        list(GET control_${kind} 1 defaults)
        list(GET control_${kind} 2 hasText)
        split_arguments("${CMAKE_MATCH_2}" parts)
        if(hasText)
            list(POP_FRONT parts text)
            require_quoted("${text}")
        else()
            set(text "\"\"")
        endif()
        list(LENGTH parts count)
        if(count LESS 5 OR count GREATER 6)
            fail("a control takes id, x, y, width, height and perhaps a style")
        endif()
        list(GET parts 0 controlId)
        list(SUBLIST parts 1 4 controlBox)
        list(JOIN controlBox ", " controlBox)
        set(controlStyle "WS_CHILD | WS_VISIBLE | ${defaults}")
        if(count EQUAL 6)
            list(GET parts 5 written)
            string(APPEND controlStyle " | ${written}")
        endif()
        string(APPEND items "        {${controlId}, \"${class}\", ${controlBox}, DWORD(${controlStyle}), ${text}},\n")
    endif()
endforeach()
if(NOT state STREQUAL "outside")
    fail("the script ends inside a dialog")
endif()
if(dialogCount EQUAL 0)
    fail("no dialog")
endif()

string(CONCAT content
    "// Made by the build from ${inputName}: its dialogs as the templates the Win32 layer\n"
    "// finds them by, linked in as a resource compiler would place them in the executable.\n"
    "${includes}\n"
    "#include \"win32_resources.h\"\n\n"
    "namespace {\n\n"
    "${dialogs}"
    "}  // namespace\n")
# Rewritten only when it changes, so that a build with nothing new compiles nothing.
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" previous)
    if(previous STREQUAL content)
        return()
    endif()
endif()
file(WRITE "${OUTPUT}" "${content}")
