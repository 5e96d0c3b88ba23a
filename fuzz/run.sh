#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, AddressSanitizer and UBSan in build/fuzz, and runs
# them one after another, each as a single process for the given number of seconds.
#
#   bash fuzz/run.sh [TARGET|all] [SECONDS] [libFuzzer options...]
#   bash fuzz/run.sh mp3reader 600 -runs=10000000
#
# TARGET is mp3reader, mp3length, projectfile, settings or swfparse (default all), SECONDS defaults to 60. New inputs
# go to build/fuzz/corpus/TARGET, crashing ones to build/fuzz/artifacts; the committed corpus in
# fuzz/corpus/TARGET is only read. Copy a crashing input into fuzz/corpus/TARGET once it is fixed:
# the normal test run replays every file there.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${TAVREL_FUZZ_BUILD_DIR:-$root/build/fuzz}"
all_targets=(mp3reader mp3length projectfile settings swfparse)

target="${1:-all}"
seconds="${2:-60}"
shift $(($# < 2 ? $# : 2))
if [ "$target" = all ]; then
  targets=("${all_targets[@]}")
elif [[ " ${all_targets[*]} " == *" $target "* ]]; then
  targets=("$target")
else
  echo "run.sh: unknown target '$target' (one of: ${all_targets[*]}, all)" >&2
  exit 2
fi

# What the project's own build needs, and clang with its fuzzer runtime, which only fuzzing needs.
bash "$root/scripts/install-deps.sh" clang libclang-rt-dev

cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=None
cmake --build "$build" -j "$(nproc)"

mkdir -p "$build/artifacts"
status=0
for t in "${targets[@]}"; do
  mkdir -p "$build/corpus/$t"
  echo "run.sh: fuzzing $t for $seconds s"
  log="$build/$t.log"
  rc=0
  "$build/fuzz_$t" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$t-" "$@" "$build/corpus/$t" "$root/fuzz/corpus/$t" >"$log" 2>&1 || rc=$?
  if [ "$rc" -ne 0 ]; then
    grep -E 'ERROR|SUMMARY|Test unit written' "$log" >&2 || true
    echo "run.sh: $t FAILED (exit $rc); see $log and $build/artifacts" >&2
    status=1
  fi
  grep -E '^stat::number_of_executed_units|^stat::average_exec_per_sec|Done [0-9]+ runs' "$log" || true
done
exit $status
