# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
# The build's layers, checked when it is configured:
#  - the demo's libraries link only the platform's API and one another, so which
#    platform the demo runs on is chosen where an executable is linked;
#  - nothing under platform/ links a demo library, directly or through another
#    library, or has a demo folder on its include path: the platform knows no demo.
# Included by the top-level CMakeLists.txt, and by the probe projects of the
# platform_boundary test (cmake/platform_boundary_test.cmake).

set(MORNAKLE_DEMO_LIBRARIES demo_app demo_display demo_engine demo_scenes demo_effects mornakle_resources)

# The target a link item names, without the generator expressions around it.
function(mornakle_linked_target item out)
    if(item MATCHES "^\\$<(LINK_ONLY|TARGET_OBJECTS):([^>]+)>$")
        set(item ${CMAKE_MATCH_2})
    endif()
    set(${out} ${item} PARENT_SCOPE)
endfunction()

# A target's own PROPERTY (which an interface library has none of) and its INTERFACE_PROPERTY,
# as one list.
function(mornakle_own_and_passed target property out)
    set(values "")
    get_target_property(type ${target} TYPE)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
        get_target_property(own ${target} ${property})
        list(APPEND values ${own})
    endif()
    get_target_property(passed ${target} INTERFACE_${property})
    list(APPEND values ${passed})
    set(${out} ${values} PARENT_SCOPE)
endfunction()

function(mornakle_check_demo_layers)
    foreach(library IN LISTS MORNAKLE_DEMO_LIBRARIES)
        get_target_property(direct ${library} LINK_LIBRARIES)
        get_target_property(passed ${library} INTERFACE_LINK_LIBRARIES)
        foreach(linked IN LISTS direct passed)
            if(linked AND NOT linked MATCHES "^(demo_.*|platform_api.*|platform_resource_format)$")
                message(FATAL_ERROR "${library} links ${linked}: the demo may link only the platform's API")
            endif()
        endforeach()
    endforeach()
endfunction()

# Every target made in `folder` and the folders below it.
function(mornakle_targets_below folder out)
    get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(children DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
    foreach(child IN LISTS children)
        mornakle_targets_below(${child} below)
        list(APPEND targets ${below})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

function(mornakle_check_platform_boundary)
    set(demoFolders "")
    foreach(folder app display engine scenes effects resources)
        list(APPEND demoFolders ${CMAKE_SOURCE_DIR}/${folder})
    endforeach()
    set(failures "")
    set(platformTargets "")
    get_property(children DIRECTORY ${CMAKE_SOURCE_DIR} PROPERTY SUBDIRECTORIES)
    foreach(child IN LISTS children)
        if(child MATCHES "^${CMAKE_SOURCE_DIR}/platform(/|$)")
            mornakle_targets_below(${child} below)
            list(APPEND platformTargets ${below})
        endif()
    endforeach()
    list(REMOVE_DUPLICATES platformTargets)
    foreach(target IN LISTS platformTargets)
        # Everything the target links, followed through the libraries it links.
        set(pending ${target})
        set(seen "")
        while(pending)
            list(POP_FRONT pending current)
            if(current IN_LIST seen)
                continue()
            endif()
            list(APPEND seen ${current})
            mornakle_own_and_passed(${current} LINK_LIBRARIES linked)
            foreach(item IN LISTS linked)
                mornakle_linked_target("${item}" name)
                if(name IN_LIST MORNAKLE_DEMO_LIBRARIES)
                    string(APPEND failures "${target} links the demo library ${name}")
                    if(NOT current STREQUAL target)
                        string(APPEND failures " (through ${current})")
                    endif()
                    string(APPEND failures "\n")
                elseif(name AND TARGET ${name})
                    list(APPEND pending ${name})
                endif()
            endforeach()
        endwhile()
        # And no demo folder, nor the source root above them, on its include path.
        mornakle_own_and_passed(${target} INCLUDE_DIRECTORIES includes)
        foreach(folder IN LISTS includes)
            if(folder IN_LIST demoFolders OR folder STREQUAL CMAKE_SOURCE_DIR
               OR (MORNAKLE_DEMO_INCLUDE AND folder MATCHES "^${MORNAKLE_DEMO_INCLUDE}"))
                string(APPEND failures "${target} has ${folder} on its include path\n")
            endif()
        endforeach()
    endforeach()
    if(failures)
        message(FATAL_ERROR "The platform must know no demo:\n${failures}")
    endif()
endfunction()
