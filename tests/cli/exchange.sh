#!/usr/bin/env bash
# korvel-cli export and import: the exchange file's layout, a round trip into a new dossier,
# appending to an existing one, UTF-8 input, and the exit status of every failure.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.bash" "$@"
data=$data/employees
# Line n (from 1) of a CR LF file, without its CR.
line() { sed -n "$2p" "$1" | tr -d '\r'; }
# The code (first line) of every block of a dossier file.
codes() { awk '/^<BLOC/ { getline; sub(/\r$/, ""); print }' "$1"; }

cp "$data/exemple.emp" "$tmp/source.emp"
before=$(md5sum < "$tmp/source.emp")

# Export: one line per block, eleven fields (lines 2 to 12 of the block), CR LF, nothing else.
"$cli" export "$tmp/source.emp" "$tmp/out.txt" > /dev/null; rc=$?
expect_eq "export: statut" "$rc" 0
expect_eq "export: lignes" "$(wc -l < "$tmp/out.txt")" "$(grep -c '^<BLOC' "$tmp/source.emp")"
expect_eq "export: CR LF partout" "$(grep -c $'\r$' "$tmp/out.txt")" "$(wc -l < "$tmp/out.txt")"
expect_eq "export: onze champs" "$(tr -d '\r' < "$tmp/out.txt" | awk -F'\t' '{ print NF }' | sort -u)" 11
expected=$(awk '/^<BLOC/ { n = 0; row = ""; next }
                { sub(/\r$/, ""); n++ }
                n >= 2 && n <= 12 { row = row (n > 2 ? "\t" : "") $0 }
                n == 12 { print row }' "$tmp/source.emp")
expect_eq "export: champs du bloc dans l'ordre" "$(tr -d '\r' < "$tmp/out.txt")" "$expected"
if grep -q $'\xe9' "$tmp/out.txt"; then ok; else ko "export: accents en Windows-1252"; fi
expect_eq "export: dossier intact" "$(md5sum < "$tmp/source.emp")" "$before"

# Import into a dossier that does not exist yet: it is created, with new codes from 10001,
# and exporting it again gives back every exported field.
"$cli" import "$tmp/copie.emp" "$tmp/out.txt" > /dev/null; rc=$?
expect_eq "import neuf: statut" "$rc" 0
if [ -f "$tmp/copie.emp" ] && [ -f "$tmp/copie.Prl" ] && [ -f "$tmp/copie.Pai" ]; then ok; else ko "import neuf: dossier créé"; fi
expect_eq "import neuf: codes" "$(codes "$tmp/copie.emp" | tr '\n' ' ')" "10001 10002 "
expect_eq "import neuf: bloc 0001" "$(grep -c $'^<BLOC0001>\r$' "$tmp/copie.emp")" 1
expect_eq "import neuf: vingt lignes vides après les champs" "$(line "$tmp/copie.emp" 34)" "</BLOC0000>"
"$cli" export "$tmp/copie.emp" "$tmp/retour.txt" > /dev/null
if cmp -s "$tmp/out.txt" "$tmp/retour.txt"; then ok; else ko "aller-retour: champs intacts"; fi

# Import into an existing dossier: appended after its records, codes after the largest.
"$cli" import "$tmp/copie.emp" "$tmp/out.txt" > /dev/null; rc=$?
expect_eq "import ajout: statut" "$rc" 0
expect_eq "import ajout: codes" "$(codes "$tmp/copie.emp" | tr '\n' ' ')" "10001 10002 10003 10004 "
expect_eq "import ajout: dernier bloc" "$(grep -c $'^<BLOC0003>\r$' "$tmp/copie.emp")" 1

# A spreadsheet's UTF-8 file keeps its accents (stored in Windows-1252); a short line fills
# only its fields; an empty line still makes a record.
printf 'Mme\t01/02/1990\tDésirée Ève\r\n\r\nM\n' > "$tmp/utf8.txt"
"$cli" import "$tmp/utf8.emp" "$tmp/utf8.txt" > /dev/null; rc=$?
expect_eq "UTF-8: statut" "$rc" 0
expect_eq "UTF-8: nom en Windows-1252" "$(line "$tmp/utf8.emp" 5 | iconv -f WINDOWS-1252 -t UTF-8)" "Désirée Ève"
expect_eq "UTF-8: trois fiches" "$(grep -c '^<BLOC' "$tmp/utf8.emp")" 3
expect_eq "UTF-8: adresse vide" "$(line "$tmp/utf8.emp" 7)" ""

# Failures: a missing or unreadable input exits with 2 and changes nothing; an output that
# cannot be written, or an input that is not text, exits with 1; bad arguments exit with 2. Each
# failure is one line on stderr.
copie=$(md5sum < "$tmp/copie.emp")
"$cli" import "$tmp/copie.emp" "$tmp/absent.txt" > "$tmp/o" 2> "$tmp/e"; rc=$?
expect_eq "import absent: statut" "$rc" 2
expect_eq "import absent: une ligne" "$(wc -l < "$tmp/e")" 1
expect_eq "import absent: dossier inchangé" "$(md5sum < "$tmp/copie.emp")" "$copie"
"$cli" import "$tmp/rien.emp" "$tmp/absent.txt" > /dev/null 2>&1; rc=$?
expect_eq "import absent: statut (dossier neuf)" "$rc" 2
if [ ! -e "$tmp/rien.emp" ]; then ok; else ko "import absent: aucun dossier créé"; fi
mkdir "$tmp/rep.txt"
"$cli" import "$tmp/copie.emp" "$tmp/rep.txt" > /dev/null 2>&1; rc=$?
expect_eq "import illisible: statut" "$rc" 2
expect_eq "import illisible: dossier inchangé" "$(md5sum < "$tmp/copie.emp")" "$copie"
printf 'M\tA\0B\r\n' > "$tmp/binaire.txt"
"$cli" import "$tmp/copie.emp" "$tmp/binaire.txt" > /dev/null 2> "$tmp/e"; rc=$?
expect_eq "import binaire: statut" "$rc" 1
expect_eq "import binaire: message" "$(cat "$tmp/e")" "korvel-cli : Le fichier binaire.txt n'est pas un fichier texte"
expect_eq "import binaire: dossier inchangé" "$(md5sum < "$tmp/copie.emp")" "$copie"
"$cli" export "$tmp/absent.emp" "$tmp/x.txt" > "$tmp/o" 2> "$tmp/e"; rc=$?
expect_eq "export absent: statut" "$rc" 2
expect_eq "export absent: une ligne" "$(wc -l < "$tmp/e")" 1
if [ ! -e "$tmp/x.txt" ]; then ok; else ko "export absent: aucun fichier écrit"; fi
"$cli" export "$tmp/source.emp" "$tmp/rep.txt" > /dev/null 2> "$tmp/e"; rc=$?
expect_eq "export non inscriptible: statut" "$rc" 1
expect_eq "export non inscriptible: une ligne" "$(wc -l < "$tmp/e")" 1
"$cli" import "$tmp/nulle/part.emp" "$tmp/out.txt" > /dev/null 2>&1; rc=$?
expect_eq "import dossier non inscriptible: statut" "$rc" 1
"$cli" export "$tmp/source.emp" > /dev/null 2>&1; expect_eq "export sans sortie: statut" "$?" 2
"$cli" import "$tmp/copie.emp" > /dev/null 2>&1; expect_eq "import sans entrée: statut" "$?" 2
"$cli" export "$tmp/source.emp" "$tmp/a.txt" "$tmp/b.txt" > /dev/null 2>&1; expect_eq "export en trop: statut" "$?" 2

finish
