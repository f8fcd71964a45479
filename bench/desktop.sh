# shellcheck shell=bash
# Shared by the benchmarks: the end-to-end tests' desktop (tests/e2e/lib.sh:
# Xvfb with openbox, the private folder WORK, the server's process id in
# XVFB_PID) on a larger screen, two busy loops to load both cores on request,
# and the clean-up of all of it at the end.
SCREEN=1920x1200
. "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh" "${BIN:-}"
LOAD=()
busy() { for _ in 1 2; do (while :; do :; done) & LOAD+=($!); done; }
unbusy() { for p in "${LOAD[@]}"; do kill "$p" 2>/dev/null || true; done; LOAD=(); }
# the busy loops first: the desktop's clean-up waits for every child
stop_all() {
    local status=$?
    unbusy
    (exit "$status")
    cleanup
}
trap stop_all EXIT
start_desktop
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$WORK
