# libxmp, the player behind the sound library, from Debian's source package: fetched
# once into MORNAKLE_SOURCES_DIR with `apt-get source --download-only` under a private
# apt configuration (a deb-src entry of its own; the machine's apt sources are left
# alone), unpacked with Debian's patches into this build folder, built by its own
# configure script for the target and linked statically. Defines the target `xmp`.
set(MORNAKLE_DEBIAN_MIRROR "http://deb.debian.org/debian" CACHE STRING "The Debian archive libxmp's source comes from")
set(MORNAKLE_DEBIAN_SUITE "bookworm" CACHE STRING "The Debian release libxmp's source comes from")

function(fetch_debian_source package into)
    file(GLOB found ${into}/${package}_*.dsc)
    if(found)
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
        execute_process(COMMAND apt-get ${options} source --download-only ${package}
            WORKING_DIRECTORY ${into} RESULT_VARIABLE failed)
    endif()
    file(GLOB found ${into}/${package}_*.dsc)
    if(failed OR NOT found)
        message(FATAL_ERROR "Cannot fetch Debian's ${package} source package from ${MORNAKLE_DEBIAN_MIRROR}")
    endif()
endfunction()

fetch_debian_source(libxmp ${MORNAKLE_SOURCES_DIR})
set(xmpSource ${CMAKE_BINARY_DIR}/libxmp)
if(NOT EXISTS ${xmpSource}/configure)
    file(GLOB dsc ${MORNAKLE_SOURCES_DIR}/libxmp_*.dsc)
    file(REMOVE_RECURSE ${xmpSource})
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
        "CFLAGS=-O2"
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
