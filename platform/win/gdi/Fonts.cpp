#include "platform/win/gdi/Fonts.h"

#include <cstdint>
#include <cstring>
#include <limits>

#include "platform/win/gdi/FontObject.h"
#include "platform/win/gdi/TextLayout.h"
#include "platform/win/gdi/DeviceContext.h"

using wavorel::gdi::dcFromHandle;
using wavorel::gdi::FontObject;
using wavorel::gdi::selectedFont;

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  int64_t product = static_cast<int64_t>(number) * numerator;
  int64_t d = denominator;
  if (d < 0) {
    d = -d;
    product = -product;
  }
  const int64_t result = product >= 0 ? (product + d / 2) / d : -((-product + d / 2) / d);
  if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min()) return -1;
  return static_cast<int>(result);
}

HFONT CreateFontIndirect(const LOGFONT* lf) {
  if (!lf) return nullptr;
  return static_cast<HFONT>(wavorel::gdi::insertGdiObject(std::make_shared<FontObject>(*lf)));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                 DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                 DWORD pitchAndFamily, LPCSTR faceName) {
  LOGFONT lf{};
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = static_cast<BYTE>(italic);
  lf.lfUnderline = static_cast<BYTE>(underline);
  lf.lfStrikeOut = static_cast<BYTE>(strikeOut);
  lf.lfCharSet = static_cast<BYTE>(charSet);
  lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
  lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  lf.lfQuality = static_cast<BYTE>(quality);
  lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  if (faceName) std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
  return CreateFontIndirect(&lf);
}

BOOL GetTextMetrics(HDC hdc, LPTEXTMETRIC tm) {
  auto dc = dcFromHandle(hdc);
  if (!dc || !tm) return FALSE;
  *tm = selectedFont(*dc).face().metrics();
  return TRUE;
}

namespace {

BOOL extentOf(HDC hdc, const std::u32string& text, LPSIZE size) {
  auto dc = dcFromHandle(hdc);
  if (!dc || !size) return FALSE;
  const wavorel::FontFace& face = selectedFont(*dc).face();
  LONG cx = 0;
  for (char32_t c : text) cx += face.advance(c);
  *size = SIZE{cx, face.metrics().tmHeight};
  return TRUE;
}

}  // namespace

BOOL GetTextExtentPoint32(HDC hdc, LPCSTR text, int count, LPSIZE size) {
  if (count < 0 || (!text && count > 0)) return FALSE;
  return extentOf(hdc, wavorel::ansiToCodePoints(text, count), size);
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int count, LPSIZE size) {
  if (count < 0 || (!text && count > 0)) return FALSE;
  return extentOf(hdc, wavorel::wideToCodePoints(text, count), size);
}

int GetTextFace(HDC hdc, int count, LPSTR faceName) {
  auto dc = dcFromHandle(hdc);
  if (!dc) return 0;
  const char* face = selectedFont(*dc).logFont().lfFaceName;
  const int length = static_cast<int>(std::strlen(face));
  if (!faceName) return length + 1;
  if (count <= 0) return 0;
  const int copied = length < count - 1 ? length : count - 1;
  std::memcpy(faceName, face, static_cast<size_t>(copied));
  faceName[copied] = '\0';
  return copied;
}
