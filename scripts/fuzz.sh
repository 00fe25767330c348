#!/usr/bin/env bash
# Runs every fuzzing harness from the seed corpus kept in fuzz/corpus, each for a number of
# executions (default ten million), and prints what each reached: executions, inputs per
# second and coverage (libFuzzer's "cov", the code edges reached, and "ft", its features).
# A time cap in seconds may be given too (0: none). New inputs go to a scratch copy, so the
# repository's corpus stays small.
set -euo pipefail
bin=$1
runs=${2:-10000000}
seconds=${3:-0}
root=$(cd "$(dirname "$0")/.." && pwd)
names=${FUZZ_HARNESSES:-"investment_file extension_block settings_file scale_text parse_value format_value"}
status=0
for name in $names; do
    work="$root/fuzz/corpus-run/$name"
    mkdir -p "$work"
    cp -n "$root/fuzz/corpus/$name/"* "$work/" 2>/dev/null || true
    cap=""
    [ "$seconds" != 0 ] && cap=" (at most ${seconds}s)"
    echo "== fuzz_$name: $runs executions$cap"
    start=$(date +%s)
    if ! "$bin/fuzz_$name" -runs="$runs" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$work-" \
        "$work" 2>"$work.log"; then
        echo "fuzz_$name found a problem; see $work.log"
        status=1
    fi
    elapsed=$(( $(date +%s) - start ))
    done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$work.log" | tail -n 1 || true)
    execs=$(grep -oE 'stat::number_of_executed_units: [0-9]+' "$work.log" | grep -oE '[0-9]+$' || echo 0)
    cov=$(grep -oE 'cov: [0-9]+' <<<"$done_line" | grep -oE '[0-9]+' || echo ?)
    ft=$(grep -oE 'ft: [0-9]+' <<<"$done_line" | grep -oE '[0-9]+' || echo ?)
    echo "   $execs executions in ${elapsed}s, $(( execs / (elapsed > 0 ? elapsed : 1) ))/s, cov $cov, ft $ft"
done
exit $status
