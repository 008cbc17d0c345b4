#!/usr/bin/env bash
# Builds everything and runs every test. With --sanitize: the same tests in an
# AddressSanitizer + UBSan build (folder build-asan). JOBS (default: every
# core) sets how many compilers and tests run at once.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
dir=build; flags=(); jobs=${JOBS:-$(nproc)}
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan; flags=(-DWAVOREL_SANITIZE=ON -DWAVOREL_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
fi
cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$dir" -j "$jobs" --output-on-failure --timeout 300
