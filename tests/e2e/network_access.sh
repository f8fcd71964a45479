#!/usr/bin/env bash
# A broker that checks who may do what: only the master's user may write the
# clock's topics, followers may only read. The master takes its password from
# the environment, followers from a file or from the URL (with a warning); no
# password is ever printed; a refused login says "Anmeldung am MQTT-Broker …
# abgelehnt" in the status line. Started without a terminal, a port already
# taken is said in a message box too. A
# follower's user cannot publish a state; a second sender with the master's
# user is shown by master and follower, and the follower is back with its
# master at the master's next state.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
. "$HERE/mqtt_lib.sh"
command -v mosquitto_passwd >/dev/null 2>&1 || fail "'mosquitto_passwd' is missing (./test installs it)"
start_desktop

mosquitto_passwd -c -b "$WORK/passwd" leit 'geheim-leit' 2>/dev/null
mosquitto_passwd -b "$WORK/passwd" folger 'geheim-folger' 2>/dev/null
printf 'user leit\ntopic readwrite quendrasil/Anlage/#\n\nuser folger\ntopic read quendrasil/Anlage/#\n' >"$WORK/acl"
chmod 600 "$WORK/passwd" "$WORK/acl"
# the broker stays root to read the files in $WORK
printf 'user root\nlistener %s 127.0.0.1\nallow_anonymous false\npassword_file %s\nacl_file %s\npersistence false\n' \
    "$BROKER_PORT" "$WORK/passwd" "$WORK/acl" >"$WORK/mosquitto.conf"
BROKER_LOGIN=(-u folger -P geheim-folger)
start_broker
HOST="127.0.0.1:$BROKER_PORT"
FOLLOWER=(-u folger -P geheim-folger)
MASTER=(-u leit -P geheim-leit)

# a mistyped address is echoed without its password
if QT_QPA_PLATFORM=offscreen "$BIN" --follow "mqtt://folger:geheim-folger@[$HOST/Anlage" >"$WORK/typo.log" 2>&1; then
    fail "a mistyped address was taken"
fi
grep -q 'folger:\*\*\*@' "$WORK/typo.log" || fail "the mistyped address: $(cat "$WORK/typo.log")"
# a name with "#" is refused, not cut
QT_QPA_PLATFORM=offscreen "$BIN" --follow "mqtt://$HOST/Anlage#x" >"$WORK/name.log" 2>&1 && fail "a name with # was taken"
grep -q 'darf weder' "$WORK/name.log" || fail "the name with #: $(cat "$WORK/name.log")"

# started from the menu (standard error not a terminal): a start-up error in
# a message box as well, with the same exit status; --version and --help
"$BIN" --version | grep -qx "Quendrasil ${QUENDRASIL_VERSION:?}" || fail "--version: $("$BIN" --version)"
[ "$("$BIN" --help | LC_ALL=C.UTF-8 wc -L)" -le 80 ] || fail "--help is wider than 80 columns"
(QT_QPA_PLATFORM=xcb "$BIN" --web "127.0.0.1:$BROKER_PORT" 2>"$WORK/taken.log" && echo 0 >"$WORK/taken.status" || echo $? >"$WORK/taken.status") &
PIDS+=("$!")
box=$(wait_window "^ Quendrasil$")
for _ in 1 2 3 4 5; do
    [ -s "$WORK/taken.status" ] && break
    activate "$box" || true
    xdotool key Return 2>/dev/null || true
    wait_for "[ -s '$WORK/taken.status' ]" 2 || true
done
wait_for "[ -s '$WORK/taken.status' ]" 5 || fail "the program did not end after its message box"
[ "$(cat "$WORK/taken.status")" = 2 ] || fail "exit status $(cat "$WORK/taken.status") for a taken port"
grep -q 'Der Port ist schon belegt' "$WORK/taken.log" || fail "the taken port: $(cat "$WORK/taken.log")"

# time base 20 ms: a fast minute every 1.2 s
write_settings " 12 " " 0 " " 20 " " 4 " " 4500 " " 3000 " " 300 " " 3300 " "Anlage" " 0 " " 0 " " 0 " " 0 " "True"
QUENDRASIL_MQTT_PASSWORD=geheim-leit start_instance master --publish "mqtt://leit@$HOST/Anlage"
wait_for "status_of $master_PID | grep -q 'gibt die Uhr'" 10 || fail "the master did not log in: $(status_of "$master_PID")"
keys_to "$master_PID" alt+a
advances master 4 || fail "the master's clock does not run"

