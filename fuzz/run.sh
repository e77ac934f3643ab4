#!/usr/bin/env bash
# Builds the fuzz target with clang and runs it for a set time.
#   fuzz/run.sh [seconds]        (default 60)
# TARVEX_FUZZ_BUILD names the build folder (default build/fuzz). Findings land
# in that folder as crash-*/leak-*/timeout-* files; the exit status is
# nonzero when there was one.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build="${TARVEX_FUZZ_BUILD:-build/fuzz}"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DTARVEX_FUZZ=ON -DTARVEX_BUILD_DESKTOP=OFF -DTARVEX_BUILD_TESTS=OFF \
  -DTARVEX_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_inorm -j "$(nproc 2>/dev/null || echo 2)"

# The seeds stay as they are; what the run learns goes to a work corpus.
work="$build/fuzz-corpus"
mkdir -p "$work"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
"$build/bin/fuzz_inorm" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
  -artifact_prefix="$build/" -print_final_stats=1 "$work" fuzz/corpus
