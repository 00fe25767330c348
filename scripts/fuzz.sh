#!/usr/bin/env bash
# Runs every fuzzing harness for a bounded time from the seed corpus kept in fuzz/corpus.
# New inputs go to a scratch copy, so the repository's corpus stays small.
set -euo pipefail
bin=$1
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for name in investment_file extension_block scale_text parse_value format_value; do
    work="$root/fuzz/corpus-run/$name"
    mkdir -p "$work"
    cp -n "$root/fuzz/corpus/$name/"* "$work/" 2>/dev/null || true
    echo "== fuzz_$name for ${seconds}s"
    if ! "$bin/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 "$work" \
        2>"$work.log"; then
        echo "fuzz_$name found a problem; see $work.log"
        status=1
    fi
    grep -E 'stat::number_of_executed_units|Done [0-9]+ runs' "$work.log" | tail -n 2 || true
done
exit $status
