#!/usr/bin/env bash
# frmLCD (style 4, no title bar) follows a left-button drag on its surface;
# right- and middle-button drags leave it where it is. Then the LED style,
# chosen in the control window, appears exactly where frmLCD was left, and
# quitting saves that place: the pixel position times 15.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_with " 12 " " 0 " " 100 " " 4 " " 1500 " " 1500 " " 9000 " " 1500 " "Anlage" " 9360 " " 8685 " " 0 " " 0 " "False"
lcd=$(display_at 115x50 "100 100" frmLCD)

# the surface between the LCD frame picture and the hidden digit store
drag 1 150 145 130 90
wait_pos "$lcd" "230 190" || fail "after a left-button drag by 130,90 frmLCD is at $(client_pos "$lcd"), not at 230 190"

drag 3 280 235 -120 70
drag 2 280 235 90 -60
sleep 0.3
[ "$(client_pos "$lcd")" = "230 190" ] || fail "a right- or middle-button drag moved frmLCD to $(client_pos "$lcd")"

# a click into the control window, then the option button "LED" (optAnzeige(6))
cfg=$(activate_config)
read -r cx cy cw ch < <(client_rect "$cfg")
# panel 150,120 + frame 150,90 + option 1980,2850 twips = 152,204 pixels
xdotool mousemove $((cx + 152 + 7)) $((cy + 204 + 10)) click 1
led=$(wait_sized 129x49)
wait_pos "$led" "230 190" || fail "frmLED appears at $(client_pos "$led"), not where frmLCD was left (230 190)"
[ -z "$(window_sized 115x50)" ] || fail "frmLCD is still shown next to frmLED"

quit_app
[ "$(setting 4)" = " 6 " ] || fail "saved style '$(setting 4)', expected 6"
[ "$(setting 5)" = " 3450 " ] || fail "saved display left '$(setting 5)', expected 3450 (230 px)"
[ "$(setting 6)" = " 2850 " ] || fail "saved display top '$(setting 6)', expected 2850 (190 px)"
echo "PASS drag_lcd"
