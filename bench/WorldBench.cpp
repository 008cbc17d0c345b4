// Loading the world file of the simulated machine: parsing a world of 10,000
// networks, and the whole machine load (parse, driver keys, devices).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>

#include "platform/sim/radio/Machine.h"
#include "platform/sim/radio/World.h"
#include "platform/testing/BenchRoot.h"
#include "platform/testing/LargeWorld.h"

namespace {

void BM_ParseWorld(benchmark::State& state) {
  const std::string text = wavorel::testing::largeWorldText(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(wavorel::sim::parseWorld(text, "street.ini"));
}
BENCHMARK(BM_ParseWorld)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LoadMachine(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  const std::string path = root.path() + "/street.ini";
  std::ofstream(path, std::ios::binary) << wavorel::testing::largeWorldText(static_cast<size_t>(state.range(0)));
  setenv("WAVOREL_WORLD", path.c_str(), 1);
  for (auto _ : state) {
    wavorel::resetPlatformState();
    benchmark::DoNotOptimize(wavorel::sim::machine().adapterCount());
  }
  unsetenv("WAVOREL_WORLD");
}
BENCHMARK(BM_LoadMachine)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
