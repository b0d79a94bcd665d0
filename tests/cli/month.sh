#!/usr/bin/env bash
# korvel-cli mois on a dossier of three employees (one with February's payslip, one without
# any, one without a profile): the month prepared, saved, validated and printed into PDF
# files; run again it adds nothing; refused, it changes nothing; and the statuses.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.bash" "$@"
dossier() { cat paie.emp paie.Prl paie.Pai | md5sum; }

mkdir "$tmp/mois" && "$make_dossier" "$tmp/mois" mois || exit 1
cd "$tmp/mois" || exit 1

out=$("$cli" mois paie.emp 03/2002); rc=$?
expect_eq "mois: statut" "$rc" 0
expect_eq "mois: un bulletin par employé qui a un profil" "$(cut -f1-3 <<< "$out")" \
    $'200203001\t10001\tDUPONT Jérôme\n200203002\t10002\tMARTIN Zoé'
expect_eq "mois: repris du bulletin de février (169 h à 10)" "$(sed -n 1p <<< "$out" | cut -f4)" "1690,00"
expect_eq "mois: salaire de la fiche, mensuel" "$(sed -n 2p <<< "$out" | cut -f4)" "1500,00"
# What is printed is what is saved.
calc=$("$cli" calc paie.emp 200203001)
expect_eq "mois: net enregistré" "$(sed -n 25p <<< "$calc")" "$(sed -n 1p <<< "$out" | cut -f5)"

before=$(dossier)
again=$("$cli" mois paie.emp 3/2002); rc=$?
expect_eq "mois relancé: statut" "$rc" 0
expect_eq "mois relancé: mêmes bulletins" "$again" "$out"
expect_eq "mois relancé: rien d'ajouté" "$(dossier)" "$before"

out=$("$cli" mois paie.emp 03/2002 --valider --pdf pdf/mars); rc=$?
expect_eq "mois --valider --pdf: statut" "$rc" 0
expect_eq "mois --valider: bulletins validés" "$("$cli" valider paie.emp 200203002 2>&1)" \
    "korvel-cli : Ce bulletin est déjà validé"
for n in 200203001 200203002; do
    expect_eq "mois --pdf: $n est un PDF" "$(head -c 5 "pdf/mars/bulletin-$n.pdf" 2> /dev/null)" "%PDF-"
done
expect_eq "mois --pdf: deux fichiers" "$(ls pdf/mars | wc -l)" 2

# Refused: a profile that does not exist; every message, nothing saved.
mkdir "$tmp/refus" && "$make_dossier" "$tmp/refus" mois-refus || exit 1
cd "$tmp/refus" || exit 1
before=$(dossier)
err=$("$cli" mois paie.emp 03/2002 --valider 2>&1 > /dev/null); rc=$?
expect_eq "mois refusé: statut" "$rc" 1
expect_eq "mois refusé: le message du bulletin" "$err" \
    "korvel-cli : Bulletin 200203002 (10002 MARTIN Zoé) : Profil 10009 introuvable (employé 10002)"
expect_eq "mois refusé: dossier inchangé" "$(dossier)" "$before"

for case in "absent.emp 03/2002|dossier absent" "paie.emp 13/2002|mois 13" "paie.emp mars|pas un mois"; do
    IFS='|' read -r args name <<< "$case"
    # shellcheck disable=SC2086
    "$cli" mois $args > /dev/null 2> err.txt; rc=$?
    expect_eq "mois, $name: statut" "$rc" 2
    expect_eq "mois, $name: une ligne" "$(wc -l < err.txt)" 1
done
expect_eq "mois en erreur: dossier inchangé" "$(dossier)" "$before"
finish
