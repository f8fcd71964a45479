#!/usr/bin/env bash
# Makes docs/screenshot.png for the README: the control window (at start and
# while the clock runs) and the nine display windows, each taken from a real
# desktop (Xvfb with openbox) and put together with the captions users see;
# and, for the manual, the control window with its status line for a
# follower, a master and --web (the pictures c_*.png).
# Not a test; run by hand:
#   tests/e2e/screenshots.sh [BINARY]        (default: build/quendrasil)
# PARTS_DIR=/some/dir keeps the single pictures there as well.
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
. "$ROOT/tests/e2e/lib.sh" "${1:-$ROOT/build/quendrasil}"
. "$HERE/e2e_extra.sh"
for tool in montage identify; do
    command -v "$tool" >/dev/null 2>&1 || fail "ImageMagick's '$tool' is missing"
done
OUT=$ROOT/docs/screenshot.png
PARTS=$WORK/parts
mkdir -p "$PARTS" "$ROOT/docs"

FONT=
for f in /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf \
    /usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf \
    /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf; do
    [ -f "$f" ] && FONT=$f && break
done
BACKDROP="#dcdcdc"

NAMES=(frmAnalog_R frmAnalog_X frmAnalog frmLCD_X frmLCD frmLED_X frmLED frmAnalogMaxi frmLEDStretch)

start_desktop

# the display window of the running program, that is every visible window
# of it except the control window
display_window() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
        [ "$(xdotool getwindowname "$w" 2>/dev/null)" = " Quendrasil-Konfiguration" ] && continue
        echo "$w"
        return 0
    done
    return 1
}

stop_app() {
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
    APP_PID=
}

# one run of the program with display style $1: the control window as it
# starts (style 4 only), then Start at 10:08 and the display window
take() {
    local style=$1 name=${NAMES[$1]} cfg win rect
    write_settings " 10 " " 8 " " 1000 " " $style " " 2250 " " 1500 " " 9000 " " 1500 " "Anlage" " 9360 " " 8685 " " 10 " " 8 " "False"
    start_app
    cfg=$(wait_window "^ Quendrasil-Konfiguration$")
    wait_for "display_window >/dev/null" 10 || fail "no display window for style $style"
    sleep 0.5
    if [ "$style" -eq 4 ]; then
        cfg=$(activate_config)
        shot screen
        crop "$WORK/screen.png" "$PARTS/a_frmConfig.png" "$(frame_rect "$cfg")"
    fi
    cfg=$(activate_config)
    xdotool key --window "$cfg" alt+a
    wait_for '[ -z "$(window_named "^ Quendrasil-Konfiguration$")" ]' 5 || fail "the control window did not hide"
    # one tick later the separator shows again (time base 1000 ms)
    sleep 1.4
    win=$(display_window) || fail "the display window of style $style disappeared"
    shot screen
    if [ "$style" -eq 0 ]; then
        # the round window: its rectangle with the backdrop showing beside the circle
        rect=$(client_rect "$win")
    else
        rect=$(frame_rect "$win")
    fi
    crop "$WORK/screen.png" "$PARTS/b_${style}_$name.png" "$rect"
    if [ "$style" -eq 4 ]; then
        # the control window while the clock runs: a double-click on the digits
        double_click $(($(client_pos "$win" | cut -d' ' -f1) + 20)) $(($(client_pos "$win" | cut -d' ' -f2) + 20))
        wait_for '[ -n "$(window_named "^ Quendrasil-Konfiguration$")" ]' 5 || fail "the control window did not come back"
        cfg=$(activate_config)
        shot screen
        crop "$WORK/screen.png" "$PARTS/a_frmConfig_running.png" "$(frame_rect "$cfg")"
    fi
    stop_app
}

# a plain window behind the display windows, so that the round clock's
# corners show something other than the black root window
start_xmessage "100 70 400 300" "$BACKDROP" " "
for style in 4 0 1 2 3 5 6 7 8; do
    take "$style"
done

