#include "frontend/PictureHolder.h"

namespace {

// HIMETRIC units per inch, and the resolution a bitmap file is taken at.
constexpr int kHimetricPerInch = 2540;
constexpr int kFileDpi = 96;

}  // namespace

CPictureHolder::~CPictureHolder() { Release(); }

BOOL CPictureHolder::LoadFile(const char* path) {
  Release();
  if (path == nullptr || *path == '\0') return FALSE;
  auto bitmap = static_cast<HBITMAP>(LoadImage(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (bitmap == nullptr) return FALSE;
  BITMAP info{};
  if (GetObject(bitmap, sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight == 0) {
    DeleteObject(bitmap);
    return FALSE;
  }
  m_bitmap = bitmap;
  m_pixels = SIZE{info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
  return TRUE;
}

void CPictureHolder::Release() {
  if (m_bitmap != nullptr) DeleteObject(m_bitmap);
  m_bitmap = nullptr;
  m_pixels = SIZE{0, 0};
  m_himetric = SIZE{0, 0};
}

SIZE CPictureHolder::GetHimetricSize() {
  m_himetric = SIZE{MulDiv(m_pixels.cx, kHimetricPerInch, kFileDpi), MulDiv(m_pixels.cy, kHimetricPerInch, kFileDpi)};
  return m_himetric;
}

SIZE CPictureHolder::GetSizeInPixels(CDC* dc) {
  const SIZE himetric = GetHimetricSize();
  HWND desktop = nullptr;
  HDC hdc = dc != nullptr ? dc->GetSafeHdc() : nullptr;
  if (hdc == nullptr) {
    desktop = GetDesktopWindow();
    hdc = GetWindowDC(desktop);
  }
  const int dpiX = hdc ? GetDeviceCaps(hdc, LOGPIXELSX) : kFileDpi;
  const int dpiY = hdc ? GetDeviceCaps(hdc, LOGPIXELSY) : kFileDpi;
  if (desktop != nullptr && hdc != nullptr) ReleaseDC(desktop, hdc);
  return SIZE{MulDiv(himetric.cx, dpiX, kHimetricPerInch), MulDiv(himetric.cy, dpiY, kHimetricPerInch)};
}

void CPictureHolder::Render(CDC* dc, const RECT& rect) {
  if (m_bitmap == nullptr || dc == nullptr || dc->GetSafeHdc() == nullptr) return;
  HDC source = CreateCompatibleDC(dc->GetSafeHdc());
  if (source == nullptr) return;
  HGDIOBJ old = SelectObject(source, m_bitmap);
  const bool empty = rect.right <= rect.left || rect.bottom <= rect.top;
  if (empty)
    BitBlt(dc->GetSafeHdc(), rect.left, rect.top, m_pixels.cx, m_pixels.cy, source, 0, 0, SRCCOPY);
  else
    StretchBlt(dc->GetSafeHdc(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source, 0, 0,
               m_pixels.cx, m_pixels.cy, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

void CPictureHolder::EraseAround(CDC* dc, HWND window, const RECT& area, POINT at) {
  if (m_bitmap == nullptr || dc == nullptr || dc->GetSafeHdc() == nullptr) return;
  const SIZE natural = GetSizeInPixels(dc);
  HRGN outside = CreateRectRgn(area.left, area.top, area.right, area.bottom);
  HRGN picture = CreateRectRgn(at.x, at.y, at.x + natural.cx, at.y + natural.cy);
  // A class brush may also be a system colour index + 1; FillRect takes both.
  auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtr(window, GCL_HBRBACKGROUND));
  if (outside != nullptr && picture != nullptr && brush != nullptr &&
      CombineRgn(outside, outside, picture, RGN_DIFF) != NULLREGION) {
    const int saved = SaveDC(dc->GetSafeHdc());
    SelectClipRgn(dc->GetSafeHdc(), outside);
    ::FillRect(dc->GetSafeHdc(), &area, brush);
    RestoreDC(dc->GetSafeHdc(), saved);
  }
  if (outside != nullptr) DeleteObject(outside);
  if (picture != nullptr) DeleteObject(picture);
}
