#!/usr/bin/env bash
# Installs the build into a temporary prefix with "cmake --install", makes the installed tree
# read-only and starts the installed program from it headless (through the link in bin/, from
# another working directory). It must find its data read-only, write its log to
# $XDG_STATE_HOME/quillmark, use the installed ".rle" caches (nothing in $XDG_CACHE_HOME), reach
# the main menu, end cleanly, and leave the installed tree byte for byte as it was. The highscore
# table is written only when the highscore level saves it, which a headless start never reaches:
# the run must leave $XDG_DATA_HOME/quillmark without one; a second run on a virtual display goes
# there with the keys and saves it per user. The desktop entry and the metainfo are
# checked with desktop-file-validate and appstreamcli where those are installed.
# Permission bits do not bind root: run as root, the program runs as the user nobody (with
# setpriv); without that user or tool the test is skipped (77). Argument: the build directory.
set -u
. "$(dirname "$0")/layout.sh"

build=$(cd "$1" && pwd)
app_id=de.quillmark.DasQuillmark
work=$(mktemp -d "${TMPDIR:-/tmp}/qm-install.XXXXXX")
prefix=$work/prefix
user=$work/user
trap 'stop_program; chmod -R u+w "$work"; rm -rf "$work"' EXIT

skip() {
    echo "SKIP: $*"
    exit 77
}

runner=()
if [ "$(id -u)" -eq 0 ]; then
    command -v setpriv >/dev/null || skip "running as root without setpriv to drop to nobody"
    id nobody >/dev/null 2>&1 || skip "running as root without a user nobody"
    runner=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
fi

cmake --install "$build" --prefix "$prefix" >"$work/install.txt" 2>&1 || fail "cmake --install failed: $(tail -n 5 "$work/install.txt")"

# The layout: the program beside its data below lib/, reached through a relative link in bin/.
installed=$prefix/lib/quillmark
[ -x "$installed/quillmark" ] && [ -f "$installed/data/config.txt" ] || fail "no program beside data/ in lib/quillmark"
[ "$(readlink "$prefix/bin/quillmark")" = ../lib/quillmark/quillmark ] || fail "bin/quillmark is no relative link to the program"
for written in debug.txt crash.txt highscores.dat editor-windows.ini .forged; do
    [ ! -e "$installed/data/$written" ] || fail "the install holds data/$written"
done
[ -z "$(find "$installed/data" -name '*.tmp' -o -name 'settings2*.txt')" ] || fail "the install holds temporary files or settings backups"
caches=$(find "$installed/data" -name '*.rle' | wc -l)
[ "$caches" -gt 0 ] || echo "NOTE: no ready-made .rle caches installed; the program builds them per user"
for size in 16 24 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/$app_id.png
    [ -f "$icon" ] || fail "no $size-pixel icon"
    # The PNG signature, then IHDR's width and height.
    [ "$(od -An -tx1 -N24 "$icon" | tr -d ' \n')" = "$(printf '89504e470d0a1a0a0000000d49484452%08x%08x' "$size" "$size")" ] ||
        fail "the $size-pixel icon is no $size x $size PNG"
done
desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
[ -f "$desktop" ] && [ -f "$metainfo" ] || fail "no desktop entry or metainfo"
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry does not name the icon"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" >"$work/validate.txt" 2>&1 || fail "desktop entry: $(cat "$work/validate.txt")"
else
    echo "NOTE: desktop-file-validate missing, the desktop entry is not validated"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" >"$work/validate.txt" 2>&1 || fail "metainfo: $(cat "$work/validate.txt")"
else
    echo "NOTE: appstreamcli missing, the metainfo is not validated"
fi

