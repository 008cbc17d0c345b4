// A buffer of samples drawn as a curve through an off-screen image.
#include <vector>

#include "utilmere/WindowTools.h"

namespace {

DWORD sampleAt(const BYTE* data, int sampleBytes) {
  DWORD value = 0;
  for (int i = sampleBytes - 1; i >= 0; --i) value = value << 8 | data[i];
  return value;
}

}  // namespace

// Samples wider than 4 bytes or narrower than 1 draw nothing.
void DrawCurveByDataBuffer(CDC* dc, CRect& rectangle, COLORREF colour, BYTE* data, int dataBytes, CBrush* background,
                           int sampleBytes, int xStep) {
  if (dc == nullptr || dc->m_hDC == nullptr || data == nullptr || sampleBytes >= dataBytes) return;
  if (sampleBytes < 1 || sampleBytes > 4) return;
  const int count = dataBytes / sampleBytes;
  const int width = rectangle.Width();
  const int height = rectangle.Height();
  CDC memory;
  CBitmap image;
  if (!memory.CreateCompatibleDC(dc) || !image.CreateCompatibleBitmap(dc, width, height + 1)) return;
  CBitmap* oldImage = memory.SelectObject(&image);
  if (background != nullptr && background->m_hObject != nullptr) {
    const RECT all = {0, 0, width, height + 1};
    ::FillRect(memory.m_hDC, &all, static_cast<HBRUSH>(background->m_hObject));
  }
  const double fullScale = static_cast<double>(sampleBytes == 4 ? 0xFFFFFFFFu : (1u << (8 * sampleBytes)) - 1);
  const auto yOf = [&](int index) {
    return static_cast<int>(height * static_cast<double>(sampleAt(data + index * sampleBytes, sampleBytes)) /
                            fullScale);
  };
  std::vector<POINT> points{{0, yOf(0)}};
  float step = static_cast<float>(xStep);
  if (xStep == 0 && count > 1) step = static_cast<float>(width) / static_cast<float>(count - 1);
  float x = 0;
  for (int i = 1; i < count; ++i) {
    x += step;
    if (static_cast<int>(x) > width) break;
    points.push_back({static_cast<int>(x), yOf(i)});
  }
  const HPEN pen = ::CreatePen(PS_SOLID, 1, colour);
  const HGDIOBJ oldPen = ::SelectObject(memory.m_hDC, pen);
  ::Polyline(memory.m_hDC, points.data(), static_cast<int>(points.size()));
  ::SelectObject(memory.m_hDC, oldPen);
  ::DeleteObject(pen);
  dc->BitBlt(rectangle.left, rectangle.top, width, height + 1, &memory, 0, 0, SRCCOPY);
  memory.SelectObject(oldImage);
}
