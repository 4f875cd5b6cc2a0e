#!/usr/bin/env bash
# Starts the real program on a virtual X display and looks for its window by title.
set -u
command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || {
    echo "SKIP: xvfb-run or xdotool missing"
    exit 77
}
. "$(dirname "$0")/layout.sh"

if [ "${1:-}" != "--on-display" ]; then
    make_layout "$1" "$2"
    xvfb-run -a -s "-screen 0 1024x768x24" "$0" --on-display "$work"
    exit $?
fi

work=$2
# The program stops at its first message box (the unknown game). A stand-in for the desktop's
# dialog tool holds that box open, so the window lives long enough to be looked at.
mkdir -p "$work/bin"
cat >"$work/bin/zenity" <<'STUB'
#!/bin/sh
echo $$ >"$(dirname "$0")/dialog.pid"
exec sleep 60
STUB
chmod +x "$work/bin/zenity"

unset SDL_VIDEODRIVER
PATH="$work/bin:$PATH" SDL_AUDIODRIVER=dummy "$work/quillmark" >/dev/null 2>"$work/stderr.txt" &
pid=$!
found=""
for _ in $(seq 1 100); do
    found=$(xdotool search --name '^Das Quillmark$' 2>/dev/null | head -n 1)
    [ -n "$found" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
kill -KILL "$pid" 2>/dev/null  # it sits in a modal box, deaf to SIGTERM
wait "$pid" 2>/dev/null
[ -f "$work/bin/dialog.pid" ] && kill "$(cat "$work/bin/dialog.pid")" 2>/dev/null
[ -n "$found" ] || fail "no window titled \"Das Quillmark\""
echo "PASS: window $found is titled \"Das Quillmark\""
