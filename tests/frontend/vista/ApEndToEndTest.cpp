// Soft-AP mode from the tab control to the simulated stations and back, in
// process: the application with its tray and main dialog in AP mode, the AP
// tab control starting the real AP worker, on the default world with its
// clients and a virtual clock.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "apps/skin/SkinGenerator.h"
#include "frontend/ApPageIds.h"
#include "frontend/SystemTrayIds.h"
#include "platform/mfc/ControlRef.h"
#include "platform/win/user/MessageQueue.h"
#include "softap/AccessControlPage_AP.h"
#include "softap/QzPropSheet_AP.h"
#include "tests/frontend/StationFrontEnd.h"
#include "tests/softap/vista/ApConfigPageTest.h"

namespace softap::testing {
namespace {

const char kGood[] = "00-24-D7-00-00-0A";
const char kBad[] = "00-24-D7-00-00-0B";

class ApEndToEndTest : public ApConfigPageTest, protected station_front_end::StationFrontEnd {
 protected:
  void TearDown() override {
    wavorel::setModalResponder(nullptr);
    stop();
    ApConfigPageTest::TearDown();
  }

  // AP mode on the default world with `clients` and the base settings, the
  // program just started in it.
  void begin(const std::string& clients = "") {
    if (!clients.empty()) useDefaultWorld("", clients);
    writeApDefault(kBase);
    std::string error;
    ASSERT_TRUE(wavorel::skin::writeSkin(programLinux() + "/Skin", &error)) << error;
    CTableCtrl_AP::SetLastSwitchTick(0);
    ASSERT_TRUE(StationFrontEnd::start(true));
    table_ = apTable();
    // Message boxes of the run are answered OK.
    wavorel::setModalResponder([](const wavorel::ModalWindow&) { return IDOK; });
  }
  // One second on: the worker is started; its first connection's keys out.
  void startWorker() {
    wavorel::runFor(1000);
    ASSERT_NE(worker(), nullptr);
    settle([] { return !worker()->IsKeyPending(); });
  }
  template <class Done>
  static bool runUntil(Done done, uint64_t limit) {
    for (uint64_t spent = 0; spent < limit; spent += 100) {
      if (done()) return true;
      wavorel::runFor(100);
    }
    return done();
  }
  static CQzPropSheet_AP* sheet() { return worker() ? worker()->GetSheet() : nullptr; }
  static CAuthSecuDlg_AP* securityDialog() { return sheet() ? sheet()->GetConfigPage().GetSecurityDialog() : nullptr; }

  static void type(CWnd& edit, const std::string& text) {
    for (char c : text) edit.SendMessage(WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 0);
    wavorel::pumpMessages();
  }
  static void chooseText(CWnd& page, CComboBox& combo, const char* item) {
    ASSERT_GE(combo.SelectString(-1, item), 0) << item;
    page.SendMessage(WM_COMMAND, MAKEWPARAM(combo.GetDlgCtrlID(), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo.GetSafeHwnd()));
  }
  static std::string selectedText(CComboBox& combo) {
    CString item;
    if (combo.GetCurSel() >= 0) combo.GetLBText(combo.GetCurSel(), item);
    return item.GetString();
  }
  static std::vector<std::string> rows(CListBox* list) {
    std::vector<std::string> out;
    for (int i = 0; list && i < list->GetCount(); ++i) {
      CString row;
      list->GetText(i, row);
      out.emplace_back(row.GetString());
    }
    return out;
  }
  // Page `index` brought to the front the way a label click does, once the
  // last switch is 300 ms old; the worker is told of it by a posted command
  // nothing has taken yet.
  void switchPageUnpumped(int index) {
    wavorel::runFor(CTableCtrl_AP::kSwitchDebounceMs);
    ASSERT_GE(table_->SetCurSel(index), 0);
  }
  // Runs `script` inside the security dialog the worker opens for the
  // security page (the dialog is off the screen, so nobody answers it):
  // once the worker's reports of the dialog reached the page.
  void whileSecurityDialogRuns(std::function<void()> script) {
    switchPageUnpumped(1);
    postScript([this, script] {
      ASSERT_NE(securityDialog(), nullptr);
      postScript(script);
    });
    pump();
  }
  // Leaves the security page (with no wait for the debounce) once the worker
  // has opened its dialog again, so that the dialog is cancelled from inside
  // its own loop.
  void leaveSecurityPageWhenReopened(HWND first, int tries = 100) {
    postScript([this, first, tries] {
      CAuthSecuDlg_AP* dialog = securityDialog();
      if ((dialog && dialog->GetSafeHwnd() != first) || tries == 0) {
        CTableCtrl_AP::SetLastSwitchTick(0);
        table_->SetCurSel(0);
        return;
      }
      leaveSecurityPageWhenReopened(first, tries - 1);
    });
  }
  // Whether the event log holds `code` for the station of `mac`.
  static bool logged(USHORT code, const char* mac) {
    for (INT_PTR i = 0; i < g_apEventLog.GetSize(); ++i)
      if (g_apEventLog[i].EventCode == code && g_apEventLog[i].MacAddress[5] == lastByte(mac)) return true;
    return false;
  }
  static bool associated(const char* mac) {
    uint8_t address[6] = {0x00, 0x24, 0xD7, 0x00, 0x00, lastByte(mac)};
    return wavorel::sim::machine().adapter(0).softAp().hasStation(address);
  }
  static uint8_t lastByte(const char* mac) { return static_cast<uint8_t>(std::strtoul(mac + 15, nullptr, 16)); }

