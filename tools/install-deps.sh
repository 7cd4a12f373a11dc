#!/usr/bin/env bash
# Installs the build and test dependencies that are missing (Debian, as root).
# Usage: bash tools/install-deps.sh [--fuzz]
#   --fuzz  also clang and its fuzzer and sanitizer runtimes (fuzz/)
set -euo pipefail
pkgs=(cmake g++ make qt6-base-dev libgtest-dev libbenchmark-dev fonts-dejavu-core fonts-dejavu-extra xvfb)
if [ "${1:-}" = "--fuzz" ]; then
  pkgs+=(clang libclang-rt-dev)
fi
missing=()
for p in "${pkgs[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi
