#!/usr/bin/env bash
# run-fuzzer.sh <fuzz target> <work folder> <seed folder> [libFuzzer options...]
#
# Runs one fuzz target on the committed seeds and on generated edge inputs (binary garbage, NUL bytes,
# a huge line, 100 000 lines, lone CRs, quotes and commas). Inputs that reach new code are kept in
# <work>/corpus for the next run; a failing input is left as <work>/crash-* and the run fails.
# The figures (executions, time) are the last lines libFuzzer prints.
set -euo pipefail
if (($# < 3)); then
    echo "usage: $0 <fuzz target> <work folder> <seed folder> [libFuzzer options...]" >&2
    exit 2
fi
fuzzer=$(readlink -f "$1") work=$(readlink -m "$2") seeds=$(readlink -f "$3")
shift 3
mkdir -p "$work/corpus" "$work/edge"
bash "$(dirname "${BASH_SOURCE[0]}")/make-edge-inputs.sh" "$work/edge"
cd "$work"
start=$EPOCHREALTIME
set +e
"$fuzzer" -artifact_prefix="$work/" -print_final_stats=1 "$@" corpus "$seeds" edge >fuzz.log 2>&1
status=$?
set -e
seconds=$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.0f", b - a }')
grep -E '^(INFO: Loaded|INFO: seed corpus|Done|stat::number_of_executed_units|stat::peak_rss_mb)' fuzz.log || true
grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' fuzz.log || true
echo "$(basename "$fuzzer"): exit $status after ${seconds}s; log in $work/fuzz.log"
exit "$status"
