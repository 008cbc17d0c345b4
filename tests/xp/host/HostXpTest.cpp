// Wavorel's host of the station pages on the simulated machine: the tab
// strip with the advanced page, the tabs Zero Configuration takes, the radio
// switched by the driver's private code with its pictures and the driver-key
// value, the help file by the system language and the WMM tab by the network
// type.
#include "tests/xp/host/HostXpTest.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win/kernel/Process.h"
#include "worker/DriverCodes.h"
#include "worker/OidRequest.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "station/status/APDetailInfoDlg.h"
#include "station/status/PageGeneralDlg.h"
#include "station/status/PageWPSDlg.h"
#include "xp/station/PageAdvanceDlg.h"

namespace xphost::testing {
namespace {

// The strip's buttons by control id, in the order of their positions.
std::vector<int> StripOrder(CSorvik2007Dlg& host) {
  std::vector<std::pair<int, int>> placed;
  for (UINT id : {1000u, 1001u, 1002u, 1003u, 1004u, 1005u, 1006u, 1007u, 1008u, 1009u, 1010u, 1011u, 1012u})
    if (CShadeButtonST* button = host.GetStripButton(id)) placed.emplace_back(button->GetTabIndex(), static_cast<int>(id));
  std::sort(placed.begin(), placed.end());
  std::vector<int> ids;
  for (const auto& entry : placed) ids.push_back(entry.second);
  return ids;
}

// The rescan the host queued reached the driver.
bool scanRequested() {
  const std::vector<wavorel::sim::DriverCall> calls = wavorel::sim::driverCalls();
  return std::any_of(calls.begin(), calls.end(), [](const wavorel::sim::DriverCall& call) {
    return (call.code & ~0x00800000u) == OID_802_11_BSSID_LIST_SCAN;
  });
}

TEST_F(HostXpTest, AdvancedTabStandsBetweenSiteSurveyAndStatisticsAndShowsItsPage) {
  CSorvik2007Dlg& h = openHost();
  EXPECT_EQ(StripOrder(h),
            (std::vector<int>{1002, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1000, 1012, 1001, 1003}));
  CDialog* advance = h.GetAdvancePage();
  ASSERT_NE(advance, nullptr);
  EXPECT_NE(dynamic_cast<CPageAdvanceDlg*>(advance), nullptr);
  EXPECT_EQ(h.GetTabDialog()->GetPage(2), advance);
  CString caption;
  h.GetStripButton(IDC_HOST_TAB_ADVANCE)->GetWindowText(caption);
  EXPECT_STREQ(caption, "Advance");
  // Every tab button enabled while this program holds the adapter.
  for (UINT id : {1004u, 1005u, 1006u, 1007u, 1009u}) EXPECT_TRUE(h.GetStripButton(id)->IsWindowEnabled()) << id;

  press(IDC_HOST_TAB_ADVANCE);
  EXPECT_NE(advance->GetStyle() & WS_VISIBLE, 0u);
  EXPECT_EQ(h.GetProfilePage()->GetStyle() & WS_VISIBLE, 0u);
}

TEST_F(HostXpTest, ZeroConfigurationDisablesTheProfileAndWpsTabsUntilTheProgramHoldsTheAdapter) {
  ConfigToolMode = kConfigToolZeroConfig;
  CSorvik2007Dlg& h = openHost();
  EXPECT_FALSE(h.GetStripButton(1004)->IsWindowEnabled());
  EXPECT_FALSE(h.GetStripButton(1009)->IsWindowEnabled());
  for (UINT id : {1005u, 1006u, 1007u}) EXPECT_TRUE(h.GetStripButton(id)->IsWindowEnabled()) << id;
  // The worker's poll keeps them so, and gives them back after a take-over.
  h.RefreshPages();
  EXPECT_FALSE(h.GetStripButton(1004)->IsWindowEnabled());
  ConfigToolMode = kConfigToolUtility;
  h.RefreshPages();
  EXPECT_TRUE(h.GetStripButton(1004)->IsWindowEnabled());
  EXPECT_TRUE(h.GetStripButton(1009)->IsWindowEnabled());
}

TEST_F(HostXpTest, DetailViewAndWpsDialogsHaveTheirTextsBesideTheLinkPagesStrings) {
  // The link page keeps its strings 9 and 56; the detail view's signal text
  // and the WPS page's rescan status have their own.
  CSorvik2007Dlg& h = openHost();
  auto* detail = dynamic_cast<CAPDetailInfoDlg*>(h.GetSecondaryDialog(kHostDlgApDetailInfo));
  ASSERT_NE(detail, nullptr);
  ASSERT_NE(detail->GetGeneralPage(), nullptr);
  EXPECT_EQ(std::string(detail->GetGeneralPage()->GetSignalBar().GetFormatString()), "Signal Strength >> %d%%");
  ASSERT_NE(h.GetSecondaryDialog(kHostDlgWpsProfile), nullptr);
  struct Case {
    UINT id;
    const char* text;
  };
  for (const Case& c : {Case{9, "Throughput >>"}, Case{56, "IP Address >>"}, Case{IDS_WPS_RESCANNING, "Rescanning"},
                        Case{IDS_WPS_RENEW, "Renew"}}) {
    CString text;
    EXPECT_TRUE(text.LoadString(c.id)) << c.id;
    EXPECT_EQ(std::string(text), c.text) << c.id;
  }
}

TEST_F(HostXpTest, ProfileEditorWarnsOfAnEmptySsidInItsOwnTextBesideTheAdvancedPagesString) {
  // OK on a named profile without an SSID: the warning box shows the
  // editor's text, not the advanced page's string 237.
  CSorvik2007Dlg& h = openHost();
  auto* editor = dynamic_cast<CProfileEditorDlg*>(h.GetSecondaryDialog(kHostDlgProfileEditor));
  ASSERT_NE(editor, nullptr);
  editor->GetSystemConfigPage()->LoadDefaults("P");
  editor->GetAuthEncryPage()->SetDefaults();
  editor->ShowWindow(SW_SHOW);
  editor->RunBridgeCommand(BRIDGE_CMD_EDITOR_SSID, "");
  wavorel::pumpMessages();
  received().clear();
  editor->RunBridgeCommand(BRIDGE_CMD_EDITOR_OK, "1");
  wavorel::pumpMessages();
  EXPECT_EQ(messages(), std::vector<std::string>{"Please enter SSID"});
  CString advanced;
  EXPECT_TRUE(advanced.LoadString(237));
  EXPECT_EQ(std::string(advanced), "Automatically set channel according to wireless mode.");
}

TEST_F(HostXpTest, HandOverFindsTheStripsButtonsAndDisablesTheProfileAndWpsTabs) {
  // Without the host's own refresh: the hand-over finds the buttons in the
  // strip and shows the site survey.
  CSorvik2007Dlg& h = openHost();
  press(1004);
  ASSERT_EQ(h.GetTabPage(kHostTabSiteSurvey)->GetStyle() & WS_VISIBLE, 0u);
  HANDOVER_CONTEXT context;
  context.host = &h;
  ASSERT_NE(HostTabButton(&h, kHostTabWps), nullptr);
  EXPECT_EQ(HostTabButton(&h, kHostTabWps)->GetSafeHwnd(), h.GetStripButton(1009)->GetSafeHwnd());
  HandOverToZeroConfig(context);
  wavorel::pumpMessages();
  EXPECT_FALSE(h.GetStripButton(1004)->IsWindowEnabled());
  EXPECT_FALSE(h.GetStripButton(1009)->IsWindowEnabled());
  EXPECT_TRUE(h.GetStripButton(1005)->IsWindowEnabled());
  EXPECT_NE(h.GetTabPage(kHostTabSiteSurvey)->GetStyle() & WS_VISIBLE, 0u);
  EnableHostTab(&h, kHostTabProfile, TRUE);
  EXPECT_TRUE(h.GetStripButton(1004)->IsWindowEnabled());
  EXPECT_FALSE(h.GetStripButton(1009)->IsWindowEnabled());
}

TEST_F(HostXpTest, RadioPictureAtStartFollowsTheDriverKeysRadioValue) {
  struct Case {
    const char* radio;  // nullptr: no value
    bool off;
  };
  for (const Case& c : {Case{nullptr, false}, Case{"0", false}, Case{"1", true}, Case{"2", true},
                        Case{"off", false}, Case{"", false}}) {
    HKEY key = nullptr;
    RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &key);
    RegDeleteValue(key, "Radio");
    RegCloseKey(key);
    if (c.radio) setDriverText("Radio", c.radio);
    CSorvik2007Dlg& h = openHost();
    const COLORREF picture = pictureCentre(h.GetStripButton(IDC_HOST_RADIO));
    EXPECT_EQ(h.GetRadioPicture(), c.off ? IDB_HOST_RADIO_OFF : IDB_HOST_RADIO_ON) << (c.radio ? c.radio : "none");
    EXPECT_TRUE(c.off ? radioOffPicture(picture) : radioOnPicture(picture)) << std::hex << picture;
  }
  // A driver key that does not open: on.
  g_strDriverKey = "SYSTEM\\NoSuchKey";
  EXPECT_EQ(openHost().GetRadioPicture(), IDB_HOST_RADIO_ON);
}

TEST_F(HostXpTest, RadioOffAndOnSetsTheDriverSwitchPictureValueAndRescans) {
  // The profile the radio's return applies again: "CurProfile" names it.
  setDriverText("SSID", "Adapter");
  setDriverText("CurProfile", "Office");
  setText(g_strDriverKey + "\\Profile\\Station\\Office", "SSID", "Office");
  CSorvik2007Dlg& h = openHost();
  CPageSiteSurveyDlg* survey = h.GetSiteSurveyPage();
  ASSERT_NE(survey, nullptr);
  g_bApplyRequested = 1;
  wavorel::sim::clearDriverCalls();

  press(IDC_HOST_RADIO);
  EXPECT_EQ(setsOf(OID_VX_PRIVATE_0108_SET), std::vector<DWORD>{0});
  EXPECT_EQ(XpWorkerState().RadioValue, 0u);
  EXPECT_EQ(g_bApplyRequested, 0);
  EXPECT_EQ(g_bRadioOn, 0);
  EXPECT_TRUE(radioOffPicture(pictureCentre(h.GetStripButton(IDC_HOST_RADIO))));
  EXPECT_EQ(driverText("Radio"), "1");
  EXPECT_EQ(GetCurrentProfile(), nullptr);
  EXPECT_EQ(survey->m_bRescanPending, 1);
  EXPECT_TRUE(scanRequested());

  survey->m_bByBssid = survey->m_bBySsid = 1;
  wavorel::sim::clearDriverCalls();
  press(IDC_HOST_RADIO);
  EXPECT_EQ(setsOf(OID_VX_PRIVATE_0108_SET), std::vector<DWORD>{1});
  EXPECT_EQ(XpWorkerState().RadioValue, 1u);
  EXPECT_EQ(g_bApplyRequested, 1);
  EXPECT_EQ(g_bRadioOn, 1);
  EXPECT_TRUE(radioOnPicture(pictureCentre(h.GetStripButton(IDC_HOST_RADIO))));
  EXPECT_EQ(driverText("Radio"), "0");
  EXPECT_EQ(survey->m_bByBssid, 0);
  EXPECT_EQ(survey->m_bBySsid, 0);
  EXPECT_TRUE(scanRequested());
  // The administrator's form applies the adapter key's values.
  ASSERT_NE(GetCurrentProfile(), nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(GetCurrentProfile()->Ssid.Ssid), GetCurrentProfile()->Ssid.SsidLength),
            "Adapter");
}

