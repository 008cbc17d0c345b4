// CPen: a pen handle owned by the object.
#pragma once

#include "platform/mfc/GdiObject.h"

class CPen : public CGdiObject {
  DECLARE_DYNCREATE(CPen)

 public:
  CPen() = default;
  // CResourceException when the pen cannot be made.
  CPen(int style, int width, COLORREF colour);
  static CPen* FromHandle(HPEN handle) { return fromHandleAs<CPen>(handle); }
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }  // NOLINT: implicit as in MFC

  BOOL CreatePen(int style, int width, COLORREF colour) { return Attach(::CreatePen(style, width, colour)); }
  int GetLogPen(LOGPEN* pen) const { return ::GetObject(m_hObject, sizeof(LOGPEN), pen); }
};
