# SPDX-License-Identifier: GPL-3.0-or-later
# The warnings every target of our own asks for (CMAKE_COMPILE_WARNING_AS_ERROR makes them errors).
function(varnelox_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()

# varnelox_add_library(name SOURCES ... LIBS ...): a static library of one folder, which exports only its own
# folder for includes; what it links it uses through those libraries' folders.
function(varnelox_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC "${CMAKE_CURRENT_SOURCE_DIR}")
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    varnelox_warnings(${name})
endfunction()

# varnelox_add_test(name SOURCES ... LIBS ... [ENV ...]): one Qt Test executable per unit, run offscreen.
function(varnelox_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
    target_include_directories(${name} PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}")
    varnelox_warnings(${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VARNELOX_PROGRAM_DIR=${VARNELOX_PROGRAM_DIR};VARNELOX_SOURCE_DIR=${CMAKE_SOURCE_DIR};${ARG_ENV}"
        TIMEOUT 300)
endfunction()
