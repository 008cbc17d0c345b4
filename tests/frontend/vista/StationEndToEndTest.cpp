// Station mode from the tab control to the simulated radio and back, in
// process: the application with its tray and main dialog, the station tab
// control starting the real worker, whose hidden host holds the reference
// pages, on the default world and a virtual clock.
#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <typeinfo>

#include "apps/skin/SkinGenerator.h"
#include "frontend/DlgOneSiteEditor.h"
#include "frontend/SiteEditor.h"
#include "frontend/SiteEditorIds.h"
#include "frontend/StationPageIds.h"
#include "frontend/TableCtrl_QZ.h"
#include "frontend/WavorelApp.h"
#include "frontend/WavorelDlg.h"
#include "platform/mfc/ControlRef.h"
#include "platform/sim/radio/Machine.h"
#include "platform/win/kernel/Paths.h"
#include "tests/frontend/StationFrontEnd.h"
#include "tests/station/host/StationHostTest.h"
#include "station/profiles/HiddenSsidDlg.h"

namespace {

class StationEndToEndTest : public station::testing::StationHostTest, protected station_front_end::StationFrontEnd {
 protected:
  void SetUp() override {
    StationHostTest::SetUp();
    seedRoot();
    std::string error;
    ASSERT_TRUE(wavorel::skin::writeSkin(programLinux() + "/Skin", &error)) << error;
    ASSERT_TRUE(start());
    table_ = table();
    // Message boxes of the run are answered OK.
    wavorel::setModalResponder([](const wavorel::ModalWindow&) { return IDOK; });
  }
  // What an earlier run left in the platform root before the program starts
  // (here nothing: a fresh root).
  virtual void seedRoot() {}
  void TearDown() override {
    wavorel::setModalResponder(nullptr);
    stop();
    StationHostTest::TearDown();
  }

  std::string linkValue(int index) { return text(table_->GetLinkPage().GetValue(index)); }
  static int rowOf(CListCtrl& list, const char* text, int column = 0) {
    for (int row = 0; row < list.GetItemCount(); ++row)
      if (list.GetItemText(row, column) == text) return row;
    return -1;
  }
  // Lets the clock run until `done` holds (at most `limit` ms).
  template <class Done>
  bool runUntil(Done done, uint64_t limit) {
    for (uint64_t spent = 0; spent < limit; spent += 100) {
      if (done()) return true;
      advance(100);
    }
    return done();
  }

  // Picks `ssid` on the site-survey page and connects: the worker's editor
  // opens the visible one (code 35), which takes `key` when given, and OK
  // saves and connects.
  void connectThroughEditor(const char* ssid, const char* key) {
    advance(3500);
    showPage(1);
    CPageMainDlg_SiteSurvey& survey = table_->GetSurveyPage();
    CSortListCtrl& list = survey.GetList();
    ASSERT_TRUE(runUntil([&] { return rowOf(list, ssid) >= 0; }, 20000));
    // The worker allows Connect once its scan is over: the details of a
    // click ask again.
    ASSERT_TRUE(runUntil(
        [&] {
          clickRow(list, rowOf(list, ssid));
          advance(100);
          return survey.GetConnectButton().IsWindowEnabled() != FALSE;
        },
        20000));
    EXPECT_EQ(text(survey.GetDlgItem(IDC_SURVEY_SSID)), ssid);
    advance(3000);
    // A scan ending meanwhile (its end comes from the simulated service's own
    // thread) lists the rows again and drops the worker's selection, as it
    // would under a person's hand: pick the row afresh and press again until
    // the editor opens.
    CDlgOneSiteEditor* editor = nullptr;
    ASSERT_TRUE(runUntil(
        [&] {
          pumpUntil([] { return !g_bScanRunning; });
          clickRow(list, rowOf(list, ssid));
          advance(100);
          if (text(survey.GetDlgItem(IDC_SURVEY_SSID)) != ssid) return false;
          press(survey, IDC_BTN_CONNECT);
          editor = GetSiteEditor();
          return editor && runUntil([&] { return editor->IsWindowVisible() != FALSE; }, 2000);
        },
        20000));
    if (key) ::SetDlgItemText(editor->GetSecurityPage().GetSafeHwnd(), IDC_SEC_PSK, key);
    editor->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SITE_OK, BN_CLICKED), 0);
    wavorel::pumpMessages();
  }
  void connectOpenNetwork() {
    connectThroughEditor("CafeFree", nullptr);
    ASSERT_TRUE(runUntil([&] { return linkValue(1) == "CafeFree"; }, 20000));
    ASSERT_TRUE(runUntil([&] { return !linkValue(5).empty() && trayFrame() >= 3; }, 10000));
  }

  CTableCtrl_QZ* table_ = nullptr;
};

