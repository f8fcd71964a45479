#!/usr/bin/env bash
# Start-up to the first paint: the program without options (its control
# window), a bare Qt window (one QWidget) and the same window with one line of
# text, started in turn on one Xvfb desktop; prints the median of each and
# their ratios to the bare window.
#   bench/startup.sh [BUILD_DIR] [STARTS of each]
# QUENDRASIL_STARTBENCH names another build's quendrasil_startbench to compare.
set -euo pipefail
BUILD=$(readlink -f "${1:-build}")
RUNS=${2:-21}
PROGRAM=${QUENDRASIL_STARTBENCH:-$BUILD/bench/quendrasil_startbench}
for p in "$PROGRAM" "$BUILD/bench/quendrasil_barewindow"; do
    [ -x "$p" ] || { echo "build first: $p is missing" >&2; exit 1; }
done

. "$(dirname "$0")/desktop.sh"

# a copy of its own, so its files folder is one in WORK, with settings (the
# first start without them stops at a message)
mkdir "$WORK/program"
cp "$PROGRAM" "$WORK/program/quendrasil_startbench"
cp "$(dirname "$0")/../tests/data/session.ini" "$WORK/program/Quendrasil.ini"
start() { QUENDRASIL_LAUNCH_NS=$(date +%s%N) timeout 30 "$@" 2>/dev/null; }
# once each first, so both start from a warm disk cache
start "$WORK/program/quendrasil_startbench" >/dev/null
start "$BUILD/bench/quendrasil_barewindow" >/dev/null
for _ in $(seq "$RUNS"); do
    start "$WORK/program/quendrasil_startbench" >>"$WORK/program.ms"
    start "$BUILD/bench/quendrasil_barewindow" >>"$WORK/bare.ms"
    start "$BUILD/bench/quendrasil_barewindow" --text >>"$WORK/text.ms"
done
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
program=$(median "$WORK/program.ms")
bare=$(median "$WORK/bare.ms")
text=$(median "$WORK/text.ms")
ratio() { awk -v p="$1" -v b="$bare" 'BEGIN { printf "%.2f", p / b }'; }
echo "Start-up to the first paint, median of $RUNS starts each, in turn:" \
     "program $program ms, bare Qt window $bare ms, ratio $(ratio "$program");" \
     "bare window with one line of text $text ms, ratio $(ratio "$text")"
