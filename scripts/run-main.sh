#!/usr/bin/env bash
# The main job of `make run`: until the window exists, show what the command-line tool offers.
set -euo pipefail
cd "$(dirname "$0")/.."
exec build/bin/orvelgraph-cli --help