TEST_F(StationEndToEndTest, WorkerStartsAfterOneSecondHiddenAndTheFirstPollShowsDisconnected) {
  advance(900);
  EXPECT_EQ(g_pHideDlg, nullptr);
  advance(200);
  ASSERT_NE(g_pHideDlg, nullptr);
  advance(2100);
  CStationHost* host = g_pHideDlg->GetHost();
  ASSERT_NE(host, nullptr);
  CWnd* hostWnd = dynamic_cast<CWnd*>(host);
  ASSERT_NE(hostWnd, nullptr);
  CRect rect;
  hostWnd->GetWindowRect(&rect);
  EXPECT_EQ(rect.left, -9999);
  EXPECT_EQ(rect.top, -9999);
  EXPECT_EQ(static_cast<DWORD>(::GetWindowLong(hostWnd->GetSafeHwnd(), GWL_EXSTYLE)), static_cast<DWORD>(WS_EX_TOOLWINDOW));
  EXPECT_EQ(linkValue(0), "Disconnected");
  EXPECT_EQ(trayFrame(), 0);
}

TEST_F(StationEndToEndTest, OpenNetworkConnectsThroughTheEditorAndTheLinkPageAndTrayFollow) {
  connectOpenNetwork();
  EXPECT_EQ(linkValue(2), "00-1D-7E-11-22-02");
  EXPECT_GT(table_->GetLinkPage().GetSignalBar().GetPos(), 0);
  // -67 dBm is Normal.
  EXPECT_EQ(trayFrame(), 4);
  EXPECT_EQ(std::string(app().GetTray().GetTooltipText()), "Wireless Net  Status : Normal (CafeFree)");
  // The editor's OK stored a profile of the network.
  showPage(2);
  CSortListCtrl& profiles = table_->GetProfilePage().GetList();
  EXPECT_TRUE(runUntil([&] { return rowOf(profiles, "CafeFree", 1) >= 0; }, 5000));
}

TEST_F(StationEndToEndTest, Wpa2PskNetworkStaysDownOnAWrongKeyAndConnectsOnTheRightOne) {
  connectThroughEditor("HomeNet", "not the passphrase");
  advance(10000);
  EXPECT_NE(linkValue(1), "HomeNet");
  EXPECT_LT(trayFrame(), 3);
  DestroySiteEditor();
  connectThroughEditor("HomeNet", "correct horse battery");
  EXPECT_TRUE(runUntil([&] { return linkValue(1) == "HomeNet" && trayFrame() == 3; }, 20000))
      << linkValue(1) << " / " << trayTip();
  EXPECT_EQ(linkValue(3), "WPA2-PSK");
}

TEST_F(StationEndToEndTest, ProfileMovedUpKeepsItsPlaceAcrossARestartOfStationMode) {
  connectOpenNetwork();
  DestroySiteEditor();
  connectThroughEditor("HomeNet", "correct horse battery");
  ASSERT_TRUE(runUntil([&] { return linkValue(1) == "HomeNet"; }, 20000));
  showPage(2);
  auto order = [this] {
    CSortListCtrl& list = table_->GetProfilePage().GetList();
    std::vector<std::string> ssids;
    for (int row = 0; row < list.GetItemCount(); ++row) ssids.emplace_back(list.GetItemText(row, 1));
    return ssids;
  };
  ASSERT_TRUE(runUntil([&] { return order().size() == 2; }, 5000));
  const std::vector<std::string> before = order();
  clickRow(table_->GetProfilePage().GetList(), 1);
  advance(200);
  press(table_->GetProfilePage(), IDC_PROF_UP);
  const std::vector<std::string> moved = {before[1], before[0]};
  ASSERT_TRUE(runUntil([&] { return order() == moved; }, 5000));

  // Station mode ends (AP mode) and starts again: the worker reads the order back.
  ControlRef<CButton>(&dialog(), IDC_RADIO_STATION).get()->SetCheck(0);
  ControlRef<CButton>(&dialog(), IDC_RADIO_AP).get()->SetCheck(1);
  dialog().SendMessage(WM_COMMAND, IDC_RADIO_AP, 0);
  advance(3100);
  ControlRef<CButton>(&dialog(), IDC_RADIO_AP).get()->SetCheck(0);
  ControlRef<CButton>(&dialog(), IDC_RADIO_STATION).get()->SetCheck(1);
  dialog().SendMessage(WM_COMMAND, IDC_RADIO_STATION, 0);
  table_ = table();
  ASSERT_NE(table_, nullptr);
  advance(3500);
  showPage(2);
  EXPECT_TRUE(runUntil([&] { return order() == moved; }, 10000));
}

