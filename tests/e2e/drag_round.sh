#!/usr/bin/env bash
# The round clock frmAnalog_R (style 0) moves with a left-button drag on its
# black ring; a right-button drag on the ring and a left-button drag on the
# dial leave it in place. Quitting saves the new place: pixels times 15.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_with " 12 " " 0 " " 100 " " 0 " " 4500 " " 3000 " " 9000 " " 1500 " "Anlage" " 9360 " " 8685 " " 0 " " 0 " "False"
uhr=$(display_at 122x121 "300 200" frmAnalog_R)

# the dial (picUhr, centre 60,61) takes the press itself: no move
drag 1 360 261 80 60
# a right-button press on the ring left of the dial: no move
drag 3 302 261 80 60
sleep 0.3
[ "$(client_pos "$uhr")" = "300 200" ] || fail "a drag on the dial or with the right button moved frmAnalog_R to $(client_pos "$uhr")"

# the left button on the black ring left of the dial
drag 1 302 261 -170 110
wait_pos "$uhr" "130 310" || fail "after a left-button drag on the ring by -170,110 frmAnalog_R is at $(client_pos "$uhr"), not at 130 310"
# and once more, on the ring above the dial
drag 1 190 313 45 -30
wait_pos "$uhr" "175 280" || fail "after a second drag by 45,-30 frmAnalog_R is at $(client_pos "$uhr"), not at 175 280"

quit_app
[ "$(setting 4)" = " 0 " ] || fail "saved style '$(setting 4)', expected 0"
[ "$(setting 5)" = " 2625 " ] || fail "saved display left '$(setting 5)', expected 2625 (175 px)"
[ "$(setting 6)" = " 4200 " ] || fail "saved display top '$(setting 6)', expected 4200 (280 px)"
echo "PASS drag_round"
