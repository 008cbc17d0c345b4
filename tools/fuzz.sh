#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (folder build-fuzz) and runs each
# briefly: FUZZ_SECONDS (default 20) per target, starting from its kept inputs
# in tests/fuzz/<name>/. A crash input is written to build-fuzz/crashes/<name>/;
# keep it in tests/fuzz/<name>/ once mended. Skips when clang with libFuzzer is
# not installed.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ not installed, skipped"
  exit 0
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DWAVOREL_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
mapfile -t targets < <(grep -v '^$' build-fuzz/fuzz-targets.txt || true)
if ((${#targets[@]} == 0)); then
  echo "fuzz: libFuzzer not available, skipped"
  exit 0
fi
cmake --build build-fuzz -j "${JOBS:-$(nproc)}" --target "${targets[@]/#/fuzz_}"
for t in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$t crashes=build-fuzz/crashes/$t
  mkdir -p "$corpus" "$crashes"
  echo "fuzz: $t"
  build-fuzz/tests/fuzz/fuzz_$t -max_total_time="${FUZZ_SECONDS:-20}" -print_final_stats=1 \
    -artifact_prefix="$crashes/" "$corpus" "tests/fuzz/$t"
done
