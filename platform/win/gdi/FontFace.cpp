#include "platform/win/gdi/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

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

FontFace::FontFace(const FontFile& file, std::string fileName, const LOGFONT& lf, const GlyphsFor& glyphsFor)
    : fileName_(std::move(fileName)) {
  const FT_Face face = file.tables();
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  if (!os2 || !hhea) throw std::runtime_error("font file without OS/2 or hhea table: " + fileName_);

  const int upem = face->units_per_EM;
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
  glyphs_ = glyphsFor(emX, em);

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
  const bool fixed = FT_IS_FIXED_WIDTH(face);
  const BYTE family = fixed ? FF_MODERN : (std::string(face->family_name) == "DejaVu Serif" ? FF_ROMAN : FF_SWISS);
  tm.tmPitchAndFamily = static_cast<BYTE>(family | TMPF_VECTOR | TMPF_TRUETYPE | (fixed ? 0 : TMPF_FIXED_PITCH));
  tm.tmCharSet = lf.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : lf.lfCharSet;

  underlineThickness_ = std::max(1, scaled(face->underline_thickness, em, upem));
  underlineOffset_ = std::max(1, scaled(-face->underline_position, em, upem));
  strikeOutThickness_ = std::max(1, scaled(os2->yStrikeoutSize, em, upem));
  strikeOutOffset_ = std::max(1, scaled(os2->yStrikeoutPosition, em, upem));
}

FontFace::~FontFace() = default;

}  // namespace wavorel
