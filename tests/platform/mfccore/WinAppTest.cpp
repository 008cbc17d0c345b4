#include <algorithm>
// CWinApp: names and command line, profile values in the INI file and in
// the registry, message boxes, and the program's entry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/win/kernel/CommandLine.h"
#include "platform/testing/PlatformTest.h"

namespace {

class CWinAppTest : public wavorel::testing::PlatformTest {};

class CTestApp : public CWinApp {
 public:
  explicit CTestApp(LPCTSTR name = nullptr) : CWinApp(name) {}
  std::vector<std::string> boxes;
  BOOL initResult = TRUE;
  int quitCode = 0;
  bool exited = false;

  BOOL InitInstance() override {
    if (initResult) PostQuitMessage(quitCode);
    return initResult;
  }
  int ExitInstance() override {
    exited = true;
    return CWinApp::ExitInstance();
  }
  int DoMessageBox(LPCTSTR prompt, UINT type, UINT help) override {
    boxes.push_back(std::string(prompt) + "|" + std::to_string(type) + "|" + std::to_string(help));
    return IDYES;
  }
};

std::string exeBase() {
  std::string name = wavorel::moduleFileName();
  name = name.substr(name.find_last_of('\\') + 1);
  return name.substr(0, name.size() - 4);
}

TEST_F(CWinAppTest, WinInitSetsNamesAndCommandLine) {
  CTestApp app;
  EXPECT_EQ(AfxGetApp(), &app);
  char cmd[] = "-x \"a b\"";
  ASSERT_TRUE(AfxWinInit(GetModuleHandle(nullptr), nullptr, cmd, SW_SHOW));
  EXPECT_EQ(std::string(app.m_pszExeName), exeBase());
  EXPECT_EQ(std::string(app.m_pszAppName), exeBase());
  EXPECT_EQ(std::string(app.m_pszProfileName), exeBase() + ".INI");
  EXPECT_STREQ(app.m_lpCmdLine, "-x \"a b\"");
  EXPECT_EQ(app.m_nCmdShow, SW_SHOW);
  EXPECT_EQ(AfxGetInstanceHandle(), GetModuleHandle(nullptr));
}

TEST_F(CWinAppTest, ProfileValuesLiveInTheIniFileWithoutARegistryKey) {
  CTestApp app("IniApp");
  ASSERT_TRUE(AfxWinInit(GetModuleHandle(nullptr), nullptr, nullptr, SW_SHOW));
  EXPECT_EQ(app.GetProfileInt("Setting", "Mode", 7), 7u);
  EXPECT_STREQ(app.GetProfileString("Setting", "Name", "none"), "none");
  ASSERT_TRUE(app.WriteProfileInt("Setting", "Mode", -3));
  ASSERT_TRUE(app.WriteProfileString("Setting", "Name", "Quendal"));
  EXPECT_EQ(static_cast<int>(app.GetProfileInt("Setting", "Mode", 7)), -3);
  EXPECT_STREQ(app.GetProfileString("Setting", "Name"), "Quendal");
  // The file is the program's INI file in the Windows folder.
  char text[32] = "";
  GetPrivateProfileString("Setting", "Mode", "", text, sizeof text, app.m_pszProfileName);
  EXPECT_STREQ(text, "-3");
  // A null value removes the entry, a null entry the section.
  ASSERT_TRUE(app.WriteProfileString("Setting", "Name", nullptr));
  EXPECT_STREQ(app.GetProfileString("Setting", "Name", "gone"), "gone");
  ASSERT_TRUE(app.WriteProfileString("Setting", nullptr, nullptr));
  EXPECT_EQ(app.GetProfileInt("Setting", "Mode", 9), 9u);
}

TEST_F(CWinAppTest, ProfileValuesLiveUnderTheRegistryKey) {
  CTestApp app("RegApp");
  ASSERT_TRUE(AfxWinInit(GetModuleHandle(nullptr), nullptr, nullptr, SW_SHOW));
  app.SetRegistryKey("Wavorel(Quendal)");
  EXPECT_STREQ(app.m_pszRegistryKey, "Wavorel(Quendal)");
  EXPECT_STREQ(app.m_pszProfileName, "RegApp");
  EXPECT_EQ(app.GetProfileInt("Setting", "Mode", 4), 4u);
  ASSERT_TRUE(app.WriteProfileInt("Setting", "Mode", 1));
  ASSERT_TRUE(app.WriteProfileString("Setting", "LanguageType", "ENU"));
  EXPECT_EQ(app.GetProfileInt("Setting", "Mode", 4), 1u);
  EXPECT_STREQ(app.GetProfileString("Setting", "LanguageType"), "ENU");
  // A value of the other type reads as the default.
  EXPECT_EQ(app.GetProfileInt("Setting", "LanguageType", 6), 6u);
  EXPECT_STREQ(app.GetProfileString("Setting", "Mode", "dflt"), "dflt");

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Wavorel(Quendal)\\RegApp\\Setting", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  DWORD type = 0, value = 0, size = sizeof value;
  EXPECT_EQ(RegQueryValueEx(key, "Mode", nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(value, 1u);
  RegCloseKey(key);

  ASSERT_TRUE(app.WriteProfileString("Setting", "LanguageType", nullptr));
  EXPECT_STREQ(app.GetProfileString("Setting", "LanguageType", "gone"), "gone");
  ASSERT_TRUE(app.WriteProfileString("Setting", nullptr, nullptr));
  EXPECT_NE(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Wavorel(Quendal)\\RegApp\\Setting", 0, KEY_READ, &key),
            ERROR_SUCCESS);
}

TEST_F(CWinAppTest, BinaryProfileValuesRoundTripInRegistryAndIni) {
  const BYTE layout[] = {3, 0, 0, 0, 120, 0, 0, 0, 0x0A, 1, 0, 0};
  for (bool registry : {true, false}) {
    SCOPED_TRACE(registry ? "registry" : "INI");
    CTestApp app("BinApp");
    ASSERT_TRUE(AfxWinInit(GetModuleHandle(nullptr), nullptr, nullptr, SW_SHOW));
    if (registry) app.SetRegistryKey("Wavorel(Quendal)");
    LPBYTE data = nullptr;
    UINT bytes = 7;
    EXPECT_FALSE(app.GetProfileBinary("Lists", "1001", &data, &bytes));
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(bytes, 0u);
    ASSERT_TRUE(app.WriteProfileBinary("Lists", "1001", const_cast<LPBYTE>(layout), sizeof layout));
    ASSERT_TRUE(app.GetProfileBinary("Lists", "1001", &data, &bytes));
    ASSERT_EQ(bytes, sizeof layout);
    EXPECT_TRUE(std::equal(layout, layout + sizeof layout, data));
    delete[] data;
  }
}

TEST_F(CWinAppTest, AfxMessageBoxGoesThroughDoMessageBox) {
  CTestApp app;
  EXPECT_EQ(AfxMessageBox("Hello", MB_YESNO), IDYES);
  EXPECT_EQ(app.boxes, std::vector<std::string>{"Hello|" + std::to_string(MB_YESNO) + "|0"});
}

TEST_F(CWinAppTest, AfxWinMainRunsTheLoopUntilQuit) {
  CTestApp app;
  app.quitCode = 7;
  std::string a0 = "prog", a1 = "plain", a2 = "with space", a3 = "quo\"te", a4 = "", a5 = "tail\\";
  char* argv[] = {a0.data(), a1.data(), a2.data(), a3.data(), a4.data(), a5.data()};
  EXPECT_EQ(AfxWinMain(6, argv), 7);
  EXPECT_TRUE(app.exited);
  std::string cmd = app.m_lpCmdLine;
  EXPECT_EQ(cmd, "plain \"with space\" \"quo\\\"te\" \"\" tail\\");
  std::vector<std::string> back = wavorel::splitCommandLine("prog " + cmd);
  EXPECT_EQ(back, (std::vector<std::string>{"prog", "plain", "with space", "quo\"te", "", "tail\\"}));
}

TEST_F(CWinAppTest, AfxWinMainWithFailedInitExitsAtOnce) {
  CTestApp app;
  app.initResult = FALSE;
  char name[] = "prog";
  char* argv[] = {name};
  EXPECT_EQ(AfxWinMain(1, argv), 0);
  EXPECT_TRUE(app.exited);
}

}  // namespace
