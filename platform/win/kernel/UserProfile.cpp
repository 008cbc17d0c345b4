#include "platform/win/kernel/UserProfile.h"

#include <filesystem>
#include <system_error>

#include "platform/win/kernel/Paths.h"

namespace wavorel {

namespace {

constexpr const char* kUserName = "User";
constexpr const char* kHomeDrive = "C:";

}  // namespace

std::vector<std::pair<std::string, std::string>> logonEnvironment() {
  const std::string homePath = std::string("\\Users\\") + kUserName;
  const std::string profile = kHomeDrive + homePath;
  const std::string roaming = profile + "\\AppData\\Roaming";
  const std::string local = profile + "\\AppData\\Local";
  for (const std::string& folder : {roaming, local}) {
    std::string linuxPath;
    std::error_code ec;
    if (resolveWindowsPath(folder, linuxPath)) std::filesystem::create_directories(linuxPath, ec);
  }
  return {{"USERNAME", kUserName}, {"USERPROFILE", profile}, {"HOMEDRIVE", kHomeDrive},
          {"HOMEPATH", homePath},  {"APPDATA", roaming},     {"LOCALAPPDATA", local}};
}

}  // namespace wavorel
