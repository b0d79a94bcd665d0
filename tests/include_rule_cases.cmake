# The include check on small made-up trees: each case writes a src/ folder, runs
# scripts/check-includes.cmake on it and compares the outcome.
#
#     cmake -DCHECK=<scripts/check-includes.cmake> -DWORK=<scratch folder> -P include_rule_cases.cmake

cmake_minimum_required(VERSION 3.21)

set(failures "")

# case(<name> PASS|FAIL [<file> <first line>]...): files are relative to src/; a failing case
# must name the file of its last pair in the check's message.
function(case name expect)
    set(root "${WORK}/${name}")
    file(REMOVE_RECURSE "${root}")
    set(files ${ARGN})
    set(culprit "")
    while(files)
        list(POP_FRONT files path line)
        file(WRITE "${root}/src/${path}" "${line}\nint x;\n")
        set(culprit "${path}")
    endwhile()
    execute_process(COMMAND "${CMAKE_COMMAND}" "-DSRC=${root}/src" -P "${CHECK}"
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(expect STREQUAL "PASS" AND NOT rc EQUAL 0)
        set(fault "refused a sound tree:\n${out}")
    elseif(expect STREQUAL "FAIL" AND rc EQUAL 0)
        set(fault "let it through")
    elseif(expect STREQUAL "FAIL" AND NOT out MATCHES "src/${culprit}")
        set(fault "did not name src/${culprit}:\n${out}")
    else()
        return()
    endif()
    set(failures "${failures}\n${name}: ${fault}" PARENT_SCOPE)
endfunction()

case(downward_includes_pass PASS
    store/collection.h "#pragma once"
    employees/form.cpp "#include \"store/collection.h\""
    reports/journal.cpp "#include \"printing/grid.h\""
    shell/frame.cpp "#include <accessories/calculator.h>"
    ui/window.cpp "#include \"shell/frame.h\""
    text/clock.cpp "#include \"clock.h\"\n#include <QString>\n#include <sys/types.h>")
case(upward_include FAIL
    store/collection.cpp "#include \"employees/employeeform.h\"")
case(upward_through_relative_path FAIL
    shell/fiche.h "#pragma once"
    payroll/calcul.cpp "#include \"../shell/fiche.h\"")
case(upward_in_angle_brackets FAIL
    text/dates.h "#   include <store/dossier.h>")
case(accessories_on_more_than_text FAIL
    accessories/notepad.cpp "#include \"store/collection.h\"")
case(payroll_on_accessories FAIL
    payroll/calcul.cpp "#include \"accessories/calculator.h\"")
case(printing_on_reports FAIL
    printing/sheet.cpp "#include \"reports/stats.h\"")
case(folder_outside_the_order FAIL
    common/helpers.cpp "#include \"text/clock.h\"")

if(failures)
    message(FATAL_ERROR "the include check${failures}")
endif()
