#!/usr/bin/env bash
# Starts the game on the opening film (level 8) on a virtual X display: the film plays in its
# band between black bars, Space ends it early, and the highscore table follows; Escape leads
# on to the main menu and the program ends cleanly. Arguments: program, configuration,
# directory for the screenshots.
set -u
. "$(dirname "$0")/layout.sh"
. "$(dirname "$0")/display.sh"
require_display_tools

if [ "${1:-}" != "--on-display" ]; then
    make_layout "$1" "$2"
    sed -i 's/^activeLevel .*/activeLevel 8/' "$work/data/config.txt"
    shots=$3
    rerun_on_display 1400
fi
enter_display "$2" "$3"

# The colour of the last screenshot at a point of the logical frame.
frame_pixel() {
    shot_pixel $(($1 * width / 1024)) $(($2 * height / 768))
}

start_program
find_window
wait_for_log 'VideoShow::Play: <data\Movies\video1.avi> playing' 60 || fail "the opening film did not start"
grep -qF 'with sound' "$work/data/debug.txt" || fail "the film has no sound"
sleep 4
shot mid-film
if command -v convert >/dev/null && command -v import >/dev/null; then
    # The film's band runs from 87 to 680 of the frame; above and below it stays black.
    is_black "$(frame_pixel 512 40)" || fail "the band above the film is not black: $(frame_pixel 512 40)"
    is_black "$(frame_pixel 512 730)" || fail "the band below the film is not black: $(frame_pixel 512 730)"
    colours=$(convert "$(ls "$shots"/*.png | tail -n 1)" -crop "$width"x$((height * 500 / 768))+0+$((height * 120 / 768)) \
        -format '%k' info:)
    [ "$colours" -gt 200 ] || fail "the film's band shows only $colours colours"
fi
press space
wait_for_log "Game Init, Active Level: 3" 10 || fail "the film did not end in the highscore table"
grep -qE 'VideoShow::Play: <data\\Movies\\video1.avi> [0-9]+ of [0-9]+ pictures shown, ended early' \
    "$work/data/debug.txt" || fail "the film was not ended early by Space"
! grep -qF 'without sound' "$work/data/debug.txt" || fail "the film's sound did not reach the device"
expect_level 3 1
shot highscores-after-film
press Escape
expect_level 0 1
quit_from_main_menu
echo "PASS: the opening film plays in its band with sound, Space ends it, the highscore table and the menu follow; screenshots in $shots"
