#!/usr/bin/env bash
# The large analog clock frmAnalogMaxi (style 7), resized and then closed by
# its close box: the program ends with status 0, the control window
# included, and the settings file is written once, with the new size (outer
# size in twips: the client area plus the 3-pixel frame and the 22-pixel
# title bar of the frame model, times 15).
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_with --watch " 8 " " 15 " " 100 " " 7 " " 1500 " " 1500 " " 12000 " " 1500 " "Anlage" " 7500 " " 6000 " " 7 " " 45 " "False"

maxi=$(wait_window "^Anlage$")
wait_for "[ \"\$(client_rect $maxi | cut -d' ' -f3-)\" = '494 375' ]" 5 ||
    fail "frmAnalogMaxi has the client area $(client_rect "$maxi"), not 494 x 375 (7500 x 6000 twips outer)"
xdotool windowsize "$maxi" 530 410
wait_for "[ \"\$(client_rect $maxi | cut -d' ' -f3-)\" = '530 410' ]" 5 ||
    fail "frmAnalogMaxi was not resized: $(client_rect "$maxi")"

close_by_box "$maxi" frmAnalogMaxi
[ "$(setting 10)" = " 8040 " ] || fail "saved width '$(setting 10)', expected 8040 ((530 + 6) x 15)"
[ "$(setting 11)" = " 6525 " ] || fail "saved height '$(setting 11)', expected 6525 ((410 + 25) x 15)"
[ "$(setting 4)" = " 7 " ] || fail "saved style '$(setting 4)'"
echo "PASS close_maxi"
