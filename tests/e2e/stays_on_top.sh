#!/usr/bin/env bash
# A small display window stays above an ordinary window that is activated
# and raised over it: frmLED (style 6, no title bar), then frmAnalog_X
# (style 1, with title bar) chosen in the control window.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_with " 12 " " 0 " " 100 " " 6 " " 4500 " " 3000 " " 9000 " " 1500 " "Anlage" " 9360 " " 8685 " " 0 " " 0 " "False"

# the window's position in the stacking order, bottom first (-1 if absent)
stack_index() {
    local i=0 w
    for w in $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*#//' | tr ',' ' '); do
        if [ $((w)) -eq "$1" ]; then
            echo "$i"
            return
        fi
        i=$((i + 1))
    done
    echo -1
}

# raises the other window over display window $1 (name $2) and checks that
# the display window stays above it and looks as before
check_above() {
    local clock=$1 name=$2 rect diff
    rect=$(client_rect "$clock")
    shot "${name}_alone"
    xdotool windowactivate --sync "$XM_ID" >/dev/null 2>&1 || true
    xdotool windowraise "$XM_ID"
    wait_for "[ \"\$(xdotool getactivewindow 2>/dev/null)\" = '$XM_ID' ]" 5 || fail "the other window does not become active"
    sleep 0.5
    shot "${name}_raised"
    [ "$(stack_index "$clock")" -gt "$(stack_index "$XM_ID")" ] ||
        fail "$name is below the raised window: $(xprop -root _NET_CLIENT_LIST_STACKING)"
    xprop -id "$clock" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "$name is not marked above: $(xprop -id "$clock" _NET_WM_STATE)"
    crop "$WORK/${name}_alone.png" "$WORK/a.png" "$rect"
    crop "$WORK/${name}_raised.png" "$WORK/b.png" "$rect"
    diff=$(compare -metric AE "$WORK/a.png" "$WORK/b.png" null: 2>&1 || true)
    [ "$diff" = "0" ] || fail "$name is covered: $diff of its pixels changed when the other window was raised"
}

led=$(display_at 129x49 "300 200" frmLED)
sleep 0.3
# the ordinary window over the whole clock
start_xmessage "250 150 300 250" "#20c040" "ein gewoehnliches Fenster"
check_above "$led" frmLED

cfg=$(activate_config)
read -r cx cy cw ch < <(client_rect "$cfg")
# optAnzeige(1), "analog [X]": panel 150,120 + frame 150,90 + option 150,1950 twips
xdotool mousemove $((cx + 30 + 7)) $((cy + 144 + 10)) click 1
ax=$(wait_window "^Anlage$")
wait_for "[ \"\$(client_rect $ax | cut -d' ' -f3-)\" = '134 135' ]" 5 || fail "frmAnalog_X has the client area $(client_rect "$ax")"
[ "$(frame_rect "$ax" | cut -d' ' -f1-2)" = "300 200" ] || fail "frmAnalog_X's frame at $(frame_rect "$ax"), not at 300 200"
sleep 0.3
check_above "$ax" frmAnalog_X

quit_app
echo "PASS stays_on_top"
