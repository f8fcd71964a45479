#!/usr/bin/env bash
# A Wayland desktop (weston, headless): where XWayland is at hand as well and
# the user chose no platform, the program's windows are X11 windows, so that
# places and "always on top" work; on Wayland alone, where a window learns
# nothing of its place, the places read from the settings file are saved back.
. "$(dirname "$0")/lib.sh" "$1"
for tool in weston Xwayland; do
    command -v "$tool" >/dev/null 2>&1 || fail "'$tool' is missing (./test installs it)"
done
RUNDIR=$WORK/xdg
mkdir -m 700 "$RUNDIR"
export XDG_RUNTIME_DIR=$RUNDIR
weston --backend=headless-backend.so --xwayland --socket=wayland-q --idle-time=0 \
    --log="$WORK/weston.log" >"$WORK/weston.out" 2>&1 &
PIDS+=($!)
wait_for '[ -S "$RUNDIR/wayland-q" ] && grep -q "listening on display" "$WORK/weston.log"' 20 ||
    fail "weston did not start: $(tail -n 5 "$WORK/weston.log" "$WORK/weston.out")"
XDISPLAY=:$(sed -n 's/.*listening on display :\([0-9]*\).*/\1/p' "$WORK/weston.log" | head -n1)

# display at 4500, 3000 twips, control window at 6000, 6000
settings() {
    write_settings " 10 " " 8 " " 100 " " 4 " " 4500 " " 3000 " " 6000 " " 6000 " "Anlage" " 9450 " " 9060 " " 0 " " 0 " "False"
}
cp "$BIN" "$APPDIR/quendrasil"
run_on() { # DISPLAY (empty for Wayland alone), more environment
    (cd "$APPDIR" && exec env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-q \
        DISPLAY="$1" "${@:2}" ./quendrasil >"$WORK/app.log" 2>&1) &
    APP_PID=$!
}
stop_app() {
    kill -TERM "$APP_PID"
    local status=0
    wait_exit 20 || status=$?
    [ "$status" -eq 0 ] || fail "exit status $status: $(cat "$WORK/app.log")"
}

# both displays: X11 windows (weston's own window manager places them itself)
settings
run_on "$XDISPLAY"
wait_for "DISPLAY=$XDISPLAY xdotool search --pid $APP_PID --name '^ Quendrasil-Konfiguration$' >/dev/null 2>&1" 30 ||
    fail "no X11 window of the program: $(cat "$WORK/app.log")"
stop_app

# Wayland alone: the places read are the places saved
settings
run_on "" WAYLAND_DEBUG=1
wait_for "grep -q 'xdg_toplevel@[0-9]*\.set_title(\" Quendrasil-Konfiguration\")' '$WORK/app.log'" 30 ||
    fail "the program shows no window on Wayland: $(tail -n 20 "$WORK/app.log")"
sleep 1
stop_app
[ "$(setting 5)" = " 4500 " ] && [ "$(setting 6)" = " 3000 " ] || fail "display saved at $(setting 5), $(setting 6)"
[ "$(setting 7)" = " 6000 " ] && [ "$(setting 8)" = " 6000 " ] || fail "control window saved at $(setting 7), $(setting 8)"
echo "PASS wayland"
