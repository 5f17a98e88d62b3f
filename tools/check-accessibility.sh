#!/usr/bin/env bash
# Opens Kesto with FILES on a virtual screen with its own session bus and
# dumps what the desktop's accessibility bus (AT-SPI) sees of the window.
#   tools/check-accessibility.sh [KESTO-BINARY] [FILE...]
# With --time ROWS it opens Kesto with ROWS new empty files instead and times
# "Alle auswählen", "Keine Auswahl" and "Auswahl umkehren" while a client
# listens as a screen reader does (time_list_commands.py; --walk as there).
#   tools/check-accessibility.sh --time 2000 [--walk] [KESTO-BINARY]
# Needs xvfb, dbus, at-spi2-core and python3-pyatspi (the Debian python,
# /usr/bin/python3), and installs those that are missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../scripts/deps.sh
source "$here/../scripts/deps.sh"
kesto_ensure_packages "${KESTO_ACCESSIBILITY_PACKAGES[@]}"
rows=0
walk=
while [ $# -gt 0 ]; do
    case $1 in
    --time) rows=$2; shift 2 ;;
    --walk) walk=--walk; shift ;;
    *) break ;;
    esac
done
binary=$(realpath "${1:-$here/../build/release/src/app/kesto}")
shift || true
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# A private settings and data folder, so the check never touches the user's.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache
check=("$here/dump_accessibility.py" kesto)
if [ "$rows" -gt 0 ]; then
    mkdir "$home/files"
    cd "$home/files"
    for ((i = 1; i <= rows; i++)); do
        : >"$(printf 'IMG_%06d.JPG' "$i")"
    done
    # Names without their folder, and room for them: a hundred thousand full
    # paths are more than a command line takes.
    ulimit -S -s $((64 * 1024)) 2>/dev/null || true
    set -- IMG_*.JPG
    check=("$here/time_list_commands.py" kesto --rows "$rows" $walk)
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash -c '
    binary=$1 count=$2
    shift 2
    check=("${@:1:count}")
    shift "$count"
    "$binary" "$@" &
    pid=$!
    sleep 3
    status=0
    /usr/bin/python3 "${check[@]}" || status=$?
    kill $pid
    exit $status
' bash "$binary" "${#check[@]}" "${check[@]}" "$@"
