#!/usr/bin/env bash
# Builds Kesto in Release, makes its Debian package with cpack, lets lintian
# check it (an error fails), installs it with apt-get as a user would, tries
# the installed programs, man page, completion and a rename, and removes the
# package again (also one that was installed before).
#   tools/check-package.sh [BUILD_DIR]      (a temporary folder without one)
# The build is the preset "package": Release, installed under /usr.
# Needs root for apt-get; exits 77 (skipped) without.
set -euo pipefail
export LC_ALL=C.UTF-8
here=$(cd "$(dirname "$0")/.." && pwd)
if [ "$(id -u)" -ne 0 ]; then
    echo "check-package.sh: übersprungen, apt-get install braucht root" >&2
    exit 77
fi
# shellcheck source=../scripts/deps.sh
source "$here/scripts/deps.sh"
kesto_ensure_packages "${KESTO_BUILD_PACKAGES[@]}" "${KESTO_PACKAGE_PACKAGES[@]}"
work=$(mktemp -d)
build=$(realpath -m "${1:-$work/build}")
cleanup() {
    dpkg-query -W kesto >/dev/null 2>&1 && apt-get remove -y -qq kesto >/dev/null
    [ ! -d "$build/lib/kesto.beiseite" ] || mv "$build/lib/kesto.beiseite" "$build/lib/kesto"
    rm -rf "$work"
}
trap cleanup EXIT

cmake -S "$here" --preset package -B "$build" >/dev/null
cmake --build "$build"
rm -f "$build"/kesto_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(echo "$build"/kesto_*.deb)
echo "=== $deb"
dpkg-deb --field "$deb" Depends Recommends
lintian --fail-on error "$deb"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
# The programs look for their modules in the build tree too: out of the way,
# only the installed ones can be found.
mv "$build/lib/kesto" "$build/lib/kesto.beiseite"

# Only the package's programs, man pages and completions, not one installed
# by hand, and a data folder of its own.
export PATH=/usr/bin:/bin MANPATH=/usr/share/man XDG_DATA_DIRS=/usr/share XDG_DATA_HOME=$work/daten
status=0
# fails MESSAGE: the check before it failed.
fails() {
    echo "FEHLER: $1"
    status=1
}
version=$(sed -n 's/^project(Kesto VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")
[ "$(kesto --version)" = "kesto $version" ] || fails "kesto --version"
[ "$(kesto-cli --version)" = "kesto-cli $version" ] || fails "kesto-cli --version"
# The window comes up on Qt's offscreen display and stays until it is ended.
QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work XDG_RUNTIME_DIR=$work timeout 5 kesto ||
    [ $? -eq 124 ] || fails "kesto startet nicht"
man -P cat kesto-cli 2>/dev/null | grep RÜCKGABEWERT >/dev/null || fails "man kesto-cli (deutsch)"
man -L en -P cat kesto-cli 2>/dev/null | grep "EXIT STATUS" >/dev/null || fails "man -L en kesto-cli"
# The completion as bash-completion finds it: by the command's name.
offered=$(bash -c 'source /usr/share/bash-completion/bash_completion
    __load_completion kesto-cli || exit
    COMP_WORDS=(kesto-cli --pr) COMP_CWORD=1
    $(complete -p kesto-cli | sed "s/.*-F \([^ ]*\) .*/\1/")
    echo "${COMPREPLY[*]}"') || true
[ "$offered" = --preset ] || fails "kesto-cli --pr<TAB> bietet '$offered'"
# A rename, one by an image's size (through the image-size module) and the undo.
mkdir "$work/dateien"
cd "$work/dateien"
touch a.txt b.txt
cp "$build/data/icons/16x16/kesto.png" bild.png
kesto-cli --quiet --mask "[breite]x[höhe].[typ]" --apply bild.png >/dev/null || fails "[breite]"
kesto-cli --quiet --mask "Datei [zahl].[typ]" --apply a.txt b.txt >/dev/null || fails "--apply"
[ "$(ls)" = $'16x16.png\nDatei 1.txt\nDatei 2.txt' ] || fails "umbenannt: $(ls | tr '\n' ' ')"
kesto-cli --undo >/dev/null || fails "--undo"
[ "$(ls)" = $'16x16.png\na.txt\nb.txt' ] || fails "nach --undo: $(ls | tr '\n' ' ')"
# The modules for audio tags and checksums are found where the package puts them.
kesto-cli --mask "[titel][prüfsumme]" a.txt 2>"$work/fehler" >/dev/null || true
grep Modul "$work/fehler" && fails "ein Modul fehlt"
[ $status -eq 0 ] && echo "Paket in Ordnung: $deb"
exit $status
