#!/usr/bin/env bash
# Times reading the capture dates of large photos that are not in the page
# cache: kesto-cli naming them by capture date against exiv2 printing them,
# as whole processes. Before every run each photo is dropped from the page
# cache (posix_fadvise POSIX_FADV_DONTNEED, through dd's "nocache"); the
# folder entries and inodes stay cached, as they would after a listing. All
# figures come from one run, interleaved, and are printed as ratios.
#
# Usage: bench/cold_vs_exiv2.sh [DIR] [RUNS]
#   DIR   large photos (default /tmp/kesto-bench/large, made by
#         bench/make_corpus.sh /tmp/kesto-bench 2000 --large)
#   RUNS  timed runs of each program (default 5)
#   env BUILD  the Release build folder (default build/release)
set -euo pipefail

D=${1:-/tmp/kesto-bench/large}
RUNS=${2:-5}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=timing.sh
. "$ROOT/bench/timing.sh"
BUILD=${BUILD:-$ROOT/build/release}
CLI=$BUILD/src/cli/kesto-cli
# shellcheck source=../scripts/deps.sh
. "$ROOT/scripts/deps.sh"
kesto_ensure_packages exiv2
[ -x "$CLI" ] || { echo "build kesto-cli in $BUILD first" >&2; exit 1; }
shopt -s nullglob
files=("$D"/*.jpg)
n=${#files[@]}
((n > 0)) || { echo "no photos in $D" >&2; exit 1; }

evict() {
    sync
    local f
    for f in "${files[@]}"; do
        dd if="$f" iflag=nocache count=0 status=none
    done
}
cold_us() {
    evict
    run_us "$@"
}

kesto_cmd=("$CLI" --mask '[AUFNAHMEDATUM] [AUFNAHMEZEIT].[typ]' "${files[@]}")
exiv2_cmd=(exiv2 -g Exif.Photo.DateTimeOriginal -Pv "${files[@]}")
# Both must find the same number of dates.
ours=$({ "${kesto_cmd[@]}" 2>/dev/null || true; } | cut -f2 | grep -c '^[0-9]\{4\}-' || true)
theirs=$({ "${exiv2_cmd[@]}" 2>/dev/null || true; } | grep -c '[0-9]:[0-9][0-9]:[0-9][0-9]$' || true)

k=() v=()
for ((r = 0; r < RUNS; r++)); do
    k+=("$(cold_us "${kesto_cmd[@]}")")
    v+=("$(cold_us "${exiv2_cmd[@]}")")
done

echo "# $n photos in $D ($(du -sh "$D" | cut -f1)); $(exiv2 --version | head -1); $(nproc) cores"
echo "# photos with a capture date: kesto-cli $ours, exiv2 $theirs"
awk -v R="$RUNS" -v n="$n" -v k="$(m "${k[@]}")" -v v="$(m "${v[@]}")" 'BEGIN {
    printf "whole processes, median of %d runs, photos evicted from the page cache before each:\n", R
    printf "  kesto-cli --mask [AUFNAHMEDATUM] %9.1f ms  %7.1f us/photo\n", k/1000, k/n
    printf "  exiv2 -g ... -Pv                 %9.1f ms  %7.1f us/photo\n", v/1000, v/n
    printf "ratio exiv2 / kesto-cli: %5.2fx (goal >= 1.0x: %s; aim 1.5x: %s)\n", v/k, (v/k >= 1 ? "met" : "MISSED"), (v/k >= 1.5 ? "met" : "not yet")
}'
