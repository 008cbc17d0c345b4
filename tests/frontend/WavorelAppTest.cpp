// The application object: the command line and its option map, the single-
// instance rule against a marked window of "another instance" (the semaphore
// held, the window carrying the property), the whole start-up and shut-down
// with the main dialog answered by the test, the skinned message boxes, and
// the PSP-Xlink values of the network-class keys.
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "frontend/DlgMessageBox.h"
#include "frontend/UiBridge.h"
#include "frontend/WavorelApp.h"
#include "frontend/WavorelDlg.h"
#include "tests/frontend/FrontendTest.h"

namespace {

using wavorel::ModalWindow;

// What the other instance's main window was sent.
std::vector<UINT> g_instanceMessages;
bool g_endOnRequest = true;

LRESULT CALLBACK instanceProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SHOW_INSTANCE || msg == WM_END_INSTANCE) {
    g_instanceMessages.push_back(msg);
    if (msg == WM_END_INSTANCE && g_endOnRequest) DestroyWindow(hwnd);
    return 0;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

struct Box {
  UINT type;  // the box's icon: 0 information, 1 warning, 2 question, 3 error
  std::string text;
};

class WavorelAppTest : public wavorel::testing::FrontendTest {
 protected:
  void SetUp() override {
    startUtilmere_ = false;
    FrontendTest::SetUp();
    g_instanceMessages.clear();
    g_endOnRequest = true;
    WNDCLASS wc = {};
    wc.lpfnWndProc = instanceProc;
    wc.lpszClassName = "OtherInstance";
    RegisterClass(&wc);
    // Boxes are answered OK; the main dialog is looked at, then exited.
    wavorel::setModalResponder([this](const ModalWindow& window) {
      CDlgMessageBox* box = CDlgMessageBox::GetCurrent();
      if (box && box->GetSafeHwnd() == window.hwnd) {
        boxes.push_back({static_cast<UINT>(box->m_nType), box->m_strText.GetString()});
        return IDOK;
      }
      if (window.kind == ModalWindow::Kind::Menu) {
        menuLabels = window.labels;
        mainVisibleAtMenu = IsWindowVisible(mainDialog) != FALSE;
        return ID_TRAY_EXIT;
      }
      if (window.caption == "Wireless USB Adapter/Soft AP") {
        ++mainDialogRuns;
        mainDialog = window.hwnd;
        if (onMainDialog) onMainDialog(window.hwnd);
        if (exitAtOnce) ::SendMessage(window.hwnd, WM_COMMAND, ID_TRAY_EXIT, 0);
      }
      return 0;
    });
  }

  void TearDown() override {
    if (semaphore) CloseHandle(semaphore);
    FrontendTest::TearDown();
  }

  // AfxWinInit of the application just made, with its command line.
  static void init(CWinApp&, const char* commandLine) {
    std::string line(commandLine);
    ASSERT_TRUE(AfxWinInit(wavorel::programInstance(), nullptr, line.data(), SW_SHOWNORMAL));
  }

  // A running instance as another process leaves it: the semaphore exists
  // and its main window carries the property named after the program.
  HWND otherInstance() {
    if (!semaphore) semaphore = CreateSemaphore(nullptr, 1, 1, programName());
    HWND hwnd = CreateWindowEx(0, "OtherInstance", "other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetProp(hwnd, programName(), reinterpret_cast<HANDLE>(1));
    return hwnd;
  }

  HANDLE semaphore = nullptr;
  std::vector<Box> boxes;
  int mainDialogRuns = 0;
  std::function<void(HWND)> onMainDialog;
  bool exitAtOnce = true;  // the main dialog is exited as soon as it shows
  HWND mainDialog = nullptr;
  std::vector<std::string> menuLabels;  // of the last popup menu
  bool mainVisibleAtMenu = false;
};

struct OptionCase {
  const char* commandLine;
  BOOL allowMI;
  BOOL endMyself;
  const char* option;                // looked up with GetOption (any case)
  BOOL found;
  std::vector<std::string> values;   // its values
};

TEST_F(WavorelAppTest, CommandLineFillsFlagsAndOptions) {
  const OptionCase cases[] = {
      {"", FALSE, FALSE, "AutoHide", FALSE, {}},
      {"  \t ", FALSE, FALSE, "AutoHide", FALSE, {}},
      {"/AllowMI", TRUE, FALSE, "AllowMI", FALSE, {}},
      {"/ALLOWMI /endmyself", TRUE, TRUE, "EndMyself", FALSE, {}},
      {"/AutoHide", FALSE, FALSE, "AUTOHIDE", TRUE, {}},
      {"/Server Alpha,Beta", FALSE, FALSE, "server", TRUE, {"alpha", "beta"}},
      {"/Server  Alpha , Beta ", FALSE, FALSE, "SERVER", TRUE, {"alpha ", " beta"}},
      {"/Path \"c:/my files/a,b\" /AllowMI", TRUE, FALSE, "path", TRUE, {"c:/my files/a", "b"}},
      {"/Unknown", FALSE, FALSE, "unknown", TRUE, {}},
      {"/Unknown", FALSE, FALSE, "missing", FALSE, {}},
      {"/ /AutoHide", FALSE, FALSE, "autohide", TRUE, {}},
      {"/a 1 /a 2", FALSE, FALSE, "a", TRUE, {"2"}},
  };
  for (const OptionCase& c : cases) {
    SCOPED_TRACE(c.commandLine);
    CGxWinApp app;
    init(app, c.commandLine);
    EXPECT_TRUE(app.ParseCommandLine());
    EXPECT_EQ(app.AllowsMultipleInstances(), c.allowMI);
    EXPECT_EQ(app.EndsMyself(), c.endMyself);
    CStringArray values;
    EXPECT_EQ(app.GetOption(c.option, &values), c.found);
    std::vector<std::string> got;
    for (INT_PTR i = 0; i < values.GetSize(); ++i) got.push_back(values[i].GetString());
    EXPECT_EQ(got, c.values);
  }
}

TEST_F(WavorelAppTest, GetOptionRefusesEmptyNames) {
  CGxWinApp app;
  init(app, "/AutoHide");
  app.ParseCommandLine();
  EXPECT_FALSE(app.GetOption(nullptr));
  EXPECT_FALSE(app.GetOption(""));
  EXPECT_TRUE(app.GetOption("AutoHide"));
  app.ClearOptions();
  EXPECT_FALSE(app.GetOption("AutoHide"));
}

TEST_F(WavorelAppTest, FirstInstanceHoldsTheSemaphore) {
  CGxWinApp app;
  init(app, "");
  EXPECT_TRUE(app.FindOtherInstances());
  EXPECT_EQ(app.GetOtherInstanceCount(), 0);
  // The semaphore stays: a later start finds it.
  HANDLE later = CreateSemaphore(nullptr, 1, 1, programName());
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  CloseHandle(later);
  // A window with the mark is another instance; without the semaphore's
  // history it would be found the same way.
  HWND other = otherInstance();
  EXPECT_FALSE(app.FindOtherInstances());
  ASSERT_EQ(app.GetOtherInstanceCount(), 1);
  EXPECT_EQ(app.GetOtherInstance(0), other);
  EXPECT_EQ(app.GetOtherInstance(1), nullptr);
}

TEST_F(WavorelAppTest, SecondStartShowsTheFirstAndEnds) {
  HWND other = otherInstance();
  CWavorelApp app;
  init(app, "");
  EXPECT_FALSE(app.InitInstance());
  EXPECT_EQ(g_instanceMessages, std::vector<UINT>{WM_SHOW_INSTANCE});
  EXPECT_EQ(mainDialogRuns, 0);
  EXPECT_TRUE(wavorel::trayIcons().empty());
  EXPECT_TRUE(boxes.empty());
  EXPECT_TRUE(IsWindow(other));
}

TEST_F(WavorelAppTest, AllowMIRunsBesideAnother) {
  otherInstance();
  CWavorelApp app;
  init(app, "/AllowMI");
  EXPECT_FALSE(app.InitInstance());
  EXPECT_TRUE(g_instanceMessages.empty());
  EXPECT_EQ(mainDialogRuns, 1);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(WavorelAppTest, EndMyselfEndsBeforeTheDialog) {
  CWavorelApp app;
  init(app, "/EndMyself");
  EXPECT_FALSE(app.InitInstance());
  EXPECT_EQ(mainDialogRuns, 0);
  EXPECT_TRUE(wavorel::trayIcons().empty());
}

TEST_F(WavorelAppTest, EndPrevInstEndsTheOthersAskingOnce) {
  HWND first = otherInstance();
  HWND second = otherInstance();
  CWavorelApp app;
  init(app, "/EndPrevInst");
  EXPECT_FALSE(app.InitInstance());
  // Both were asked before the first wait; the user was told once.
  EXPECT_EQ(g_instanceMessages, (std::vector<UINT>{WM_END_INSTANCE, WM_END_INSTANCE}));
  EXPECT_FALSE(IsWindow(first));
  EXPECT_FALSE(IsWindow(second));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Instance is running. Click <OK> to termination");
  EXPECT_EQ(boxes[0].type, 1u);  // the warning icon
  EXPECT_EQ(mainDialogRuns, 1);
}

TEST_F(WavorelAppTest, EndPrevInstThatFailsShowsTheSurvivor) {
  g_endOnRequest = false;
  otherInstance();
  CWavorelApp app;
  init(app, "/EndPrevInst");
  DWORD start = GetTickCount();
  EXPECT_FALSE(app.InitInstance());
  // 100 scans 100 ms apart, then the failure, then the survivor is shown.
  EXPECT_GE(GetTickCount() - start, 100u * 100u);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].text, "Terminate all instance failed");
  EXPECT_EQ(boxes[1].type, 3u);  // the error icon
  EXPECT_EQ(g_instanceMessages, (std::vector<UINT>{WM_END_INSTANCE, WM_SHOW_INSTANCE}));
  EXPECT_EQ(mainDialogRuns, 0);
}

TEST_F(WavorelAppTest, RunStartsTrayAndLogAndShutsDownInOrder) {
  CWavorelApp app;
  init(app, "");
  bool sawTray = false;
  onMainDialog = [&](HWND dialog) {
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(AfxGetMainWnd()->GetSafeHwnd(), dialog);
    EXPECT_EQ(GetProp(dialog, programName()), reinterpret_cast<HANDLE>(1));
    auto icons = wavorel::trayIcons();
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].id, 563u);
    EXPECT_EQ(icons[0].tip, "Wavorel 802.11n Wireless Adapter");
    EXPECT_EQ(icons[0].balloonText, "Wireless network device");
    EXPECT_NE(icons[0].icon, nullptr);
    sawTray = true;
  };
  EXPECT_FALSE(app.InitInstance());
  EXPECT_TRUE(sawTray);
  // Every tray state has its frame from the skin strip.
  EXPECT_GE(app.GetTray().GetIconCount(), 6);
  EXPECT_TRUE(wavorel::trayIcons().empty());
  EXPECT_EQ(app.GetProfileInt("Setting", "Mode", -1), 1u);
  EXPECT_EQ(AfxGetMainWnd(), nullptr);

  // The log is the product's.
  CString log = GetLogFileName();
  EXPECT_NE(log.Find("\\Log-Wavorel"), -1) << log.GetString();
  Log(GXLOG_NORMAL, "started");
  EXPECT_NE(GetFileAttributes(log), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(app.ExitInstance(), 0);
}

