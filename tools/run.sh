#!/usr/bin/env bash
# Installs what is missing, builds and starts Ondrik.
# With a display the window opens. Without one (no DISPLAY or WAYLAND_DISPLAY)
# the program runs offscreen: it starts, loads the first site and saves the
# window as a PNG file, named by ONDRIK_PNG (default: ondrik-window.png here),
# then ends. Arguments are passed on to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build
cmake --build build -j"$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
  export ONDRIK_PNG="${ONDRIK_PNG:-$PWD/ondrik-window.png}"
fi
exec build/Ondrik "$@"
