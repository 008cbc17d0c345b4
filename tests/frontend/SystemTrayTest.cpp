// The tray icon: what the notification area holds after add, modify and
// remove; repeated pictures and tips making no shell call; texts cut to their
// fields; clicks on the icon becoming the menu and commands for the target;
// the icon's return after a taskbar restart; frames read from the strip with
// the single icon as fallback.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "frontend/SystemTray.h"
#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "platform/testing/TestBitmaps.h"

namespace {

std::vector<std::string> g_events;

// The main dialog as the tray sees it: records commands, the language
// message before the menu (with the popup's first item) and the WM_NULL
// posted after it.
class CTarget : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND) g_events.push_back("command " + std::to_string(LOWORD(wParam)));
    if (message == WM_NULL) g_events.push_back("null");
    if (message == WM_TRAY_MENU_LANGUAGE) {
      auto* popup = reinterpret_cast<CMenu*>(wParam);
      g_events.push_back("language " + std::to_string(popup->GetMenuItemID(0)));
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

const wavorel::TrayIcon* FindIcon(const std::vector<wavorel::TrayIcon>& icons, HWND hwnd) {
  for (const auto& icon : icons) {
    if (icon.hwnd == hwnd && icon.id == IDR_TRAY_MENU) return &icon;
  }
  return nullptr;
}

// A 32 x 32 icon file of one colour.
bool WriteIcoFile(const char* path, COLORREF colour) {
  std::string bytes;
  const auto put16 = [&bytes](uint32_t v) {
    bytes += static_cast<char>(v & 0xFF);
    bytes += static_cast<char>((v >> 8) & 0xFF);
  };
  const auto put32 = [&put16](uint32_t v) {
    put16(v & 0xFFFF);
    put16(v >> 16);
  };
  const uint32_t pixels = 32 * 32 * 4;
  const uint32_t mask = 32 * 4;
  put16(0), put16(1), put16(1);                                  // directory: one icon
  bytes += static_cast<char>(32), bytes += static_cast<char>(32);  // width, height
  bytes += '\0', bytes += '\0';                                  // colours, reserved
  put16(1), put16(32), put32(40 + pixels + mask), put32(22);      // planes, bits, size, offset
  put32(40), put32(32), put32(64), put16(1), put16(32);           // BITMAPINFOHEADER
  for (int i = 0; i < 6; ++i) put32(0);
  for (int i = 0; i < 32 * 32; ++i) {
    bytes += static_cast<char>(GetBValue(colour));
    bytes += static_cast<char>(GetGValue(colour));
    bytes += static_cast<char>(GetRValue(colour));
    bytes += static_cast<char>(0xFF);
  }
  bytes.append(mask, '\0');
  CFile file;
  if (!file.Open(path, CFile::modeCreate | CFile::modeWrite)) return false;
  file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
  file.Close();
  return true;
}

// The colour an icon draws at (x, y) over white.
COLORREF IconPixel(HICON icon, int x, int y) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 32, 32};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawIcon(dc, 0, 0, icon);
  const COLORREF colour = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return colour;
}

// A blank 32 x 32 icon (each call a new handle).
HICON MakeIcon() {
  HDC screen = GetDC(nullptr);
  HBITMAP colour = CreateCompatibleBitmap(screen, 32, 32);
  ReleaseDC(nullptr, screen);
  HBITMAP mask = CreateBitmap(32, 32, 1, 1, nullptr);
  ICONINFO info{TRUE, 0, 0, mask, colour};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(colour);
  return icon;
}

class SystemTrayTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    g_events.clear();
    ASSERT_TRUE(target.CreateEx(0, nullptr, "Main", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
    for (HICON& icon : icons) icon = MakeIcon();
  }
  void TearDown() override {
    wavorel::setModalResponder(nullptr);
    tray.reset();
    for (HICON icon : icons) DestroyIcon(icon);
    target.DestroyWindow();
    PlatformTest::TearDown();
  }

  BOOL Add(const CString& tip = "Model No.") {
    return tray->Create(tip, nullptr, IDR_TRAY_MENU, "Model No.", "Wireless network device", &target);
  }
  const wavorel::TrayIcon* Icon() {
    shown = wavorel::trayIcons();
    return FindIcon(shown, tray->GetSafeHwnd());
  }
  // Takes the icon out of the notification area behind the tray's back, so
  // any later shell call for it fails.
  void DeleteBehindTheTraysBack() {
    NOTIFYICONDATA data{};
    data.cbSize = sizeof data;
    data.hWnd = tray->GetSafeHwnd();
    data.uID = IDR_TRAY_MENU;
    ASSERT_TRUE(Shell_NotifyIcon(NIM_DELETE, &data));
  }

  CTarget target;
  std::unique_ptr<CSystemTray> tray = std::make_unique<CSystemTray>();
  HICON icons[3] = {};
  std::vector<wavorel::TrayIcon> shown;
};

TEST_F(SystemTrayTest, CreateAddsTheIconThroughAHiddenWindow) {
  ASSERT_TRUE(tray->SetIconList(icons, 3));
  ASSERT_TRUE(Add());
  EXPECT_TRUE(tray->IsAdded());
  const wavorel::TrayIcon* icon = Icon();
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->icon, icons[0]);  // no icon given: the first frame
  EXPECT_EQ(icon->tip, "Model No.");
  EXPECT_EQ(icon->callbackMessage, RegisterWindowMessage("Omrin_SystemTray"));
  EXPECT_EQ(icon->balloonTitle, "Model No.");
  EXPECT_EQ(icon->balloonText, "Wireless network device");
  EXPECT_EQ(icon->balloonFlags & NIIF_ICON_MASK, static_cast<DWORD>(NIIF_INFO));
  CString title;
  tray->GetWindowText(title);
  EXPECT_STREQ(title, "Omrin_SystemTray Window");
  EXPECT_FALSE(tray->IsWindowVisible());
  EXPECT_EQ(tray->GetParent(), nullptr);
  EXPECT_EQ(tray->GetIcon(), icons[0]);

  tray->RemoveIcon();
  EXPECT_FALSE(tray->IsAdded());
  EXPECT_EQ(Icon(), nullptr);
}

TEST_F(SystemTrayTest, BalloonNeedsBothTitleAndText) {
  struct Case {
    const char* title;
    const char* text;
    bool balloon;
  } cases[] = {{"T", "Text", true}, {"", "Text", false}, {"T", "", false}, {"", "", false}};
  for (const auto& c : cases) {
    ASSERT_TRUE(tray->Create("tip", icons[1], IDR_TRAY_MENU, c.title, c.text, &target));
    const wavorel::TrayIcon* icon = Icon();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->icon, icons[1]);
    EXPECT_EQ(!icon->balloonText.empty(), c.balloon) << c.title << "/" << c.text;
    tray->RemoveIcon();
  }
}

TEST_F(SystemTrayTest, NothingChangesWhileTheIconIsNotAdded) {
  ASSERT_TRUE(tray->SetIconList(icons, 3));
  BOOL changed = 7;
  EXPECT_FALSE(tray->SetIcon(icons[1], &changed));
  EXPECT_EQ(changed, 7);
  EXPECT_FALSE(tray->SetIconFromList(1, nullptr));
  EXPECT_FALSE(tray->SetTooltipText("x"));
  EXPECT_EQ(tray->GetIcon(), nullptr);
  tray->RemoveIcon();
  EXPECT_TRUE(wavorel::trayIcons().empty());

  // A system older than version 4 has no notification area.
  wavorel::OsVersion old;
  old.major = 3;
  old.minor = 51;
  wavorel::setOsVersion(old);
  EXPECT_FALSE(Add());
  EXPECT_FALSE(tray->IsAdded());
  EXPECT_TRUE(wavorel::trayIcons().empty());
}

