#!/usr/bin/env bash
# How closely an MRclock follower keeps to its sender, in a private network
# namespace on one Xvfb desktop (the probing build quendrasil_netbench):
#   a sending copy of this program and a follower at time base 10 ms and at
#   167 ms (speed 6), SECONDS each; and a follower of a command station at
#   speed 7, once with a datagram every 20 s and once with a single datagram
#   (its own exact timer alone), DRIFT seconds each.
#   bench/mrclock.sh [BUILD_DIR] [SECONDS] [DRIFT]
set -euo pipefail
if [ -z "${QUENDRASIL_NETNS:-}" ]; then
    QUENDRASIL_NETNS=1 exec unshare -n bash "$0" "$@"
fi
ip link set lo up && ip link set lo multicast on && ip route add 239.0.0.0/8 dev lo
BUILD=$(readlink -f "${1:-build}")
SECS=${2:-60}
DRIFT=${3:-600}
BIN=$BUILD/bench/quendrasil_netbench
HERE=$(cd "$(dirname "$0")" && pwd)
SAMPLE="python3 $HERE/netsample.py"
[ -x "$BIN" ] || { echo "build first: $BIN is missing" >&2; exit 1; }

. "$(dirname "$0")/desktop.sh"

# instance NAME TIMEBASE TOP ARGS...: a program in its own folder, its probe in NAME.probe
instance() {
    local name=$1 faktor=$2 top=$3 i=0 v
    shift 3
    rm -rf "${WORK:?}/$name" "$WORK/$name.probe"
    mkdir -p "$WORK/$name"
    local keys=("[Stunden]" "[Minuten]" "[Faktor]" "[Anzeige analog / digital]" "[Position Anzeige left]"
        "[Position Anzeige top]" "[Position Konfiguration left]" "[Position Konfiguration top]" "[Titel]"
        "[Breite Maxi]" "[H"$'\xf6'"he Maxi]" "[letzte Zeit Std]" "[letzte Zeit Min]" "[Datei erzeugen]")
    : >"$WORK/$name/Quendrasil.ini"
    for v in 6 0 "$faktor" 4 300 "$top" 6000 "$top" "$name" 0 0 0 0 False; do
        printf '%s\r\n%s\r\n' "${keys[$i]}" "$v" >>"$WORK/$name/Quendrasil.ini"
        i=$((i + 1))
    done
    cp "$BIN" "$WORK/$name/quendrasil"
    (cd "$WORK/$name" && QUENDRASIL_PROBE="$WORK/$name.probe" exec ./quendrasil "$@" >"$WORK/$name.log" 2>&1) &
    PIDS+=($!)
    printf -v "${name}_PID" '%s' "$!"
}

start_master() {
    local id
    until $SAMPLE running "$WORK/master.probe"; do
        sleep 0.3
        id=$(xdotool search --all --onlyvisible --pid "$master_PID" --name Quendrasil-Konfiguration 2>/dev/null | head -n1 || true)
        [ -n "$id" ] || continue
        xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
        sleep 0.3
        xdotool key --window "$id" alt+a
        sleep 0.3
    done
}

for tb in 10 167; do
    instance master "$tb" 1500 --publish mrclock:///Bench
    instance f1 "$tb" 4500 --follow mrclock:///Bench
    start_master
    until $SAMPLE running "$WORK/f1.probe"; do sleep 0.1; done
    sleep 5
    read -r n med worst shown p99 < <($SAMPLE lag "$SECS" 20 "$WORK/master.probe" "$WORK/f1.probe")
    echo "time base $tb ms, $SECS s, $n samples: median $med, worst $worst fast s (99 % within $p99); shown seconds differ by at most $shown"
    kill "$master_PID" "$f1_PID"
    sleep 0.5
done

for every in 20 "$DRIFT"; do
    instance f1 250 4500 --follow mrclock:///Station
    read -r n med worst final < <(python3 "$HERE/mrclock_station.py" "$DRIFT" 7 "$every" "$WORK/f1.probe")
    echo "speed 7, a datagram every $every s, $DRIFT s, $n samples: median $med, worst $worst fast s; at the end $final fast s"
    kill "$f1_PID"
    sleep 0.5
done
