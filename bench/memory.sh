#!/usr/bin/env bash
# Memory a recording costs: peak RSS of `orvelgraph-cli render --size 1920x1080` of a large
# recording minus that of the same command on a small file of the same format and channels,
# divided by the number of samples.
#   4 x 10 M kmq                   target <= 6 bytes per sample
#   64 x 99999 kmv (6.4 M samples) target <= 3 bytes per sample; a kmv channel holds at most
#                                  99999 samples, so this is the largest kmv there can be
#   1 x 100 M kmq                  target <= 3 bytes per sample, and its render time; the scale
#                                  case, in kmq because a kmv cannot hold it
#
# Usage: bench/memory.sh [ORVELGRAPH_CLI [MAKE_LARGE]]
#   defaults: build/bin/orvelgraph-cli and build/bin/make_large (where a Release build puts them),
#   both built by `make bench`.
# A figure that misses its target prints MISS and still exits 0; a broken run exits non-zero.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cli=$(realpath -m "${1:-$root/build/bin/orvelgraph-cli}")
make_large=$(realpath -m "${2:-$root/build/bin/make_large}")
small_samples=1000

for tool in "$cli" "$make_large"; do
  [ -x "$tool" ] || { echo "memory: $tool is missing; build it first (make bench)" >&2; exit 1; }
done
[ -x /usr/bin/time ] || "$root/scripts/install-deps.sh" time

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

# Renders FILE and prints "WALL_SECONDS PEAK_KIB"; fails when the render fails.
render() {
  rm -f "$work/out.png"
  local start end
  start=$(date +%s%N)
  if ! /usr/bin/time -v -o "$work/time.txt" "$cli" render --size 1920x1080 -o "$work/out.png" "$1" >"$work/render.log" 2>&1 \
      || [ ! -s "$work/out.png" ]; then
    echo "memory: render of $1 failed" >&2
    cat "$work/render.log" "$work/time.txt" >&2 || true
    return 1
  fi
  end=$(date +%s%N)
  awk -v us=$(((end - start) / 1000)) -F': ' '/Maximum resident set size/ {printf "%.2f %d\n", us / 1e6, $2}' "$work/time.txt"
}

# One case: FORMAT CHANNELS SAMPLES TARGET LABEL [time]
measure() {
  local format=$1 channels=$2 samples=$3 target=$4 label=$5 show_time=${6:-}
  "$make_large" --format "$format" --channels "$channels" --samples "$small_samples" -o "$work/small.$format"
  "$make_large" --format "$format" --channels "$channels" --samples "$samples" -o "$work/large.$format"
  local small large
  small=$(render "$work/small.$format")
  large=$(render "$work/large.$format")
  rm -f "$work/small.$format" "$work/large.$format"
  awk -v small="$small" -v large="$large" -v n=$((channels * samples)) -v target="$target" -v label="$label" \
      -v show_time="$show_time" 'BEGIN {
    split(small, s, " "); split(large, l, " ")
    per = (l[2] - s[2]) * 1024 / n
    printf "  %-30s %6.2f bytes/sample (target <= %s)  %s   [%d MiB peak, %d MiB for the small file",
           label, per, target, per <= target ? "PASS" : "MISS", l[2] / 1024, s[2] / 1024
    if (show_time != "") printf "; render %.2f s", l[1]
    print "]"
  }'
}

echo "memory: peak RSS above a small file of the same kind, render --size 1920x1080 ($(nproc) cores)"
measure kmq 4 10000000 6 "4 x 10 M kmq"
measure kmv 64 99999 3 "64 x 99999 kmv"
measure kmq 1 100000000 3 "1 x 100 M kmq" time
