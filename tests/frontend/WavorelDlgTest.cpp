// The main dialog run modeless over a fresh program folder: the mode switch
// and its tab controls (made by test makers on the host control), the saved
// mode, the radios' lock, hiding instead of closing, auto-hide, the tray and
// instance messages, the About alert, the page-change report to the AP worker,
// and the dialog's picture in each mode.
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "frontend/DlgMessageBox.h"
#include "frontend/GxTabCtrl.h"
#include "frontend/GxTabPage.h"
#include "frontend/SkinMessageBox.h"
#include "frontend/UiBridge.h"
#include "frontend/WavorelApp.h"
#include "frontend/WavorelDlg.h"
#include "platform/present/Screenshot.h"
#include "platform/present/WindowImage.h"
#include "tests/frontend/FrontendTest.h"
#include "tests/frontend/GxTabCtrlTestIds.h"

namespace {

using wavorel::ModalWindow;

std::vector<std::string> g_tables;  // "+station", "-station", "+ap", "-ap" in order

// A tab control of a mode, with one page per mode so a page index can be
// checked against its count.
class CModeTable : public CGxTabCtrl {
 public:
  explicit CModeTable(const char* mode) : m_mode(mode), m_page(IDD_TEST_PAGE_A, nullptr) {}
  ~CModeTable() override { g_tables.push_back(std::string("-") + m_mode); }
  std::string m_mode;
  CGxTabPage m_page;
};

CGxTabCtrl* makeTable(CWnd* host, const char* mode, int pages) {
  if (!host) return nullptr;
  auto table = std::make_unique<CModeTable>(mode);
  if (!table->SubclassWindow(host->GetSafeHwnd())) return nullptr;
  for (int i = 0; i < pages; ++i) table->AddPage("Page", &table->m_page, IDD_TEST_PAGE_A);
  table->ShowWindow(SW_SHOW);
  g_tables.push_back(std::string("+") + mode);
  return table.release();
}
CGxTabCtrl* makeStation(CWnd* host) { return makeTable(host, "station", 0); }
CGxTabCtrl* makeAP(CWnd* host) { return makeTable(host, "ap", 2); }

std::vector<std::pair<UINT, std::string>> g_bridge;  // what the test's bridge window got

LRESULT CALLBACK bridgeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_UIBRIDGE) return DefWindowProc(hwnd, msg, wParam, lParam);
  CString value = TakeNotifyText(wParam, lParam);
  g_bridge.emplace_back(static_cast<UINT>(wParam), value.GetString());
  if (wParam == BRIDGE_UI_MESSAGE_BOX) return OnBridgeMessageBox(value);
  return 0;
}

class WavorelDlgTest : public wavorel::testing::FrontendTest {
 protected:
  void SetUp() override {
    FrontendTest::SetUp();
    g_tables.clear();
    g_bridge.clear();
    CWavorelDlg::SetTableCreators(makeStation, makeAP);
    WNDCLASS wc = {};
    wc.lpfnWndProc = bridgeProc;
    wc.lpszClassName = "BridgeEnd";
    RegisterClass(&wc);
  }

  void TearDown() override {
    dialog.reset();
    app.reset();
    CWavorelDlg::SetTableCreators(nullptr, nullptr);
    FrontendTest::TearDown();
  }

