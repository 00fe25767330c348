#!/usr/bin/env bash
# Start-up of Pocket VEL: the time from process start (its exec, by vel_launch beside the probe)
# to the first painted workspace, and the peak resident memory, over several offscreen runs on
# the worked example; prints the medians.
# Settings come from an empty temporary configuration, so the user's own are not touched.
set -euo pipefail
probe=${1:?usage: startup.sh PATH/TO/vel_startup_probe [RUNS] [WHAT]}
runs=${2:-15}
what=${3:-startup to first painted workspace}
root=$(cd "$(dirname "$0")/.." && pwd)
file="$root/examples/worked-example-interest-only.vel"
[ -f "$file" ] || file="$root/fuzz/corpus/investment_file/worked-io.vel"
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT

times=()
peaks=()
for ((i = 0; i < runs; i++)); do
    out=$(XDG_CONFIG_HOME="$config" QT_QPA_PLATFORM=offscreen timeout 60 \
        "$(dirname "$probe")/vel_launch" "$probe" "$file" 2>/dev/null)
    took=$(awk '/^startup_ns/ {print $2}' <<<"$out")
    peak=$(awk '/^peak_rss_kib/ {print $2}' <<<"$out")
    times+=($(( took / 1000 )))
    peaks+=("$peak")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
t=$(median "${times[@]}")
p=$(median "${peaks[@]}")
printf '%s: median %d.%03d ms over %d runs\n' "$what" $((t / 1000)) $((t % 1000)) "$runs"
printf 'peak resident memory: median %d.%01d MB\n' $((p / 1024)) $(((p % 1024) * 10 / 1024))
