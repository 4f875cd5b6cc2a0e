#!/usr/bin/env bash
# Switches between window and full screen while the game runs, on a virtual X display of
# 1024 x 768: Alt+Enter makes the window cover the screen, Alt+Enter again gives back the window
# of its former size, F11 does the same both ways; the main menu goes on throughout. A window
# made wider than the frame shows it with bars at the sides, and a click on a button of the
# scaled frame still reaches it. Then the program ends cleanly. Arguments: program,
# configuration, directory for the screenshots.
set -u
. "$(dirname "$0")/layout.sh"
. "$(dirname "$0")/display.sh"
require_display_tools

if [ "${1:-}" != "--on-display" ]; then
    make_layout "$1" "$2"
    shots=$3
    rerun_on_display 1000
fi
enter_display "$2" "$3"

# Waits up to 10 seconds for the window to have the size $1 x $2 and the origin $3,$4 (when
# given); the window is searched anew, since a new renderer may bring a new window with it.
expect_geometry() {
    local i
    for ((i = 0; i < 50; i++)); do
        window=$(xdotool search --name '^Das Quillmark$' 2>/dev/null | head -n 1)
        if [ -n "$window" ]; then
            eval "$(xdotool getwindowgeometry --shell "$window")"
            if [ "$WIDTH" -eq "$1" ] && [ "$HEIGHT" -eq "$2" ] && { [ $# -lt 4 ] || [ "$X,$Y" = "$3,$4" ]; }; then
                width=$WIDTH
                height=$HEIGHT
                sleep 0.5 # a few frames in the new mode
                return 0
            fi
        fi
        sleep 0.2
    done
    fail "the window is ${WIDTH:-?} x ${HEIGHT:-?} at ${X:-?},${Y:-?}, expected $1 x $2${3:+ at $3,$4}"
}

# The mode switches reach the log once each, and the menu level was never left.
expect_switches() {
    [ "$(log_count "Switching to full screen.")" -eq "$1" ] || fail "not $1 switches to full screen"
    [ "$(log_count "Switching to a window.")" -eq "$2" ] || fail "not $2 switches to a window"
    [ "$(grep -cxF "Game Init, Active Level: 0" "$work/data/debug.txt")" -eq 1 ] || fail "the menu was left"
}

start_and_find_window
windowed_width=$width
windowed_height=$height
sleep 1.5
shot window

press alt+Return
expect_geometry 1024 768 0 0
expect_switches 1 0
shot full-screen
press alt+Return
expect_geometry "$windowed_width" "$windowed_height"
expect_switches 1 1
shot window-again

press F11
expect_geometry 1024 768 0 0
press F11
expect_geometry "$windowed_width" "$windowed_height"
expect_switches 2 2

# A window of 1000 x 500 (moved to the corner, so that all of it is on the screen) shows the
# frame as 666 x 500 with bars of 167 at the sides.
xdotool windowmove "$window" 0 0 windowsize "$window" 1000 500
expect_geometry 1000 500 0 0
shot wide-window
if command -v convert >/dev/null && command -v import >/dev/null; then
    is_black "$(shot_pixel 80 250)" || fail "no bar at the left: $(shot_pixel 80 250)"
    is_black "$(shot_pixel 920 250)" || fail "no bar at the right: $(shot_pixel 920 250)"
    ! is_black "$(shot_pixel 500 250)" || fail "no frame in the middle"
fi
# "Hilfe" at 372,724 of the frame, through the bars; "back" at 895,715.
xdotool mousemove --window "$window" $((167 + 372 * 666 / 1024)) $((724 * 500 / 768)) sleep 0.3 click 1
expect_level 6 1
shot help-in-wide-window
xdotool mousemove --window "$window" $((167 + 895 * 666 / 1024)) $((715 * 500 / 768)) sleep 0.3 click 1
expect_level 0 2

quit_from_main_menu
echo "PASS: Alt+Enter and F11 switch to full screen and back to the window of its size; a widened window shows bars and maps clicks; screenshots in $shots"
