#!/usr/bin/env bash
# Times our render of a 4 x 1 M-sample recording against KST 2 drawing the same values from
# their text form: 5 runs each, alternately, after one untimed warm-up run of each.
# Prints the medians of wall time and peak RSS, and the ratios ours / KST with their targets.
#
# Usage: bench/peer-render.sh [ORVELGRAPH_CLI [MAKE_LARGE]]
#   defaults: build/bin/orvelgraph-cli and build/bin/make_large (where a Release build puts them),
#   both built by `make bench`.
# Installs the Debian packages kst and time when they are missing (scripts/install-deps.sh).
# A figure that misses its target prints MISS and still exits 0; a broken run exits non-zero.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cli=$(realpath -m "${1:-$root/build/bin/orvelgraph-cli}")
make_large=$(realpath -m "${2:-$root/build/bin/make_large}")
runs=5
time_target=0.2
memory_target=0.5

for tool in "$cli" "$make_large"; do
  [ -x "$tool" ] || { echo "peer-render: $tool is missing; build it first (make bench)" >&2; exit 1; }
done
if ! command -v kst2 >/dev/null || [ ! -x /usr/bin/time ]; then
  "$root/scripts/install-deps.sh" kst time
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

echo "peer-render: writing 4 x 1 M samples as kmq and as text ($(nproc) cores)"
"$make_large" --format kmq --channels 4 --samples 1000000 --text "$work/large.dat" -o "$work/large.kmq"

ours=("$cli" render --size 1920x1080 -o "$work/ours.png" "$work/large.kmq")
peer=(kst2 "$work/large.dat" -x 1 -y 2 -y 3 -y 4 -y 5 --png "$work/peer.png")

# Runs a command under /usr/bin/time -v (run in the prefix, if any, so that only the command is
# measured) and appends "WALL_SECONDS PEAK_KIB" to a results file; fails when the command fails
# or writes no picture.
measure() {
  local results=$1 picture=$2
  shift 2
  local prefix=()
  if [ "$1" = "--prefix" ]; then prefix=($2); shift 2; fi
  rm -f "$picture"
  if ! "${prefix[@]}" bash -c '
      start=$(date +%s%N)
      /usr/bin/time -v -o "$1" "${@:3}" >"$1.out" 2>&1 || exit 1
      echo $(( ($(date +%s%N) - start) / 1000 )) > "$2"' _ "$work/time.txt" "$work/wall.txt" "$@"; then
    echo "peer-render: failed: $*" >&2
    cat "$work/time.txt.out" "$work/time.txt" >&2 2>/dev/null || true
    return 1
  fi
  [ -s "$picture" ] || { echo "peer-render: no picture from: $*" >&2; return 1; }
  local kib
  kib=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
  echo "$(awk -v us="$(cat "$work/wall.txt")" 'BEGIN {printf "%.3f", us / 1e6}') $kib" >> "$results"
}

# KST needs a display: the offscreen platform first, a virtual X server if that fails.
peer_prefix=""
if ! measure "$work/warmup" "$work/peer.png" "${peer[@]}" 2>/dev/null; then
  if ! command -v xvfb-run >/dev/null; then "$root/scripts/install-deps.sh" xvfb xauth; fi
  peer_prefix="env -u QT_QPA_PLATFORM xvfb-run -a"
  measure "$work/warmup" "$work/peer.png" --prefix "$peer_prefix" "${peer[@]}"
fi
echo "peer-render: KST runs with ${peer_prefix:-QT_QPA_PLATFORM=offscreen}"
measure "$work/warmup" "$work/ours.png" "${ours[@]}"

for ((i = 0; i < runs; ++i)); do
  measure "$work/ours" "$work/ours.png" "${ours[@]}"
  measure "$work/peer" "$work/peer.png" ${peer_prefix:+--prefix "$peer_prefix"} "${peer[@]}"
done

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
ours_time=$(cut -d' ' -f1 "$work/ours" | median)
peer_time=$(cut -d' ' -f1 "$work/peer" | median)
ours_kib=$(cut -d' ' -f2 "$work/ours" | median)
peer_kib=$(cut -d' ' -f2 "$work/peer" | median)

verdict() { awk -v v="$1" -v t="$2" 'BEGIN {print (v <= t ? "PASS" : "MISS")}'; }
time_ratio=$(awk -v a="$ours_time" -v b="$peer_time" 'BEGIN {printf "%.3f", a / b}')
memory_ratio=$(awk -v a="$ours_kib" -v b="$peer_kib" 'BEGIN {printf "%.3f", a / b}')
printf 'peer-render: median of %d runs, 4 x 1 M samples at 1920x1080\n' "$runs"
printf '  ours: %s s, %d MiB peak\n' "$ours_time" $((ours_kib / 1024))
printf '  KST:  %s s, %d MiB peak\n' "$peer_time" $((peer_kib / 1024))
printf '  time ours/KST   %s  (target <= %s)  %s\n' "$time_ratio" "$time_target" "$(verdict "$time_ratio" "$time_target")"
printf '  memory ours/KST %s  (target <= %s)  %s\n' "$memory_ratio" "$memory_target" "$(verdict "$memory_ratio" "$memory_target")"
