#!/usr/bin/env bash
# Start-up of Pocket VEL against a bare Qt window with a table, measured in turn in the same run
# (absolute times on a shared machine vary by a third from run to run; their ratio does not).
# Each run is timed from the exec (vel_launch) to the first painted window, offscreen, on the
# worked example, with an empty temporary configuration; prints the medians and their ratio.
set -euo pipefail
usage="usage: startup.sh PATH/TO/vel_startup_probe PATH/TO/vel_startup_floor [RUNS]"
probe=${1:?$usage}
floor=${2:?$usage}
runs=${3:-15}
root=$(cd "$(dirname "$0")/.." && pwd)
file="$root/examples/worked-example-interest-only.vel"
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT

# One run: "MICROSECONDS PEAK_KIB".
measure() {
    local out
    out=$(XDG_CONFIG_HOME="$config" QT_QPA_PLATFORM=offscreen timeout 60 \
        "$(dirname "$probe")/vel_launch" "$@" 2>/dev/null)
    awk '/^startup_ns/ {t = $2} /^peak_rss_kib/ {p = $2} END {printf "%d %d\n", t / 1000, p}' <<<"$out"
}
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

ours=() bare=() ourPeaks=() barePeaks=()
for ((i = 0; i < runs; i++)); do
    read -r t p < <(measure "$probe" "$file")
    ours+=("$t") ourPeaks+=("$p")
    read -r t p < <(measure "$floor")
    bare+=("$t") barePeaks+=("$p")
done
o=$(median "${ours[@]}") b=$(median "${bare[@]}")
awk -v o="$o" -v b="$b" -v op="$(median "${ourPeaks[@]}")" -v bp="$(median "${barePeaks[@]}")" \
    -v n="$runs" 'BEGIN {
    printf "start-up to the first painted workspace: %.1f ms (median of %d runs)\n", o / 1000, n
    printf "a bare Qt window with a table, in turn:  %.1f ms\n", b / 1000
    printf "start-up ratio: %.2fx (goal <= 1.3x)\n", o / b
    printf "peak resident memory: %.1f MB (bare window %.1f MB)\n", op / 1024, bp / 1024
}'
