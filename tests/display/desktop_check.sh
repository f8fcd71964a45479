#!/bin/sh
# Checks the display windows on a real desktop: a private X server (Xvfb) with
# the openbox window manager, driven by xdotool, pictures taken with ImageMagick.
#
#   desktop_check.sh PATH/TO/display_show [SHOTS_DIR] [DISPLAY_NUMBER]
#
# Checks: the small windows open at the place handed to them, at their
# activation size, and stay on top; a frameless window is dragged by its
# surface with the left button; losing activation records the place, and the
# next window opens exactly there; the round window is round (corners let the
# mouse through, a black ring around the dial); a double-click on the dial asks
# for the control window; Alt+F4 saves and ends. Screenshots go to SHOTS_DIR.
set -u

SHOW=${1:?path to display_show}
SHOTS=${2:-/tmp/shots}
NUM=${3:-57}
export DISPLAY=:$NUM
mkdir -p "$SHOTS"
LOG=$(mktemp)
FAILED=0

fail() { echo "FAIL: $*"; FAILED=1; }
pass() { echo "PASS: $*"; }

Xvfb ":$NUM" -screen 0 1280x1024x24 >/dev/null 2>&1 &
XVFB=$!
WM=
SHOWPID=
cleanup() {
    [ -n "$SHOWPID" ] && kill "$SHOWPID" 2>/dev/null
    [ -n "$WM" ] && kill "$WM" 2>/dev/null
    kill "$XVFB" 2>/dev/null
    rm -f "$LOG" "$SHOTS/.bg.png"
}
trap cleanup EXIT INT TERM
sleep 1
openbox >/dev/null 2>&1 &
WM=$!
sleep 1
# a coloured desktop, so that black window parts show
convert -size 1280x1024 xc:'#3a6ea5' "$SHOTS/.bg.png"
display -window root "$SHOTS/.bg.png" >/dev/null 2>&1


start() {
    : >"$LOG"
    QT_QPA_PLATFORM=xcb "$SHOW" "$@" >"$LOG" 2>/dev/null &
    SHOWPID=$!
    sleep 1.5
}
stop() {
    [ -n "$SHOWPID" ] && kill "$SHOWPID" 2>/dev/null
    wait "$SHOWPID" 2>/dev/null
    SHOWPID=
}

# the top-level window of the program that is mapped with the given client size
window_of_size() {
    for w in $(xdotool search --class display_show); do
        if xwininfo -id "$w" | grep -q IsViewable && xwininfo -id "$w" | grep -q "Width: $1\$" &&
            xwininfo -id "$w" | grep -q "Height: $2\$"; then
            echo "$w"
            return
        fi
    done
}
pos_of() { [ -n "$1" ] || { echo none; return; }; xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x "," y}'; }
pixel() { convert "$1" -format "%[pixel:p{$2}]" info:; }

# 1. frmLCD at 1500, 1500 twips = 100, 100 pixels, 115 x 50 pixels, on top
start 4 6 --at 1500 1500
LCD=$(window_of_size 115 50)
[ -n "$LCD" ] && pass "frmLCD at its activation size 115 x 50" || fail "frmLCD size"
[ "$(pos_of "$LCD")" = "100,100" ] && pass "frmLCD placed at 100,100" || fail "frmLCD at $(pos_of "$LCD")"
xprop -id "$LCD" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE && pass "frmLCD stays on top" || fail "frmLCD not on top"
import -window root "$SHOTS/check_frmLCD.png"

# 2. dragged by its surface: left button on the frame's edge pixel
xdotool mousemove 101 101 && sleep 0.2 && xdotool mousedown 1 && sleep 0.2
xdotool mousemove 150 130 && sleep 0.2 && xdotool mousemove 201 171 && sleep 0.3 && xdotool mouseup 1
sleep 0.5
[ "$(pos_of "$LCD")" = "200,170" ] && pass "frmLCD dragged to 200,170" || fail "drag: at $(pos_of "$LCD")"
xdotool mousemove 201 171 && sleep 0.2 && xdotool click 3 && sleep 0.3
[ "$(pos_of "$LCD")" = "200,170" ] && pass "right button does not move" || fail "right button moved"

# 3. a normal window activated over it stays below; losing activation records the place
CTRL=$(xdotool search --name Steuerung | head -1)
xdotool windowmove "$CTRL" 150 120 && sleep 0.3
xdotool mousemove 250 110 click 1 && sleep 0.5 # its title bar
import -window root "$SHOTS/check_ontop.png"
[ "$(pixel "$SHOTS/check_ontop.png" 230,195)" = "$(pixel "$SHOTS/check_frmLCD.png" 130,125)" ] &&
    pass "frmLCD above the active window" || fail "frmLCD covered"
grep -q "^place 3000 2550" "$LOG" && pass "place recorded 3000, 2550" || fail "place: $(grep place "$LOG")"
xdotool windowmove "$CTRL" 700 600 && sleep 0.3
xdotool mousemove 800 630 click 1 && sleep 1.5
LED=$(window_of_size 129 49)
[ -n "$LED" ] && [ "$(pos_of "$LED")" = "200,170" ] && pass "frmLED opens where frmLCD was" ||
    fail "frmLED at $(pos_of "$LED")"
import -window root "$SHOTS/check_frmLED.png"
stop

# 4. the round clock: round, with a black ring, corners let the mouse through
start 0 --at 1500 1500
ROUND=$(window_of_size 122 121)
import -window root "$SHOTS/check_frmAnalog_R.png"
BGPX=$(pixel "$SHOTS/check_frmAnalog_R.png" 10,10)
[ "$(pixel "$SHOTS/check_frmAnalog_R.png" 101,101)" = "$BGPX" ] && pass "corner not drawn" || fail "corner drawn"
[ "$(pixel "$SHOTS/check_frmAnalog_R.png" 102,161)" = "srgb(0,0,0)" ] && pass "black ring" || fail "no ring"
under() { xdotool mousemove "$1" "$2" && sleep 0.2 && xdotool getmouselocation --shell | sed -n 's/WINDOW=//p'; }
[ "$(under 101 101)" != "$(under 160 160)" ] && pass "corner passes the mouse" || fail "corner takes the mouse"
xdotool mousemove 160 160 click --repeat 2 --delay 80 1 && sleep 0.5
grep -q "^config" "$LOG" && pass "double-click on the dial asks for the control window" || fail "no config"
xdotool mousemove 102 161 && sleep 0.2 && xdotool mousedown 1 && sleep 0.2
xdotool mousemove 150 180 && sleep 0.2 && xdotool mousemove 202 211 && sleep 0.3 && xdotool mouseup 1 && sleep 0.5
[ "$(pos_of "$ROUND")" = "200,150" ] && pass "round clock dragged by its ring" || fail "ring drag: $(pos_of "$ROUND")"
xdotool mousemove 260 210 click 1 && sleep 0.3 && xdotool key alt+F4 && sleep 0.8
grep -q "^unload true" "$LOG" && pass "Alt+F4 saves and ends" || fail "no unload"
stop

# 5. pictures of the others as they open
for style in 1 2 3 5 7 8; do
    start "$style" --at 1500 1500
    import -window root "$SHOTS/check_style$style.png"
    stop
done

[ "$FAILED" = 0 ] && echo "all desktop checks passed" || echo "desktop checks FAILED"
exit "$FAILED"
