// One realized font: a DejaVu face at a pixel size, with its TEXTMETRIC;
// advances and anti-aliased glyph images come from the glyph cache of its
// file and size (GlyphCache.h).
//
// Sizes follow the TrueType mapping at 96 dpi: a negative lfHeight is the em
// size in pixels, a positive one the cell height (usWinAscent + usWinDescent
// scaled to it), 0 a cell of 16 pixels; a non-zero lfWidth scales the face
// horizontally so that xAvgCharWidth becomes that width. The em size is
// rounded to whole pixels and kept between 1 and 1024. Glyphs are rendered
// unhinted, so the images and advances are the same on every run.
// Metrics: tmAscent/tmDescent are usWinAscent/usWinDescent scaled and
// rounded, tmInternalLeading = tmHeight - em, tmExternalLeading from the
// horizontal header's line gap, tmAveCharWidth the OS/2 xAvgCharWidth
// scaled, tmMaxCharWidth the widest advance scaled.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/win/gdi/Fonts.h"
#include "platform/win/gdi/GlyphCache.h"
#include "platform/win/gdi/TextMeasure.h"

namespace wavorel {

class FontFace : public TextMeasure {
 public:
  // The glyph cache of the face's file at a pixel size (em width, em height).
  using GlyphsFor = std::function<std::shared_ptr<const GlyphCache>(int emX, int em)>;

  // `file` is the DejaVu file, shared by every size of the face.
  FontFace(const FontFile& file, std::string fileName, const LOGFONT& lf, const GlyphsFor& glyphsFor);
  ~FontFace() override;
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  const TEXTMETRIC& metrics() const { return metrics_; }
  const std::string& fileName() const { return fileName_; }
  int advance(char32_t cp) const override { return glyphs_->advance(cp); }
  int lineHeight() const override { return metrics_.tmHeight; }
  int averageCharWidth() const override { return metrics_.tmAveCharWidth; }
  const GlyphImage& glyph(char32_t cp) const { return glyphs_->glyph(cp); }
  const uint32_t* tinted(char32_t cp, uint32_t colour, uint32_t back) const {
    return glyphs_->tinted(cp, colour, back);
  }

  // Lines, in pixels from the baseline (positive downwards for the underline,
  // upwards for the strike-out), each at least one pixel thick.
  int underlineOffset() const { return underlineOffset_; }
  int underlineThickness() const { return underlineThickness_; }
  int strikeOutOffset() const { return strikeOutOffset_; }
  int strikeOutThickness() const { return strikeOutThickness_; }

 private:
  std::string fileName_;
  std::shared_ptr<const GlyphCache> glyphs_;
  TEXTMETRIC metrics_{};
  int underlineOffset_ = 1;
  int underlineThickness_ = 1;
  int strikeOutOffset_ = 1;
  int strikeOutThickness_ = 1;
};

}  // namespace wavorel
