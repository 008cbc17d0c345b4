// The profile editor end to end through the worker's bridge on the default
// world: Add and Edit on the profile page, the fields by codes 19-39, OK by
// code 17; what the store and the front end's rows (code 31) show after a
// save, and the connect after a save that code 8 asked for.
#include <set>

#include "station/profiles/EditorFieldCodes.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "station/profiles/SecurityEditorDlg.h"
#include "tests/station/host/StationHostTest.h"

namespace station::testing {
namespace {

using Pairs = std::set<std::pair<std::string, std::string>>;

// The worker's bridge window as the front end sees it: every command posted
// to it is recorded, then handed on to the worker in the same order.
class EditorBridgeTest : public StationHostTest {
 protected:
  void TearDown() override {
    if (relay_) {
      SetWorkerNotifyWnd(nullptr);
      DestroyWindow(relay_);
      relay_ = nullptr;
    }
    StationHostTest::TearDown();
  }

  // From now on commands the system posts to the worker pass the recorder.
  void recordWorkerCommands() {
    WNDCLASS wc{};
    wc.lpfnWndProc = &EditorBridgeTest::relayProc;
    wc.lpszClassName = "EditorBridgeRelay";
    RegisterClass(&wc);
    relay_ = CreateWindowEx(0, "EditorBridgeRelay", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(relay_, nullptr);
    worker_ = workerWindow();
    SetWorkerNotifyWnd(relay_);
    posted().clear();
  }
  static std::vector<BridgeValue>& posted() {
    static std::vector<BridgeValue> values;
    return values;
  }
  // The recorded commands of the given codes, in order.
  static std::vector<std::pair<UINT, std::string>> postedOf(std::set<UINT> codes) {
    std::vector<std::pair<UINT, std::string>> out;
    for (const BridgeValue& v : posted())
      if (codes.count(v.code)) out.emplace_back(v.code, v.text);
    return out;
  }

  // The editor filled by bridge codes and saved with OK, as the front end's
  // site editor sends them.
  void save(const std::vector<std::pair<UINT, const char*>>& fields) {
    for (const auto& [code, value] : fields) command(code, value);
    command(BRIDGE_CMD_EDITOR_OK, "1");
  }
  void addProfile(const char* name, const char* ssid) {
    command(BRIDGE_CMD_PROFILE_NEW);
    save({{BRIDGE_CMD_EDITOR_PROFILE_NAME, name}, {BRIDGE_CMD_EDITOR_SSID, ssid}});
  }
  int rowOf(const std::string& name) {
    const std::vector<std::string> names = rowNames();
    for (size_t i = 0; i < names.size(); ++i)
      if (names[i] == name) return static_cast<int>(i);
    return -1;
  }

  // The (name, SSID) rows of the front end's last code 31.
  std::vector<std::pair<std::string, std::string>> shownRows() {
    std::vector<std::pair<std::string, std::string>> rows;
    const std::string text = lastOf(BRIDGE_UI_PROFILE_ROW);
    for (size_t start = 0; !text.empty() && start != std::string::npos;) {
      const size_t end = text.find("\r\n", start);
      const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
      const size_t tab = line.find('\t');
      const size_t next = line.find('\t', tab + 1);
      // Each field is quoted: "name"<TAB>"ssid"<TAB>...
      rows.emplace_back(line.substr(1, tab - 2), line.substr(tab + 2, next - tab - 3));
      start = end == std::string::npos ? end : end + 2;
    }
    return rows;
  }
  // The stored (section, SSID) pairs.
  static Pairs storedProfiles() {
    Pairs out;
    for (const std::string& name : sectionNames()) out.emplace(name, storeValue(kIniKindProfiles, name.c_str(), "SSID"));
    return out;
  }

 private:
  static LRESULT CALLBACK relayProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_UIBRIDGE) return DefWindowProc(hwnd, message, wParam, lParam);
    const CString value = TakeNotifyText(wParam, lParam);
    posted().push_back({static_cast<UINT>(wParam), static_cast<LPCSTR>(value)});
    SendNotifyText(worker_, static_cast<UINT>(wParam), value, TRUE);
    return 0;
  }

