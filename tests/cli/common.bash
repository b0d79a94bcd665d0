# What the korvel-cli test scripts share, sourced with their arguments: the tool, the test data
# and the program that writes a payroll dossier (make_dossier); a temporary folder removed at
# exit (with what also_remove names); the checks and their count, which finish reports.
cli=$(realpath "$1")
data=$(realpath "$2")
make_dossier=${3:+$(realpath "$3")}
tmp=$(mktemp -d)
also_remove=
trap 'chmod -R u+w "$tmp" 2> /dev/null; rm -rf "$tmp" $also_remove' EXIT
passed=0
failed=0

ok() { passed=$((passed + 1)); }
ko() { failed=$((failed + 1)); echo "ÉCHEC : $1" >&2; }
expect_eq() { if [ "$2" = "$3" ]; then ok; else ko "$1"; printf 'attendu :\n%s\nobtenu :\n%s\n' "$3" "$2" >&2; fi; }
# Writes the payroll test dossier (employees, profiles, payslips, settings) into folder $1.
write_dossier() { "$make_dossier" "$1" || { echo "le dossier d'essai n'a pas pu être écrit" >&2; exit 1; }; }
finish() { echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ]; }