TEST_F(StationEndToEndTest, ProfileMadeChangedAndDeletedThroughTheEditor) {
  advance(3500);
  showPage(2);
  CPageMainDlg_Profiles& page = table_->GetProfilePage();
  CSortListCtrl& profiles = page.GetList();
  auto edit = [&](UINT button, const char* name, const char* ssid) {
    press(page, button);
    CDlgOneSiteEditor* editor = GetSiteEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(runUntil([&] { return editor->IsWindowVisible() != FALSE; }, 2000));
    HWND info = editor->GetInfoPage().GetSafeHwnd();
    if (name) ::SetDlgItemText(info, IDC_INFO_NAME, name);
    ::SetDlgItemText(info, IDC_INFO_SSID, ssid);
    wavorel::pumpMessages();
    editor->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SITE_OK, BN_CLICKED), 0);
    wavorel::pumpMessages();
  };
  edit(IDC_PROF_NEW, "Lab", "CafeFree");
  ASSERT_TRUE(runUntil([&] { return rowOf(profiles, "Lab") >= 0; }, 5000));
  EXPECT_EQ(std::string(profiles.GetItemText(rowOf(profiles, "Lab"), 1)), "CafeFree");

  clickRow(profiles, rowOf(profiles, "Lab"));
  advance(200);
  DestroySiteEditor();
  edit(IDC_PROF_MODIFY, nullptr, "OldRouter");
  ASSERT_TRUE(runUntil([&] { return rowOf(profiles, "Lab") >= 0 && std::string(profiles.GetItemText(rowOf(profiles, "Lab"), 1)) == "OldRouter"; }, 5000));
  EXPECT_EQ(profiles.GetItemCount(), 1);

  // The question before deleting is answered Yes.
  wavorel::setModalResponder([](const wavorel::ModalWindow&) { return IDYES; });
  clickRow(profiles, rowOf(profiles, "Lab"));
  advance(200);
  press(page, IDC_PROF_DELETE);
  EXPECT_TRUE(runUntil([&] { return profiles.GetItemCount() == 0; }, 5000));
}

TEST_F(StationEndToEndTest, PushButtonOnThePushButtonNetworkConnectsAndListsTheCredential) {
  advance(3500);
  showPage(4);
  CPageMainDlg_WPS& wps = table_->GetWpsPage();
  ASSERT_TRUE(runUntil([&] { return rowOf(wps.GetApList(), "PrintHub", 1) >= 0; }, 20000));
  press(wps, IDC_WPS_PBC);
  EXPECT_TRUE(runUntil([&] { return linkValue(1) == "PrintHub"; }, 60000)) << linkValue(1);
  EXPECT_TRUE(runUntil([&] { return wps.GetProfileList().GetItemCount() > 0; }, 5000));
  EXPECT_EQ(linkValue(3), "WPA2-PSK");
}

TEST_F(StationEndToEndTest, PinShownIsTheWorkersAndAPinRunOnThePinNetworkReportsItsProgress) {
  advance(3500);
  showPage(4);
  CPageMainDlg_WPS& wps = table_->GetWpsPage();
  ASSERT_TRUE(runUntil([&] { return rowOf(wps.GetApList(), "HomeNet", 1) >= 0; }, 20000));
  char pin[16] = {};
  std::snprintf(pin, sizeof pin, "%08d", g_nWpsPinCode);
  EXPECT_EQ(text(wps.GetDlgItem(IDC_WPS_PIN_CODE)), pin);
  press(wps, IDC_WPS_RENEW);
  std::snprintf(pin, sizeof pin, "%08d", g_nWpsPinCode);
  EXPECT_EQ(text(wps.GetDlgItem(IDC_WPS_PIN_CODE)), pin);

  // The network was never given this PIN: the run starts, shows its
  // progress, and ends without a connection.
  clickRow(wps.GetApList(), rowOf(wps.GetApList(), "HomeNet", 1));
  advance(100);
  press(wps, IDC_WPS_PIN);
  EXPECT_TRUE(runUntil([&] { return wps.GetProgress().IsWindowVisible() != FALSE; }, 5000));
  advance(30000);
  EXPECT_NE(linkValue(1), "HomeNet");
  EXPECT_EQ(wps.GetProfileList().GetItemCount(), 0);
}

