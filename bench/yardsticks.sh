#!/usr/bin/env bash
# Times Kesto against its yardsticks as whole processes, interleaved in one
# run (ROUNDS rounds after a warm-up, the order rotated each round, see
# interleave in timing.sh), and prints for each goal the medians, their
# ratio and the range of the per-round ratios:
#   cold    capture dates of the large photos after dropping every cache
#           (drop_caches 3: program start included): exiv2 / kesto-cli >= 1.2;
#           the 4 KiB-read floor (limit_exifdate) for scale
#   dates   names by capture date of the small photos, warm: the floor for scale
#   rename  renaming a copy of the small photos by capture date:
#           exiv2 rename / kesto-cli >= 3
#   plain   a prefix and a counter on 10,000 and 100,000 empty files:
#           mmv / kesto-cli >= 1, kesto-cli / a bare renameat2 loop
#           (limit_rename, its own C process) <= 1.3
#   window  the window from its start until its list is filled against
#           kesto-cli: the small photos <= 2, 20,000 empty files <= 1.5
#   memory  peak resident size per row at 100,000 rows less that at 1,000:
#           kesto-cli <= 700 bytes, the window <= 800 bytes
#
# Usage: bench/yardsticks.sh [ROUNDS] [PARTS...]
#   ROUNDS  timed rounds per comparison (default 10)
#   PARTS   any of cold dates rename plain window memory (default all)
#   env CORPUS  photos made by bench/make_corpus.sh CORPUS 2000 --large
#               (default /tmp/kesto-bench; made when missing)
#   env BUILD   the Release build folder (default build/release) with
#               kesto, kesto-cli, limit_rename and limit_exifdate
set -euo pipefail

