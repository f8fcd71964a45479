#!/usr/bin/env bash
# While the clock runs: on frmLCD (style 4) a single click on the frame
# picture Image1 does not bring the control window back, a double-click
# does; on frmLCD_X (style 3) a single click on Image1 does. Hold, change of
# style and continue (Alt+W) on the way; the clock is never held by a click.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_with " 12 " " 0 " " 10 " " 4 " " 4500 " " 3000 " " 9000 " " 1500 " "Anlage" " 9360 " " 8685 " " 0 " " 0 " "True"
lcd=$(display_at 115x50 "300 200" frmLCD)
start_clock
time_advances 5 || fail "the clock does not run after Start"

# Image1 lies at 2,2 (104 x 39); 5,20 is left of the first digit
xdotool mousemove 305 220 click 1
sleep 0.8
config_shown && fail "a single click on Image1 of frmLCD showed the control window"
double_click 305 220
wait_for config_shown 5 || fail "a double-click on Image1 of frmLCD did not show the control window"
time_advances 3 || fail "the clock stopped when the control window came back"

# hold, choose "LCD [X]" (optAnzeige(3)), continue
cfg=$(activate_config)
xdotool key --window "$cfg" alt+h
sleep 0.3
read -r cx cy cw ch < <(client_rect "$cfg")
xdotool mousemove $((cx + 30 + 7)) $((cy + 174 + 10)) click 1
lcdx=$(wait_window "^Anlage$")
wait_for "[ \"\$(client_rect $lcdx | cut -d' ' -f3-)\" = '109 46' ]" 5 || fail "frmLCD_X has the client area $(client_rect "$lcdx"), not 109 x 46"
[ "$(frame_rect "$lcdx" | cut -d' ' -f1-2)" = "300 200" ] || fail "frmLCD_X's frame at $(frame_rect "$lcdx"), not where frmLCD was (300 200)"
cfg=$(activate_config)
xdotool key --window "$cfg" alt+w
wait_for '! config_shown' 5 || fail "the control window did not hide at continue"
time_advances 3 || fail "the clock does not run after continue"

# frmLCD_X: Image1 at 2,4 in the client area, 5,22 left of the first digit
read -r lx ly lw lh < <(client_rect "$lcdx")
xdotool mousemove $((lx + 5)) $((ly + 22)) click 1
wait_for config_shown 5 || fail "a single click on Image1 of frmLCD_X did not show the control window"
time_advances 3 || fail "the clock stopped when the control window came back"

cfg=$(activate_config)
xdotool key --window "$cfg" alt+h
sleep 0.3
quit_app
[ "$(setting 4)" = " 3 " ] || fail "saved style '$(setting 4)', expected 3"
echo "PASS reopen_click"