  CTableCtrl_AP* table_ = nullptr;
};

TEST_F(ApEndToEndTest, WorkerStartsOneSecondAfterTheSwitchAndAppliesOneSecondAfterItsFirstChannel) {
  begin();
  wavorel::runFor(999);
  EXPECT_EQ(worker(), nullptr);
  wavorel::runFor(1);
  ASSERT_NE(worker(), nullptr);
  settle([] { return !worker()->IsKeyPending(); });
  CPageAP_BaseConfig& basic = table_->GetBaseConfigPage();
  EXPECT_EQ(selectedText(basic.GetModeCombo()), "2.4G");
  EXPECT_EQ(text(&basic.GetSsidEdit()), "Quendal-SoftAP");
  EXPECT_GT(basic.GetChannelCombo().GetCount(), 1);
  EXPECT_EQ(selectedText(basic.GetChannelCombo()), "6");
  EXPECT_TRUE(table_->IsChannelReported());
  // The tray shows the worker's first state.
  EXPECT_EQ(trayFrame(), 0);
  EXPECT_FALSE(trayTip().empty());

  // One second after the first channel report the worker applies the page.
  wavorel::sim::clearDriverCalls();
  wavorel::runFor(990);
  EXPECT_TRUE(setTrace().empty()) << setTrace().front();
  wavorel::runFor(10);
  EXPECT_FALSE(setTrace().empty());
}

TEST_F(ApEndToEndTest, TypedSsidIsBeaconedAfterApply) {
  begin();
  startWorker();
  CPageAP_BaseConfig& basic = table_->GetBaseConfigPage();
  basic.GetSsidEdit().SetWindowText("");
  type(basic.GetSsidEdit(), "Lab");
  press(basic, IDC_APPAGE_APPLY);
  ASSERT_TRUE(settle([] { return !worker()->IsKeyPending(); }));
  EXPECT_EQ(readValue(driverKeyOf(), "SSID"), "Lab");
  EXPECT_EQ(wavorel::sim::machine().adapter(0).softAp().ssid(), "Lab");
}

TEST_F(ApEndToEndTest, Wpa2PskFromTheSecurityPageAdmitsTheRightPassphraseOnly) {
  begin(client("Good", kGood, "Passphrase = letmein123\nArrives = 6") +
        client("Bad", kBad, "Passphrase = wrongguess1\nArrives = 6"));
  startWorker();
  CPageAP_SecuritySetting& page = table_->GetSecurityPage();
  whileSecurityDialogRuns([&] {
    // The page holds the dialog's lists now; the encryption list follows
    // the authentication chosen.
    // (the choice reaches the worker first, then its new list the page).
    chooseText(page, page.GetAuthCombo(), "WPA2-PSK");
    postScript([&] {
      postScript([&] {
        chooseText(page, page.GetEncryptionCombo(), "AES");
        page.GetPskEdit().SetWindowText("");
        type(page.GetPskEdit(), "letmein123");
        const HWND first = securityDialog()->GetSafeHwnd();
        press(page, IDC_APPAGE_APPLY);
        leaveSecurityPageWhenReopened(first);
      });
    });
  });
  // OK was taken: the dialog opened again for the page still in front, and
  // leaving the page cancelled it without opening it anew.
  EXPECT_EQ(securityDialog(), nullptr);
  EXPECT_EQ(table_->GetCurSel(), 0);
  ASSERT_TRUE(settle([] { return !worker()->IsKeyPending(); }));
  EXPECT_TRUE(runUntil([] { return logged(5, kBad); }, 12000));
  EXPECT_TRUE(logged(1, kGood));
  EXPECT_FALSE(logged(1, kBad));
  EXPECT_TRUE(associated(kGood));
  EXPECT_FALSE(associated(kBad));
}

// The worker's security dialog, opened for the security page, is not
// activated and leaves the keyboard on the label: the next arrow key goes on to the
// next page, which cancels the dialog.
TEST_F(ApEndToEndTest, ArrowKeysWalkOnPastTheSecurityPageWhileItsDialogRuns) {
  begin();
  startWorker();
  const HWND security = table_->GetLabel(1)->GetSafeHwnd();
  ::SetFocus(security);
  whileSecurityDialogRuns([&] {
    EXPECT_EQ(::GetActiveWindow(), dialog().GetSafeHwnd());
    EXPECT_EQ(::GetFocus(), security);
    CTableCtrl_AP::SetLastSwitchTick(0);
    wavorel::sendKey(VK_RIGHT, true);
    wavorel::sendKey(VK_RIGHT, false);
    // Left open by a key that went elsewhere, the dialog is ended here.
    postScript([this] {
      if (securityDialog()) securityDialog()->EndDialog(IDCANCEL);
    });
  });
  EXPECT_EQ(table_->GetCurSel(), 2);
  EXPECT_EQ(::GetFocus(), table_->GetLabel(2)->GetSafeHwnd());
  EXPECT_EQ(securityDialog(), nullptr);
}

TEST_F(ApEndToEndTest, AllBlockedWithTheClientsAddressRefusesItAndBothListsStayEqual) {
  begin(client("Good", kGood, "Arrives = 1"));
  startWorker();
  ASSERT_TRUE(runUntil([] { return associated(kGood); }, 5000));
  switchPageUnpumped(2);
  pump();
  CPageAP_AccessControl& page = table_->GetAccessControlPage();
  ASSERT_NE(sheet(), nullptr);
  CAccessControlPage_AP& workerPage = sheet()->GetAccessControlPage();
  ControlRef<CListBox> workerList(&workerPage, CAccessControlPage_AP::kListId);
  auto listsEqual = [&] {
    pump();
    return rows(&page.GetList()) == rows(workerList.get());
  };
  chooseText(page, page.GetPolicyCombo(), "All Blocked");
  for (const char* mac : {"0024D700000A", "0024D700000C", "0024D700000D"}) {
    page.GetMacEdit().SetWindowText("");
    type(page.GetMacEdit(), mac);
    press(page, IDC_APACL_ADD);
    EXPECT_TRUE(listsEqual()) << mac;
  }
  ASSERT_EQ(page.GetListCount(), 3);
  press(page, IDC_APPAGE_APPLY);
  EXPECT_TRUE(runUntil([] { return !associated(kGood); }, 6000));

  // Delete the second row, then remove all: the rows agree at every step.
  page.GetList().SetCurSel(1);
  page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_APACL_LIST, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(page.GetList().GetSafeHwnd()));
  press(page, IDC_APACL_DELETE);
  EXPECT_TRUE(listsEqual());
  EXPECT_EQ(page.GetListCount(), 2);
  press(page, IDC_APACL_REMOVE_ALL);
  EXPECT_TRUE(listsEqual());
  EXPECT_EQ(page.GetListCount(), 0);
}

TEST_F(ApEndToEndTest, AboutPageHoldsTheWorkersTexts) {
  begin();
  startWorker();
  switchPageUnpumped(3);
  pump();
  CPageAP_About& about = table_->GetAboutPage();
  ASSERT_TRUE(runUntil([&] { return !text(about.GetField(3)).empty(); }, 6000));
  // EEPROM version, driver date, MAC address and the information line.
  EXPECT_EQ(text(about.GetField(3)), "1.2");
  EXPECT_EQ(text(about.GetField(5)), "03-18-2009");
  EXPECT_EQ(text(about.GetField(9)), "00-0E-2E-5A-10-01");
  EXPECT_EQ(text(about.GetField(0)), "AP CopyRight");
}

TEST_F(ApEndToEndTest, ModeSwitchWhileTheSecurityDialogRunsEndsTheWorkerOnceTheDialogReturned) {
  begin();
  startWorker();
  const HWND workerWindow = worker()->GetSafeHwnd();
  whileSecurityDialogRuns([&] {
    chooseMode(false);
  });
  ASSERT_NE(StationFrontEnd::table(), nullptr);
  StationFrontEnd::table()->KillTimer(TIMER_START_WORKER);
  pump();
  EXPECT_EQ(apTable(), nullptr);
  EXPECT_EQ(worker(), nullptr);
  EXPECT_FALSE(::IsWindow(workerWindow));
}

TEST_F(ApEndToEndTest, ExitFromTheTrayWhileTheSecurityDialogRuns) {
  begin();
  startWorker();
  const HWND workerWindow = worker()->GetSafeHwnd();
  whileSecurityDialogRuns([&] { dialog().SendMessage(WM_COMMAND, ID_TRAY_EXIT, 0); });
  EXPECT_EQ(securityDialog(), nullptr);
  EXPECT_EQ(g_pApRegistryClient, nullptr);
  dialog().DestroyWindow();
  pump();
  EXPECT_EQ(worker(), nullptr);
  EXPECT_FALSE(::IsWindow(workerWindow));
}

TEST_F(ApEndToEndTest, ARunEndedWithoutTheTraysExitReleasesTheRegistryServiceToo) {
  begin();
  startWorker();
  ASSERT_NE(g_pApRegistryClient, nullptr);
  // The main dialog goes, then the application ends (a WM_QUIT's way out).
  stop();
  EXPECT_EQ(worker(), nullptr);
  EXPECT_EQ(g_pApRegistryClient, nullptr);
}

TEST_F(ApEndToEndTest, StationToApAndBackThreeTimesLeavesNoWorker) {
  begin();
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    startWorker();
    ASSERT_NE(apTable(), nullptr);
    const HWND workerWindow = worker()->GetSafeHwnd();
    chooseMode(false);
    ASSERT_NE(StationFrontEnd::table(), nullptr);
    StationFrontEnd::table()->KillTimer(TIMER_START_WORKER);
    pump();
    EXPECT_EQ(worker(), nullptr);
    EXPECT_FALSE(::IsWindow(workerWindow));
    EXPECT_FALSE(wavorel::sim::icsDhcpServerOn());
    wavorel::runFor(3000);
    chooseMode(true);
    ASSERT_NE(apTable(), nullptr);
    table_ = apTable();
  }
  // Back to station mode and out of the program: no timer of any window or
  // of the thread is left armed.
  startWorker();
  chooseMode(false);
  ASSERT_NE(StationFrontEnd::table(), nullptr);
  StationFrontEnd::table()->KillTimer(TIMER_START_WORKER);
  pump();
  stop();
  pump();
  EXPECT_TRUE(wavorel::MessageQueue::current()->timers().empty());
}

