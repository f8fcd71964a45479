#!/usr/bin/env bash
# How closely an MRclock follower keeps to its sender, in a private network
# namespace on one Xvfb desktop (the probing build quendrasil_netbench):
#   a sending copy of this program and a follower at time base 10 ms and at
#   167 ms (speed 6), SECONDS each; and a follower of a command station at
#   speed 7, once with a datagram every 20 s and once with a single datagram
#   (its own exact timer alone), DRIFT seconds each.
#   bench/mrclock.sh [BUILD_DIR] [SECONDS] [DRIFT]
set -euo pipefail
. "$(dirname "$0")/../tests/e2e/mrclock_lib.sh" "$@"
BUILD=$(readlink -f "${1:-build}")
SECS=${2:-60}
DRIFT=${3:-600}
BIN=$BUILD/bench/quendrasil_netbench
STATION="python3 $(cd "$(dirname "$0")" && pwd)/mrclock_station.py"
[ -x "$BIN" ] || { echo "build first: $BIN is missing" >&2; exit 1; }

. "$(dirname "$0")/desktop.sh"
. "$(dirname "$0")/instances.sh"

for tb in 10 167; do
    instance master "$tb" 1500 --publish mrclock:///Bench
    instance f1 "$tb" 4500 --follow mrclock:///Bench
    start_master
    until $SAMPLE running "$WORK/f1.probe"; do sleep 0.1; done
    sleep 5
    read -r n med worst shown p99 < <($SAMPLE lag "$SECS" 20 "$WORK/master.probe" "$WORK/f1.probe")
    echo "time base $tb ms, $SECS s, $n samples: median $med, worst $worst fast s (99 % within $p99); shown seconds differ by at most $shown"
    kill "$master_PID" "$f1_PID"
    wait "$master_PID" "$f1_PID" 2>/dev/null || true
done

for every in 20 "$DRIFT"; do
    instance f1 250 4500 --follow mrclock:///Station
    read -r n med worst final < <($STATION "$DRIFT" 7 "$every" "$WORK/f1.probe")
    echo "speed 7, a datagram every $every s, $DRIFT s, $n samples: median $med, worst $worst fast s; at the end $final fast s"
    kill "$f1_PID"
    wait "$f1_PID" 2>/dev/null || true
done
