#!/usr/bin/env bash
# How often a follower knocks at a broker it cannot use: connection attempts
# per minute against a stopped broker (a port on loopback that closes every
# connection at once, counted by a small listener) and against a broker that
# refuses the login (mosquitto with a password file, counted in its log).
#   bench/reconnects.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
BUILD=$(readlink -f "${1:-build}")
SECS=${2:-60}
BIN=$BUILD/quendrasil
[ -x "$BIN" ] || { echo "build first: $BIN is missing" >&2; exit 1; }
. "$(dirname "$0")/desktop.sh"
. "$HERE/e2e_extra.sh"
. "$HERE/mqtt_lib.sh"

free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }

# follower URL: the program in its own folder, following for SECS seconds
follower() {
    write_settings 6 0 1000 4 300 300 6000 300 f 0 0 0 0 False
    QUENDRASIL_MQTT_PASSWORD=falsch start_instance f --follow "$1"
    sleep "$SECS"
    kill "$f_PID" 2>/dev/null || true
    wait "$f_PID" 2>/dev/null || true
}

# a stopped broker: every connection is closed at once, and counted
PORT=$(free_port)
python3 - "$PORT" "$WORK/closed" <<'PY' &
import socket, sys
s = socket.socket()
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(("127.0.0.1", int(sys.argv[1])))
s.listen(64)
n = 0
while True:
    c, _ = s.accept()
    c.close()
    n += 1
    with open(sys.argv[2], "w") as f:
        print(n, file=f)
PY
PIDS+=($!)
wait_for '[ -n "$(ss -ltnH "sport = :$PORT")" ]' 10 || fail "the listener did not start"
follower "mqtt://127.0.0.1:$PORT/Bench"
stopped=$(cat "$WORK/closed" 2>/dev/null || echo 0)

# a broker that refuses the login (the connections of the probe of its start not counted)
mosquitto_passwd -c -b "$WORK/passwd" bench richtig 2>/dev/null
printf 'user root\nlistener %s 127.0.0.1\nallow_anonymous false\npassword_file %s\nlog_dest file %s\nlog_type all\n' \
    "$BROKER_PORT" "$WORK/passwd" "$WORK/connections.log" >"$WORK/mosquitto.conf"
BROKER_LOGIN=(-u bench -P richtig)
start_broker
probes=$(grep -c 'New connection from' "$WORK/connections.log" || true)
follower "mqtt://bench@127.0.0.1:$BROKER_PORT/Bench"
refused=$(($(grep -c 'New connection from' "$WORK/connections.log" || true) - probes))

echo "connection attempts in $SECS s: stopped broker $stopped, refused login $refused"
