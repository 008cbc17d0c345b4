// Layered windows: attributes kept per window, the user32 export, and the
// composed image carrying the constant alpha and the colour key.
#include "PaintTestSupport.h"
#include "platform/win/kernel/Root.h"
#include "platform/present/WindowImage.h"

namespace wavorel::testing {
namespace {

using LayeredWindowSuite = PaintTest;

HWND layered(HWND hwnd) {
  SetWindowLong(hwnd, GWL_EXSTYLE, GetWindowLong(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
  return hwnd;
}

TEST_F(LayeredWindowSuite, AttributesAreKeptPerWindowAndRefusedWithoutTheStyle) {
  HWND plain = make(WS_POPUP, 0, 0, 40, 40);
  HWND a = layered(make(WS_POPUP, 0, 0, 40, 40));
  HWND b = layered(make(WS_POPUP, 0, 0, 40, 40));
  COLORREF key = 1;
  BYTE alpha = 1;
  DWORD flags = 1;

  struct Refusal {
    HWND hwnd;
    DWORD flags;
    DWORD error;
  };
  for (const Refusal& r : {Refusal{plain, LWA_ALPHA, ERROR_INVALID_PARAMETER},
                           Refusal{a, LWA_ALPHA | 0x4, ERROR_INVALID_PARAMETER},
                           Refusal{reinterpret_cast<HWND>(0x5150), LWA_ALPHA, ERROR_INVALID_WINDOW_HANDLE}}) {
    SetLastError(0);
    EXPECT_FALSE(SetLayeredWindowAttributes(r.hwnd, 0, 10, r.flags));
    EXPECT_EQ(GetLastError(), r.error);
  }
  SetLastError(0);
  EXPECT_FALSE(GetLayeredWindowAttributes(a, &key, &alpha, &flags)) << "never set";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  ASSERT_TRUE(SetLayeredWindowAttributes(a, RGB(1, 2, 3), 77, LWA_ALPHA | LWA_COLORKEY));
  ASSERT_TRUE(SetLayeredWindowAttributes(b, RGB(9, 9, 9), 200, LWA_ALPHA));
  ASSERT_TRUE(SetLayeredWindowAttributes(a, RGB(4, 5, 6), 88, LWA_COLORKEY));
  ASSERT_TRUE(GetLayeredWindowAttributes(a, &key, &alpha, &flags));
  EXPECT_EQ(key, RGB(4, 5, 6));
  EXPECT_EQ(alpha, 88);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));
  ASSERT_TRUE(GetLayeredWindowAttributes(b, nullptr, &alpha, nullptr));
  EXPECT_EQ(alpha, 200);

  // Taking the style away makes the window plain again.
  SetWindowLong(b, GWL_EXSTYLE, 0);
  EXPECT_FALSE(GetLayeredWindowAttributes(b, nullptr, &alpha, nullptr));
}

TEST_F(LayeredWindowSuite, User32ExportsThemAndStaysLoadedThroughAReset) {
  for (int round = 0; round < 2; ++round) {
    HMODULE user = GetModuleHandle("USER32.DLL");
    ASSERT_NE(user, nullptr) << round;
    EXPECT_EQ(GetProcAddress(user, "SetLayeredWindowAttributes"), exportedProc(&SetLayeredWindowAttributes));
    EXPECT_EQ(GetProcAddress(user, "GetLayeredWindowAttributes"), exportedProc(&GetLayeredWindowAttributes));
    EXPECT_TRUE(FreeLibrary(user));
    EXPECT_EQ(GetModuleHandle("user32"), user) << "never unloads";
    resetPlatformState();
  }
}

TEST_F(LayeredWindowSuite, ComposedImageCarriesTheAlphaAndTheColourKey) {
  const COLORREF fill = RGB(200, 100, 0);
  const COLORREF hole = RGB(0, 255, 255);
  HWND top = layered(make(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 30, 20, 60, 40, nullptr, fill));
  make(WS_CHILD | WS_VISIBLE, 10, 10, 20, 10, top, hole);

  WindowImage image = composeWindow(top);
  ASSERT_EQ(image.width, 60);
  EXPECT_FALSE(image.opaqueAt(5, 5)) << "not shown before its attributes are set";

  ASSERT_TRUE(SetLayeredWindowAttributes(top, hole, 128, LWA_ALPHA));
  image = composeWindow(top);
  EXPECT_EQ(image.pixel(5, 5) >> 24, 128u);
  EXPECT_EQ(image.colorAt(5, 5), fill);
  EXPECT_EQ(image.pixel(15, 15) >> 24, 128u) << "the key needs LWA_COLORKEY";

  ASSERT_TRUE(SetLayeredWindowAttributes(top, hole, 0, LWA_COLORKEY));
  image = composeWindow(top);
  EXPECT_EQ(image.pixel(5, 5) >> 24, 255u) << "the alpha needs LWA_ALPHA";
  EXPECT_FALSE(image.opaqueAt(15, 15));
  EXPECT_FALSE(image.opaqueAt(29, 19));
  EXPECT_TRUE(image.opaqueAt(30, 20));

  // On the screen the window is mixed with what lies under it.
  ASSERT_TRUE(SetLayeredWindowAttributes(top, hole, 51, LWA_ALPHA | LWA_COLORKEY));
  WindowImage screen = composeDesktop();
  const COLORREF desk = GetSysColor(COLOR_DESKTOP);
  auto mix = [](int over, int under) { return (over * 51 + under * 204 + 127) / 255; };
  EXPECT_EQ(screen.colorAt(35, 25), RGB(mix(200, GetRValue(desk)), mix(100, GetGValue(desk)), mix(0, GetBValue(desk))));
  EXPECT_EQ(screen.colorAt(45, 35), desk) << "the key shows the desktop";
}

}  // namespace
}  // namespace wavorel::testing
