#!/usr/bin/env bash
# korvel-cli check: reports the repairs a load makes and exits 1 while they are due, --repair
# writes the three files back, a name that is not a dossier's is refused, a missing or
# unreadable file exits with status 2; the usage.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.bash" "$@"
data=$data/store
errors=$(mktemp)
also_remove=$errors

cp "$data"/damaged.* "$tmp"/
before=$(cat "$tmp"/damaged.* | md5sum)

# Check alone: the repairs are reported, no file is touched, and the status says they are due.
out=$("$cli" check "$tmp/damaged.emp" 2> "$errors"); rc=$?
expect_eq "réparations dues: statut" "$rc" 1
expect_eq "réparations dues: une ligne" "$(wc -l < "$errors")" 1
expect_eq "check: lignes" "$out" "damaged.emp : 3 blocs, reconstruit après balises déséquilibrées
damaged.prl : 3 blocs, 1 doublon différent renuméroté en fin de fichier
damaged.PAI : 2 blocs, reconstruit après balises déséquilibrées"
expect_eq "check: fichiers inchangés" "$(cat "$tmp"/damaged.* | md5sum)" "$before"

# --repair writes the three files under their existing names, and they then load clean.
out=$("$cli" check --repair "$tmp/damaged.emp"); rc=$?
expect_eq "repair: statut" "$rc" 0
expect_eq "repair: fichiers" "$(cd "$tmp" && ls)" "damaged.PAI
damaged.PAI.bak
damaged.emp
damaged.emp.bak
damaged.prl
damaged.prl.bak"
if cmp -s <(head -c 19 "$tmp/damaged.emp") <(printf '<BLOC0000>\r\n10001\r\n'); then ok; else ko "repair: employés réécrits en CR LF"; fi
expect_eq "repair: bloc renuméroté" "$(grep -c $'^<BLOC0001>\r$' "$tmp/damaged.emp")" 1
out=$("$cli" check "$tmp/damaged.emp"); rc=$?
expect_eq "après repair: statut" "$rc" 0
expect_eq "après repair: lignes" "$out" "damaged.emp : 3 blocs, sans réparation
damaged.prl : 3 blocs, sans réparation
damaged.PAI : 2 blocs, sans réparation"

# A sound dossier is rewritten too, side files included even when absent.
printf '<BLOC0000>\r\n10001\r\n</BLOC0000>\r\n' > "$tmp/seul.emp"
"$cli" check --repair "$tmp/seul.emp" > "$tmp/out.txt"; rc=$?
expect_eq "repair sain: statut" "$rc" 0
expect_eq "repair sain: fichier absent signalé" "$(head -n 2 "$tmp/out.txt" | tail -n 1)" "seul.Prl : 0 bloc, fichier absent"
if [ -f "$tmp/seul.Prl" ] && [ -f "$tmp/seul.Pai" ] && [ ! -s "$tmp/seul.Pai" ]; then ok; else ko "repair sain: fichiers annexes vides"; fi

# A line outside every block is counted; the extension is compared in any case.
printf '<BLOC0000>\r\n10001\r\n</BLOC0000>\r\n \r\nnote égarée\r\n' > "$tmp/HORS.EMP"
out=$("$cli" check "$tmp/HORS.EMP"); rc=$?
expect_eq "hors bloc: statut" "$rc" 0
expect_eq "hors bloc: compté" "$(head -n 1 <<< "$out")" "HORS.EMP : 1 bloc, 1 ligne hors bloc, ignorée, sans réparation"

# A file that is not a dossier is refused before anything is read or written beside it.
cp "$tmp/seul.emp" "$tmp/notes.txt"
listing=$(ls "$tmp")
"$cli" check --repair "$tmp/notes.txt" > /dev/null 2> "$errors"; rc=$?
expect_eq "pas un dossier: statut" "$rc" 1
expect_eq "pas un dossier: message" "$(cat "$errors")" "korvel-cli : Type de fichier non valide : $tmp/notes.txt"
expect_eq "pas un dossier: aucun fichier créé" "$(ls "$tmp")" "$listing"

# The usage: asked for, on stdout; missing command, on stderr.
"$cli" --help > "$tmp/out.txt" 2> "$tmp/err.txt"; rc=$?
expect_eq "--help: statut" "$rc" 0
if grep -q "korvel-cli calc DOSSIER.emp" "$tmp/out.txt" && [ ! -s "$tmp/err.txt" ]; then ok; else ko "--help: usage sur stdout"; fi
"$cli" -h > /dev/null; expect_eq "-h: statut" "$?" 0
"$cli" > "$tmp/out.txt" 2> "$tmp/err.txt"; rc=$?
expect_eq "sans argument: statut" "$rc" 2
if grep -q "korvel-cli check" "$tmp/err.txt" && [ ! -s "$tmp/out.txt" ]; then ok; else ko "sans argument: usage sur stderr"; fi

# Missing and unreadable files, bad arguments: one line on stderr, status 2.
"$cli" check "$tmp/absent.emp" > "$tmp/out.txt" 2> "$tmp/err.txt"; rc=$?
expect_eq "absent: statut" "$rc" 2
expect_eq "absent: une ligne" "$(wc -l < "$tmp/err.txt")" 1
expect_eq "absent: rien sur stdout" "$(wc -c < "$tmp/out.txt")" 0
mkdir "$tmp/dossier.emp"
"$cli" check "$tmp/dossier.emp" > /dev/null 2> "$tmp/err.txt"; rc=$?
expect_eq "illisible: statut" "$rc" 2
expect_eq "illisible: une ligne" "$(wc -l < "$tmp/err.txt")" 1
"$cli" check > /dev/null 2>&1; expect_eq "sans dossier: statut" "$?" 2
"$cli" frobnicate x.emp > /dev/null 2>&1; expect_eq "commande inconnue: statut" "$?" 2
"$cli" check --force "$tmp/seul.emp" > /dev/null 2>&1; expect_eq "option inconnue: statut" "$?" 2

finish
