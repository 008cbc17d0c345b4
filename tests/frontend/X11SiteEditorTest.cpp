// The site editor on an X server (Xvfb), used with XTest as a person would:
// the authentication and encryption chosen from their drop-downs with the
// mouse, a passphrase with capitals and punctuation typed into the
// pre-shared key, and OK clicked. The screen is written as
// x11-site-editor-psk.png before OK. Skipped where Xvfb cannot be started.
// The platform comes before Xlib, whose macros clash.
#include "tests/frontend/SiteEditorTest.h"
#include "tests/platform/paint/XvfbServer.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>

#include "platform/present/Presenter.h"
#include "platform/present/Screenshot.h"
#include "platform/present/WindowImage.h"

namespace site_editor_test {
namespace {

using X11SiteEditorTest = SiteEditorTest;

using wavorel::testing::click;
using wavorel::testing::windowAt;

// The presenter leaves the display before the server goes.
struct DisplayUse {
  ~DisplayUse() { wavorel::present::closeDisplay(); }
};

// A rectangle of the screen as the X server shows it.
wavorel::WindowImage grab(Display* d, const CRect& r) {
  wavorel::WindowImage image;
  XImage* x = XGetImage(d, DefaultRootWindow(d), r.left, r.top, static_cast<unsigned>(r.Width()),
                        static_cast<unsigned>(r.Height()), AllPlanes, ZPixmap);
  if (!x) return image;
  image.width = r.Width();
  image.height = r.Height();
  for (int y = 0; y < r.Height(); ++y)
    for (int px = 0; px < r.Width(); ++px)
      image.pixels.push_back(0xFF000000u | static_cast<uint32_t>(XGetPixel(x, px, y) & 0xFFFFFFu));
  XDestroyImage(x);
  return image;
}

// Pixels inside the edge of a field of the screen that differ from its
// background (the colour at its right end, where no text reaches).
int inkPixels(Display* d, CRect field) {
  field.DeflateRect(3, 3);
  const wavorel::WindowImage image = grab(d, field);
  int ink = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) ink += image.pixel(x, y) != image.pixel(image.width - 1, y);
  return ink;
}

void press(Display* d, KeySym sym) {
  const KeyCode key = XKeysymToKeycode(d, sym);
  XTestFakeKeyEvent(d, key, True, 0);
  XTestFakeKeyEvent(d, key, False, 0);
  XSync(d, False);
  for (int i = 0; i < 5; ++i) {
    wavorel::pumpMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// Runs the loop for a moment of real time, so the display catches up.
void settle() {
  for (int i = 0; i < 30; ++i) {
    wavorel::pumpMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// Types `text` on the keyboard, holding Shift for the characters that need it.
void type(Display* d, const std::string& text) {
  const KeyCode shift = XKeysymToKeycode(d, XK_Shift_L);
  for (char c : text) {
    const KeySym sym = static_cast<KeySym>(static_cast<unsigned char>(c));
    const KeyCode key = XKeysymToKeycode(d, sym);
    const bool shifted = XkbKeycodeToKeysym(d, key, 0, 0) != sym;
    if (shifted) XTestFakeKeyEvent(d, shift, True, 0);
    XTestFakeKeyEvent(d, key, True, 0);
    XTestFakeKeyEvent(d, key, False, 0);
    if (shifted) XTestFakeKeyEvent(d, shift, False, 0);
    XSync(d, False);
    for (int i = 0; i < 3; ++i) {
      wavorel::pumpMessages();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
}

TEST_F(X11SiteEditorTest, PersonChoosesWpa2PskAndTypesAPassphrase) {
  wavorel::testing::Xvfb server;
  if (!server.display()) GTEST_SKIP() << "Xvfb cannot be started";
  ASSERT_TRUE(wavorel::present::openDisplay(server.name().c_str()));
  DisplayUse use;
  Display* d = server.display();
  code(36, "Home");
  code(37, "HomeNet");
  code(41, "0");
  code(40);
  CDlgOneSiteEditor& e = editor();
  // The test's screen is 640 x 480: the editor is put where it fits.
  e.SetWindowPos(nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  CRect window;
  e.CWnd::GetWindowRect(&window);
  ASSERT_TRUE(wavorel::testing::pumpUntil([&] { return windowAt(d, window.left, window.top); }));
  settle();  // let the window map and paint
  takeWorker();

  // A drop-down: a click on the field opens it; the arrow keys move to the
  // row and Enter takes it.
  auto choose = [&](UINT id, int row) {
    HWND combo = item(IDD_PAGESITE_SECURITY, id);
    CRect field;
    ::GetWindowRect(combo, &field);
    const int fieldHeight = static_cast<int>(::SendMessage(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    click(d, field.right - 8, field.top + fieldHeight / 2);
    ASSERT_TRUE(wavorel::testing::pumpUntil([&] { return ::SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }));
    const int from = static_cast<int>(::SendMessage(combo, CB_GETCURSEL, 0, 0));
    for (int i = from; i < row; ++i) press(d, XK_Down);
    press(d, XK_Return);
    EXPECT_TRUE(wavorel::testing::pumpUntil([&] { return ::SendMessage(combo, CB_GETCURSEL, 0, 0) == row; }));
    EXPECT_TRUE(wavorel::testing::pumpUntil([&] { return ::SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0) == 0; }));
  };
  choose(IDC_SEC_AUTH, 7);  // "WPA2-PSK"
  EXPECT_TRUE(visible(IDD_PAGESITE_SECURITY, IDC_SEC_PSK));
  EXPECT_EQ(text(IDD_PAGESITE_SECURITY, IDC_SEC_PSK_LABEL), "WPA2-PSK Key");
  choose(IDC_SEC_ENCRYPTION, 1);  // "AES"

  const std::string passphrase = "Tr0ub4dor&3-Horse!";
  CRect psk;
  ::GetWindowRect(item(IDD_PAGESITE_SECURITY, IDC_SEC_PSK), &psk);
  EXPECT_EQ(inkPixels(d, psk), 0);  // empty before typing
  click(d, psk.CenterPoint().x, psk.CenterPoint().y);
  ASSERT_TRUE(wavorel::testing::pumpUntil([&] { return GetFocus() == item(IDD_PAGESITE_SECURITY, IDC_SEC_PSK); }));
  type(d, passphrase);
  EXPECT_TRUE(wavorel::testing::pumpUntil([&] { return text(IDD_PAGESITE_SECURITY, IDC_SEC_PSK) == passphrase; }))
      << text(IDD_PAGESITE_SECURITY, IDC_SEC_PSK);
  settle();
  // What the person sees: the typed key, masked, in its field on the screen.
  EXPECT_TRUE(wavorel::present::writeImage(grab(d, CRect(0, 0, 640, 480)), "x11-site-editor-psk.png"));
  EXPECT_GT(inkPixels(d, psk), 100);

  CRect ok;
  ::GetWindowRect(item(IDD_DLG_ONESITEEDITOR, IDC_SITE_OK), &ok);
  click(d, ok.CenterPoint().x, ok.CenterPoint().y);
  ASSERT_TRUE(wavorel::testing::pumpUntil([&] { return !e.IsWindowVisible(); }));
  const Commands sent = takeWorker();
  for (const Command& c : {Command{23, "6"}, Command{25, "196608"}, Command{39, passphrase}}) {
    EXPECT_NE(std::find(sent.begin(), sent.end(), c), sent.end()) << c.first << " " << c.second;
  }
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent.back(), (Command{17, "0"}));
}

}  // namespace
}  // namespace site_editor_test
