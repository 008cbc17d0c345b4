// CFont: a font handle owned by the object.
#pragma once

#include "platform/mfc/GdiObject.h"
#include "platform/win/gdi/Fonts.h"

class CDC;

class CFont : public CGdiObject {
  DECLARE_DYNCREATE(CFont)

 public:
  static CFont* FromHandle(HFONT handle) { return fromHandleAs<CFont>(handle); }
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }  // NOLINT: implicit as in MFC

  BOOL CreateFontIndirect(const LOGFONT* logFont) { return Attach(::CreateFontIndirect(logFont)); }
  BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                  BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                  BYTE pitchAndFamily, LPCTSTR faceName);
  // A font of `pointSize` tenths of a point: the height in pixels is
  // MulDiv(pointSize, the DC's LOGPIXELSY, 720) (the screen's when `dc` is
  // null), turned into logical units and negated so that it names the
  // character height. The face name is cut to LF_FACESIZE - 1 characters.
  BOOL CreatePointFont(int pointSize, LPCTSTR faceName, CDC* dc = nullptr);
  // As CreateFontIndirect, with lfHeight in tenths of a point (converted as
  // for CreatePointFont).
  BOOL CreatePointFontIndirect(const LOGFONT* logFont, CDC* dc = nullptr);
  int GetLogFont(LOGFONT* logFont) const { return ::GetObject(m_hObject, sizeof(LOGFONT), logFont); }
};
