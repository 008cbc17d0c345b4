#include <benchmark/benchmark.h>

#include "platform/win/kernel/Clock.h"

static void BM_TickCount(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(wavorel::clock().tickMs());
}
BENCHMARK(BM_TickCount);

BENCHMARK_MAIN();
