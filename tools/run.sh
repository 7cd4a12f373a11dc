#!/usr/bin/env bash
# Installs what is missing, builds and starts Ondrik.
#
# With a display (DISPLAY or WAYLAND_DISPLAY) the window opens; arguments are
# passed on to the program.
# Without one the program makes a batch run: by default it loads the shipped
# NAM file for KOKC, saves snapshots of the hour indexes 0, 12 and 24 with
# display setup A and ends; other arguments replace that command line (they
# must end the run with -CLOSE). The PNG files go to the snapshot folder of
# the configuration (the program folder, build/, by default); their paths are
# printed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build
cmake --build build -j"$(nproc)" --target Ondrik Wexfold

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/Ondrik "$@"
fi

if [ $# -eq 0 ]; then
  set -- "$PWD/build/NAM_KOKC.ond" -SIZE=100 -PROFILE=A0A12A24 -CLOSE
fi
echo "No display: batch run of Ondrik $*"
list="$(mktemp)"
trap 'rm -f "$list"' EXIT
status=0
build/Ondrik "$@" >"$list" || status=$?
if [ -s "$list" ]; then
  echo "PNG snapshots saved in $(dirname "$(head -n 1 "$list")"):"
  sed 's/^/  /' "$list"
else
  echo "No snapshot was saved."
fi
if [ "$status" -ne 0 ]; then
  echo "The batch run failed (exit status $status)." >&2
fi
exit "$status"
