#!/usr/bin/env bash
# How close the web page keeps to the program, and what pages cost it: the
# real program under Xvfb with openbox, started with --web on a loopback port
# and Start pressed; headless Chromium shows the page.
#   bench/web.sh [BUILD_DIR] [SECONDS] [all|close|memory]
# For each of the time bases 10 ms and 1000 ms, five times a second for
# SECONDS: the fast second the page shows against the program's (from /state,
# fetched by the page between two readings of its own), median and worst.
# Then the program's CPU at 10 ms over SECONDS without pages and with 50 live
# pages (WebSocket clients of /live).
# Then (or with "memory" alone) the program's resident memory under a page
# that floods for SECONDS, opening a new page whenever the server closes one:
# pings it never reads the pongs of, and small text messages; each with the
# clock held (not started) and running at 250 ms, each in a fresh program.
# The peak is the kernel's VmHWM; a run is stopped at 1.5 GB to spare the
# machine.
set -euo pipefail
BUILD=$(readlink -f "${1:-build}")
SECONDS_RUN=${2:-60}
PART=${3:-all}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$ROOT/tests/e2e/lib.sh" "$BUILD/quendrasil"
. "$ROOT/tests/e2e/e2e_extra.sh"
tool() { python3 "$ROOT/tests/web/webtool.py" "$@"; }
start_desktop

# starts the program at time base $1 and, unless $2 is "held", the clock;
# sets PORT and URL
run_at() {
    write_settings " 12 " " 0 " " $1 " " 6 " " 1500 " " 1500 " " 300 " " 3300 " "Bench" " 0 " " 0 " " 0 " " 0 " "False"
    PORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    URL=http://127.0.0.1:$PORT
    start_app --web "127.0.0.1:$PORT"
    if [ "${2:-}" = held ]; then
        wait_for '[ -n "$(ss -ltnH "sport = :$PORT")" ]' 20
    else
        start_clock
    fi
}
stop_app() { kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true; APP_PID=; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$APP_PID/stat"; }

if [ "$PART" != memory ]; then
probe='(async () => { const z = document.getElementById("zeit"); const a = Number(z.dataset.seconds);
    const s = await (await fetch("/state")).json(); const b = Number(z.dataset.seconds); return [a, s.time, b].join(" "); })()'
echo "| Time base | Page − program, median | worst | samples |"
echo "|---|---|---|---|"
for tb in 10 1000; do
    run_at $tb
    rm -rf "$WORK/chrome"
    timeout $((SECONDS_RUN + 60)) chromium --headless=new --no-sandbox --disable-gpu --no-first-run \
        --user-data-dir="$WORK/chrome" --remote-debugging-port=0 "$URL/" >/dev/null 2>&1 &
    CHROME=$!
    wait_for '[ -s "$WORK/chrome/DevToolsActivePort" ]' 20
    sleep 3 # the page loaded and its live connection up
    tool eval "$(head -n1 "$WORK/chrome/DevToolsActivePort")" "$probe" $((SECONDS_RUN * 5)) 0.2 | tr -d '"' |
        awk '{ d = ($1 + $3) / 2 - $2; if (d > 43200) d -= 86400; if (d < -43200) d += 86400; print d }' | sort -g >"$WORK/d"
    n=$(wc -l <"$WORK/d")
    median=$(sed -n "$(((n + 1) / 2))p" "$WORK/d")
    worst=$(awk 'NR == 1 { lo = $1 } { hi = $1 } END { print (-lo > hi ? lo : hi) }' "$WORK/d")
    printf '| %d ms | %+.1f fast s | %+.1f fast s | %d |\n' $tb "$median" "$worst" "$n"
    kill "$CHROME" 2>/dev/null || true
    wait "$CHROME" 2>/dev/null || true
    stop_app
done

run_at 10
hz=$(getconf CLK_TCK)
sleep 2
c0=$(cpu_ticks); t0=$(date +%s.%N); sleep "$SECONDS_RUN"; c1=$(cpu_ticks); t1=$(date +%s.%N)
idle=$(awk -v a="$c0" -v b="$c1" -v s="$t0" -v e="$t1" -v hz="$hz" 'BEGIN { printf "%.2f", 100 * (b - a) / hz / (e - s) }')
# a client address may hold 20 pages: the 50 come from three loopback addresses
python3 - "$ROOT/tests/web" "$PORT" 50 $((SECONDS_RUN + 4)) >"$WORK/pages" <<'PY' &
import itertools, sys
sys.path.insert(0, sys.argv[1])
import webtool
opened, ws_open = itertools.count(), webtool.ws_open
webtool.ws_open = lambda port, path: ws_open(port, path, "127.0.0.%d" % (2 + next(opened) // 20))
webtool.pages(int(sys.argv[2]), int(sys.argv[3]), float(sys.argv[4]))
PY
LOADER=$!
sleep 2
c0=$(cpu_ticks); t0=$(date +%s.%N); sleep "$SECONDS_RUN"; c1=$(cpu_ticks); t1=$(date +%s.%N)
busy=$(awk -v a="$c0" -v b="$c1" -v s="$t0" -v e="$t1" -v hz="$hz" 'BEGIN { printf "%.2f", 100 * (b - a) / hz / (e - s) }')
wait "$LOADER"
stop_app
echo
echo "The program's CPU at 10 ms over ${SECONDS_RUN} s: $idle % of a core without pages, $busy % with 50 live pages ($(cat "$WORK/pages"))."
fi

[ "$PART" = close ] && exit 0
kb() { awk -v k="$1" '$1 == k ":" { print $2 }' "/proc/$APP_PID/status"; }
mb() { awk -v k="$1" 'BEGIN { printf "%.0f MB", k / 1024 }'; }
echo
echo "| Flood for ${SECONDS_RUN} s | Clock | Before | Peak | 5 s after | Pages closed |"
echo "|---|---|---|---|---|---|"
for flood in pingflood msgflood; do
    for clock in held 250; do
        if [ $clock = held ]; then run_at 1000 held; else run_at 250; fi
        sleep 2
        before=$(kb VmRSS)
        tool $flood "$PORT" "$SECONDS_RUN" again >"$WORK/flood" &
        FLOODER=$!
        stopped=
        while kill -0 "$FLOODER" 2>/dev/null; do
            if [ "$(kb VmRSS)" -gt 1500000 ]; then kill "$FLOODER"; stopped=" (stopped at 1.5 GB)"; fi
            sleep 0.2
        done
        wait "$FLOODER" 2>/dev/null || true
        peak=$(kb VmHWM)
        sleep 5
        closes=$(grep -o 'closed [0-9]* times' "$WORK/flood" | cut -d' ' -f2 || true)
        printf '| %s | %s | %s | %s%s | %s | %s |\n' "${flood%flood} flood" "$([ $clock = held ] && echo held || echo "250 ms")" \
            "$(mb "$before")" "$(mb "$peak")" "$stopped" "$(mb "$(kb VmRSS)")" "${closes:-0}"
        stop_app
    done
done
