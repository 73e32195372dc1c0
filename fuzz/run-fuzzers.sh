#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds, seeded from the committed corpus
# (tests/data/fuzz/<target>) and the sample recordings, and prints each target's
# executions per second. New inputs stay in BUILD_DIR/corpus; fuzz/merge-corpus.sh minimises them
# into the committed corpus.
# Usage: [FUZZ_RUNS=N] fuzz/run-fuzzers.sh BUILD_DIR SECONDS [TARGET...]
# (FUZZ_RUNS ends a target's campaign after N executions, if that comes first.)
set -euo pipefail
build=$1
seconds=$2
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
samples=$root/data/samples

seed() {  # target, files
    local corpus="$build/corpus/$1"
    mkdir -p "$corpus"
    for f in "$root/tests/data/fuzz/$1"/* "${@:2}"; do
        [ -f "$f" ] && cp -n "$f" "$corpus/"
    done
    echo "$corpus"
}

# Graph documents of the samples, and their graph state XML, written by our own command line.
documents() {
    local out="$build/seeds/documents"
    [ -d "$out" ] && return
    mkdir -p "$out"
    local cli="$build/bin/orvelgraph-cli"
    for f in "$samples"/*.kmv "$samples"/*.kmq "$samples"/*.ke8 "$samples"/*.cra; do
        local name
        name=$(basename "$f")
        QT_QPA_PLATFORM=offscreen "$cli" save-kmb -o "$out/$name.kmb" "$f" >/dev/null
        QT_QPA_PLATFORM=offscreen "$cli" save-kmb --uncompressed -o "$out/$name.plain.kmb" "$f" >/dev/null
        # The graph state is the document's last section: an XML document to the end of the file.
        python3 - "$out/$name.plain.kmb" "$out/$name.state.xml" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
open(sys.argv[2], "wb").write(data[data.index(b"<?xml"):])
PY
    done
}

summary="$build/fuzz-summary.txt"
: >"$summary"
run() {  # target, corpus, extra options
    local target=$1 corpus=$2
    shift 2
    mkdir -p "$build/findings"
    local log="$build/findings/$target.log"
    echo "== $target: $seconds s"
    "$build/bin/$target" "$corpus" -max_total_time="$seconds" ${FUZZ_RUNS:+-runs=$FUZZ_RUNS} -rss_limit_mb=2048 -timeout=10 \
        -artifact_prefix="$build/findings/$target-" -print_final_stats=1 "$@" >"$log" 2>&1 || true
    local runs rate
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
    if grep -q "ERROR: \|SUMMARY: \|runtime error" "$log"; then
        echo "   FINDING: see $log and $build/findings/$target-*"
        printf '%-22s %12s runs %8s exec/s  FINDING\n' "$target" "${runs:-?}" "${rate:-?}" >>"$summary"
    else
        printf '%-22s %12s runs %8s exec/s\n' "$target" "${runs:-?}" "${rate:-?}" >>"$summary"
    fi
}

wanted() { [ ${#targets[@]} -eq 0 ] || [[ " ${targets[*]} " == *" $1 "* ]]; }
targets=("$@")

wanted fuzz_kmv && run fuzz_kmv "$(seed fuzz_kmv "$samples"/*.kmv)"
wanted fuzz_kmq && run fuzz_kmq "$(seed fuzz_kmq "$samples"/*.kmq)" -dict="$root/fuzz/kmq.dict"
wanted fuzz_ke8 && run fuzz_ke8 "$(seed fuzz_ke8 "$samples"/*.ke8)"
wanted fuzz_kmw && run fuzz_kmw "$(seed fuzz_kmw "$samples"/*.kmw)"
wanted fuzz_ks2 && run fuzz_ks2 "$(seed fuzz_ks2 "$samples"/*.ks2)"
wanted fuzz_cra && run fuzz_cra "$(seed fuzz_cra "$samples"/*.cra)"
wanted fuzz_ks3 && run fuzz_ks3 "$(seed fuzz_ks3 "$samples"/*.ks3)"
wanted fuzz_kn && run fuzz_kn "$(seed fuzz_kn "$samples"/*.kn1 "$samples"/*.kn2)"
wanted fuzz_dss && run fuzz_dss "$(seed fuzz_dss "$samples"/*.json)" -dict="$root/fuzz/dss.dict"
wanted fuzz_stored_channel && run fuzz_stored_channel "$(seed fuzz_stored_channel)"
if wanted fuzz_kmb || wanted fuzz_graph_state; then documents; fi
# A document reaches some 20,000 coverage features per input, and the entropic scheduler's
# bookkeeping of them took three times as long as the input itself.
wanted fuzz_kmb && run fuzz_kmb "$(seed fuzz_kmb "$build"/seeds/documents/*.kmb)" -entropic=0
wanted fuzz_graph_state && run fuzz_graph_state "$(seed fuzz_graph_state "$build"/seeds/documents/*.xml)" \
    -dict="$root/fuzz/xml.dict" -entropic=0
wanted fuzz_prm && run fuzz_prm "$(seed fuzz_prm)" -dict="$root/fuzz/xml.dict"
wanted fuzz_scale_expr && run fuzz_scale_expr "$(seed fuzz_scale_expr)"
wanted fuzz_update_answer && run fuzz_update_answer "$(seed fuzz_update_answer)" -dict="$root/fuzz/update.dict"
wanted fuzz_update_config && run fuzz_update_config "$(seed fuzz_update_config)" -dict="$root/fuzz/xml.dict"

echo "== executions per target (one core each, ASan + UBSan)"
cat "$summary"
! grep -q FINDING "$summary"
