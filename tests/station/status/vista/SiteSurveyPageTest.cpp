// The site survey page on the simulated machine: the list after a scan and
// its bridge texts, the sort radios, Show dBm, the connected row, radio off,
// the bridge commands 3-8 and Add to Profile.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>
#include <string>

#include "frontend/BridgeCodes.h"
#include "station/profiles/EditorFieldCodes.h"
#include "station/host/Sorvik2007Dlg.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "station/status/APDetailInfoDlg.h"
#include "tests/station/status/vista/SiteSurveyTest.h"
#include "worker/IniProfileStore.h"
#include "worker/NativeWiFiNotify.h"

namespace station::testing {
namespace {

class SiteSurveyPageTest : public SiteSurveyTest {
 protected:
  void SetUp() override {
    SiteSurveyTest::SetUp();
    reopenIn(ThreeNetworkWorld());
    g_bShowDbm = 0;
  }
  void press(int id) { site()->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
  CProfileEditorDlg* editor() {
    return dynamic_cast<CProfileEditorDlg*>(host()->GetSecondaryDialog(kHostDlgProfileEditor));
  }
  // The colour pixels of an icon, to tell two pictures apart.
  static std::vector<DWORD> iconPixels(HICON icon) {
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info)) return {};
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, info.hbmColor, 0, 0, nullptr, &format, DIB_RGB_COLORS);
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(format.bmiHeader.biWidth) *
                              static_cast<size_t>(std::abs(format.bmiHeader.biHeight)));
    ::GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(std::abs(format.bmiHeader.biHeight)), pixels.data(),
                &format, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return pixels;
  }
  // The pixels of the host's radio button and of icon `id` of the resources.
  std::vector<DWORD> radioPicture() { return iconPixels(host()->GetStripButton(IDC_HOST_RADIO)->GetIcon(0)); }
  static std::vector<DWORD> resourceIcon(UINT id) {
    HICON icon = static_cast<HICON>(
        ::LoadImage(AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_GROUP_ICON), MAKEINTRESOURCE(id), IMAGE_ICON, 0, 0, 0));
    std::vector<DWORD> pixels = iconPixels(icon);
    if (icon) ::DestroyIcon(icon);
    return pixels;
  }
};

TEST_F(SiteSurveyPageTest, ScanListsOneRowPerNetworkAndReportsThemInOneText) {
  startSurvey();
  EXPECT_EQ(ssids(), (std::vector<std::string>{"Alpha", "Gamma", "Say \"hi\""}));
  EXPECT_EQ(site()->List().GetItemCount(), 3);
  EXPECT_EQ(lastNonEmpty(BRIDGE_UI_SURVEY_ROW),
            "\"Alpha\"\t\"0\"\t\"1\"\t\"3\"\t\"1\"\t\"0\"\t\"100\"\r\n"
            "\"Gamma\"\t\"0\"\t\"1\"\t\"3\"\t\"11\"\t\"1\"\t\"13\"\r\n"
            "\"Say \"hi\"\"\t\"0\"\t\"1\"\t\"3\"\t\"6\"\t\"1\"\t\"50\"");
  // Each rebuild first clears the front end's list.
  const std::vector<std::string> rows = valuesOf(BRIDGE_UI_SURVEY_ROW);
  ASSERT_GE(rows.size(), 2u);
  EXPECT_EQ(rows[rows.size() - 2], "");
}

TEST_F(SiteSurveyPageTest, SortRadiosReorderTheListAtTheNextTick) {
  startSurvey();
  struct Case {
    int radio;
    std::vector<std::string> order;
  };
  const Case cases[] = {{IDC_SS_SORT_CHANNEL, {"Alpha", "Say \"hi\"", "Gamma"}},
                        {IDC_SS_SORT_SIGNAL, {"Alpha", "Say \"hi\"", "Gamma"}},
                        {IDC_SS_SORT_SSID, {"Alpha", "Gamma", "Say \"hi\""}}};
  for (const Case& c : cases) {
    site()->CheckRadioButton(IDC_SS_SORT_SSID, IDC_SS_SORT_SIGNAL, c.radio);
    press(c.radio);
    EXPECT_EQ(site()->m_bRescanPending, 1);
    advance(2100);
    EXPECT_EQ(ssids(), c.order) << c.radio;
    EXPECT_EQ(site()->m_bRescanPending, 0);
  }
}

