#!/usr/bin/env bash
# Installs what is missing, builds Kesto in Release and opens its window with
# the files given:  ./run.sh [FILE…]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# File names stay as given, only made absolute, because the script changes folder.
files=()
for f in "$@"; do
    case "$f" in
        /*) files+=("$f") ;;
        *) files+=("$PWD/$f") ;;
    esac
done

cd "$here"
source scripts/deps.sh
kesto_ensure_packages "${KESTO_BUILD_PACKAGES[@]}"

cmake --preset release >/dev/null
cmake --build --preset release --target kesto kesto-cli

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    cli="$here/build/release/src/cli/kesto-cli"
    cat >&2 <<MSG
Kein Bildschirm gefunden (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt),
darum kann das Fenster nicht geöffnet werden.

Ohne Fenster benennt das Kommandozeilenwerkzeug um, zum Beispiel:
  $cli --mask "Urlaub [zahl].[typ]" --digits 3 --lead Null FOTO…   (Vorschau)
  $cli --mask "Urlaub [zahl].[typ]" --apply FOTO…                  (umbenennen)
  $cli --help
Mit xvfb-run ./run.sh DATEI… läuft das Fenster auf einem virtuellen Bildschirm.
MSG
    exit 1
fi

exec "$here/build/release/src/app/kesto" "${files[@]}"
