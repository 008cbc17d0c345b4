// Screenshots written as PNG and BMP files and read back, and the
// WAVOREL_SCREENSHOT switch.
#include <png.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "PaintTestSupport.h"
#include "platform/win/gdi/ImageFile.h"
#include "platform/present/Screenshot.h"

namespace wavorel::testing {
namespace {

struct Png {
  int width = 0;
  int height = 0;
  std::vector<png_byte> rgba;
  COLORREF at(int x, int y) const {
    const png_byte* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
    return RGB(p[0], p[1], p[2]);
  }
  int alpha(int x, int y) const { return rgba[(static_cast<size_t>(y) * width + x) * 4 + 3]; }
};

Png readPng(const std::string& path) {
  Png out;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return out;
  image.format = PNG_FORMAT_RGBA;
  out.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) return Png{};
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  return out;
}

class ScreenshotSuite : public PaintTest {
 protected:
  std::string path(const char* name) const { return root() + "/" + name; }
};

TEST_F(ScreenshotSuite, PngOfAWindowReadsBackWithItsSizePixelsAndShape) {
  HWND w = make(WS_POPUP | WS_VISIBLE, 0, 0, 64, 32, nullptr, RGB(10, 200, 30));
  SetWindowRgn(w, CreateRectRgn(0, 0, 32, 32), TRUE);
  ASSERT_TRUE(present::saveScreenshot(w, path("shot.png")));
  Png png = readPng(path("shot.png"));
  ASSERT_EQ(png.width, 64);
  ASSERT_EQ(png.height, 32);
  EXPECT_EQ(png.at(5, 5), RGB(10, 200, 30));
  EXPECT_EQ(png.alpha(5, 5), 255);
  EXPECT_EQ(png.alpha(40, 5), 0);
}

TEST_F(ScreenshotSuite, BmpOfTheDesktopReadsBack) {
  make(WS_POPUP | WS_VISIBLE, 8, 8, 16, 16, nullptr, RGB(0, 0, 255));
  ASSERT_TRUE(present::saveScreenshot(nullptr, path("desk.BMP")));
  std::ifstream in(path("desk.BMP"), std::ios::binary);
  std::vector<BYTE> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto bitmap = gdi::decodeBmp(bytes.data(), bytes.size(), true);
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->surface().width(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(gdi::colorFromPixel(bitmap->surface().get(10, 10) & 0xFFFFFF), RGB(0, 0, 255));

  // A shaped window: its rows top first, the outside transparent, nothing
  // after the pixels.
  HWND w = make(WS_POPUP | WS_VISIBLE, 0, 0, 64, 32, nullptr, RGB(10, 200, 30));
  SetWindowRgn(w, CreateRectRgn(0, 16, 32, 32), TRUE);
  ASSERT_TRUE(present::saveScreenshot(w, path("shot.bmp")));
  std::ifstream shot(path("shot.bmp"), std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(shot), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes.size(), 54u + 64 * 32 * 4);
  bitmap = gdi::decodeBmp(bytes.data(), bytes.size(), true);
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->surface().width(), 64);
  EXPECT_EQ(bitmap->surface().height(), 32);
  EXPECT_EQ(bitmap->surface().get(5, 20), 0xFF000000u | gdi::pixelFromColor(RGB(10, 200, 30)));
  EXPECT_EQ(bitmap->surface().get(5, 5) >> 24, 0u);
  EXPECT_EQ(bitmap->surface().get(40, 20) >> 24, 0u);
}

TEST_F(ScreenshotSuite, FailuresAreReported) {
  HWND w = make(WS_POPUP | WS_VISIBLE, 0, 0, 8, 8);
  EXPECT_FALSE(present::saveScreenshot(w, path("no/such/folder/x.png")));
  EXPECT_FALSE(present::saveScreenshot(w, path("no/such/folder/x.bmp")));
  DestroyWindow(w);
  EXPECT_FALSE(present::saveScreenshot(w, path("gone.png")));
}

TEST_F(ScreenshotSuite, EnvironmentSwitchWritesTheMainWindowAfterEachChange) {
  std::string file = path("main.png");
  setenv("WAVOREL_SCREENSHOT", file.c_str(), 1);
  HWND main = make(WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, nullptr, RGB(255, 0, 0));
  pumpMessages();
  HWND later = make(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, RGB(0, 255, 0));
  pumpMessages();
  Png first = readPng(file);
  ASSERT_EQ(first.width, 40);  // the first window shown stays the main one
  EXPECT_EQ(first.at(20, 20), RGB(255, 0, 0));
  record(main).fill = RGB(0, 0, 255);
  InvalidateRect(main, nullptr, TRUE);
  pumpMessages();
  EXPECT_EQ(readPng(file).at(20, 20), RGB(0, 0, 255));
  unsetenv("WAVOREL_SCREENSHOT");
  (void)later;
}

}  // namespace
}  // namespace wavorel::testing