# Read-only from here on; its listing and every byte are compared after the run.
# A run on a virtual display (when Xvfb and xdotool are there) reaches the highscore table with
# the keys alone, three arrows to "Bestenliste" and Enter, and leaves it with Escape, which saves
# the table: it must land in $XDG_DATA_HOME/quillmark.
save_highscores_on_display() {
    if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
        echo "NOTE: no Xvfb or xdotool, the highscore table's place is not checked"
        return
    fi
    local display=$((600 + $$ % 300)) window key
    while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
    Xvfb ":$display" -ac -noreset -screen 0 1024x768x24 >/dev/null 2>&1 &
    xserver=$!
    trap 'stop_program; kill "$xserver" 2>/dev/null; chmod -R u+w "$work"; rm -rf "$work"' EXIT
    export DISPLAY=:$display
    sleep 1
    # The first run's log must not answer for this one; the test suite's headless driver must
    # not reach this one.
    rm -f "$work/data/debug.txt"
    unset SDL_VIDEODRIVER
    start_installed DISPLAY=":$display"
    wait_for_log "Game Init Done" 60 || fail "the installed program did not reach the main menu on a display"
    for _ in $(seq 100); do
        window=$(xdotool search --name "^Das Quillmark$" 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        sleep 0.2
    done
    [ -n "$window" ] || fail "no window of the installed program: $(xdotool search --name . getwindowname %@ 2>&1 | head -n 5)"
    sleep 1
    for key in Right Right Right Return; do
        xdotool windowfocus --sync "$window" key "$key"
        sleep 0.3
    done
    wait_for_log "Game Init, Active Level: 3" 20 || fail "the keys did not lead to the highscore table"
    sleep 1.2
    xdotool windowfocus --sync "$window" key Escape
    for _ in $(seq 50); do
        [ -s "$user/share/quillmark/highscores.dat" ] && break
        sleep 0.2
    done
    [ -s "$user/share/quillmark/highscores.dat" ] || fail "Escape on the highscore table saved no table per user"
    kill -TERM "$pid"
    wait_for_end 30 || fail "the program on the display did not end"
    check_clean_end
    check_log_clean
}

chmod -R a-w "$prefix"
snapshot() {
    (cd "$prefix" && find . -printf '%y %m %p %l\n' | sort && find . -type f -exec sha256sum {} + | sort)
}
snapshot >"$work/before.txt"

# The user's directories are made by the program; their parent is the user's. The layout helpers
# read the log at $work/data/debug.txt, which is where the state directory lies.
chmod 755 "$work"
mkdir -p "$user/home"
[ ${#runner[@]} -eq 0 ] || chown -R nobody "$user"
ln -s user/state/quillmark "$work/data"
# Starts the installed program as the user, through the link in bin/, from another directory,
# with the environment given.
start_installed() {
    (cd / && exec "${runner[@]}" env HOME="$user/home" XDG_STATE_HOME="$user/state" XDG_DATA_HOME="$user/share" \
        XDG_CACHE_HOME="$user/cache" SDL_AUDIODRIVER=dummy "$@" \
        "$prefix/bin/quillmark" >/dev/null 2>>"$work/stderr.txt") &
    pid=$!
}
start_installed SDL_VIDEODRIVER=dummy
wait_for_log "Game Init Done" 180 || fail "the installed program did not reach the main menu"
check_log_header
check_loading
kill -TERM "$pid"
wait_for_end 30 || fail "the program did not end within 30 s of the quit request"
check_clean_end
check_log_clean

[ "$(stat -c %a "$user/state/quillmark")" = 700 ] || fail "the state directory is not the user's alone"
if [ "$caches" -gt 0 ]; then
    [ -z "$(find "$user/cache" -name '*.rle' 2>/dev/null)" ] || fail "the installed .rle caches were built again"
    ! grep -qF "is out of date, rebuilding" "$work/data/debug.txt" || fail "the installed .rle caches are out of date"
else
    [ -n "$(find "$user/cache/quillmark" -name '*.rle')" ] || fail "no .rle caches in the user's cache"
fi
[ ! -e "$user/share/quillmark/highscores.dat" ] || fail "a highscore table was saved without a game"
save_highscores_on_display
snapshot >"$work/after.txt"
cmp -s "$work/before.txt" "$work/after.txt" || fail "the installed tree changed: $(diff "$work/before.txt" "$work/after.txt" | head -n 10)"
echo "PASS: installed ($caches ready-made .rle caches), ran read-only as $([ ${#runner[@]} -eq 0 ] && id -un || echo nobody), wrote per user, left the install unchanged"
