#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (folder build-fuzz) and runs each
# briefly: FUZZ_SECONDS (default 20) per target. Skips when clang with
# libFuzzer is not installed.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ not installed, skipped"
  exit 0
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DWAVOREL_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if ! cmake --build build-fuzz --target help | grep -q fuzz_image_files; then
  echo "fuzz: libFuzzer not available, skipped"
  exit 0
fi
cmake --build build-fuzz -j "$(nproc)" --target fuzz_image_files
mkdir -p build-fuzz/corpus/images
build-fuzz/tests/fuzz_image_files -max_total_time="${FUZZ_SECONDS:-20}" -print_final_stats=1 build-fuzz/corpus/images \
  tests/platform/resources/data
