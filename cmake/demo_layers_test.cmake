# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
cmake_minimum_required(VERSION 3.25)
# Run by CTest: the demo sees the platform only through its API headers.
#   cmake -DCOMPILE_COMMANDS=... -DSOURCE_DIR=... -DWORK_DIR=... -P demo_layers_test.cmake
# Every demo compile line is read from compile_commands.json. None may name the source
# root or an include folder of a host, of the software core, of the seams between the
# stand-ins or of a stand-in's internals; and a source compiled with the demo's own flags finds every API
# header and none of those headers.
set(demoFolders app display engine scenes effects resources)
set(demoObjects " -o CMakeFiles/(demo_[a-z]+|mornakle_resources)\\.dir/")
set(forbiddenFolders "/platform/core" "/platform/host" "/platform/seams" "/src$" "/src/")
# wingdi.h, as in the SDK, comes through windows.h.
set(apiHeaders windows.h ddraw.h d3d.h midas.h)
set(hiddenHeaders host/host.h host/headless_host.h host/sdl_host.h host/png_writer.h soft/surface.h
    soft/faults.h d3d_soft.h ddraw_soft.h gdi_soft.h d3d_raster.h gdi/bitmap_file.h window_manager.h
    soft_directdraw.h SDL.h
    # and by their paths from the source root
    platform/host/include/host/host.h platform/core/include/soft/surface.h platform/d3d/src/span_lanes.h
    program/options.h)

file(READ ${COMPILE_COMMANDS} json)
string(JSON count LENGTH "${json}")
math(EXPR last "${count} - 1")
set(demoLines 0)
set(failures "")
foreach(i RANGE ${last})
    string(JSON file GET "${json}" ${i} file)
    string(JSON command GET "${json}" ${i} command)
    # A demo source compiled into the demo's own libraries (a test may compile one
    # into itself with flags of its own).
    set(isDemo FALSE)
    foreach(folder IN LISTS demoFolders)
        if(file MATCHES "^${SOURCE_DIR}/${folder}/[^/]+$" AND command MATCHES "${demoObjects}")
            set(isDemo TRUE)
        endif()
    endforeach()
    if(NOT isDemo)
        continue()
    endif()
    math(EXPR demoLines "${demoLines} + 1")
    separate_arguments(arguments UNIX_COMMAND "${command}")
    foreach(argument IN LISTS arguments)
        if(argument MATCHES "^-(I|isystem)(.*)$")
            set(folder "${CMAKE_MATCH_2}")
            if(folder STREQUAL SOURCE_DIR)
                string(APPEND failures "${file} includes the source root\n")
            endif()
            foreach(forbidden IN LISTS forbiddenFolders)
                if(folder MATCHES "${forbidden}")
                    string(APPEND failures "${file} includes ${folder}\n")
                endif()
            endforeach()
        endif()
    endforeach()
    set(probeCommand "${command}")
endforeach()
if(demoLines EQUAL 0)
    message(FATAL_ERROR "no compile line of the demo in ${COMPILE_COMMANDS}")
endif()

# One probe source per header, compiled with the flags of the last demo source seen.
separate_arguments(probeArguments UNIX_COMMAND "${probeCommand}")
list(FILTER probeArguments EXCLUDE REGEX "ccache$")
list(FIND probeArguments "-o" at)
list(SUBLIST probeArguments 0 ${at} probeArguments)
file(MAKE_DIRECTORY ${WORK_DIR})
foreach(header IN LISTS apiHeaders hiddenHeaders)
    string(MAKE_C_IDENTIFIER ${header} name)
    file(WRITE ${WORK_DIR}/${name}.cpp "#include \"${header}\"\n")
    execute_process(COMMAND ${probeArguments} -fsyntax-only ${WORK_DIR}/${name}.cpp
        RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_QUIET)
    if(header IN_LIST apiHeaders AND NOT result EQUAL 0)
        string(SUBSTRING "${errors}" 0 2000 errors)
        string(APPEND failures "the API header ${header} does not compile on a demo line:\n${errors}\n")
    elseif(header IN_LIST hiddenHeaders AND NOT errors MATCHES "(${header}: No such file|'${header}' file not found)")
        # (gcc's words, then clang's)
        string(APPEND failures "a demo source can include ${header}\n")
    endif()
endforeach()

if(failures)
    message(FATAL_ERROR "${failures}")
endif()
message(STATUS "${demoLines} demo compile lines see only the platform's API")
