#!/usr/bin/env bash
# Start-up to the first paint: the program without options (its control
# window), a bare Qt window (one QWidget) and the same window with one line of
# text, started in turn on one Xvfb desktop; prints the median of each and
# their ratios to the bare window.
#   bench/startup.sh [BUILD_DIR] [STARTS of each] [OTHER_STARTBENCH]
# OTHER_STARTBENCH, another build's quendrasil_startbench, is started in the
# same turns, so that the two programs meet the same load.
set -euo pipefail
BUILD=$(readlink -f "${1:-build}")
RUNS=${2:-21}
PROGRAMS=("$BUILD/bench/quendrasil_startbench")
[ -n "${3:-}" ] && PROGRAMS+=("$(readlink -f "$3")")
for p in "${PROGRAMS[@]}" "$BUILD/bench/quendrasil_barewindow"; do
    [ -x "$p" ] || { echo "build first: $p is missing" >&2; exit 1; }
done

. "$(dirname "$0")/desktop.sh"

start() { QUENDRASIL_LAUNCH_NS=$(date +%s%N) timeout 30 "$@" 2>/dev/null; }
# each program a copy of its own, so its files folder is one in WORK, with
# settings (the first start without them stops at a message)
for i in "${!PROGRAMS[@]}"; do
    mkdir "$WORK/program$i"
    cp "${PROGRAMS[$i]}" "$WORK/program$i/quendrasil_startbench"
    cp "$(dirname "$0")/../tests/data/session.ini" "$WORK/program$i/Quendrasil.ini"
    # once each first, so all start from a warm disk cache
    start "$WORK/program$i/quendrasil_startbench" >/dev/null
done
start "$BUILD/bench/quendrasil_barewindow" >/dev/null
for _ in $(seq "$RUNS"); do
    for i in "${!PROGRAMS[@]}"; do
        start "$WORK/program$i/quendrasil_startbench" >>"$WORK/program$i.ms"
    done
    start "$BUILD/bench/quendrasil_barewindow" >>"$WORK/bare.ms"
    start "$BUILD/bench/quendrasil_barewindow" --text >>"$WORK/text.ms"
done
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
bare=$(median "$WORK/bare.ms")
ratio() { awk -v p="$1" -v b="$bare" 'BEGIN { printf "%.2f", p / b }'; }
echo "Start-up to the first paint, median of $RUNS starts each, in turn:"
echo "  bare Qt window                    $bare ms"
text=$(median "$WORK/text.ms")
echo "  bare window, one line of text     $text ms, ratio $(ratio "$text")"
for i in "${!PROGRAMS[@]}"; do
    program=$(median "$WORK/program$i.ms")
    echo "  program ${PROGRAMS[$i]}: $program ms, ratio $(ratio "$program")"
done
