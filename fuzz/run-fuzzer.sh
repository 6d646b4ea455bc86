#!/usr/bin/env bash
# run-fuzzer.sh <fuzz target> <work folder> <seed folder> [libFuzzer options...]
#
# Runs one fuzz target on the committed seeds and on generated edge inputs (binary garbage, NUL bytes,
# a huge line, 100 000 lines). Inputs that reach new code are kept in <work>/corpus for the next run;
# a failing input is left as <work>/crash-* and the run fails. The figures (executions, time) are the
# last lines libFuzzer prints.
set -euo pipefail
: "${3:?usage: run-fuzzer.sh <fuzz target> <work folder> <seed folder> [libFuzzer options...]}"
fuzzer=$(readlink -f "$1") work=$(readlink -m "$2") seeds=$(readlink -f "$3")
shift 3
bash "$(dirname "${BASH_SOURCE[0]}")/make-edge-inputs.sh" "$work/edge"
mkdir -p "$work/corpus" && cd "$work"
"$fuzzer" -artifact_prefix="$work/" -print_final_stats=1 "$@" corpus "$seeds" edge >fuzz.log 2>&1 && status=0 || status=$?
grep -E '^(INFO: seed corpus|Done|stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY|.*runtime error)' fuzz.log || true
echo "$(basename "$fuzzer"): exit $status; log in $work/fuzz.log"
exit "$status"
