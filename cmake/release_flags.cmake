# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# A build as it is released (MORNAKLE_RELEASE): the same files from any folder, and, for
# the native programs, Debian's hardening flags as dpkg-buildflags gives them (fortify,
# stack protection, relocations read-only and bound at start, position-independent
# code), without its optimisation level and debug information: the project's own
# optimisation stays, and the package's programs are stripped. A cross build asks for
# the flags of the machine it builds for.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=mornakle-${MORNAKLE_VERSION}
    -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
if(EMSCRIPTEN)
    return()
endif()

function(mornakle_hardening_flags variable out)
    set(host "")
    if(MORNAKLE_DEBIAN_ARCH)
        set(host DEB_HOST_ARCH=${MORNAKLE_DEBIAN_ARCH})
    endif()
    execute_process(COMMAND env ${host} DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get ${variable}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^(-g.*|-O.*|-ffile-prefix-map=.*|-fdebug-prefix-map=.*)$")
    set(${out} ${flags} PARENT_SCOPE)
endfunction()
mornakle_hardening_flags(CPPFLAGS cppFlags)
mornakle_hardening_flags(CFLAGS cFlags)
mornakle_hardening_flags(CXXFLAGS cxxFlags)
mornakle_hardening_flags(LDFLAGS ldFlags)
add_compile_options(${cppFlags} "$<$<COMPILE_LANGUAGE:C>:${cFlags}>" "$<$<COMPILE_LANGUAGE:CXX>:${cxxFlags}>")
add_link_options(${ldFlags})
message(STATUS "Hardening: ${cppFlags} ${cxxFlags} ${ldFlags}")
