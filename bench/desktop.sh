# shellcheck shell=bash
# Shared by the benchmarks: a private folder (WORK), a desktop of its own
# (Xvfb with openbox, the server's process id in XVFB_PID), two busy loops to
# load both cores on request, and the clean-up of all of it at the end.
WORK=$(mktemp -d)
PIDS=()
LOAD=()
cleanup() { for p in "${LOAD[@]}" "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$WORK"; }
trap cleanup EXIT
Xvfb -displayfd 5 -screen 0 1920x1200x24 -nolisten tcp 5>"$WORK/display" 2>/dev/null &
XVFB_PID=$!
PIDS+=("$XVFB_PID")
until [ -s "$WORK/display" ]; do sleep 0.1; done
export DISPLAY=":$(head -n1 "$WORK/display")" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$WORK
openbox --sm-disable >/dev/null 2>&1 &
PIDS+=($!)
sleep 1

busy() { for _ in 1 2; do (while :; do :; done) & LOAD+=($!); done; }
unbusy() { for p in "${LOAD[@]}"; do kill "$p" 2>/dev/null || true; done; LOAD=(); }