TEST_F(SystemTrayTest, TheSamePictureOrTipAgainMakesNoShellCall) {
  ASSERT_TRUE(tray->Create("tip", icons[0], IDR_TRAY_MENU, "", "", &target));
  BOOL changed = FALSE;
  ASSERT_TRUE(tray->SetIcon(icons[1], &changed));
  EXPECT_TRUE(changed);
  EXPECT_EQ(Icon()->icon, icons[1]);
  ASSERT_TRUE(tray->SetTooltipText("Connected"));
  EXPECT_EQ(Icon()->tip, "Connected");

  DeleteBehindTheTraysBack();
  EXPECT_TRUE(tray->SetIcon(icons[1], &changed));  // a call would have failed
  EXPECT_FALSE(changed);
  EXPECT_TRUE(tray->SetIcon(icons[1], nullptr));
  EXPECT_TRUE(tray->SetTooltipText("Connected"));
  // A different picture or tip does call the shell.
  EXPECT_FALSE(tray->SetIcon(icons[2], &changed));
  EXPECT_TRUE(changed);
  EXPECT_FALSE(tray->SetTooltipText("Disconnected"));
}

TEST_F(SystemTrayTest, FramesOfTheListPickThePicture) {
  ASSERT_TRUE(tray->SetIconList(icons, 3));
  ASSERT_TRUE(Add());
  BOOL changed = FALSE;
  EXPECT_TRUE(tray->SetIconFromList(2, &changed));
  EXPECT_TRUE(changed);
  EXPECT_EQ(Icon()->icon, icons[2]);
  // An index outside the list: the picture stays and the caller hears "not changed".
  for (int index : {3, -1, 100}) {
    changed = 7;
    EXPECT_FALSE(tray->SetIconFromList(index, &changed)) << index;
    EXPECT_EQ(changed, FALSE) << index;
    EXPECT_EQ(Icon()->icon, icons[2]);
  }
  // A list that cannot be taken leaves the list empty: no frame to pick.
  EXPECT_FALSE(tray->SetIconList(nullptr, 2));
  EXPECT_EQ(tray->GetIconCount(), 0);
  EXPECT_FALSE(tray->SetIconFromList(0, nullptr));
  changed = 7;
  EXPECT_FALSE(tray->SetIconFromList(0, &changed));
  EXPECT_EQ(changed, FALSE);
  EXPECT_EQ(Icon()->icon, icons[2]);
  EXPECT_TRUE(tray->SetIconList(icons, 0));
  EXPECT_EQ(tray->GetIconCount(), 0);
}

TEST_F(SystemTrayTest, LongTextsAreCutToTheirFields) {
  const CString tip(std::string(200, 't').c_str());
  const CString title(std::string(100, 'h').c_str());
  const CString text(std::string(300, 'x').c_str());
  ASSERT_TRUE(tray->Create(tip, icons[0], IDR_TRAY_MENU, title, text, &target));
  const wavorel::TrayIcon* icon = Icon();
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->tip, std::string(127, 't'));
  EXPECT_EQ(icon->balloonTitle, std::string(63, 'h'));
  EXPECT_EQ(icon->balloonText, std::string(255, 'x'));
  EXPECT_STREQ(tray->GetTooltipText(), std::string(127, 't').c_str());

  const CString longer(std::string(500, 'u').c_str());
  ASSERT_TRUE(tray->SetTooltipText(longer));
  EXPECT_EQ(Icon()->tip, std::string(127, 'u'));
  // The same long text again is the tip already shown.
  DeleteBehindTheTraysBack();
  EXPECT_TRUE(tray->SetTooltipText(longer));
}

TEST_F(SystemTrayTest, DoubleClickSendsTheFirstMenuCommand) {
  ASSERT_TRUE(Add());
  ASSERT_TRUE(wavorel::trayNotify(tray->GetSafeHwnd(), IDR_TRAY_MENU, WM_LBUTTONDBLCLK));
  wavorel::pumpMessages();
  EXPECT_EQ(g_events, (std::vector<std::string>{"command 33775"}));
  EXPECT_EQ(GetForegroundWindow(), target.GetSafeHwnd());
  EXPECT_EQ(target.GetExStyle() & WS_EX_TOPMOST, 0u);
}

