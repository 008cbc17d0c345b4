#include "platform/win/gdi/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_ADVANCES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace wavorel {

namespace {

constexpr int kDefaultCellHeight = 16;
constexpr int kMaxEm = 1024;

int clampEm(double em) { return std::clamp(static_cast<int>(std::lround(em)), 1, kMaxEm); }

int scaled(long units, int em, int unitsPerEm) {
  return static_cast<int>(std::lround(static_cast<double>(units) * em / unitsPerEm));
}

}  // namespace

FontFace::FontFace(std::shared_ptr<const std::vector<BYTE>> file, std::string fileName, const LOGFONT& lf,
                   FT_LibraryRec_* library)
    : file_(std::move(file)), fileName_(std::move(fileName)) {
  if (FT_New_Memory_Face(library, file_->data(), static_cast<FT_Long>(file_->size()), 0, &face_) != 0) {
    throw std::runtime_error("cannot read font file " + fileName_);
  }
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face_, FT_SFNT_HHEA));
  if (!os2 || !hhea) throw std::runtime_error("font file without OS/2 or hhea table: " + fileName_);

  const int upem = face_->units_per_EM;
  const long cellUnits = static_cast<long>(os2->usWinAscent) + os2->usWinDescent;
  int em = 0;
  if (lf.lfHeight < 0) {
    em = clampEm(-static_cast<double>(lf.lfHeight));
  } else {
    const int cell = lf.lfHeight > 0 ? lf.lfHeight : kDefaultCellHeight;
    em = clampEm(static_cast<double>(cell) * upem / cellUnits);
  }
  int emX = em;
  if (lf.lfWidth != 0 && os2->xAvgCharWidth > 0) {
    emX = clampEm(std::abs(static_cast<double>(lf.lfWidth)) * upem / os2->xAvgCharWidth);
  }
  FT_Set_Pixel_Sizes(face_, static_cast<FT_UInt>(emX), static_cast<FT_UInt>(em));

  TEXTMETRIC& tm = metrics_;
  if (lf.lfHeight > 0 && lf.lfHeight <= kMaxEm) {
    // The cell is the height asked for, shared in the face's proportions.
    tm.tmHeight = lf.lfHeight;
    tm.tmAscent = static_cast<LONG>(std::lround(static_cast<double>(os2->usWinAscent) * lf.lfHeight / cellUnits));
    tm.tmDescent = tm.tmHeight - tm.tmAscent;
  } else {
    tm.tmAscent = scaled(os2->usWinAscent, em, upem);
    tm.tmDescent = scaled(os2->usWinDescent, em, upem);
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
  }
  tm.tmInternalLeading = std::max(0, static_cast<int>(tm.tmHeight) - em);
  const long hheaSpan = static_cast<long>(hhea->Ascender) - hhea->Descender;
  tm.tmExternalLeading = std::max(0, scaled(hhea->Line_Gap - (cellUnits - hheaSpan), em, upem));
  tm.tmAveCharWidth = scaled(os2->xAvgCharWidth, emX, upem);
  tm.tmMaxCharWidth = scaled(hhea->advance_Width_Max, emX, upem);
  tm.tmWeight = lf.lfWeight >= FW_SEMIBOLD ? FW_BOLD : (lf.lfWeight > 0 ? lf.lfWeight : FW_NORMAL);
  tm.tmOverhang = 0;
  tm.tmDigitizedAspectX = 96;
  tm.tmDigitizedAspectY = 96;
  tm.tmFirstChar = 0x20;
  tm.tmLastChar = 0xFF;
  tm.tmDefaultChar = 0x1F;
  tm.tmBreakChar = 0x20;
  tm.tmItalic = lf.lfItalic ? 1 : 0;
  tm.tmUnderlined = lf.lfUnderline ? 1 : 0;
  tm.tmStruckOut = lf.lfStrikeOut ? 1 : 0;
  const bool fixed = FT_IS_FIXED_WIDTH(face_);
  const BYTE family = fixed ? FF_MODERN : (std::string(face_->family_name) == "DejaVu Serif" ? FF_ROMAN : FF_SWISS);
  tm.tmPitchAndFamily = static_cast<BYTE>(family | TMPF_VECTOR | TMPF_TRUETYPE | (fixed ? 0 : TMPF_FIXED_PITCH));
  tm.tmCharSet = lf.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : lf.lfCharSet;

  underlineThickness_ = std::max(1, scaled(face_->underline_thickness, em, upem));
  underlineOffset_ = std::max(1, scaled(-face_->underline_position, em, upem));
  strikeOutThickness_ = std::max(1, scaled(os2->yStrikeoutSize, em, upem));
  strikeOutOffset_ = std::max(1, scaled(os2->yStrikeoutPosition, em, upem));
}

FontFace::~FontFace() { FT_Done_Face(face_); }

int FontFace::advance(char32_t cp) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = advances_.find(cp);
  if (it != advances_.end()) return it->second;
  FT_Fixed adv = 0;
  FT_Get_Advance(face_, FT_Get_Char_Index(face_, cp), FT_LOAD_NO_HINTING, &adv);
  const int px = static_cast<int>((adv + 0x8000) >> 16);
  advances_.emplace(cp, px);
  return px;
}

const GlyphImage& FontFace::glyph(char32_t cp) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = glyphs_.find(cp);
  if (it != glyphs_.end()) return it->second;
  GlyphImage image;
  if (FT_Load_Glyph(face_, FT_Get_Char_Index(face_, cp), FT_LOAD_NO_HINTING | FT_LOAD_RENDER) == 0) {
    const FT_GlyphSlot slot = face_->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
      image.left = slot->bitmap_left;
      image.top = slot->bitmap_top;
      image.width = static_cast<int>(bm.width);
      image.height = static_cast<int>(bm.rows);
      image.coverage.resize(static_cast<size_t>(image.width) * image.height);
      for (int y = 0; y < image.height; ++y) {
        const unsigned char* row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
        std::copy(row, row + image.width, image.coverage.begin() + static_cast<ptrdiff_t>(y) * image.width);
      }
    }
  }
  return glyphs_.emplace(cp, std::move(image)).first->second;
}

}  // namespace wavorel
