# shellcheck shell=bash
# More helpers for the end-to-end tests, sourced after lib.sh: window
# geometry as the X server sees it, pixels of screenshots, mouse drags and
# the usual ways of ending the program.

for tool in xwininfo convert xmessage; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "FAIL: the display tool '$tool' is missing (./test installs it)" >&2
        exit 1
    fi
done

# "X Y W H" of a window's client area on the screen (xdotool's own position
# counts the window manager's frame twice)
client_rect() {
    # without a window id xwininfo would wait for a click
    [[ "$1" =~ ^(0x[0-9a-fA-F]+|[0-9]+)$ ]] || return 1
    xwininfo -id "$1" 2>/dev/null | awk '
        /Absolute upper-left X:/ { x = $NF }
        /Absolute upper-left Y:/ { y = $NF }
        /^ *Width:/ { w = $NF }
        /^ *Height:/ { h = $NF }
        END { if (w == "") exit 1; print x, y, w, h }'
}

# "X Y W H" of a window including the window manager's frame
frame_rect() {
    local x y w h ext l r t b
    read -r x y w h < <(client_rect "$1") || return 1
    ext=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')
    [ -n "$ext" ] || ext=0,0,0,0
    IFS=, read -r l r t b <<<"$ext"
    echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

# the top-left corner "X Y" of a window's client area
client_pos() {
    local x y w h
    read -r x y w h < <(client_rect "$1") || return 1
    echo "$x $y"
}

# waits until a window's client area has its top-left corner at "X Y"
wait_pos() {
    wait_for "[ \"\$(client_pos $1)\" = '$2' ]" "${3:-5}"
}

# every pixel of a PNG as lines "X Y R G B"
pixels() {
    convert "$1" -depth 8 txt:- 2>/dev/null |
        sed -n 's/^\([0-9]*\),\([0-9]*\): *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3 \4 \5/p'
}

# a rectangle "X Y W H" of a PNG saved as another PNG
crop() {
    local x y w h
    read -r x y w h <<<"$3"
    convert "$1" -crop "${w}x${h}+${x}+${y}" +repage "$2"
}

# presses button $1 at X Y, moves the mouse in steps by DX DY, releases
drag() {
    local button=$1 x=$2 y=$3 dx=$4 dy=$5 i steps=8
    xdotool mousemove "$x" "$y"
    sleep 0.1
    xdotool mousedown "$button"
    sleep 0.2
    for i in $(seq 1 $steps); do
        xdotool mousemove $((x + dx * i / steps)) $((y + dy * i / steps))
        sleep 0.04
    done
    sleep 0.1
    xdotool mouseup "$button"
    sleep 0.2
}

# activates window $1 and waits until it is the active window and has the keyboard focus
activate() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
    wait_for "[ \"\$(xdotool getactivewindow 2>/dev/null)\" = '$1' ] && [ \"\$(xdotool getwindowfocus 2>/dev/null)\" = '$1' ]" 5
}

# the control window, in front and active, ready for its access keys
activate_config() {
    local cfg
    cfg=$(wait_window "^ Quendrasil-Konfiguration$")
    activate "$cfg" || fail "the control window does not become active"
    echo "$cfg"
}

# quits through the control window's Alt+E and checks the exit status 0
quit_app() {
    local cfg status=0
    cfg=$(activate_config)
    xdotool key --window "$cfg" alt+e
    wait_exit || status=$?
    [ "$status" -eq 0 ] || fail "exit status $status"
}

# the program's visible display window of client size WxH, waited for
wait_sized() {
    local id=""
    local deadline=$((SECONDS + ${2:-10}))
    until id=$(window_sized "$1"); do
        [ $SECONDS -ge $deadline ] && fail "no display window of client size $1"
        sleep 0.1
    done
    echo "$id"
}

# the program is still running
running() {
    kill -0 "$APP_PID" 2>/dev/null && ! grep -q '^Z' <(ps -o stat= -p "$APP_PID" 2>/dev/null)
}