TEST_F(WavorelAppTest, RunsWithoutItsSkin) {
  std::filesystem::remove_all(programDir() + "/Skin");
  CWavorelApp app;
  init(app, "");
  bool sawTray = false;
  onMainDialog = [&](HWND dialog) {
    EXPECT_TRUE(IsWindowVisible(dialog));
    auto icons = wavorel::trayIcons();
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].tip, "Wavorel 802.11n Wireless Adapter");
    sawTray = true;
  };
  EXPECT_FALSE(app.InitInstance());
  EXPECT_EQ(mainDialogRuns, 1);
  EXPECT_TRUE(sawTray);
  EXPECT_EQ(app.GetTray().GetIconCount(), 0);
  EXPECT_TRUE(wavorel::trayIcons().empty());
}

TEST_F(WavorelAppTest, TrayIconShowsTheDialogAndItsMenuEndsTheProgram) {
  CWavorelApp app;
  init(app, "");
  exitAtOnce = false;
  onMainDialog = [&](HWND dialog) {
    ::SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);  // Escape: to the tray
    EXPECT_FALSE(IsWindowVisible(dialog));
    HWND tray = app.GetTray().GetSafeHwnd();
    EXPECT_TRUE(wavorel::trayNotify(tray, IDR_TRAY_MENU, WM_LBUTTONDBLCLK));
    EXPECT_TRUE(wavorel::trayNotify(tray, IDR_TRAY_MENU, WM_RBUTTONUP));
  };
  EXPECT_FALSE(app.InitInstance());
  EXPECT_TRUE(mainVisibleAtMenu);
  EXPECT_EQ(menuLabels, (std::vector<std::string>{"Show Main UI", "Visit Company Web", "Exit"}));
  EXPECT_TRUE(wavorel::trayIcons().empty());
  EXPECT_FALSE(IsWindow(mainDialog));
}