TEST_F(SiteSurveyPageTest, ShowDbmRedrawsTheSignalTextColumnOnly) {
  startSurvey();
  CQuickList& list = site()->List();
  ::ValidateRect(list.GetSafeHwnd(), nullptr);
  CQuickListCell* cell = list.GetCellInfo(0, kSiteColSignalText);
  EXPECT_EQ(std::string(cell->m_strText), "100%");
  site()->CheckDlgButton(IDC_SS_SHOW_DBM, BST_CHECKED);
  press(IDC_SS_SHOW_DBM);
  EXPECT_EQ(g_bShowDbm, 1);
  EXPECT_EQ(std::string(list.GetCellInfo(0, kSiteColSignalText)->m_strText), "-40 dBm");
  // Only column 9's cells wait for painting.
  CRect dirty;
  ASSERT_TRUE(::GetUpdateRect(list.GetSafeHwnd(), &dirty, FALSE));
  CRect column;
  list.GetSubItemRect(0, kSiteColSignalText, LVIR_BOUNDS, column);
  EXPECT_GE(dirty.left, column.left);
  EXPECT_LE(dirty.right, column.right);
}

TEST_F(SiteSurveyPageTest, ConnectingToAnOpenNetworkQueuesItsRecordAndMarksItsRow) {
  storeCurrentProfile({{"CurProfile", "Office"}, {"SSID", "Office"}});
  startSurvey();
  const int alpha = rowOf("Alpha");
  command(BRIDGE_CMD_SELECT_BSS, std::to_string(alpha).c_str());
  command(BRIDGE_CMD_CONNECT_BSS_DIRECT, std::to_string(alpha).c_str());
  EXPECT_EQ(lastOf(BRIDGE_UI_SURVEY_SAVE_REQUEST), "0");
  EXPECT_EQ(storeValue(kIniKindStation, "Config", "CurProfile"), "");
  const _PROFILE_DATA* record = site()->GetConnectRecord();
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->UseBssid, 1u);
  EXPECT_EQ(record->AuthMode, 0u);
  EXPECT_EQ(record->CipherMode, 1u);
  EXPECT_EQ(record->ChannelFrequency, 2412000u);
  advance(6000);
  const BYTE alphaMac[6] = {0x00, 0x1D, 0x7E, 0x00, 0x00, 0x01};
  EXPECT_EQ(std::memcmp(g_currentBssid, alphaMac, 6), 0);
  EXPECT_EQ(lastOf(BRIDGE_UI_SURVEY_MARK_CONNECTED), std::to_string(alpha));
  EXPECT_EQ(site()->GetRows()[alpha].connected, 1);
  EXPECT_EQ(site()->m_nConnectedState, kSiteConnectedKnown);
}

TEST_F(SiteSurveyPageTest, RadioOffClearsTheRowsAndSetsTheRadioPicture) {
  startSurvey();
  ASSERT_EQ(site()->GetRowCount(), 3);
  wavorel::sim::machine().setHardwareRadio(guid(), false);
  advance(2100);
  EXPECT_EQ(site()->GetRowCount(), 0);
  EXPECT_EQ(site()->List().GetItemCount(), 0);
  EXPECT_EQ(lastOf(BRIDGE_UI_SURVEY_ROW), "");
  EXPECT_EQ(g_bRadioOn, 0);
  EXPECT_EQ(g_bRadioOff, 1);
  const std::vector<DWORD> off = resourceIcon(IDI_HOST_RADIO_OFF), on = resourceIcon(IDI_HOST_RADIO_ON);
  ASSERT_FALSE(off.empty());
  ASSERT_NE(off, on);
  EXPECT_EQ(radioPicture(), off) << "icon 359";
  wavorel::sim::machine().setHardwareRadio(guid(), true);
  advance(2100);
  EXPECT_EQ(g_bRadioOn, 1);
  EXPECT_EQ(g_bRadioOff, 0);
  EXPECT_EQ(radioPicture(), on) << "icon 362";
}

