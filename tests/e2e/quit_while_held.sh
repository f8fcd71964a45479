#!/usr/bin/env bash
# Hold, then quit: the settings file is written once and the program ends with 0.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_with --watch " 8 " " 15 " " 100 " " 5 " " 2000 " " 1500 " " 300 " " 3300 " "Anlage" " 0 " " 0 " " 0 " " 0 " "False"
start_clock
sleep 0.5
# bring the control window back with a double-click on the LED digits
led=$(xdotool search --onlyvisible --pid "$APP_PID" | head -n1)
[ -n "$led" ] || fail "no display window"
eval "$(xdotool getwindowgeometry --shell "$led")"
xdotool mousemove $((X + 20)) $((Y + 20)) click --repeat 2 --delay 80 1
cfg=$(activate_config)
xdotool key --window "$cfg" alt+h
sleep 0.3
quit_app
[ "$(settings_writes)" -eq 1 ] || fail "settings written $(settings_writes) times"
[ "$(setting 1)" = " 8 " ] || fail "start hour '$(setting 1)'"
echo "PASS quit_while_held"
