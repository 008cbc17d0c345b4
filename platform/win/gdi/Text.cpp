#include "platform/win/gdi/Text.h"

#include "platform/win/gdi/TextLayout.h"
#include "platform/win/gdi/TextPainter.h"

using wavorel::PlacedChar;
using wavorel::gdi::dcFromHandle;
using wavorel::gdi::DeviceContext;
using wavorel::gdi::selectedFont;
using wavorel::gdi::TextPainter;

UINT SetTextAlign(HDC hdc, UINT align) {
  auto dc = dcFromHandle(hdc);
  if (!dc) return GDI_ERROR;
  const UINT old = dc->state().textAlign;
  dc->state().textAlign = align;
  return old;
}

UINT GetTextAlign(HDC hdc) {
  auto dc = dcFromHandle(hdc);
  return dc ? dc->state().textAlign : GDI_ERROR;
}

namespace {

std::vector<PlacedChar> place(const wavorel::FontFace& face, const std::u32string& text, const INT* dx, int& width) {
  std::vector<PlacedChar> chars;
  chars.reserve(text.size());
  int x = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    chars.push_back(PlacedChar{text[i], x});
    x += dx ? dx[i] : face.advance(text[i]);
  }
  width = x;
  return chars;
}

BOOL textOut(HDC hdc, int x, int y, UINT options, const RECT* rect, const std::u32string& text, const INT* dx) {
  auto dc = dcFromHandle(hdc);
  if (!dc) return FALSE;
  const auto& font = selectedFont(*dc);
  const TEXTMETRIC& tm = font.face().metrics();
  int width = 0;
  const std::vector<PlacedChar> chars = place(font.face(), text, dx, width);

  auto& st = dc->state();
  const UINT align = st.textAlign;
  POINT ref{x, y};
  if (align & TA_UPDATECP) ref = st.current;
  LONG left = ref.x;
  if ((align & TA_CENTER) == TA_CENTER) {
    left -= width / 2;
  } else if (align & TA_RIGHT) {
    left -= width;
  }
  LONG top = ref.y;
  if ((align & TA_BASELINE) == TA_BASELINE) {
    top -= tm.tmAscent;
  } else if (align & TA_BOTTOM) {
    top -= tm.tmHeight;
  }
  // The current position moves past the text (centred text leaves it).
  if ((align & TA_UPDATECP) && (align & TA_CENTER) != TA_CENTER) st.current.x += (align & TA_RIGHT) ? -width : width;

  RECT deviceRect{};
  if (rect) deviceRect = dc->toDevice(*rect);
  const bool clipped = rect && (options & ETO_CLIPPED);
  TextPainter painter(*dc, font, clipped ? &deviceRect : nullptr);
  if (rect && (options & ETO_OPAQUE)) painter.fill(deviceRect, st.bkColor);
  painter.run(dc->toDevice(POINT{left, top}), chars, width, true);
  return TRUE;
}

}  // namespace

BOOL TextOut(HDC hdc, int x, int y, LPCSTR text, int count) {
  if (count < 0 || (!text && count > 0)) return FALSE;
  return textOut(hdc, x, y, 0, nullptr, wavorel::ansiToCodePoints(text, count), nullptr);
}

BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count, const INT* dx) {
  if (!text && count > 0) return FALSE;
  const std::u32string chars = wavorel::ansiToCodePoints(text, static_cast<int>(count));
  // One advance per character: text with double-byte characters cannot have them.
  if (dx && chars.size() != count) return FALSE;
  return textOut(hdc, x, y, options, rect, chars, dx);
}

int DrawText(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format) {
  auto dc = dcFromHandle(hdc);
  if (!dc || !rect || (!text && count != 0)) return 0;
  const auto& font = selectedFont(*dc);
  const wavorel::TextLayout layout = wavorel::layoutText(wavorel::ansiToCodePoints(text, count), *rect, format,
                                                         font.face());
  if (format & DT_CALCRECT) {
    rect->right = layout.extent.right;
    rect->bottom = layout.extent.bottom;
    return layout.result;
  }
  const RECT clip = dc->toDevice(*rect);
  TextPainter painter(*dc, font, (format & DT_NOCLIP) ? nullptr : &clip);
  for (const wavorel::LaidLine& line : layout.lines) {
    const POINT origin = dc->toDevice(POINT{line.x, line.y});
    painter.run(origin, line.chars, line.width, true);
    if (line.prefixWidth > 0) painter.prefixUnderline(origin, line.prefixX, line.prefixWidth);
  }
  return layout.result;
}
