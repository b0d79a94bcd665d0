#!/usr/bin/env bash
# korvel-cli calc, valider and envers on a dossier written by the program's own code
# (make_dossier): the worked example to the cent, the settings of the current directory,
# saving, validation carrying the cumul once, the reverse payroll, and every refusal's status.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/common.bash" "$@"
# The cells after the label of the first "PAIE" line of that label in the text given.
row() { awk -F'\t' -v label="PAIE$1" '$1 == label { sub(/^[^\t]*\t/, ""); print; exit }' <<< "$2"; }
# Line n of block b (from 0) of a dossier file, in UTF-8, without its CR.
block_line() {
    iconv -f WINDOWS-1252 -t UTF-8 "$1" | tr -d '\r' |
        awk -v open="<BLOC$(printf '%04d' "$2")>" -v n="$3" '$0 == open { at = 0; inside = 1; next }
                                                           inside && ++at == n { print; exit }'
}
dossier() { cat paie.emp paie.Prl paie.Pai | md5sum; }
# True when |a - b| < limit, amounts written with ",".
near() { awk -v a="${1/,/.}" -v b="${2/,/.}" -v l="$3" 'BEGIN { d = a - b; exit !(d < l && d > -l) }'; }

write_dossier "$tmp"
cd "$tmp" || exit 1
before=$(dossier)

# The worked example: standard profile, 169 h at 10, ceiling 2432, two decimals (Korvel.ini
# of the current directory); the lines as stored, without saving.
out=$("$cli" calc paie.emp 200203001); rc=$?
expect_eq "calc: statut" "$rc" 0
expect_eq "calc: 26 lignes puis une ligne PAIE par rubrique" "$(wc -l <<< "$out")" 52
expect_eq "calc: brut" "$(sed -n 26p <<< "$out")" "1690,00"
expect_eq "calc: CSG non déductible" "$(row 'CSG non déductible et CRDS' "$out")" $'1605,50\t2,90\t46,56\t\t\t'
expect_eq "calc: A.G.F.F." "$(row 'A.G.F.F.' "$out")" $'1690,00\t0,80\t13,52\t1,20\t20,28\t'
expect_eq "calc: assurance chômage" "$(row 'Assurance chômage' "$out")" $'1690,00\t2,00\t33,80\t3,60\t60,84\t'
expect_eq "calc: aide au logement" "$(row 'Aide au Logement' "$out")" $'1690,00\t\t\t0,10\t1,69\t'
expect_eq "calc: rien d'enregistré sans --save" "$(dossier)" "$before"

# --save writes the payslip as printed.
saved=$("$cli" calc paie.emp 200203001 --save); rc=$?
expect_eq "calc --save: statut" "$rc" 0
expect_eq "calc --save: mêmes lignes" "$saved" "$out"
expect_eq "calc --save: brut enregistré" "$(block_line paie.Pai 0 26)" "1690,00"

# The settings file of the current directory: absent gives the defaults, among them no
# ceiling, so a profile with capped bases is not calculated; unreadable or cut short,
# nothing is calculated.
mv Korvel.ini ini.bak
before=$(dossier)
err=$("$cli" calc paie.emp 200203001 --save 2>&1 > /dev/null); rc=$?
expect_eq "sans Korvel.ini, plafond à 0: statut" "$rc" 1
expect_eq "sans Korvel.ini, plafond à 0: message" "$err" \
    "korvel-cli : Le plafond S.S. est à 0 : renseignez-le dans Paramètres de la paie"
expect_eq "sans Korvel.ini, plafond à 0: dossier inchangé" "$(dossier)" "$before"
mkdir Korvel.ini
"$cli" calc paie.emp 200203001 > /dev/null 2> err.txt; rc=$?
expect_eq "Korvel.ini illisible: statut" "$rc" 2
expect_eq "Korvel.ini illisible: une ligne" "$(wc -l < err.txt)" 1
rmdir Korvel.ini
head -n 12 ini.bak > Korvel.ini
"$cli" calc paie.emp 200203001 > /dev/null 2> err.txt; rc=$?
expect_eq "Korvel.ini tronqué: statut" "$rc" 2
expect_eq "Korvel.ini tronqué: une ligne" "$(wc -l < err.txt)" 1
mv ini.bak Korvel.ini
rm err.txt

# Refusals: the program's message, status 1, and the dossier left as it was even with --save.
mkdir refus && "$make_dossier" refus refus && cd refus || exit 1
before=$(dossier)
for case in "200203002|'12h' n'est pas une valeur numérique correcte|heures illisibles" \
            "200203003|Ce bulletin est déjà validé|bulletin validé" \
            "200203005|'12a' n'est pas une valeur numérique correcte|cumul de l'employé illisible" \
            "200203006|Employé 99999 introuvable|employé absent" \
            "200203007|Profil 10009 introuvable (employé 10004)|profil absent" \
            "200203008|La période du 01/03/2002 au 31/02/2002 n'est pas valide|fin de période qui n'est pas une date" \
            "200203009|La période du 01/03/2002 au 28/02/2002 n'est pas valide|période à l'envers" \
            "200203010|Montant hors limites|montant infini"; do
    IFS='|' read -r number message name <<< "$case"
    err=$("$cli" calc paie.emp "$number" --save 2>&1 > /dev/null); rc=$?
    expect_eq "calc, $name: statut" "$rc" 1
    expect_eq "calc, $name: message" "$err" "korvel-cli : $message"