  // The application as the program starts it (a negative mode: none saved),
  // then the dialog, shown as the modal loop shows it.
  void open(const char* commandLine = "", int savedMode = -1) {
    // A main dialog destroyed by an earlier open() of this test ended the
    // thread's loop (WM_QUIT); while that quit is pending no message, timer
    // or paint of the new dialog would run.
    MSG quit;
    while (PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    app = std::make_unique<CWavorelApp>();
    std::string line(commandLine);
    ASSERT_TRUE(AfxWinInit(wavorel::programInstance(), nullptr, line.data(), SW_SHOWNORMAL));
    app->SetRegistryKey("Wavorel(Quendal)");
    app->ParseCommandLine();
    if (savedMode >= 0) app->WriteProfileInt("Setting", "Mode", savedMode);
    else app->WriteProfileString("Setting", "Mode", nullptr);
    dialog = std::make_unique<CWavorelDlg>();
    app->m_pMainWnd = dialog.get();
    ASSERT_TRUE(dialog->Create(IDD_WAVOREL_DIALOG, nullptr));
    dialog->ShowWindow(SW_SHOWNORMAL);
  }

  HWND item(int id) const { return ::GetDlgItem(dialog->GetSafeHwnd(), id); }
  bool checked(int id) const { return ::SendMessage(item(id), BM_GETCHECK, 0, 0) != 0; }

  // A click on a radio as the mouse makes it.
  void click(int id) {
    HWND radio = item(id);
    ::SendMessage(radio, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    ::SendMessage(radio, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    wavorel::pumpMessages();
  }

  HWND bridgeWindow() {
    return CreateWindowEx(0, "BridgeEnd", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  }

  std::unique_ptr<CWavorelApp> app;
  std::unique_ptr<CWavorelDlg> dialog;
};

TEST_F(WavorelDlgTest, ModeSwitchRecreatesTheTabControlAndSavesTheMode) {
  open();
  EXPECT_TRUE(checked(IDC_RADIO_STATION));
  ASSERT_NE(dialog->GetStationTable(), nullptr);
  EXPECT_EQ(dialog->GetAPTable(), nullptr);
  EXPECT_EQ(dialog->GetStationTable()->GetSafeHwnd(), item(IDC_TABLE_HOST));
  wavorel::runFor(3000);

  click(IDC_RADIO_AP);
  EXPECT_TRUE(checked(IDC_RADIO_AP));
  EXPECT_FALSE(checked(IDC_RADIO_STATION));
  EXPECT_EQ(g_tables, (std::vector<std::string>{"+station", "-station", "+ap"}));
  EXPECT_EQ(dialog->GetStationTable(), nullptr);
  ASSERT_NE(dialog->GetAPTable(), nullptr);
  // The host survives the switch and now belongs to the new tab control.
  EXPECT_TRUE(IsWindow(item(IDC_TABLE_HOST)));
  EXPECT_EQ(dialog->GetAPTable()->GetSafeHwnd(), item(IDC_TABLE_HOST));
  // The host is fitted: from x = 0 to the dialog's bottom.
  CRect host;
  ::GetWindowRect(item(IDC_TABLE_HOST), &host);
  dialog->ScreenToClient(&host);
  EXPECT_EQ(host.left, 0);
  EXPECT_EQ(host.bottom, 470);

  // The radios stay locked for three seconds.
  EXPECT_FALSE(IsWindowEnabled(item(IDC_RADIO_STATION)));
  EXPECT_FALSE(IsWindowEnabled(item(IDC_RADIO_AP)));
  wavorel::runFor(2999);
  EXPECT_FALSE(IsWindowEnabled(item(IDC_RADIO_AP)));
  wavorel::runFor(1);
  EXPECT_TRUE(IsWindowEnabled(item(IDC_RADIO_STATION)));
  EXPECT_TRUE(IsWindowEnabled(item(IDC_RADIO_AP)));

  // Nothing is written until the dialog goes; then the mode of the moment.
  EXPECT_EQ(app->GetProfileInt("Setting", "Mode", -1), static_cast<UINT>(-1));
  dialog->DestroyWindow();
  EXPECT_EQ(app->GetProfileInt("Setting", "Mode", -1), 0u);
  EXPECT_EQ(g_tables.back(), "-ap");
  EXPECT_EQ(dialog->GetAPTable(), nullptr);
}

TEST_F(WavorelDlgTest, StartsInTheSavedModeAndUnlocksTheRadiosAfterThreeSeconds) {
  struct {
    int saved;  // -1: no value
    bool tables;
    bool station;
  } cases[] = {{-1, true, true}, {1, true, true}, {0, true, false}, {7, true, true}, {0, false, false},
               {1, false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.saved);
    g_tables.clear();
    CWavorelDlg::SetTableCreators(c.tables ? makeStation : nullptr, c.tables ? makeAP : nullptr);
    open("", c.saved);
    EXPECT_EQ(checked(IDC_RADIO_STATION), c.station);
    EXPECT_EQ(checked(IDC_RADIO_AP), !c.station);
    if (c.tables) {
      EXPECT_EQ(g_tables, std::vector<std::string>{c.station ? "+station" : "+ap"});
    }
    // Whatever the mode, the radios are locked for three seconds, then the
    // user can switch to the other mode.
    EXPECT_FALSE(IsWindowEnabled(item(IDC_RADIO_STATION)));
    EXPECT_FALSE(IsWindowEnabled(item(IDC_RADIO_AP)));
    wavorel::runFor(2999);
    EXPECT_FALSE(IsWindowEnabled(item(IDC_RADIO_STATION)));
    wavorel::runFor(1);
    EXPECT_TRUE(IsWindowEnabled(item(IDC_RADIO_STATION)));
    EXPECT_TRUE(IsWindowEnabled(item(IDC_RADIO_AP)));
    click(c.station ? IDC_RADIO_AP : IDC_RADIO_STATION);
    EXPECT_EQ(checked(IDC_RADIO_STATION), !c.station);
    dialog->DestroyWindow();
    EXPECT_EQ(app->GetProfileInt("Setting", "Mode", -1), c.station ? 0u : 1u);
  }
}

TEST_F(WavorelDlgTest, ModeWithoutTabControlLeavesTheHostEmpty) {
  CWavorelDlg::SetTableCreators(nullptr, nullptr);
  open();
  EXPECT_EQ(dialog->GetStationTable(), nullptr);
  EXPECT_FALSE(IsWindowVisible(item(IDC_TABLE_HOST)));
  wavorel::runFor(3000);
  click(IDC_RADIO_AP);
  EXPECT_EQ(dialog->GetAPTable(), nullptr);
  EXPECT_TRUE(IsWindow(item(IDC_TABLE_HOST)));
  dialog->DestroyWindow();
  EXPECT_EQ(app->GetProfileInt("Setting", "Mode", -1), 0u);
}

TEST_F(WavorelDlgTest, HidesInsteadOfClosing) {
  open();
  for (int command : {IDOK, IDCANCEL, IDC_BTN_CLOSE}) {
    SCOPED_TRACE(command);
    dialog->ShowWindow(SW_SHOW);
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
    EXPECT_TRUE(IsWindow(dialog->GetSafeHwnd()));
    EXPECT_FALSE(dialog->IsWindowVisible());
  }
  // The tray's "Show Main UI" brings it back.
  dialog->SendMessage(WM_COMMAND, ID_TRAY_SHOW_MAIN_UI, 0);
  EXPECT_TRUE(dialog->IsWindowVisible());
  EXPECT_FALSE(::IsIconic(dialog->GetSafeHwnd()));
}

TEST_F(WavorelDlgTest, AutoHideStartsHiddenAndShowsCentredLater) {
  open("/AutoHide");
  // The 1 ms timer runs at the timers' 10 ms minimum.
  wavorel::runFor(10);
  EXPECT_FALSE(dialog->IsWindowVisible());
  EXPECT_EQ(static_cast<DWORD>(::GetWindowLong(dialog->GetSafeHwnd(), GWL_EXSTYLE)),
            static_cast<DWORD>(WS_EX_TOOLWINDOW));
  wavorel::runFor(5000);
  EXPECT_FALSE(dialog->IsWindowVisible());

  dialog->SendMessage(WM_SHOW_INSTANCE, 0, 0);
  EXPECT_TRUE(dialog->IsWindowVisible());
  EXPECT_EQ(::GetWindowLong(dialog->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  CRect rect;
  ::GetWindowRect(dialog->GetSafeHwnd(), &rect);
  EXPECT_EQ(rect.Width(), 600);
  EXPECT_EQ(rect.Height(), 470);
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(rect.left, work.left + (work.right - work.left - 600) / 2);
  EXPECT_EQ(rect.top, work.top + (work.bottom - work.top - 470) / 2);
}

TEST_F(WavorelDlgTest, CompanyWebOpensTheTranslatedAddress) {
  open();
  wavorel::clearProcessStarts();
  dialog->SendMessage(WM_COMMAND, ID_TRAY_VISIT_COMPANY_WEB, 0);
  EXPECT_TRUE(wavorel::processStarts().empty());  // posted, not yet run
  wavorel::pumpMessages();
  auto starts = wavorel::processStarts();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].api, "ShellExecute");
  EXPECT_EQ(starts[0].verb, "open");
  EXPECT_EQ(starts[0].program, "iexplore.exe");
  EXPECT_EQ(starts[0].commandLine, "http://www.quendal.example/");
  EXPECT_EQ(starts[0].show, SW_SHOWMAXIMIZED);
}

TEST_F(WavorelDlgTest, TrayMenuIsTranslatedBeforeItOpens) {
  std::ofstream(programDir() + "/Language/German.ini") << "[Text]\r\nExit=Beenden\r\n";
  ASSERT_TRUE(SetCurLanguageType("German"));
  open();
  CMenu menu;
  menu.CreatePopupMenu();
  menu.AppendMenu(MF_STRING, ID_TRAY_EXIT, "Exit");
  dialog->SendMessage(WM_TRAY_MENU_LANGUAGE, reinterpret_cast<WPARAM>(&menu), 0);
  CString text;
  menu.GetMenuString(ID_TRAY_EXIT, text, MF_BYCOMMAND);
  EXPECT_EQ(text, CString("Beenden"));
}

TEST_F(WavorelDlgTest, EndInstanceExitsThroughTheTrayCommand) {
  open();
  ASSERT_TRUE(app->GetTray().Create("tip", nullptr, IDR_TRAY_MENU, "", "", nullptr));
  // The request arrives while a skinned message box is up: the box is ended.
  int answer = 0;
  wavorel::setModalResponder([&](const ModalWindow&) {
    dialog->SendMessage(WM_END_INSTANCE, 0, 0);
    return 0;
  });
  answer = SkinMessageBox(MB_YESNO | MB_ICONQUESTION, nullptr, "Keep going?");
  EXPECT_EQ(answer, IDCANCEL);
  EXPECT_EQ(CDlgMessageBox::GetCurrent(), nullptr);
  EXPECT_TRUE(wavorel::trayIcons().empty());
  EXPECT_FALSE(dialog->IsWindowVisible());
}

TEST_F(WavorelDlgTest, AboutIsAnAlertThroughTheBridge) {
  open();
  HWND ui = bridgeWindow();
  SetUINotifyWnd(ui);
  std::string shown;
  wavorel::setModalResponder([&](const ModalWindow&) {
    if (CDlgMessageBox* box = CDlgMessageBox::GetCurrent()) shown = box->m_strText.GetString();
    return IDOK;
  });
  dialog->SendMessage(WM_SYSCOMMAND, 0x10, 0);
  ASSERT_EQ(g_bridge.size(), 1u);
  EXPECT_EQ(g_bridge[0].first, BRIDGE_UI_MESSAGE_BOX);
  EXPECT_EQ(g_bridge[0].second, "48\r\n\r\nAbout dialog");
  EXPECT_EQ(shown, "About dialog");
  SetUINotifyWnd(nullptr);
}

TEST_F(WavorelDlgTest, PageChangeGoesToTheAPWorkerInRange) {
  open("", 0);
  HWND worker = bridgeWindow();
  SetWorkerNotifyWnd(worker);
  auto notify = [&](int index) {
    CGxTabCtrl::_notify_data data = {};
    data.hdr.hwndFrom = item(IDC_TABLE_HOST);
    data.hdr.idFrom = IDC_TABLE_HOST;
    data.hdr.code = GXTN_PAGECHANGED;
    data.newIndex = index;
    data.oldIndex = -1;
    dialog->SendMessage(WM_NOTIFY, IDC_TABLE_HOST, reinterpret_cast<LPARAM>(&data));
    wavorel::pumpMessages();
  };
  notify(1);
  notify(2);   // beyond the AP tab control's two pages
  notify(-1);
  ASSERT_EQ(g_bridge.size(), 1u);
  EXPECT_EQ(g_bridge[0], std::make_pair(BRIDGE_CMD_PAGE_CHANGED, std::string("1")));

  wavorel::runFor(3000);
  click(IDC_RADIO_STATION);
  notify(0);  // station mode: nothing is sent
  EXPECT_EQ(g_bridge.size(), 1u);
  SetWorkerNotifyWnd(nullptr);
}

TEST_F(WavorelDlgTest, PictureIsCutToTheSkinAndShowsTheMode) {
  CWavorelDlg::SetTableCreators(nullptr, nullptr);
  open();
  wavorel::runFor(3000);
  CRect radio;
  ::GetWindowRect(item(IDC_RADIO_STATION), &radio);
  dialog->ScreenToClient(&radio);
  auto shoot = [&](const char* file) {
    wavorel::WindowImage image = wavorel::composeWindow(dialog->GetSafeHwnd());
    wavorel::present::writeImage(image, root() + "/" + file);
    return image;
  };
  wavorel::WindowImage station = shoot("main-station.png");
  click(IDC_RADIO_AP);
  wavorel::runFor(3000);
  wavorel::WindowImage ap = shoot("main-ap.png");

  for (const wavorel::WindowImage* image : {&station, &ap}) {
    ASSERT_EQ(image->width, 600);
    ASSERT_EQ(image->height, 470);
    // Outside the rounded skin nothing is drawn; inside everything is.
    EXPECT_FALSE(image->opaqueAt(0, 0));
    EXPECT_FALSE(image->opaqueAt(599, 469));
    EXPECT_TRUE(image->opaqueAt(300, 235));
    EXPECT_TRUE(image->opaqueAt(300, 2));
  }
  // The station radio's picture shows its state: checked, then not.
  int x = radio.left + 14, y = radio.top + 14;
  EXPECT_NE(station.colorAt(x, y), ap.colorAt(x, y));
}

}  // namespace
