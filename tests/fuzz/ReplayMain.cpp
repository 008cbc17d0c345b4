// Runs a fuzz target's entry on every file of the folders or files named on
// the command line (the inputs kept for it), so that a crash input once found
// is replayed by every test run. Exits non-zero when no input was run.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool runFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int ran = 0;
  LLVMFuzzerTestOneInput(nullptr, 0);
  for (int i = 1; i < argc; ++i) {
    std::filesystem::path p(argv[i]);
    std::error_code ec;
    if (std::filesystem::is_directory(p, ec)) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(p, ec))
        if (entry.is_regular_file() && runFile(entry.path())) ++ran;
    } else if (runFile(p)) {
      ++ran;
    }
  }
  std::printf("%d inputs replayed\n", ran);
  return ran > 0 ? 0 : 1;
}
