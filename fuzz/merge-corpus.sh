#!/usr/bin/env bash
# Minimises what the fuzzers found into the committed corpus: for each target, the smallest set
# of inputs (committed and new) that covers what all of them cover replaces tests/data/fuzz/<target>;
# the findings (finding-<hash>) are kept as they are.
# Usage: fuzz/merge-corpus.sh BUILD_DIR [TARGET...]
set -euo pipefail
build=$1
shift
root=$(cd "$(dirname "$0")/.." && pwd)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=($(ls "$build/corpus"))
for target in "${targets[@]}"; do
    committed="$root/tests/data/fuzz/$target"
    merged=$(mktemp -d)
    mkdir -p "$committed"
    "$build/bin/$target" -merge=1 "$merged" "$committed" "$build/corpus/$target" >/dev/null 2>&1
    # Past findings stay under their own names, whatever they still add.
    find "$committed" -maxdepth 1 -type f ! -name 'finding-*' -delete
    cp "$merged"/* "$committed"/
    rm -rf "$merged"
    echo "$target: $(ls "$committed" | wc -l) inputs, $(du -sk "$committed" | cut -f1) KiB"
done
