#!/usr/bin/env bash
# A change of display style shows each newly created window exactly where
# the previous small display window was: frmAnalog (style 2) at 300,200, then
# frmLCD, frmLED, frmLCD_X, frmLED_X and frmAnalog_R, chosen one after the
# other in the control window, each created and shown for the first time.
# The three without a title bar draw the raised 3-pixel edge of their dialog
# frame, and their faces sit evenly within it.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_with " 12 " " 0 " " 100 " " 2 " " 4500 " " 3000 " " 9000 " " 1500 " "Anlage" " 9360 " " 8685 " " 0 " " 0 " "False"

# the raised edge (light top-left, dark bottom-right) of window $2, and its
# face reaching to $4 pixels inside the edge on every side (no background $3
# there)
edge_even() {
    local name=$1 m=$(($4 + 3)) x y w h px
    read -r x y w h < <(client_rect "$2")
    sleep 0.3
    shot edge
    crop "$WORK/edge.png" "$WORK/$name.png" "$x $y $w $h"
    px() { convert "$WORK/$name.png" -format "%[pixel:p{$1,$2}]" info:; }
    [ "$(px 0 0) $(px 1 1) $(px $((w - 1)) $((h - 1)))" = "srgb(212,208,200) srgb(255,255,255) srgb(64,64,64)" ] ||
        fail "$name: no raised edge ($(px 0 0) $(px 1 1) $(px $((w - 1)) $((h - 1))))"
    for p in "$m $((h / 2))" "$((w - 1 - m)) $((h / 2))" "$((w / 2)) $m" "$((w / 2)) $((h - 1 - m))"; do
        [ "$(px $p)" != "$3" ] || fail "$name: a wide band of background at $p"
    done
}

win=$(display_at 145x146 "300 200" frmAnalog)
edge_even frmAnalog "$win" "srgb(171,171,171)" 4

# clicks the option button of style $1 (its left and top in pixels inside
# the control window's client area: panel 150,120 + frame 150,90 + option)
choose() {
    local x y cx cy cw ch
    case "$1" in
    0) x=30 y=114 ;; 1) x=30 y=144 ;; 2) x=152 y=144 ;; 3) x=30 y=174 ;; 4) x=152 y=174 ;;
    5) x=30 y=204 ;; 6) x=152 y=204 ;;
    esac
    cfg=$(activate_config)
    read -r cx cy cw ch < <(client_rect "$cfg")
    xdotool mousemove $((cx + x + 7)) $((cy + y + 10)) click 1
}

# waits for the display window of client size $2 (name $1) and checks where
# its outer top-left corner is
expect_at() {
    local name=$1 size=$2 w
    w=$(wait_sized "$size")
    wait_for "[ \"\$(frame_rect $w | cut -d' ' -f1-2)\" = '300 200' ]" 5 ||
        fail "$name (new) appears at $(frame_rect "$w" | cut -d' ' -f1-2), not where the previous window was (300 200); WM_NORMAL_HINTS: $(xprop -id "$w" WM_NORMAL_HINTS | tr -s '\n\t' '  ')"
    sleep 0.3
}

choose 4; expect_at frmLCD 115x50
edge_even frmLCD "$(wait_sized 115x50)" "srgb(171,171,171)" 3
choose 6; expect_at frmLED 129x49
edge_even frmLED "$(wait_sized 129x49)" "srgb(212,208,200)" 2
choose 3; expect_at frmLCD_X 109x46
choose 5; expect_at frmLED_X 122x45
choose 0; expect_at frmAnalog_R 122x121
quit_app
[ "$(setting 4)" = " 0 " ] || fail "saved style '$(setting 4)'"
[ "$(setting 5) $(setting 6)" = " 4500   3000 " ] || fail "saved place '$(setting 5) $(setting 6)', expected 4500 3000"
echo "PASS place_on_style_change"
