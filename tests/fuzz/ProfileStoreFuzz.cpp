// libFuzzer target for the profile store's readers: the input is a station
// file ("_sta") and a WPS file ("_wsc"), split at the first zero byte; both
// are read as the current profile and the WPS credential store.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/Platform.h"
#include "platform/win/kernel/Root.h"
#include "worker/IniProfileStore.h"
#include "worker/ProfileStore.h"
#include "worker/WorkerGlobals.h"

namespace {

// A platform root in a temporary folder for the whole run; the folder goes at
// exit (the platform's own state is left to its exit).
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
  std::string path;
};

void WriteStoreFile(int kind, const std::string& text) {
  const CString path = IniProfileFileName(g_strAdapterGuid, kind, 0);
  HANDLE file = CreateFile(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  if (!text.empty()) WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  WritePrivateProfileString(nullptr, nullptr, nullptr, path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TemporaryRoot root;
  static const bool ready = [] {
    CreateDirectory("C:\\Data", nullptr);
    g_strDataFolder = "C:\\Data\\";
    g_strAdapterGuid = "{F0F0F0F0-0000-1111-2222-333344445555}";
    g_nFamilyIndex = 8;
    g_nOsType = 11;
    g_b8021xSupport = 1;
    return true;
  }();
  if (!ready || root.path.empty()) return 0;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t split = input.find('\0');
  WriteStoreFile(kIniKindStation, input.substr(0, split));
  WriteStoreFile(kIniKindWps, split == std::string::npos ? std::string() : input.substr(split + 1));
  _PROFILE_DATA profile;
  ReadCurrentProfile(&profile);
  for (const NdisKeyBlock& block : profile.WepKey) KeyBlockKeyLength(block);
  ReadWpsStore();
  char small[3];
  ReadIniValue(g_strAdapterGuid, kIniKindStation, "Config", "SSID", small, sizeof small, 0);
  return 0;
}
