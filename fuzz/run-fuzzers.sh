#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds, seeded from the sample recordings.
# Usage: fuzz/run-fuzzers.sh BUILD_DIR SECONDS
set -euo pipefail
build=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)

seed() {  # target, file patterns
    local corpus="$build/corpus/$1"
    mkdir -p "$corpus"
    shift
    for f in "$@"; do [ -f "$f" ] && cp -n "$f" "$corpus/"; done
    echo "$corpus"
}

run() {  # target, corpus, extra options
    local target=$1 corpus=$2
    shift 2
    echo "== $target: $seconds s"
    mkdir -p "$build/findings"
    "$build/bin/$target" "$corpus" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
        -artifact_prefix="$build/findings/$target-" -print_final_stats=1 "$@" 2>&1 | tail -n 12
}

run fuzz_kmv "$(seed fuzz_kmv "$root"/data/samples/*.kmv)"
run fuzz_kmq "$(seed fuzz_kmq "$root"/data/samples/*.kmq)" -dict="$root/fuzz/kmq.dict"
run fuzz_ke8 "$(seed fuzz_ke8 "$root"/data/samples/*.ke8 "$root"/data/samples/*.kej "$root"/data/samples/*.kad)"
run fuzz_kmw "$(seed fuzz_kmw "$root"/data/samples/*.kmw)"
run fuzz_ks2 "$(seed fuzz_ks2 "$root"/data/samples/*.ks2)"
run fuzz_cra "$(seed fuzz_cra "$root"/data/samples/*.cra)"
run fuzz_ks3 "$(seed fuzz_ks3 "$root"/data/samples/*.ks3)"
run fuzz_kn "$(seed fuzz_kn "$root"/data/samples/*.kn1 "$root"/data/samples/*.kn2)"
run fuzz_dss "$(seed fuzz_dss "$root"/data/samples/*.json)" -dict="$root/fuzz/dss.dict"
run fuzz_stored_channel "$(seed fuzz_stored_channel)"
