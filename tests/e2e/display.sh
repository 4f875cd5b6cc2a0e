# Sourced, after layout.sh, by the drivers that play the game on a virtual X display with
# xdotool and take screenshots of its window with ImageMagick's import.

require_display_tools() {
    local tool
    for tool in xvfb-run xdotool; do
        command -v "$tool" >/dev/null || {
            echo "SKIP: $tool missing"
            exit 77
        }
    done
}

# Runs this driver again under Xvfb with "--on-display <work directory> <screenshot directory>"
# and ends with its exit code. Each driver searches for a free display from a base of its own
# ($1), so parallel runs never race for one number. Without -noreset the server resets whenever
# its last client leaves (an xdotool call, the program at its end); a program connecting during
# the reset is turned away, and SDL then runs it without a window.
rerun_on_display() {
    local base=$1
    rm -rf "$shots"
    mkdir -p "$shots"
    xvfb-run -a -n $((base + $$ % 400)) -s "-screen 0 1024x768x24 -noreset" "$0" --on-display "$work" "$shots"
    exit $?
}

# The start of the run on the display: the program's environment, and no program left behind.
enter_display() {
    work=$1
    shots=$2
    trap 'stop_program' EXIT
    install_dialog_stub
    unset SDL_VIDEODRIVER
    export SDL_AUDIODRIVER=dummy
    # In a sanitizer build: the X11 and D-Bus client libraries keep a few allocations until the
    # process ends, which the leak checker would report; the headless run keeps leak checking on.
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
}

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

# Waits for the program's window and takes its size.
find_window() {
    local i
    window=""
    for ((i = 0; i < 300; i++)); do
        window=$(xdotool search --name '^Das Quillmark$' 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    [ -n "$window" ] || fail "no window titled \"Das Quillmark\""
    eval "$(xdotool getwindowgeometry --shell "$window")"
    width=$WIDTH
    height=$HEIGHT
}

# Starts the program and waits for its window; the loading screen is caught only if loading is
# still under way when the window appears.
start_and_find_window() {
    start_program
    find_window
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

# The colour of the last screenshot at window pixel $1,$2 as ImageMagick names it
# ("srgb(0,0,0)").
shot_pixel() {
    local last
    last=$(ls "$shots"/*.png | tail -n 1)
    convert "$last" -format "%[pixel:p{$1,$2}]" info:
}

is_black() {
    case "$1" in
    black | "srgb(0,0,0)" | "rgb(0,0,0)" | "gray(0)") return 0 ;;
    *) return 1 ;;
    esac
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

# Clicks "Ja" ($1 = yes) or "Nein" ($1 = no) of the board game's quit question
# (frontend/QuitQuestion.cpp): buttons of 179 x 60 at y 350, "Ja" from 459 and "Nein" from 386,
# each moved out by half the question's width, 180 in its font.
answer_quit_question() {
    case $1 in
    yes) click $((459 - 180 + 89)) 380 ;;
    no) click $((386 + 180 + 89)) 380 ;;
    esac
}
