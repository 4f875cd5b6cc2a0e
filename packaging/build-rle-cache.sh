#!/usr/bin/env bash
# Builds the ".rle" sprite caches that an installed game would otherwise write at its first
# start: the program runs once, headless, on a copy of the data directory whose files link to the
# build's, up to its main menu. A cache is current while it records its picture's modification
# time; cmake --install keeps that time in whole seconds, so the pictures here are copies with
# their times cut to whole seconds as well.
# The caches land in OUT/data/ with their paths below data/; OUT/.built marks success. A start
# that fails only warns: the installed game then builds the caches into the user's cache.
# Usage: build-rle-cache.sh PROGRAM DATA_DIR OUT
set -u

program=$1
data=$2
out=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/qm-rle.XXXXXX")
pid=""
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT

warn() {
    echo "build-rle-cache: $* - the installed game will build its caches at the first start" >&2
    exit 0
}

rm -rf "$out"
mkdir -p "$work/data"
cp "$program" "$work/quillmark"
cp -rs "$(cd "$data" && pwd)/." "$work/data/"
(cd "$data" && find . -name '*.bmp' -printf '%T@ %p\n') | while read -r time picture; do
    rm "$work/data/$picture"
    cp "$data/$picture" "$work/data/$picture"
    touch -m -d "@${time%.*}" "$work/data/$picture"
done
find "$work/data" \( -name '*.rle' -o -name '*.tmp' -o -name 'debug.txt' -o -name 'crash.txt' \
    -o -name 'highscores.dat*' -o -name 'editor-windows.ini' \) -delete

(cd / && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy exec "$work/quillmark" >/dev/null 2>"$work/stderr.txt") &
pid=$!
for ((i = 0; i < 1500; i++)); do
    grep -qF "Game Init Done" "$work/data/debug.txt" 2>/dev/null && break
    kill -0 "$pid" 2>/dev/null || warn "the program ended before its main menu"
    sleep 0.2
done
grep -qF "Game Init Done" "$work/data/debug.txt" 2>/dev/null || warn "the main menu was not reached"
kill -TERM "$pid"
wait "$pid"
pid=""

(cd "$work/data" && find . -name '*.rle' -type f) | while read -r cache; do
    mkdir -p "$out/data/$(dirname "$cache")"
    cp "$work/data/$cache" "$out/data/$cache"
done
count=$(find "$out/data" -name '*.rle' -type f 2>/dev/null | wc -l)
[ "$count" -gt 0 ] || warn "the program wrote no caches"
touch "$out/.built"
echo "build-rle-cache: $count caches"
