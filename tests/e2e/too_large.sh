#!/usr/bin/env bash
# No saved value makes a window larger than its screen: the large analog
# clock with the largest saved size opens fitted into the 1280 x 1024 screen,
# stays small in memory and saves the fitted size; at a scale factor of 2 the
# stretched LED window (1024 x 430 pixels, so 2048 x 860 on the screen) opens
# within the screen too.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_desktop

# the window's frame lies wholly on the screen
on_screen() {
    local x y w h
    read -r x y w h < <(frame_rect "$1")
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1280 ] && [ $((y + h)) -le 1024 ] ||
        fail "$2 is not within the screen: frame $x $y $w $h"
}

big=2147483647
write_settings " 10 " " 8 " " 100 " " 7 " " 1500 " " 1500 " " 12000 " " 1500 " "Anlage" " $big " " $big " " 0 " " 0 " "False"
start_app
maxi=$(wait_window "^Anlage$")
sleep 0.5
on_screen "$maxi" "frmAnalogMaxi"
start_clock
sleep 1
rss=$(awk '/VmRSS/ { print $2 }' "/proc/$APP_PID/status")
[ "$rss" -lt 300000 ] || fail "the program takes $rss kB"
read -r x y w h < <(client_rect "$maxi")
double_click $((x + w / 2)) $((y + h / 2))
wait_for config_shown 5 || fail "the program does not answer"
cfg=$(activate_config)
xdotool key --window "$cfg" alt+h
sleep 0.3
quit_app
[ "$(setting 10)" -le $((1280 * 15)) ] && [ "$(setting 11)" -le $((1024 * 15)) ] ||
    fail "saved size $(setting 10) x $(setting 11) is larger than the screen"

export QT_SCALE_FACTOR=2
write_settings " 10 " " 8 " " 100 " " 8 " " 1500 " " 1500 " " 3000 " " 1500 " "Anlage" " 0 " " 0 " " 0 " " 0 " "False"
start_app
stretch=$(wait_window "^ LED Stretch$")
sleep 0.5
on_screen "$stretch" "frmLEDStretch at scale factor 2"
echo "PASS too_large"