TEST_F(SystemTrayTest, RightClickShowsTheMenuAndItsCommandReachesTheTarget) {
  ASSERT_TRUE(Add());
  for (int command : {ID_TRAY_SHOW_MAIN_UI, ID_TRAY_VISIT_COMPANY_WEB, ID_TRAY_EXIT}) {
    g_events.clear();
    wavorel::ModalWindow seen;
    wavorel::setModalResponder([&](const wavorel::ModalWindow& window) {
      seen = window;
      g_events.push_back("menu");
      return command;
    });
    ASSERT_TRUE(wavorel::trayNotify(tray->GetSafeHwnd(), IDR_TRAY_MENU, WM_RBUTTONUP));
    wavorel::pumpMessages();
    EXPECT_EQ(seen.kind, wavorel::ModalWindow::Kind::Menu);
    EXPECT_EQ(seen.buttons, (std::vector<int>{33775, 33779, 33773}));
    EXPECT_EQ(seen.labels, (std::vector<std::string>{"Show Main UI", "Visit Company Web", "Exit"}));
    EXPECT_EQ(seen.defaultButton, 33775);  // shown in bold
    ASSERT_GE(g_events.size(), 4u);
    EXPECT_EQ(g_events[0], "language 33775");
    EXPECT_EQ(g_events[1], "menu");
    EXPECT_NE(std::find(g_events.begin(), g_events.end(), "command " + std::to_string(command)), g_events.end());
    EXPECT_NE(std::find(g_events.begin(), g_events.end(), "null"), g_events.end());
  }
}

TEST_F(SystemTrayTest, OtherEventsAndOtherIconsDoNothing) {
  ASSERT_TRUE(Add());
  bool menuShown = false;
  wavorel::setModalResponder([&](const wavorel::ModalWindow&) {
    menuShown = true;
    return ID_TRAY_EXIT;
  });
  EXPECT_EQ(tray->OnTrayNotification(IDR_TRAY_MENU + 1, WM_RBUTTONUP), 0);
  EXPECT_EQ(tray->OnTrayNotification(IDR_TRAY_MENU + 1, WM_LBUTTONDBLCLK), 0);
  for (UINT event : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, WM_RBUTTONDOWN, NIN_BALLOONUSERCLICK}) {
    EXPECT_EQ(tray->OnTrayNotification(IDR_TRAY_MENU, event), 1) << event;
  }
  wavorel::pumpMessages();
  EXPECT_FALSE(menuShown);
  EXPECT_TRUE(g_events.empty());

  // An icon whose id names no menu: no menu, and no command on a double click.
  CSystemTray other;
  ASSERT_TRUE(other.Create("other", icons[0], 999, "", "", &target));
  EXPECT_EQ(other.OnTrayNotification(999, WM_RBUTTONUP), 0);
  EXPECT_EQ(other.OnTrayNotification(999, WM_LBUTTONDBLCLK), 1);
  wavorel::pumpMessages();
  EXPECT_FALSE(menuShown);
  EXPECT_TRUE(g_events.empty());
}

