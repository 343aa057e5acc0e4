#!/usr/bin/env bash
# Runs the number-reading fuzzer for a bounded time on a copy of its corpus (new finds
# stay out of the repository). Usage: run_fuzz.sh FUZZER SECONDS
set -uo pipefail
fuzzer=${1:?usage: run_fuzz.sh FUZZER SECONDS}
seconds=${2:-60}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus" "$work/artifacts"
cp "$(dirname "$0")"/corpus/* "$work/corpus/"
"$fuzzer" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$work/corpus" >"$work/log" 2>&1
status=$?
grep -E 'stat::number_of_executed_units|^Done|ERROR|SUMMARY' "$work/log"
if [ "$status" -ne 0 ]; then
    tail -n 40 "$work/log"
    for input in "$work"/artifacts/*; do
        [ -e "$input" ] && { echo "failing input ($input):"; od -c "$input" | head -n 20; }
    done
    echo "number reading fuzz: FAILED" >&2
    exit 1
fi
echo "number reading fuzz: passed"
