#!/usr/bin/env bash
# A master and a follower on one desktop with a private broker: the follower
# shows "no time" before the master starts; started late, it shows the
# master's time; hold and continue on the master hold and continue it; when
# the master is killed, "online" goes false and the follower runs on and
# says it lost the master. Each says what it does in its status line. The follower's settings file keeps its own values.
# A follower over TLS takes a club's own certificate authority.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
. "$HERE/mqtt_lib.sh"
start_desktop
tls_listener
start_broker
URL="mqtt://127.0.0.1:$BROKER_PORT/Anlage"

# time base 20 ms: a fast minute every 1.2 s; master at 300,200, follower at 300,600
write_settings " 12 " " 0 " " 20 " " 4 " " 4500 " " 3000 " " 300 " " 3300 " "Anlage" " 0 " " 0 " " 0 " " 0 " "True"
start_instance master --publish "$URL"
wait_for "[ -n \"\$(control_of $master_PID)\" ]" 10 || fail "the master's control window did not appear"
wait_for "status_of $master_PID | grep -q 'gibt die Uhr'" 5 || fail "the master did not connect: $(status_of "$master_PID")"

# a follower before the master starts has no time
write_settings " 7 " " 30 " " 250 " " 4 " " 4500 " " 9000 " " 9000 " " 3300 " "Bahnhof" " 0 " " 0 " " 0 " " 0 " "True"
start_instance early --follow "$URL"
wait_for "status_of $early_PID | grep -q 'wartet auf die Uhr'" 10 || fail "the early follower: $(status_of "$early_PID")"

keys_to "$master_PID" alt+a
advances master 4 || fail "the master's clock does not run"
wait_for "[ -n \"\$(minute_of early)\" ]" 3 || fail "the early follower did not get the master's time"
in_step master early || fail "the early follower is not in step"

# a follower started late is in step within a second or two (it names the
# broker's computer); one that names an unknown computer says so
start_instance late --follow "mqtt://localhost:$BROKER_PORT/Anlage"
start_instance lost --follow "mqtt://kein-broker.invalid/Anlage"
wait_for "[ -n \"\$(minute_of late)\" ]" 5 || fail "the late follower shows no time"
in_step master late 20 || fail "the late follower is not in step"
status_of "$late_PID" | grep -q 'folgt der Uhr' || fail "the late follower's caption: $(status_of "$late_PID")"
wait_for "status_of $lost_PID | grep -q 'nicht erreichbar'" 10 || fail "the follower of an unknown computer: $(status_of "$lost_PID")"
kill "$lost_PID"

# over TLS: a follower that trusts the club's authority is in step; one that
# knows only the system's certificates refuses the broker and shows no time
TLS_URL="mqtts://127.0.0.1:$TLS_PORT/Anlage"
SSL_CERT_FILE=$WORK/ca.pem start_instance tls --follow "$TLS_URL"
start_instance untrusting --follow "$TLS_URL"
wait_for "[ -n \"\$(minute_of tls)\" ]" 5 || fail "the follower over TLS shows no time: $(status_of "$tls_PID")"
in_step master tls || fail "the follower over TLS is not in step"
wait_for "status_of $untrusting_PID | grep -q 'nicht erreichbar'" 10 || fail "the untrusting follower: $(status_of "$untrusting_PID")"
[ -z "$(minute_of untrusting)" ] || fail "the untrusting follower shows a time"
kill "$tls_PID" "$untrusting_PID"

# Start and "<<" are off in a follower
keys_to "$late_PID" alt+a
sleep 0.5
[ -n "$(control_of "$late_PID")" ] || fail "Alt+A started the follower"

# hold on the master (its control window comes back by a double-click)
double_click 305 220
keys_to "$master_PID" alt+h
held_state() { mosquitto_sub -p "$BROKER_PORT" -t quendrasil/Anlage/state -C 1 -W 2 | grep -q '"running":false'; }
wait_for held_state 10 || fail "the master did not publish its hold"
held=$(minute_of master)
sleep 2
[ "$(minute_of master)" = "$held" ] || fail "the master did not hold"
[ "$(minute_of late)" = "$held" ] || fail "the follower shows $(minute_of late) while the master holds at $held"
[ "$(minute_of early)" = "$held" ] || fail "the early follower shows $(minute_of early) while the master holds at $held"
# the follower says so in its status line and its display window's caption;
# the control window's caption stays the plain one
wait_for "status_of $late_PID | grep -q '^folgt der Uhr „Anlage“ – angehalten'" 3 || fail "the held follower: $(status_of "$late_PID")"
xdotool search --all --pid "$late_PID" --name ' – angehalten$' >/dev/null || fail "the follower's display caption has no 'angehalten'"
[ "$(caption_of "$late_PID")" = " Quendrasil-Konfiguration" ] || fail "the follower's caption: $(caption_of "$late_PID")"
# a follower started while its master holds shows the held time on its web
# page too, not "noch nicht gestartet"
WEB_PORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
start_instance heldweb --follow "$URL" --web "127.0.0.1:$WEB_PORT"
wait_for "status_of $heldweb_PID | grep -q '– angehalten'" 10 || fail "the held follower with a page: $(status_of "$heldweb_PID")"
page=$(python3 -c 'import json, sys
sys.path.insert(0, sys.argv[1])
import webtool
s = json.loads(webtool.ws_recv(webtool.ws_open(int(sys.argv[2]), "/live")))
print(s["started"], s["time"] // 60, s["running"])' "$HERE/../web" "$WEB_PORT")
[ "$page" = "True $held False" ] || fail "the held follower's page: $page (held at $held)"
kill "$heldweb_PID"
keys_to "$master_PID" alt+w
advances late 4 || fail "the follower did not continue"
wait_for "status_of $late_PID | grep -q '– läuft$'" 3 || fail "the running follower: $(status_of "$late_PID")"
in_step master late || fail "the follower is not in step after continue"

# the master killed: online false, the follower runs on and says so
kill -9 "$master_PID"
# (the broker may hand out the retained "true" until it has seen the connection go)
online_is() { [ "$(mosquitto_sub -p "$BROKER_PORT" -t quendrasil/Anlage/online -C 1 -W 2)" = "$1" ]; }
wait_for 'online_is false' 10 || fail "online is not 'false' after the master was killed"
wait_for "status_of $late_PID | grep -q 'verloren'" 5 || fail "the follower's caption: $(status_of "$late_PID")"
advances late 4 || fail "the follower stopped with its master"
# a master started anew: "verloren" lasts until its first state
start_instance again --publish "$URL"
keys_to "$again_PID" alt+a
wait_for "status_of $late_PID | grep -q '^folgt der Uhr „Anlage“ – läuft'" 10 || fail "the follower of a new master: $(status_of "$late_PID")"

# quitting the follower saves its own start time and time base
keys_to "$late_PID" alt+e
wait_for "! kill -0 $late_PID 2>/dev/null" 5 || fail "the follower did not end"
tr -d '\r' <"$WORK/late/Quendrasil.ini" | sed -n '2p;4p;6p' | tr '\n' '|' | grep -qx ' 7 | 30 | 250 |' ||
    fail "the follower saved $(tr -d '\r' <"$WORK/late/Quendrasil.ini" | sed -n '2p;4p;6p' | tr '\n' '|')"
echo "PASS network_follow"
