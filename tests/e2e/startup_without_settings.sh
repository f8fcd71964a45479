#!/usr/bin/env bash
# No settings file: the message, then the control window and the round clock;
# Alt+E quits and leaves a 28-line settings file with the defaults.
. "$(dirname "$0")/lib.sh" "$1"
start_desktop
watch_files
start_app

msg=$(wait_window "Datei nicht gefunden")
[ "$(xdotool getwindowname "$msg")" = " Datei nicht gefunden..." ] || fail "message title: '$(xdotool getwindowname "$msg")'"
xdotool windowactivate --sync "$msg" key Return

cfg=$(wait_window "^ Quendrasil-Konfiguration$")
wait_window "^Uhr$" >/dev/null
[ "$(settings_writes)" -eq 0 ] || fail "the settings file was created at start-up"

xdotool windowactivate --sync "$cfg"
sleep 0.2
xdotool key --window "$cfg" alt+e
status=0
wait_exit || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$(settings_writes)" -eq 1 ] || fail "settings written $(settings_writes) times"
[ "$(grep -c $'\r$' "$APPDIR/Quendrasil.ini")" -eq 28 ] || fail "not 28 lines"
[ "$(setting 1)" = " 12 " ] || fail "start hour '$(setting 1)'"
[ "$(setting 2)" = " 0 " ] || fail "start minute '$(setting 2)'"
[ "$(setting 3)" = " 333 " ] || fail "time base '$(setting 3)'"
[ "$(setting 4)" = " 0 " ] || fail "style '$(setting 4)'"
[ "$(setting 9)" = "Quendrasil" ] || fail "title '$(setting 9)'"
[ "$(setting 14)" = "False" ] || fail "time file flag '$(setting 14)'"
echo "PASS startup_without_settings"
