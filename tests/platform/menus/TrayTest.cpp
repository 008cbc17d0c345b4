#include <cstring>
#include <string>

#include "platform/Platform.h"
#include "tests/platform/user/UserTestSupport.h"

namespace wavorel::testing {
namespace {

class TrayTest : public UserTest {
 protected:
  NOTIFYICONDATA record(HWND hwnd, UINT id, UINT flags) {
    NOTIFYICONDATA nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = hwnd;
    nid.uID = id;
    nid.uFlags = flags;
    nid.uCallbackMessage = WM_APP + 7;
    nid.hIcon = reinterpret_cast<HICON>(0x1C0);
    std::strcpy(nid.szTip, "Model No.");
    return nid;
  }
};

TEST_F(TrayTest, AddModifyDeleteFollowTheIconsExistence) {
  HWND w = make("tray");
  NOTIFYICONDATA nid = record(w, 563, NIF_MESSAGE | NIF_ICON | NIF_TIP);
  EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, &nid));
  EXPECT_FALSE(Shell_NotifyIcon(NIM_DELETE, &nid));
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &nid));
  EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &nid)) << "the same window and id again";
  NOTIFYICONDATA other = record(w, 190, NIF_ICON);
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &other));

  // A change touches only what uFlags names.
  nid.uFlags = NIF_TIP;
  std::strcpy(nid.szTip, "Wireless Net  Status : Good");
  nid.hIcon = reinterpret_cast<HICON>(0x2C0);
  ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &nid));
  auto icons = trayIcons();
  ASSERT_EQ(icons.size(), 2u);
  EXPECT_EQ(icons[0].hwnd, w);
  EXPECT_EQ(icons[0].id, 563u);
  EXPECT_EQ(icons[0].tip, "Wireless Net  Status : Good");
  EXPECT_EQ(icons[0].icon, reinterpret_cast<HICON>(0x1C0));
  EXPECT_EQ(icons[0].callbackMessage, static_cast<UINT>(WM_APP + 7));
  EXPECT_EQ(icons[1].callbackMessage, 0u);

  ASSERT_TRUE(Shell_NotifyIcon(NIM_DELETE, &nid));
  EXPECT_FALSE(Shell_NotifyIcon(NIM_DELETE, &nid));
  ASSERT_EQ(trayIcons().size(), 1u);
  EXPECT_EQ(trayIcons()[0].id, 190u);
  NOTIFYICONDATA dead = record(reinterpret_cast<HWND>(0x999), 1, NIF_ICON);
  EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &dead));
}

TEST_F(TrayTest, TextsWithoutTerminatorAreCutToTheirFields) {
  HWND w = make("tray");
  struct Case {
    const char* what;
    DWORD cbSize;
    UINT codePage;
    size_t tip, info, title;
  } cases[] = {
      {"full record", sizeof(NOTIFYICONDATA), 1252, 127, 255, 63},
      {"first version: 64-byte tip, no balloon", NOTIFYICONDATA_V1_SIZE, 1252, 63, 0, 0},
      {"double-byte text: a lead byte at the cut is dropped", sizeof(NOTIFYICONDATA), 936, 126, 255, 63},
  };
  UINT id = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    setAnsiCodePage(c.codePage);
    NOTIFYICONDATA nid = record(w, id, NIF_TIP | NIF_INFO);
    nid.cbSize = c.cbSize;
    std::memset(nid.szTip, 'a', sizeof(nid.szTip));
    std::memset(nid.szInfo, 'b', sizeof(nid.szInfo));
    std::memset(nid.szInfoTitle, 'c', sizeof(nid.szInfoTitle));
    if (c.codePage == 936) nid.szTip[126] = static_cast<CHAR>(0x81);  // its trail byte is the 128th
    nid.dwInfoFlags = NIIF_WARNING;
    nid.uTimeout = 500;
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &nid));
    TrayIcon icon = trayIcons().back();
    EXPECT_EQ(icon.tip.size(), c.tip);
    EXPECT_EQ(icon.balloonText, std::string(c.info, 'b'));
    EXPECT_EQ(icon.balloonTitle, std::string(c.title, 'c'));
    EXPECT_EQ(icon.balloonTimeout, c.info ? 10000u : 0u) << "raised to the shortest time-out";
    ++id;
  }
  setAnsiCodePage(1252);
}

TEST_F(TrayTest, UserEventsReachTheOwnerAsItsCallbackMessage) {
  HWND w = make("tray");
  NOTIFYICONDATA nid = record(w, 563, NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO);
  std::strcpy(nid.szInfo, "Wireless network device");
  std::strcpy(nid.szInfoTitle, "Model No.");
  nid.dwInfoFlags = NIIF_INFO;
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &nid));
  EXPECT_EQ(trayIcons()[0].balloonFlags, static_cast<DWORD>(NIIF_INFO));

  for (UINT event : {WM_RBUTTONUP, WM_LBUTTONDBLCLK, NIN_BALLOONUSERCLICK}) EXPECT_TRUE(trayNotify(w, 563, event));
  EXPECT_FALSE(trayNotify(w, 564, WM_RBUTTONUP));
  EXPECT_TRUE(seen(WM_APP + 7).empty()) << "posted";
  pumpMessages();
  auto got = seen(WM_APP + 7);
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0].wParam, 563u);
  EXPECT_EQ(got[0].lParam, WM_RBUTTONUP);
  EXPECT_EQ(got[1].lParam, WM_LBUTTONDBLCLK);
  EXPECT_EQ(got[2].lParam, NIN_BALLOONUSERCLICK);
  EXPECT_EQ(trayIcons()[0].balloonText, "") << "a click closes the balloon";

  NOTIFYICONDATA silent = record(w, 9, NIF_ICON);
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &silent));
  EXPECT_FALSE(trayNotify(w, 9, WM_RBUTTONUP)) << "no callback message";
}

TEST_F(TrayTest, RestartedTaskbarAnnouncesItselfToEveryTopLevelWindow) {
  HWND hidden = make("tray window");
  HWND shown = make("main", WS_POPUP | WS_VISIBLE);
  HWND child = make("child", WS_CHILD, shown, 5);
  UINT created = RegisterWindowMessage("TaskbarCreated");
  // The tray window adds its icon again when it hears of the new taskbar.
  on(created, [this](HWND h, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
    NOTIFYICONDATA nid = record(h, 563, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    Shell_NotifyIcon(NIM_ADD, &nid);
    return 0;
  }, hidden);
  NOTIFYICONDATA a = record(hidden, 563, NIF_ICON), b = record(shown, 1, NIF_ICON);
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &a));
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &b));

  restartTaskbar();
  auto told = windowsThatSaw(created);
  EXPECT_EQ(std::count(told.begin(), told.end(), hidden), 1);
  EXPECT_EQ(std::count(told.begin(), told.end(), shown), 1);
  EXPECT_EQ(std::count(told.begin(), told.end(), child), 0);
  auto icons = trayIcons();
  ASSERT_EQ(icons.size(), 1u) << "only the icon added again";
  EXPECT_EQ(icons[0].hwnd, hidden);
  EXPECT_EQ(icons[0].tip, "Model No.");
}

}  // namespace
}  // namespace wavorel::testing
