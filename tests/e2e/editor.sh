#!/usr/bin/env bash
# The object editor in a window on a virtual X display: F8 opens the objects browser, a click
# selects the first dwarf, its "maximum Speed" is typed in and the settings file saved from the
# editor's menu. A second start reads the value back: saved again, the file still holds it. The
# editor's window layout is kept beside the configuration. Arguments: program, configuration,
# directory for the screenshots.
set -u
. "$(dirname "$0")/layout.sh"
. "$(dirname "$0")/display.sh"
require_display_tools

settings_file=shared/settings/settings.txt
speed=0.770000

if [ "${1:-}" != "--on-display" ]; then
    make_layout "$1" "$2"
    shots=$3
    own_data_copy "$settings_file"
    rerun_on_display 200
fi
enter_display "$2" "$3"

# Points of the editor's windows in window pixels: they open where the editor places them at
# first (Objects at 10,10, Parameters at 470,10), drawn in ImGui's built-in font.
click_window() {
    xdotool mousemove --window "$window" "$1" "$2" sleep 0.3 click 1
    sleep 0.5
}
select_first_dwarf() { click_window 80 113; }
maximum_speed_field() { click_window 538 103; }
save_from_menu() {
    click_window 36 38
    click_window 60 80
}

# The "maximum Speed" of the first dwarf block in the settings file.
saved_speed() {
    grep -m1 '"maximum Speed"' "$work/data/$settings_file" | awk '{print $NF}'
}

backups() {
    find "$work/data/shared/settings" -name 'settings2*.txt' | wc -l
}

start_and_find_window
press F8
sleep 1
select_first_dwarf
shot objects-browser
maximum_speed_field
xdotool key ctrl+a sleep 0.3 type --delay 100 "${speed%0000}"
xdotool key Return
sleep 0.5
save_from_menu
[ "$(saved_speed)" = "$speed" ] || fail "the edited speed was not saved: $(saved_speed)"
[ "$(backups)" -eq 1 ] || fail "no backup of the file the save replaced"
press F12
wait_for_end 30 || fail "F12 did not end the program"
check_clean_end 255
check_log_clean
grep -q '^\[Window\]\[Objects\]' "$work/data/editor-windows.ini" || fail "no window layout kept"

# The second start reads the saved value: saving it again writes it unchanged.
start_and_find_window
press F8
sleep 1
select_first_dwarf
shot value-read-back
save_from_menu
[ "$(saved_speed)" = "$speed" ] || fail "the saved speed did not come back: $(saved_speed)"
[ "$(backups)" -eq 2 ] || fail "the second save kept no backup"
press F12
wait_for_end 30 || fail "F12 did not end the program"
check_clean_end 255
check_log_clean