TEST_F(SiteSurveyPageTest, SelectReportsTheNetworkAndRowsOutOfRangeDoNothing) {
  startSurvey();
  received().clear();
  for (const char* row : {"-1", "3", "99"}) command(BRIDGE_CMD_SELECT_BSS, row);
  EXPECT_TRUE(valuesOf(BRIDGE_UI_BSS_DETAIL).empty());
  command(BRIDGE_CMD_SELECT_BSS, std::to_string(rowOf("Gamma")).c_str());
  EXPECT_EQ(lastOf(BRIDGE_UI_BSS_DETAIL), "1\tGamma\t00-1D-7E-00-00-03\tWEP\t11 <--> 2462 MHz\tInfrastructure");
  command(BRIDGE_CMD_SELECT_BSS, std::to_string(rowOf("Say \"hi\"")).c_str());
  EXPECT_EQ(lastOf(BRIDGE_UI_BSS_DETAIL),
            "2\tSay \"hi\"\t00-1D-7E-00-00-02\tAES\t6 <--> 2437 MHz\tInfrastructure");
  command(BRIDGE_CMD_QUERY_CONNECT_ENABLE);
  EXPECT_EQ(lastOf(BRIDGE_UI_CONNECT_ENABLE), "1");
  for (const char* row : {"-1", "3"}) command(BRIDGE_CMD_CONNECT_BSS_DIRECT, row);
  EXPECT_EQ(site()->GetConnectRecord(), nullptr);
  EXPECT_TRUE(valuesOf(BRIDGE_UI_SURVEY_SAVE_REQUEST).empty());

  // An SSID's TAB and line break would move the later fields: they go as blanks.
  worker::testing::BssRecordFields odd;
  odd.ssid = "Cafe\tNet\r\nX";
  useSiteList({worker::testing::BssRecord(odd)});
  command(BRIDGE_CMD_SELECT_BSS, "0");
  EXPECT_EQ(lastOf(BRIDGE_UI_BSS_DETAIL), "0\tCafe Net  X\t00-11-22-33-44-55\tNone\t6 <--> 2437 MHz\tInfrastructure");
}

TEST_F(SiteSurveyPageTest, HiddenNetworkIsReportedAsHiddenAndConnectingAsksForItsSsid) {
  startSurvey();
  worker::testing::BssRecordFields hidden;
  hidden.ssid = std::string(5, '\0');  // its beacons carry zero bytes
  hidden.frequency = 2427000;
  useSiteList({worker::testing::BssRecord(hidden)});
  ASSERT_EQ(site()->GetRowCount(), 1);
  EXPECT_EQ(lastNonEmpty(BRIDGE_UI_SURVEY_ROW), "\"\"\t\"0\"\t\"1\"\t\"0\"\t\"4\"\t\"0\"\t\"100\"");
  command(BRIDGE_CMD_SELECT_BSS, "0");
  EXPECT_EQ(lastOf(BRIDGE_UI_BSS_DETAIL), "0\tHidden\t00-11-22-33-44-55\tNone\t4 <--> 2427 MHz\tInfrastructure");

  // Zero bytes or SsidLength 0: the connection waits for the hidden-SSID prompt.
  for (const std::string& ssid : {std::string(5, '\0'), std::string()}) {
    hidden.ssid = ssid;
    useSiteList({worker::testing::BssRecord(hidden)});
    g_pHideDlg->ShowPage(0);
    received().clear();
    command(BRIDGE_CMD_CONNECT_BSS_DIRECT, "0");
    EXPECT_EQ(site()->m_bHiddenSsidEntered, 1) << ssid.size();
    EXPECT_EQ(g_pHideDlg->GetCurrentPage(), kHostDlgHiddenSsid) << ssid.size();
    EXPECT_TRUE(valuesOf(BRIDGE_UI_SURVEY_SAVE_REQUEST).empty()) << ssid.size();
    EXPECT_EQ(site()->m_bByBssid, 0) << "no connection by BSSID to a name of zeros";
  }
}

TEST_F(SiteSurveyPageTest, RescanCommandIsPostedAndRebuildsOnceTheScanEnded) {
  startSurvey();
  SendNotifyText(workerWindow(), BRIDGE_CMD_RESCAN, "0", FALSE);
  EXPECT_EQ(site()->m_bRescanPending, 0);  // posted, not yet carried out
  wavorel::pumpMessages();
  EXPECT_EQ(site()->m_bRescanPending, 1);
  received().clear();
  waitForScan();
  EXPECT_EQ(site()->m_bRescanPending, 0);
  EXPECT_FALSE(valuesOf(BRIDGE_UI_SURVEY_ROW).empty());
}

TEST_F(SiteSurveyPageTest, RadioBackOnRescansFourSecondsLaterUnlessItWentOffAgain) {
  startSurvey();
  // Off again before the four seconds are up: no rescan.
  ::SendMessage(workerWindow(), WM_WLAN_RADIO_ON, 0, 0);
  machine().adapter(0).setRadio(false);
  advance(4000);
  EXPECT_EQ(site()->m_bRescanPending, 0);
  machine().adapter(0).setRadio(true);
  advance(2000);
  // The service's own radio report lands before the one sent here, so that
  // the four seconds count from this one.
  pumpUntil([] { return false; }, std::chrono::milliseconds(50));
  // Still on after four seconds: the page's Rescan is pressed.
  ::SendMessage(workerWindow(), WM_WLAN_RADIO_ON, 0, 0);
  advance(3999);
  EXPECT_EQ(site()->m_bRescanPending, 0);
  advance(1);
  EXPECT_EQ(site()->m_bRescanPending, 1);
}

