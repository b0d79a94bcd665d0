# Writes the manual page of korvel-cli from the text of "korvel-cli --help", so that the two
# never differ:
#
#     cmake -DCLI=<korvel-cli> -DVERSION=<version> -DOUT=<korvel-cli.1> -P manpage.cmake
#
# The help is three paragraphs: the usage lines, then each command's synopsis followed by its
# indented description, then the exit statuses ("Statut : ..."). Any other shape stops the build
# rather than write a page that reads wrong.

cmake_minimum_required(VERSION 3.21)

foreach(var CLI VERSION OUT)
    if(NOT ${var})
        message(FATAL_ERROR "manpage: -D${var}=... is required")
    endif()
endforeach()

execute_process(COMMAND "${CLI}" --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "manpage: ${CLI} --help failed (${status})")
endif()

# Roff reads a backslash as an escape and a line that starts with "." or "'" as a request;
# "\-" is a minus that stays a minus when copied from the page.
function(roff text out)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "-" "\\-" text "${text}")
    if(text MATCHES "^[.']")
        set(text "\\&${text}")
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Lines as a list: the help's own ";" (French punctuation) and brackets must not split or join
# them, so they travel as placeholders.
string(REPLACE ";" "@SEMICOLON@" help "${help}")
string(REPLACE "[" "@OPEN@" help "${help}")
string(REPLACE "]" "@CLOSE@" help "${help}")
string(REGEX REPLACE "\n$" "" help "${help}")
string(REPLACE "\n" ";" lines "${help}")

set(paragraph 1)
set(synopsis "")
set(commands "")
set(statuses "")
foreach(line IN LISTS lines)
    string(REPLACE "@SEMICOLON@" ";" line "${line}")
    string(REPLACE "@OPEN@" "[" line "${line}")
    string(REPLACE "@CLOSE@" "]" line "${line}")
    if(line STREQUAL "")
        math(EXPR paragraph "${paragraph} + 1")
        continue()
    endif()
    string(STRIP "${line}" stripped)
    if(paragraph EQUAL 1)
        string(REGEX REPLACE "^Usage : " "" stripped "${stripped}")
        roff("${stripped}" text)
        string(APPEND synopsis "\\fB${text}\\fR\n")
    elseif(paragraph EQUAL 2)
        roff("${stripped}" text)
        if(line MATCHES "^korvel-cli ")
            string(APPEND commands ".TP\n\\fB${text}\\fR\n")
        elseif(line MATCHES "^ " AND NOT commands STREQUAL "")
            string(APPEND commands "${text}\n")
        else()
            message(FATAL_ERROR "manpage: unexpected line among the commands: ${line}")
        endif()
    elseif(paragraph EQUAL 3)
        if(statuses STREQUAL "")
            if(NOT line MATCHES "^Statut : ")
                message(FATAL_ERROR "manpage: the exit statuses do not start with \"Statut : \": ${line}")
            endif()
            string(REGEX REPLACE "^Statut : " "" stripped "${stripped}")
        endif()
        roff("${stripped}" text)
        string(APPEND statuses "${text}\n")
    else()
        message(FATAL_ERROR "manpage: the help has more than three paragraphs")
    endif()
endforeach()
if(synopsis STREQUAL "" OR commands STREQUAL "" OR statuses STREQUAL "")
    message(FATAL_ERROR "manpage: the help lacks its usage, its commands or its exit statuses")
endif()

file(WRITE "${OUT}" ".\\\" Written from \"korvel-cli --help\" when Korvel is built.
.TH KORVEL\\-CLI 1 \"\" \"Korvel ${VERSION}\" \"Commandes de Korvel\"
.SH NOM
korvel\\-cli \\- la paie de Korvel sans fenêtre
.SH SYNOPSIS
.nf
${synopsis}.fi
.SH DESCRIPTION
\\fBkorvel\\-cli\\fR fait sur un dossier de paie ce que font les commandes de \\fBkorvel\\fR(1),
sans fenêtre ni écran. Un dossier est fait de trois fichiers côte à côte, DOSSIER.emp (les
employés), DOSSIER.Prl (les profils) et DOSSIER.Pai (les bulletins) ; on ne nomme que le premier.
.SH COMMANDES
${commands}.SH \"CODE DE RETOUR\"
${statuses}.SH FICHIERS
Korvel.ini, Korvel.soc et Korvel.cai sont lus dans le répertoire courant, comme le programme
les lit dans le répertoire d'où il est lancé.
.SH \"VOIR AUSSI\"
\\fBkorvel\\fR(1)
")
