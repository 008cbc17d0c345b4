#include "platform/sim/driver/DriverFiles.h"

#include <sys/time.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <system_error>
#include <filesystem>

#include "platform/win/kernel/Folders.h"
#include "platform/win/kernel/Paths.h"
#include "platform/win/kernel/VersionInfo.h"

namespace wavorel::sim {

namespace {

std::string versionText(const std::array<uint16_t, 4>& v) {
  char text[32];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", v[0], v[1], v[2], v[3]);
  return text;
}

// Creates the file when it is missing and sets its modification time to
// midnight UTC of `date`.
void placeFile(const std::string& windowsPath, const std::array<int, 3>& date, const std::string& description) {
  std::string path;
  if (!resolveWindowsPath(windowsPath, path)) return;
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
  if (!std::filesystem::exists(path, ec)) std::ofstream(path, std::ios::binary) << description << '\n';
  std::tm tm{};
  tm.tm_year = date[0] - 1900;
  tm.tm_mon = date[1] - 1;
  tm.tm_mday = date[2];
  timeval times[2] = {{timegm(&tm), 0}, {timegm(&tm), 0}};
  utimes(path.c_str(), times);
}

}  // namespace

std::string driverFilePath(const std::string& fileName) {
  char system[MAX_PATH] = {};
  GetSystemDirectory(system, sizeof system);
  return std::string(system) + "\\drivers\\" + fileName;
}

void installDriverFiles(const WorldAdapter& a) {
  FileVersionInfo info;
  for (size_t i = 0; i < 4; ++i) info.fileVersion[i] = info.productVersion[i] = a.driverFileVersion[i];
  info.fileType = VFT_DRV;
  info.fileSubtype = VFT2_DRV_NETWORK;
  std::string version = versionText(a.driverFileVersion);
  for (const std::string& name : a.driverFiles) {
    std::string path = driverFilePath(name);
    info.strings = {{"CompanyName", a.manufacturer},
                    {"FileDescription", a.description},
                    {"FileVersion", version},
                    {"OriginalFilename", name},
                    {"ProductVersion", version}};
    registerFileVersion(path, info);
    placeFile(path, a.driverDate, a.description);
  }
}

}  // namespace wavorel::sim
