#!/usr/bin/env bash
# Plays through the front end on a virtual X display with the mouse and the keyboard, taking a
# screenshot of the window at every stop: main menu -> help -> back -> highscores -> back ->
# "Spielen" (the board game is not there yet: the menu stays) -> Escape (the quit question) ->
# exit screen -> a key ends the program. Then a second start on the credits (by configuration,
# as no button leads there) -> Escape -> highscores: the table saved by the first run is read
# back unchanged -> back -> exit screen -> a key ends it. The log of both runs must hold no
# warning or error but the expected ones. Arguments: program, configuration, directory for the
# screenshots.
set -u
for tool in xvfb-run xdotool; do
    command -v "$tool" >/dev/null || {
        echo "SKIP: $tool missing"
        exit 77
    }
done
. "$(dirname "$0")/layout.sh"

if [ "${1:-}" != "--on-display" ]; then
    make_layout "$1" "$2"
    shots=$3
    rm -rf "$shots"
    mkdir -p "$shots"
    # Searching from a number of its own keeps parallel runs from racing for one display.
    xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 1024x768x24" "$0" --on-display "$work" "$shots"
    exit $?
fi

work=$2
shots=$3
trap 'stop_program' EXIT
install_dialog_stub
unset SDL_VIDEODRIVER
export SDL_AUDIODRIVER=dummy
# In a sanitizer build: the X11 and D-Bus client libraries keep a few allocations until the
# process ends, which the leak checker would report; the headless run keeps leak checking on.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

window=""
step=0

# Takes the screen as "<number>-<name>.png" (with ImageMagick's import, when installed).
shot() {
    step=$((step + 1))
    command -v import >/dev/null || return 0
    import -window "$window" "$shots/$(printf '%02d' "$step")-$1.png" || fail "no screenshot $1"
}

# Clicks at a point of the 1024 x 768 logical frame, which the window shows scaled.
click() {
    local x=$(($1 * width / 1024)) y=$(($2 * height / 768))
    xdotool mousemove --window "$window" "$x" "$y" sleep 0.3 mousedown 1 sleep 0.1 mouseup 1
}

press() {
    xdotool windowfocus --sync "$window" key "$1" 2>/dev/null || xdotool key --window "$window" "$1"
}

# Waits until the log line "Game Init, Active Level: $1" has been written $2 times in all.
expect_level() {
    local level=$1 times=$2 i
    for ((i = 0; i < 50; i++)); do
        [ "$(grep -cxF "Game Init, Active Level: $level" "$work/data/debug.txt")" -ge "$times" ] && {
            # Past the flash of the button and the guard of the global keys.
            sleep 1.2
            return 0
        }
        sleep 0.2
    done
    fail "level $level was not reached (time $times)"
}

# Starts the program and waits for its window; the loading screen is caught only if loading is
# still under way when the window appears.
start_and_find_window() {
    start_program
    window=""
    for ((i = 0; i < 300; i++)); do
        window=$(xdotool search --name '^Das Quillmark$' 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    [ -n "$window" ] || fail "no window titled \"Das Quillmark\""
    if [ "${1:-}" = with-loading-shot ] && wait_for_log "Game Runonce" 60 &&
        ! grep -qxF "Game RunonceDone" "$work/data/debug.txt"; then
        sleep 1
        shot loading-screen
    fi
    wait_for_log "Game Init Done" 240 || fail "the first level was not reached"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    width=$WIDTH
    height=$HEIGHT
}

# The exit screen from the main menu: Escape, then any key ends the program with -1.
quit_from_main_menu() {
    press Escape
    expect_level 5 1
    [ -n "${1:-}" ] && shot "$1"
    press space
    wait_for_end 30 || fail "the exit screen did not end the program"
    check_clean_end 255 # quit with -1
    check_log_clean
}

start_and_find_window with-loading-shot
check_log_header
check_loading
sleep 1.5
shot main-menu

click 372 724   # Hilfe
expect_level 6 1
shot help
click 895 715   # back to the menu
expect_level 0 2
shot main-menu-again

click 616 724   # Bestenliste
expect_level 3 1
shot highscores
click 895 715   # back to the menu; the click saves the table
expect_level 0 3
[ -s "$work/data/highscores.dat" ] || fail "the highscore table was not saved"

switches=$(grep -cxF "Game Init Done" "$work/data/debug.txt")
click 135 724   # Spielen: the board game does not exist yet
sleep 1.5
grep -qF "GameQuillmark::Init: There is no level 1" "$work/data/debug.txt" || fail "the missing level was not logged"
[ "$(grep -cxF "Game Init Done" "$work/data/debug.txt")" -eq "$switches" ] || fail "the menu did not stay"

quit_from_main_menu exit-screen
saved=$(md5sum <"$work/data/highscores.dat")

sed -i 's/^activeLevel .*/activeLevel 4/' "$work/data/config.txt"
start_and_find_window
grep -qxF "Game Init, Active Level: 4" "$work/data/debug.txt" || fail "the second start did not open the credits"
sleep 8         # the first names have scrolled into view
shot credits
press Escape    # the credits lead back to the main menu
expect_level 0 1
click 616 724   # Bestenliste
expect_level 3 1
shot highscores-after-restart
grep -qF "HighscoreManager::Load" "$work/data/debug.txt" && fail "the saved table was not read cleanly"
click 895 715
expect_level 0 2
[ "$(md5sum <"$work/data/highscores.dat")" = "$saved" ] || fail "the table changed over a restart"
quit_from_main_menu
echo "PASS: menu, help, highscores, missing board game, exit screen; credits and the saved table after a restart; screenshots in $shots"
