#!/usr/bin/env bash
# Times bench_facts (the facts the list loader reads: size, both times and, for
# .jpg, the Exif capture date) against exiftool and exiv2 reading the capture
# dates of the same photos, as whole processes, interleaved in one run, and
# prints the ratios against the goals (>= 60x exiftool, >= 3x exiv2). Also
# checks that the dates agree with exiftool's and prints the in-process time.
# With --audio it times kesto-cli previewing names from the tags of MP3s
# ("[INTERPRET] - [TITEL]") against exiftool printing the same two tags
# ($Artist - $Title) instead (goal >= 20x exiftool), and checks that they agree.
#
# Usage: bench/facts_vs_peers.sh [--audio] [DIR] [RUNS]
#   DIR   a folder of photos (default /tmp/kesto-bench/small, made by
#         bench/make_corpus.sh /tmp/kesto-bench); with --audio one of MP3s
#         (default /tmp/kesto-bench/audio, made with make_corpus.sh's --audio)
#   RUNS  timed runs of each program after one warm-up run (default 5)
#   env BENCH_FACTS  the bench_facts program (default build/release/bench/bench_facts)
#   env KESTO_CLI    the command-line program (default build/release/src/cli/kesto-cli)
set -euo pipefail

audio=0
if [ "${1:-}" = --audio ]; then
    audio=1
    shift
fi
D=${1:-/tmp/kesto-bench/$( ((audio)) && echo audio || echo small)}
RUNS=${2:-5}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=timing.sh
. "$ROOT/bench/timing.sh"
BIN=${BENCH_FACTS:-$ROOT/build/release/bench/bench_facts}
CLI=${KESTO_CLI:-$ROOT/build/release/src/cli/kesto-cli}

if ((audio)); then
    command -v exiftool >/dev/null || { echo "exiftool not found (Debian: libimage-exiftool-perl)" >&2; exit 1; }
    [ -x "$CLI" ] || { echo "kesto-cli not found at $CLI (build it in Release or set KESTO_CLI)" >&2; exit 1; }
    shopt -s nullglob
    songs=("$D"/*.mp3)
    n=${#songs[@]}
    ((n > 0)) || { echo "no MP3s in $D" >&2; exit 1; }
    echo "# $n MP3s in $D; $(exiftool -ver | sed 's/^/exiftool /'); $(nproc) cores"
    kesto_cmd=("$CLI" --mask '[INTERPRET] - [TITEL]' "${songs[@]}")
    # shellcheck disable=SC2016 # exiftool, not the shell, reads the tag names
    exiftool_cmd=(exiftool -q -p '$Artist - $Title' "$D")
    # kesto-cli prints a heading, then the old and the new name of each file.
    ours=$("${kesto_cmd[@]}" 2>/dev/null | tail -n +2 | cut -f2 | sort)
    theirs=$("${exiftool_cmd[@]}" | sort)
    if [ "$ours" = "$theirs" ]; then
        echo "names: identical to exiftool's tags ($(grep -c . <<< "$ours"))"
    else
        echo "names: DIFFERENT from exiftool's tags"
        diff <(echo "$ours") <(echo "$theirs") | head
    fi
    run_us "${kesto_cmd[@]}" >/dev/null
    run_us "${exiftool_cmd[@]}" >/dev/null
    k=() t=()
    for ((r = 0; r < RUNS; r++)); do
        k+=("$(run_us "${kesto_cmd[@]}")")
        t+=("$(run_us "${exiftool_cmd[@]}")")
    done
    km=$(printf '%s\n' "${k[@]}" | median)
    tm=$(printf '%s\n' "${t[@]}" | median)
    awk -v n="$n" -v R="$RUNS" -v k="$km" -v t="$tm" 'BEGIN {
        printf "whole process, median of %d runs (warm cache):\n", R
        printf "  %-44s %9.1f ms  %8.1f us/file\n", "kesto-cli --mask \"[INTERPRET] - [TITEL]\"", k/1000, k/n
        printf "  %-44s %9.1f ms  %8.1f us/file\n", "exiftool -p \"$Artist - $Title\" DIR", t/1000, t/n
        printf "ratio exiftool / kesto-cli: %6.1fx  (goal >= 20x: %s)\n", t/k, (t/k >= 20 ? "met" : "MISSED")
    }'
    exit 0
fi

for tool in exiftool exiv2; do
    command -v "$tool" >/dev/null || { echo "$tool not found (Debian: libimage-exiftool-perl, exiv2)" >&2; exit 1; }
done
[ -x "$BIN" ] || { echo "bench_facts not found at $BIN (build bench_facts in Release or set BENCH_FACTS)" >&2; exit 1; }
shopt -s nullglob
files=("$D"/*)
n=${#files[@]}
((n > 0)) || { echo "no files in $D" >&2; exit 1; }

echo "# $n files in $D; $(exiftool -ver | sed 's/^/exiftool /'), $(exiv2 --version | head -1); $(nproc) cores"

ours=$("$BIN" --once "$D" | sort)
theirs=$(exiftool -q -q -T -FileName -DateTimeOriginal "$D" | sort)
if [ "$ours" = "$theirs" ]; then
    echo "dates: identical to exiftool ($(grep -vc $'\t-$' <<< "$ours") with a capture date)"
else
    echo "dates: DIFFERENT from exiftool"
    diff <(echo "$ours") <(echo "$theirs") | head
fi



kesto_cmd=("$BIN" --once "$D")
exiftool_cmd=(exiftool -s3 -DateTimeOriginal "$D")
exiv2_cmd=(exiv2 -g Exif.Photo.DateTimeOriginal -Pv "${files[@]}")

# One warm-up run each, then the timed runs interleaved so that drift of the
# machine's speed hits all three alike.
run_us "${kesto_cmd[@]}" >/dev/null
run_us "${exiftool_cmd[@]}" >/dev/null
run_us "${exiv2_cmd[@]}" >/dev/null
k=() t=() v=()
for ((r = 0; r < RUNS; r++)); do
    k+=("$(run_us "${kesto_cmd[@]}")")
    t+=("$(run_us "${exiftool_cmd[@]}")")
    v+=("$(run_us "${exiv2_cmd[@]}")")
done
km=$(printf '%s\n' "${k[@]}" | median)
tm=$(printf '%s\n' "${t[@]}" | median)
vm=$(printf '%s\n' "${v[@]}" | median)

awk -v n="$n" -v R="$RUNS" -v k="$km" -v t="$tm" -v v="$vm" 'BEGIN {
    printf "whole process, median of %d runs (warm cache):\n", R
    printf "  %-44s %9.1f ms  %8.1f us/file\n", "bench_facts --once DIR", k/1000, k/n
    printf "  %-44s %9.1f ms  %8.1f us/file\n", "exiftool -s3 -DateTimeOriginal DIR", t/1000, t/n
    printf "  %-44s %9.1f ms  %8.1f us/file\n", "exiv2 -g Exif.Photo.DateTimeOriginal -Pv FILES", v/1000, v/n
    printf "ratio exiftool / bench_facts: %6.1fx  (goal >= 60x: %s)\n", t/k, (t/k >= 60 ? "met" : "MISSED")
    printf "ratio exiv2 / bench_facts:    %6.1fx  (goal >= 3x:  %s)\n", v/k, (v/k >= 3 ? "met" : "MISSED")
}'
echo "in process:"
"$BIN" -r "$RUNS" "$D"
