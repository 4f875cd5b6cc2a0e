#!/usr/bin/env bash
# Plays one board game on a virtual X display, taking a screenshot of the window at every stop:
# "Spielen" starts level 1 -> run and strike with the arrow keys and Space -> P pauses, P goes
# on -> Escape asks "Wirklich aufhören?", "Nein" goes on -> play to the end: the final screen,
# then the highscore level offers the result -> a typed name, saved with Escape -> exit screen.
# A second start shows the saved name in the highscore table and saves the same rows. The log of
# both runs must hold no warning or error but the expected ones. Arguments: program,
# configuration, directory for the screenshots.
set -u
. "$(dirname "$0")/layout.sh"
. "$(dirname "$0")/display.sh"
require_display_tools

player_name=Tester
round_seconds=10

# The layout's own settings file differs from the build's in the round length alone: short
# rounds keep the whole game (three rounds at most, 6 s between them, then 11 s of fanfare and
# final screen) within a minute, and the first one still leaves time to pause and to answer the
# quit question.
shorten_rounds() {
    local settings=$work/data/shared/settings/settings.txt
    own_data_copy shared/settings/settings.txt
    sed -i "s/^\\( *\"Round Length\"\\) [0-9.]*/\\1 $round_seconds.000000/" "$settings"
    grep -q "^ *\"Round Length\" $round_seconds.000000" "$settings" || fail "no round length in $settings"
}

# The highscore file's bytes are scrambled (files/TextScrambler.cpp): a keystream XORed over them,
# with each pair of neighbouring bits exchanged. "scramble" turns text into the file, anything
# else the file back into text.
highscore_bytes() {
    perl -e '
        binmode STDIN;
        binmode STDOUT;
        local $/;
        my ($scramble, $key) = ($ARGV[0] eq "scramble", 0x6B27);
        sub swap { (($_[0] & 0x55) << 1) | (($_[0] & 0xAA) >> 1) }
        for my $byte (unpack "C*", <STDIN>) {
            my $mask = $key & 0xFF;
            print chr($scramble ? swap($byte) ^ $mask : swap($byte ^ $mask));
            $key = (3 * $key + 2) & 0xFFFF;
        }' "$1"
}

# Starts the game with a table of free places only (score 0, no name) in the file's format 108
# (frontend/HighscoreManager.h). A result is never below 0 and an equal score ranks above an old
# one, so the player's result takes the top row however the rival dwarfs play: the run does not
# depend on winning.
seed_free_table() {
    # One line a place: printf repeats its format for each argument.
    { echo 108; printf '0 name:\n%.0s' 1 2 3 4 5 6 7 8; } | highscore_bytes scramble >"$work/data/highscores.dat"
}

# The top row of the saved table, "<score> name:<name>".
saved_top_row() {
    highscore_bytes unscramble <"$work/data/highscores.dat" | sed -n 2p
}

# The saved rows in an order of their own: loading ranks each row above the equal ones read
# before it, so rows of equal score come back from a restart in reverse order.
saved_rows() {
    highscore_bytes unscramble <"$work/data/highscores.dat" | sort
}

if [ "${1:-}" != "--on-display" ]; then
    make_layout "$1" "$2"
    shots=$3
    shorten_rounds
    seed_free_table
    rerun_on_display 600
fi
enter_display "$2" "$3"

# Holds the keys $2... for $1 seconds: the game polls the keys once a frame, so a press and a
# release within one frame would go unseen.
hold() {
    local seconds=$1
    shift
    xdotool windowfocus --sync "$window" 2>/dev/null
    xdotool keydown "$@" sleep "$seconds" keyup "$@"
}