TEST_F(HostXpTest, StandardUserSwitchesTheRadioWithoutTheValueAndAppliesFromTheProfileKey) {
  g_bAdministrator = 0;
  setDriverText("SSID", "Adapter");
  setDriverText("CurProfile", "Office");
  setText(g_strDriverKey + "\\Profile\\Station\\Office", "SSID", "Office");
  setDriverText("Radio", "0");
  openHost();
  wavorel::sim::clearDriverCalls();
  press(IDC_HOST_RADIO);
  EXPECT_EQ(driverText("Radio"), "0");
  press(IDC_HOST_RADIO);
  EXPECT_EQ(setsOf(OID_VX_PRIVATE_0108_SET), (std::vector<DWORD>{0, 1}));
  ASSERT_NE(GetCurrentProfile(), nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(GetCurrentProfile()->Ssid.Ssid), GetCurrentProfile()->Ssid.SsidLength),
            "Office");
}

TEST_F(HostXpTest, RadioBackOnUnderZeroConfigurationAppliesNoProfile) {
  setDriverText("CurProfile", "Office");
  setText(g_strDriverKey + "\\Profile\\Station\\Office", "SSID", "Office");
  ConfigToolMode = kConfigToolZeroConfig;
  XpWorkerState().RadioValue = 0;
  CSorvik2007Dlg& h = openHost();
  h.GetSiteSurveyPage()->m_bByBssid = 1;
  press(IDC_HOST_RADIO);
  EXPECT_EQ(XpWorkerState().RadioValue, 1u);
  EXPECT_EQ(g_bApplyRequested, 1);
  EXPECT_EQ(GetCurrentProfile(), nullptr);
  EXPECT_EQ(h.GetSiteSurveyPage()->m_bByBssid, 1);
}

