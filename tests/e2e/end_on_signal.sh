#!/usr/bin/env bash
# A logout or shutdown stops the program with a signal: SIGTERM while the clock
# runs saves the session (the changed time base, the time reached) once and
# ends with 0; SIGHUP and SIGINT do the same. A signal while the message about
# the missing settings file waits ends with 0 and writes no file.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_desktop

# ends the program with signal $1, checks status 0 and the number of saves $2
end_with() {
    local status=0
    kill "-$1" "$APP_PID"
    wait_exit || status=$?
    [ "$status" -eq 0 ] || fail "$1: exit status $status"
    [ "$(settings_writes)" -eq "$2" ] || fail "$1: settings written $(settings_writes) times"
}

write_settings " 12 " " 0 " " 10 " " 4 " " 1500 " " 1500 " " 300 " " 3300 " "Anlage" " 0 " " 0 " " 0 " " 0 " "False"
watch_files
start_app
cfg=$(activate_config)
xdotool key --window "$cfg" ctrl+a 1 1 # a new start hour in txtStd
start_clock
sleep 1.5 # the clock passes 11:01 at a time base of 10 ms
end_with TERM 1
[ "$(setting 1)" = " 11 " ] || fail "start hour '$(setting 1)'"
[ "$(setting 12)" = " 11 " ] || fail "last hour '$(setting 12)'"
[ "$(setting 13)" != " 0 " ] || fail "the time reached was not saved"
[ "$(grep -c $'\r$' "$APPDIR/Quendrasil.ini")" -eq 28 ] || fail "not 28 lines"

# counts the saves of the next run only
rewatch() {
    kill "${PIDS[-1]}"
    watch_files
}

for sig in HUP INT; do
    rewatch
    start_app
    cfg=$(wait_window "^ Quendrasil-Konfiguration$")
    end_with "$sig" 1
done

rm "$APPDIR/Quendrasil.ini"
rewatch
start_app
box=$(wait_window "^ Datei nicht gefunden...$")
end_with TERM 0
[ ! -e "$APPDIR/Quendrasil.ini" ] || fail "defaults were saved while the message waited"
echo "PASS end_on_signal"
