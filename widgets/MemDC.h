// CMemDC: an off-screen DC for flicker-free painting. It covers a rectangle
// of a target DC (its clip box when none is given) with a compatible memory
// DC and bitmap whose window origin is the rectangle's top-left, so drawing
// uses the target's coordinates; when it is destroyed the rectangle is copied
// back (SRCCOPY). On a printing DC it draws straight to the target.
#pragma once

#include "platform/Platform.h"

class CMemDC : public CDC {
 public:
  // With bCopyFirst the memory DC starts as a copy of the target's pixels.
  explicit CMemDC(CDC* pDC, const CRect* pRect = nullptr, BOOL bCopyFirst = FALSE);
  ~CMemDC() override;
  CMemDC(const CMemDC&) = delete;
  CMemDC& operator=(const CMemDC&) = delete;

  const CRect& GetRect() const { return m_rect; }

 private:
  // Palette devices: the target realises a palette of the bitmap's first
  // colours before the copy; the palette it had, or null when none was made.
  CPalette* RealizeBitmapPalette(CPalette& palette);

  CDC* m_pDC;
  CRect m_rect;
  BOOL m_bMemDC;
  CBitmap m_bitmap;
  CBitmap* m_pOldBitmap = nullptr;
};
