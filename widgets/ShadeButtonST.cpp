#include "widgets/ShadeButtonST.h"

#include <algorithm>

namespace {

constexpr int kRandMax = 32767;
constexpr int kStrokes = 200;
constexpr int kStrokeValueDivisor = 819;

int cubic(int t) { return ((t * t * t) / 128) / 128; }

// The pixel arithmetic of the patterns: bytes that wrap.
BYTE wrap(int value) { return static_cast<BYTE>(value & 0xFF); }

class ShadePainter {
 public:
  ShadePainter(CCeXDib& dib, int g) : m_dib(dib), m_w(static_cast<int>(dib.GetWidth())),
        m_h(static_cast<int>(dib.GetHeight())), m_g(g), m_divisor(kRandMax / std::max(2 * g, 1)),
        m_bits(dib.GetBits()), m_stride(static_cast<int>(dib.GetStride())) {}

  int Noise() const { return rand() / m_divisor - m_g; }
  BYTE& At(int x, int r) { return m_bits[static_cast<size_t>(r) * static_cast<size_t>(m_stride) + static_cast<size_t>(x)]; }

  // Row by row in storage order (r = 0 the bottom line), each row from the left.
  template <class F>
  void ByRows(F value) {
    for (int r = 0; r < m_h; ++r)
      for (int x = 0; x < m_w; ++x) At(x, r) = wrap(value(x, r) + Noise());
  }
  // Column by column from the left, each column in storage order.
  template <class F>
  void ByColumns(F value) {
    for (int x = 0; x < m_w; ++x)
      for (int r = 0; r < m_h; ++r) At(x, r) = wrap(value(x, r) + Noise());
  }

  void Paint(int pattern) {
    const int w = m_w, h = m_h, g = m_g;
    const int A = 255 - 2 * g;
    const auto rowCurve = [&](int r) { return cubic((r * 255) / h - 127); };
    const auto columnCurve = [&](int x) { return cubic(((w - x) * 255) / w - 127); };
    switch (pattern) {
      case 1: {
        const int a = A / 2;
        ByRows([&](int x, int r) { return g + (r * a) / h + (a * (w - x)) / w; });
        break;
      }
      case 2:
        ByRows([&](int, int r) { return g + (r * A) / h; });
        break;
      case 3:
        ByColumns([&](int x, int) { return g + (A * (w - x)) / w; });
        break;
      case 4:
        ByRows([&](int, int r) { return 128 + (rowCurve(r) * (128 - g)) / 128; });
        break;
      case 5:
        ByColumns([&](int x, int) { return 128 + (columnCurve(x) * (128 - g)) / 128; });
        break;
      case 6:
        ByRows([&](int x, int r) {
          return std::clamp(128 + ((rowCurve(r) + columnCurve(x)) * (128 - g)) / 128, g, 255 - g);
        });
        break;
      case 7:
        ByRows([&](int, int r) { return 128 + (rowCurve(r) * (64 - g) * 2) / 128; });
        EndBands();
        break;
      case 8:
        Strokes();
        break;
      default:
        m_dib.Fill(255);
        break;
    }
  }

 private:
  // Pattern 7's second pass: a light band at the left edge and a dark one at
  // the right, each up to e pixels wide at mid-height, narrowing along a
  // parabola; every pixel gets one more noise draw.
  void EndBands() {
    const int w = m_w, h = m_h, g = m_g;
    const int e = std::min(w / 6, 16);
    const int q = (h * h) / 4;
    if (q == 0) return;  // under 2 pixels high: no bands
    for (int r = 0; r < h; ++r) {
      const int ro = r - h / 2;
      const int L = (e * ro * ro) / q + w / 2 - e;
      for (int x = 0; x < w; ++x) {
        const int xo = x - w / 2;
        int value = At(x, r);
        if (e > 0 && xo > L) value = g + (128 * (w - x)) / e;
        if (e > 0 && xo + L < 0) value = (255 - g) - (128 * x) / e;
        At(x, r) = wrap(value + Noise());
      }
    }
  }

