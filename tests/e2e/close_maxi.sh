#!/usr/bin/env bash
# The large analog clock frmAnalogMaxi (style 7), resized and then closed by
# its close box: the program ends with status 0, the control window
# included, and the settings file is written once, with the new size (outer
# size in twips: the client area plus the 3-pixel frame and the 22-pixel
# title bar of the frame model, times 15).
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_desktop
write_settings " 8 " " 15 " " 100 " " 7 " " 1500 " " 1500 " " 12000 " " 1500 " "Anlage" " 7500 " " 6000 " " 7 " " 45 " "False"
watch_files
start_app

cfg=$(wait_window "^ Quendrasil-Konfiguration$")
maxi=$(wait_window "^Anlage$")
wait_for "[ \"\$(client_rect $maxi | cut -d' ' -f3-)\" = '494 375' ]" 5 ||
    fail "frmAnalogMaxi has the client area $(client_rect "$maxi"), not 494 x 375 (7500 x 6000 twips outer)"
xdotool windowsize "$maxi" 530 410
wait_for "[ \"\$(client_rect $maxi | cut -d' ' -f3-)\" = '530 410' ]" 5 ||
    fail "frmAnalogMaxi was not resized: $(client_rect "$maxi")"
sleep 0.3
read -r fx fy fw fh < <(frame_rect "$maxi")
ext=$(xprop -id "$maxi" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ' ')
IFS=, read -r el er et eb <<<"$ext"
[ "${et:-0}" -gt 10 ] || fail "frmAnalogMaxi shows no title bar (frame extents '$ext')"

# openbox's close box: the right-most button of the title bar
xdotool mousemove $((fx + fw - er - 10)) $((fy + et / 2)) click 1
status=0
wait_exit 10 || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after closing frmAnalogMaxi"
[ -z "$(window_named "^ Quendrasil-Konfiguration$")" ] || fail "the control window is still shown"
sleep 0.3
[ "$(settings_writes)" -eq 1 ] || fail "the settings file was written $(settings_writes) times"
[ "$(setting 10)" = " 8040 " ] || fail "saved width '$(setting 10)', expected 8040 ((530 + 6) x 15)"
[ "$(setting 11)" = " 6525 " ] || fail "saved height '$(setting 11)', expected 6525 ((410 + 25) x 15)"
[ "$(setting 4)" = " 7 " ] || fail "saved style '$(setting 4)'"
echo "PASS close_maxi"
