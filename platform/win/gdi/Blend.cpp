#include "platform/win/gdi/Blend.h"

#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace wavorel::gdi {

// Red and blue are worked side by side in the two 16-bit halves of a word
// (no lane exceeds 65407), and x / 255 is (x + 1 + (x >> 8)) >> 8, exact
// over that range.
Pixel mixPixel(Pixel d, Pixel c, unsigned alpha) {
  if (alpha == 255) return c & 0xFFFFFFu;
  const unsigned rest = 255u - alpha;
  uint32_t rb = (c & 0xFF00FFu) * alpha + (d & 0xFF00FFu) * rest + 0x7F007Fu;
  rb = ((rb + 0x10001u + ((rb >> 8) & 0xFF00FFu)) >> 8) & 0xFF00FFu;
  uint32_t g = ((c >> 8) & 0xFFu) * alpha + ((d >> 8) & 0xFFu) * rest + 0x7Fu;
  g = (g + 1 + (g >> 8)) >> 8;
  return rb | (g << 8);
}

namespace {

// mixPixel() on four pixels at once through 16-bit lanes, with the same
// rounding (where SSE2 is at hand; else the rows go a pixel at a time).
class FourPixels {
 public:
#if defined(__SSE2__)
  explicit FourPixels(Pixel c)
      : colour_(_mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(c & 0xFFFFFFu)), _mm_setzero_si128())) {}

  // Four pixels `d` under the coverage bytes of `four`, lowest byte first.
  __m128i blend(__m128i d, uint32_t four) const {
    const __m128i zero = _mm_setzero_si128();
    __m128i alpha = _mm_cvtsi32_si128(static_cast<int>(four));
    alpha = _mm_unpacklo_epi8(alpha, alpha);
    alpha = _mm_unpacklo_epi16(alpha, alpha);  // each pixel's coverage in its four bytes
    const __m128i low = mix(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(alpha, zero));
    const __m128i high = mix(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(alpha, zero));
    const __m128i mixed = _mm_and_si128(_mm_packus_epi16(low, high), _mm_set1_epi32(0x00FFFFFF));
    const __m128i uncovered = _mm_cmpeq_epi32(alpha, zero);
    return _mm_or_si128(_mm_and_si128(uncovered, d), _mm_andnot_si128(uncovered, mixed));
  }

 private:
  // c * alpha + d * (255 - alpha) + 127, divided by 255 (at most 65407 in a lane).
  __m128i mix(__m128i d, __m128i alpha) const {
    const __m128i x = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(colour_, alpha),
                                                  _mm_mullo_epi16(d, _mm_sub_epi16(_mm_set1_epi16(255), alpha))),
                                    _mm_set1_epi16(127));
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x, _mm_set1_epi16(1)), _mm_srli_epi16(x, 8)), 8);
  }

  __m128i colour_;
#else
  explicit FourPixels(Pixel) {}
#endif
};

// One row of blendRow() with the colour's lanes made.
inline void blendRowWith(const FourPixels& pixels, Pixel* row, const BYTE* cover, int n, Pixel c) {
  int t = 0;
#if defined(__SSE2__)
  for (; t + 4 <= n; t += 4) {
    uint32_t four;
    std::memcpy(&four, cover + t, sizeof four);
    if (four == 0) continue;
    auto* at = reinterpret_cast<__m128i*>(row + t);
    _mm_storeu_si128(at, pixels.blend(_mm_loadu_si128(at), four));
  }
#else
  (void)pixels;
#endif
  for (; t < n; ++t)
    if (cover[t]) row[t] = mixPixel(row[t], c, cover[t]);
}

// One row of blendRowsOver().
inline void blendRowOverWith(const FourPixels& pixels, Pixel* row, const BYTE* cover, const Pixel* tinted, int n,
                             Pixel c, Pixel back) {
  int t = 0;
#if defined(__SSE2__)
  const __m128i plain = _mm_set1_epi32(static_cast<int>(back));
  for (; t + 4 <= n; t += 4) {
    uint32_t four;
    std::memcpy(&four, cover + t, sizeof four);
    if (four == 0) continue;
    auto* at = reinterpret_cast<__m128i*>(row + t);
    const __m128i d = _mm_loadu_si128(at);
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(d, plain)) == 0xFFFF)
      _mm_storeu_si128(at, _mm_loadu_si128(reinterpret_cast<const __m128i*>(tinted + t)));
    else
      _mm_storeu_si128(at, pixels.blend(d, four));
  }
  // At most three pixels are left, without a loop for the compiler to
  // vectorise: a pair on the background takes its laid pixels at once.
  auto one = [&](int i) {
    if (cover[i]) row[i] = row[i] == back ? tinted[i] : mixPixel(row[i], c, cover[i]);
  };
  if (t + 2 <= n) {
    uint64_t pair;
    std::memcpy(&pair, row + t, sizeof pair);
    if (pair == (static_cast<uint64_t>(back) << 32 | back)) {
      std::memcpy(row + t, tinted + t, sizeof pair);
    } else {
      one(t);
      one(t + 1);
    }
    t += 2;
  }
  if (t < n) one(t);
#else
  (void)pixels;
  for (; t < n; ++t)
    if (cover[t]) row[t] = row[t] == back ? tinted[t] : mixPixel(row[t], c, cover[t]);
#endif
}

}  // namespace

void blendRow(Pixel* row, const BYTE* cover, int n, Pixel c) { blendRowWith(FourPixels(c), row, cover, n, c); }

void blendRows(Surface& s, const RECT& r, const BYTE* cover, int stride, Pixel c) {
  const FourPixels lanes(c);
  const int n = static_cast<int>(r.right - r.left);
  for (LONG y = r.top; y < r.bottom; ++y, cover += stride) blendRowWith(lanes, s.row32(y) + r.left, cover, n, c);
}

void blendRowsOver(Surface& s, const RECT& r, const BYTE* cover, const Pixel* tinted, int stride, Pixel c,
                   Pixel back) {
  const FourPixels lanes(c);
  const int n = static_cast<int>(r.right - r.left);
  for (LONG y = r.top; y < r.bottom; ++y, cover += stride, tinted += stride)
    blendRowOverWith(lanes, s.row32(y) + r.left, cover, tinted, n, c, back);
}

}  // namespace wavorel::gdi
