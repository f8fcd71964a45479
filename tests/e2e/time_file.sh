#!/usr/bin/env bash
# Time base 10 ms, time file on, start 12:00: Alt+A starts and hides the control
# window; the time file soon holds 12:01 and then later minutes, 7 bytes each.
. "$(dirname "$0")/lib.sh" "$1"
. "$HERE/e2e_extra.sh"
start_with " 12 " " 0 " " 10 " " 4 " " 1500 " " 1500 " " 300 " " 3300 " "Anlage" " 0 " " 0 " " 0 " " 0 " "True"
start_clock

seen=""
deadline=$((SECONDS + 15))
while [ $SECONDS -lt $deadline ]; do
    if [ -s "$APPDIR/Uhrzeit.txt" ]; then
        line=$(cat "$APPDIR/Uhrzeit.txt" | tr -d '\r\n')
        size=$(stat -c %s "$APPDIR/Uhrzeit.txt")
        [ "$size" -eq 7 ] || [ "$size" -eq 0 ] || fail "time file of $size bytes: '$line'"
        case " $seen " in *" $line "*) ;; *) [ -n "$line" ] && seen="$seen $line" ;; esac
        [ "$(echo $seen | wc -w)" -ge 3 ] && break
    fi
    sleep 0.05
done
first=$(echo $seen | cut -d' ' -f1)
[ "$first" = "12:01" ] || fail "first line '$first' (seen:$seen)"
[ "$(echo $seen | wc -w)" -ge 3 ] || fail "minutes seen:$seen"
for m in $seen; do
    case "$m" in 12:0[1-9]|12:[1-5][0-9]) ;; *) fail "unexpected line '$m'" ;; esac
done
echo "PASS time_file ($seen)"
