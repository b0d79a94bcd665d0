#!/usr/bin/env bash
# korvel-cli stats and journal on a dossier written by the program's own code (make_dossier),
# its payslips calculated by korvel-cli calc: the window's lists and the journal export, the
# date range, and every refusal's status.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.bash" "$@"

write_dossier "$tmp"
cd "$tmp" || exit 1
for n in 200203001 200203004; do "$cli" calc paie.emp "$n" --save > /dev/null || exit 1; done

# Net to pay per employee and per month, as their windows list them.
expect_eq "stats employes" "$("$cli" stats employes paie.emp)" $'10001\tDUPONT Jérôme\t1225,40\n10002\tMARTIN Zoé\t2255,00'
expect_eq "stats mois" "$("$cli" stats mois paie.emp)" $'Mars 2002\t2530,40\t659,60'
"$cli" stats caisses paie.emp > caisses.txt; rc=$?
expect_eq "stats caisses: statut" "$rc" 0
expect_eq "stats caisses: une ligne par lettre" "$(cut -f1 caisses.txt | tr '\n' ' ')" "A C F P R T "
"$cli" stats salaires paie.emp 2> /dev/null; expect_eq "stats: sorte inconnue" "$?" 2
"$cli" stats mois absent.emp 2> /dev/null; expect_eq "stats: dossier absent" "$?" 2

# The journal: one debit and one credit line per payslip, the period end between the dates.
"$cli" journal paie.emp tout.txt; expect_eq "journal: statut" "$?" 0
expect_eq "journal: deux lignes par bulletin" "$(wc -l < tout.txt)" 10
expect_eq "journal: fin de ligne CR LF" "$(grep -c $'\r$' tout.txt)" 10
"$cli" journal paie.emp avril.txt --du 01/04/2002; expect_eq "journal --du: statut" "$?" 0
expect_eq "journal --du: rien après la période" "$(wc -c < avril.txt)" 0
"$cli" journal paie.emp x.txt --au 31/02/2002 2> /dev/null; expect_eq "journal: date non valide" "$?" 2
mkdir dossier
"$cli" journal paie.emp dossier 2> err.txt; expect_eq "journal: écriture impossible" "$?" 1
expect_eq "journal: le message nomme le fichier" "$(grep -c "Impossible d'enregistrer le fichier .*dossier" err.txt)" 1

finish
