#!/usr/bin/env bash
# No settings file: the message, then the control window and the round clock;
# Alt+E quits and leaves a 28-line settings file with the defaults. Files the
# user keeps beside the program stay, whatever their names. A second copy in
# the same folder says so and ends without writing; a copy in another folder
# runs beside the first; a copy killed earlier does not keep the folder.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_desktop
USER_FILES=(Quendrasil.ini.240101 Quendrasil.ini.BACKUP Quendrasil.ini.Alt123 Quendrasil.ini.a1b2c3
    Quendrasil.ini.backup Uhrzeit.txt.200101 Uhrzeit.txt.backup)
for f in "${USER_FILES[@]}"; do echo "$f" >"$APPDIR/$f"; done
: >"$APPDIR/.Quendrasil.ini.quendrasil-tmp-Ab12Cd" # what a killed save left
watch_files
start_app

msg=$(wait_window "Datei nicht gefunden")
[ "$(xdotool getwindowname "$msg")" = " Datei nicht gefunden..." ] || fail "message title: '$(xdotool getwindowname "$msg")'"
xdotool windowactivate --sync "$msg" key Return

cfg=$(wait_window "^ Quendrasil-Konfiguration$")
wait_window "^Uhr$" >/dev/null
[ "$(settings_writes)" -eq 0 ] || fail "the settings file was created at start-up"
[ ! -e "$APPDIR/.Quendrasil.ini.quendrasil-tmp-Ab12Cd" ] || fail "the leftover of a killed save is still there"

# a second copy in the same folder: the message, then it ends unwritten
(cd "$APPDIR" && QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$WORK" exec ./quendrasil >"$WORK/second.log" 2>&1) &
second=$!
msg=$(wait_window "^ Quendrasil läuft schon\.\.\.$" 20)
xdotool windowactivate --sync "$msg" key Return
wait_for "! kill -0 $second 2>/dev/null" 10 || fail "the second copy did not end"
status=0
wait "$second" || status=$?
[ "$status" -eq 1 ] || fail "the second copy ended with $status"
# a copy in another folder runs beside the first
mkdir "$WORK/other"
cp "$BIN" "$WORK/other/quendrasil"
(cd "$WORK/other" && QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$WORK" exec ./quendrasil >"$WORK/other.log" 2>&1) &
other=$!
PIDS+=("$other")
wait_for "xdotool search --onlyvisible --pid $other --name 'Datei nicht gefunden' >/dev/null 2>&1" 20 ||
    fail "the copy in another folder does not start"
kill "$other"
wait "$other" || true

quit_app
[ "$(settings_writes)" -eq 1 ] || fail "settings written $(settings_writes) times"
[ "$(grep -c $'\r$' "$APPDIR/Quendrasil.ini")" -eq 28 ] || fail "not 28 lines"
[ "$(setting 1)" = " 12 " ] || fail "start hour '$(setting 1)'"
[ "$(setting 2)" = " 0 " ] || fail "start minute '$(setting 2)'"
[ "$(setting 3)" = " 333 " ] || fail "time base '$(setting 3)'"
[ "$(setting 4)" = " 0 " ] || fail "style '$(setting 4)'"
[ "$(setting 9)" = "Quendrasil" ] || fail "title '$(setting 9)'"
[ "$(setting 14)" = "False" ] || fail "time file flag '$(setting 14)'"
for f in "${USER_FILES[@]}"; do
    [ "$(cat "$APPDIR/$f" 2>/dev/null)" = "$f" ] || fail "the user's file $f is gone or changed"
done
[ ! -e "$APPDIR/.Quendrasil.lock" ] || fail "the lock file stayed"
[ -z "$(ls -A "$WORK/other" | grep -v '^quendrasil$')" ] || fail "the copy in another folder wrote: $(ls -A "$WORK/other")"

# a copy killed outright leaves its lock behind; the next start takes it over
start_app
cfg=$(wait_window "^ Quendrasil-Konfiguration$" 20)
kill -KILL "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
[ -e "$APPDIR/.Quendrasil.lock" ] || fail "no lock file while the program ran"
start_app
cfg=$(wait_window "^ Quendrasil-Konfiguration$" 20)
[ -z "$(window_named "läuft schon")" ] || fail "a killed copy keeps the folder"
quit_app
for f in "${USER_FILES[@]}"; do [ -e "$APPDIR/$f" ] || fail "the user's file $f is gone"; done
echo "PASS startup_without_settings"