TEST_F(StationEndToEndTest, DirectConnectOpensTheSecurityEditorAndAHiddenNetworkThePromptFirst) {
  advance(3500);
  showPage(1);
  CSortListCtrl& list = table_->GetSurveyPage().GetList();
  ASSERT_TRUE(runUntil([&] { return rowOf(list, "OldRouter") >= 0 && rowOf(list, "") >= 0; }, 20000));
  ASSERT_TRUE(pumpUntil([] { return !g_bScanRunning; }));
  CPageMainDlg_SiteSurvey& survey = table_->GetSurveyPage();
  // Code 6 has no sender in the front end: it is posted as one would, for
  // the row picked, once the worker allows a connection; `opened` tells
  // when the worker took it.
  const auto connectDirect = [&](const char* ssid, auto opened) {
    return runUntil(
        [&] {
          pumpUntil([] { return !g_bScanRunning; });
          clickRow(list, rowOf(list, ssid));
          advance(100);
          if (!survey.GetConnectButton().IsWindowEnabled()) return false;
          NotifyWorkerInt(BRIDGE_CMD_CONNECT_BSS_DIRECT, rowOf(list, ssid), TRUE);
          wavorel::pumpMessages();
          return runUntil(opened, 1000);
        },
        20000);
  };
  const auto editorShown = [] { return GetSiteEditor() && GetSiteEditor()->IsWindowVisible(); };
  const auto confirm = [&](UINT keyId, const char* key) {
    CDlgOneSiteEditor* editor = GetSiteEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(runUntil([&] { return editor->IsWindowVisible() != FALSE; }, 2000));
    ::SetDlgItemText(editor->GetSecurityPage().GetSafeHwnd(), keyId, key);
    editor->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SITE_OK, BN_CLICKED), 0);
    wavorel::pumpMessages();
  };

  ASSERT_TRUE(connectDirect("OldRouter", editorShown));
  confirm(IDC_SEC_KEY1, "0123456789");
  EXPECT_TRUE(runUntil([&] { return linkValue(1) == "OldRouter"; }, 20000)) << linkValue(1);

  DestroySiteEditor();
  // The prompt shows inside the worker's host, which itself stays hidden
  // off the screen: the prompt's own visibility is what changes.
  CWnd* prompt = nullptr;
  ASSERT_TRUE(connectDirect("", [&] {
    prompt = dynamic_cast<CWnd*>(g_pHideDlg->GetHost()->GetSecondaryDialog(kHostDlgHiddenSsid));
    return prompt && (prompt->GetStyle() & WS_VISIBLE) != 0;
  }));
  prompt->SetDlgItemText(IDC_HIDDEN_SSID_EDIT, "Backroom");
  prompt->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_HIDDEN_SSID_OK, BN_CLICKED), 0);
  wavorel::pumpMessages();
  confirm(IDC_SEC_PSK, "nobody knows");
  // The editor's OK joins the network by the name entered.
  EXPECT_TRUE(runUntil(
      [] {
        auto& adapter = wavorel::sim::machine().adapter(0);
        return adapter.connected() && adapter.network() && adapter.network()->ssid == "Backroom";
      },
      20000));
  // The save request that follows opens the site editor as the profile
  // editor of the row, whose name is hidden: it shows, asking for the SSID;
  // its OK saves the profile and the host's link page shows the new network.
  CDlgOneSiteEditor* editor = GetSiteEditor();
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(runUntil([&] { return editor->IsWindowVisible() != FALSE; }, 5000));
  EXPECT_EQ(text(editor->GetInfoPage().GetDlgItem(IDC_INFO_SSID)), "");
  ::SetDlgItemText(editor->GetInfoPage().GetSafeHwnd(), IDC_INFO_SSID, "Backroom");
  editor->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SITE_OK, BN_CLICKED), 0);
  wavorel::pumpMessages();
  EXPECT_TRUE(runUntil([&] { return linkValue(1) == "Backroom"; }, 20000)) << linkValue(1);
}

