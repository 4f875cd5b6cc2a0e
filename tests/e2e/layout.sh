# Sourced by the e2e drivers: lays out a fresh directory as the build is (binary beside data/),
# removed again on exit. data/ is a real directory holding the configuration, so that the log
# and the highscore table the program writes stay in it; the generated data beside the
# configuration is linked in, not copied.
make_layout() {
    local binary=$1 config=$2
    work=$(mktemp -d "${TMPDIR:-/tmp}/qm-e2e.XXXXXX")
    trap 'stop_program; rm -rf "$work"' EXIT
    cp "$binary" "$work/quillmark"
    mkdir -p "$work/data"
    cp "$config" "$work/data/config.txt"
    local entry
    for entry in "$(dirname "$config")"/*; do
        case "$(basename "$entry")" in
        config.txt | debug.txt | crash.txt | highscores.dat*) ;;
        *) ln -s "$entry" "$work/data/$(basename "$entry")" ;;
        esac
    done
}

# Gives the layout a file of its own at data/$1 (a path in lower case, as the forge writes it)
# to change: each linked directory on the way becomes a real one whose entries link to the
# build's, and the file itself a copy. The build's data stays untouched.
own_data_copy() {
    local dir=$work/data part source entry
    local -a parts
    IFS=/ read -ra parts <<<"$1"
    for part in "${parts[@]}"; do
        if [ -L "$dir/$part" ]; then
            source=$(readlink "$dir/$part")
            rm "$dir/$part"
            if [ -d "$source" ]; then
                mkdir "$dir/$part"
                for entry in "$source"/*; do
                    ln -s "$entry" "$dir/$part/$(basename "$entry")"
                done
            else
                cp "$source" "$dir/$part"
            fi
        fi
        dir=$dir/$part
    done
    if [ ! -f "$dir" ] || [ -L "$dir" ]; then
        fail "no data file $1 to copy"
    fi
}

# A desktop's dialog tool would hold every message box open; the stand-in answers at once,
# so a box never stops an automated run (the log check below still finds its line).
install_dialog_stub() {
    mkdir -p "$work/bin"
    printf '#!/bin/sh\nexit 0\n' >"$work/bin/zenity"
    chmod +x "$work/bin/zenity"
    PATH="$work/bin:$PATH"
}

pid=""
start_program() {
    "$work/quillmark" >/dev/null 2>>"$work/stderr.txt" &
    pid=$!
}

stop_program() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
    pid=""
}

# Waits up to $2 seconds for the log to hold the fixed text $1; false if the program ended or
# the time ran out first.
wait_for_log() {
    local text=$1 seconds=$2 i
    for ((i = 0; i < seconds * 5; i++)); do
        grep -qF -- "$text" "$work/data/debug.txt" 2>/dev/null && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.2
    done
    return 1
}

# The number of times the fixed text stands in the log.
log_count() {
    grep -cF -- "$1" "$work/data/debug.txt" 2>/dev/null
}

# Waits up to $1 seconds for the program to end; sets status (124 when it did not end).
wait_for_end() {
    local seconds=$1 i
    status=124
    for ((i = 0; i < seconds * 5; i++)); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            status=$?
            pid=""
            return 0
        fi
        sleep 0.2
    done
    return 1
}

check_log_header() {
    local rule=---------------------------------------------------
    local expected
    expected=$(printf '%s\n%s\n%s\n' "$rule" "Das Quillmark" "$rule")
    [ "$(head -n 3 "$work/data/debug.txt")" = "$expected" ] || fail "log header does not open the log"
    head -n 4 "$work/data/debug.txt" | grep -q '^Build: [0-9][0-9]:[0-9][0-9]:[0-9][0-9] ' || fail "no build line"
    grep -q '^Started at: [0-9]\{4\}-[0-9][0-9]-[0-9][0-9] ' "$work/data/debug.txt" || fail "no start time"
    grep -q '^Windows version: [0-9a-f]*\.[0-9a-f][0-9a-f] build [0-9a-f]\{4\}' "$work/data/debug.txt" ||
        fail "no system version line"
}

# The start-up of the game: everything loaded once behind the loading screen, then the menu.
check_loading() {
    local line
    for line in "Game Runonce" "Game RunonceDone" "Game Init, Active Level: 0" "Game Init Done"; do
        grep -qxF -- "$line" "$work/data/debug.txt" || fail "no log line \"$line\""
    done
    ! grep -qE 'Error loading (Sprites|SoundEffects)|Could not find AudioStream' "$work/data/debug.txt" ||
        fail "shared data or title music missing"
}

# Every warning and error of the run must be one the game knows to expect: the repeated cells of
# the font pictures. Anything else (a missing picture, font, sprite, audio event or sound file, a
# settings block of an unknown class) fails, as does a message box or, in a sanitizer build, a
# report of undefined behaviour.
check_log_clean() {
    local expected unexpected
    expected='Font::Create: [0-9]+ characters double defined in the character-set of <'
    unexpected=$(grep -E '^\*\*\*(WARNING|ERROR): ' "$work/data/debug.txt" | grep -vE "$expected")
    [ -z "$unexpected" ] || fail "unexpected log lines: $unexpected"
    ! grep -q '^ERROR: ' "$work/stderr.txt" || fail "a message box was shown: $(grep -A1 '^ERROR: ' "$work/stderr.txt")"
    # A sanitizer build reports undefined behaviour and goes on; the run must not have any.
    ! grep -q 'runtime error:' "$work/stderr.txt" || fail "undefined behaviour: $(grep -m3 'runtime error:' "$work/stderr.txt")"
}

# A clean end with the exit code $1 (default 0): the game and the display were shut down and
# nothing crashed.
check_clean_end() {
    local expected=${1:-0}
    [ "$status" -eq "$expected" ] || fail "exit code $status, expected $expected"
    grep -qxF "Game Exit Done" "$work/data/debug.txt" || fail "the game did not exit"
    grep -qxF "Exiting." "$work/data/debug.txt" || fail "the application did not shut down"
    [ ! -e "$work/data/crash.txt" ] || fail "crash report written"
}

fail() {
    echo "FAIL: $*"
    for f in "$work/stderr.txt" "$work/data/debug.txt"; do
        [ -f "$f" ] && { echo "--- $f"; grep -v 'double defined\|LoadAnimatedRLESprite\|Surface::Create' "$f" | tail -n 80; }
    done
    exit 1
}
