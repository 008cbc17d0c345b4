// Support of the control library's tests: a fresh platform with a program
// folder of its own (seen as C:\Program Files\app\, with a Skin folder), skin
// bitmaps written pixel by pixel, and pixels read back from windows.
#pragma once

#include <filesystem>
#include <string>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "platform/testing/TestBitmaps.h"
#include "platform/win/kernel/Paths.h"

namespace skinvane::testing {

// The transparent yellow of the skins.
constexpr COLORREF kKeyYellow = 0x00FFFF;

using wavorel::testing::writeBmp;

class SkinTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    const std::string program = root() + "/prog";
    std::filesystem::create_directories(program + "/Skin");
    wavorel::setProgramFolder(program, "app");
  }

  // The Windows path of a file in the skin folder.
  static CString skinFile(const char* name) { return CString("C:\\Program Files\\app\\Skin\\") + name; }

  // The colour of a window's client pixel as last painted.
  static COLORREF pixelAt(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
  }

  // Paints every window whose update region is not empty.
  static void repaint(HWND window) {
    UpdateWindow(window);
    wavorel::pumpMessages();
  }
};

}  // namespace skinvane::testing
