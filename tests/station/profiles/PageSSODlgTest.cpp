// The single sign-on page over the registry: which profiles it offers, what
// showing it reads and writes, the enable rules of its three control sets,
// Apply and disabling, and registry values it must read as missing.
#include <map>

#include "platform/mfc/ControlRef.h"
#include "station/profiles/PageSSODlg.h"
#include "tests/station/profiles/PromptTest.h"

namespace station::testing {
namespace {

class PageSSODlgTest : public PromptTest {
 protected:
  void SetUp() override {
    PromptTest::SetUp();
    setText(g_strDriverKey, "DriverDesc", "Nerolt Card");
    // The system's own logon key is always there.
    setText(kWinlogonKeyPath, "Shell", "explorer.exe");
    g_bConnectedByProfile = 0;
  }
  void TearDown() override {
    if (page_) page_->DestroyWindow();
    page_.reset();
    PromptTest::TearDown();
  }
  CPageSSODlg& show() {
    if (!page_) page_ = make<CPageSSODlg>(IDD_PAGE_SSO);
    page_->ShowWindow(SW_HIDE);
    page_->ShowWindow(SW_SHOW);
    pump();
    return *page_;
  }
  static CString profilePath(const char* name) { return CPageSSODlg::ProfilesPath() + "\\" + name; }
  static void storeProfile(const char* name, const char* ssid, const char* protocol, const char* leap) {
    setText(profilePath(name), "SSID", ssid);
    if (protocol) setText(profilePath(name), "AuthenProtocol", protocol);
    if (leap) setText(profilePath(name), "LeapEnabled", leap);
  }
  static void setDword(const CString& path, const char* name, DWORD value) {
    HKEY key = nullptr;
    RegCreateKeyEx(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueEx(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
  }
  // Every value of a key as text (REG_SZ cut at its first zero), "<no key>"
  // when it does not open.
  static std::map<std::string, std::string> values(const CString& path) {
    std::map<std::string, std::string> out;
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return {{"<no key>", ""}};
    for (DWORD i = 0;; ++i) {
      char name[256], data[1024] = {};
      DWORD nameSize = sizeof name, dataSize = sizeof data - 1, type = 0;
      if (RegEnumValue(key, i, name, &nameSize, nullptr, &type,
                       reinterpret_cast<LPBYTE>(data), &dataSize) != ERROR_SUCCESS)
        break;
      out[name] = type == REG_SZ ? std::string(data) : "<type " + std::to_string(type) + ">";
    }
    RegCloseKey(key);
    return out;
  }
  static DWORD subkeyCount(const CString& path) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    DWORD count = 0;
    RegQueryInfoKey(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                    nullptr);
    RegCloseKey(key);
    return count;
  }
  std::vector<std::string> combo() { return comboItems(*ControlRef<CComboBox>(page_.get(), IDC_SSO_PROFILES).get()); }
  int selection() { return ControlRef<CComboBox>(page_.get(), IDC_SSO_PROFILES).get()->GetCurSel(); }
  // Enabled states of: check box, mode controls, chooser, details (Apply).
  std::vector<bool> states() {
    return {enabled(*page_, IDC_SSO_ENABLE), enabled(*page_, IDC_SSO_PROMPT_ID), enabled(*page_, IDC_SSO_PROFILES),
            enabled(*page_, IDC_SSO_APPLY)};
  }
  void installed(const char* enable) {
    setText(kSsoKeyPath, "SSOInstall", "1");
    if (enable) setText(kSsoKeyPath, "SSOEnable", enable);
  }

  std::unique_ptr<CPageSSODlg> page_;
};

TEST_F(PageSSODlgTest, OnlyLeapAndEapFastProfilesAreListedWithTheirDetails) {
  storeProfile("Fast", "FastNet", "3", nullptr);
  storeProfile("Leap", "LeapNet", nullptr, "1");  // LEAP without "AuthenProtocol"
  storeProfile("Peap", "PeapNet", "0", "0");
  storeProfile("Neither", "N", nullptr, nullptr);
  storeProfile("WrongType", "W", nullptr, nullptr);
  setDword(profilePath("WrongType"), "AuthenProtocol", 3);
  setDword(profilePath("WrongType"), "LeapEnabled", 1);
  CPageSSODlg& page = show();
  EXPECT_EQ(combo(), (std::vector<std::string>{"Fast", "Leap"}));
  // No SSO key: nothing selected, entry 0 shown.
  EXPECT_EQ(selection(), -1);
  EXPECT_EQ(itemText(page, IDC_SSO_NAME), "Fast");
  EXPECT_EQ(itemText(page, IDC_SSO_SSID), "FastNet");
  EXPECT_EQ(itemText(page, IDC_SSO_AUTH), "EAP-FAST");
  ControlRef<CComboBox>(&page, IDC_SSO_PROFILES).get()->SetCurSel(1);
  page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SSO_PROFILES, CBN_SELCHANGE), 0);
  EXPECT_EQ(itemText(page, IDC_SSO_NAME), "Leap");
  EXPECT_EQ(itemText(page, IDC_SSO_SSID), "LeapNet");
  EXPECT_EQ(itemText(page, IDC_SSO_AUTH), "LEAP");
  EXPECT_TRUE(enabled(page, IDC_SSO_APPLY));
}

TEST_F(PageSSODlgTest, ShowingWithoutTheInstallMarkWritesNothing) {
  for (const char* install : {static_cast<const char*>(nullptr), "0"}) {
    SCOPED_TRACE(install ? install : "missing");
    RegDeleteKey(HKEY_LOCAL_MACHINE, kSsoKeyPath);
    setText(kSsoKeyPath, "CurProfile", "Fast");
    if (install) setText(kSsoKeyPath, "SSOInstall", install);
    const auto before = values(kSsoKeyPath);
    show();
    EXPECT_EQ(values(kSsoKeyPath), before);
  }
}

TEST_F(PageSSODlgTest, StateAtShowSetsTheEnableRules) {
  const struct {
    const char* name;
    const char* enable;        // nullptr: missing
    bool profiles;
    const char* curProfile;    // nullptr: missing
    std::vector<bool> states;  // check box, mode, chooser, Apply
    int selection;
    const char* written;       // "SSOEnable" afterwards
  } cases[] = {
      {"missing switch is written off", nullptr, true, "Leap", {true, false, false, true}, 1, "0"},
      {"on without profiles", "1", false, nullptr, {true, true, false, false}, -1, "1"},
      {"on, current profile listed", "1", true, "leap", {true, true, true, true}, 1, "1"},
      {"on, current profile not listed", "1", true, "Other", {true, true, true, false}, -1, "1"},
      {"on, no current profile", "1", true, nullptr, {true, true, true, true}, 0, "1"},
      {"off, a profile selected", "0", true, nullptr, {true, false, false, true}, 0, "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SHDeleteKey(HKEY_LOCAL_MACHINE, kSsoKeyPath);
    SHDeleteKey(HKEY_LOCAL_MACHINE, CPageSSODlg::ProfilesPath());
    if (c.profiles) {
      storeProfile("Fast", "FastNet", "3", nullptr);
      storeProfile("Leap", "LeapNet", nullptr, "1");
    }
    installed(c.enable);
    if (c.curProfile) setText(kSsoKeyPath, "CurProfile", c.curProfile);
    show();
    EXPECT_EQ(states(), c.states);
    EXPECT_EQ(selection(), c.selection);
    EXPECT_EQ(values(kSsoKeyPath)["SSOEnable"], c.written);
  }
}

TEST_F(PageSSODlgTest, SavedPasswordReadsAsTheThreeSources) {
  const struct {
    const char* text;  // nullptr: a REG_DWORD 1, which reads as missing
    int source;
  } cases[] = {{"0", 0}, {"1", 1}, {"2", 2}, {"7", 2}, {"", 2}, {"yes", 2}, {nullptr, 0}};
  installed("1");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text ? c.text : "dword");
    if (c.text)
      setText(kSsoKeyPath, "SavedPassword", c.text);
    else
      setDword(kSsoKeyPath, "SavedPassword", 1);
    EXPECT_EQ(show().m_nPasswordSource, c.source);
  }
  // A click on a radio writes the source.
  CPageSSODlg& page = show();
  page.CheckRadioButton(IDC_SSO_WINLOGON_ID, IDC_SSO_PROMPT_ID, IDC_SSO_PROFILE_ID);
  press(page, IDC_SSO_PROFILE_ID);
  EXPECT_EQ(values(kSsoKeyPath)["SavedPassword"], "1");
}

