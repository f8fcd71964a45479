#!/usr/bin/env bash
# frmLED_X (style 5, with title bar) closed by a click on its close box: the
# settings file is written exactly once, every window disappears, the
# control window included, and the program ends with status 0.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_with --watch " 8 " " 15 " " 100 " " 5 " " 4500 " " 3000 " " 9000 " " 1500 " "Anlage" " 9360 " " 8685 " " 7 " " 45 " "False"

led=$(wait_window "^Anlage$")
wait_for "[ \"\$(client_rect $led)\" != '' ] && [ \"\$(client_rect $led | cut -d' ' -f3-)\" = '122 45' ]" 5 ||
    fail "frmLED_X has the client area $(client_rect "$led"), not 122 x 45"
[ "$(frame_rect "$led" | cut -d' ' -f1-2)" = "300 200" ] ||
    fail "frmLED_X's frame at $(frame_rect "$led" | cut -d' ' -f1-2), not at 300 200 (4500, 3000 twips)"
[ "$(settings_writes)" -eq 0 ] || fail "the settings file was written before closing"

close_by_box "$led" frmLED_X
[ "$(grep -c $'\r$' "$APPDIR/Quendrasil.ini")" -eq 28 ] || fail "the settings file has not 28 lines"
[ "$(setting 4)" = " 5 " ] || fail "saved style '$(setting 4)'"
[ "$(setting 5)" = " 4500 " ] || fail "saved display left '$(setting 5)', expected 4500"
[ "$(setting 6)" = " 3000 " ] || fail "saved display top '$(setting 6)', expected 3000"
[ "$(setting 9)" = "Anlage" ] || fail "saved title '$(setting 9)'"
echo "PASS close_led_x"
