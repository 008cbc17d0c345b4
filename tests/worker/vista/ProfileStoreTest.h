// Fixture of the profile store tests: the module fixture with a data folder
// "C:\Data\" and the default adapter (family 8, files "VX31_<GUID>_..."),
// and helpers that read and write the store's files directly.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/worker/ModuleTest.h"
#include "worker/IniProfileStore.h"
#include "worker/WorkerGlobals.h"

namespace worker::testing {

class ProfileStoreTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    useStoreFolders();
  }

  void useStoreFolders() {
    g_strProgramFolder = "C:\\Program Files\\WavorelVista\\";
    g_strDataFolder = "C:\\Data\\";
    CreateDirectory("C:\\Data", nullptr);
    g_nFamilyIndex = 8;
    g_b8021xSupport = 0;
    g_bWpsConnect = 0;
  }

  static std::string linuxPath(const CString& windowsPath) {
    std::string path;
    wavorel::resolveWindowsPath(static_cast<LPCSTR>(windowsPath), path);
    return path;
  }
  static std::string fileOf(int kind) {
    return linuxPath(IniProfileFileName(g_strAdapterGuid, kind, 0));
  }
  static std::string readFile(int kind) {
    std::ifstream in(fileOf(kind), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static void writeFile(int kind, const std::string& text) {
    std::ofstream(fileOf(kind), std::ios::binary) << text;
    WritePrivateProfileString(nullptr, nullptr, nullptr, IniProfileFileName(g_strAdapterGuid, kind, 0));
  }
  // A value as the store gives it back.
  static std::string read(int kind, const char* section, const char* key, int size = 256) {
    std::string out(static_cast<size_t>(size), '\x7F');
    ReadIniValue(g_strAdapterGuid, kind, section, key, out.data(), size, 0);
    return std::string(out.c_str());
  }
  // A value as the private-profile functions give it, no decoding.
  static std::string raw(int kind, const char* section, const char* key) {
    char out[512] = "";
    GetPrivateProfileString(section, key, "<none>", out, sizeof out, IniProfileFileName(g_strAdapterGuid, kind, 0));
    return out;
  }
  static BOOL write(int kind, const char* section, const char* key, const char* value) {
    return WriteIniValue(g_strAdapterGuid, kind, section, key, value, 0);
  }
};

}  // namespace worker::testing
