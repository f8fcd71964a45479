#!/usr/bin/env bash
# Windows that openbox minimizes although they have no minimize box come back
# at once: the control window, and a small display window while the control
# window is hidden (else the program would run on unseen, with no way out).
# The large analog clock, which has a minimize box, stays minimized until the
# control window shows it again.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_with " 10 " " 8 " " 100 " " 6 " " 3000 " " 1500 " " 9000 " " 1500 " "Anlage" " 7500 " " 6000 " " 0 " " 0 " "False"

minimized() {
    xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_HIDDEN ||
        ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable
}

# minimizes window $1 and waits until it is back to normal
comes_back() {
    xdotool windowminimize "$1"
    wait_for "minimized $1" 3 || true
    wait_for "! minimized $1" 5 || fail "$2 stays minimized"
}

cfg=$(wait_window "^ Quendrasil-Konfiguration$")
led=$(wait_sized 129x49)
comes_back "$cfg" "the control window"
comes_back "$led" "frmLED beside the control window"

start_clock
comes_back "$led" "frmLED while the control window is hidden"
xprop -id "$led" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "frmLED no longer stays on top"
read -r x y w h < <(client_rect "$led")
double_click $((x + 20)) $((y + 20))
wait_for config_shown 5 || fail "the returned frmLED does not bring the control window back"
echo "PASS minimize"
