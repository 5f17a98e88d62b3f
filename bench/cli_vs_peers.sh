#!/usr/bin/env bash
# Times kesto-cli as whole processes against exiftool and exiv2 over the same
# photos (preview of names by capture date, and by camera model and capture
# date, and renaming a copy by capture date), and the rename run of kesto-cli
# against a plain renameat2 loop over empty files. All figures come from one
# run, interleaved, and are printed as ratios against the goals.
#
# Usage: bench/cli_vs_peers.sh [DIR] [RUNS] [FILES]
#   DIR    photos (default /tmp/kesto-bench/small, made by bench/make_corpus.sh /tmp/kesto-bench)
#   RUNS   timed runs of each program after one warm-up (default 5)
#   FILES  empty files for the rename-loop comparison (default 10000)
#   env BUILD  the Release build folder (default build/release)
set -euo pipefail

D=${1:-/tmp/kesto-bench/small}
RUNS=${2:-5}
NFILES=${3:-10000}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=timing.sh
. "$ROOT/bench/timing.sh"
BUILD=${BUILD:-$ROOT/build/release}
CLI=$BUILD/src/cli/kesto-cli
ENGINE=$BUILD/bench/bench_engine
MASK='[AUFNAHMEDATUM] [AUFNAHMEZEIT].[typ]'
CAMERA_MASK='[MODELL]_[AUFNAHMEDATUM].[typ]'
# Every 25th photo has no capture date: with the old name in the new one the
# names stay unique, so the full test lets the batch go ahead.
APPLY_MASK='[AUFNAHMEDATUM] [AUFNAHMEZEIT] [name].[typ]'

for tool in exiftool exiv2; do
    command -v "$tool" >/dev/null || { echo "$tool not found (Debian: libimage-exiftool-perl, exiv2)" >&2; exit 1; }
done
[ -x "$CLI" ] && [ -x "$ENGINE" ] || { echo "build kesto-cli and bench_engine in $BUILD first" >&2; exit 1; }
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

# --- preview: names by camera model and capture date ---------------------------
camera_k=() camera_t=() camera_v=()
camera_exiftool=(exiftool -s3 -Model -DateTimeOriginal "$D")
camera_exiv2=(exiv2 -g Exif.Image.Model -g Exif.Photo.DateTimeOriginal -Pv "${files[@]}")
run_us "$CLI" --mask "$CAMERA_MASK" "${files[@]}" >/dev/null
run_us "${camera_exiftool[@]}" >/dev/null
run_us "${camera_exiv2[@]}" >/dev/null
for ((r = 0; r < RUNS; r++)); do
    camera_k+=("$(run_us "$CLI" --mask "$CAMERA_MASK" "${files[@]}")")
    camera_t+=("$(run_us "${camera_exiftool[@]}")")
    camera_v+=("$(run_us "${camera_exiv2[@]}")")
done
# Both must find the same cameras: names that begin with a model, models exiv2 prints.
models_k=$({ "$CLI" --mask "$CAMERA_MASK" "${files[@]}" 2>/dev/null || true; } | cut -f2 | grep -c '^[^_].*_[0-9]\{4\}-' || true)
models_v=$({ exiv2 -g Exif.Image.Model -Pv "${files[@]}" 2>/dev/null || true; } | grep -c . || true)

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

# --- rename loop against plain renameat2 ---------------------------------------
loop_k=() loop_p=()
make_empty() { rm -rf "$SCR/e"; mkdir "$SCR/e"; (cd "$SCR/e" && seq -f 'IMG_%06g.jpg' 1 "$NFILES" | xargs touch); sync; }
for ((r = 0; r <= RUNS; r++)); do
    make_empty; e=("$SCR"/e/*.jpg)
    k=$(run_us "$CLI" --mask '[name]_r.[typ]' --apply "${e[@]}")
    make_empty
    p=$(run_us "$ENGINE" plainloop "$SCR/e")
    ((r == 0)) && continue
    loop_k+=("$k") loop_p+=("$p")
done

awk -v n="$n" -v nf="$NFILES" -v R="$RUNS" -v renamed="$renamed" \
    -v pk="$(m "${preview_k[@]}")" -v pt="$(m "${preview_t[@]}")" -v pv="$(m "${preview_v[@]}")" \
    -v ck="$(m "${camera_k[@]}")" -v ct="$(m "${camera_t[@]}")" -v cv="$(m "${camera_v[@]}")" \
    -v mk="$models_k" -v mv="$models_v" \
    -v ak="$(m "${apply_k[@]}")" -v at="$(m "${apply_t[@]}")" -v av="$(m "${apply_v[@]}")" \
    -v lk="$(m "${loop_k[@]}")" -v lp="$(m "${loop_p[@]}")" 'BEGIN {
    printf "whole processes, median of %d runs (warm cache):\n", R
    printf "preview by capture date (%d photos)\n", n
    printf "  kesto-cli --mask ...             %9.1f ms\n", pk/1000
    printf "  exiftool -s3 -DateTimeOriginal   %9.1f ms  ratio %6.1fx (goal >= 50x: %s)\n", pt/1000, pt/pk, (pt/pk >= 50 ? "met" : "MISSED")
    printf "  exiv2 -g ... -Pv                 %9.1f ms  ratio %6.1fx (goal >= 2.5x: %s)\n", pv/1000, pv/pk, (pv/pk >= 2.5 ? "met" : "MISSED")
    printf "preview by camera model and capture date, [MODELL]_[AUFNAHMEDATUM] (%d photos; models: kesto %d, exiv2 %d)\n", n, mk, mv
    printf "  kesto-cli --mask ...             %9.1f ms\n", ck/1000
    printf "  exiftool -s3 -Model -DTO         %9.1f ms  ratio %6.1fx (goal >= 50x: %s)\n", ct/1000, ct/ck, (ct/ck >= 50 ? "met" : "MISSED")
    printf "  exiv2 -g Model -g DTO -Pv        %9.1f ms  ratio %6.1fx (goal >= 2x: %s)\n", cv/1000, cv/ck, (cv/ck >= 2 ? "met" : "MISSED")
    printf "renaming a copy by capture date (%d photos; kesto renamed %d)\n", n, renamed
    printf "  kesto-cli --mask ... --apply     %9.1f ms\n", ak/1000
    printf "  exiftool -FileName<DTO           %9.1f ms  ratio %6.1fx (goal >= 100x: %s)\n", at/1000, at/ak, (at/ak >= 100 ? "met" : "MISSED")
    printf "  exiv2 -r ... rename              %9.1f ms  ratio %6.1fx (goal >= 3x: %s)\n", av/1000, av/ak, (av/ak >= 3 ? "met" : "MISSED")
    printf "renaming %d empty files\n", nf
    printf "  kesto-cli --apply (process)      %9.1f ms\n", lk/1000
    printf "  plain renameat2 loop (process)   %9.1f ms  kesto/plain %.2f (goal <= 3: %s)\n", lp/1000, lk/lp, (lk/lp <= 3 ? "met" : "MISSED")
}'
echo "in process:"
"$ENGINE" rename "$NFILES"
