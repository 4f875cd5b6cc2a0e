#!/usr/bin/env bash
# Starts that cannot succeed must say why and end with a failure status; a window larger than
# the display is made to fit instead of failing. Runs without a display.
set -u
. "$(dirname "$0")/layout.sh"
make_layout "$1" "$2"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

# Ends the program started from $1 (a layout) within 30 s; its exit status in status.
run_to_end() {
    (cd / && timeout 30 "$1/quillmark" >/dev/null 2>"$work/start.txt")
    status=$?
}

# Without data/ the log cannot be created.
mkdir "$work/bare"
cp "$work/quillmark" "$work/bare/"
run_to_end "$work/bare"
[ "$status" -ne 0 ] && [ "$status" -ne 124 ] || fail "no data directory: exit status $status"
grep -qF "Debug::CreateLogFile: Failed to create the log file!" "$work/start.txt" || fail "no data directory: not told"

# Without the configuration the game cannot be chosen; the reason reaches stderr and the log.
mkdir -p "$work/noconfig/data"
cp "$work/quillmark" "$work/noconfig/"
run_to_end "$work/noconfig"
[ "$status" -ne 0 ] && [ "$status" -ne 124 ] || fail "no configuration: exit status $status"
reason='could not load settings <data\config.txt>'
grep -qF "$reason" "$work/start.txt" || fail "no configuration: stderr does not say so"
header_end=$(grep -n '^Windows version: ' "$work/noconfig/data/debug.txt" | cut -d: -f1)
reason_line=$(grep -nF "$reason" "$work/noconfig/data/debug.txt" | cut -d: -f1)
[ -n "$header_end" ] && [ -n "$reason_line" ] && [ "$reason_line" -gt "$header_end" ] ||
    fail "no configuration: the log does not keep the reason after its header"

# An absurd window width is cut to the display's and the game starts.
sed -i 's/^screenwidth .*/screenwidth 99999/' "$work/data/config.txt"
start_program
wait_for_log "Game Init Done" 180 || fail "a too wide window kept the game from starting"
grep -qF "99999 x 600 does not fit the display, using " "$work/data/debug.txt" || fail "the cut is not logged"
kill -TERM "$pid"
wait_for_end 30 || fail "the program did not end within 30 s of the quit request"
check_clean_end
echo "PASS: failed starts end non-zero and say why; a too wide window is made to fit"
