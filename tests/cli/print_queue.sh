#!/usr/bin/env bash
# korvel-cli print --printer: the payslip goes through a real CUPS queue whose device writes
# PDF files (scripts/print-queue sets it up) and comes out of it. As root the print server can
# always be started, so failing to is a failure; otherwise the test skips (status 77) and says why.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.bash" "$@"

if ! setup=$(bash "$data/../../scripts/print-queue" 2> "$tmp/setup.txt"); then
    reason="scripts/print-queue: $(tr '\n' ' ' < "$tmp/setup.txt")"
    if [ "$(id -u)" -eq 0 ]; then
        echo "ÉCHEC : aucun serveur d'impression, même en root ($reason)" >&2
        exit 1
    fi
    echo "IGNORÉ : aucun serveur d'impression ne peut être démarré ici ($reason); lancer scripts/print-queue en root une fois"
    exit 77
fi
read -r queue folder _ <<< "$(tail -n 1 <<< "$setup")"
folder="$folder/$(id -un)"

write_dossier "$tmp"
cd "$tmp" || exit 1
"$cli" calc paie.emp 200203001 --save > /dev/null || { echo "calc a échoué" >&2; exit 1; }
out=$("$cli" print paie.emp 200203001 --printer "$queue"); rc=$?
if [ "$rc" -ne 0 ]; then
    echo "ÉCHEC : impression sur $queue, statut $rc" >&2
    exit 1
fi
job=$(sed -n 's/.*(travail \([0-9]*\))$/\1/p' <<< "$out")
if [ -z "$job" ]; then
    echo "ÉCHEC : pas de numéro de travail dans « $out »" >&2
    exit 1
fi

# The queue names its files after the job's title, then "-job_" and the job number; a file
# is complete once pdfinfo reads it.
pdf=""
for _ in $(seq 1 450); do
    for f in "$folder"/*-job_"$job".pdf; do
        if [ -f "$f" ] && pdfinfo "$f" > /dev/null 2>&1; then pdf=$f; fi
    done
    [ -n "$pdf" ] && break
    sleep 0.2
done
if [ -z "$pdf" ]; then
    echo "ÉCHEC : aucun PDF du travail $job dans $folder après 90 s" >&2
    exit 1
fi
# The queue's device distils the job again and its text no longer reads back: the standard
# profile's 26 lines fit on one page.
pages=$(pdfinfo "$pdf" 2> /dev/null | sed -n 's/^Pages: *//p')
rm -f "$pdf"
if [ "$pages" != 1 ]; then
    echo "ÉCHEC : le PDF du travail $job a ${pages:-0} page(s) au lieu de 1" >&2
    exit 1
fi
echo "1 passed, 0 failed"
