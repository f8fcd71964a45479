#!/usr/bin/env bash
# Start-up to the first paint: the program without options (its control
# window), a bare Qt window (one QWidget), the same window with one line of
# text, and that once more after an empty window shown first (as the program
# shows its display window first), started in turn on one Xvfb desktop;
# prints the median of each and their ratios to the bare window.
#   bench/startup.sh [BUILD_DIR] [STARTS of each] [OTHER...]
# Each OTHER is started in the same turns, so that all meet the same load:
# another build's quendrasil_startbench, or a revision of this repository (a
# commit, tag or branch). A revision's program is built once, into
# BUILD_DIR/revisions, with bench/RevisionProbe.h in place of the start hook
# that older revisions lack: bench/startup.sh build 41 a42b812 HEAD
set -euo pipefail
BUILD=$(readlink -f "${1:-build}")
RUNS=${2:-21}
ROOT=$(cd "$(dirname "$0")/.." && pwd)

# REV's program, built on the first call: its sources from git, nothing of
# the working tree
revision_program() {
    local commit dir
    commit=$(git -C "$ROOT" rev-parse --verify --quiet "$1^{commit}") ||
        { echo "neither a program nor a revision: $1" >&2; return 1; }
    dir=$BUILD/revisions/${commit:0:12}
    if [ ! -x "$dir/quendrasil" ]; then
        echo "building $1 in $dir" >&2
        rm -rf "$dir"
        mkdir -p "$dir/src"
        git -C "$ROOT" archive "$commit" | tar -x -C "$dir/src"
        { cmake -S "$dir/src" -B "$dir/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DCMAKE_CXX_FLAGS="-include $ROOT/bench/RevisionProbe.h" >/dev/null &&
            cmake --build "$dir/build" --target quendrasil -j "$(nproc)" >/dev/null; } ||
            { echo "$1 does not build" >&2; return 1; }
        cp "$(find "$dir/build" -name quendrasil -type f -perm -u+x | head -1)" "$dir/quendrasil" || return 1
    fi
    echo "$dir/quendrasil"
}

PROGRAMS=("$BUILD/bench/quendrasil_startbench")
NAMES=("this build")
for other in "${@:3}"; do
    if [ -f "$other" ] && [ -x "$other" ]; then
        PROGRAMS+=("$(readlink -f "$other")")
    else
        program=$(revision_program "$other")
        PROGRAMS+=("$program")
    fi
    NAMES+=("$other")
done
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
    start "$BUILD/bench/quendrasil_barewindow" --second --text >>"$WORK/second.ms"
done
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
bare=$(median "$WORK/bare.ms")
ratio() { awk -v p="$1" -v b="$bare" 'BEGIN { printf "%.2f", p / b }'; }
echo "Start-up to the first paint, median of $RUNS starts each, in turn:"
echo "  bare Qt window                    $bare ms"
text=$(median "$WORK/text.ms")
echo "  bare window, one line of text     $text ms, ratio $(ratio "$text")"
second=$(median "$WORK/second.ms")
echo "  the same after an empty window    $second ms, ratio $(ratio "$second")"
for i in "${!PROGRAMS[@]}"; do
    program=$(median "$WORK/program$i.ms")
    echo "  program, ${NAMES[$i]}: $program ms, ratio $(ratio "$program")"
done
