// Test support of the widget tests: a fresh platform with the widgets' shared
// state back at program start and an application with a (hidden) main window,
// as the programs have; a canvas (a memory DC over a 32-bit bitmap) to draw on
// and read pixels from.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "platform/Platform.h"
#include "platform/present/WindowImage.h"
#include "platform/testing/PlatformTest.h"
#include "widgets/IcoMenu.h"
#include "widgets/WorkerClosingFlag.h"

namespace widgets_test {

class WidgetTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    IcoMenu::ResetSharedState();
    WorkerClosingFlag = FALSE;
    app_ = std::make_unique<CWinApp>("Widgets");
    ASSERT_TRUE(main_.CreateEx(0, nullptr, "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    app_->m_pMainWnd = &main_;
  }
  void TearDown() override {
    wavorel::setModalResponder(nullptr);
    app_->m_pMainWnd = nullptr;
    main_.DestroyWindow();
    app_.reset();
    IcoMenu::ResetSharedState();
    WorkerClosingFlag = FALSE;
    PlatformTest::TearDown();
  }

 private:
  std::unique_ptr<CWinApp> app_;
  CWnd main_;
};

// A memory DC over a white 32-bit bitmap.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    dc_.CreateCompatibleDC(nullptr);
    bitmap_.CreateBitmap(width, height, 1, 32, nullptr);
    old_ = dc_.SelectObject(&bitmap_);
    Clear(RGB(255, 255, 255));
  }
  ~Canvas() { dc_.SelectObject(old_); }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  void Clear(COLORREF colour) { dc_.FillSolidRect(0, 0, width_, height_, colour); }
  CDC* dc() { return &dc_; }
  COLORREF Pixel(int x, int y) const { return dc_.GetPixel(x, y); }
  // Pixels of the rectangle with exactly this colour.
  int Count(const RECT& r, COLORREF colour) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += Pixel(x, y) == colour;
    return n;
  }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_;
  int height_;
  CDC dc_;
  CBitmap bitmap_;
  CBitmap* old_ = nullptr;
};

// Sets what GetVersionEx reports and the current theme's file name (empty:
// no theme key), then lets the icon menus read both again.
inline void SetSystemLook(DWORD major, DWORD minor, const char* theme) {
  wavorel::OsVersion version;
  version.major = major;
  version.minor = minor;
  wavorel::setOsVersion(version);
  if (theme) {
    HKEY key = nullptr;
    RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Microsoft\\Plus!\\Themes\\Current", 0, nullptr, 0, KEY_WRITE,
                   nullptr, &key, nullptr);
    RegSetValueEx(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(theme), static_cast<DWORD>(strlen(theme) + 1));
    RegCloseKey(key);
  }
  IcoMenu::ResetSharedState();
}

}  // namespace widgets_test
