#!/usr/bin/env bash
# An installed Korvel (cmake --install into a temporary DESTDIR) runs from any folder: the
# installed korvel-cli checks a dossier kept elsewhere, the installed korvel started as the menu
# starts it works in ~/Korvel, and the menu entry, the icon, the AppStream description and the
# manual pages are in place and valid.
# Arguments: korvel-cli, the test data, make_dossier, then the build folder.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../cli/common.bash" "$@"
build=$(realpath "$4")
root=$tmp/root
usr=$root/usr

if ! DESTDIR=$root cmake --install "$build" --prefix /usr > "$tmp/install.log" 2>&1; then
    cat "$tmp/install.log" >&2
    echo "ÉCHEC : cmake --install" >&2
    exit 1
fi
expect_eq "fichiers installés" "$(cd "$root" && find . -type f | sort)" "./usr/bin/korvel
./usr/bin/korvel-cli
./usr/share/applications/korvel.desktop
./usr/share/doc/korvel/changelog.gz
./usr/share/doc/korvel/copyright
./usr/share/icons/hicolor/48x48/apps/korvel.png
./usr/share/icons/hicolor/scalable/apps/korvel.svg
./usr/share/man/man1/korvel-cli.1.gz
./usr/share/man/man1/korvel.1.gz
./usr/share/metainfo/invalid.korvel.korvel.metainfo.xml"

# The installed tool on a dossier of another folder, run from a third one.
mkdir -p "$tmp/dossiers" "$tmp/ailleurs"
write_dossier "$tmp/dossiers"
out=$(cd "$tmp/ailleurs" && "$usr/bin/korvel-cli" check "$tmp/dossiers/paie.emp" 2>&1); rc=$?
expect_eq "korvel-cli installé: statut" "$rc" 0
expect_eq "korvel-cli installé: check" "$out" "paie.emp : 3 blocs, sans réparation
paie.Prl : 3 blocs, sans réparation
paie.Pai : 5 blocs, sans réparation"

# The menu entry validates and names what is installed: its program, its icon in both sizes;
# the AppStream description validates and launches that entry.
desktop=$usr/share/applications/korvel.desktop
out=$(desktop-file-validate "$desktop" 2>&1); rc=$?
expect_eq "korvel.desktop valide" "$rc:$out" "0:"
program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
if [ -n "$program" ] && [ -x "$usr/bin/$program" ]; then ok; else ko "Exec: $program n'est pas installé"; fi
icon=$(sed -n 's/^Icon=//p' "$desktop")
for f in "48x48/apps/$icon.png" "scalable/apps/$icon.svg"; do
    if [ -n "$icon" ] && [ -s "$usr/share/icons/hicolor/$f" ]; then ok; else ko "icône absente: $f"; fi
done
metainfo=$(ls "$usr"/share/metainfo/*.metainfo.xml)
out=$(appstreamcli validate --no-net "$metainfo" 2>&1); rc=$?
if [ "$rc" -eq 0 ]; then ok; else ko "metainfo invalide"; echo "$out" >&2; fi
expect_eq "metainfo: lance korvel.desktop" "$(grep -c '<launchable type="desktop-id">korvel.desktop</launchable>' "$metainfo")" 1

# The manual pages read without a warning, and korvel-cli's holds every command of its --help.
for page in korvel korvel-cli; do
    out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$usr/share/man/man1/$page.1.gz" 2>&1 > /dev/null)
    expect_eq "man $page sans avertissement" "$out" ""
done
shown=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$usr/share/man/man1/korvel-cli.1.gz" 2>/dev/null | sed 's/^ *//')
while IFS= read -r synopsis; do
    if grep -qxF -- "$synopsis" <<< "$shown"; then ok; else ko "man korvel-cli sans: $synopsis"; fi
done < <("$usr/bin/korvel-cli" --help | grep '^korvel-cli ')

# The installed program started as the menu starts it, from another folder: it makes
# ~/Korvel and is still running (its window open) when stopped.
mkdir -p "$tmp/home"
(cd "$tmp/ailleurs" && HOME=$tmp/home QT_QPA_PLATFORM=offscreen timeout 3 "$usr/bin/korvel" --user-folder \
    > "$tmp/korvel.log" 2>&1); rc=$?
expect_eq "korvel --user-folder: toujours ouvert" "$rc" 124
if [ -d "$tmp/home/Korvel" ]; then ok; else ko "korvel --user-folder: ~/Korvel absent"; fi

finish
