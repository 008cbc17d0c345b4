// GetPrivateProfileString on the poll path: one key of a 200-line file whose
// parsed copy is already cached.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/win/PrivateProfile.h"
#include "platform/win/Root.h"

namespace {

class IniFixture {
 public:
  IniFixture() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "wavorel-bench-XXXXXX").string();
    if (mkdtemp(tmpl.data()) != nullptr) root_ = tmpl;
    wavorel::setPlatformRoot(root_);
    std::filesystem::create_directories(root_ + "/drive_c/data");
    std::ofstream out(root_ + "/drive_c/data/VX52PCI_{GUID}_sta", std::ios::binary);
    for (int s = 0; s < 4; ++s) {
      out << "[Section" << s << "]\r\n";
      for (int k = 0; k < 49; ++k) out << "Key" << k << "=value of key " << k << "\r\n";
    }
  }
  ~IniFixture() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }

 private:
  std::string root_;
};

void BM_GetPrivateProfileStringWarm(benchmark::State& state) {
  IniFixture fixture;
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