write_settings " 7 " " 30 " " 250 " " 4 " " 4500 " " 9000 " " 9000 " " 3300 " "Bahnhof" " 0 " " 0 " " 0 " " 0 " "True"
printf 'geheim-folger\n' >"$WORK/own.pw"
chmod 600 "$WORK/own.pw"
cp "$WORK/own.pw" "$WORK/shared.pw"
chmod 644 "$WORK/shared.pw"
start_instance datei --follow "mqtt://folger@$HOST/Anlage" --password-file "$WORK/own.pw"
start_instance offen --follow "mqtt://folger@$HOST/Anlage" --password-file "$WORK/shared.pw"
start_instance url --follow "mqtt://folger:geheim-folger@$HOST/Anlage"
QUENDRASIL_MQTT_PASSWORD=falsch start_instance falsch --follow "mqtt://folger@$HOST/Anlage"
for f in datei offen url; do
    wait_for "[ -n \"\$(minute_of $f)\" ]" 10 || fail "the follower '$f' shows no time: $(status_of "$(eval echo "\$${f}_PID")")"
    in_step master "$f" || fail "the follower '$f' is not in step"
done
wait_for "status_of $falsch_PID | grep -q 'Anmeldung am MQTT-Broker .* abgelehnt'" 10 || fail "the refused follower: $(status_of "$falsch_PID")"
[ -z "$(minute_of falsch)" ] || fail "the refused follower shows a time"
! grep -q Warnung "$WORK/datei.log" || fail "the follower with its own file warned: $(cat "$WORK/datei.log")"
grep -q 'andere Benutzer können die Passwortdatei' "$WORK/offen.log" || fail "no warning of the readable file"
grep -q 'Passwort in der Adresse' "$WORK/url.log" || fail "no warning of the password in the URL"
! grep -q 'geheim\|falsch' "$WORK"/*.log || fail "a password was printed: $(grep 'geheim\|falsch' "$WORK"/*.log)"

# a master with a wrong password is told so in a message box
write_settings " 12 " " 0 " " 20 " " 4 " " 4500 " " 3000 " " 600 " " 3300 " "Anlage" " 0 " " 0 " " 0 " " 0 " "True"
QUENDRASIL_MQTT_PASSWORD=falsch start_instance abgelehnt --publish "mqtt://leit@$HOST/Anlage"
wait_window "^ Anmeldung abgelehnt$" >/dev/null || fail "no message box for the refused master"
status_of "$abgelehnt_PID" | grep -q 'Anmeldung am MQTT-Broker .* abgelehnt' || fail "the refused master: $(status_of "$abgelehnt_PID")"
kill "$abgelehnt_PID" "$falsch_PID"

# the follower's user cannot publish a state: the broker drops it
FORGED='{"format":1,"time":100,"timebase":20,"running":true,"title":"x","seq":9007199254740000,"session":"fremd"}'
mosquitto_pub -p "$BROKER_PORT" "${FOLLOWER[@]}" -t quendrasil/Anlage/state -r -m "$FORGED" || true
sleep 1
in_step master datei || fail "a state of the follower's user reached the follower"
mosquitto_sub -p "$BROKER_PORT" "${FOLLOWER[@]}" -t quendrasil/Anlage/state -C 1 -W 3 | grep -q fremd &&
    fail "the broker kept the follower's state"

# a second sender (the master's user on another computer) is seen by both,
# and one forged state holds the follower no longer than the master's next
seq=$(mosquitto_sub -p "$BROKER_PORT" "${FOLLOWER[@]}" -t quendrasil/Anlage/state -C 1 -W 3 | sed -n 's/.*"seq":\([0-9]*\).*/\1/p')
[ -n "$seq" ] || fail "no state of the master"
mosquitto_pub -p "$BROKER_PORT" "${MASTER[@]}" -t quendrasil/Anlage/state -m "${FORGED/9007199254740000/$((seq + 50))}" ||
    fail "the master's user cannot publish"
wait_for "status_of $datei_PID | grep -q 'zwei Rechner'" 15 || fail "the follower shows no second sender: $(status_of "$datei_PID")"
wait_for "status_of $master_PID | grep -q 'zwei Rechner'" 5 || fail "the master shows no second sender: $(status_of "$master_PID")"
in_step master datei 5 || fail "the follower stays with the forged state"
echo "PASS network_access"