TEST_F(ApEndToEndTest, ChangedStateAsksTheWorkerForItsSheetAndOnlyUnlinkedStatesRefreshThePages) {
  begin();
  startWorker();
  table_->CreateAllPageWindows();
  pump();
  const HWND workerWindow = worker()->GetSafeHwnd();
  CWnd* pages[] = {&table_->GetBaseConfigPage(), &table_->GetSecurityPage(), &table_->GetAccessControlPage()};
  // How many times the tab control asked the worker to open its sheet since
  // the last call (the requests taken off the worker's queue).
  const auto sheetRequests = [workerWindow] {
    int requests = 0;
    MSG msg{};
    while (::PeekMessage(&msg, workerWindow, WM_COMMAND, WM_COMMAND, PM_REMOVE))
      requests += msg.wParam == CHideDlg_AP::ID_OPEN_SHEET;
    return requests;
  };
  SendNotifyText(table_->GetSafeHwnd(), BRIDGE_UI_CONNECTION_STATE, "03Soft AP  Status : Good", FALSE);
  struct Step {
    const char* value;
    int requests;
    bool refreshed;
  };
  const Step steps[] = {
      {"00Soft AP  Status : Lost", 1, true},
      {"03Soft AP  Status : Good", 1, false},
      {"03Soft AP  Status : Good", 0, false},
      {"01Soft AP  Status : Not Exist", 0, true},
  };
  for (const Step& step : steps) {
    sheetRequests();
    for (CWnd* page : pages) ::ValidateRect(page->GetSafeHwnd(), nullptr);
    SendNotifyText(table_->GetSafeHwnd(), BRIDGE_UI_CONNECTION_STATE, step.value, FALSE);
    EXPECT_EQ(sheetRequests(), step.requests) << step.value;
    for (CWnd* page : pages)
      EXPECT_EQ(::GetUpdateRect(page->GetSafeHwnd(), nullptr, FALSE) != FALSE, step.refreshed) << step.value;
  }
}

TEST_F(ApEndToEndTest, UnplugShowsNotExistAndReplugLostThenTheSignal) {
  begin(client("Good", kGood, "Arrives = 1"));
  startWorker();
  auto& machine = wavorel::sim::machine();
  machine.setPresent(guid(), false);
  wavorel::runFor(CHideDlg_AP::kPollMs);
  EXPECT_EQ(trayFrame(), 1);
  EXPECT_EQ(trayTip(), "Soft AP  Status : Not Exist");
  machine.setPresent(guid(), true);
  wavorel::runFor(CHideDlg_AP::kPollMs);
  EXPECT_EQ(trayFrame(), 0);
  EXPECT_EQ(trayTip(), "Soft AP  Status : Lost");
  // The changed picture asked the worker to open its sheet again.
  settle([] { return !worker()->IsKeyPending(); });
  EXPECT_TRUE(runUntil([&] { return trayFrame() >= 3; }, 6000)) << trayTip();
  EXPECT_NE(sheet(), nullptr);
}

}  // namespace
}  // namespace softap::testing
