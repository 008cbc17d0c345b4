// CBrush: a brush handle owned by the object.
#pragma once

#include "platform/mfc/GdiObject.h"

class CBrush : public CGdiObject {
  DECLARE_DYNCREATE(CBrush)

 public:
  CBrush() = default;
  // A solid brush (CResourceException when it cannot be made).
  explicit CBrush(COLORREF colour);
  static CBrush* FromHandle(HBRUSH handle) { return fromHandleAs<CBrush>(handle); }
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }  // NOLINT: implicit as in MFC

  BOOL CreateSolidBrush(COLORREF colour) { return Attach(::CreateSolidBrush(colour)); }
  int GetLogBrush(LOGBRUSH* brush) const { return ::GetObject(m_hObject, sizeof(LOGBRUSH), brush); }
};
