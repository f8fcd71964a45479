#!/usr/bin/env bash
# An empty title (an empty line 18 in the settings file) gives the titled
# display windows an empty caption on the desktop, not the program's name.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_desktop

# style and client size of the windows that show the title
for case in "1 134x135" "3 109x46" "5 122x45" "7 494x375"; do
    read -r style size <<<"$case"
    write_settings " 10 " " 8 " " 100 " " $style " " 3000 " " 1500 " " 9000 " " 1500 " "" " 7500 " " 6000 " " 0 " " 0 " "False"
    start_app
    win=$(wait_sized "$size")
    sleep 0.3
    name=$(xprop -id "$win" _NET_WM_NAME WM_NAME _NET_WM_VISIBLE_NAME 2>&1)
    # xprop shows an empty text as nothing after the equals sign
    # (openbox itself then shows "Unnamed Window", its own choice)
    [ "$(grep -c '^_NET_WM_NAME(UTF8_STRING) = $' <<<"$name")" = 1 ] &&
        [ "$(grep -c '^WM_NAME(STRING) = $' <<<"$name")" = 1 ] ||
        fail "style $style: the caption is not empty: $name"
    kill "$APP_PID"
    wait "$APP_PID" 2>/dev/null || true
    APP_PID=
done
echo "PASS empty_title"