TEST_F(PageSSODlgTest, ApplyRegistersTheLogonLibraryAndTheChosenProfile) {
  storeProfile("Fast", "FastNet", "3", nullptr);
  setText(profilePath("Fast"), "Identity", "alice");
  installed("1");
  setText(CString(kSsoKeyPath) + "\\Old\\Deeper", "x", "1");
  CPageSSODlg& page = show();
  ASSERT_EQ(selection(), 0);
  press(page, IDC_SSO_APPLY);
  EXPECT_EQ(values(kWinlogonKeyPath)["GinaDLL"], "NeroltGina.DLL");
  const auto sso = values(kSsoKeyPath);
  EXPECT_EQ(sso.at("SSOEnable"), "1");
  EXPECT_EQ(sso.at("CurProfile"), "Fast");
  EXPECT_EQ(sso.at("DeviceRegistryPath"), std::string(g_strDriverKey));
  EXPECT_EQ(sso.at("SSOProfilePath"), std::string(g_strDriverKey) + "\\Profile\\Station\\Fast");
  EXPECT_EQ(sso.at("ProfileName"), "Profile Name: Fast");
  EXPECT_EQ(sso.at("CardName"), "Card Name: Nerolt Card");
  EXPECT_EQ(subkeyCount(kSsoKeyPath), 0u);
  // The profile's values into the driver key, which names it current.
  const auto driver = values(g_strDriverKey);
  EXPECT_EQ(driver.at("CurProfile"), "Fast");
  EXPECT_EQ(driver.at("SSID"), "FastNet");
  EXPECT_EQ(driver.at("Identity"), "alice");
  EXPECT_EQ(g_bConnectedByProfile, 1);
}

