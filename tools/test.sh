#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs
# every test. Usage: bash tools/test.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -DONDRIK_WERROR=ON
cmake --build build -j"$(nproc)"
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
