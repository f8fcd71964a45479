# shellcheck shell=bash
# Helpers for the tests of the shared clock, sourced after lib.sh and
# e2e_extra.sh: a private broker on a free loopback port, more than one
# instance of the program, each in its own folder, and their time files.

# Debian puts the broker in /usr/sbin, which is not on every user's path
PATH=$PATH:/usr/sbin
for tool in mosquitto mosquitto_sub mosquitto_pub python3; do
    command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: '$tool' is missing (./test installs it)" >&2; exit 1; }
done

BROKER_PID=
BROKER_LOGIN=() # user and password for the probe of a broker that wants them
BROKER_PORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
printf 'listener %s 127.0.0.1\nallow_anonymous true\npersistence false\n' "$BROKER_PORT" >"$WORK/mosquitto.conf"

# tls_listener: a second listener with TLS on TLS_PORT, its certificate for
# 127.0.0.1 signed by a club's own authority in $WORK/ca.pem; before start_broker
TLS_PORT=
tls_listener() {
    command -v openssl >/dev/null 2>&1 || fail "'openssl' is missing (./test installs it)"
    TLS_PORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    (cd "$WORK" &&
        openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -keyout ca.key -out ca.pem \
            -days 2 -subj /CN=Vereins-CA &&
        openssl req -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -keyout broker.key -out broker.csr \
            -subj /CN=127.0.0.1 &&
        printf 'subjectAltName=IP:127.0.0.1\n' >broker.ext &&
        openssl x509 -req -in broker.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out broker.pem -days 2 \
            -extfile broker.ext) >"$WORK/openssl.log" 2>&1 || fail "no certificates: $(cat "$WORK/openssl.log")"
    # a broker started by root reads its certificates after it became the
    # user "mosquitto", who may not enter $WORK: it stays root here
    printf 'user root\nlistener %s 127.0.0.1\ncertfile %s\nkeyfile %s\n' "$TLS_PORT" "$WORK/broker.pem" \
        "$WORK/broker.key" >>"$WORK/mosquitto.conf"
}

start_broker() {
    mosquitto -c "$WORK/mosquitto.conf" >>"$WORK/broker.log" 2>&1 &
    BROKER_PID=$!
    PIDS+=("$BROKER_PID")
    wait_for "mosquitto_sub -p $BROKER_PORT ${BROKER_LOGIN[*]} -t probe -W 1 -E 2>/dev/null" 5 || fail "the broker did not start"
}

stop_broker() {
    kill "$BROKER_PID" 2>/dev/null || true
    wait "$BROKER_PID" 2>/dev/null || true
}

# start_instance NAME ARGS...: the program from $WORK/NAME with a copy of the
# settings file in $APPDIR; its process id in NAME_PID
start_instance() {
    local name=$1
    shift
    mkdir -p "$WORK/$name"
    copy_program "$WORK/$name"
    cp "$APPDIR/Quendrasil.ini" "$WORK/$name/"
    (cd "$WORK/$name" && QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$WORK" exec ./quendrasil "$@" >"$WORK/$name.log" 2>&1) &
    printf -v "${name}_PID" '%s' "$!"
    PIDS+=("$!")
}

# the visible control window of the process $1
control_of() {
    xdotool search --all --onlyvisible --pid "$1" --name "Quendrasil-Konfiguration" 2>/dev/null | head -n1
}

# the caption of the control window of process $1
caption_of() {
    local id
    id=$(xdotool search --all --pid "$1" --name "Quendrasil-Konfiguration" 2>/dev/null | head -n1)
    [ -n "$id" ] && xdotool getwindowname "$id"
}

# the status line of the control window of process $1, as it last said it
# (the program writes each one to its log as well; lines joined by " | ")
status_of() {
    local dir
    dir=$(readlink "/proc/$1/cwd") || return 0
    grep -a '^quendrasil: Status: ' "$dir.log" | tail -n1 | sed 's/^quendrasil: Status: //'
}

# presses keys in the control window of process $1, which must be shown
keys_to() {
    local id
    wait_for "[ -n \"\$(control_of $1)\" ]" 5 || fail "no control window of $1"
    id=$(control_of "$1")
    activate "$id" || fail "the control window of $1 does not become active"
    shift
    xdotool key --window "$id" "$@"
}

# the fast minute in the time file of instance $1 (minutes since midnight),
# or empty; a file caught while being rewritten is read again
minute_of() {
    local line i
    for i in 1 2 3 4 5 6 7 8 9 10; do
        [ -f "$WORK/$1/Uhrzeit.txt" ] || return 0
        line=$(tr -d '\r\n' <"$WORK/$1/Uhrzeit.txt" 2>/dev/null) || true
        if [[ "$line" =~ ^([0-9][0-9]):([0-9][0-9])$ ]]; then
            echo $((10#${BASH_REMATCH[1]} * 60 + 10#${BASH_REMATCH[2]}))
            return 0
        fi
        sleep 0.02
    done
}

# the instances $1 and $2 show the same minute, give or take the one that is
# just changing, at $3 samples 0.15 s apart (default 10)
in_step() {
    local i a b
    for i in $(seq "${3:-10}"); do
        a=$(minute_of "$1")
        b=$(minute_of "$2")
        [ -n "$a" ] && [ -n "$b" ] || { echo "no time: $1 '$a', $2 '$b'" >&2; return 1; }
        [ $((a - b)) -le 1 ] && [ $((b - a)) -le 1 ] || { echo "$1 at $a, $2 at $b" >&2; return 1; }
        sleep 0.15
    done
}

# the time file of instance $1 shows a new minute within $2 seconds
advances() {
    local first
    wait_for "[ -n \"\$(minute_of $1)\" ]" "$2" || return 1
    first=$(minute_of "$1")
    wait_for "[ \"\$(minute_of $1)\" != '$first' ]" "$2"
}
