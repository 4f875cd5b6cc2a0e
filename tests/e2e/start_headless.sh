#!/usr/bin/env bash
# Starts the real program without a display from another working directory: it writes its log
# header, loads everything, shows the main menu, and ends cleanly when it is told to quit.
set -u
. "$(dirname "$0")/layout.sh"
make_layout "$1" "$2"

cd /
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
start_program
wait_for_log "Game Init Done" 180 || fail "the main menu was not reached"
check_log_header
check_loading
sleep 1
# The system's quit request (SIGTERM) ends the message loop like closing the window.
kill -TERM "$pid"
wait_for_end 30 || fail "the program did not end within 30 s of the quit request"
check_clean_end
check_log_clean
[ "$(log_count "Game Init Done")" -eq 1 ] || fail "levels switched without input"
echo "PASS: loaded, main menu reached, ended with exit code $status"
