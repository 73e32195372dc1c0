#!/usr/bin/env bash
# The main job of `make run`: the window on the bundled sample recordings when there is a display;
# without one, the same recordings rendered to build/sample.png and exported to build/sample.csv.
set -euo pipefail
cd "$(dirname "$0")/.."
samples=(data/samples/warehouse-week.kmv data/samples/gallery-light.kmv data/samples/lab-two-days.kmq)
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec build/bin/orvelgraph "${samples[@]}"
fi
echo "No display: rendering the sample recordings instead."
recordings=()
for f in data/samples/*; do [[ $f == *.json ]] || recordings+=("$f"); done
build/bin/orvelgraph-cli info "${recordings[@]}"
build/bin/orvelgraph-cli info --web-storage data/samples/*.json
build/bin/orvelgraph-cli render --size 1400x800 -o build/sample.png "${samples[@]}"
build/bin/orvelgraph-cli export-csv -o build/sample.csv "${samples[@]}"
build/bin/orvelgraph-cli save-kmb -o build/sample.kmb "${samples[@]}"
build/bin/orvelgraph-cli info build/sample.kmb
echo "Graph: $(pwd)/build/sample.png"
echo "CSV:   $(pwd)/build/sample.csv"
echo "Graph document: $(pwd)/build/sample.kmb"
echo "A picture of the window: build/bin/orvelgraph --screenshot build/window.png ${samples[*]} (with QT_QPA_PLATFORM=offscreen)"
