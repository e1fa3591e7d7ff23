# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# libxmp, the player behind the sound library, from Debian's source package: fetched
# once into MORNAKLE_SOURCES_DIR with `apt-get source --download-only` under a private
# apt configuration (a deb-src entry of its own; the machine's apt sources are left
# alone), unpacked with Debian's patches into this build folder, built by its own
# configure script for the target and linked statically. Defines the target `xmp`, and
# MORNAKLE_LIBXMP_SOURCES, the source package's files, which the zip carries.
# The version is pinned (cmake/libxmp_debian_version.txt), so that every build of a
# release links the same libxmp, and the fetched files are checked against the .dsc.
set(MORNAKLE_DEBIAN_MIRROR "http://deb.debian.org/debian" CACHE STRING "The Debian archive libxmp's source comes from")
set(MORNAKLE_DEBIAN_SUITE "bookworm" CACHE STRING "The Debian release libxmp's source comes from")

file(STRINGS ${root}/cmake/libxmp_debian_version.txt MORNAKLE_LIBXMP_VERSION LIMIT_COUNT 1)

function(fetch_debian_source package version into)
    if(EXISTS ${into}/${package}_${version}.dsc)
        return()
    endif()
    set(apt ${into}/apt)
    file(MAKE_DIRECTORY ${apt}/lists/partial ${apt}/sources ${apt}/cache)
    file(WRITE ${apt}/sources/debian-src.sources
        "Types: deb-src\n"
        "URIs: ${MORNAKLE_DEBIAN_MIRROR}\n"
        "Suites: ${MORNAKLE_DEBIAN_SUITE}\n"
        "Components: main\n"
        "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg\n")
    execute_process(COMMAND id -un OUTPUT_VARIABLE user OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(options
        -o Dir::Etc::SourceParts=${apt}/sources -o Dir::Etc::SourceList=/dev/null
        -o Dir::State::Lists=${apt}/lists -o Dir::Cache=${apt}/cache
        -o APT::Sandbox::User=${user})
    message(STATUS "Fetching Debian's ${package} source package into ${into}")
    execute_process(COMMAND apt-get ${options} -qq update RESULT_VARIABLE failed)
    if(NOT failed)
        execute_process(COMMAND apt-get ${options} source --download-only ${package}=${version}
            WORKING_DIRECTORY ${into} RESULT_VARIABLE failed)
    endif()
    if(failed OR NOT EXISTS ${into}/${package}_${version}.dsc)
        message(FATAL_ERROR "Cannot fetch Debian's ${package} source package from ${MORNAKLE_DEBIAN_MIRROR}")
    endif()
endfunction()

fetch_debian_source(libxmp ${MORNAKLE_LIBXMP_VERSION} ${MORNAKLE_SOURCES_DIR})
set(dsc ${MORNAKLE_SOURCES_DIR}/libxmp_${MORNAKLE_LIBXMP_VERSION}.dsc)
execute_process(COMMAND ${root}/tools/release/check_dsc.sh ${dsc} ${MORNAKLE_LIBXMP_VERSION} COMMAND_ERROR_IS_FATAL ANY)
include(${root}/cmake/debian_source_files.cmake)
mornakle_debian_source_files(${dsc} ${MORNAKLE_SOURCES_DIR} MORNAKLE_LIBXMP_SOURCES)
set(xmpSource ${CMAKE_BINARY_DIR}/libxmp)
if(NOT EXISTS ${xmpSource}/configure)
    file(REMOVE_RECURSE ${xmpSource})
    # Checked above: dpkg-source need not check the signature, which needs a keyring.
    execute_process(COMMAND dpkg-source --no-check -x ${dsc} ${xmpSource} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endif()

# libxmp's build writes into its own tree, so each architecture unpacks its own copy.
set(xmpCompiler ${CMAKE_C_COMPILER})
if(CMAKE_C_COMPILER_LAUNCHER)
    set(xmpCompiler "${CMAKE_C_COMPILER_LAUNCHER} ${CMAKE_C_COMPILER}")
endif()
include(ExternalProject)
ExternalProject_Add(libxmp_build
    SOURCE_DIR ${xmpSource}
    BUILD_IN_SOURCE TRUE
    CONFIGURE_COMMAND ./configure --host=${MINGW_TRIPLET} --disable-shared --enable-static "CC=${xmpCompiler}"
        "CFLAGS=-O2 ${MORNAKLE_PREFIX_MAP}"
    BUILD_COMMAND $(MAKE)
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${xmpSource}/lib/libxmp.a
    LOG_CONFIGURE TRUE
    LOG_BUILD TRUE)

add_library(xmp INTERFACE)
target_include_directories(xmp INTERFACE ${xmpSource}/include)
target_compile_definitions(xmp INTERFACE BUILDING_STATIC)  # no DLL imports
target_link_libraries(xmp INTERFACE ${xmpSource}/lib/libxmp.a)
add_dependencies(xmp libxmp_build)
