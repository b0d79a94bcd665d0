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
expect_eq "stats mois" "$("$cli" stats mois paie.emp)" $'Mars 2002\t3480,40\t659,60'
# Each payslip line under the caisse of its rubrique's code: the standard profile's U, A and D,
# the other profile's R, which no caisse has.
printf 'URSSAF\t\t\t\t\t\t\t\tU\r\nP\xf4le emploi\t\t\t\t\t\t\t\tA\r\nRetraite\t\t\t\t\t\t\t\tD\r\n' > Korvel.cai
"$cli" stats caisses paie.emp > caisses.txt; rc=$?
expect_eq "stats caisses: statut" "$rc" 0
expect_eq "stats caisses: une ligne par caisse" "$(cut -f1,2 caisses.txt | tr '\t\n' ' |')" "A Pôle emploi|D Retraite|R ???|U URSSAF|"
"$cli" stats salaires paie.emp 2> /dev/null; expect_eq "stats: sorte inconnue" "$?" 2
"$cli" stats mois absent.emp 2> /dev/null; expect_eq "stats: dossier absent" "$?" 2

# The journal: one debit and one credit line per calculated payslip, the period end between the
# dates; the payslips never calculated are counted on stderr.
"$cli" journal paie.emp tout.txt 2> err.txt; expect_eq "journal: statut" "$?" 0
expect_eq "journal: deux lignes par bulletin calculé" "$(cut -f3 tout.txt | tr -d '\r' | tr '\n' ' ')" \
    "Paie 200203001 Paie 200203001 Paie 200203004 Paie 200203004 "
expect_eq "journal: fin de ligne CR LF" "$(grep -c $'\r$' tout.txt)" 4
expect_eq "journal: bulletins non calculés" "$(cat err.txt)" "korvel-cli : 3 bulletins non calculés ne sont pas repris"
"$cli" journal paie.emp avril.txt --du 01/04/2002 2> /dev/null; expect_eq "journal --du: statut" "$?" 0
expect_eq "journal --du: rien après la période" "$(wc -c < avril.txt)" 0
"$cli" journal paie.emp mars.txt --au 31/03/2002 2> /dev/null; expect_eq "journal --au: statut" "$?" 0
expect_eq "journal --au: tout jusqu'à la date" "$(wc -l < mars.txt)" 4
"$cli" journal paie.emp x.txt --au 31/02/2002 2> /dev/null; expect_eq "journal: date non valide" "$?" 2

# A period end that is not a date stops the reports that date their amounts, the payslip named.
for f in emp Prl Pai; do cp "paie.$f" "avril.$f"; done
sed -i 's#^31/03/2002\r$#31/04/2002\r#' avril.Pai
refusal="korvel-cli : Le bulletin 200203001 a une date de fin de période illisible"
"$cli" stats mois avril.emp > out.txt 2> err.txt; expect_eq "stats mois: date illisible" "$?:$(cat err.txt):$(cat out.txt)" "1:$refusal:"
"$cli" journal avril.emp illisible.txt 2> err.txt; expect_eq "journal: date illisible" "$?:$(cat err.txt)" "1:$refusal"
expect_eq "journal: date illisible, rien d'écrit" "$(ls illisible.txt 2> /dev/null)" ""
mkdir dossier
"$cli" journal paie.emp dossier 2> err.txt; expect_eq "journal: écriture impossible" "$?" 1
expect_eq "journal: le message nomme le fichier" "$(grep -c "Impossible d'enregistrer le fichier .*dossier" err.txt)" 1

finish