TEST_F(SiteSurveyPageTest, AddToProfileWithoutSelectionWarnsAndWithOneFillsTheEditor) {
  startSurvey();
  received().clear();
  command(BRIDGE_CMD_ADD_BSS_TO_PROFILE, "0");
  const std::string box = lastOf(BRIDGE_UI_MESSAGE_BOX);
  EXPECT_NE(box.find("No selected item"), std::string::npos) << box;

  command(BRIDGE_CMD_SELECT_BSS, std::to_string(rowOf("Say \"hi\"")).c_str());
  command(BRIDGE_CMD_ADD_BSS_TO_PROFILE, "0");
  EXPECT_EQ(lastOf(EDITOR_FIELD_SSID), "Say \"hi\"");
  EXPECT_EQ(lastOf(EDITOR_FIELD_AUTHENTICATION), "6");  // WPA2-PSK
  EXPECT_EQ(lastOf(EDITOR_FIELD_ENCRYPTION), "3");      // AES
  ASSERT_NE(editor(), nullptr);
  EXPECT_TRUE(editor()->GetStyle() & WS_VISIBLE);
  EXPECT_EQ(std::string(editor()->GetSystemConfigPage()->m_strSsid), "Say \"hi\"");
  EXPECT_EQ(g_bHostExpanded, 1);
}

TEST_F(SiteSurveyPageTest, ConnectCommandSetsTheConnectAfterSaveFlagBeforeAddToProfileRuns) {
  startSurvey();
  command(BRIDGE_CMD_SELECT_BSS, std::to_string(rowOf("Gamma")).c_str());
  received().clear();
  ASSERT_NE(editor(), nullptr);
  editor()->m_bConnectAfterSave = FALSE;
  SendNotifyText(workerWindow(), BRIDGE_CMD_CONNECT_BSS, "1", FALSE);
  // Code 7 is only posted: the flag is set and the editor not yet filled.
  EXPECT_TRUE(editor()->m_bConnectAfterSave);
  EXPECT_TRUE(valuesOf(EDITOR_FIELD_SSID).empty());
  wavorel::pumpMessages();
  EXPECT_EQ(lastOf(EDITOR_FIELD_SSID), "Gamma");
  EXPECT_TRUE(editor()->m_bConnectAfterSave);
}

TEST_F(SiteSurveyPageTest, DoubleClickOpensTheDetailViewOfTheSelectedNetwork) {
  startSurvey();
  NMHDR click{site()->List().GetSafeHwnd(), static_cast<UINT_PTR>(IDC_SS_LIST), static_cast<UINT>(NM_DBLCLK)};
  received().clear();
  site()->SendMessage(WM_NOTIFY, IDC_SS_LIST, reinterpret_cast<LPARAM>(&click));
  const std::string box = lastOf(BRIDGE_UI_MESSAGE_BOX);
  EXPECT_NE(box.find("No selected item"), std::string::npos) << box;

  const int gamma = rowOf("Gamma");
  command(BRIDGE_CMD_SELECT_BSS, std::to_string(gamma).c_str());
  site()->SendMessage(WM_NOTIFY, IDC_SS_LIST, reinterpret_cast<LPARAM>(&click));
  // The row's record as the double-click saw it: a scan report the service
  // thread delivers while the messages below are pumped may rebuild the list.
  DWORD length = 0;
  const BYTE* row = site()->RecordOfRow(gamma, &length);
  ASSERT_NE(row, nullptr);
  const std::vector<BYTE> record(row, row + length);
  wavorel::pumpMessages();
  auto* detail = dynamic_cast<CAPDetailInfoDlg*>(host()->GetSecondaryDialog(kHostDlgApDetailInfo));
  ASSERT_NE(detail, nullptr);
  ASSERT_NE(detail->GetBssRecord(), nullptr);
  EXPECT_EQ(std::memcmp(detail->GetBssRecord(), record.data(), length), 0);
  EXPECT_TRUE(detail->GetStyle() & WS_VISIBLE);
  EXPECT_EQ(g_pHideDlg->GetCurrentPage(), kHostDlgApDetailInfo);
  EXPECT_EQ(g_bHostExpanded, 1);
}

}  // namespace
}  // namespace station::testing
