#!/usr/bin/env bash
# The benchmark: every style at time bases 10 ms and 1000 ms under Xvfb with
# openbox, at 10 ms also with both cores busy, and the start-up time beside a
# bare Qt window's (bench/startup.sh).
#   bench/run.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
BUILD=$(readlink -f "${1:-build}")
SECONDS_RUN=${2:-20}
BENCH=$BUILD/bench/quendrasil_bench
[ -x "$BENCH" ] || { echo "build first: $BENCH is missing" >&2; exit 1; }

. "$(dirname "$0")/desktop.sh"

names=(frmAnalog_R frmAnalog_X frmAnalog frmLCD_X frmLCD frmLED_X frmLED frmAnalogMaxi frmLEDStretch)

echo "| Style | Window | 10 ms: fast s / ideal | CPU | 10 ms, both cores busy: fast s / ideal | 1000 ms: fast s / ideal | CPU | Peak memory |"
echo "|---|---|---|---|---|---|---|---|"
for style in 0 1 2 3 4 5 6 7 8; do
    read -r _ _ t10 i10 c10 m10 < <("$BENCH" run $style 10 "$SECONDS_RUN")
    busy
    read -r _ _ tb ib _ _ < <("$BENCH" run $style 10 "$SECONDS_RUN")
    unbusy
    read -r _ _ t1000 i1000 c1000 m1000 < <("$BENCH" run $style 1000 "$SECONDS_RUN")
    peak=$(( (m10 > m1000 ? m10 : m1000) / 1024 ))
    echo "| $style | \`${names[$style]}\` | $t10 / $i10 | $c10 % | $tb / $ib | $t1000 / $i1000 | $c1000 % | $peak MB |"
done

echo
"$(dirname "$0")/startup.sh" "$BUILD"
