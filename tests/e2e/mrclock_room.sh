#!/usr/bin/env bash
# The clocks of a layout room by MRclock multicast, in a private network
# namespace. A master's datagrams are read by a strict-order receiver and a
# lenient one. A follower of a command station (speed 6, a name of its own,
# a datagram every few seconds) shows the station's time, ignores another
# clock and a burst of malformed datagrams, and says the ratio. A follower
# given no name lists the clocks it hears. A bridge follows the station and
# shows the same time in its MQTT topic and its web page.
. "$(dirname "$0")/mrclock_lib.sh" "$@"
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
. "$HERE/mqtt_lib.sh"
PEER="python3 $HERE/mrclock_peer.py"
start_desktop

# the master: time base 20 ms, so speed 50 and a fast minute every 1.2 s
write_settings " 12 " " 0 " " 20 " " 4 " " 4500 " " 3000 " " 300 " " 3300 " $'Bw S\xfcd' " 0 " " 0 " " 0 " " 0 " "True"
$PEER strict 10 >"$WORK/strict.out" 2>&1 &
STRICT=$!
PIDS+=($!)
$PEER lenient 10 >"$WORK/lenient.out" 2>&1 &
LENIENT=$!
PIDS+=($!)
wait_for "grep -q listening $WORK/strict.out && grep -q listening $WORK/lenient.out" 10 || fail "the receivers do not listen"
start_instance master --publish "mrclock:///Anlage"
wait_for "status_of $master_PID | grep -q 'sendet die MRclock-Uhr'" 10 || fail "the master: $(status_of "$master_PID")"
# a datagram of the clock before Start, read by both
wait_for "[ \$(wc -l <$WORK/strict.out) -ge 2 ] && [ \$(wc -l <$WORK/lenient.out) -ge 2 ]" 10 ||
    fail "the receivers read nothing before Start"
keys_to "$master_PID" alt+a
advances master 4 || fail "the master's clock does not run"
wait_for "! kill -0 $STRICT 2>/dev/null && ! kill -0 $LENIENT 2>/dev/null" 15
for r in strict lenient; do
    ! grep -q REFUSED "$WORK/$r.out" || fail "the $r receiver refused: $(grep REFUSED "$WORK/$r.out" | head -n 3)"
    sed -n 2p "$WORK/$r.out" | grep -q '^Anlage [0-9:]* no 50 Bw Süd$' || fail "$r, before Start: $(sed -n 2p "$WORK/$r.out")"
    [ "$(grep -c '^Anlage 12:0[0-9]:[0-9][0-9] yes 50 Bw Süd$' "$WORK/$r.out")" -ge 2 ] ||
        fail "$r, running: $(cat "$WORK/$r.out")"
    last=$(tail -n1 "$WORK/$r.out" | cut -d' ' -f2)
    [ $((10#${last:3:2} + 720 - $(minute_of master))) -ge -3 ] || fail "$r read $last, the master is at $(minute_of master)"
done
kill "$master_PID"

# a command station at speed 6 from 06:00, another clock at 18:00
$PEER station Z21 06:00 6 3 &
PIDS+=($!)
STATION_START=$SECONDS
$PEER station Fremd 18:00 1 1 &
PIDS+=($!)
write_settings " 7 " " 30 " " 250 " " 4 " " 4500 " " 9000 " " 9000 " " 3300 " "Bahnhof" " 0 " " 0 " " 0 " " 0 " "True"
start_instance follower --follow "mrclock:///Z21"
start_instance anyone --follow "mrclock://239.50.50.20:2000/"
wait_for "[ -n \"\$(minute_of follower)\" ]" 10 || fail "the follower shows no time: $(status_of "$follower_PID")"
status_of "$follower_PID" | grep -q 'folgt der MRclock-Uhr „Z21“ (1:6)' || fail "the follower's caption: $(status_of "$follower_PID")"
wait_for "status_of $anyone_PID | grep -q 'mehrere MRclock-Uhren (Fremd, Z21)'" 5 ||
    fail "the follower of no name: $(status_of "$anyone_PID")"

# the station's time (speed 6 from 06:00), give or take a minute
station_minute() { echo $((360 + (SECONDS - STATION_START) / 10)); }
near_station() {
    local f s
    f=$(minute_of "${1:-follower}")
    s=$(station_minute)
    [ $((f - s)) -le 1 ] && [ $((s - f)) -le 1 ] || { echo "${1:-follower} at $f, station at $s" >&2; return 1; }
}
near_station || fail "the follower is not at the station's time"

# a burst of malformed datagrams: ignored, said once, the clock goes on
$PEER burst 300
advances follower 12 || fail "the follower stopped after the burst"
near_station || fail "the follower jumped after the burst"
kill -0 "$follower_PID" || fail "the follower ended"
[ "$(grep -c 'verworfen' "$WORK/follower.log")" -eq 1 ] || fail "malformed datagrams said $(grep -c verworfen "$WORK/follower.log") times"

# the bridge: a follower of the station publishes over MQTT and serves the web
# page; the time file, the MQTT time topic and the page show the same minute
start_broker
WEB_PORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
start_instance bridge --follow "mrclock:///Z21" --publish "mqtt://127.0.0.1:$BROKER_PORT/Bruecke" --web "127.0.0.1:$WEB_PORT"
wait_for "[ -n \"\$(minute_of bridge)\" ]" 10 || fail "the bridge shows no time: $(status_of "$bridge_PID")"
three_minutes() {
    local mqtt web
    mqtt=$(mosquitto_sub -p "$BROKER_PORT" -t quendrasil/Bruecke/time -C 1 -W 3 | tr -d ':')
    web=$(python3 -c 'import json, sys, urllib.request
t = json.load(urllib.request.urlopen("http://127.0.0.1:%s/state" % sys.argv[1], timeout=3))["time"]
print("%02d%02d" % (t // 3600, t // 60 % 60))' "$WEB_PORT")
    echo "$(tr -d ':\r\n' <"$WORK/bridge/Uhrzeit.txt") $mqtt $web"
}
wait_for '[ "$(three_minutes | tr " " "\n" | sort -u | wc -l)" = 1 ]' 15 || fail "time file, MQTT and page: $(three_minutes)"
near_station bridge || fail "the bridge is not at the station's time"
echo "PASS mrclock_room"