TEST_F(StationEndToEndTest, StatisticsCountersGrowWhileThePageShowsAndStopWhenItHides) {
  connectOpenNetwork();
  showPage(3);
  CGxEdit* received = table_->GetStatisticPage().GetCounter(5);
  ASSERT_TRUE(runUntil([&] { return atoi(text(received).c_str()) > 0; }, 5000));
  const int first = atoi(text(received).c_str());
  advance(4100);
  EXPECT_GT(atoi(text(received).c_str()), first);
  showPage(0);
  received->SetWindowText("stopped");
  advance(6000);
  EXPECT_EQ(text(received), "stopped");
}

TEST_F(StationEndToEndTest, UnpluggedAdapterShowsNotExistAndItsReturnDisconnected) {
  advance(3500);
  ASSERT_EQ(trayFrame(), 0);
  wavorel::sim::machine().setPresent(guid(), false);
  EXPECT_TRUE(runUntil([&] { return trayFrame() == 1; }, 10000)) << trayTip();
  EXPECT_NE(trayTip().find("Not Exist"), std::string::npos) << trayTip();
  wavorel::sim::machine().setPresent(guid(), true);
  EXPECT_TRUE(runUntil([&] { return trayFrame() == 0; }, 15000)) << trayTip();
  EXPECT_EQ(linkValue(0), "Disconnected");
}

TEST_F(StationEndToEndTest, HardwareRadioOffDropsTheLinkAndTheSurveyWhichComeBackWithIt) {
  connectOpenNetwork();
  CSortListCtrl& sites = table_->GetSurveyPage().GetList();
  machine().setHardwareRadio(guid(), false);
  EXPECT_TRUE(runUntil([&] { return trayFrame() == 0; }, 10000)) << trayTip();
  EXPECT_EQ(linkValue(1), "");
  EXPECT_EQ(rowOf(sites, "CafeFree"), -1);
  machine().setHardwareRadio(guid(), true);
  EXPECT_TRUE(runUntil([&] { return rowOf(sites, "CafeFree") >= 0; }, 20000));
}

TEST_F(StationEndToEndTest, HostRadioButtonTwiceTurnsTheRadioOffAndBackOn) {
  connectOpenNetwork();
  CWnd* host = dynamic_cast<CWnd*>(g_pHideDlg->GetHost());
  ASSERT_NE(host, nullptr);
  CSortListCtrl& sites = table_->GetSurveyPage().GetList();
  g_bSsoSupported = 1;  // the host keeps "Radio" in the driver key only then
  host->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_HOST_RADIO, BN_CLICKED), 0);
  EXPECT_TRUE(runUntil([&] { return trayFrame() == 0 && linkValue(1).empty(); }, 10000)) << trayTip();
  EXPECT_STREQ(readText(HKEY_LOCAL_MACHINE, g_strDriverKey, "Radio").c_str(), "0");
  host->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_HOST_RADIO, BN_CLICKED), 0);
  EXPECT_STREQ(readText(HKEY_LOCAL_MACHINE, g_strDriverKey, "Radio").c_str(), "1");
  EXPECT_TRUE(runUntil([&] { return rowOf(sites, "CafeFree") >= 0; }, 20000));
}

// The timers of a program left alone: ten seconds of station mode, connected
// and idle, with every timer that fires counted by its window's class and id
// as the loop takes it. Only the pages' and the worker's periodic timers run.
TEST_F(StationEndToEndTest, TenIdleSecondsFireOnlyThePeriodicTimersOfTheWorkerAndThePages) {
  connectOpenNetwork();
  advance(10000);
  const auto owner = [](HWND hwnd) -> std::string {
    CWnd* wnd = hwnd ? CWnd::FromHandlePermanent(hwnd) : nullptr;
    if (!wnd) return hwnd ? "window" : "thread";
    int status = 0;
    char* name = abi::__cxa_demangle(typeid(*wnd).name(), nullptr, nullptr, &status);
    std::string out = status == 0 && name ? name : typeid(*wnd).name();
    std::free(name);
    return out;
  };
  std::map<std::pair<std::string, UINT_PTR>, int> fired;
  for (int ms = 0; ms < 10000; ++ms) {
    clock().advance(1);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_TIMER) ++fired[{owner(msg.hwnd), msg.wParam}];
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  std::string list;
  for (const auto& [timer, count] : fired)
    list += timer.first + " " + std::to_string(timer.second) + ": " + std::to_string(count) + "\n";
  RecordProperty("timers", list);
  // Each timer's period and how many windows run it: the worker's poll and
  // its host button refresh, the site survey's and the link page's passes,
  // the profile page's check, the WPS page's second tick and the marquee of
  // the link page's five bars.
  struct Periodic {
    int periodMs;
    int windows;
  };
  const std::map<std::pair<std::string, UINT_PTR>, Periodic> periodic = {
      {{"CHideDlg", 1}, {2000, 1}},       {{"CHideDlg", 11}, {200, 1}},
      {{"CPageSiteSurveyDlg", 1}, {2000, 1}}, {{"CLinkStatusDlg", 1}, {2000, 1}},
      {{"CPageProfileDlg", 1}, {3000, 1}}, {{"CPageWPSDlg", 6}, {1000, 1}},
      {{"CProgressCtrlX", 12}, {55, 5}},
  };
  for (const auto& [timer, count] : fired) {
    SCOPED_TRACE(timer.first + " " + std::to_string(timer.second));
    const auto known = periodic.find(timer);
    ASSERT_NE(known, periodic.end()) << list;
    const int each = 10000 / known->second.periodMs;
    EXPECT_GE(count, each * known->second.windows);
    EXPECT_LE(count, (each + 1) * known->second.windows);
  }
  EXPECT_EQ(fired.size(), periodic.size()) << list;
}

