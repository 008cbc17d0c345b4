#include "platform/win/gdi/TextPainter.h"

#include <algorithm>

namespace wavorel::gdi {

TextPainter::TextPainter(DeviceContext& dc, const FontObject& font, const RECT* clip)
    : dc_(dc), font_(font), clipped_(clip != nullptr) {
  if (clip) clip_ = *clip;
}

void TextPainter::fill(const RECT& rect, COLORREF colour) const {
  RECT r = rect;
  if (clipped_) {
    r = RECT{std::max(r.left, clip_.left), std::max(r.top, clip_.top), std::min(r.right, clip_.right),
             std::min(r.bottom, clip_.bottom)};
  }
  if (r.left >= r.right || r.top >= r.bottom) return;
  dc_.paintRect(r, Brush(BS_SOLID, colour), PATCOPY);
}

void TextPainter::run(POINT origin, const std::vector<PlacedChar>& chars, int width, bool opaqueCell) const {
  const FontFace& face = font_.face();
  const TEXTMETRIC& tm = face.metrics();
  const DcState& st = dc_.state();
  if (opaqueCell && st.bkMode == OPAQUE)
    fill(RECT{origin.x, origin.y, origin.x + width, origin.y + tm.tmHeight}, st.bkColor);
  // Glyphs drawn on their cell just filled, or transparent on a background of
  // the DC's background colour, find that colour under most of their pixels:
  // those take the glyph's image laid over it, made once and kept with the
  // glyph. Other pixels are blended as they come.
  const Surface* target = dc_.surface();
  const bool overBack = target && target->bpp() == 32;
  const Pixel colour = pixelFromColor(st.textColor);
  const Pixel back = dc_.targetValue(st.bkColor);
  const LONG baseline = origin.y + tm.tmAscent;
  // Glyphs with a laid image go to the DC a batch at a time.
  constexpr size_t kBatch = 32;
  DeviceContext::MaskOver batch[kBatch];
  size_t batched = 0;
  auto flush = [&] {
    dc_.blendMasksOver(batch, batched, st.textColor, back);
    batched = 0;
  };
  for (const PlacedChar& c : chars) {
    const GlyphImage& g = face.glyph(c.cp);
    const LONG left = origin.x + c.x + g.left;
    const LONG top = baseline - g.top;
    // The glyph's columns inside the text's clip rectangle.
    const int from = clipped_ ? std::max(0, static_cast<int>(clip_.left - left)) : 0;
    const int to = clipped_ ? std::min(g.width, static_cast<int>(clip_.right - left)) : g.width;
    // And its rows inside it.
    const int first = clipped_ ? std::max(0, static_cast<int>(clip_.top - top)) : 0;
    const int last = clipped_ ? std::min(g.height, static_cast<int>(clip_.bottom - top)) : g.height;
    if (from >= to || first >= last) continue;
    const size_t offset = static_cast<size_t>(first) * g.width + from;
    const BYTE* cover = g.coverage.data() + offset;
    const Pixel* tinted = overBack ? face.tinted(c.cp, colour, back) : nullptr;
    if (!tinted) {
      // Drawn in its turn: the glyphs before it first.
      if (batched) flush();
      dc_.blendMask(left + from, top + first, cover, to - from, last - first, g.width, st.textColor);
      continue;
    }
    batch[batched++] = {left + from, top + first, cover, tinted + offset, to - from, last - first, g.width};
    if (batched == kBatch) flush();
  }
  if (batched) flush();
  const LOGFONT& lf = font_.logFont();
  if (lf.lfUnderline) {
    const LONG y = baseline + face.underlineOffset();
    fill(RECT{origin.x, y, origin.x + width, y + face.underlineThickness()}, st.textColor);
  }
  if (lf.lfStrikeOut) {
    const LONG y = baseline - face.strikeOutOffset();
    fill(RECT{origin.x, y, origin.x + width, y + face.strikeOutThickness()}, st.textColor);
  }
}

void TextPainter::prefixUnderline(POINT origin, int x, int width) const {
  const FontFace& face = font_.face();
  const LONG y = origin.y + face.metrics().tmAscent + face.underlineOffset();
  fill(RECT{origin.x + x, y, origin.x + x + width, y + 1}, dc_.state().textColor);
}

}  // namespace wavorel::gdi
