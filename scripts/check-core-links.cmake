# Fails when an object of the core libraries needs a symbol that a Qt GUI library defines:
# the core runs on QtCore alone, whatever program links it (korvel-cli links the GUI libraries
# for its print command, so the tool's binary proves nothing).
#
#     cmake "-DARCHIVES=a.a|b.a" "-DGUI_LIBRARIES=libQt6Gui.so|..." -DWORK=<folder> -P check-core-links.cmake

cmake_minimum_required(VERSION 3.21)

foreach(var ARCHIVES GUI_LIBRARIES WORK)
    if(NOT ${var})
        message(FATAL_ERROR "check-core-links: -D${var}=... is required")
    endif()
endforeach()
string(REPLACE "|" ";" archives "${ARCHIVES}")
string(REPLACE "|" ";" gui_libraries "${GUI_LIBRARIES}")
file(MAKE_DIRECTORY "${WORK}")

# Every symbol the GUI libraries export, without its version.
set(gui_symbols "")
foreach(lib IN LISTS gui_libraries)
    execute_process(COMMAND nm -D --defined-only --without-symbol-versions --format=just-symbols "${lib}"
                    OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "check-core-links: nm failed on ${lib}")
    endif()
    string(APPEND gui_symbols "${symbols}")
endforeach()
# No empty line: as a pattern it would match the empty lines of the other list.
string(REGEX REPLACE "\n\n+" "\n" gui_symbols "${gui_symbols}")
string(REGEX REPLACE "^\n" "" gui_symbols "${gui_symbols}")
file(WRITE "${WORK}/gui-symbols.txt" "${gui_symbols}")

# Every symbol an object of the core leaves undefined; the names of the archive members come
# out as lines ending in ":" and match nothing.
set(undefined "")
foreach(archive IN LISTS archives)
    execute_process(COMMAND nm -u --format=just-symbols "${archive}" OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "check-core-links: nm failed on ${archive}")
    endif()
    string(APPEND undefined "${symbols}")
endforeach()
file(WRITE "${WORK}/core-undefined.txt" "${undefined}")

execute_process(COMMAND grep -Fx -f "${WORK}/gui-symbols.txt" "${WORK}/core-undefined.txt"
                OUTPUT_VARIABLE needed RESULT_VARIABLE rc)
if(rc EQUAL 0)
    string(REPLACE "\n" ";" needed_list "${needed}")
    list(REMOVE_DUPLICATES needed_list)
    set(names "")
    foreach(symbol IN LISTS needed_list)
        if(symbol)
            execute_process(COMMAND c++filt "${symbol}" OUTPUT_VARIABLE name OUTPUT_STRIP_TRAILING_WHITESPACE)
            string(APPEND names "\n    ${name}")
        endif()
    endforeach()
    message(FATAL_ERROR "The core libraries call a Qt GUI library; the core must use QtCore only:${names}")
elseif(NOT rc EQUAL 1)
    message(FATAL_ERROR "check-core-links: grep failed")
endif()
