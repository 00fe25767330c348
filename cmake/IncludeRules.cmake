# The include rules of the source folders, checked rather than remembered (ARCHITECTURE.md,
# "Rooms"). Run as a script:
#
#   cmake -DSOURCE_DIR=<source folder> -P cmake/IncludeRules.cmake
#
# Every .h and .cpp of a room is read for its #include lines. A quoted include names a file
# beside the including one or a path from the source folder, whose first folder is its room;
# the script stops with an error naming every include a room may not make.
cmake_minimum_required(VERSION 3.25)
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

set(_rooms format model persist analysis export ui tools app)
# The rooms without Qt, and what each room may include besides itself. ui/'s folders include
# each other; velreport in tools/ draws with ui/report.
set(_lower format model persist analysis export)
set(_may_format)
set(_may_model format)
set(_may_persist model format)
set(_may_analysis persist model format)
set(_may_export analysis persist model format)
set(_may_ui ${_lower})
set(_may_tools ${_lower} ui)
set(_may_app ${_lower} ui)

set(_failures)
set(_checked 0)
foreach(room IN LISTS _rooms)
    file(GLOB_RECURSE _files RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${room}/*.h"
         "${SOURCE_DIR}/${room}/*.cpp")
    foreach(rel IN LISTS _files)
        math(EXPR _checked "${_checked} + 1")
        get_filename_component(dir "${rel}" DIRECTORY)
        file(STRINGS "${SOURCE_DIR}/${rel}" _includes REGEX "^[ \t]*#[ \t]*include")
        foreach(line IN LISTS _includes)
            if(NOT line MATCHES "include[ \t]*([<\"])([^>\"]+)")
                continue()
            endif()
            set(name "${CMAKE_MATCH_2}")
            set(why "")
            if(CMAKE_MATCH_1 STREQUAL "<")
                # A system or library header: none of Qt below ui/, none but the standard
                # library's (no extension, no folder) in format/.
                if(room IN_LIST _lower AND name MATCHES "^(Q|qt|q[a-z0-9_]*\\.h$)")
                    set(why "${room} uses no Qt")
                elseif(room STREQUAL "format" AND name MATCHES "[./]")
                    set(why "format uses the standard library alone")
                endif()
            else()
                set(target "${name}")
                if(EXISTS "${SOURCE_DIR}/${dir}/${name}")
                    set(target "${dir}/${name}")
                endif()
                string(REGEX MATCH "^[^/]+" to "${target}")
                if(to STREQUAL "tests" OR name MATCHES "\\.\\.")
                    set(why "nothing includes the tests or files outside the source folder")
                elseif(to IN_LIST _rooms AND NOT to STREQUAL room AND NOT to IN_LIST _may_${room})
                    list(JOIN _may_${room} ", " allowed)
                    set(why "${room} may include only itself and: ${allowed}")
                endif()
            endif()
            if(why)
                string(STRIP "${line}" line)
                list(APPEND _failures "${rel}: ${line}  -- ${why}")
            endif()
        endforeach()
    endforeach()
endforeach()

if(_failures)
    list(LENGTH _failures _count)
    string(REPLACE ";" "\n  " _text "${_failures}")
    message(FATAL_ERROR "IncludeRules: ${_count} include(s) break the rules:\n  ${_text}\n"
                        "See ARCHITECTURE.md, \"Rooms\".")
endif()
message(STATUS "IncludeRules: ${_checked} files follow the include rules")
