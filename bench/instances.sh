# shellcheck shell=bash
# Shared by the sharing benchmarks, sourced after desktop.sh with BIN set:
# copies of the program with a probe of their fast time, each in its own
# folder, and the master's Start.
SAMPLE="python3 $(dirname "${BASH_SOURCE[0]}")/netsample.py"

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

# presses Start (Alt+A) in the master's control window until its clock runs
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