  // Pattern 8: 200 random diagonal strokes on black, then a diagonal ramp
  // with uncentred noise.
  void Strokes() {
    const int w = m_w, h = m_h, g = m_g;
    m_dib.Fill(0);
    const int m = std::min(w, h);
    const int dx = kRandMax / w, dy = kRandMax / h, dm = kRandMax / m;
    if (dx > 0 && dy > 0 && dm > 0) {
      for (int i = 0; i < kStrokes; ++i) {
        const int x0 = rand() / dx;
        const int y0 = rand() / dy;
        const int n = (rand() / dm) / 2;
        const auto v = static_cast<BYTE>(rand() / kStrokeValueDivisor);
        for (int k = 0; k < n; ++k) {
          if (x0 - k > 0 && y0 + k < h) m_dib.SetPixelIndex(x0 - k, y0 + k, v);
          if (x0 + k < w && y0 - k > 0) m_dib.SetPixelIndex(w - x0 + k, y0 - k, v);
        }
      }
    }
    const int a = (215 - 2 * g) / 2;
    for (int r = 0; r < h; ++r)
      for (int x = 0; x < w; ++x) At(x, r) = wrap(At(x, r) + (a * (w - x)) / w + (r * a) / h + rand() / m_divisor);
  }

  CCeXDib& m_dib;
  int m_w;
  int m_h;
  int m_g;
  int m_divisor;
  BYTE* m_bits;
  int m_stride;
};

BYTE mix(BYTE a, BYTE b, int weightA, int weightB) { return static_cast<BYTE>((a * weightA + b * weightB) / 128); }

}  // namespace

void CShadeButtonST::BuildShadeBitmaps(int nShadePattern, int nGranularity, BYTE byBlend, int nColoring,
                                       COLORREF crBase, COLORREF crHover, COLORREF crSelected) {
  CRect window;
  GetWindowRect(&window);
  const int w = window.Width(), h = window.Height();
  const int g = nGranularity & 0xFF;
  if (w <= 0 || h <= 0 || !m_dibNormal.Create(static_cast<DWORD>(w), static_cast<DWORD>(h), 8)) {
    m_dibNormal.Release();
    m_dibHover.Release();
    m_dibLatched.Release();
    return;
  }
  const COLORREF S = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF F = GetSysColor(COLOR_BTNFACE);
  const COLORREF H = GetSysColor(COLOR_BTNHIGHLIGHT);
  for (int i = 0; i <= 128; ++i)
    m_dibNormal.SetColorEntry(static_cast<BYTE>(i), mix(GetRValue(S), GetRValue(F), 128 - i, i),
                              mix(GetGValue(S), GetGValue(F), 128 - i, i), mix(GetBValue(S), GetBValue(F), 128 - i, i));
  for (int i = 1; i <= 128; ++i)
    m_dibNormal.SetColorEntry(static_cast<BYTE>(127 + i), mix(GetRValue(F), GetRValue(H), 128 - i, i),
                              mix(GetGValue(F), GetGValue(H), 128 - i, i), mix(GetBValue(F), GetBValue(H), 128 - i, i));
  m_dibNormal.TintPalette(crBase, static_cast<UINT>(nColoring & 0xFF));

  ShadePainter(m_dibNormal, g).Paint(nShadePattern);

  m_dibHover.CopyFrom(m_dibNormal);
  m_dibHover.TintPalette(crHover, byBlend);
  m_dibLatched.CopyFrom(m_dibNormal);
  m_dibLatched.TintPalette(crSelected, byBlend);
}

DWORD CShadeButtonST::PaintBackground(CDC* pDC, CRect*) {
  if (m_bMouseOnButton)
    m_dibHover.Draw(pDC->GetSafeHdc(), m_bIsPressed ? 1 : 0, m_bIsPressed ? 1 : 0);
  else if (m_nLatched == 1)
    m_dibLatched.Draw(pDC->GetSafeHdc(), 0, 0);
  else
    m_dibNormal.Draw(pDC->GetSafeHdc(), 0, 0);
  return 0;
}

DWORD CShadeButtonST::PaintBorder(CDC*, CRect*) { return 0; }
