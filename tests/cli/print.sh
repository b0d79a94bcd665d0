#!/usr/bin/env bash
# korvel-cli print --pdf: the payslip drawn by the program's printing code, with the letterhead
# and settings of the current directory, without a display; and the status of every refusal.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.bash" "$@"

write_dossier "$tmp"
cd "$tmp" || exit 1
"$cli" calc paie.emp 200203001 --save > calc.txt || { echo "calc a échoué" >&2; exit 1; }

# No display and no platform chosen: the tool picks Qt's offscreen platform itself.
env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$cli" print paie.emp 200203001 --pdf bulletin.pdf \
    > /dev/null 2> err.txt; rc=$?
expect_eq "pdf: statut" "$rc" 0
expect_eq "pdf: rien sur stderr" "$(cat err.txt)" ""
text=$(pdftotext -layout bulletin.pdf - 2> /dev/null)
missing=""
while IFS= read -r wanted; do
    grep -qF -- "$wanted" <<< "$text" || missing="$missing [$wanted]"
done < <(printf '%s\n' "BULLETIN DE PAIE" "DUPONT Jérôme" "SARL Korvel Essais" "$(sed -n 25p calc.txt) Euros"
         awk -F'\t' '/^PAIE/ { print substr($1, 5) }' calc.txt)
expect_eq "pdf: en-tête, employé, chaque ligne et le net imprimés" "$missing" ""

# Refusals by the printer layer: the message, status 1, and no file left behind.
mkdir dossier.pdf
err=$("$cli" print paie.emp 200203001 --pdf dossier.pdf 2>&1 > /dev/null); rc=$?
expect_eq "pdf dans un dossier: statut" "$rc" 1
expect_eq "pdf dans un dossier: message" "$err" "korvel-cli : Impossible d'imprimer : « $tmp/dossier.pdf » est un dossier"
err=$("$cli" print paie.emp 200203001 --printer KorvelNulle 2>&1 > /dev/null); rc=$?
expect_eq "file inconnue: statut" "$rc" 1
case "$err" in "korvel-cli : Impossible d'imprimer : "*) ok ;; *) ko "file inconnue: message $err" ;; esac

# Missing or unreadable files: one line on stderr, status 2, nothing printed.
mkdir soc && mv Korvel.soc soc/ && mkdir Korvel.soc
for case in "dossier absent|absent.emp 200203001" "bulletin absent|paie.emp 209912999" \
            "Korvel.soc illisible|paie.emp 200203001"; do
    IFS='|' read -r name args <<< "$case"
    # shellcheck disable=SC2086
    "$cli" print $args --pdf a.pdf > /dev/null 2> err.txt; rc=$?
    expect_eq "$name: statut" "$rc" 2
    expect_eq "$name: une ligne" "$(wc -l < err.txt)" 1
done
if [ ! -e a.pdf ]; then ok; else ko "refus: aucun PDF écrit"; fi
"$cli" print paie.emp 200203001 > /dev/null 2>&1; expect_eq "sans destination: statut" "$?" 2

finish
