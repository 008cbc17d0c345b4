// The advanced page as a person sees it, on a visible frame of its own (the
// host never shows), with and without the 802.11n controls: written as PNG
// files into the test's working folder and probed where the controls stand.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/present/Screenshot.h"
#include "platform/present/WindowImage.h"
#include "tests/xp/advance/AdvancePageTest.h"

namespace xpstation::testing {
namespace {

class AdvanceScreenshotTest : public AdvancePageTest {
 protected:
  // The page shown on its frame, pictured into `file`.
  wavorel::WindowImage picture(const char* file) {
    ShowWindow(frame(), SW_SHOW);
    open().ShowWindow(SW_SHOW);
    clock().advance(1100);
    pump();
    wavorel::WindowImage image = wavorel::composeWindow(frame());
    EXPECT_FALSE(image.empty());
    EXPECT_TRUE(wavorel::present::writeImage(image, file));
    return image;
  }
  // The control's rectangle in the frame's picture.
  CRect placeOf(int id) {
    CRect rect;
    page().GetDlgItem(id)->GetWindowRect(&rect);
    CWnd::FromHandle(frame())->ScreenToClient(&rect);
    return rect;
  }
  // Dark (text) pixels in `rect`.
  static int inkIn(const wavorel::WindowImage& image, const CRect& rect) {
    int count = 0;
    const int top = std::max(0, static_cast<int>(rect.top)), bottom = std::min(image.height, static_cast<int>(rect.bottom));
    const int left = std::max(0, static_cast<int>(rect.left)), right = std::min(image.width, static_cast<int>(rect.right));
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) {
        const COLORREF c = image.colorAt(x, y);
        count += GetRValue(c) < 0x60 && GetGValue(c) < 0x60 && GetBValue(c) < 0x60;
      }
    return count;
  }
};

TEST_F(AdvanceScreenshotTest, WithAndWithoutHtControls) {
  const int htLabels[] = {1262, 3281, 3269, 3270, 3271, 3272, 1284};
  setAdvance("HT Setting", "1");
  writeText("WirelessMode", "9");
  writeDword("TransmitSetting", 0x00008079);
  const wavorel::WindowImage ht = picture("advance-ht.png");
  for (int id : htLabels) EXPECT_GT(inkIn(ht, placeOf(id)), 10) << id;
  EXPECT_GT(inkIn(ht, placeOf(IDC_ADV_HT_RATE)), 10);
  EXPECT_GT(inkIn(ht, placeOf(1212)), 10) << "the mode label";

  adapter(4, 0);
  const wavorel::WindowImage plain = picture("advance-plain.png");
  for (int id : htLabels) EXPECT_EQ(inkIn(plain, placeOf(id)), 0) << id;
  EXPECT_GT(inkIn(plain, placeOf(1054)), 10) << "the TX rate label";
  EXPECT_GT(inkIn(plain, placeOf(1212)), 10);
}

}  // namespace
}  // namespace xpstation::testing
