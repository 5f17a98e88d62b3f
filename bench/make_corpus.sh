#!/usr/bin/env bash
# Writes the photo corpus the benchmark scripts read.
#
# Usage: bench/make_corpus.sh DIR [COUNT] [--large] [--audio]
#   DIR/small  COUNT small JPEG photos (default 2000), IMG_000001.jpg upwards,
#              each with its own Exif capture date (DateTimeOriginal, an hour
#              and a bit apart, from 2006 on); every 25th photo has no capture
#              date, as edited or scanned pictures often have none; plus a few
#              files that are no photos (text, PNG, an empty video)
#   DIR/large  with --large: 200 photos of about 5 MB each, dated alike
#   DIR/audio  with --audio: 1000 MP3s of 10 s (80 KB) with ID3v2 tags,
#              Song_0001.mp3 upwards, artist and title of their own each
# Needs ImageMagick, exiftool and ffmpeg (Debian: imagemagick,
# libimage-exiftool-perl, ffmpeg) and installs them when they are missing.
set -euo pipefail

usage() { echo "usage: $0 DIR [COUNT] [--large] [--audio]" >&2; exit 2; }
large=0
audio=0
args=()
for a in "$@"; do
    case $a in
    --large) large=1 ;;
    --audio) audio=1 ;;
    -*) usage ;;
    *) args+=("$a") ;;
    esac
done
((${#args[@]} >= 1 && ${#args[@]} <= 2)) || usage
DIR=${args[0]}
COUNT=${args[1]:-2000}
[[ $COUNT =~ ^[0-9]+$ ]] && ((COUNT > 0)) || usage

ROOT=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=../scripts/deps.sh
. "$ROOT/scripts/deps.sh"
kesto_ensure_packages imagemagick libimage-exiftool-perl ffmpeg

SCR=$(mktemp -d)
trap 'rm -rf "$SCR"' EXIT

# photos DEST N BASE...: N copies of the base pictures, taken in turn, with
# capture dates that differ photo by photo.
photos() {
    local dest=$1 n=$2
    shift 2
    local bases=("$@")
    rm -rf "$dest"
    mkdir -p "$dest"
    for ((i = 1; i <= n; i++)); do
        cp "${bases[$(((i - 1) % ${#bases[@]}))]}" "$(printf '%s/IMG_%06d.jpg' "$dest" "$i")"
    done
    # One exiftool process for all photos: an argument file with one
    # -execute per photo. Dates start 2006-03-14 09:05:07, 3,671 s apart.
    perl -MPOSIX=strftime -e '
        my ($dest, $n) = @ARGV;
        for my $i (1 .. $n) {
            next if $i % 25 == 0;
            my $date = strftime("%Y:%m:%d %H:%M:%S", gmtime(1142327107 + $i * 3671));
            printf "-DateTimeOriginal=%s\n-CreateDate=%s\n-overwrite_original\n%s/IMG_%06d.jpg\n-execute\n",
                $date, $date, $dest, $i;
        }' "$dest" "$n" >"$SCR/args"
    exiftool -q -q -@ "$SCR/args" >/dev/null
}

# Small photos: four pictures of 640 x 480 in different colours, about 40 KB.
for k in 0 1 2 3; do
    convert -size 640x480 "plasma:hsl($((k * 90)),60%,50%)-hsl($((k * 90 + 45)),60%,30%)" \
        -seed "$k" -quality 85 "$SCR/small$k.jpg"
done
photos "$DIR/small" "$COUNT" "$SCR"/small?.jpg
printf 'Urlaub 2006\r\nAlle Bilder vom Strand.\r\n' >"$DIR/small/Liesmich.txt"
convert -size 64x64 xc:skyblue "$DIR/small/Vorschau.png"
: >"$DIR/small/MOV_0001.mp4"
cp "$SCR/small0.jpg" "$DIR/small/Ohne Datum.jpg"
echo "$DIR/small: $COUNT photos and 4 other files ($(du -sh "$DIR/small" | cut -f1))"

if ((large)); then
    # Noise does not compress: 3000 x 2250 at quality 92 gives about 5 MB.
    for k in 0 1; do
        convert -size 3000x2250 xc:gray -seed "$k" +noise Random -quality 92 "$SCR/large$k.jpg"
    done
    photos "$DIR/large" 200 "$SCR"/large?.jpg
    echo "$DIR/large: 200 photos ($(du -sh "$DIR/large" | cut -f1))"
fi

if ((audio)); then
    # One tagged copy of a silent song per output of an ffmpeg process, a
    # hundred outputs each; the artists repeat, every title is its own.
    rm -rf "$DIR/audio"
    mkdir -p "$DIR/audio"
    ffmpeg -v error -f lavfi -i anullsrc=r=22050:cl=mono -t 10 -c:a libmp3lame -b:a 64k "$SCR/song.mp3"
    for ((first = 1; first <= 1000; first += 100)); do
        outputs=()
        for ((i = first; i < first + 100; i++)); do
            outputs+=(-map 0 -c copy -metadata "artist=Interpret $((i % 37))"
                -metadata "title=Lied Nummer $i" "$(printf '%s/Song_%04d.mp3' "$DIR/audio" "$i")")
        done
        ffmpeg -v error -i "$SCR/song.mp3" "${outputs[@]}"
    done
    echo "$DIR/audio: 1000 tagged MP3s ($(du -sh "$DIR/audio" | cut -f1))"
fi
