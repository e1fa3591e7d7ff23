# SPDX-FileCopyrightText: 2026 Mornakle 3D developers
# SPDX-License-Identifier: MIT
cmake_minimum_required(VERSION 3.25)
# Run by CTest: the configure-time check of cmake/layers.cmake refuses a platform
# library that reaches the demo, and passes one that does not.
#   cmake -DSOURCE_DIR=... -DWORK_DIR=... -P platform_boundary_test.cmake
# A probe project with a demo library, a library outside both layers and a stand-in
# under platform/ is configured once for each way the stand-in can reach the demo.
set(probe ${WORK_DIR}/probe)
file(REMOVE_RECURSE ${WORK_DIR})
file(WRITE ${probe}/CMakeLists.txt "cmake_minimum_required(VERSION 3.25)
project(PlatformBoundaryProbe NONE)
include(${SOURCE_DIR}/cmake/layers.cmake)
add_subdirectory(engine)
add_subdirectory(glue)
add_subdirectory(platform/stand_in)
mornakle_check_platform_boundary()
")
file(WRITE ${probe}/engine/CMakeLists.txt "add_library(demo_engine INTERFACE)\nadd_library(mornakle_resources INTERFACE)\n")
file(WRITE ${probe}/glue/CMakeLists.txt "add_library(glue INTERFACE)\ntarget_link_libraries(glue INTERFACE demo_engine)\n")
file(WRITE ${probe}/platform/stand_in/CMakeLists.txt "add_library(platform_probe INTERFACE)
add_library(platform_helper INTERFACE)
target_link_libraries(platform_probe INTERFACE platform_helper)
if(CASE STREQUAL \"direct\")
    target_link_libraries(platform_helper INTERFACE demo_engine)
elseif(CASE STREQUAL \"through\")
    target_link_libraries(platform_helper INTERFACE glue)
elseif(CASE STREQUAL \"objects\")
    target_link_libraries(platform_probe INTERFACE $<TARGET_OBJECTS:mornakle_resources>)
elseif(CASE STREQUAL \"include\")
    target_include_directories(platform_probe INTERFACE \${CMAKE_SOURCE_DIR}/engine)
endif()
")

# case, then what the check must say ("" when it must pass).
set(cases
    "clean" ""
    "direct" "platform_helper links the demo library demo_engine"
    "through" "platform_probe links the demo library demo_engine [(]through glue[)]"
    "objects" "platform_probe links the demo library mornakle_resources"
    "include" "platform_probe has [^ ]*/engine on its include path")
set(failures "")
while(cases)
    list(POP_FRONT cases case expected)
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${probe} -B ${WORK_DIR}/${case} -DCASE=${case}
        RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
    # CMake wraps long messages: read them as one line.
    string(REGEX REPLACE "[ \n]+" " " errors "${errors}")
    if(expected STREQUAL "" AND NOT result EQUAL 0)
        string(APPEND failures "${case}: refused a platform that knows no demo:\n${errors}\n")
    elseif(NOT expected STREQUAL "" AND result EQUAL 0)
        string(APPEND failures "${case}: configured a platform that reaches the demo\n")
    elseif(NOT expected STREQUAL "" AND NOT errors MATCHES "${expected}")
        string(APPEND failures "${case}: refused without saying \"${expected}\":\n${errors}\n")
    endif()
endwhile()
if(failures)
    message(FATAL_ERROR "${failures}")
endif()
message(STATUS "the platform boundary check refuses each way into the demo")
