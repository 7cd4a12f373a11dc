#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a bounded time, all at once, and
# fails when any of them finds something (a crash, a sanitizer report, a
# broken check, a leak, a run slower than the time-out or larger than the
# memory limit).
#
# Usage: bash fuzz/run.sh <fuzz build folder> [seconds per target] [target ...]
# The build folder is one configured with -DCMAKE_CXX_COMPILER=clang++
# -DONDRIK_FUZZ=ON and built with --target ondrik_fuzz. Each target starts
# from its seed corpus fuzz/corpus/<target>/ and grows a working corpus of its
# own in <build>/fuzz-run/<target>/ (the seeds in the source tree are never
# changed). Findings are written there as crash-*, leak-*, timeout-*, oom-*;
# reproduce one with <build>/fuzz/fuzz_<target> <file>.
#
# Long runs: FUZZ_RUNS=<n> also stops each target after n executions (the
# seconds stay the upper bound); FUZZ_NICE=<k> runs the targets at that
# niceness, so that they take only what the machine has spare; FUZZ_JOBS=<n>
# runs at most n targets at a time (the rest wait their turn);
# FUZZ_WORKERS=<n> runs each target as n processes sharing its working corpus
# (each stops after FUZZ_RUNS executions of its own; the figures printed at
# the end are the sums).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:?usage: fuzz/run.sh <fuzz build folder> [seconds] [target ...]}" && pwd)"
seconds="${2:-60}"
shift $(($# >= 2 ? 2 : 1))
if [ $# -gt 0 ]; then
  targets=("$@")
else
  mapfile -t targets <"$build/fuzz/targets.txt"
fi

# A smaller quarantine and no fill of new blocks keep the memory the targets
# churn through warm (fresh pages and their release cost half of a run that
# lists folders); use-after-free is still caught within 32 MB of frees.
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:quarantine_size_mb=32:max_malloc_fill_size=0:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
export LSAN_OPTIONS="suppressions=$here/../tools/lsan.supp:${LSAN_OPTIONS:-}"
export QT_QPA_PLATFORM=offscreen

jobsMax="${FUZZ_JOBS:-${#targets[@]}}"
for t in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobsMax" ]; do wait -n || true; done
  work="$build/fuzz-run/$t"
  mkdir -p "$work/corpus"
  rm -f "$work/status" "$work"/fuzz-*.log
  # A dictionary fuzz/dict/<word>.dict serves the targets whose names begin with the word.
  dict=()
  for d in "$here"/dict/*.dict; do
    [ -e "$d" ] && [[ "$t" == "$(basename "$d" .dict)"* ]] && dict=(-dict="$d")
  done
  limits=(-max_total_time="$seconds")
  [ -n "${FUZZ_RUNS:-}" ] && limits+=(-runs="$FUZZ_RUNS")
  [ "${FUZZ_WORKERS:-1}" -gt 1 ] && limits+=(-jobs="$FUZZ_WORKERS" -workers="$FUZZ_WORKERS")
  (
    cd "$work"
    rc=0
    nice -n "${FUZZ_NICE:-0}" "$build/fuzz/fuzz_$t" "${limits[@]}" -timeout=10 -rss_limit_mb=2560 "${dict[@]}" \
      -print_final_stats=1 -artifact_prefix="$work/" corpus "$here/corpus/$t" >"$work/log" 2>&1 || rc=$?
    echo "$rc" >"$work/status"
  ) &
done
wait

failed=0
for t in "${targets[@]}"; do
  work="$build/fuzz-run/$t"
  if [ "$(cat "$work/status" 2>/dev/null)" = 0 ]; then
    # With workers the target's own log repeats theirs: count the workers' logs.
    logs=("$work/log")
    compgen -G "$work/fuzz-*.log" >/dev/null && logs=("$work"/fuzz-*.log)
    runs=$(cat "${logs[@]}" 2>/dev/null | sed -n 's/^stat::number_of_executed_units: *//p' | awk '{n += $1} END {print n}')
    took=$(cat "${logs[@]}" 2>/dev/null | sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' | sort -n | tail -n 1)
    echo "fuzz $t: ${runs:-?} runs in ${took:-$seconds} s, nothing found"
  else
    failed=1
    echo "fuzz $t: FINDING (log $work/log)"
    cat "$work/log" "$work"/fuzz-*.log 2>/dev/null | grep -E "fuzz finding|ERROR:|SUMMARY:|runtime error|Test unit written" | head -20 || true
  fi
done
exit $failed