TEST_F(SystemTrayTest, TaskbarRestartBringsTheIconBackAsItWas) {
  // Without a target of its own the tray serves the application's main window.
  CWinApp app("Tray");
  app.m_pMainWnd = &target;
  ASSERT_TRUE(tray->SetIconList(icons, 3));
  ASSERT_TRUE(tray->Create("Model No.", nullptr, IDR_TRAY_MENU, "", "", nullptr));
  ASSERT_TRUE(tray->SetIconFromList(1, nullptr));
  ASSERT_TRUE(tray->SetTooltipText("Good"));
  wavorel::restartTaskbar();
  wavorel::pumpMessages();
  const wavorel::TrayIcon* icon = Icon();
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->icon, icons[1]);
  EXPECT_EQ(icon->tip, "Good");
  EXPECT_TRUE(tray->IsAdded());
  // The callback still works.
  ASSERT_TRUE(wavorel::trayNotify(tray->GetSafeHwnd(), IDR_TRAY_MENU, WM_LBUTTONDBLCLK));
  wavorel::pumpMessages();
  EXPECT_EQ(g_events, (std::vector<std::string>{"command 33775"}));

  // An icon taken away on purpose stays away.
  tray->RemoveIcon();
  wavorel::restartTaskbar();
  wavorel::pumpMessages();
  EXPECT_TRUE(wavorel::trayIcons().empty());
  app.m_pMainWnd = nullptr;
}

class TrayFramesTest : public SystemTrayTest {
 protected:
  void SetUp() override {
    SystemTrayTest::SetUp();
    ASSERT_TRUE(CreateDirectory("C:\\Prog", nullptr));
    ASSERT_TRUE(CreateDirectory("C:\\Prog\\Skin", nullptr));
  }
  static void WriteStrip(int width) {
    const COLORREF frames[3] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255)};
    wavorel::testing::writeBmp("C:\\Prog\\Skin\\TrayIcon.bmp", width, 32, [&](int x, int y) {
      if (x % 32 == 0 && y == 0) return RGB(255, 255, 0);  // transparent corner
      return frames[(x / 32) % 3];
    });
  }
};

TEST_F(TrayFramesTest, FramesAreCutFromTheStrip) {
  WriteStrip(96);
  ASSERT_TRUE(WriteIcoFile("C:\\Prog\\Skin\\WirelessKesh.ico", RGB(9, 9, 9)));
  HICON first = tray->LoadIconFrames("C:\\Prog\\");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(tray->GetIconCount(), 3);
  ASSERT_TRUE(tray->Create("tip", first, IDR_TRAY_MENU, "", "", &target));
  const COLORREF expected[3] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255)};
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(tray->SetIconFromList(i, nullptr));
    EXPECT_EQ(IconPixel(tray->GetIcon(), 10, 10), expected[i]) << i;
    EXPECT_EQ(IconPixel(tray->GetIcon(), 0, 0), RGB(255, 255, 255)) << i;  // the key colour is see-through
  }
  EXPECT_EQ(Icon()->icon, tray->GetIcon());
}

TEST_F(TrayFramesTest, TheSingleIconStandsInForAMissingOrEmptyStrip) {
  ASSERT_TRUE(WriteIcoFile("C:\\Prog\\Skin\\WirelessKesh.ico", RGB(9, 90, 200)));
  for (int stripWidth : {0, 20}) {  // no strip; a strip narrower than one frame
    if (stripWidth) WriteStrip(stripWidth);
    CSystemTray fresh;
    HICON icon = fresh.LoadIconFrames("C:\\Prog\\");
    ASSERT_NE(icon, nullptr) << stripWidth;
    EXPECT_EQ(fresh.GetIconCount(), 0);
    EXPECT_EQ(IconPixel(icon, 5, 5), RGB(9, 90, 200));
    ASSERT_TRUE(fresh.Create("tip", icon, IDR_TRAY_MENU, "", "", &target));
    EXPECT_EQ(fresh.GetIcon(), icon);
    EXPECT_FALSE(fresh.SetIconFromList(0, nullptr));  // the picture stays
  }
  EXPECT_TRUE(wavorel::trayIcons().empty());  // each tray took its icon away
  // Neither file: no icon at all.
  CFile::Remove("C:\\Prog\\Skin\\WirelessKesh.ico");
  CFile::Remove("C:\\Prog\\Skin\\TrayIcon.bmp");
  EXPECT_EQ(tray->LoadIconFrames("C:\\Prog\\"), nullptr);
  EXPECT_EQ(tray->GetIconCount(), 0);
}

}  // namespace
