#!/usr/bin/env bash
# Sizes and places from the settings are kept unless a window could not be
# used: the large analog clock that is never shown saves back the size it
# read, however large (30000 x 20000, and the largest value without taking
# the memory for it); shown with the largest size it opens no larger than the
# 1280 x 1024 screen, at its saved place; a clock that reaches past the
# screen's edge stays where it was saved. At a scale factor of 2 the stretched
# LED window (1024 x 430 pixels, so 2048 x 860 on the screen) opens no larger
# than the screen.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_desktop

# the window's frame is no larger than the screen
within_screen() {
    local x y w h
    read -r x y w h < <(frame_rect "$1")
    [ "$w" -le 1280 ] && [ "$h" -le 1024 ] || fail "$2 is larger than the screen: frame $x $y $w $h"
}
rss() { awk '/VmRSS/ { print $2 }' "/proc/$APP_PID/status"; }

big=2147483647
for size in "30000 20000" "$big $big"; do
    read -r bw bh <<<"$size"
    write_settings " 10 " " 8 " " 100 " " 4 " " 1500 " " 1500 " " 12000 " " 1500 " "Anlage" " $bw " " $bh " " 0 " " 0 " "False"
    start_app
    cfg=$(wait_window "^ Quendrasil-Konfiguration$" 20)
    [ "$(rss)" -lt 300000 ] || fail "the program takes $(rss) kB"
    quit_app
    [ "$(setting 10)" = " $bw " ] && [ "$(setting 11)" = " $bh " ] ||
        fail "the unshown clock saved $(setting 10) x $(setting 11) instead of $bw x $bh"
done

write_settings " 10 " " 8 " " 100 " " 7 " " 1500 " " 1500 " " 12000 " " 1500 " "Anlage" " $big " " $big " " 0 " " 0 " "False"
start_app
maxi=$(wait_window "^Anlage$")
sleep 0.5
within_screen "$maxi" "frmAnalogMaxi"
start_clock
sleep 1
[ "$(rss)" -lt 300000 ] || fail "the program takes $(rss) kB"
read -r x y w h < <(client_rect "$maxi")
double_click $((x + 200)) $((y + 200))
wait_for config_shown 5 || fail "the program does not answer"
cfg=$(activate_config)
xdotool key --window "$cfg" alt+h
sleep 0.3
quit_app
[ "$(setting 10)" -le $((1280 * 15)) ] && [ "$(setting 11)" -le $((1024 * 15)) ] ||
    fail "saved size $(setting 10) x $(setting 11) is larger than the screen"
[ "$(setting 5)" = " 1500 " ] && [ "$(setting 6)" = " 1500 " ] || fail "the shrunk clock moved to $(setting 5), $(setting 6)"

# the design size at 1000, 600 pixels reaches past the screen's edge, but can be reached
write_settings " 10 " " 8 " " 100 " " 7 " " 15000 " " 9000 " " 12000 " " 1500 " "Anlage" " 9450 " " 9060 " " 0 " " 0 " "False"
start_app
maxi=$(wait_window "^Anlage$")
wait_for "[ \"\$(frame_rect $maxi | cut -d' ' -f1-2)\" = '1000 600' ]" 5 || fail "the clock opened at $(frame_rect "$maxi")"
quit_app
[ "$(setting 5)" = " 15000 " ] && [ "$(setting 6)" = " 9000 " ] || fail "saved at $(setting 5), $(setting 6)"
[ "$(setting 10)" = " 9450 " ] && [ "$(setting 11)" = " 9060 " ] || fail "saved size $(setting 10) x $(setting 11)"

export QT_SCALE_FACTOR=2
write_settings " 10 " " 8 " " 100 " " 8 " " 1500 " " 1500 " " 3000 " " 1500 " "Anlage" " 0 " " 0 " " 0 " " 0 " "False"
start_app
stretch=$(wait_window "^ LED Stretch$")
sleep 0.5
within_screen "$stretch" "frmLEDStretch at scale factor 2"
echo "PASS too_large"
