# Fails when a file of a folder of src/ includes a header of a folder it may not depend on.
#
#     cmake -DSRC=<the src folder> -P scripts/check-includes.cmake
#
# Dependencies point one way:
#
#     ports <- text <- store <- records <- employees <- payroll <- printing <- reports <- shell <- ui <- app
#
# and the accessories depend on ports and text only (shell, ui and app may include them). Every library
# shares the src/ include root, so the compiler would accept an upward include; the linker
# refuses only the calls it brings, and only when one is made. This check refuses the include.
#
# An include is resolved as the compiler resolves it: a quoted name next to the including file
# first, then under src/; an angled name under src/. A name that resolves to no file still
# counts when its first folder is one of src/'s folders ("shell/x.h"), so that an include
# cannot slip through by naming a header before it exists. Other names (Qt, the standard
# library, the system) are not ours and are skipped. A folder of src/ missing from the order
# below fails the check until it is given its place.

cmake_minimum_required(VERSION 3.21)

if(NOT SRC OR NOT IS_DIRECTORY "${SRC}")
    message(FATAL_ERROR "check-includes: -DSRC=<src folder> is required")
endif()
cmake_path(ABSOLUTE_PATH SRC NORMALIZE OUTPUT_VARIABLE src)
string(REGEX REPLACE "/$" "" src "${src}")

# may_<folder>: the other folders its files may include.
set(order ports text store records employees payroll printing reports shell ui app)
set(below "")
foreach(folder IN LISTS order)
    set(may_${folder} ${below})
    list(APPEND below ${folder})
    # Everything from the shell up may open the accessories.
    if(folder STREQUAL "reports")
        list(APPEND below accessories)
    endif()
endforeach()
set(may_accessories ports text)
set(known ${order} accessories)

# The folder of src/ that path (absolute, normalised) lies in, or "" when it is outside src/.
function(folder_of path out)
    set(result "")
    string(LENGTH "${src}/" n)
    string(SUBSTRING "${path}" 0 ${n} head)
    if(head STREQUAL "${src}/")
        string(SUBSTRING "${path}" ${n} -1 rest)
        string(REGEX MATCH "^[^/]+/" first "${rest}")
        string(REGEX REPLACE "/$" "" result "${first}")
    endif()
    set(${out} "${result}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE files LIST_DIRECTORIES false
    "${src}/*.h" "${src}/*.hpp" "${src}/*.cpp" "${src}/*.cc" "${src}/*.inl")
list(SORT files)
set(faults "")
set(checked 0)
foreach(file IN LISTS files)
    folder_of("${file}" folder)
    file(RELATIVE_PATH shown "${src}" "${file}")
    if(folder STREQUAL "")
        list(APPEND faults "src/${shown}: a source file belongs in one of the folders of src/")
        continue()
    endif()
    if(NOT folder IN_LIST known)
        list(APPEND faults "src/${shown}: the folder ${folder}/ has no place in the one-way order (scripts/check-includes.cmake)")
        continue()
    endif()
    get_filename_component(here "${file}" DIRECTORY)
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
        if(NOT line MATCHES "#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
            continue()
        endif()
        set(quote "${CMAKE_MATCH_1}")
        set(name "${CMAKE_MATCH_2}")
        math(EXPR checked "${checked} + 1")
        set(target "")
        set(candidates "${src}/${name}")
        if(quote STREQUAL "\"")
            list(PREPEND candidates "${here}/${name}")
        endif()
        foreach(candidate IN LISTS candidates)
            cmake_path(NORMAL_PATH candidate)
            if(EXISTS "${candidate}" AND NOT IS_DIRECTORY "${candidate}")
                folder_of("${candidate}" target)
                set(found ON)
                break()
            endif()
        endforeach()
        if(target STREQUAL "" AND NOT found)
            string(REGEX MATCH "^[^/]+/" first "${name}")
            string(REGEX REPLACE "/$" "" first "${first}")
            if(first IN_LIST known)
                set(target "${first}")
            endif()
        endif()
        unset(found)
        if(target STREQUAL "" OR target STREQUAL folder OR target IN_LIST may_${folder})
            continue()
        endif()
        set(allowed "${may_${folder}}")
        if(allowed)
            list(JOIN allowed "/, " allowed)
            set(allowed "it may include ${allowed}/")
        else()
            set(allowed "it may include nothing of another folder")
        endif()
        list(APPEND faults "src/${shown}: ${folder}/ may not include ${name} (${allowed})")
    endforeach()
endforeach()

if(faults)
    list(LENGTH faults count)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "${count} include(s) against the one-way rule "
        "(ports <- text <- store <- records <- employees <- payroll <- printing <- reports <- shell <- ui <- app; "
        "accessories on ports and text only):\n  ${text}")
endif()
list(LENGTH files nfiles)
message(STATUS "one-way rule: ${nfiles} files, ${checked} includes, none upward")
