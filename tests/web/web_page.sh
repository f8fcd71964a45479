#!/usr/bin/env bash
# The clock page in headless Chromium against the real program started with
# --web on a loopback port: the live page shows "noch nicht gestartet" and no
# time before Start, its manifest and icons load, it shows the program's time
# after Start, the held time and mark after a hold, runs again after continue
# and counts by itself between updates, its separator blinking as the
# program's; bad and flooding traffic gets its answers while the clock stays
# exact; pages that flood are closed, pipelined requests answered, and one
# address cannot take the server from another. A plain run listens nowhere. With SHOT_DIR set it also makes the
# phone and tablet screenshots of the page there.
WEBDIR=$(cd "$(dirname "$0")" && pwd)
. "$WEBDIR/../e2e/lib.sh" "$1"
. "$WEBDIR/../e2e/e2e_extra.sh"
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
command -v chromium >/dev/null 2>&1 || fail "chromium is missing (./test installs it)"
tool() { timeout 60 python3 "$WEBDIR/webtool.py" "$@"; }
free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
listening() { ss -ltnpH 2>/dev/null | grep "pid=$APP_PID," || true; }
# each browser its own profile, or a second one hands its work to the first
CHROME=(chromium --headless=new --no-sandbox --disable-gpu --no-first-run --hide-scrollbars)
state() { python3 -c "import json, urllib.request; s = json.load(urllib.request.urlopen('$URL/state')); print(s['time'], s['running'])"; }
state_time() { state | cut -d' ' -f1; }
hms() { printf '%02d:%02d:%02d' $(($1 / 3600)) $(($1 / 60 % 60)) $(($1 % 60)); }

"$BIN" --web 127.0.0.1:99999 2>"$WORK/bad.log" && fail "a bad port was taken"
grep -q "Port" "$WORK/bad.log" || fail "no message for a bad port: $(cat "$WORK/bad.log")"

start_desktop
title="Anlage <b>&"
[ -n "${SHOT_DIR:-}" ] && title="Betriebstag Nordstrecke"
settings=(" 12 " " 0 " " 100 " " 6 " " 1500 " " 1500 " " 300 " " 3300 " "$title" " 0 " " 0 " " 0 " " 0 " "True")
write_settings "${settings[@]}"
start_app
cfg=$(wait_window "^ Quendrasil-Konfiguration$")
[ -z "$(listening)" ] || fail "a plain run listens: $(listening)"
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true

write_settings "${settings[@]}"
PORT=$(free_port)
URL=http://127.0.0.1:$PORT
start_app --web "127.0.0.1:$PORT"
wait_for '[ -n "$(listening)" ]' 10 || fail "nothing listens on $PORT"
listening | grep -q "127.0.0.1:$PORT " || fail "not only on loopback: $(listening)"
# one live page in headless Chromium, read over its DevTools connection
timeout 90 "${CHROME[@]}" --user-data-dir="$WORK/chrome" --remote-debugging-port=0 "$URL/" >/dev/null 2>&1 &
PIDS+=($!)
wait_for '[ -s "$WORK/chrome/DevToolsActivePort" ]' 20 || fail "no DevTools port"
DEV=$(head -n1 "$WORK/chrome/DevToolsActivePort")
# "HH:MM:SS running|angehalten" as the page shows it
shown='(() => { const z = document.getElementById("zeit");
    return z.getAttribute("aria-label") + (document.getElementById("angehalten").hidden ? " running" : " angehalten"); })()'
page() { tool eval "$DEV" "$shown" | tr -d '"'; }
wait_for '[ "$(tool eval "$DEV" "document.getElementById(\"zeit\").dataset.updates")" != null ]' 20 ||
    fail "the page got no update"
# before Start: no time, only that the clock has not started
waiting='[document.getElementById("angehalten").textContent, document.getElementById("zeit").getAttribute("aria-label"),
    document.getElementById("angehalten").hidden, document.querySelectorAll("#led .an").length].join("|")'
[ "$(tool eval "$DEV" "$waiting" | tr -d '"')" = "noch nicht gestartet|noch nicht gestartet|false|0" ] ||
    fail "before Start the page shows $(tool eval "$DEV" "$waiting")"
# its manifest, and the analog face's, start their own face; the icons load
manifest='(async () => { const get = async u => (await fetch(u)).json();
    const m = await get(document.querySelector("link[rel=manifest]").href), a = await get("/manifest.webmanifest?style=analog");
    const icons = await Promise.all(m.icons.map(async i => { const img = new Image(); img.src = i.src;
        await img.decode(); return img.naturalWidth > 0 && (await fetch(i.src)).headers.get("content-type") === i.type; }));
    return [m.start_url, a.start_url, icons.join(",")].join(" "); })()'
