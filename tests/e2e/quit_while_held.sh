#!/usr/bin/env bash
# Hold, then quit: the settings file is written once and the program ends with 0.
. "$(dirname "$0")/lib.sh" "$1"
start_desktop
write_settings " 8 " " 15 " " 100 " " 5 " " 2000 " " 1500 " " 300 " " 3300 " "Anlage" " 0 " " 0 " " 0 " " 0 " "False"
watch_files
start_app

cfg=$(wait_window "^ Quendrasil-Konfiguration$")
xdotool windowactivate --sync "$cfg"
sleep 0.2
xdotool key --window "$cfg" alt+a
wait_for '[ -z "$(window_named "^ Quendrasil-Konfiguration$")" ]' 5 || fail "the control window did not hide"
sleep 0.5
# bring the control window back with a double-click on the LED digits
led=$(xdotool search --onlyvisible --pid "$APP_PID" | head -n1)
[ -n "$led" ] || fail "no display window"
eval "$(xdotool getwindowgeometry --shell "$led")"
xdotool mousemove $((X + 20)) $((Y + 20)) click --repeat 2 --delay 80 1
cfg=$(wait_window "^ Quendrasil-Konfiguration$")
xdotool windowactivate --sync "$cfg"
sleep 0.2
xdotool key --window "$cfg" alt+h
sleep 0.3
xdotool key --window "$cfg" alt+e
status=0
wait_exit || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$(settings_writes)" -eq 1 ] || fail "settings written $(settings_writes) times"
[ "$(setting 1)" = " 8 " ] || fail "start hour '$(setting 1)'"
echo "PASS quit_while_held"