  HWND relay_ = nullptr;
  static inline HWND worker_ = nullptr;
};

TEST_F(EditorBridgeTest, SavingAnSsidAgainLeavesOneProfileOfIt) {
  storeOpenProfile("Old1", "Net", "2009, 3, 1, 10, 0, 0");
  storeOpenProfile("Other", "Else", "2009, 3, 2, 10, 0, 0");
  storeOpenProfile("Old2", "Net", "2009, 3, 3, 10, 0, 0");
  startWithHost();
  addProfile("New", "Net");
  EXPECT_EQ(storedProfiles(), (Pairs{{"Other", "Else"}, {"New", "Net"}}));
  // Never activated: after the dated row.
  EXPECT_EQ(shownRows(), (std::vector<std::pair<std::string, std::string>>{{"Other", "Else"}, {"New", "Net"}}));

  addProfile("Newer", "Net");
  EXPECT_EQ(storedProfiles(), (Pairs{{"Other", "Else"}, {"Newer", "Net"}}));
  EXPECT_EQ(shownRows(), (std::vector<std::pair<std::string, std::string>>{{"Other", "Else"}, {"Newer", "Net"}}));
}

TEST_F(EditorBridgeTest, RenamingReplacesTheProfileChangingTheSsidDoesNot) {
  const struct {
    const char* name;  // stored, then edited to the new name and SSID
    const char* ssid;
    const char* newName;
    const char* newSsid;
    Pairs after;  // the stored and shown rows of both names
  } cases[] = {
      {"Home", "HomeNet", "Home2", "HomeNet", {{"Home2", "HomeNet"}}},
      {"Work", "WorkNet", "Lab", "LabNet", {{"Work", "WorkNet"}, {"Lab", "LabNet"}}},
      // Under its own name the section is written again with the new SSID.
      {"Cafe", "CafeFree", "Cafe", "ShopNet", {{"Cafe", "ShopNet"}}},
  };
  for (const auto& c : cases) storeOpenProfile(c.name, c.ssid, "2009, 3, 1, 10, 0, 0");
  startWithHost();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    received().clear();
    command(BRIDGE_CMD_SELECT_PROFILE, std::to_string(rowOf(c.name)).c_str());
    command(BRIDGE_CMD_PROFILE_MODIFY);
    // Edit loaded the stored profile and opened the editor.
    EXPECT_EQ(valuesOf(EDITOR_FIELD_SSID), std::vector<std::string>{c.ssid});
    EXPECT_EQ(valuesOf(BRIDGE_UI_EDITOR_OPEN).size(), 1u);
    save({{BRIDGE_CMD_EDITOR_PROFILE_NAME, c.newName}, {BRIDGE_CMD_EDITOR_SSID, c.newSsid}});

    const std::set<std::string> names = {c.name, c.newName};
    Pairs stored, shown;
    for (const auto& row : storedProfiles())
      if (names.count(row.first)) stored.insert(row);
    for (const auto& row : shownRows())
      if (names.count(row.first)) shown.insert(row);
    EXPECT_EQ(stored, c.after);
    EXPECT_EQ(shown, c.after);
  }
}

TEST_F(EditorBridgeTest, ConnectAfterSaveSelectsThenActivatesTheSavedRow) {
  storeOpenProfile("Cafe", "CafeFree", "2009, 3, 1, 10, 0, 0");
  startWithHost();
  recordWorkerCommands();
  command(BRIDGE_CMD_CONNECT_BSS, "0");
  // The command comes back as "Add To Profile" for the same row.
  EXPECT_EQ(postedOf({BRIDGE_CMD_ADD_BSS_TO_PROFILE}), (std::vector<std::pair<UINT, std::string>>{{7, "0"}}));
  command(BRIDGE_CMD_PROFILE_NEW);
  received().clear();
  save({{BRIDGE_CMD_EDITOR_PROFILE_NAME, "Home"},
        {BRIDGE_CMD_EDITOR_SSID, "HomeNet"},
        {BRIDGE_CMD_EDITOR_SECURITY_FIELD, "6"},  // WPA2-PSK
        {25, "196609"},                            // AES, profile editor
        {39, "correct horse battery"}});
  // Two rows: the new one, never activated, is row 1; without the selection
  // first, Activate would only warn.
  EXPECT_EQ(postedOf({BRIDGE_CMD_SELECT_PROFILE, BRIDGE_CMD_ACTIVATE_PROFILE}),
            (std::vector<std::pair<UINT, std::string>>{{9, "1"}, {10, "1"}}));
  EXPECT_TRUE(valuesOf(BRIDGE_UI_MESSAGE_BOX).empty());
  EXPECT_EQ(storeValue(kIniKindStation, "Config", "CurProfile"), "Home");
  EXPECT_EQ(storeValue(kIniKindStation, "Config", "WPAPSK"), "correct horse battery");
  EXPECT_EQ(rowNames().front(), "Home");
  advance(4000);
  ASSERT_TRUE(machine().adapter(0).connected());
  EXPECT_EQ(machine().adapter(0).network()->ssid, "HomeNet");

  // The flag went with that save: the next one connects nothing.
  posted().clear();
  command(BRIDGE_CMD_SELECT_PROFILE, std::to_string(rowOf("Cafe")).c_str());
  command(BRIDGE_CMD_PROFILE_MODIFY);
  save({});
  EXPECT_TRUE(postedOf({BRIDGE_CMD_SELECT_PROFILE, BRIDGE_CMD_ACTIVATE_PROFILE}).empty());
  EXPECT_EQ(storeValue(kIniKindStation, "Config", "CurProfile"), "Home");
}

