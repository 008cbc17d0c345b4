#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (folder build-fuzz) and runs each
# briefly, side by side: FUZZ_SECONDS (default 20) per target, starting from its kept inputs
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
# The targets run side by side, JOBS at a time; each one's output goes to
# build-fuzz/logs/<name>.log and is shown when the target fails.
mkdir -p build-fuzz/logs
export FUZZ_SECONDS="${FUZZ_SECONDS:-20}"
fuzz_one() {
  local t=$1 corpus=build-fuzz/corpus/$1 crashes=build-fuzz/crashes/$1
  mkdir -p "$corpus" "$crashes"
  if build-fuzz/tests/fuzz/fuzz_$t -max_total_time="$FUZZ_SECONDS" -print_final_stats=1 \
      -artifact_prefix="$crashes/" "$corpus" "tests/fuzz/$t" >"build-fuzz/logs/$t.log" 2>&1; then
    echo "fuzz: $t clean"
  else
    echo "fuzz: $t FAILED"
    cat "build-fuzz/logs/$t.log"
    return 1
  fi
}
export -f fuzz_one
printf '%s\n' "${targets[@]}" | xargs -P "${JOBS:-$(nproc)}" -I{} bash -c 'fuzz_one "$@"' _ {}