[ "$(tool eval "$DEV" "$manifest" | tr -d '"')" = "/ /?style=analog true,true" ] || fail "manifest: $(tool eval "$DEV" "$manifest")"
[ "$(tool eval "$DEV" 'document.getElementById("titel").innerHTML')" = '"Anlage &lt;b&gt;&amp;"' ] ||
    [ -n "${SHOT_DIR:-}" ] || fail "title not shown as text"

# Start: the page runs and shows the program's hours and minutes
start_clock
wait_for '[ -n "$(time_line)" ]' 15 || fail "no time file"
before=$(time_line)
read -r shown_time mark < <(page)
after=$(time_line)
[ "$mark" = running ] || fail "held mark while running"
[[ ! "${shown_time%:*}" < "$before" && ! "${shown_time%:*}" > "$after" ]] || fail "page $shown_time, time file $before to $after"

# hold: the page shows the held time and the mark
led=$(xdotool search --onlyvisible --pid "$APP_PID" | head -n1)
eval "$(xdotool getwindowgeometry --shell "$led")"
xdotool mousemove $((X + 20)) $((Y + 20)) click --repeat 2 --delay 80 1
cfg=$(activate_config)
xdotool key --window "$cfg" alt+h
wait_for '[ "$(state | cut -d" " -f2)" = False ]' 5 || fail "the program did not hold"
held=$(state_time)
wait_for '[ "$(page)" = "$(hms "$held") angehalten" ]' 5 || fail "held page $(page), program $(hms "$held")"

# while the clock is held nothing is pushed; still a page that pings and
# reads nothing, and one that floods messages, are closed within a second
read -r result < <(tool pingflood "$PORT" 10)
case "$result" in closed*|"code 1008"*) ;; *) fail "ping flood: $result" ;; esac
read -r result < <(tool msgflood "$PORT" 10)
case "$result" in "code 1008"*) ;; *) fail "message flood: $result" ;; esac
[ "$(page)" = "$(hms "$held") angehalten" ] || fail "the browser's page after the floods: $(page)"

# continue: it runs again from there
xdotool key --window "$cfg" alt+w
wait_for '[ "$(page | cut -d" " -f2)" = running ]' 5 || fail "held mark after continue"
sleep 0.5
[[ "$(page | cut -d' ' -f1)" > "$(hms "$held")" ]] || fail "page $(page) after continuing from $(hms "$held")"

# a live page counts on by itself: 2 real seconds without an update are 20
# fast seconds at 100 ms, and it stays with the program's time (within half
# a real second: a busy test machine may wake the page late)
probe='fetch("/state").then(r => r.json()).then(s => { const z = document.getElementById("zeit");
    return [Number(z.dataset.seconds), s.time, Number(z.dataset.updates || 0), performance.now()].join(" "); })'
counted=
for _ in 1 2 3; do
    read -r s0 p0 u0 t0 s1 p1 u1 t1 < <(tool eval "$DEV" "$probe" 2 2 | tr -d '"' | tr '\n' ' '; echo)
    for pair in "$s0 $p0" "$s1 $p1"; do
        read -r s p <<<"$pair"
        d=$(( (s - p + 86400) % 86400 )); [ $d -gt 43200 ] && d=$((d - 86400))
        [ ${d#-} -le 5 ] || fail "page $(hms "$s"), program $(hms "$p")"
    done
    [ "$u0" = "$u1" ] || continue # an update came between; again
    expected=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%d", (b - a) / 100 }')
    got=$(( (s1 - s0 + 86400) % 86400 ))
    [ $((got - expected)) -le 5 ] && [ $((expected - got)) -le 5 ] || fail "counted $got fast s in $expected"
    counted=$got
    break
done
[ -n "$counted" ] || fail "an update came in every window"
# the separator blinks in the program's rhythm, which the page is handed: at
# 100 ms it is off in the second ten fast seconds of each twenty
blinking='(async () => { const z = document.getElementById("zeit"), dot = document.querySelector("#led .punkt"), seen = new Set();
    for (let i = 0; i < 30; i++, await new Promise(r => setTimeout(r, 100))) {
        const s = Number(z.dataset.seconds) % 60, off = dot.classList.contains("aus");
        if ((Math.floor(s / 10) % 2 === 1) !== off) return "off " + off + " at " + s;
        seen.add(off);
    } return seen.size === 2 ? "ok" : "no change"; })()'