TEST_F(EditorBridgeTest, EncryptionChoiceReachesOnlyTheEditorItNames) {
  startWithHost();
  command(BRIDGE_CMD_PROFILE_NEW);
  command(BRIDGE_CMD_EDITOR_SECURITY_FIELD, "1");  // Shared: WEP and None offered
  auto* editor = dynamic_cast<CProfileEditorDlg*>(host()->GetSecondaryDialog(kHostDlgProfileEditor));
  ASSERT_NE(editor, nullptr);
  const CPageAuthEncryDlg* security = editor->GetAuthEncryPage();
  ASSERT_NE(security, nullptr);
  struct Case {
    const char* value;
    int encryption;
  } cases[] = {
      {"65536", CPageAuthEncryDlg::kEncryptionNone},  // WEP for the security editor (kind 0)
      {"65538", CPageAuthEncryDlg::kEncryptionNone},  // WEP for an editor kind that does not exist
      {"65537", CPageAuthEncryDlg::kEncryptionWep},   // WEP for the profile editor
      {"1", CPageAuthEncryDlg::kEncryptionNone},      // None for the profile editor
  };
  command(25, "1");
  for (const Case& c : cases) {
    command(25, c.value);
    EXPECT_EQ(security->m_nEncryption, c.encryption) << c.value;
  }
}

// Every field code reaches both editors; the PAC file buttons (62 Remove,
// 63 Import) press only those of the editor kind their value names.
TEST_F(EditorBridgeTest, PacButtonCodesReachOnlyTheEditorTheyName) {
  startWithHost();
  auto* profileEditor = dynamic_cast<CProfileEditorDlg*>(host()->GetSecondaryDialog(kHostDlgProfileEditor));
  auto* securityEditor = dynamic_cast<CSecurityEditorDlg*>(host()->GetSecondaryDialog(kHostDlgSecurityEditor));
  ASSERT_NE(profileEditor, nullptr);
  ASSERT_NE(securityEditor, nullptr);
  CPageEAPFastDlg& profileFast = *profileEditor->Get8021XPage()->EapFast();
  CPageEAPFastDlg& securityFast = *securityEditor->Get8021XPage()->EapFast();
  command(61, "C:\\Pacs\\Both.pac");
  EXPECT_EQ(std::string(profileFast.m_strPacPath), "C:\\Pacs\\Both.pac");
  EXPECT_EQ(std::string(securityFast.m_strPacPath), "C:\\Pacs\\Both.pac");
  command(BRIDGE_CMD_EAPFAST_BUTTON1, "2");  // no editor of kind 2
  EXPECT_EQ(std::string(profileFast.m_strPacPath), "C:\\Pacs\\Both.pac");
  EXPECT_EQ(std::string(securityFast.m_strPacPath), "C:\\Pacs\\Both.pac");
  command(BRIDGE_CMD_EAPFAST_BUTTON1, "0");  // the security editor's Remove
  EXPECT_EQ(std::string(profileFast.m_strPacPath), "C:\\Pacs\\Both.pac");
  EXPECT_EQ(std::string(securityFast.m_strPacPath), "");
  command(BRIDGE_CMD_EAPFAST_BUTTON1, "1");  // the profile editor's
  EXPECT_EQ(std::string(profileFast.m_strPacPath), "");
}

TEST_F(EditorBridgeTest, ARefusedSaveKeepsTheConnectForTheNextSave) {
  startWithHost();
  recordWorkerCommands();
  command(BRIDGE_CMD_CONNECT_BSS, "2");
  command(BRIDGE_CMD_PROFILE_NEW);
  // (The site list may have warned already: nothing of it was selected.)
  const size_t warned = valuesOf(BRIDGE_UI_MESSAGE_BOX).size();
  save({{BRIDGE_CMD_EDITOR_PROFILE_NAME, "Bad]"}, {BRIDGE_CMD_EDITOR_SSID, "CafeFree"}});
  EXPECT_EQ(valuesOf(BRIDGE_UI_MESSAGE_BOX).size(), warned + 1);
  EXPECT_TRUE(sectionNames().empty());
  EXPECT_TRUE(postedOf({BRIDGE_CMD_SELECT_PROFILE, BRIDGE_CMD_ACTIVATE_PROFILE}).empty());
  save({{BRIDGE_CMD_EDITOR_PROFILE_NAME, "Cafe"}});
  EXPECT_EQ(postedOf({BRIDGE_CMD_SELECT_PROFILE, BRIDGE_CMD_ACTIVATE_PROFILE}),
            (std::vector<std::pair<UINT, std::string>>{{9, "0"}, {10, "0"}}));
}

}  // namespace
}  // namespace station::testing
