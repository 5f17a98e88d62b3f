#!/usr/bin/env bash
# Times the window from its start until its list is filled against kesto-cli
# over the same files, as whole processes: with the photos of DIR (the window
# reads every fact, kesto-cli names by capture date, which reads the photos
# too) and with empty files (kesto-cli names by "[name].[typ]"). The window
# runs on a virtual display; its list is filled when its log gets the line
# "EXIT LoadListWithFileNames", after which it is ended by a signal. All
# figures come from one run, interleaved, and are printed as ratios against
# the goals.
#
# Usage: bench/window_vs_cli.sh [DIR] [RUNS] [EMPTY]
#   DIR    photos (default /tmp/kesto-bench/small, made by bench/make_corpus.sh /tmp/kesto-bench)
#   RUNS   timed runs of each program after one warm-up (default 5)
#   EMPTY  empty files for the second comparison (default 20000)
#   env BUILD  the Release build folder (default build/release)
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=timing.sh
. "$ROOT/bench/timing.sh"
if [ -z "${KESTO_BENCH_DISPLAY:-}" ]; then
    # shellcheck source=../scripts/deps.sh
    . "$ROOT/scripts/deps.sh"
    kesto_ensure_packages xvfb xauth
    exec env KESTO_BENCH_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

D=${1:-/tmp/kesto-bench/small}
RUNS=${2:-5}
NEMPTY=${3:-20000}
BUILD=${BUILD:-$ROOT/build/release}
APP=$BUILD/src/app/kesto
CLI=$BUILD/src/cli/kesto-cli
[ -x "$APP" ] && [ -x "$CLI" ] || { echo "build kesto and kesto-cli in $BUILD first" >&2; exit 1; }
shopt -s nullglob
photos=("$D"/*.jpg)
((${#photos[@]} > 0)) || { echo "no photos in $D" >&2; exit 1; }
SCR=$(mktemp -d)
trap 'rm -rf "$SCR"' EXIT
# A data folder of its own: the window's settings, masks and log.
export XDG_DATA_HOME=$SCR/data XDG_CONFIG_HOME=$SCR/config
LOG=$XDG_DATA_HOME/Quarvel/Kesto/Kesto.LOG
mkdir -p "$(dirname "$LOG")"
mkdir "$SCR/e"
(cd "$SCR/e" && seq -f 'IMG_%06g.jpg' 1 "$NEMPTY" | xargs touch)
empty=("$SCR"/e/*.jpg)

# Wall time in microseconds from the window's start until its list is filled.
window_us() {
    : >"$LOG"
    local start=$EPOCHREALTIME
    "$APP" "$@" >/dev/null 2>&1 &
    local app=$!
    # tail follows the log as it grows (by inotify), so nothing polls it.
    local lines
    exec {lines}< <(exec tail -n +1 -F "$LOG" 2>/dev/null)
    local tail=$!
    grep -m1 -q 'EXIT LoadListWithFileNames' <&"$lines"
    local end=$EPOCHREALTIME
    kill "$tail" "$app" 2>/dev/null || true
    exec {lines}<&-
    wait "$app" 2>/dev/null || true
    echo $((${end//[.,]/} - ${start//[.,]/}))
}

wp=() cp=() we=() ce=()
for ((r = 0; r <= RUNS; r++)); do
    w1=$(window_us "${photos[@]}")
    c1=$(run_us "$CLI" --mask '[AUFNAHMEDATUM] [name].[typ]' "${photos[@]}")
    w2=$(window_us "${empty[@]}")
    c2=$(run_us "$CLI" --mask '[name].[typ]' "${empty[@]}")
    ((r == 0)) && continue # warm-up
    wp+=("$w1") cp+=("$c1") we+=("$w2") ce+=("$c2")
done
rows=$(grep -c ' LoadListWithFileNames: ' "$LOG" || true)

echo "# ${#photos[@]} photos in $D, $NEMPTY empty files; $(nproc) cores; last window log: $rows paths"
awk -v R="$RUNS" -v np="${#photos[@]}" -v ne="$NEMPTY" \
    -v wp="$(m "${wp[@]}")" -v cp="$(m "${cp[@]}")" -v we="$(m "${we[@]}")" -v ce="$(m "${ce[@]}")" 'BEGIN {
    printf "whole processes, median of %d runs (warm cache), start until the list is filled:\n", R
    printf "%d photos\n", np
    printf "  kesto (window)                   %9.1f ms\n", wp/1000
    printf "  kesto-cli --mask [AUFNAHMEDATUM] %9.1f ms  window/cli %5.2f (goal <= 2: %s)\n", cp/1000, wp/cp, (wp/cp <= 2 ? "met" : "MISSED")
    printf "%d empty files\n", ne
    printf "  kesto (window)                   %9.1f ms\n", we/1000
    printf "  kesto-cli --mask [name].[typ]    %9.1f ms  window/cli %5.2f (goal <= 1.5: %s)\n", ce/1000, we/ce, (we/ce <= 1.5 ? "met" : "MISSED")
}'