TEST_F(HostXpTest, HelpOpensTheFileOfTheSystemLanguageFromTheProgramFolder) {
  for (const auto& [language, file] : {std::pair<LANGID, const char*>{0x0409, "QZCONFIGENG.CHM"},
                                       {0x0404, "QZCONFIGCHN.CHM"},
                                       {0x0804, "QZCONFIGENG.CHM"}}) {
    wavorel::setDefaultLocales(language, 0x0409);
    CSorvik2007Dlg& h = openHost();
    EXPECT_EQ(h.GetStripButton(IDC_HOST_HELP)->GetIcon(0), nullptr);
    wavorel::clearProcessStarts();
    // Past the strip's eighth slot: the button waits behind the scroll button.
    command(IDC_HOST_HELP);
    const std::vector<wavorel::ProcessStart> starts = wavorel::processStarts();
    ASSERT_EQ(starts.size(), 1u) << language;
    char folder[MAX_PATH] = "";
    GetModuleFileName(nullptr, folder, sizeof folder);
    std::string expected(folder);
    expected = expected.substr(0, expected.rfind('\\') + 1) + file;
    EXPECT_EQ(starts[0].api, "ShellExecute");
    EXPECT_EQ(starts[0].program, expected);
    EXPECT_EQ(starts[0].verb, "open");
    EXPECT_EQ(starts[0].show, SW_SHOW);
    // Bitmap 295: blue around a white question mark.
    const COLORREF centre = pictureCentre(h.GetStripButton(IDC_HOST_HELP));
    EXPECT_TRUE(centre == RGB(0, 60, 200) || centre == RGB(255, 255, 255)) << std::hex << centre;
  }
}

TEST_F(HostXpTest, WmmTabFollowsTheNetworkTypeAndTheLock) {
  CSorvik2007Dlg& h = openHost();
  CShadeButtonST* wmm = h.GetStripButton(1008);
  ASSERT_NE(wmm, nullptr);
  struct Case {
    DWORD mode;  // OID_802_11_INFRASTRUCTURE_MODE: 0 ad hoc, 1 infrastructure
    int locked;
    bool enabled;
  };
  for (const Case& c : {Case{0, 0, false}, Case{1, 0, true}, Case{1, 1, false}, Case{0, 1, false}, Case{1, 2, true}}) {
    DWORD mode = c.mode, returned = 0;
    ASSERT_TRUE(SetOid(OID_802_11_INFRASTRUCTURE_MODE | 0x00800000, &mode, sizeof mode, &returned, 1));
    g_bWmmTabLocked = c.locked;
    h.UpdateWmmTabEnable();
    EXPECT_EQ(wmm->IsWindowEnabled() != FALSE, c.enabled) << c.mode << " " << c.locked;
  }
}

}  // namespace
}  // namespace xphost::testing
