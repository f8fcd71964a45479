#!/usr/bin/env bash
# Switching to another program and back is no loss of focus: with the focus
# in the title box the display window does not jump in front of the other
# program, and the title is taken only when the activation comes back to
# another window of the program; with "5" being typed as the time base the
# box keeps it (the about box coming up and going is no loss either). Saved
# on SIGTERM as typed.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_desktop
write_settings " 12 " " 0 " " 333 " " 5 " " 9000 " " 1500 " " 300 " " 3300 " "Anlage" " 0 " " 0 " " 0 " " 0 " "False"
watch_files
start_app
disp=$(wait_window "^Anlage$")
start_xmessage "700 600 300 100" white "anderes Programm"

# clicks at X Y within the control window's client area
click_config() {
    local cx cy
    read -r cx cy < <(client_pos "$cfg")
    xdotool mousemove $((cx + $1)) $((cy + $2)) click 1
    sleep 0.3
}
# the other program takes the activation and keeps it; then back
away_and_back() {
    xdotool windowactivate --sync "$XM_ID" >/dev/null 2>&1
    sleep 1
    [ "$(xdotool getactivewindow)" = "$XM_ID" ] || fail "$1: the program took the activation back"
    activate_config >/dev/null
}

cfg=$(activate_config)
click_config 70 282 # into txtTitel
xdotool key --window "$cfg" ctrl+a N e u
away_and_back "title box"
[ -n "$(window_named "^Anlage$")" ] || fail "the title was taken on the way back"
# away, then back to the display window: now the focus has left the title box
xdotool windowactivate --sync "$XM_ID" >/dev/null 2>&1
sleep 0.5
xdotool windowactivate --sync "$disp" >/dev/null 2>&1
wait_for '[ -n "$(window_named "^Neu$")" ]' 5 || fail "the title was not taken when the display window was activated"
cfg=$(activate_config)
click_config 126 82 # into txtFaktor; leaving the title brings the display window up
cfg=$(activate_config)
xdotool key --window "$cfg" ctrl+a 5
away_and_back "time base box"
click_config 330 368 # imgCopyright: the about box
about=$(wait_window "^ Info über ")
xdotool windowactivate --sync "$about" key Return
wait_for '[ -z "$(window_named "^ Info über ")" ]' 5 || fail "the about box stays"
sleep 0.3
kill -TERM "$APP_PID"
status=0
wait_exit || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$(settings_writes)" -eq 1 ] || fail "settings written $(settings_writes) times"
[ "$(setting 3)" = " 5 " ] || fail "time base '$(setting 3)': the box was left"
echo "PASS focus_stays"
