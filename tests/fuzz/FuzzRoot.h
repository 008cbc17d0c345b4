// A platform root in a temporary folder for the whole run of a fuzz target
// that writes files; the folder goes at exit (the platform's own state is
// left to its exit).
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/win/kernel/Root.h"

struct TemporaryRoot {
  TemporaryRoot() {
    std::string pattern = (std::filesystem::temp_directory_path() / "wavorel-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data())) path = pattern;
    wavorel::setPlatformRoot(path);
  }
  ~TemporaryRoot() {
    std::error_code ec;
    if (!path.empty()) std::filesystem::remove_all(path, ec);
  }
  TemporaryRoot(const TemporaryRoot&) = delete;
  TemporaryRoot& operator=(const TemporaryRoot&) = delete;
  std::string path;
};
