#include "platform/mfc/Font.h"

#include <cstdlib>
#include <cstring>

#include "platform/mfc/DC.h"

IMPLEMENT_DYNCREATE(CFont, CGdiObject)

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName) {
  return Attach(::CreateFont(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                             outPrecision, clipPrecision, quality, pitchAndFamily, faceName));
}

BOOL CFont::CreatePointFont(int pointSize, LPCTSTR faceName, CDC* dc) {
  LOGFONT lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfHeight = pointSize;
  if (faceName) {
    std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    lf.lfFaceName[LF_FACESIZE - 1] = '\0';
  }
  return CreatePointFontIndirect(&lf, dc);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* logFont, CDC* dc) {
  if (!logFont) return FALSE;
  HDC hdc = dc ? (dc->m_hAttribDC ? dc->m_hAttribDC : dc->m_hDC) : ::GetDC(nullptr);
  if (!hdc) return FALSE;
  // The height in device pixels, then as a distance in logical units.
  POINT points[2] = {{0, 0}, {0, MulDiv(::GetDeviceCaps(hdc, LOGPIXELSY), logFont->lfHeight, 720)}};
  ::DPtoLP(hdc, points, 2);
  if (!dc) ::ReleaseDC(nullptr, hdc);
  LOGFONT lf = *logFont;
  lf.lfHeight = -std::labs(points[1].y - points[0].y);
  return CreateFontIndirect(&lf);
}
