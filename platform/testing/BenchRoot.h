// A platform root in a fresh temporary folder for benchmark programs: made the
// platform's root on construction, removed with everything in it on
// destruction.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/win/kernel/Root.h"

namespace wavorel::testing {

class BenchRoot {
 public:
  BenchRoot() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "wavorel-bench-XXXXXX").string();
    if (mkdtemp(tmpl.data()) != nullptr) path_ = tmpl;
    wavorel::setPlatformRoot(path_);
  }
  ~BenchRoot() {
    wavorel::resetPlatformState();
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  BenchRoot(const BenchRoot&) = delete;
  BenchRoot& operator=(const BenchRoot&) = delete;

  // Empty when the folder could not be made.
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace wavorel::testing
