// Solid fills of rows long and short on a 32-bit target set exactly the
// rectangle's pixels (inside the clip) and leave every other pixel, the
// unused byte too, as it was.
#include <vector>

#include "GdiTestSupport.h"
#include "platform/testing/PlatformTest.h"

namespace {

class LongFillTest : public wavorel::testing::PlatformTest {};

TEST_F(LongFillTest, AFillSetsItsRectangleAndNothingElse) {
  constexpr int kWidth = 1100;
  constexpr int kHeight = 4;
  struct Case {
    const char* name;
    RECT fill;
    RECT clip;  // {0,0,0,0}: no clip
  };
  const Case cases[] = {
      {"short row", {3, 1, 70, 3}, {0, 0, 0, 0}},
      {"one below a long row", {5, 0, 260, 4}, {0, 0, 0, 0}},
      {"long row", {5, 0, 261, 4}, {0, 0, 0, 0}},
      {"whole rows", {0, 0, kWidth, kHeight}, {0, 0, 0, 0}},
      {"long row cut by a clip", {1, 1, 1099, 3}, {7, 0, 1001, kHeight}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    gditest::Canvas canvas(kWidth, kHeight);
    for (int i = 0; i < kWidth * kHeight; ++i) canvas.bits[i] = 0xAB000000u | static_cast<DWORD>(i * 2654435761u >> 8);
    const std::vector<DWORD> before(canvas.bits, canvas.bits + kWidth * kHeight);
    const bool clipped = k.clip.right > k.clip.left;
    if (clipped) IntersectClipRect(canvas.dc, k.clip.left, k.clip.top, k.clip.right, k.clip.bottom);
    HBRUSH brush = CreateSolidBrush(RGB(0x10, 0x20, 0x30));
    FillRect(canvas.dc, &k.fill, brush);
    DeleteObject(brush);
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const bool inFill = x >= k.fill.left && x < k.fill.right && y >= k.fill.top && y < k.fill.bottom;
        const bool inClip = !clipped || (x >= k.clip.left && x < k.clip.right);
        const DWORD want = inFill && inClip ? 0x102030u : before[static_cast<size_t>(y * kWidth + x)];
        if (canvas.bits[y * kWidth + x] != want && ++wrong <= 5)
          ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << canvas.bits[y * kWidth + x];
      }
    EXPECT_EQ(wrong, 0);
  }
}

}  // namespace
