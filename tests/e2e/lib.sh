# Shared by the end-to-end tests: a real X desktop (Xvfb with openbox), the
# program started from a private folder, and helpers to drive and watch it.
# Usage in a test: . lib.sh BINARY; start_desktop; ...; start_app; ...
# (the benchmarks' desktop gives no binary)
set -euo pipefail

BIN=${1:+$(readlink -f "$1")}
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

for tool in Xvfb openbox xdotool import xprop inotifywait; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "FAIL: the display tool '$tool' is missing (./test installs it)" >&2
        exit 1
    fi
done

WORK=$(mktemp -d /tmp/quendrasil-e2e.XXXXXX)
APPDIR=$WORK/app
mkdir -p "$APPDIR"
PIDS=()
APP_PID=

cleanup() {
    local status=$?
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    if [ $status -ne 0 ] && [ -n "${KEEP_SHOTS:-}" ]; then
        echo "kept $WORK" >&2
    else
        rm -rf "$WORK"
    fi
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -n "${DISPLAY:-}" ] && import -window root "$WORK/failure.png" 2>/dev/null && echo "screen: $WORK/failure.png" >&2
    exit 1
}

# waits up to $2 seconds (default 10) until the command $1 succeeds
wait_for() {
    local deadline=$((SECONDS + ${2:-10}))
    until eval "$1"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.1
    done
}

# a screen of SCREEN pixels (default 1280x1024); the server's process id in XVFB_PID
start_desktop() {
    Xvfb -displayfd 5 -screen 0 "${SCREEN:-1280x1024}x24" -nolisten tcp 5>"$WORK/display" 2>"$WORK/xvfb.log" &
    XVFB_PID=$!
    PIDS+=($!)
    wait_for '[ -s "$WORK/display" ]' 30 || fail "Xvfb did not start: $(tail -n 5 "$WORK/xvfb.log")"
    export DISPLAY=":$(head -n1 "$WORK/display")"
    export XAUTHORITY=/dev/null
    openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
    PIDS+=($!)
    wait_for 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' 30 || fail "openbox did not start on $DISPLAY: $(tail -n 5 "$WORK/openbox.log") / Xvfb: $(tail -n 5 "$WORK/xvfb.log")"
}

# copy_program DIR: the program and the sharing module that it loads from
# beside itself
copy_program() {
    cp "$BIN" "$1/quendrasil"
    cp "$(dirname "$BIN")/quendrasil-sharing.so" "$1/"
}

# copies the program into its private folder and starts it there with the arguments given
start_app() {
    copy_program "$APPDIR"
    (cd "$APPDIR" && QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$WORK" exec ./quendrasil "$@" >"$WORK/app.log" 2>&1) &
    APP_PID=$!
}

# watches the program folder for files written there
watch_files() {
    : >"$WORK/watch.log"
    inotifywait -m -e close_write,moved_to,create --format '%e %f' "$APPDIR" >"$WORK/events" 2>"$WORK/watch.log" &
    PIDS+=($!)
    wait_for 'grep -q "Watches established" "$WORK/watch.log"' 10 || fail "inotifywait did not start: $(cat "$WORK/watch.log")"
}

# how often the settings file was (re)written since watch_files
settings_writes() {
    grep -cE '^(MOVED_TO|CREATE) Quendrasil.ini$' "$WORK/events" || true
}

# the visible window whose name matches the regular expression
window_named() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1
}

wait_window() {
    local id=""
    local deadline=$((SECONDS + ${2:-10}))
    while [ -z "$id" ]; do
        id=$(window_named "$1")
        [ -n "$id" ] && break
        [ $SECONDS -ge $deadline ] && fail "no window named '$1'"
        sleep 0.1
    done
    echo "$id"
}

# the program's visible windows of a given client size (WxH)
window_sized() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
        if xdotool getwindowgeometry "$id" 2>/dev/null | grep -q "Geometry: $1\$"; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

wait_exit() {
    local deadline=$((SECONDS + ${1:-10}))
    while kill -0 "$APP_PID" 2>/dev/null; do
        [ $SECONDS -ge $deadline ] && fail "the program did not end"
        sleep 0.1
    done
    wait "$APP_PID"
}

# a settings file of 28 lines from the fourteen values given
write_settings() {
    local keys=("[Stunden]" "[Minuten]" "[Faktor]" "[Anzeige analog / digital]" "[Position Anzeige left]"
        "[Position Anzeige top]" "[Position Konfiguration left]" "[Position Konfiguration top]" "[Titel]"
        "[Breite Maxi]" "[H"$'\xf6'"he Maxi]" "[letzte Zeit Std]" "[letzte Zeit Min]" "[Datei erzeugen]")
    local i=0 v
    : >"$APPDIR/Quendrasil.ini"
    for v in "$@"; do
        printf '%s\r\n%s\r\n' "${keys[$i]}" "$v" >>"$APPDIR/Quendrasil.ini"
        i=$((i + 1))
    done
    [ $i -eq 14 ] || fail "write_settings needs 14 values"
}

# value line n (1-based pair number) of the settings file
setting() {
    sed -n "$((2 * $1))p" "$APPDIR/Quendrasil.ini" | tr -d '\r'
}

shot() {
    import -window root "$WORK/$1.png"
    if [ -n "${SHOT_DIR:-}" ]; then mkdir -p "$SHOT_DIR"; cp "$WORK/$1.png" "$SHOT_DIR/"; fi
}
