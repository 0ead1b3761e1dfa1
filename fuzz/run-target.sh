#!/bin/sh
# Replays a fuzz target's seeds and kept regressions, then fuzzes it for a
# while. New inputs gather in WORK/NAME, a failing one in WORK/artifacts.
#   run-target.sh BINARY NAME FUZZ_SOURCE_DIR WORK SECONDS
set -eu
binary=$1 name=$2 source=$3 work=$4 seconds=$5
seeds=$source/corpus/$name
kept=$source/regressions/$name
mkdir -p "$work/$name" "$work/artifacts"
log=$work/$name.log

fail() {
    tail -n 60 "$log"
    echo "fuzz $name: FAILED ($1); the input is in $work/artifacts/"
    exit 1
}

"$binary" -runs=0 -artifact_prefix="$work/artifacts/$name-" "$seeds" "$kept" >"$log" 2>&1 \
    || fail "a seed or kept regression"
# An input that runs 30 s is a hang; the limit is wide for a busy machine.
"$binary" -max_total_time="$seconds" -timeout=30 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/$name-" "$work/$name" "$seeds" "$kept" >"$log" 2>&1 \
    || fail "fuzzing"
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
found=$(ls "$work/$name" | wc -l)
echo "fuzz $name: $runs executions in $seconds s ($speed/s), $found inputs in the work corpus" | tee "$work/$name.stats"
