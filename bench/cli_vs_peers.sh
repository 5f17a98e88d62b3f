#!/usr/bin/env bash
# Times kesto-cli as whole processes against exiftool and exiv2 over the same
# photos (preview of names by capture date, and renaming a copy by capture
# date). All figures come from one run, interleaved, and are printed as
# ratios against the goals.
#
# Usage: bench/cli_vs_peers.sh [DIR] [RUNS]
#   DIR    photos (default /tmp/kesto-bench/small, made by bench/make_corpus.sh /tmp/kesto-bench)
#   RUNS   timed runs of each program after one warm-up (default 5)
#   env BUILD  the Release build folder (default build/release)
set -euo pipefail

D=${1:-/tmp/kesto-bench/small}
RUNS=${2:-5}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=timing.sh
. "$ROOT/bench/timing.sh"
BUILD=${BUILD:-$ROOT/build/release}
CLI=$BUILD/src/cli/kesto-cli
MASK='[AUFNAHMEDATUM] [AUFNAHMEZEIT].[typ]'
# Every 25th photo has no capture date: with the old name in the new one the
# names stay unique, so the full test lets the batch go ahead.
APPLY_MASK='[AUFNAHMEDATUM] [AUFNAHMEZEIT] [name].[typ]'

for tool in exiftool exiv2; do
    command -v "$tool" >/dev/null || { echo "$tool not found (Debian: libimage-exiftool-perl, exiv2)" >&2; exit 1; }
done
[ -x "$CLI" ] || { echo "build kesto-cli in $BUILD first" >&2; exit 1; }
shopt -s nullglob
files=("$D"/*.jpg)
n=${#files[@]}
((n > 0)) || { echo "no photos in $D" >&2; exit 1; }
SCR=$(mktemp -d)
trap 'rm -rf "$SCR"' EXIT
# Journals of their own: the batches of these runs stay out of the user's history.
export XDG_DATA_HOME=$SCR/data

# time_with_copy SRC: copies SRC to $SCR/w (not timed), then times the command
# given after it with W pointing at the copy.
# The copy is written back before the timed run, so no writeback competes with it.
fresh_copy() { rm -rf "$SCR/w"; cp -a "$1" "$SCR/w"; sync; }

echo "# $n photos in $D; $(exiftool -ver | sed 's/^/exiftool /'), $(exiv2 --version | head -1); $(nproc) cores"

# --- preview: names by capture date ------------------------------------------
preview_k=() preview_t=() preview_v=()
run_us "$CLI" --mask "$MASK" "${files[@]}" >/dev/null
run_us exiftool -s3 -DateTimeOriginal "$D" >/dev/null
run_us exiv2 -g Exif.Photo.DateTimeOriginal -Pv "${files[@]}" >/dev/null
for ((r = 0; r < RUNS; r++)); do
    preview_k+=("$(run_us "$CLI" --mask "$MASK" "${files[@]}")")
    preview_t+=("$(run_us exiftool -s3 -DateTimeOriginal "$D")")
    preview_v+=("$(run_us exiv2 -g Exif.Photo.DateTimeOriginal -Pv "${files[@]}")")
done

# --- renaming a copy by capture date -------------------------------------------
apply_k=() apply_t=() apply_v=()
for ((r = 0; r <= RUNS; r++)); do
    fresh_copy "$D"; w=("$SCR"/w/*.jpg)
    k=$(run_us "$CLI" --mask "$APPLY_MASK" --apply "${w[@]}")
    fresh_copy "$D"
    t=$(run_us exiftool -q -d '%Y-%m-%d %H-%M-%S%%-c.%%e' '-FileName<DateTimeOriginal' "$SCR/w")
    fresh_copy "$D"; w=("$SCR"/w/*.jpg)
    v=$(run_us exiv2 -r '%Y-%m-%d %H-%M-%S' rename "${w[@]}")
    ((r == 0)) && continue # warm-up
    apply_k+=("$k") apply_t+=("$t") apply_v+=("$v")
done
fresh_copy "$D"; w=("$SCR"/w/*.jpg)
"$CLI" --mask "$APPLY_MASK" --apply "${w[@]}" >/dev/null 2>&1 && renamed=$(ls "$SCR/w" | grep -c '^[0-9]\{4\}-') || renamed=0

awk -v n="$n" -v R="$RUNS" -v renamed="$renamed" \
    -v pk="$(m "${preview_k[@]}")" -v pt="$(m "${preview_t[@]}")" -v pv="$(m "${preview_v[@]}")" \
    -v ak="$(m "${apply_k[@]}")" -v at="$(m "${apply_t[@]}")" -v av="$(m "${apply_v[@]}")" 'BEGIN {
    printf "whole processes, median of %d runs (warm cache):\n", R
    printf "preview by capture date (%d photos)\n", n
    printf "  kesto-cli --mask ...             %9.1f ms\n", pk/1000
    printf "  exiftool -s3 -DateTimeOriginal   %9.1f ms  ratio %6.1fx (goal >= 50x: %s)\n", pt/1000, pt/pk, (pt/pk >= 50 ? "met" : "MISSED")
    printf "  exiv2 -g ... -Pv                 %9.1f ms  ratio %6.1fx (goal >= 2.5x: %s)\n", pv/1000, pv/pk, (pv/pk >= 2.5 ? "met" : "MISSED")
    printf "renaming a copy by capture date (%d photos; kesto renamed %d)\n", n, renamed
    printf "  kesto-cli --mask ... --apply     %9.1f ms\n", ak/1000
    printf "  exiftool -FileName<DTO           %9.1f ms  ratio %6.1fx (goal >= 100x: %s)\n", at/1000, at/ak, (at/ak >= 100 ? "met" : "MISSED")
    printf "  exiv2 -r ... rename              %9.1f ms  ratio %6.1fx (goal >= 3x: %s)\n", av/1000, av/ak, (av/ak >= 3 ? "met" : "MISSED")
}'
