#!/usr/bin/env bash
# The main job of `make run`: until the window exists, show the bundled sample recordings
# through the command-line tool.
set -euo pipefail
cd "$(dirname "$0")/.."
exec build/bin/orvelgraph-cli info data/samples/*