TEST_F(WavorelAppTest, ErrorBalloonPointsAtTheField) {
  CWavorelApp app;
  init(app, "");
  HWND owner = CreateWindowEx(0, "OtherInstance", "page", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr,
                              nullptr, nullptr);
  HWND edit = CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, owner, nullptr, nullptr, nullptr);
  CWnd mainWindow;  // the main dialog, as the balloon's parent
  mainWindow.Attach(owner);
  app.m_pMainWnd = &mainWindow;
  app.ShowErrorBalloon(nullptr, "Invalid SSID");
  EXPECT_EQ(app.GetBalloon().GetSafeHwnd(), nullptr);

  app.ShowErrorBalloon(CWnd::FromHandle(edit), "Invalid SSID");
  HWND balloon = app.GetBalloon().GetSafeHwnd();
  ASSERT_NE(balloon, nullptr);
  EXPECT_EQ(app.GetBalloon().GetOptions() & 0x1843u, 0x1843u);
  EXPECT_EQ(GetFocus(), edit);
  // Other options and no parent (the desktop): a new window; the tag and
  // item data are kept, and the balloon never deletes itself (it is the
  // application's member).
  app.ShowBalloon("Note", "Text", CPoint(50, 50), nullptr, nullptr, 0x1 | 0x10, 1000, nullptr, 7, 3);
  EXPECT_FALSE(IsWindow(balloon));
  ASSERT_NE(app.GetBalloon().GetSafeHwnd(), nullptr);
  EXPECT_EQ(app.GetBalloon().GetOptions() & 0x1Fu, 0x1u);
  EXPECT_EQ(app.GetBalloon().GetItemData(), 3u);
  EXPECT_EQ(app.GetBalloonTag(), 7);
  // Hiding minimises it at once; it fades out from there.
  app.HideBalloon();
  ASSERT_NE(app.GetBalloon().GetSafeHwnd(), nullptr);
  EXPECT_TRUE(IsIconic(app.GetBalloon().GetSafeHwnd()));
  app.GetBalloon().DestroyWindow();
  EXPECT_EQ(app.GetBalloon().GetSafeHwnd(), nullptr);
  app.m_pMainWnd = nullptr;
  mainWindow.Detach();
}