# an ordinary window of another program: xmessage with its client area at
# "X Y W H" and background colour $2, further arguments to xmessage; sets
# XM_PID and XM_ID
start_xmessage() {
    local gx gy gw gh
    read -r gx gy gw gh <<<"$1"
    local bg=$2
    shift 2
    xmessage -geometry "${gw}x${gh}+${gx}+${gy}" -bg "$bg" -title zweitfenster "$@" >/dev/null 2>&1 &
    XM_PID=$!
    PIDS+=("$XM_PID")
    XM_ID=$(wait_window "^zweitfenster$" 30)
}

# the line of the time file, without its line end
time_line() {
    tr -d '\r\n' <"$APPDIR/Uhrzeit.txt" 2>/dev/null || true
}

# the clock runs: the time file shows a new minute within $1 seconds
time_advances() {
    local first
    wait_for '[ -n "$(time_line)" ]' "${1:-3}" || return 1
    first=$(time_line)
    wait_for "[ -n \"\$(time_line)\" ] && [ \"\$(time_line)\" != '$first' ]" "${1:-3}"
}

# starts the clock with Alt+A and waits until the control window hides
start_clock() {
    local cfg
    cfg=$(activate_config)
    xdotool key --window "$cfg" alt+a
    wait_for '[ -z "$(window_named "^ Quendrasil-Konfiguration$")" ]' 5 || fail "the control window did not hide at Start"
}

# double-click at X Y
double_click() {
    xdotool mousemove "$1" "$2"
    sleep 0.1
    xdotool click --repeat 2 --delay 80 1
}

config_shown() {
    [ -n "$(window_named "^ Quendrasil-Konfiguration$")" ]
}

# start_with [--watch] VALUES...: the desktop, a settings file of the
# fourteen values, the program (its folder watched from then on with
# --watch) and its control window, waited for
start_with() {
    local watch= cfg
    if [ "$1" = --watch ]; then
        watch=1
        shift
    fi
    start_desktop
    write_settings "$@"
    [ -z "$watch" ] || watch_files
    start_app
    # an assignment, so that a window that never comes ends the test
    cfg=$(wait_window "^ Quendrasil-Konfiguration$")
}

# the display window without a frame of client size $1, waited for at "X Y"
# ($2) on the screen; $3 names it in a failure
display_at() {
    local id
    id=$(wait_sized "$1") || exit 1
    wait_pos "$id" "$2" || fail "$3 at $(client_pos "$id"), not at $2"
    [ "$(frame_rect "$id")" = "$2 ${1/x/ }" ] || fail "$3 has a frame or title bar: $(frame_rect "$id")"
    echo "$id"
}

# closes the display window $1 (named $2 in a failure) by openbox's close
# box, the right-most button of its title bar: the program ends with 0, its
# windows disappear, the control window included, and the settings file is
# written exactly once
close_by_box() {
    local fx fy fw fh ext el er et eb status=0
    read -r fx fy fw fh < <(frame_rect "$1")
    ext=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ' ')
    IFS=, read -r el er et eb <<<"$ext"
    [ "${et:-0}" -gt 10 ] || fail "$2 shows no title bar (frame extents '$ext')"
    shot before_close
    xdotool mousemove $((fx + fw - er - 10)) $((fy + et / 2)) click 1
    wait_exit 10 || status=$?
    [ "$status" -eq 0 ] || fail "exit status $status after closing $2"
    [ -z "$(window_named "^ Quendrasil-Konfiguration$")" ] || fail "the control window is still shown"
    ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable || fail "$2 is still shown"
    # the program has ended: only inotifywait's report may still be on its way
    wait_for '[ "$(settings_writes)" -ge 1 ]' 5 || true
    [ "$(settings_writes)" -eq 1 ] || fail "settings written $(settings_writes) times (events: $(tr '\n' ' ' <"$WORK/events"))"
}
