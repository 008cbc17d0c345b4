// GetPrivateProfileString on the poll path: one key of a 200-line file whose
// parsed copy is already cached.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "platform/testing/BenchRoot.h"
#include "platform/win/kernel/PrivateProfile.h"

namespace {

// A 200-line INI file in a temporary platform root.
void writeProfile(const wavorel::testing::BenchRoot& root) {
  std::filesystem::create_directories(root.path() + "/drive_c/data");
  std::ofstream out(root.path() + "/drive_c/data/VX52PCI_{GUID}_sta", std::ios::binary);
  for (int s = 0; s < 4; ++s) {
    out << "[Section" << s << "]\r\n";
    for (int k = 0; k < 49; ++k) out << "Key" << k << "=value of key " << k << "\r\n";
  }
}

void BM_GetPrivateProfileStringWarm(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  writeProfile(root);
  char buf[128];
  const char* file = "C:\\data\\VX52PCI_{GUID}_sta";
  GetPrivateProfileString("Section3", "Key48", "", buf, sizeof buf, file);
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetPrivateProfileString("Section3", "Key48", "", buf, sizeof buf, file));
  }
}
BENCHMARK(BM_GetPrivateProfileStringWarm);

}  // namespace

BENCHMARK_MAIN();
