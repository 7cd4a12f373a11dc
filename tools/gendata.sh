#!/usr/bin/env bash
# Rebuilds the sample-data generator and rewrites the sample profile files in
# data/. Usage: bash tools/gendata.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
cmake -S . -B "$build" >/dev/null
cmake --build "$build" --target ondrik_gendata
"$build/ondrik_gendata" data
