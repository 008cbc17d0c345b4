#include "worker/Settings.h"

#include <cstring>

#include "worker/WorkerGlobals.h"

namespace {

constexpr const char* kSettingFile = ".\\setting";
constexpr const char* kSettingSection = "config";
constexpr int kPerUserFolder = 1;
constexpr int kNamedFolder = 2;
// The folder texts are read into buffers of this size.
constexpr DWORD kFolderTextSize = 128;
constexpr DWORD kModulePathSize = 256;
constexpr DWORD kIniValueSize = 256;

// The per-user local application-data folder of the logged-on user, read with
// a bounded buffer; false when it cannot be read.
bool ReadLocalAppData(CString& folder) {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_CURRENT_USER, "Volatile Environment", 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  char value[kFolderTextSize + 1] = {};
  DWORD size = kFolderTextSize;
  DWORD type = 0;
  const LONG result = RegQueryValueEx(key, "LOCALAPPDATA", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return false;
  // A text stored without its terminator still ends inside the buffer.
  value[size < kFolderTextSize ? size : kFolderTextSize] = '\0';
  folder = value;
  return true;
}

// The program INI's path: the module's path with its extension replaced.
CString ModuleIniPath(LPCSTR extension) {
  char path[kModulePathSize] = {};
  GetModuleFileName(nullptr, path, kModulePathSize);
  path[kModulePathSize - 1] = '\0';
  CString ini(path);
  const int dot = ini.ReverseFind('.');
  if (dot >= 0) ini = ini.Left(dot + 1);
  else ini += '.';
  return ini + extension;
}

}  // namespace

void InitFolders() {
  InitDataFolder();
  char path[kModulePathSize] = {};
  GetModuleFileName(nullptr, path, kModulePathSize);
  path[kModulePathSize - 1] = '\0';
  CString module(path);
  g_strProgramFolder = module.Left(module.ReverseFind('\\') + 1);
}

void InitDataFolder() {
  CString folder;
  ReadDataFolderSetting(folder);
  g_strDataFolder = folder;
}

void ReadDataFolderSetting(CString& out) {
  const int type = static_cast<int>(GetPrivateProfileInt(kSettingSection, "type", kPerUserFolder, kSettingFile));
  if (type == kPerUserFolder) {
    g_nDataFolderKind = 0;
    CString folder;
    if (ReadLocalAppData(folder)) out = folder + "\\";
  } else if (type == kNamedFolder) {
    g_nDataFolderKind = 1;
    char dir[kFolderTextSize] = {};
    GetPrivateProfileString(kSettingSection, "dir", ".\\", dir, kFolderTextSize, kSettingFile);
    out = dir;
  }
}

UINT GetDataFolderKind() { return g_nDataFolderKind; }

LPSTR GetModuleIniString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out, DWORD outSize,
                         LPCSTR extension) {
  char value[kIniValueSize] = {};
  GetPrivateProfileString(section, key, defaultValue, value, kIniValueSize, ModuleIniPath(extension));
  if (out && outSize > 0) {
    const size_t n = std::strlen(value) < outSize - 1 ? std::strlen(value) : outSize - 1;
    std::memcpy(out, value, n);
    out[n] = '\0';
  }
  return out;
}
