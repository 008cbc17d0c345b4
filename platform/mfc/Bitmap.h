// CBitmap: a bitmap handle owned by the object.
#pragma once

#include "platform/mfc/GdiObject.h"

class CDC;

class CBitmap : public CGdiObject {
  DECLARE_DYNCREATE(CBitmap)

 public:
  static CBitmap* FromHandle(HBITMAP handle) { return fromHandleAs<CBitmap>(handle); }
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }  // NOLINT: implicit as in MFC

  // From the resources of the module that holds the bitmap.
  BOOL LoadBitmap(UINT id);
  BOOL LoadBitmap(LPCSTR name);
  BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
  BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
  int GetBitmap(BITMAP* bitmap) const;
};
