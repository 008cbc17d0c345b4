// libFuzzer target for the resource-script compiler wavrc: any script either
// compiles to a C++ source or is refused with "file:line: message", never
// anything else. The input is the script, and after its first NUL byte the
// bytes of the file "data" beside it, for ICON, CURSOR, BITMAP and RCDATA
// statements that name it.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "platform/tools/rc/CppWriter.h"
#include "platform/tools/rc/Preprocessor.h"
#include "platform/tools/rc/RcError.h"
#include "platform/tools/rc/Statements.h"

namespace {

namespace fs = std::filesystem;

// A folder of this process for the script and its data file, removed when
// the process ends.
class WorkFolder {
 public:
  WorkFolder() : path_(fs::temp_directory_path() / ("wavrc-fuzz-" + std::to_string(::getpid()))) {
    fs::create_directories(path_);
  }
  ~WorkFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

const fs::path& workFolder() {
  static const WorkFolder folder;
  return folder.path();
}

void writeFile(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t nul = input.find('\0');
  const fs::path script = workFolder() / "script.rc";
  writeFile(script, input.substr(0, nul));
  writeFile(workFolder() / "data", nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1));
  try {
    wavrc::Preprocessor pre({});
    wavrc::TokenStream ts(pre.run(script.string()));
    wavrc::ResourceSet set;
    wavrc::Script s(ts, set, {});
    wavrc::compileScript(s);
    std::ostringstream cpp;
    wavrc::writeCpp(set, "script.rc", "", cpp);
  } catch (const wavrc::RcError&) {
    // A refused script: reported as "file:line: message". Any other exception
    // escapes and is a finding.
  }
  return 0;
}
