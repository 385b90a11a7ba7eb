#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ (ORVEL_FUZZ=ON) and runs
# each for SECONDS (default 20), as many at once as there are cores
# (ORVEL_FUZZ_JOBS to choose), starting from the seed corpus in
# tests/fuzz/corpus/<target>/. Prints each target's executions and the total;
# fails when a target finds an input that breaks it (kept in
# build-fuzz/fuzz-findings/<target>/, with the target's log beside it).
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
source "$(dirname "$0")/common.sh"

seconds="${1:-20}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: scripts/fuzz.sh [SECONDS]" >&2
  exit 2
fi

orvel_install "${ORVEL_PACKAGES[@]}" "${ORVEL_FUZZ_PACKAGES[@]}"

build="${ORVEL_FUZZ_BUILD:-$ORVEL_ROOT/build-fuzz}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$ORVEL_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
    -DORVEL_FUZZ=ON -DORVEL_BUILD_TESTS=OFF -DORVEL_BUILD_BENCH=OFF
fi
orvel_checked_build cmake --build "$build" --target orvel_fuzz

# Each target with the longest input worth trying: past that, a run only
# repeats what shorter inputs reach, at a fraction of the speed.
declare -A max_len=(
  [fuzz_reads]=256         # up to 16 reads
  [fuzz_line]=512          # some 30 frames
  [fuzz_decode_lines]=512  # a dozen lines of reads
  [fuzz_settings]=512
  [fuzz_port_names]=256
  [fuzz_scenario]=512
  [fuzz_logger_file]=1024  # 13 records
  [fuzz_condition]=128
  [fuzz_marks]=512        # a dozen lines
)
targets=(fuzz_reads fuzz_line fuzz_decode_lines fuzz_settings fuzz_port_names fuzz_scenario fuzz_logger_file fuzz_condition fuzz_marks)
jobs="${ORVEL_FUZZ_JOBS:-$(nproc)}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1:print_stacktrace=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:abort_on_error=1:print_stacktrace=1}"
export QT_QPA_PLATFORM=offscreen

# Runs target $1; its status goes to the log's side file.
run_target() {
  local t="$1"
  local seeds="$ORVEL_ROOT/tests/fuzz/corpus/$t"
  local work="$build/fuzz-corpus/$t"       # what the runs found, kept between runs
  local findings="$build/fuzz-findings/$t" # inputs that broke the target
  local log="$build/fuzz-findings/$t.log"
  mkdir -p "$work" "$findings"
  local status=0
  "$build/tests/fuzz/$t" -max_total_time="$seconds" -max_len="${max_len[$t]}" -print_final_stats=1 -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix="$findings/" "$work" "$seeds" >"$log" 2>&1 || status=$?
  echo "$status" >"$log.status"
}

# The targets, $jobs at a time (each one keeps a core busy).
for t in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
    wait -n || true
  done
  run_target "$t" &
done
wait

total=0
failed=()
printf '%-20s %14s\n' target executions
for t in "${targets[@]}"; do
  log="$build/fuzz-findings/$t.log"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  runs="${runs:-0}"
  total=$((total + runs))
  if [ "$(cat "$log.status" 2>/dev/null || echo 1)" -ne 0 ]; then
    failed+=("$t")
    printf '%-20s %14s  FINDING (see %s)\n' "$t" "$runs" "$log"
  else
    printf '%-20s %14s\n' "$t" "$runs"
  fi
done
printf '%-20s %14s\n' total "$total"

if [ "${#failed[@]}" -gt 0 ]; then
  echo "fuzzing found inputs that break: ${failed[*]}" >&2
  exit 1
fi