TEST_F(WavorelAppTest, LanguageComesFromTheProfile) {
  std::ofstream(programDir() + "/Language/German.ini") << "[Text]\r\nModel No.=Funkadapter\r\n";
  HKEY key = nullptr;
  std::string path = std::string("Software\\Wavorel(Quendal)\\") + programName() + "\\Setting";
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueEx(key, "LanguageType", 0, REG_SZ, reinterpret_cast<const BYTE*>("German"), 7);
  RegCloseKey(key);
  CWavorelApp app;
  init(app, "");
  std::string tip;
  onMainDialog = [&](HWND) { tip = wavorel::trayIcons().at(0).tip; };
  app.InitInstance();
  EXPECT_EQ(GetCurLanguageType(), CString("German"));
  EXPECT_EQ(tip, "Funkadapter");
}

TEST_F(WavorelAppTest, MessageBoxesAreSkinned) {
  CWavorelApp app;
  init(app, "");
  EXPECT_EQ(AfxMessageBox("Disk full", MB_ICONHAND), IDOK);
  EXPECT_EQ(app.ShowMessage("Saved", MB_OK), IDOK);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "Disk full");
  EXPECT_EQ(boxes[1].text, "Saved");
}

TEST_F(WavorelAppTest, PspXlinkIsWrittenToEveryNetworkClassKey) {
  const char* klass = "\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002bE10318}\\";
  const std::vector<std::string> keys = {
      std::string("SYSTEM\\ControlSet001") + klass + "0000", std::string("SYSTEM\\ControlSet001") + klass + "0001",
      std::string("SYSTEM\\ControlSet002") + klass + "0000"};
  BOOL on = TRUE;
  for (const std::string& k : keys) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, k.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  // The worker is told.
  HWND worker = CreateWindowEx(0, "OtherInstance", "worker", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  SetWorkerNotifyWnd(worker);
  EXPECT_TRUE(WritePspXlink(TRUE));
  MSG msg;
  ASSERT_TRUE(PeekMessage(&msg, worker, WM_UIBRIDGE, WM_UIBRIDGE, PM_REMOVE));
  EXPECT_EQ(msg.wParam, BRIDGE_CMD_SET_PSP_XLINK);
  EXPECT_EQ(TakeNotifyText(msg.wParam, msg.lParam), CString("1"));
  for (const std::string& k : keys) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, k.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    char value[8] = {};
    DWORD size = sizeof value - 1;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueEx(key, "PSPXlink", nullptr, &type, reinterpret_cast<BYTE*>(value), &size), ERROR_SUCCESS)
        << k;
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(value, "1");
  }
  EXPECT_TRUE(ReadPspXlink(&on));
  EXPECT_TRUE(on);
  EXPECT_TRUE(WritePspXlink(FALSE));
  EXPECT_TRUE(ReadPspXlink(&on));
  EXPECT_FALSE(on);
  SetWorkerNotifyWnd(nullptr);
}

}  // namespace
