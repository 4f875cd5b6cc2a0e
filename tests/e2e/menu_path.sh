#!/usr/bin/env bash
# Plays through the front end on a virtual X display with the mouse and the keyboard, taking a
# screenshot of the window at every stop: main menu -> help -> back -> highscores -> back ->
# "Spielen" starts the board game -> Escape (the quit question) -> "Ja" leads back to the menu ->
# Escape (the exit screen) -> a key ends the program. Then a second start on the credits (by
# configuration, as no button leads there) -> Escape -> highscores: the table saved by the first
# run is read back unchanged -> back -> exit screen -> a key ends it. The log of both runs must
# hold no warning or error but the expected ones. Arguments: program, configuration, directory
# for the screenshots.
set -u
. "$(dirname "$0")/layout.sh"
. "$(dirname "$0")/display.sh"
require_display_tools

if [ "${1:-}" != "--on-display" ]; then
    make_layout "$1" "$2"
    shots=$3
    rerun_on_display 100
fi
enter_display "$2" "$3"

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

click 135 724   # Spielen
expect_level 1 1
wait_for_log "MainLevel Reset Done" 10 || fail "the board game did not start"
press Escape
sleep 0.5
shot quit-question
answer_quit_question yes # back to the menu
expect_level 0 4

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
echo "PASS: menu, help, highscores, the board game left by its quit question, exit screen; credits and the saved table after a restart; screenshots in $shots"
