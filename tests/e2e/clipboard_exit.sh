#!/usr/bin/env bash
# Text pasted into the title box from another program's clipboard, three
# times, then once a text so long that it comes over in pieces; the program
# then owns both selections itself when it quits. It ends with 0 and writes
# the settings once (the sanitized build runs this too, where any report
# fails the run).
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
command -v xclip >/dev/null 2>&1 || fail "xclip is missing (./test installs it)"
start_desktop
write_settings " 12 " " 0 " " 333 " " 5 " " 9000 " " 1500 " " 300 " " 3300 " "Anlage" " 0 " " 0 " " 0 " " 0 " "False"
watch_files
start_app
disp=$(wait_window "^Anlage$")
[ -n "$disp" ] || fail "no display window"

# another program offers TEXT on the clipboard until it is ended
offer() {
    printf '%s' "$1" >"$WORK/clip"
    xclip -quiet -selection clipboard -i "$WORK/clip" >/dev/null 2>&1 &
    PIDS+=($!)
    wait_for '[ "$(xclip -o -selection clipboard 2>/dev/null | head -c 20)" = "$(head -c 20 "$WORK/clip")" ]' 5 ||
        fail "xclip does not offer the clipboard"
}

cfg=$(activate_config)
read -r cx cy < <(client_pos "$cfg")
xdotool mousemove $((cx + 70)) $((cy + 282)) click 1 # into txtTitel
sleep 0.3
xdotool key --window "$cfg" ctrl+a BackSpace
offer "Zug 1"
for _ in 1 2 3; do
    xdotool key --window "$cfg" ctrl+v
    sleep 0.3
done
# about 300 KB: more than one X request carries, so it comes in pieces
offer "$(head -c 300000 /dev/zero | tr '\0' 'x')"
xdotool key --window "$cfg" ctrl+v
sleep 1
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended while text was pasted"
# the program owns the primary selection and the clipboard when it quits
xdotool key --window "$cfg" ctrl+a ctrl+c
sleep 0.3
quit_app
[ "$(settings_writes)" -eq 1 ] || fail "settings written $(settings_writes) times"
case "$(setting 9)" in
"Zug 1Zug 1Zug 1"*) ;;
*) fail "title '$(setting 9 | head -c 40)'" ;;
esac
echo "PASS clipboard_exit"
