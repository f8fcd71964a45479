#!/usr/bin/env bash
# While the clock runs, a double-click on the dial of the round clock shows
# the control window again; the clock is not held (the time file goes on),
# quitting stays impossible until the clock is held.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_with " 12 " " 0 " " 10 " " 0 " " 4500 " " 3000 " " 9000 " " 1500 " "Anlage" " 9360 " " 8685 " " 0 " " 0 " "True"
uhr=$(display_at 122x121 "300 200" frmAnalog_R)
start_clock
time_advances 5 || fail "the clock does not run after Start (time file: '$(time_line)')"

# the dial's centre
double_click 360 261
wait_for config_shown 5 || fail "a double-click on the dial did not show the control window"
cfg=$(wait_window "^ Quendrasil-Konfiguration$")
time_advances 3 || fail "the clock stopped when the control window came back (time file: '$(time_line)')"
[ "$(client_pos "$uhr")" = "300 200" ] || fail "the clock moved to $(client_pos "$uhr")"
[ -n "$(window_sized 122x121)" ] || fail "the round clock is no longer shown"

# quitting is refused while the clock runs
cfg=$(activate_config)
xdotool key --window "$cfg" alt+e
sleep 0.8
running || fail "Alt+E ended the program while the clock ran"
time_advances 3 || fail "the clock stopped after Alt+E"

# hold: the time file stands still; then quit
xdotool key --window "$cfg" alt+h
sleep 0.3
held=$(time_line)
sleep 1
[ "$(time_line)" = "$held" ] || fail "the time file went on after hold: '$held' then '$(time_line)'"
quit_app
echo "PASS reopen_round"