TEST_F(StationEndToEndTest, StationToApAndBackThreeTimesLeavesNoWorkerOrBridgeWindow) {
  for (int round = 0; round < 3; ++round) {
    advance(3500);
    ASSERT_NE(g_pHideDlg, nullptr) << round;
    ControlRef<CButton>(&dialog(), IDC_RADIO_STATION).get()->SetCheck(0);
    ControlRef<CButton>(&dialog(), IDC_RADIO_AP).get()->SetCheck(1);
    dialog().SendMessage(WM_COMMAND, IDC_RADIO_AP, 0);
    wavorel::pumpMessages();
    EXPECT_EQ(g_pHideDlg, nullptr) << round;
    EXPECT_EQ(dialog().GetStationTable(), nullptr) << round;
    EXPECT_EQ(CountPendingNotifyTexts(), 0) << round;
    advance(3100);
    ControlRef<CButton>(&dialog(), IDC_RADIO_AP).get()->SetCheck(0);
    ControlRef<CButton>(&dialog(), IDC_RADIO_STATION).get()->SetCheck(1);
    dialog().SendMessage(WM_COMMAND, IDC_RADIO_STATION, 0);
    wavorel::pumpMessages();
    table_ = dynamic_cast<CTableCtrl_QZ*>(dialog().GetStationTable());
    ASSERT_NE(table_, nullptr) << round;
  }
}

// The root the demo's station run starts on (tools/vista-station-root.sh):
// the profile "Home" of HomeNet in the worker's INI store and in the system's
// profile store. The store files go into this fixture's data folder.
class SeededStationEndToEndTest : public StationEndToEndTest {
 protected:
  void seedRoot() override {
    namespace fs = std::filesystem;
    const fs::path seed = root() + "/seed";
    const std::string command = std::string("bash '") + VISTA_STATION_ROOT_SCRIPT + "' '" + seed.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::string dataFolder;
    ASSERT_TRUE(wavorel::resolveWindowsPath("C:\\Data", dataFolder));
    const auto options = fs::copy_options::recursive | fs::copy_options::overwrite_existing;
    fs::copy(seed / "drive_c/Users/User/AppData/Local", dataFolder, options);
    fs::copy(seed / "wlansvc", root() + "/wlansvc", options);
  }
};

TEST_F(SeededStationEndToEndTest, StartOnTheDemoRootFindsHomeNetConnectedWithItsProfile) {
  EXPECT_TRUE(runUntil([&] { return linkValue(1) == "HomeNet"; }, 10000)) << linkValue(0);
  EXPECT_EQ(linkValue(3), "WPA2-PSK");
  EXPECT_TRUE(runUntil([&] { return trayFrame() == 3; }, 5000)) << trayTip();
  EXPECT_EQ(trayTip(), "Wireless Net  Status : Good (HomeNet)");
  showPage(2);
  CSortListCtrl& profiles = table_->GetProfilePage().GetList();
  EXPECT_TRUE(runUntil([&] { return rowOf(profiles, "Home") >= 0; }, 5000));
  EXPECT_EQ(std::string(profiles.GetItemText(rowOf(profiles, "Home"), 1)), "HomeNet");
}

}  // namespace
