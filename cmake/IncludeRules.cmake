# The include rules of the source folders, checked rather than remembered (ARCHITECTURE.md,
# "Rooms"). Run as a script:
#
#   cmake -DSOURCE_DIR=<source folder> -P cmake/IncludeRules.cmake
#
# Every .h and .cpp under the folders below is read for its #include lines. A quoted include
# names a project file by its path from the source folder ("model/Investment.h"), or a file
# beside the including one; its room is its first folder, and ui/'s second folder as well.
# The script stops with an error naming file, line and include for every include a room may
# not make.

cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
    message(FATAL_ERROR "IncludeRules: give the source folder as -DSOURCE_DIR=...")
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

# The rooms whose files are checked.
set(_rooms format model persist analysis export ui tools app)

# The rooms each room may include besides itself. ui/* may include every lower room and the
# other ui/ rooms; tools may include ui/ (velreport draws with the report's painter); app is
# the top and may include every room but tools.
set(_lower format model persist analysis export)
set(_may_format)
set(_may_model format)
set(_may_persist model format)
set(_may_analysis persist model format)
set(_may_export analysis persist model format)
set(_may_ui ${_lower} ui)
set(_may_tools ${_lower} ui)
set(_may_app ${_lower} ui)

# Rooms without Qt: no <Q...> header, no Qt header by its lower-case name.
set(_no_qt format model persist analysis export)
# Rooms that use the standard library alone: an angle include names a standard C++ header,
# which has neither an extension nor a folder (<string>, <charconv>).
set(_std_only format)

# Includes that break a rule today and are kept for a reason: "file|include|reason", one a
# line. Each is reported as a notice while it is present, and as an error once it is gone, so
# that the list never outlives what it excuses.
set(_known_exceptions
)

set(_failures "")
set(_seen_exceptions "")

# The room of a path relative to the source folder ("ui/shell/MainFrame.h" -> "ui/shell",
# "model/Scales.h" -> "model"): its first folder, or an empty string for a path without one.
function(_room_of path out)
    string(REPLACE "\\" "/" path "${path}")
    set(room "")
    if(path MATCHES "^ui/([^/]+)/")
        set(room "ui/${CMAKE_MATCH_1}")
    elseif(path MATCHES "^([^/]+)/")
        set(room "${CMAKE_MATCH_1}")
    endif()
    set(${out} "${room}" PARENT_SCOPE)
endfunction()

# The rule key of a room: "ui/shell" follows the rules of "ui".
function(_rule_key room out)
    string(REGEX REPLACE "/.*" "" key "${room}")
    set(${out} "${key}" PARENT_SCOPE)
endfunction()

# The line number of the first line of `file` that starts with `text`.
function(_line_of file text out)
    file(READ "${file}" content)
    # Semicolons and brackets would split or join the lines of a CMake list.
    string(REPLACE ";" "<semicolon>" content "${content}")
    string(REPLACE "[" "<open>" content "${content}")
    string(REPLACE "]" "<close>" content "${content}")
    string(REPLACE ";" "<semicolon>" text "${text}")
    string(REPLACE "[" "<open>" text "${text}")
    string(REPLACE "]" "<close>" text "${text}")
    string(REPLACE "\r" "" content "${content}")
    string(REPLACE "\n" ";" lines "${content}")
    set(n 0)
    foreach(line IN LISTS lines)
        math(EXPR n "${n} + 1")
        string(FIND "${line}" "${text}" at)
        if(at EQUAL 0)
            set(${out} ${n} PARENT_SCOPE)
            return()
        endif()
    endforeach()
    set(${out} "?" PARENT_SCOPE)
endfunction()

function(_fail file_rel file_abs line_text name why)
    # A listed exception is noted, not failed.
    foreach(entry IN LISTS _known_exceptions)
        string(REPLACE "|" ";" parts "${entry}")
        list(GET parts 0 ex_file)
        list(GET parts 1 ex_include)
        if(ex_file STREQUAL file_rel AND ex_include STREQUAL name)
            list(APPEND _seen_exceptions "${entry}")
            set(_seen_exceptions "${_seen_exceptions}" PARENT_SCOPE)
            return()
        endif()
    endforeach()
    _line_of("${file_abs}" "${line_text}" line)
    string(STRIP "${line_text}" shown)
    string(REPLACE ";" "," shown "${shown}")
    list(APPEND _failures "${file_rel}:${line}: ${shown}  -- ${why}")
    set(_failures "${_failures}" PARENT_SCOPE)