ROUNDS=${1:-10}
shift || true
PARTS=("$@")
((${#PARTS[@]})) || PARTS=(cold dates rename plain window memory)
ROOT=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=timing.sh
. "$ROOT/bench/timing.sh"
# shellcheck source=../scripts/deps.sh
. "$ROOT/scripts/deps.sh"
wants() { [[ " ${PARTS[*]} " == *" $1 "* ]]; }

if { wants window || wants memory; } && [ -z "${KESTO_BENCH_DISPLAY:-}" ]; then
    kesto_ensure_packages xvfb xauth
    exec env KESTO_BENCH_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$ROUNDS" "${PARTS[@]}"
fi
kesto_ensure_packages exiv2 mmv time
BUILD=${BUILD:-$ROOT/build/release}
APP=$BUILD/src/app/kesto
CLI=$BUILD/src/cli/kesto-cli
LIMIT_RENAME=$BUILD/bench/limit_rename
LIMIT_DATE=$BUILD/bench/limit_exifdate
for p in "$APP" "$CLI" "$LIMIT_RENAME" "$LIMIT_DATE"; do
    [ -x "$p" ] || { echo "build $(basename "$p") in $BUILD first" >&2; exit 1; }
done
CORPUS=${CORPUS:-/tmp/kesto-bench}
[ -d "$CORPUS/large" ] || "$ROOT/bench/make_corpus.sh" "$CORPUS" 2000 --large >&2
shopt -s nullglob
small=("$CORPUS"/small/*.jpg)
large=("$CORPUS"/large/*.jpg)
# 100,000 paths exceed the usual limit of a command line (a quarter of the stack limit).
ulimit -s 65536 2>/dev/null || ulimit -s unlimited
SCR=$(mktemp -d)
trap 'rm -rf "$SCR"' EXIT
# A data folder of its own, as a user's after a first run (the warm-up makes
# it); journals of earlier runs are removed before each run.
export XDG_DATA_HOME=$SCR/data XDG_CONFIG_HOME=$SCR/config
LOG=$XDG_DATA_HOME/Quarvel/Kesto/Kesto.LOG
mkdir -p "$(dirname "$LOG")"
no_journals() { rm -f "$XDG_DATA_HOME"/Quarvel/Kesto/Kesto-Journal/*.journal; }
DATE_MASK='[AUFNAHMEDATUM] [AUFNAHMEZEIT].[typ]'
# Every 25th photo has no capture date: the old name keeps the names unique.
APPLY_MASK='[AUFNAHMEDATUM] [AUFNAHMEZEIT] [name].[typ]'

echo "# $(date -u '+%F %T') UTC; $(exiv2 --version | head -1); mmv $(dpkg-query -W -f='${Version}' mmv)"
echo "# ${#small[@]} small photos, ${#large[@]} large ($(du -sh "$CORPUS/large" | cut -f1)); $ROUNDS rounds"

if wants cold; then
    drop() {
        sync
        echo 3 >/proc/sys/vm/drop_caches 2>/dev/null ||
            { echo "drop_caches needs root" >&2; exit 1; }
    }
    cold_kesto() { drop; run_us "$CLI" --mask "$DATE_MASK" "${large[@]}"; }
    cold_exiv2() { drop; run_us exiv2 -g Exif.Photo.DateTimeOriginal -Pv "${large[@]}"; }
    cold_floor() { drop; run_us "$LIMIT_DATE" "${large[@]}"; }
    load_line
    interleave "$ROUNDS" cold_kesto cold_exiv2 cold_floor
    echo "capture dates of ${#large[@]} large photos, every cache dropped before each run"
    ratio_line "exiv2 / kesto-cli" cold_exiv2 cold_kesto "r >= 1.2"
    ratio_line "kesto-cli / 4 KiB floor" cold_kesto cold_floor "r > 0"
fi

if wants dates; then
    dates_kesto() { run_us "$CLI" --mask "$DATE_MASK" "${small[@]}"; }
    dates_exiv2() { run_us exiv2 -g Exif.Photo.DateTimeOriginal -Pv "${small[@]}"; }
    dates_floor() { run_us "$LIMIT_DATE" "${small[@]}"; }
    load_line
    interleave "$ROUNDS" dates_kesto dates_exiv2 dates_floor
    echo "names by capture date of ${#small[@]} photos, warm"
    ratio_line "exiv2 / kesto-cli" dates_exiv2 dates_kesto "r > 0"
    ratio_line "kesto-cli / 4 KiB floor" dates_kesto dates_floor "r > 0"
fi

if wants rename; then
    # The copy is written back before the timed run, so no writeback competes with it.
    fresh_copy() { rm -rf "$SCR/w"; cp -a "$CORPUS/small" "$SCR/w"; sync; }
    rename_kesto() {
        fresh_copy
        no_journals
        local w=("$SCR"/w/*.jpg)
        run_us "$CLI" --mask "$APPLY_MASK" --apply "${w[@]}"
    }
    rename_exiv2() {
        fresh_copy
        local w=("$SCR"/w/*.jpg)
        run_us exiv2 -r '%Y-%m-%d %H-%M-%S' rename "${w[@]}"
    }
    load_line
    interleave "$ROUNDS" rename_kesto rename_exiv2
    echo "renaming a copy of ${#small[@]} photos by capture date"
    ratio_line "exiv2 rename / kesto-cli --apply" rename_exiv2 rename_kesto "r >= 3"
fi

make_empty() {
    rm -rf "$SCR/e"
    mkdir "$SCR/e"
    (cd "$SCR/e" && seq -f 'IMG_%06g.jpg' 1 "$1" | xargs touch)
    sync
}

if wants plain; then
    for n in 10000 100000; do
        plain_kesto() {
            make_empty "$n"
            no_journals
            local f=("$SCR"/e/*.jpg)
            run_us "$CLI" --mask 'Foto_[zahl].[typ]' --digits 6 --lead Null --apply "${f[@]}"
        }
        plain_mmv() { make_empty "$n"; (cd "$SCR/e" && run_us mmv 'IMG_*.jpg' 'Foto_#1.jpg'); }
        plain_floor() { make_empty "$n"; run_us "$LIMIT_RENAME" "$SCR/e" "$n" IMG_%06d.jpg Foto_%06d.jpg; }
        load_line
        interleave "$ROUNDS" plain_kesto plain_mmv plain_floor
        echo "a prefix and a counter on $n empty files"
        ratio_line "mmv / kesto-cli --apply" plain_mmv plain_kesto "r >= 1"
        ratio_line "kesto-cli --apply / renameat2 loop" plain_kesto plain_floor "r <= 1.3"
    done
fi

# Wall time in microseconds from the window's start until its list is filled
# (its log gets "EXIT LoadListWithFileNames"); the window is then ended.
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
    # The peak resident size so far, in KiB, for the memory part.
    [ -z "${PEAK_FILE:-}" ] || awk '/^VmHWM:/ {print $2}' "/proc/$app/status" >"$PEAK_FILE"
    kill "$tail" "$app" 2>/dev/null || true
    exec {lines}<&-
    wait "$app" 2>/dev/null || true
    echo $((${end//[.,]/} - ${start//[.,]/}))
}

if wants window; then
    make_empty 20000
    mv "$SCR/e" "$SCR/e20k"
    empty=("$SCR"/e20k/*.jpg)
    window_photos() { window_us "${small[@]}"; }
    cli_photos() { run_us "$CLI" --mask '[AUFNAHMEDATUM] [name].[typ]' "${small[@]}"; }
    window_empty() { window_us "${empty[@]}"; }
    cli_empty() { run_us "$CLI" --mask '[name].[typ]' "${empty[@]}"; }
    load_line
    interleave "$ROUNDS" window_photos cli_photos window_empty cli_empty
    echo "start until the list is filled"
    ratio_line "window / kesto-cli, ${#small[@]} photos" window_photos cli_photos "r <= 2"
    ratio_line "window / kesto-cli, 20,000 empty files" window_empty cli_empty "r <= 1.5"
fi

if wants memory; then
    # Peak resident size in KiB of kesto-cli previewing N empty files.
    cli_kib() {
        make_empty "$1"
        local f=("$SCR"/e/*.jpg)
        /usr/bin/time -f %M -o "$SCR/peak" "$CLI" --mask 'Foto_[zahl].[typ]' --digits 6 --lead Null "${f[@]}" \
            >/dev/null 2>&1 || true
        cat "$SCR/peak"
    }
    # The same for the window, taken once its list is filled.
    window_kib() {
        make_empty "$1"
        local f=("$SCR"/e/*.jpg)
        PEAK_FILE=$SCR/peak window_us "${f[@]}" >/dev/null
        cat "$SCR/peak"
    }
    per_row() { awk -v s="$2" -v l="$3" -v goal="$4" -v what="$1" 'BEGIN {
        b = (l - s) * 1024 / 99000
        printf "  %-12s peak %6.1f MiB at 100,000 rows, %5.1f MiB at 1,000: %4.0f bytes per row (goal <= %d: %s)\n",
            what, l / 1024, s / 1024, b, goal, (b <= goal ? "met" : "MISSED") }'; }
    echo "memory"
    per_row kesto-cli "$(cli_kib 1000)" "$(cli_kib 100000)" 700
    per_row window "$(window_kib 1000)" "$(window_kib 100000)" 800
fi
