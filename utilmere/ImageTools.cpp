// Bitmaps and image lists from files, icons and colours.
#include <algorithm>

#include "utilmere/WindowTools.h"

namespace {

HBITMAP loadBitmapFile(const char* path, UINT extraFlags) {
  return static_cast<HBITMAP>(
      ::LoadImage(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION | extraFlags));
}

// The colour of the first pixel in the bitmap's bits: the bottom-left pixel
// of a bottom-up DIB, the top-left one of a top-down DIB.
COLORREF firstStoredPixel(CBitmap& bitmap) {
  DIBSECTION dib = {};
  const bool isDib = ::GetObject(bitmap, sizeof dib, &dib) == static_cast<int>(sizeof dib);
  BITMAP info = {};
  bitmap.GetBitmap(&info);
  const int row = isDib && dib.dsBmih.biHeight > 0 ? info.bmHeight - 1 : 0;
  CDC memory;
  memory.CreateCompatibleDC(nullptr);
  CBitmap* old = memory.SelectObject(&bitmap);
  const COLORREF colour = memory.GetPixel(0, row);
  memory.SelectObject(old);
  return colour;
}

}  // namespace

COLORREF GetInverseColor(COLORREF colour) {
  return RGB(255 - GetRValue(colour), 255 - GetGValue(colour), 255 - GetBValue(colour));
}

int LoadBitmapFromFile(CBitmap& bitmap, const char* path) {
  if (path == nullptr || *path == '\0') return 0;
  const HBITMAP loaded = loadBitmapFile(path, LR_DEFAULTSIZE);
  if (loaded == nullptr) return 0;
  bitmap.DeleteObject();
  bitmap.Attach(loaded);
  return 1;
}

void DrawBitmap(CBitmap& bitmap, CDC* dc, CRect& rectangle, int stretch) {
  if (bitmap.m_hObject == nullptr || dc == nullptr || dc->m_hDC == nullptr) return;
  BITMAP info = {};
  bitmap.GetBitmap(&info);
  CDC memory;
  memory.CreateCompatibleDC(dc);
  CBitmap* old = memory.SelectObject(&bitmap);
  if (stretch) {
    dc->StretchBlt(rectangle.left, rectangle.top, rectangle.Width(), rectangle.Height(), &memory, 0, 0,
                   info.bmWidth, info.bmHeight, SRCCOPY);
  } else {
    dc->BitBlt(rectangle.left, rectangle.top, std::min<int>(rectangle.Width(), info.bmWidth),
               std::min<int>(rectangle.Height(), info.bmHeight), &memory, 0, 0, SRCCOPY);
  }
  memory.SelectObject(old);
}

int CreateListImageByBmpFile(CImageList& list, const char* path, int width, int height, COLORREF maskColour) {
  if (path == nullptr || width < 1 || height < 1) return 0;
  const HBITMAP loaded = loadBitmapFile(path, 0);
  if (loaded == nullptr) return 0;
  CBitmap strip;  // frees the bitmap in every case
  strip.Attach(loaded);
  if (maskColour == 0xFFFFFFFF) maskColour = firstStoredPixel(strip);
  if (list.m_hImageList != nullptr) list.DeleteImageList();
  BITMAP info = {};
  strip.GetBitmap(&info);
  if (!list.Create(width, height, ILC_COLOR24 | ILC_MASK, info.bmWidth / width, 1)) return 0;
  list.Add(&strip, maskColour);
  return 1;
}

void DeleteImageList(CImageList& list) {
  const int count = list.GetImageCount();
  for (int i = 0; i < count; ++i) {
    const HICON icon = list.ExtractIcon(i);
    if (icon != nullptr) ::DestroyIcon(icon);
  }
  list.DeleteImageList();
}

CSize gxGetIconSize(HICON icon) {
  ICONINFO info = {};
  if (icon == nullptr || !::GetIconInfo(icon, &info)) return CSize(0, 0);
  if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
  if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
  return CSize(static_cast<int>(info.xHotspot * 2), static_cast<int>(info.yHotspot * 2));
}

void gxDrawIcon(CDC* dc, HICON icon, CRect& rectangle) {
  if (dc == nullptr || dc->m_hDC == nullptr || icon == nullptr || rectangle.IsRectEmpty()) return;
  const CSize size = gxGetIconSize(icon);
  if (size.cx == 0 || size.cy == 0) return;
  const int x = rectangle.left + (rectangle.Width() - size.cx) / 2;
  const int y = rectangle.top + (rectangle.Height() - size.cy) / 2;
  ::DrawIconEx(dc->m_hDC, x, y, icon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
}
