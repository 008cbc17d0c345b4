// One realized font: a DejaVu face at a pixel size, with its TEXTMETRIC,
// advances and anti-aliased glyph images (both cached).
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

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/win/gdi/Fonts.h"
#include "platform/win/gdi/TextMeasure.h"

struct FT_FaceRec_;
struct FT_LibraryRec_;

namespace wavorel {

// 8-bit coverage, `width` x `height`, rows top down; `left` and `top` place
// its top-left corner relative to the pen on the baseline (top is upwards).
struct GlyphImage {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<BYTE> coverage;
};

class FontFace : public TextMeasure {
 public:
  // `file` is the DejaVu file's data, shared by every size of the face.
  FontFace(std::shared_ptr<const std::vector<BYTE>> file, std::string fileName, const LOGFONT& lf,
           FT_LibraryRec_* library);
  ~FontFace() override;
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  const TEXTMETRIC& metrics() const { return metrics_; }
  const std::string& fileName() const { return fileName_; }
  int advance(char32_t cp) const override;
  int lineHeight() const override { return metrics_.tmHeight; }
  int averageCharWidth() const override { return metrics_.tmAveCharWidth; }
  const GlyphImage& glyph(char32_t cp) const;

  // Lines, in pixels from the baseline (positive downwards for the underline,
  // upwards for the strike-out), each at least one pixel thick.
  int underlineOffset() const { return underlineOffset_; }
  int underlineThickness() const { return underlineThickness_; }
  int strikeOutOffset() const { return strikeOutOffset_; }
  int strikeOutThickness() const { return strikeOutThickness_; }

 private:
  std::shared_ptr<const std::vector<BYTE>> file_;
  std::string fileName_;
  FT_FaceRec_* face_ = nullptr;
  TEXTMETRIC metrics_{};
  int underlineOffset_ = 1;
  int underlineThickness_ = 1;
  int strikeOutOffset_ = 1;
  int strikeOutThickness_ = 1;
  mutable std::mutex mutex_;
  mutable std::unordered_map<char32_t, int> advances_;
  mutable std::unordered_map<char32_t, GlyphImage> glyphs_;
};

}  // namespace wavorel
