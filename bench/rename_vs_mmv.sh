#!/usr/bin/env bash
# Times renaming empty .jpg files to a prefix and a counter, as whole
# processes: kesto-cli --apply (Foto_[zahl].[typ], six digits, leading zeros) against mmv
# (IMG_*.jpg to Foto_#1.jpg: the same new names) and against a plain
# renameat2 loop (bench_engine plainloop), over 10,000 and 100,000 files in
# one folder. The folder is made anew (not timed) before every run;
# kesto-cli keeps its data folder from the warm-up, as after a first use, but
# without the journals of earlier runs. Also measures the memory kesto-cli
# needs per row (peak resident size at 100,000 rows less that at 1,000, per
# row). All figures come from one run, interleaved, and are printed as ratios
# against the goals.
#
# Usage: bench/rename_vs_mmv.sh [RUNS] [COUNTS...]
#   RUNS    timed runs of each program after one warm-up (default 3)
#   COUNTS  numbers of files (default 10000 100000)
#   env BUILD  the Release build folder (default build/release)
set -euo pipefail

RUNS=${1:-3}
shift || true
COUNTS=("$@")
((${#COUNTS[@]})) || COUNTS=(10000 100000)
ROOT=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=timing.sh
. "$ROOT/bench/timing.sh"
BUILD=${BUILD:-$ROOT/build/release}
CLI=$BUILD/src/cli/kesto-cli
ENGINE=$BUILD/bench/bench_engine
# shellcheck source=../scripts/deps.sh
. "$ROOT/scripts/deps.sh"
kesto_ensure_packages mmv time
[ -x "$CLI" ] && [ -x "$ENGINE" ] || { echo "build kesto-cli and bench_engine in $BUILD first" >&2; exit 1; }
# 100,000 paths exceed the usual limit of a command line (a quarter of the stack limit).
ulimit -s 65536 2>/dev/null || ulimit -s unlimited
SCR=$(mktemp -d)
trap 'rm -rf "$SCR"' EXIT
export XDG_DATA_HOME=$SCR/data

make_files() {
    rm -rf "$SCR/e"
    mkdir "$SCR/e"
    (cd "$SCR/e" && seq -f 'IMG_%06g.jpg' 1 "$1" | xargs touch)
    sync
}
# Peak resident size in KiB of kesto-cli previewing N files.
peak_kib() {
    make_files "$1"
    rm -rf "$XDG_DATA_HOME"
    local f=("$SCR"/e/*.jpg)
    /usr/bin/time -f %M -o "$SCR/peak" "$CLI" --mask 'Foto_[zahl].[typ]' --digits 6 --lead Null "${f[@]}" \
        >/dev/null 2>&1 || true
    cat "$SCR/peak"
}

echo "# $(nproc) cores; mmv $(dpkg-query -W -f='${Version}' mmv)"
for n in "${COUNTS[@]}"; do
    k=() v=() p=() ok=0
    for ((r = 0; r <= RUNS; r++)); do
        make_files "$n"
        # The data folder of a user who renamed before (the warm-up made
        # it), without the journals of the runs before.
        rm -f "$XDG_DATA_HOME"/Quarvel/Kesto/Kesto-Journal/*.journal
        f=("$SCR"/e/*.jpg)
        t=$(run_us "$CLI" --mask 'Foto_[zahl].[typ]' --digits 6 --lead Null --apply "${f[@]}")
        [ -e "$SCR/e/Foto_$(printf %06d "$n").jpg" ] && ok=$((ok + 1))
        make_files "$n"
        u=$(cd "$SCR/e" && run_us mmv 'IMG_*.jpg' 'Foto_#1.jpg')
        make_files "$n"
        w=$(run_us "$ENGINE" plainloop "$SCR/e")
        ((r == 0)) && continue # warm-up
        k+=("$t") v+=("$u") p+=("$w")
    done
    awk -v n="$n" -v R="$RUNS" -v ok="$ok" -v k="$(m "${k[@]}")" -v v="$(m "${v[@]}")" -v p="$(m "${p[@]}")" 'BEGIN {
        printf "renaming %d empty files to Foto_NNNNNN.jpg, median of %d runs (kesto-cli done %d of %d times):\n", n, R, ok, R + 1
        printf "  kesto-cli --apply                %9.1f ms\n", k/1000
        printf "  mmv IMG_*.jpg Foto_#1.jpg        %9.1f ms  mmv/kesto   %5.2f (goal > 1: %s)\n", v/1000, v/k, (v/k > 1 ? "met" : "MISSED")
        printf "  plain renameat2 loop             %9.1f ms  kesto/plain %5.2f (goal <= 1.2: %s)\n", p/1000, k/p, (k/p <= 1.2 ? "met" : "MISSED")
    }'
done
small=$(peak_kib 1000)
large=$(peak_kib 100000)
awk -v s="$small" -v l="$large" 'BEGIN {
    b = (l - s) * 1024 / 99000
    printf "kesto-cli memory: peak %.1f MiB at 100,000 rows, %.1f MiB at 1,000: %.0f bytes per row (goal <= 700: %s)\n", l/1024, s/1024, b, (b <= 700 ? "met" : "MISSED")
}'
