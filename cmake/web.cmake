# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The build for WebAssembly with emscripten (`make web`): the program's libraries and
# the browser host only. What runs at build time comes from the native build in
# MORNAKLE_NATIVE_BUILD (the font converter, the data files); libxmp comes from
# Debian's source package, built for WebAssembly into MORNAKLE_LIBXMP_PREFIX.
set(MORNAKLE_TESTS OFF CACHE BOOL "" FORCE)
set(MORNAKLE_BENCH OFF CACHE BOOL "" FORCE)
set(MORNAKLE_FUZZ OFF CACHE BOOL "" FORCE)
set(MORNAKLE_LIBXMP_PREFIX ${CMAKE_BINARY_DIR}/libxmp/prefix CACHE PATH "libxmp built for WebAssembly")
# The notices of emscripten's runtime and C and C++ libraries, which the program links:
# Debian's copyright file of the package holds them with their texts.
set(MORNAKLE_EMSCRIPTEN_COPYRIGHT /usr/share/doc/emscripten/copyright CACHE FILEPATH
    "The copyright file of the emscripten that builds the program")

if(NOT EXISTS ${MORNAKLE_LIBXMP_PREFIX}/lib/libxmp.a)
    message(FATAL_ERROR "No libxmp for WebAssembly in ${MORNAKLE_LIBXMP_PREFIX}: run platform/host/web/libxmp.sh")
endif()
add_library(PkgConfig::XMP INTERFACE IMPORTED)
set_target_properties(PkgConfig::XMP PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${MORNAKLE_LIBXMP_PREFIX}/include
    INTERFACE_LINK_LIBRARIES ${MORNAKLE_LIBXMP_PREFIX}/lib/libxmp.a
    INTERFACE_COMPILE_DEFINITIONS LIBXMP_STATIC
    # xmp.h includes emscripten.h inside its extern "C" block, where C++ templates
    # cannot be: included first, it is not read there again.
    INTERFACE_COMPILE_OPTIONS "SHELL:-include emscripten.h")
file(MAKE_DIRECTORY ${MORNAKLE_LIBXMP_PREFIX}/include)
# No libpng: frames leave through the page's canvas, and the host's PNG writer stays out.
add_library(PNG::PNG INTERFACE IMPORTED)
# One thread: the stand-ins' locks cost nothing and nothing starts a thread.
add_library(Threads::Threads INTERFACE IMPORTED)

# The native font converter reads the machine's X11 fonts, found outside emscripten's
# system root.
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
include(${CMAKE_CURRENT_LIST_DIR}/native_tools.cmake)

# The same code generation as natively; SSE intrinsics map onto WebAssembly SIMD.
add_compile_options(-msimd128 -msse2)
# Optimised across the whole program at link time: a fifth off the house frame, whose
# calls cross the stand-ins' files.
add_compile_options(-flto)
add_link_options(-flto)
# The pixel tables are computed at compile time; clang's default step limit is too low.
add_compile_options(-fconstexpr-steps=200000000)

# Only the program's folders, with the browser's host in place of the native ones
# (program/ then builds the browser's entry and its site).
function(mornakle_web_folders folders)
    set(kept)
    foreach(folder IN LISTS ${folders})
        if(NOT folder MATCHES "^(tools|tests|bench|fuzz|platform/host/(sdl|headless))$")
            list(APPEND kept ${folder})
        endif()
    endforeach()
    list(FIND kept program at)
    list(INSERT kept ${at} platform/host/web)
    set(${folders} ${kept} PARENT_SCOPE)
endfunction()
