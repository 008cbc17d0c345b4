// CRgn: a region handle owned by the object.
#pragma once

#include "platform/mfc/GdiObject.h"

class CRgn : public CGdiObject {
  DECLARE_DYNCREATE(CRgn)

 public:
  static CRgn* FromHandle(HRGN handle) { return fromHandleAs<CRgn>(handle); }
  operator HRGN() const { return static_cast<HRGN>(m_hObject); }  // NOLINT: implicit as in MFC

  BOOL CreateRectRgn(int left, int top, int right, int bottom) {
    return Attach(::CreateRectRgn(left, top, right, bottom));
  }
  BOOL CreateRectRgnIndirect(LPCRECT rect) { return Attach(::CreateRectRgnIndirect(rect)); }
  BOOL CreateFromData(const XFORM* xform, int count, const RGNDATA* data) {
    return Attach(::ExtCreateRegion(xform, static_cast<DWORD>(count), data));
  }
  int CombineRgn(const CRgn* a, const CRgn* b, int mode) {
    return ::CombineRgn(*this, a ? static_cast<HRGN>(*a) : nullptr, b ? static_cast<HRGN>(*b) : nullptr, mode);
  }
  int CopyRgn(const CRgn* source) { return CombineRgn(source, nullptr, RGN_COPY); }
  BOOL EqualRgn(const CRgn* other) const { return other && ::EqualRgn(*this, *other); }
  int OffsetRgn(int dx, int dy) { return ::OffsetRgn(*this, dx, dy); }
  int OffsetRgn(POINT offset) { return ::OffsetRgn(*this, offset.x, offset.y); }
  BOOL PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }
  BOOL PtInRegion(POINT p) const { return ::PtInRegion(*this, p.x, p.y); }
  BOOL RectInRegion(LPCRECT rect) const { return ::RectInRegion(*this, rect); }
  int GetRgnBox(LPRECT rect) const { return ::GetRgnBox(*this, rect); }
  int GetRegionData(LPRGNDATA data, int count) const {
    return static_cast<int>(::GetRegionData(*this, static_cast<DWORD>(count), data));
  }
  void SetRectRgn(int left, int top, int right, int bottom) { ::SetRectRgn(*this, left, top, right, bottom); }
  void SetRectRgn(LPCRECT r) { ::SetRectRgn(*this, r->left, r->top, r->right, r->bottom); }
};
