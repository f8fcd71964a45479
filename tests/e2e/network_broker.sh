#!/usr/bin/env bash
# The broker misbehaves: a master started without a broker says so once and
# runs as a plain clock until the broker comes; a broker killed and restarted
# costs the follower nothing and both are in step again at once; a burst of
# 1,000 malformed payloads on the state topic leaves the follower running and
# on time; a stopped broker (SIGSTOP) does not slow the master's fast time,
# nor does a name server that answers late.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
. "$HERE/mqtt_lib.sh"
SLOW_LOOKUP=$(readlink -f "$2")
start_desktop
URL="mqtt://127.0.0.1:$BROKER_PORT/Anlage"

# keeps_pace NAME SECONDS: at 20 ms the time file of NAME advances a fast
# minute per 1.2 s, give or take one
keeps_pace() {
    local first last t0 t1 ideal
    first=$(minute_of "$1")
    t0=$(date +%s%N)
    sleep "$2"
    last=$(minute_of "$1")
    t1=$(date +%s%N)
    ideal=$(((t1 - t0) / 1000000 / 20 / 60))
    [ $((last - first)) -ge $((ideal - 1)) ] || { echo "$1 advanced $((last - first)) minutes, not $ideal" >&2; return 1; }
}

# time base 20 ms: a fast minute every 1.2 s. The master names the broker by a
# name that takes two seconds to look up while $WORK/slow exists.
write_settings " 12 " " 0 " " 20 " " 4 " " 4500 " " 3000 " " 300 " " 3300 " "Anlage" " 0 " " 0 " " 0 " " 0 " "True"
touch "$WORK/slow"
LD_PRELOAD=$SLOW_LOOKUP QUENDRASIL_SLOW_LOOKUP=$WORK/slow start_instance master --publish "mqtt://slow.invalid:$BROKER_PORT/Anlage"
box=$(wait_window "^ Broker nicht erreichbar$")
for _ in 1 2 3 4 5; do
    box=$(window_named "^ Broker nicht erreichbar$" || true)
    [ -z "$box" ] && break
    activate "$box" || true
    xdotool key Return 2>/dev/null || true
    wait_for '[ -z "$(window_named "^ Broker nicht erreichbar$")" ]' 2 || true
done
[ -z "$(window_named "^ Broker nicht erreichbar$" || true)" ] || fail "the message box stays"
status_of "$master_PID" | grep -q 'nicht erreichbar' || fail "the master's caption: $(status_of "$master_PID")"
keys_to "$master_PID" alt+a
advances master 4 || fail "the master does not run without a broker"
keeps_pace master 6 || fail "looking up the broker's name slowed the master"
rm "$WORK/slow"

# the broker has been away for more than ten seconds: the master tries every 5 to 10 s
start_broker
wait_for "status_of $master_PID | grep -q 'gibt die Uhr'" 15 || fail "the master did not connect: $(status_of "$master_PID")"
write_settings " 7 " " 30 " " 250 " " 4 " " 4500 " " 9000 " " 9000 " " 3300 " "Bahnhof" " 0 " " 0 " " 0 " " 0 " "True"
start_instance follower --follow "$URL"
wait_for "[ -n \"\$(minute_of follower)\" ]" 5 || fail "the follower shows no time"
in_step master follower || fail "the follower is not in step"

# the broker killed: the follower runs on by itself; restarted: in step again
stop_broker
wait_for "status_of $follower_PID | grep -q 'nicht erreichbar'" 5 || fail "the follower's caption: $(status_of "$follower_PID")"
advances follower 4 || fail "the follower stopped with the broker"
start_broker
wait_for "status_of $follower_PID | grep -q '^folgt'" 3 ||
    fail "the follower did not come back: $(status_of "$follower_PID")"
state=$(mosquitto_sub -p "$BROKER_PORT" -t quendrasil/Anlage/state -C 1 -W 3)
[[ "$state" == *'"running":true'* ]] || fail "the master did not publish again: '$state'"
in_step master follower 20 || fail "not in step after the broker's restart"

# 1,000 malformed payloads, some oversized, in one burst
python3 - >"$WORK/fuzz" <<'PY'
import json, random
random.seed(11)
good = {"format": 1, "time": 3600, "timebase": 20, "running": True, "title": "x", "seq": 1}
bad = {"format": [0, 2, "1", None, 1.5], "time": [-1, 86400, 1e300, "12", 12.5, None, []],
       "timebase": [9, 0, 1e12, "250", None], "running": [1, "true", None, {}],
       "title": [5, None, "x" * 1001], "seq": [-3, 1e17, "7", 1.5]}
for i in range(1000):
    kind = i % 5
    if kind == 0:
        print("".join(chr(random.randint(33, 126)) for _ in range(random.randint(1, 60))))
    elif kind == 1:
        s = json.dumps(good)
        print(s[: random.randint(1, len(s) - 1)])
    elif kind == 2:
        d = dict(good, seq=10**15 + i)
        field = random.choice(list(good))
        d[field] = random.choice(bad[field])
        print(json.dumps(d))
    elif kind == 3:
        print(json.dumps(dict(good, format=0, seq=10**15 + i)))
    else:
        print('{"pad":"' + "a" * 5000 + '"}')
PY
mosquitto_pub -p "$BROKER_PORT" -t quendrasil/Anlage/state -l <"$WORK/fuzz" || fail "could not send the payloads"
wait_for "grep -q 'Nachricht auf .* verworfen' '$WORK/follower.log'" 10 || fail "the follower did not log the payloads"
in_step master follower 20 || fail "not in step after the payloads"
kill -0 "$follower_PID" || fail "the follower died of the payloads"
[ "$(grep -c 'Nachricht auf .* verworfen' "$WORK/follower.log")" -eq 1 ] || fail "not logged once: $(grep -c 'verworfen' "$WORK/follower.log")"

# a stopped broker does not slow the master
kill -STOP "$BROKER_PID"
keeps_pace master 6 || fail "the stopped broker slowed the master"
kill -CONT "$BROKER_PID"
in_step master follower || fail "not in step after the stopped broker"
echo "PASS network_broker"
