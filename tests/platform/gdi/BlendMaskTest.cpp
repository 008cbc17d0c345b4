// Coverage blending on a 32-bit target: every coverage value, rows whose
// length is not a multiple of four, and a clip edge inside a group of four
// pixels give each channel (c * a + d * (255 - a)) / 255 rounded to the
// nearest, clear the unused byte, and leave uncovered and clipped pixels
// exactly as they were (the unused byte too). The same holds when the mask
// comes already laid over a background colour that some target pixels have.
#include <random>
#include <vector>

#include "GdiTestSupport.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Gdi.h"

namespace {

using wavorel::gdi::Pixel;

constexpr int kWidth = 300;
constexpr int kHeight = 3;

Pixel expectedBlend(Pixel d, Pixel c, unsigned a) {
  if (a == 0) return d;
  Pixel out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const unsigned cc = (c >> shift) & 0xFFu;
    const unsigned dc = (d >> shift) & 0xFFu;
    out |= ((cc * a + dc * (255 - a) + 127) / 255) << shift;
  }
  return out;
}

class BlendMaskTest : public wavorel::testing::PlatformTest {};

struct Case {
  const char* name;
  int x, width;  // the mask's place and width on each row
  RECT clip;     // {0,0,0,0}: no clip
};
const Case kCases[] = {
    {"whole groups", 4, 256, {0, 0, 0, 0}},
    {"ragged start and tail", 3, 259, {0, 0, 0, 0}},
    {"narrower than a group", 10, 3, {0, 0, 0, 0}},
    {"one group and a tail", 21, 6, {0, 0, 0, 0}},
    {"clip edges inside groups", 1, 290, {6, 0, 283, kHeight}},
};

// Blends the case's mask with `blend(dc, mask)` onto random pixels, of which
// every `plainEvery`-th is `plain` (0: none), and checks every pixel.
template <class Blend>
void checkBlend(const Case& k, Pixel plain, int plainEvery, COLORREF colour, Blend blend) {
  SCOPED_TRACE(k.name);
  std::mt19937 random(11);
  gditest::Canvas canvas(kWidth, kHeight);
  HDC dc = canvas.dc;
  Pixel* pixels = canvas.bits;
  std::vector<Pixel> before(static_cast<size_t>(kWidth * kHeight));
  for (size_t i = 0; i < before.size(); ++i)
    before[i] = plainEvery && random() % plainEvery == 0 ? plain : static_cast<Pixel>(random());
  std::copy(before.begin(), before.end(), pixels);
  if (k.clip.right > k.clip.left) IntersectClipRect(dc, k.clip.left, k.clip.top, k.clip.right, k.clip.bottom);

  // Row y holds the coverage values in turn, starting at y * 85, with
  // every fourth group of four left uncovered.
  std::vector<BYTE> mask(static_cast<size_t>(k.width * kHeight));
  for (int y = 0; y < kHeight; ++y)
    for (int i = 0; i < k.width; ++i)
      mask[static_cast<size_t>(y * k.width + i)] = (i / 4) % 4 == 3 ? 0 : static_cast<BYTE>((y * 85 + i) % 256);
  blend(*wavorel::gdi::dcFromHandle(dc), mask);

  const Pixel c = wavorel::gdi::pixelFromColor(colour);
  int wrong = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const auto at = static_cast<size_t>(y * kWidth + x);
      const bool inMask = x >= k.x && x < k.x + k.width;
      const bool inClip = k.clip.right <= k.clip.left || (x >= k.clip.left && x < k.clip.right);
      const unsigned a = inMask && inClip ? mask[static_cast<size_t>(y * k.width + x - k.x)] : 0;
      if (pixels[at] != expectedBlend(before[at], c, a) && ++wrong <= 5)
        ADD_FAILURE() << "pixel " << x << "," << y << " coverage " << a << ": " << std::hex << pixels[at] << " from "
                      << before[at];
    }
  EXPECT_EQ(wrong, 0);
}

TEST_F(BlendMaskTest, EveryCoverageBlendsToTheRoundedMixAndLeavesTheRestAlone) {
  const COLORREF colour = RGB(0x12, 0xC4, 0x7F);
  for (const Case& k : kCases)
    checkBlend(k, 0, 0, colour, [&](wavorel::gdi::DeviceContext& dc, const std::vector<BYTE>& mask) {
      dc.blendMask(k.x, 0, mask.data(), k.width, kHeight, k.width, colour);
    });
}

TEST_F(BlendMaskTest, AMaskLaidOverABackgroundBlendsTheSameOnEveryPixel) {
  const COLORREF colour = RGB(0x12, 0xC4, 0x7F);
  const Pixel back = 0x00F0E0D0;
  for (const Case& k : kCases)
    for (int plainEvery : {1, 2, 5}) {
      SCOPED_TRACE(plainEvery);
      checkBlend(k, back, plainEvery, colour, [&](wavorel::gdi::DeviceContext& dc, const std::vector<BYTE>& mask) {
        std::vector<Pixel> tinted(mask.size());
        for (size_t i = 0; i < mask.size(); ++i)
          tinted[i] = expectedBlend(back, wavorel::gdi::pixelFromColor(colour), mask[i]);
        const wavorel::gdi::DeviceContext::MaskOver over{k.x, 0, mask.data(), tinted.data(), k.width, kHeight, k.width};
        dc.blendMasksOver(&over, 1, colour, back);
      });
    }
}

}  // namespace
