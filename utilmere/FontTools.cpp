// Fonts from point sizes.
#include <cstring>

#include "utilmere/WindowTools.h"

int gxCreateFont(HDC dc, CFont& font, long size, int bold, int italic, int underline, const char* face, int width) {
  LOGFONT logFont = {};
  logFont.lfHeight = dc != nullptr ? -MulDiv(static_cast<int>(size), ::GetDeviceCaps(dc, LOGPIXELSY), 72) : size;
  logFont.lfWidth = width;
  logFont.lfWeight = bold ? FW_BOLD : 0;
  logFont.lfItalic = static_cast<BYTE>(italic);
  logFont.lfUnderline = static_cast<BYTE>(underline);
  logFont.lfCharSet = DEFAULT_CHARSET;
  if (face != nullptr) std::strncpy(logFont.lfFaceName, face, LF_FACESIZE - 1);
  const HFONT created = ::CreateFontIndirect(&logFont);
  font.DeleteObject();
  return font.Attach(created);
}