done
expect_eq "calc refusé: dossier inchangé" "$(dossier)" "$before"
cd "$tmp" || exit 1

# Validation after calculation: the employee's cumul (1000,00) grows by the taxable net
# (100 h at 15 under 10 % and 3 %: 1305,00), once, and the payslip holds the same cumul. The
# employee is the first record, the one a load shows.
"$cli" calc paie.emp 200203004 --save > /dev/null
out=$("$cli" valider paie.emp 200203004); rc=$?
expect_eq "valider: statut" "$rc" 0
expect_eq "valider: cumul de l'employé" "$(block_line paie.emp 0 27)" "    2305,00"
expect_eq "valider: historique" "$(block_line paie.emp 0 30 | cut -f2-)" $'Paie N°200203004\t     1305,00'
expect_eq "valider: bulletin validé" "$(block_line paie.Pai 3 16)" "Y"
expect_eq "valider: cumul du bulletin" "$(block_line paie.Pai 3 22)" "    2305,00"
before=$(dossier)
err=$("$cli" valider paie.emp 200203004 2>&1 > /dev/null); rc=$?
expect_eq "valider deux fois: statut" "$rc" 1
expect_eq "valider deux fois: message" "$err" "korvel-cli : Ce bulletin est déjà validé"
expect_eq "valider deux fois: dossier inchangé" "$(dossier)" "$before"

# Missing dossier or payslip: one line on stderr, status 2, for each command.
for args in "calc absent.emp 200203001" "calc paie.emp 209912999" "valider absent.emp 200203001" \
            "valider paie.emp 209912999" "envers absent.emp 10001 1000" "envers paie.emp 99999 1000"; do
    # shellcheck disable=SC2086
    "$cli" $args > /dev/null 2> err.txt; rc=$?
    expect_eq "$args: statut" "$rc" 2
    expect_eq "$args: une ligne" "$(wc -l < err.txt)" 1
done

# A dossier that cannot be written: the profile file stands for a file of /proc, which no one
# may replace, not even root.
mkdir ro && "$make_dossier" ro && cd ro && rm paie.Prl && ln -s /proc/version paie.Prl || exit 1
"$cli" valider paie.emp 200203004 > /dev/null 2> err.txt; rc=$?
expect_eq "valider non enregistrable: statut" "$rc" 1
expect_eq "valider non enregistrable: une ligne" "$(wc -l < err.txt)" 1
cd "$tmp" || exit 1

# A save refused half-way (the payslip file cannot be replaced: immutable for root, a folder
# closed to writing otherwise) leaves the three files as they were; once the way is clear the
# same validation counts the cumul once, with one history row.
mkdir whole && "$make_dossier" whole && cd whole || exit 1
"$cli" calc paie.emp 200203004 --save > /dev/null
before=$(dossier)
if [ "$(id -u)" = 0 ]; then
    chattr +i paie.Pai 2> /dev/null && locked="chattr -i paie.Pai"
else
    chmod a-w . && locked="chmod u+w ."
fi
if [ -n "${locked:-}" ]; then
    err=$("$cli" valider paie.emp 200203004 2>&1 > /dev/null); rc=$?
    $locked
    expect_eq "sauvegarde refusée: statut" "$rc" 1
    expect_eq "sauvegarde refusée: message" "$(grep -c "^korvel-cli : Impossible d'enregistrer le fichier .*/whole/paie\.[a-zA-Z]*$" <<< "$err")" 1
    expect_eq "sauvegarde refusée: dossier inchangé" "$(dossier)" "$before"
    "$cli" valider paie.emp 200203004 > /dev/null; rc=$?
    expect_eq "après la panne: statut" "$rc" 0
    expect_eq "après la panne: cumul compté une fois" "$(block_line paie.emp 0 27)" "    2305,00"
    expect_eq "après la panne: une ligne d'historique" "$(block_line paie.emp 0 30 | cut -f2-)$(block_line paie.emp 0 31)" $'Paie N°200203004\t     1305,00</BLOC0000>'
    expect_eq "après la panne: version précédente gardée" "$(cat paie.emp.bak paie.Prl.bak paie.Pai.bak | md5sum)" "$before"
else
    echo "sauvegarde refusée : chattr indisponible ici, cas sauté" >&2
fi
cd "$tmp" || exit 1

# The reverse payroll with the ceiling of Korvel.ini: under 10 % of the gross and 3 % of the
# ceiling (2432), a net of 3000 needs a gross of (3000 + 72,96) / 0,9 = 3414,40.
out=$("$cli" envers paie.emp 10002 3000); rc=$?
expect_eq "envers: statut" "$rc" 0
gross=$(sed -n 's/^Salaire brut : //p' <<< "$out")
net=$(sed -n 's/^Net calculé : //p' <<< "$out")
if near "$gross" 3414.40 0.2 && near "$net" 3000 0.1; then ok; else ko "envers: brut $gross, net $net"; fi
err=$("$cli" envers paie.emp 10003 1000 2>&1 > /dev/null); rc=$?
expect_eq "envers inatteignable: statut" "$rc" 1
expect_eq "envers inatteignable: message" "$err" "korvel-cli : Ce net ne peut pas être atteint avec ce profil"
err=$("$cli" envers paie.emp 10002 1.000 2>&1 > /dev/null); rc=$?
expect_eq "envers net illisible: statut" "$rc" 1
expect_eq "envers net illisible: message" "$err" "korvel-cli : '1.000' n'est pas une valeur numérique correcte"

finish
