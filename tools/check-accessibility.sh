#!/usr/bin/env bash
# Opens Kesto with FILES on a virtual screen with its own session bus and
# dumps what the desktop's accessibility bus (AT-SPI) sees of the window.
#   tools/check-accessibility.sh [KESTO-BINARY] [FILE...]
# Needs xvfb, dbus, at-spi2-core and python3-pyatspi (the Debian python, /usr/bin/python3).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=${1:-$here/../build/release/src/app/kesto}
shift || true
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# A private settings and data folder, so the check never touches the user's.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache
exec xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash -c '
    "$0" "$@" &
    pid=$!
    sleep 3
    status=0
    /usr/bin/python3 "'"$here"'/dump_accessibility.py" kesto || status=$?
    kill $pid
    exit $status
' "$binary" "$@"
