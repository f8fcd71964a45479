#!/usr/bin/env bash
# The round clock frmAnalog_R (style 0) over an ordinary green window: on the
# screen it is a circle with a black ring around a white dial and nothing
# square (no frame, no title bar, the corners of its rectangle show the
# window behind); a click into a corner outside the circle reaches the
# window below. Shown again after another style it is round at once.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_desktop

# the window below: a green message window whose button will lie under the
# lower left corner of the clock
start_xmessage "250 150 300 250" "#20c040" -buttons "unten:7" " "
wait_for "[ -n \"\$(client_rect $XM_ID)\" ]" 5 || fail "the message window has no geometry"
read -r mx my mw mh < <(client_rect "$XM_ID")
button=$(xwininfo -id "$XM_ID" -tree | awk '
    match($0, /[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+ +\+-?[0-9]+\+-?[0-9]+/) {
        split(substr($0, RSTART, RLENGTH), f, /[x+ ]+/)
        if (f[2] < 40 && f[1] > 20 && f[1] < 150) print f[5], f[6], f[1], f[2]
    }' | head -n1)
[ -n "$button" ] || fail "the message window's button was not found"
read -r bx by bw bh <<<"$button"
bcx=$((bx + bw / 2))
bcy=$((by + bh / 2))
# the clock's client pixel 3,117 (outside the circle) over the button's middle
ux=$((bcx - 3))
uy=$((bcy - 117))
if [ "$ux" -lt "$mx" ] || [ "$uy" -lt "$my" ] || [ $((ux + 122)) -gt $((mx + mw)) ] || [ $((uy + 121)) -gt $((my + mh)) ]; then
    fail "the clock at $ux $uy would not lie on the message window ($mx $my $mw $mh)"
fi
sleep 0.3
shot before

write_settings " 12 " " 0 " " 100 " " 0 " " $((ux * 15)) " " $((uy * 15)) " " 9000 " " 1500 " "Anlage" " 9360 " " 8685 " " 0 " " 0 " "False"
start_app
cfg=$(wait_window "^ Quendrasil-Konfiguration$")
uhr=$(display_at 122x121 "$ux $uy" frmAnalog_R)

# compares the clock's rectangle in shot $1 with the same place before it
# was shown: outside the circle the window behind, on the ring black, at the
# dial's centre white
check_round() {
    sleep 0.5
    shot "$1"
    crop "$WORK/before.png" "$WORK/before_crop.png" "$ux $uy 122 121"
    crop "$WORK/$1.png" "$WORK/$1_crop.png" "$ux $uy 122 121"
    local verdict
    verdict=$(paste -d' ' <(pixels "$WORK/before_crop.png") <(pixels "$WORK/$1_crop.png") | awk '
        function black(r, g, b) { return r < 60 && g < 60 && b < 60 }
        {
            # the dial picUhr lies at 5,6 with 111 x 111 pixels
            dx = $1 + 0.5 - 60.5; dy = $2 + 0.5 - 61.5; d = sqrt(dx * dx + dy * dy)
            same = ($3 == $8 && $4 == $9 && $5 == $10)
            if (d >= 62) {
                outside++
                if (black($3, $4, $5)) darkBehind++
                if (!same && !bad) bad = sprintf("pixel %d,%d outside the circle is %d,%d,%d, behind it %d,%d,%d", $1, $2, $8, $9, $10, $3, $4, $5)
            } else if (d >= 56.5 && d <= 58.5) {
                ring++
                if (!black($8, $9, $10) && !bad) bad = sprintf("pixel %d,%d on the ring is %d,%d,%d, not black", $1, $2, $8, $9, $10)
            } else if (d <= 4) {
                if (!($8 > 200 && $9 > 200 && $10 > 200) && !bad) bad = sprintf("pixel %d,%d at the dial centre is %d,%d,%d, not white", $1, $2, $8, $9, $10)
            }
        }
        END {
            if (outside < 2500 || ring < 500) bad = "only " outside " pixels outside the circle and " ring " on the ring"
            else if (darkBehind > outside / 10) bad = "the window behind is too dark to tell (" darkBehind " black pixels)"
            print bad ? bad : "round"
        }')
    [ "$verdict" = "round" ] || fail "$1: $verdict"
}
check_round round_at_start

# a click on the corner outside the circle reaches the button below
xdotool mousemove "$bcx" "$bcy" click 1
wait_for "! kill -0 $XM_PID 2>/dev/null" 5 || fail "the click at $bcx $bcy outside the circle did not reach the window below"
xm_status=0
wait "$XM_PID" || xm_status=$?
[ "$xm_status" -eq 7 ] || fail "the window below ended with $xm_status, not through its button (7)"
running || fail "the program ended after the click beside the circle"

# the green window is gone: the same one again behind the clock (it looks
# as in the first picture) for the second look, after the LCD style
# (optAnzeige(4)) and back to the round one
start_xmessage "250 150 300 250" "#20c040" -buttons "unten:7" " "
[ "$(client_pos "$uhr")" = "$ux $uy" ] || fail "the clock moved to $(client_pos "$uhr")"
cfg=$(activate_config)
read -r cx cy cw ch < <(client_rect "$cfg")
xdotool mousemove $((cx + 152 + 7)) $((cy + 174 + 10)) click 1
lcd=$(wait_sized 115x50)
wait_pos "$lcd" "$ux $uy" || fail "frmLCD appears at $(client_pos "$lcd"), not where the round clock was ($ux $uy)"
wait_for "[ -z \"\$(window_sized 122x121)\" ]" 5 || fail "frmAnalog_R stays shown next to frmLCD"
xdotool mousemove $((cx + 30 + 7)) $((cy + 114 + 10)) click 1
uhr=$(wait_sized 122x121)
wait_pos "$uhr" "$ux $uy" || fail "frmAnalog_R comes back at $(client_pos "$uhr"), not at $ux $uy"
check_round round_again

quit_app
echo "PASS round_shape"