# The control window with its status line, for the manual: a follower whose
# master holds, the master, and a program with --web; each its own copy of
# the program, with a private broker on a free loopback port.
. "$HERE/mqtt_lib.sh"
start_broker
URL="mqtt://127.0.0.1:$BROKER_PORT/Anlage"
# the control window of process $1 into the picture $2
take_control() {
    local id
    id=$(control_of "$1")
    [ -n "$id" ] || fail "no control window of $1"
    xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
    sleep 0.5
    shot screen
    crop "$WORK/screen.png" "$PARTS/$2" "$(frame_rect "$id")"
}
# master: its display window at 600,20, its control window at 20,20
write_settings " 14 " " 30 " " 1000 " " 4 " " 9000 " " 300 " " 300 " " 300 " "Anlage" " 9360 " " 8685 " " 0 " " 0 " "False"
start_instance master --publish "$URL"
wait_for "status_of $master_PID | grep -q 'gibt die Uhr'" 20 || fail "the master did not connect: $(status_of "$master_PID")"
# follower: its display window at 600,600, its control window at 20,500
write_settings " 7 " " 0 " " 250 " " 4 " " 9000 " " 9000 " " 300 " " 7500 " "Bahnhof" " 9360 " " 8685 " " 0 " " 0 " "False"
start_instance follower --follow "$URL"
wait_for "status_of $follower_PID | grep -q 'wartet auf die Uhr'" 20 || fail "the follower: $(status_of "$follower_PID")"
# Start on the master, then hold: its control window comes back by a
# double-click on its digits
keys_to "$master_PID" alt+a
wait_for "[ -z \"\$(control_of $master_PID)\" ]" 5 || fail "the master's control window did not hide"
wait_for "status_of $follower_PID | grep -q 'läuft'" 10 || fail "the follower: $(status_of "$follower_PID")"
sleep 2
double_click 620 40
wait_for "[ -n \"\$(control_of $master_PID)\" ]" 5 || fail "the master's control window did not come back"
keys_to "$master_PID" alt+h
wait_for "status_of $follower_PID | grep -q 'angehalten'" 10 || fail "the follower: $(status_of "$follower_PID")"
take_control "$follower_PID" c_1_frmConfig_follow.png
take_control "$master_PID" c_2_frmConfig_publish.png
kill "$master_PID" "$follower_PID"
# --web on loopback and a free port
WEB_PORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
write_settings " 14 " " 30 " " 1000 " " 4 " " 9000 " " 300 " " 300 " " 300 " "Anlage" " 9360 " " 8685 " " 0 " " 0 " "False"
start_instance web --web "127.0.0.1:$WEB_PORT"
wait_for "status_of $web_PID | grep -q 'Webseite: http://127.0.0.1:$WEB_PORT/'" 20 || fail "--web: $(status_of "$web_PID")"
take_control "$web_PID" c_3_frmConfig_web.png
kill "$web_PID"

if [ -n "${PARTS_DIR:-}" ]; then
    mkdir -p "$PARTS_DIR"
    cp "$PARTS"/*.png "$PARTS_DIR/"
fi

# the large windows at half size, labelled as such
for f in "$PARTS"/b_7_*.png "$PARTS"/b_8_*.png; do
    convert "$f" -resize 50% "$f"
done

# the captions the user sees: the window's title and the style's option button
CAPTIONS=("analog rund" "analog [X]" "analog" "LCD [X]" "LCD" "LED [X]" "LED" "Maxi" "1024 LED stretch")
label() {
    case "$1" in
    a_frmConfig.png) echo "Quendrasil-Konfiguration" ;;
    a_frmConfig_running.png) echo "Quendrasil-Konfiguration (Uhr läuft)" ;;
    b_[78]_*) echo "${CAPTIONS[${1:2:1}]} (halbe Größe)" ;;
    b_*) echo "${CAPTIONS[${1:2:1}]}" ;;
    esac
}

# rows: the two control windows; the seven small windows; the two large ones
row() {
    local out=$1 f
    shift
    local args=()
    for f in "$@"; do args+=(-label "$(label "$(basename "$f")")" "$f"); done
    montage ${FONT:+-font "$FONT"} -pointsize 13 -background "$BACKDROP" -fill black \
        -geometry +14+10 -tile "${#}x1" "${args[@]}" "$out"
}
row "$WORK/row1.png" "$PARTS/a_frmConfig.png" "$PARTS/a_frmConfig_running.png"
row "$WORK/row2.png" "$PARTS"/b_[0-3]_*.png
row "$WORK/row3.png" "$PARTS"/b_[4-6]_*.png
row "$WORK/row4.png" "$PARTS"/b_[7-8]_*.png
convert -background "$BACKDROP" "$WORK"/row[1-4].png -gravity west -append -bordercolor "$BACKDROP" -border 6 \
    -strip "$OUT"
echo "$OUT: $(identify -format '%wx%h' "$OUT"), $(stat -c %s "$OUT") bytes"
