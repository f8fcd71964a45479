#!/usr/bin/env bash
# A settings file with a style outside 0 to 8: the run-time error message, then
# the program ends with a non-zero status and writes nothing.
. "$(dirname "$0")/lib.sh" "$1"
start_desktop
write_settings " 12 " " 0 " " 333 " " 9 " " 0 " " 0 " " 300 " " 3300 " "Anlage" " 0 " " 0 " " 0 " " 0 " "False"
before=$(md5sum <"$APPDIR/Quendrasil.ini")
watch_files
start_app

# the message box: a window of that name with a real size
message_box() {
    local id
    for id in $(xdotool search --onlyvisible --name "^Quendrasil$" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        [ "$WIDTH" -gt 100 ] && [ "$HEIGHT" -gt 50 ] && { echo "$id"; return 0; }
    done
    return 1
}
wait_for 'message_box >/dev/null' 10 || fail "no run-time error message"
xdotool windowactivate --sync "$(message_box)" key Return
status=0
wait_exit || status=$?
[ "$status" -ne 0 ] || fail "the program ended with status 0 after a run-time error"
[ "$(md5sum <"$APPDIR/Quendrasil.ini")" = "$before" ] || fail "the settings file was changed"
[ "$(settings_writes)" -eq 0 ] || fail "the settings file was written"
[ ! -e "$APPDIR/Uhrzeit.txt" ] || fail "a time file was written"
echo "PASS runtime_error"
