// The data-folder setting file and the program INI.
#include <fstream>
#include <string>

#include "tests/worker/DriverTest.h"
#include "worker/Settings.h"

namespace worker::testing {
namespace {

class SettingsTest : public DriverTest {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    g_nDataFolderKind = 0;
    g_strDataFolder = "stale";
  }
  // ".\setting" lies in the current directory, which starts at the program folder.
  void writeSetting(const std::string& text) {
    std::ofstream(programLinux() + "/setting", std::ios::binary) << text;
  }
  static void setLocalAppData(const std::string& folder) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Volatile Environment", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                             nullptr),
              ERROR_SUCCESS);
    RegSetValueEx(key, "LOCALAPPDATA", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                  static_cast<DWORD>(folder.size() + 1));
    RegCloseKey(key);
  }
};

TEST_F(SettingsTest, DataFolderFromTheSettingFile) {
  const std::string longDir(200, 'd');
  struct Case {
    const char* name;
    std::string setting;  // "" = no setting file
    std::string folder;
    UINT kind;
  };
  const Case cases[] = {
      {"no file: per-user folder", "", "C:\\Users\\ann\\AppData\\Local\\", 0},
      {"type 1", "[config]\r\ntype=1\r\n", "C:\\Users\\ann\\AppData\\Local\\", 0},
      {"type 2 without dir", "[config]\r\ntype=2\r\n", ".\\", 1},
      {"type 2 with dir", "[config]\r\ntype=2\r\ndir=D:\\Profiles\\\r\n", "D:\\Profiles\\", 1},
      {"dir cut to its buffer", "[config]\r\ntype=2\r\ndir=" + longDir + "\r\n", longDir.substr(0, 127), 1},
      {"type 3", "[config]\r\ntype=3\r\n", "", 0},
      {"type not a number", "[config]\r\ntype=two\r\n", "", 0},
      {"empty type: default", "[config]\r\ntype=\r\n", "C:\\Users\\ann\\AppData\\Local\\", 0},
  };
  setLocalAppData("C:\\Users\\ann\\AppData\\Local");
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    std::remove((programLinux() + "/setting").c_str());
    if (!k.setting.empty()) writeSetting(k.setting);
    g_nDataFolderKind = 0;
    InitDataFolder();
    EXPECT_EQ(std::string(g_strDataFolder), k.folder);
    EXPECT_EQ(GetDataFolderKind(), k.kind);
  }
}

TEST_F(SettingsTest, UnknownTypeLeavesTheKindAlone) {
  writeSetting("[config]\r\ntype=2\r\n");
  InitDataFolder();
  ASSERT_EQ(GetDataFolderKind(), 1u);
  writeSetting("[config]\r\ntype=7\r\n");
  CString out("kept");
  ReadDataFolderSetting(out);
  EXPECT_EQ(std::string(out), "kept");
  EXPECT_EQ(GetDataFolderKind(), 1u);
}

// On a fresh root the per-user folder is the logged-on user's, made under the
// root: the INI store does not land in the working folder.
TEST_F(SettingsTest, FreshRootGivesAPerUserFolderUnderTheRoot) {
  InitDataFolder();
  EXPECT_EQ(std::string(g_strDataFolder), "C:\\Users\\User\\AppData\\Local\\");
  std::string folder;
  ASSERT_TRUE(wavorel::resolveWindowsPath(std::string(g_strDataFolder), folder));
  EXPECT_EQ(folder.rfind(root() + "/drive_c/", 0), 0u) << folder;
  EXPECT_TRUE(std::filesystem::is_directory(folder)) << folder;
}

TEST_F(SettingsTest, PerUserFolderThatCannotBeReadLeavesTheDataFolderEmpty) {
  // Missing, and longer than the 128 bytes it is read into.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Volatile Environment", 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteValue(key, "LOCALAPPDATA"), ERROR_SUCCESS);
  RegCloseKey(key);
  InitDataFolder();
  EXPECT_EQ(std::string(g_strDataFolder), "");
  setLocalAppData("C:\\" + std::string(140, 'x'));
  InitDataFolder();
  EXPECT_EQ(std::string(g_strDataFolder), "");
  EXPECT_EQ(GetDataFolderKind(), 0u);
}

TEST_F(SettingsTest, ProgramFolderEndsInABackslash) {
  InitFolders();
  EXPECT_EQ(std::string(g_strProgramFolder), "C:\\Program Files\\WavorelVista\\");
}

TEST_F(SettingsTest, ProgramIniValues) {
  const char* ini = "C:\\Program Files\\WavorelVista\\WavorelVista.ini";
  char out[256];
  EXPECT_STREQ(GetModuleIniString("Advance", "OpenFile", "0", out, sizeof(out), "ini"), "0") << "no INI yet";
  ASSERT_TRUE(WritePrivateProfileString("Advance", "OpenFile", "1", ini));
  ASSERT_TRUE(WritePrivateProfileString("VX31", "DeviceID_1", "usb\\vid_148f&pid_3070", ini));
  ASSERT_TRUE(WritePrivateProfileString("Advance", "HT Setting", std::string(300, 'h').c_str(), ini));

  EXPECT_EQ(GetModuleIniString("Advance", "OpenFile", "0", out, sizeof(out), "ini"), out);
  EXPECT_STREQ(out, "1");
  EXPECT_STREQ(GetModuleIniString("Advance", "TGnWiFiTest", "0", out, sizeof(out), "ini"), "0");
  EXPECT_STREQ(GetModuleIniString("VX31", "DeviceID_1", "", out, sizeof(out), "INI"), "usb\\vid_148f&pid_3070")
      << "the device lists are read through the upper-case name of the same file";
  EXPECT_EQ(std::string(GetModuleIniString("Advance", "HT Setting", "", out, sizeof(out), "ini")),
            std::string(255, 'h'));
  char small[4];
  EXPECT_STREQ(GetModuleIniString("VX31", "DeviceID_1", "", small, sizeof(small), "INI"), "usb");
}

TEST_F(SettingsTest, OnlyTheLastDotOfTheProgramPathIsReplaced) {
  const std::string folder = root() + "/dotted";
  std::filesystem::create_directories(folder);
  wavorel::setProgramFolder(folder, "Wavorel.v2");
  ASSERT_TRUE(WritePrivateProfileString("Advance", "OpenFile", "1", "C:\\Program Files\\Wavorel.v2\\Wavorel.v2.ini"));
  char out[256];
  EXPECT_STREQ(GetModuleIniString("Advance", "OpenFile", "0", out, sizeof(out), "ini"), "1");
}

}  // namespace
}  // namespace worker::testing