# The name field, too, sees a key only when it is down at the start of a frame and up at a later
# one: each letter is held, and released apart from the next.
type_name() {
    local i
    for ((i = 0; i < ${#1}; i++)); do
        hold 0.2 "${1:i:1}"
        sleep 0.15
    done
}

# A short bout of play: a run, a run with the board raised, the strike.
play_bout() {
    hold 0.6 Left
    xdotool keydown Up space sleep 0.5 keyup Up sleep 0.3 keyup space
    hold 0.5 Right Down
}

# The checksum of what the window shows now; empty without ImageMagick.
frame_sum() {
    command -v import >/dev/null || return 0
    import -window "$window" -depth 8 rgb:- | md5sum
}

# Whether the picture stands still ($1 = still) or moves ($1 = moving) over half a second.
expect_frames() {
    local first second
    first=$(frame_sum)
    sleep 0.5
    second=$(frame_sum)
    [ -z "$first" ] && return 0
    case $1 in
    still) [ "$first" = "$second" ] || fail "the board game went on: $2" ;;
    moving) [ "$first" != "$second" ] || fail "the board game stands still: $2" ;;
    esac
}

# The final screen shows the picture "GameOverScreen" over the whole frame; the window's picture
# is that one, scaled, when their root mean square difference is this small.
final_screen_rmse=0.05

# True when the window shows the final screen; the frame then stands in $work/frame.png.
shows_final_screen() {
    local rmse
    import -window "$window" "$work/frame.png" 2>/dev/null || return 1
    rmse=$(compare -metric RMSE "$work/frame.png" "$work/final-screen.png" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p')
    awk -v value="${rmse:-1}" -v most="$final_screen_rmse" 'BEGIN { exit !(value < most) }'
}

# Plays bout after bout until the final screen shows (its screenshot is taken) and the highscore
# level follows.
play_to_the_end() {
    local seen=no deadline=$((SECONDS + 100))
    command -v compare >/dev/null || seen=unchecked
    convert "$work/data/level01/sprites/gameoverscreen.bmp" -resize "${width}x${height}!" \
        "$work/final-screen.png" 2>/dev/null || seen=unchecked
    while [ "$(log_count "Game Init, Active Level: 3")" -eq 0 ]; do
        [ $SECONDS -lt $deadline ] || fail "the game did not end within 100 s"
        kill -0 "$pid" 2>/dev/null || fail "the program ended during the game"
        if [ "$seen" = no ] && shows_final_screen; then
            seen=yes
            step=$((step + 1))
            mv "$work/frame.png" "$shots/$(printf '%02d' "$step")-final-screen.png"
        fi
        if [ "$seen" = yes ]; then
            sleep 0.5
        else
            play_bout
        fi
    done
    [ "$seen" != no ] || fail "the final screen was not seen"
}

start_and_find_window
check_log_header
check_loading
grep -qF "HighscoreManager::Load" "$work/data/debug.txt" && fail "the seeded table was not read"
sleep 1.5
shot main-menu

click 135 724   # Spielen
expect_level 1 1
wait_for_log "MainLevel Reset Done" 10 || fail "the board game did not start"
play_bout
shot in-play

press p
sleep 0.3
shot paused
expect_frames still "paused"
press p
expect_frames moving "after the pause"

press Escape
sleep 0.3
shot quit-question
expect_frames still "during the quit question"
answer_quit_question no
expect_frames moving "after \"Nein\""
shot in-play-after-no

play_to_the_end
expect_level 3 1
type_name "$player_name"
sleep 0.5
shot name-entry
press Escape    # saves the table and leads back to the menu
expect_level 0 2
row=$(saved_top_row)
[[ "$row" =~ ^[0-9]+\ name:$player_name$ ]] || fail "the saved top row is \"$row\", not the player's"
quit_from_main_menu exit-screen
saved=$(saved_rows)

start_and_find_window
grep -qF "HighscoreManager::Load" "$work/data/debug.txt" && fail "the saved table was not read cleanly"
click 616 724   # Bestenliste
expect_level 3 1
shot highscores-after-restart
press Escape    # saves the table as it was read
expect_level 0 2
[ "$(saved_rows)" = "$saved" ] || fail "the table changed over a restart: $(saved_rows)"
quit_from_main_menu
echo "PASS: board game played to the end with pause and quit question; \"$row\" saved and read back; screenshots in $shots"
