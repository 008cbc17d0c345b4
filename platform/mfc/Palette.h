// CPalette: a logical palette handle owned by the object.
#pragma once

#include "platform/mfc/GdiObject.h"

class CPalette : public CGdiObject {
  DECLARE_DYNCREATE(CPalette)

 public:
  static CPalette* FromHandle(HPALETTE handle) { return fromHandleAs<CPalette>(handle); }
  operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }  // NOLINT: implicit as in MFC

  BOOL CreatePalette(const LOGPALETTE* palette) { return Attach(::CreatePalette(palette)); }
  int GetEntryCount() const {
    WORD count = 0;
    return ::GetObject(m_hObject, sizeof(count), &count) ? count : 0;
  }
};
