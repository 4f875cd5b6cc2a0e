#!/usr/bin/env bash
# Starts the real program without a display from another working directory. Until the game
# class exists, the configured game "GameQuillmark" is unknown: the program must write its
# log header, report the unknown game and end with a failure code.
set -u
. "$(dirname "$0")/layout.sh"
make_layout "$1" "$2"

cd /
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 30 "$work/quillmark" >/dev/null 2>"$work/stderr.txt"
status=$?

[ "$status" -ne 124 ] || fail "the program did not end within 30 s"
[ "$status" -ne 0 ] || fail "the program ended with exit code 0"
[ -f "$work/data/debug.txt" ] || fail "no data/debug.txt beside the program"

rule=---------------------------------------------------
header=$(head -n 4 "$work/data/debug.txt")
expected=$(printf '%s\n%s\n%s\n' "$rule" "Das Quillmark" "$rule")
[ "$(head -n 3 "$work/data/debug.txt")" = "$expected" ] || fail "log header does not open the log"
echo "$header" | grep -q '^Build: [0-9][0-9]:[0-9][0-9]:[0-9][0-9] ' || fail "no build line"
grep -q '^Started at: [0-9]\{4\}-[0-9][0-9]-[0-9][0-9] ' "$work/data/debug.txt" || fail "no start time"
grep -q '^Windows version: [0-9a-f]*\.[0-9a-f][0-9a-f] build [0-9a-f]\{4\}' "$work/data/debug.txt" ||
    fail "no system version line"
grep -q 'Unknown Project <GameQuillmark>' "$work/stderr.txt" || fail "the unknown game was not reported"
echo "PASS: exit code $status, log header written, unknown game reported"