endfunction()

set(_checked 0)
foreach(room IN LISTS _rooms)
    if(NOT IS_DIRECTORY "${SOURCE_DIR}/${room}")
        continue()
    endif()
    file(GLOB_RECURSE _files RELATIVE "${SOURCE_DIR}"
         "${SOURCE_DIR}/${room}/*.h" "${SOURCE_DIR}/${room}/*.cpp")
    list(SORT _files)
    foreach(rel IN LISTS _files)
        math(EXPR _checked "${_checked} + 1")
        set(abs "${SOURCE_DIR}/${rel}")
        get_filename_component(dir "${abs}" DIRECTORY)
        _room_of("${rel}" from)
        _rule_key("${from}" from_key)
        file(STRINGS "${abs}" _includes REGEX "^[ \t]*#[ \t]*include")
        foreach(inc_line IN LISTS _includes)
            if(NOT inc_line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
                continue()
            endif()
            set(kind "${CMAKE_MATCH_1}")
            set(name "${CMAKE_MATCH_2}")
            if(from_key IN_LIST _no_qt AND
               (name MATCHES "^Q" OR name MATCHES "^qt" OR name MATCHES "^q[a-z0-9_]*\\.h$"))
                _fail("${rel}" "${abs}" "${inc_line}" "${name}" "${from} uses no Qt")
                continue()
            endif()
            # Which file a quoted include names: one beside the including file first, then one
            # from the source folder. An angle include names a system or library header.
            set(target "")
            if(kind STREQUAL "\"")
                if(EXISTS "${dir}/${name}" AND NOT IS_DIRECTORY "${dir}/${name}")
                    get_filename_component(target "${dir}/${name}" ABSOLUTE)
                    file(RELATIVE_PATH target "${SOURCE_DIR}" "${target}")
                else()
                    set(target "${name}")
                endif()
                if(target MATCHES "^tests/" OR target MATCHES "^\\.\\./")
                    _fail("${rel}" "${abs}" "${inc_line}" "${name}"
                          "nothing includes the tests or files outside the source folder")
                    continue()
                endif()
            endif()
            set(to "")
            if(NOT target STREQUAL "")
                _room_of("${target}" to)
            endif()
            _rule_key("${to}" to_key)
            if(NOT to_key IN_LIST _rooms)
                # A system or library header.
                if(from_key IN_LIST _std_only AND (kind STREQUAL "\"" OR name MATCHES "[./]"))
                    _fail("${rel}" "${abs}" "${inc_line}" "${name}"
                          "${from} uses the standard library alone")
                endif()
                continue()
            endif()
            if(to STREQUAL from OR to_key IN_LIST _may_${from_key})
                continue()
            endif()
            set(allowed "${_may_${from_key}}")
            if(allowed STREQUAL "")
                set(allowed "nothing but itself")
            else()
                list(TRANSFORM allowed REPLACE "^ui$" "ui/*")
                string(REPLACE ";" ", " allowed "${allowed}")
                set(allowed "only itself, ${allowed}")
            endif()
            _fail("${rel}" "${abs}" "${inc_line}" "${name}" "${from} may include ${allowed}")
        endforeach()
    endforeach()
endforeach()

# An exception whose include is gone is taken off the list.
foreach(entry IN LISTS _known_exceptions)
    if(NOT entry IN_LIST _seen_exceptions)
        string(REPLACE "|" ";" parts "${entry}")
        list(GET parts 0 ex_file)
        list(GET parts 1 ex_include)
        list(APPEND _failures "${ex_file}: \"${ex_include}\" is listed as an exception but no longer included: take it off the list")
    endif()
endforeach()
list(REMOVE_DUPLICATES _seen_exceptions)
foreach(entry IN LISTS _seen_exceptions)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 ex_file)
    list(GET parts 1 ex_include)
    list(GET parts 2 ex_reason)
    message(STATUS "IncludeRules: known exception ${ex_file} -> ${ex_include}: ${ex_reason}")
endforeach()

if(_failures)
    list(LENGTH _failures _count)
    string(REPLACE ";" "\n  " _text "${_failures}")
    message(FATAL_ERROR "IncludeRules: ${_count} include(s) break the rules:\n  ${_text}\n"
                        "See ARCHITECTURE.md, \"Rooms\".")
endif()
message(STATUS "IncludeRules: ${_checked} files follow the include rules")
