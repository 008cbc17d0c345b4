// Wavorel's profile page on template 143: rows and details from the registry
// store, the command gate and row rule, activation into the driver key (then
// applied and connected by the worker's steps), the connected row's mark
// every 3000 ms, deletion with the blank connection, and a standard user.
#include <gtest/gtest.h>

#include <algorithm>

#include "xp/supplicant/AuthStatus.h"
#include "xp/worker/LoadAndApplyCurrentProfile.h"
#include "tests/xp/profiles/ProfilePageXpTest.h"

namespace xpprofiles::testing {
namespace {

using supplicant::testing::kDriverKey;

constexpr char kSsoKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Nerolt";

class PageProfileDlgXpTest : public ProfilePageXpTest {
 protected:
  // The worker's part after an activation: the current profile read from
  // the driver key and queued, the queue run.
  void applyAsWorker() {
    CURRENT_PROFILE_TARGET target;
    // The worker keeps a queued connection's record as its current profile.
    context.addAction = [this](_ACTION_DATA action) {
      if (action.Kind == kActionConnect) SetCurrentProfile(action.Profile.get());
      queue.push_back(std::move(action));
      return TRUE;
    };
    target.worker = context;
    target.keepAsCurrent = [](const _PROFILE_DATA* p) { SetCurrentProfile(p); };
    ReadAndApplyCurrentProfile(target, FALSE, FALSE);
    ProcessXpActions(context);
  }
  std::vector<std::string> rowStates() const { return valuesOf(BRIDGE_UI_PROFILE_ROW_STATE); }
  // The row reports since the last clear: at least one, and every one
  // `state` (the page's own timer may add one while the clock runs).
  static bool reportsOnly(const std::vector<std::string>& states, const std::string& state) {
    return !states.empty() && std::count(states.begin(), states.end(), state) == static_cast<long>(states.size());
  }
};

TEST_F(PageProfileDlgXpTest, RegistryProfilesBecomeRowsAndDetails) {
  storeThreeProfiles();
  setDriverText("CurProfile", "Work");
  CPageProfileDlg& p = openPage();
  EXPECT_EQ(lastOf(BRIDGE_UI_PROFILE_ROW),
            "\"Home\"\t\"Home\"\t\"-1\"\t\"1\"\r\n"
            "\"Party\"\t\"Party\"\t\"-1\"\t\"0\"\r\n"
            "\"Work\"\t\"Corp\"\t\"-1\"\t\"1\"");
  EXPECT_EQ(std::string(p.m_curProfileName), "Work");
  ASSERT_EQ(p.m_profiles.size(), 3u);
  EXPECT_EQ(p.m_profiles[0].Infrastructure, 1);
  EXPECT_EQ(p.m_profiles[1].Infrastructure, 0);
  // Every caption and value stays visible; no activation time is kept.
  for (int i = 0; i < kProfileDetailCount; ++i) {
    EXPECT_TRUE(visible(p, kProfileCaptionIds[i])) << i;
    EXPECT_TRUE(visible(p, kProfileDetailIds[i])) << i;
  }

  const struct {
    int row;
    const char* report;
    std::vector<const char*> texts;
  } table[] = {
      {0, "Infrastructure\r\nWPA2-PSK \r\nAES\r\n1\r\nCAM",
       {"Home", "Home", "Infrastructure", "WPA2-PSK ", "AES", "NO", "1", "CAM", "Auto", "2347", "2346"}},
      {1, "Ad hoc\r\nOpen \r\nNone\r\n11\r\nPSM",
       {"Party", "Party", "Ad hoc", "Open ", "None", "NO", "11", "PSM", "50 %", "500", "800"}},
      {2, "Infrastructure\r\nWPA2 \r\nAES\r\nJ12\r\nCAM",
       {"Work", "Corp", "Infrastructure", "WPA2 ", "AES", "YES", "J12", "CAM", "Auto", "0", "0"}},
  };
  for (const auto& row : table) {
    received().clear();
    p.SelectProfile(row.row);
    pump();
    EXPECT_EQ(valuesOf(BRIDGE_UI_PROFILE_DETAIL), std::vector<std::string>{row.report}) << row.row;
    for (int i = 0; i < kProfileDetailCount; ++i) EXPECT_EQ(itemText(p, kProfileDetailIds[i]), row.texts[i]) << i;
  }
  for (int id : {IDC_PROFILE_ADD, IDC_PROFILE_EDIT, IDC_PROFILE_DELETE, IDC_PROFILE_ACTIVATE})
    EXPECT_TRUE(visible(p, id)) << id;
}

TEST_F(PageProfileDlgXpTest, ValuesOfTheWrongKindShowDefaults) {
  storeProfile("Odd", {{"SSID", std::string(40, 's')}, {"AuthenType", "WPA"}, {"Encryption", "99"}, {"TXPower", "-1"}});
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, stationPath("Odd").c_str(), 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  const DWORD number = 1;
  RegSetValueEx(key, "NetworkType", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  RegCloseKey(key);
  storeProfile(std::string(255, 'n'), {{"SSID", "Long"}});
  setDriverText("CurProfile", "Gone");
  CPageProfileDlg& p = openPage();
  ASSERT_EQ(p.m_profiles.size(), 2u);
  EXPECT_EQ(p.m_profiles[0].Name.GetLength(), 255);
  p.SelectProfile(1);
  pump();
  EXPECT_EQ(lastOf(BRIDGE_UI_PROFILE_DETAIL), "Ad hoc\r\nOpen \r\n\r\n0\r\nCAM");
  EXPECT_EQ(itemText(p, kProfileDetailIds[1]), std::string(40, 's'));
  EXPECT_EQ(itemText(p, kProfileDetailIds[8]), "");
  // "CurProfile" names no key: no row is the current one, the timer marks nothing.
  EXPECT_EQ(p.FindCurrentProfileRow(), -1);
  received().clear();
  fireTimer();
  EXPECT_TRUE(rowStates().empty());
  // A bridge row outside the list does nothing.
  p.SelectProfile(7);
  p.SelectProfile(-1);
  pump();
  EXPECT_TRUE(valuesOf(BRIDGE_UI_PROFILE_DETAIL).empty());
}

TEST_F(PageProfileDlgXpTest, ActivationStoresCopiesAppliesAndTheTimerMarksTheConnectedRow) {
  storeThreeProfiles();
  HKEY sso = nullptr;
  RegCreateKeyEx(HKEY_LOCAL_MACHINE, kSsoKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sso, nullptr);
  RegCloseKey(sso);
  setDriverText("WSC", "1");
  setDriverText("Encryption", "0");
  CPageProfileDlg& p = openPage();
  g_bApplyRequested = 0;
  p.SelectProfile(0);
  press(IDC_PROFILE_ACTIVATE);

  EXPECT_EQ(driverText("CurProfile"), "Home");
  EXPECT_EQ(driverText("WSC"), "0");
  for (const char* name : {"SSID", "NetworkType", "AuthenType", "Encryption", "WPAPSK", "Channel"})
    EXPECT_EQ(driverText(name), driverText(name, "\\Profile\\Station\\Home")) << name;
  EXPECT_EQ(driverText("SSOReleaseAegis", "").size(), std::string("<none>").size()) << "not in the driver key";
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kSsoKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  char text[8] = {};
  DWORD size = sizeof text;
  RegQueryValueEx(key, "SSOReleaseAegis", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(key);
  EXPECT_STREQ(text, "1");
  EXPECT_EQ(GetAuthFailureKind(), kAuthFailureActivation);
  EXPECT_EQ(g_bApplyRequested, 1);
  EXPECT_EQ(g_bProfileApplied, 1);
  EXPECT_EQ(g_bConnectedByProfile, 1);
  EXPECT_EQ(std::string(p.m_curProfileName), "Home");
  EXPECT_EQ(std::string(p.m_curSsid), "Home");
  EXPECT_EQ(std::string(p.m_curChannel), "1");

  applyAsWorker();
  ASSERT_TRUE(driveUntil([] { return adapter().connected(); }));
  received().clear();
  fireTimer();
  EXPECT_TRUE(reportsOnly(rowStates(), "0\r\n0"));
  EXPECT_EQ(p.m_profiles[0].State, 0);
  EXPECT_EQ(p.m_profiles[1].State, -1);
  // The page's own timer repeats it every 3000 ms.
  received().clear();
  wavorel::runFor(3000);
  pump();
  EXPECT_TRUE(reportsOnly(rowStates(), "0\r\n0"));

  adapter().disassociate();
  received().clear();
  fireTimer();
  EXPECT_TRUE(reportsOnly(rowStates(), "0\r\n1"));
  EXPECT_EQ(p.m_profiles[0].State, 1);
}

TEST_F(PageProfileDlgXpTest, AnAdHocRecordIsConnectedOnlyOnItsStoredChannel) {
  storeThreeProfiles();
  CPageProfileDlg& p = openPage();
  p.SelectProfile(0);
  press(IDC_PROFILE_ACTIVATE);
  applyAsWorker();
  ASSERT_TRUE(driveUntil([] { return adapter().connected(); }));
  // The worker's record is an ad hoc one: the cell's channel (the network's
  // channel 1, 2412000 kHz) must be the one the profile named by
  // "CurProfile" stores.
  _PROFILE_DATA record = *GetCurrentProfile();
  record.NetworkType = 0;
  SetCurrentProfile(&record);
  const struct {
    const char* channel;
    const char* state;
  } table[] = {{"1", "0\r\n0"}, {"6", "0\r\n1"}, {"", "0\r\n1"}};
  for (const auto& row : table) {
    setDriverText("Channel", row.channel, "\\Profile\\Station\\Home");
    received().clear();
    fireTimer();
    EXPECT_TRUE(reportsOnly(rowStates(), row.state)) << row.channel;
  }
  // No record in the worker: nothing is marked.
  SetCurrentProfile(nullptr);
  received().clear();
  fireTimer();
  EXPECT_TRUE(rowStates().empty());
}

TEST_F(PageProfileDlgXpTest, CommandsNeedOneRowOrASelectionAndAWorkingRadio) {
  storeProfile("Only", {{"SSID", "Only"}, {"NetworkType", "1"}});
  CPageProfileDlg& p = openPage();
  received().clear();
  press(IDC_PROFILE_EDIT);
  EXPECT_EQ(valuesOf(BRIDGE_UI_EDITOR_FIELD), std::vector<std::string>{"Only"}) << "the only row acts";

  // Zero Configuration manages the adapter, or the radio is off: nothing.
  for (int mode : {0, 1}) {
    ConfigToolMode = mode == 0 ? kConfigToolZeroConfig : kConfigToolUtility;
    XpWorkerState().RadioValue = mode == 0 ? 1 : 0;
    received().clear();
    for (UINT id : {IDC_PROFILE_ADD, IDC_PROFILE_EDIT, IDC_PROFILE_DELETE, IDC_PROFILE_ACTIVATE}) press(id);
    EXPECT_TRUE(received().empty()) << mode;
    EXPECT_EQ(driverText("CurProfile"), "<none>") << mode;
    EXPECT_TRUE(keyExists(stationPath("Only"))) << mode;
  }
  ConfigToolMode = kConfigToolUtility;
  XpWorkerState().RadioValue = 1;

  storeProfile("Second", {{"SSID", "Second"}});
  p.LoadProfileList();
  received().clear();
  for (UINT id : {IDC_PROFILE_EDIT, IDC_PROFILE_DELETE, IDC_PROFILE_ACTIVATE}) press(id);
  EXPECT_EQ(messages(), std::vector<std::string>(3, "No selected item"));
  EXPECT_TRUE(valuesOf(BRIDGE_UI_EDITOR_FIELD).empty());
  EXPECT_EQ(driverText("CurProfile"), "<none>");
}

TEST_F(PageProfileDlgXpTest, DeletingTheCurrentProfileWritesTheBlankConnectionFirst) {
  storeThreeProfiles();
  CPageProfileDlg& p = openPage();
  p.SelectProfile(0);
  press(IDC_PROFILE_ACTIVATE);
  ASSERT_EQ(driverText("SSID"), "Home");
  setDriverText("WEPKey1Type", "1");
  setDriverText("LeapUserName", "bob");

  // Another profile: only its key goes.
  p.SelectProfile(1);
  press(IDC_PROFILE_DELETE);
  EXPECT_FALSE(keyExists(stationPath("Party")));
  EXPECT_EQ(driverText("SSID"), "Home");
  EXPECT_EQ(driverText("CurProfile"), "Home");
  ASSERT_EQ(p.m_profiles.size(), 2u);

  g_bApplyRequested = 0;
  received().clear();
  p.SelectProfile(0);
  press(IDC_PROFILE_DELETE);
  const std::pair<const char*, const char*> blank[] = {
      {"SSID", ""},           {"NetworkType", "1"},   {"AuthenType", "0"},   {"Encryption", "1"},
      {"WEPKey1Type", ""},    {"WEPKey2Type", ""},    {"WEPKey3Type", ""},   {"WEPKey4Type", ""},
      {"CurProfile", ""},     {"LeapEnabled", ""},    {"LeapUserName", ""},  {"LeapPassword", ""},
      {"TunnelID", ""},       {"TunnelProtocol", ""}, {"Use8021X", "0"},     {"ServerCertLen", "0"},
      {"ServerCertData", ""}, {"ClientCertLen", "0"}, {"ClientCertData", ""}};
  for (const auto& [name, value] : blank) EXPECT_EQ(driverText(name), value) << name;
  EXPECT_EQ(g_bApplyRequested, 1) << "the blank connection is applied";
  EXPECT_EQ(g_bConnectedByProfile, 0);
  EXPECT_TRUE(p.m_curProfileName.IsEmpty());
  EXPECT_FALSE(keyExists(stationPath("Home")));
  ASSERT_EQ(p.m_profiles.size(), 1u);
  EXPECT_EQ(std::string(p.m_profiles[0].Name), "Work");
  EXPECT_EQ(lastOf(BRIDGE_UI_PROFILE_ROW), "\"Work\"\t\"Corp\"\t\"-1\"\t\"1\"");
  for (int i = 0; i < kProfileDetailCount; ++i) EXPECT_EQ(itemText(p, kProfileDetailIds[i]), "") << i;

  // Without "\Profile\Station" the user is told and nothing goes.
  SHDeleteKey(HKEY_LOCAL_MACHINE, stationPath().c_str());
  received().clear();
  p.DeleteProfileKey("Work");
  ASSERT_EQ(valuesOf(BRIDGE_UI_MESSAGE_BOX).size(), 1u);
  EXPECT_NE(valuesOf(BRIDGE_UI_MESSAGE_BOX)[0].find("RegOpenKeyEx '" + stationPath() + "' failed\n"), std::string::npos);
}

TEST_F(PageProfileDlgXpTest, AStandardUserActivatesFromTheProfileKeyAndCannotChangeProfiles) {
  storeThreeProfiles();
  setDriverText("SSID", "Before");
  g_bAdministrator = 0;
  wavorel::setRunningAsAdministrator(false);
  CPageProfileDlg& p = openPage();
  for (UINT id : {IDC_PROFILE_ADD, IDC_PROFILE_EDIT, IDC_PROFILE_DELETE}) EXPECT_FALSE(visible(p, id)) << id;
  EXPECT_TRUE(visible(p, IDC_PROFILE_ACTIVATE));

  p.SelectProfile(2);
  press(IDC_PROFILE_ACTIVATE);
  EXPECT_EQ(driverText("SSID"), "Before");
  EXPECT_EQ(driverText("CurProfile"), "<none>");
  EXPECT_EQ(std::string(g_strCurProfileName), "Work");
  EXPECT_EQ(p.FindCurrentProfileRow(), 2);
}

}  // namespace
}  // namespace xpprofiles::testing
