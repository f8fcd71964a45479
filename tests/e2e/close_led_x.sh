#!/usr/bin/env bash
# frmLED_X (style 5, with title bar) closed by a click on its close box: the
# settings file is written exactly once, every window disappears, the
# control window included, and the program ends with status 0.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_desktop
write_settings " 8 " " 15 " " 100 " " 5 " " 4500 " " 3000 " " 9000 " " 1500 " "Anlage" " 9360 " " 8685 " " 7 " " 45 " "False"
watch_files
start_app

cfg=$(wait_window "^ Quendrasil-Konfiguration$")
led=$(wait_window "^Anlage$")
wait_for "[ \"\$(client_rect $led)\" != '' ] && [ \"\$(client_rect $led | cut -d' ' -f3-)\" = '122 45' ]" 5 ||
    fail "frmLED_X has the client area $(client_rect "$led"), not 122 x 45"
read -r fx fy fw fh < <(frame_rect "$led")
[ "$fx $fy" = "300 200" ] || fail "frmLED_X's frame at $fx $fy, not at 300 200 (4500, 3000 twips)"
ext=$(xprop -id "$led" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ' ')
IFS=, read -r el er et eb <<<"$ext"
[ "${et:-0}" -gt 10 ] || fail "frmLED_X shows no title bar (frame extents '$ext')"
[ "$(settings_writes)" -eq 0 ] || fail "the settings file was written before closing"

# openbox's close box: the right-most button of the title bar
shot before_close
xdotool mousemove $((fx + fw - er - 10)) $((fy + et / 2)) click 1
status=0
wait_exit 10 || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after closing frmLED_X"
[ -z "$(window_named "^ Quendrasil-Konfiguration$")" ] || fail "the control window is still shown"
[ -z "$(window_named "^Anlage$")" ] || fail "frmLED_X is still shown"
sleep 0.3
[ "$(settings_writes)" -eq 1 ] || fail "settings written $(settings_writes) times (events: $(tr '\n' ' ' <"$WORK/events"))"
[ "$(grep -c $'\r$' "$APPDIR/Quendrasil.ini")" -eq 28 ] || fail "the settings file has not 28 lines"
[ "$(setting 4)" = " 5 " ] || fail "saved style '$(setting 4)'"
[ "$(setting 5)" = " 4500 " ] || fail "saved display left '$(setting 5)', expected 4500"
[ "$(setting 6)" = " 3000 " ] || fail "saved display top '$(setting 6)', expected 3000"
[ "$(setting 9)" = "Anlage" ] || fail "saved title '$(setting 9)'"
echo "PASS close_led_x"
