# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# A build for another machine (WebAssembly, arm64) runs nothing of its own while it
# builds: the programs that make sources and data at build time come from the native
# build in MORNAKLE_NATIVE_BUILD, which writes the same bytes as any other build would.
set(MORNAKLE_NATIVE_BUILD ${CMAKE_SOURCE_DIR}/build CACHE PATH "The native build, for its tools and data")

# mornakle_native_tool(target path-in-the-native-build): an imported program of the
# build machine, run without the target machine's emulator.
function(mornakle_native_tool target path)
    set(location ${MORNAKLE_NATIVE_BUILD}/${path})
    if(NOT EXISTS ${location})
        message(FATAL_ERROR "No ${location}: build the native program first (make build)")
    endif()
    add_executable(${target} IMPORTED GLOBAL)
    set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${location} CROSSCOMPILING_EMULATOR "")
endfunction()

# The font converter writes the GDI stand-in's font tables.
mornakle_native_tool(gdi-fontgen platform/gdi/gdi-fontgen)
