// CPictureHolder: a picture object (a bitmap read from a BMP file) with its
// natural size kept in HIMETRIC units, as the picture statics use it: size in
// device pixels of a DC, render into a rectangle, release.
#pragma once

#include "platform/Platform.h"

class CPictureHolder {
 public:
  CPictureHolder() = default;
  ~CPictureHolder();
  CPictureHolder(const CPictureHolder&) = delete;
  CPictureHolder& operator=(const CPictureHolder&) = delete;

  // Replaces the picture by the bitmap file; FALSE (and no picture) when it
  // does not load.
  BOOL LoadFile(const char* path);
  void Release();
  BOOL HasPicture() const { return m_bitmap != nullptr; }

  // The natural size in HIMETRIC units (0.01 mm), as last queried.
  SIZE GetHimetricSize();
  // The natural size in device pixels of `dc`, or of a window DC of the
  // desktop when `dc` is null.
  SIZE GetSizeInPixels(CDC* dc);
  // Draws the picture stretched into `rect`, or at its natural size from the
  // rectangle's top-left corner when `rect` is empty.
  void Render(CDC* dc, const RECT& rect);
  // Fills `area` outside the picture's natural rectangle placed at `at` with
  // the background brush of `window`'s class.
  void EraseAround(CDC* dc, HWND window, const RECT& area, POINT at);

 private:
  HBITMAP m_bitmap = nullptr;
  SIZE m_pixels{0, 0};
  SIZE m_himetric{0, 0};
};
