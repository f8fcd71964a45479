#!/usr/bin/env bash
# The large analog clock frmAnalogMaxi keeps no old hands: after dragging it
# larger and after maximizing it (double-click on its title bar) the clock
# looks exactly like a freshly started window of the same size that shows the
# same time. The clock runs from 10:08 with a fast second every 9.999 s, so
# the hands of 10:08:00 stand for the whole test.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_desktop

# a run of the program with the large clock at the saved outer size $1 x $2
# twips; sets MAXI
run_maxi() {
    write_settings " 10 " " 8 " " 9999 " " 7 " " 1500 " " 1500 " " 12000 " " 1500 " "Anlage" " $1 " " $2 " " 0 " " 0 " "False"
    start_app
    MAXI=$(wait_window "^Anlage$")
    sleep 0.3
}

stop_app() {
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
    APP_PID=
}

# the client area of the large clock, as a picture $1
clock_shot() {
    sleep 0.5
    shot screen
    crop "$WORK/screen.png" "$WORK/$1.png" "$(client_rect "$MAXI")"
}

# openbox maximizes a window on a double-click on its title bar
maximize() {
    local fx fy fw fh size
    size=$(client_rect "$MAXI" | cut -d' ' -f3-)
    read -r fx fy fw fh < <(frame_rect "$MAXI")
    double_click $((fx + fw / 2)) $((fy + 8))
    wait_for "[ \"\$(client_rect $MAXI | cut -d' ' -f3-)\" != '$size' ]" 5 || fail "the double-click did not maximize"
    xprop -id "$MAXI" _NET_WM_STATE | grep -q MAXIMIZED || fail "not maximized: $(xprop -id "$MAXI" _NET_WM_STATE)"
}

# the same picture, pixel for pixel
same() {
    local diff
    diff=$(compare -metric AE "$WORK/$1.png" "$WORK/$2.png" "$WORK/diff_$1.png" 2>&1 >/dev/null) || true
    [ "$diff" = 0 ] || fail "$1 differs from $2 in ${diff} pixels (KEEP_SHOTS=1 keeps $WORK)"
}

# 1. drawn at 494 x 375 pixels, then made larger, then maximized
run_maxi 7500 6000
start_clock
xdotool windowsize "$MAXI" 640 520
wait_for "[ \"\$(client_rect $MAXI | cut -d' ' -f3-)\" = '640 520' ]" 5 || fail "not resized: $(client_rect "$MAXI")"
clock_shot resized
maximize
clock_shot maximized
stop_app

# 2. a fresh window of the resized size: 640 x 520 client pixels
run_maxi $(((640 + 6) * 15)) $(((520 + 25) * 15))
start_clock
clock_shot fresh_resized
same resized fresh_resized
stop_app

# 3. a fresh window maximized before the clock draws
run_maxi 7500 6000
maximize
start_clock
clock_shot fresh_maximized
same maximized fresh_maximized
echo "PASS maxi_resize"
