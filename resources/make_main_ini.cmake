# Writes the bundled main.ini and brings the application folder's main.ini up
# to date with it.
#
# The bundled file registers the sample library "Delphi Code" as the default
# library, loaded at start-up, the shipped language files, and one Scripts
# entry per scheme script: key = the script's base name, value = the scheme's
# display name (its `name = '...'` line, else the base name), ";", and
# scripts\<base name>.dat. It holds no HasRun1, so the first-run message still
# shows once.
#
# The application folder's main.ini is the user's settings file once the
# program has run: when it exists, only the keys it lacks are added, through
# the profile functions of tarnwick-cli; nothing there is changed.
#
# Usage: cmake -DBUNDLE_FILE=... -DTARGET_FILE=... -DCLI=tarnwick-cli
#              -DSCHEMES="a.txt|b.txt" -P make_main_ini.cmake
set(entries
    "Options|DefaultIni|Delphi Code"
    "Options|LoadDefault|1"
    "Files|Delphi Code|Tarnwick.Ini"
    "Language Files|english|english.lng"
    "Language Files|german|german.lng")
string(REPLACE "|" ";" scheme_list "${SCHEMES}")
foreach(script IN LISTS scheme_list)
    get_filename_component(key "${script}" NAME_WE)
    set(display "${key}")
    file(STRINGS "${script}" name_lines REGEX "^[ \t]*[Nn][Aa][Mm][Ee][ \t]*=[ \t]*'[^';]+'")
    if(name_lines)
        list(GET name_lines 0 name_line)
        string(REGEX REPLACE "^[^']*'([^']+)'.*$" "\\1" display "${name_line}")
    endif()
    list(APPEND entries "Scripts|${key}|${display}\;scripts\\${key}.dat")
endforeach()

# Sets entry_section, entry_key and entry_value from "section|key|value". A
# function, not a macro: a macro would read the backslash of a value again as
# an escape.
function(split_entry entry)
    string(REPLACE "|" ";" fields "${entry}")
    list(GET fields 0 section)
    list(GET fields 1 key)
    list(SUBLIST fields 2 -1 value_parts)
    string(JOIN ";" value ${value_parts})
    set(entry_section "${section}" PARENT_SCOPE)
    set(entry_key "${key}" PARENT_SCOPE)
    set(entry_value "${value}" PARENT_SCOPE)
endfunction()

set(text "")
set(section "")
foreach(entry IN LISTS entries)
    split_entry("${entry}")
    if(NOT entry_section STREQUAL section)
        string(APPEND text "[${entry_section}]\r\n")
        set(section "${entry_section}")
    endif()
    string(APPEND text "${entry_key}=${entry_value}\r\n")
endforeach()
file(WRITE "${BUNDLE_FILE}" "${text}")

if(NOT EXISTS "${TARGET_FILE}")
    file(COPY_FILE "${BUNDLE_FILE}" "${TARGET_FILE}")
    return()
endif()
set(absent "<not in main.ini>")
foreach(entry IN LISTS entries)
    split_entry("${entry}")
    execute_process(
        COMMAND "${CLI}" profile get "${TARGET_FILE}" "${entry_section}" "${entry_key}" "${absent}"
        OUTPUT_VARIABLE current OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
    if(current STREQUAL absent)
        execute_process(
            COMMAND "${CLI}" profile set "${TARGET_FILE}" "${entry_section}" "${entry_key}"
                    "${entry_value}"
            COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()