[ "$(tool eval "$DEV" "$blinking" | tr -d '"')" = ok ] || fail "separator: $(tool eval "$DEV" "$blinking")"

# bad requests get their answers; a flood of 500 connections is answered or
# closed, and the clock keeps its time meanwhile
[ "$(printf 'GET /admin HTTP/1.1\r\n\r\n' | tool request "$PORT")" = 404 ] || fail "unknown path"
[ "$(printf 'POST /state HTTP/1.1\r\nContent-Length: 0\r\n\r\n' | tool request "$PORT")" = 405 ] || fail "POST"
[ "$( (printf 'GET / HTTP/1.1\r\nX: '; head -c 100000 /dev/zero | tr '\0' x; printf '\r\n\r\n') | tool request "$PORT")" = 431 ] ||
    fail "huge header"
[ "$(head -c 5000 /dev/urandom | tool request "$PORT")" = 400 ] || fail "garbage"
# (the whole answer first: reading its first line from a pipe left the file
# unfinished when the last line was read)
tool flood "$PORT" 500 >"$WORK/flood"
read -r answers <"$WORK/flood"
read -r _ fast _ real < <(tail -n1 "$WORK/flood")
case " $answers " in *hanging*) fail "flood: $answers" ;; *" 200:"*) ;; *) fail "flood: nothing served: $answers" ;; esac
ideal=$(awk -v r="$real" 'BEGIN { printf "%d", r * 10 }')
[ $((fast - ideal)) -le 3 ] && [ $((ideal - fast)) -le 3 ] || fail "fast $fast s in $real s real during the flood"
now=$(state_time)
[ "$(time_line)" = "$(hms "$now" | cut -c1-5)" ] || [ "$(hms $((now - 2)) | cut -c1-5)" = "$(time_line)" ] ||
    fail "time file $(time_line), program $(hms "$now")"
running || fail "the program ended"

# HTTP as it is meant: pipelined requests answered in order; one address that
# holds its share of connections and pages leaves room for another
[ "$(tool pipeline "$PORT" 100)" = "answers 100 in order open" ] || fail "pipelining: $(tool pipeline "$PORT" 100)"
tool hold "$PORT" 127.0.0.2 64 100 10 >"$WORK/hold" &
PIDS+=($!)
wait_for '[ -s "$WORK/hold" ]' 30 || fail "holding from 127.0.0.2 did not finish"
[ "$(cat "$WORK/hold")" = "pages 20 plain 16" ] || fail "one address holds $(cat "$WORK/hold")"
[ "$(printf 'GET /state HTTP/1.0\r\n\r\n' | tool request "$PORT")" = 200 ] || fail "127.0.0.1 not served while 127.0.0.2 holds its share"
tool pages "$PORT" 1 1 | grep -q "messages [1-9]" || fail "no page for 127.0.0.1 while 127.0.0.2 holds its share"
peak=$(awk '/^VmHWM/ { print $2 }' "/proc/$APP_PID/status")
[ "$peak" -lt 300000 ] || fail "the program took $peak kB at its peak"

if [ -n "${SHOT_DIR:-}" ]; then
    mkdir -p "$SHOT_DIR"
    timeout 40 "${CHROME[@]}" --user-data-dir="$WORK/chrome-shot" --window-size=390,844 --screenshot="$SHOT_DIR/web-phone.png" "$URL/" >/dev/null 2>&1
    timeout 40 "${CHROME[@]}" --user-data-dir="$WORK/chrome-shot" --window-size=1280,800 --screenshot="$SHOT_DIR/web-tablet.png" "$URL/" >/dev/null 2>&1
    timeout 40 "${CHROME[@]}" --user-data-dir="$WORK/chrome-shot" --window-size=800,1280 --screenshot="$SHOT_DIR/web-tablet-analog.png" "$URL/?style=analog" >/dev/null 2>&1
fi
echo "PASS web_page (counted $counted fast s in 2 s; flood $answers; fast $fast s in $real s)"