TEST_F(PageSSODlgTest, DisablingRemovesTheLogonLibraryAndEverySubkey) {
  storeProfile("Fast", "FastNet", "3", nullptr);
  installed("1");
  setText(kSsoKeyPath, "CurProfile", "Fast");
  setText(kWinlogonKeyPath, "GinaDLL", "NeroltGina.DLL");
  setText(CString(kSsoKeyPath) + "\\A\\B", "x", "1");
  setText(CString(kSsoKeyPath) + "\\C", "y", "2");
  CPageSSODlg& page = show();
  page.CheckDlgButton(IDC_SSO_ENABLE, BST_UNCHECKED);
  press(page, IDC_SSO_ENABLE);
  EXPECT_EQ(states(), (std::vector<bool>{true, false, false, false}));
  EXPECT_EQ(values(kWinlogonKeyPath), (std::map<std::string, std::string>{{"Shell", "explorer.exe"}}));
  EXPECT_EQ(subkeyCount(kSsoKeyPath), 0u);
  EXPECT_EQ(values(kSsoKeyPath)["SSOEnable"], "0");
  EXPECT_EQ(values(kSsoKeyPath)["CurProfile"], "");
  // Back on: the chooser whatever the combo holds, the details by the selection.
  page.CheckDlgButton(IDC_SSO_ENABLE, BST_CHECKED);
  press(page, IDC_SSO_ENABLE);
  EXPECT_EQ(states(), (std::vector<bool>{true, true, true, true}));
}

}  // namespace
}  // namespace station::testing
