# shellcheck shell=bash
# Shared by the sharing benchmarks, sourced after desktop.sh with BIN set:
# copies of the program with a probe of their fast time, each in its own
# folder (as the tests of the shared clock start them, with their broker),
# and the master's Start.
. "$HERE/e2e_extra.sh"
. "$HERE/mqtt_lib.sh"
SAMPLE="python3 $(dirname "${BASH_SOURCE[0]}")/netsample.py"

# instance NAME TIMEBASE TOP ARGS...: a program in its own folder, its probe in NAME.probe
instance() {
    local name=$1 faktor=$2 top=$3
    shift 3
    rm -rf "${WORK:?}/$name" "$WORK/$name.probe"
    write_settings 6 0 "$faktor" 4 300 "$top" 6000 "$top" "$name" 0 0 0 0 False
    QUENDRASIL_PROBE="$WORK/$name.probe" start_instance "$name" "$@"
}

# presses Start (Alt+A) in the master's control window until its clock runs
start_master() {
    until $SAMPLE running "$WORK/master.probe"; do
        wait_for "[ -n \"\$(control_of $master_PID)\" ]" 60 || fail "the master shows no control window"
        keys_to "$master_PID" alt+a
        wait_for "$SAMPLE running '$WORK/master.probe'" 3 || true
    done
}
