#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/win/gdi/FontEngine.h"

namespace wavorel {
namespace {

LOGFONT logFont(const char* face, LONG height, LONG weight = FW_NORMAL, BYTE italic = 0) {
  LOGFONT lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfItalic = italic;
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return lf;
}

int widthOf(const FontFace& f, const char* text) {
  int w = 0;
  for (const char* p = text; *p; ++p) w += f.advance(static_cast<unsigned char>(*p));
  return w;
}

TEST(FontSubstitution, FaceNamesMapToDejaVuFiles) {
  struct Case {
    const char* face;
    LONG weight;
    BYTE italic;
    BYTE pitchAndFamily;
    const char* file;
  } cases[] = {
      {"Arial", FW_NORMAL, 0, 0, "DejaVuSans.ttf"},
      {"verdana", FW_BOLD, 0, 0, "DejaVuSans-Bold.ttf"},
      {"MS Shell Dlg", FW_NORMAL, 0, 0, "DejaVuSansCondensed.ttf"},
      {"MS Sans Serif", FW_SEMIBOLD, 0, 0, "DejaVuSansCondensed-Bold.ttf"},
      {"Tahoma", 599, 1, 0, "DejaVuSansCondensed-Oblique.ttf"},
      {"Trebuchet MS", FW_HEAVY, 1, 0, "DejaVuSansCondensed-BoldOblique.ttf"},
      {"Times New Roman", FW_NORMAL, 1, 0, "DejaVuSerifCondensed-Italic.ttf"},
      {"Georgia", FW_BOLD, 0, 0, "DejaVuSerif-Bold.ttf"},
      {"\xCB\xCE\xCC\xE5", FW_NORMAL, 0, 0, "DejaVuSerif.ttf"},
      {"Courier New", FW_BOLD, 0, 0, "DejaVuSansMono-Bold.ttf"},
      {"No Such Face", FW_NORMAL, 0, FF_ROMAN, "DejaVuSerif.ttf"},
      {"No Such Face", FW_NORMAL, 0, FIXED_PITCH | FF_SWISS, "DejaVuSansMono.ttf"},
      {"", FW_DONTCARE, 0, 0, "DejaVuSans.ttf"},
  };
  for (const Case& c : cases) {
    LOGFONT lf = logFont(c.face, -12, c.weight, c.italic);
    lf.lfPitchAndFamily = c.pitchAndFamily;
    EXPECT_EQ(fontFileFor(lf), c.file) << c.face << " " << c.weight;
    EXPECT_EQ(fontEngine().realize(lf).fileName(), c.file) << c.face;
  }
  EXPECT_TRUE(substituteFace("arial", 0).known);
  EXPECT_FALSE(substituteFace("No Such Face", 0).known);
}

TEST(FontSubstitution, UnterminatedFaceNameIsReadWithinItsField) {
  LOGFONT lf{};
  lf.lfHeight = -12;
  std::memset(lf.lfFaceName, 'A', LF_FACESIZE);
  EXPECT_EQ(fontEngine().realize(lf).fileName(), "DejaVuSans.ttf");
}

// Pinned values follow the DejaVu files of the machine (measured once).
TEST(FontMetrics, PinnedMetricsOfTheDialogAndLabelFonts) {
  struct Case {
    const char* face;
    LONG height;
    LONG tmHeight, ascent, descent, internal, ave, maxWidth, alphabet;
  } cases[] = {
      {"MS Shell Dlg", -11, 13, 10, 3, 2, 5, 19, 318},
      {"Arial", 16, 16, 13, 3, 2, 7, 26, 454},
      {"Times New Roman", -12, 14, 11, 3, 2, 6, 23, 365},
      {"Courier New", 20, 20, 16, 4, 3, 10, 10, 520},
  };
  for (const Case& c : cases) {
    const FontFace& f = fontEngine().realize(logFont(c.face, c.height));
    const TEXTMETRIC& tm = f.metrics();
    EXPECT_EQ(tm.tmHeight, c.tmHeight) << c.face;
    EXPECT_EQ(tm.tmAscent, c.ascent) << c.face;
    EXPECT_EQ(tm.tmDescent, c.descent) << c.face;
    EXPECT_EQ(tm.tmInternalLeading, c.internal) << c.face;
    EXPECT_EQ(tm.tmExternalLeading, 0) << c.face;
    EXPECT_EQ(tm.tmAveCharWidth, c.ave) << c.face;
    EXPECT_EQ(tm.tmMaxCharWidth, c.maxWidth) << c.face;
    EXPECT_EQ(widthOf(f, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"), c.alphabet) << c.face;
  }
}

// The skins' captions are in Times New Roman, measured for its narrow
// letters: its stand-in stays within a fifth of Times New Roman Bold's own
// widths at 16 pixels (about 87, 109 and 103 pixels).
TEST(FontMetrics, TimesCaptionsKeepCloseToTimesNewRomanWidths) {
  const struct {
    const char* text;
    int timesWidth;
  } cases[] = {{"WPS Setting", 87}, {"Security Setting", 109}, {"Access Control", 103}};
  const FontFace& f = fontEngine().realize(logFont("Times New Roman", -16, FW_BOLD));
  for (const auto& c : cases) EXPECT_LE(widthOf(f, c.text), c.timesWidth * 6 / 5) << c.text;
}

TEST(FontMetrics, HeightsMeanEmSizeWhenNegativeAndCellHeightWhenPositive) {
  for (LONG em : {8, 11, 12, 16, 24, 40}) {
    const TEXTMETRIC& tm = fontEngine().realize(logFont("Arial", -em)).metrics();
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, em);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
  }
  for (LONG cell : {16, 20, 32}) {
    EXPECT_EQ(fontEngine().realize(logFont("Arial", cell)).metrics().tmHeight, cell);
  }
  // 0 is the default size; absurd sizes are bounded.
  EXPECT_EQ(fontEngine().realize(logFont("Arial", 0)).metrics().tmHeight, 16);
  const TEXTMETRIC& huge = fontEngine().realize(logFont("Arial", -1000000)).metrics();
  EXPECT_EQ(huge.tmHeight - huge.tmInternalLeading, 1024);
}

TEST(FontMetrics, FlagsWeightAndWidthFollowTheLogFont) {
  LOGFONT lf = logFont("Arial", -12, FW_DONTCARE);
  lf.lfUnderline = 1;
  lf.lfStrikeOut = 1;
  lf.lfItalic = 1;
  const TEXTMETRIC& tm = fontEngine().realize(lf).metrics();
  EXPECT_EQ(tm.tmWeight, FW_NORMAL);
  EXPECT_EQ(tm.tmItalic, 1);
  EXPECT_EQ(tm.tmUnderlined, 1);
  EXPECT_EQ(tm.tmStruckOut, 1);
  EXPECT_EQ(tm.tmPitchAndFamily & 0xF0, FF_SWISS);
  EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, TMPF_FIXED_PITCH);  // set: variable pitch
  EXPECT_EQ(fontEngine().realize(logFont("Arial", -12, FW_BOLD)).metrics().tmWeight, FW_BOLD);
  EXPECT_EQ(fontEngine().realize(logFont("Courier New", -12)).metrics().tmPitchAndFamily & TMPF_FIXED_PITCH, 0);

  LOGFONT wide = logFont("Arial", -12);
  wide.lfWidth = 10;
  const FontFace& w = fontEngine().realize(wide);
  EXPECT_EQ(w.metrics().tmAveCharWidth, 10);
  EXPECT_EQ(w.metrics().tmHeight, fontEngine().realize(logFont("Arial", -12)).metrics().tmHeight);
  EXPECT_GT(w.advance(U'm'), fontEngine().realize(logFont("Arial", -12)).advance(U'm'));
}

TEST(FontGlyphs, SameFontGivesTheSameObjectAndTheSameImages) {
  const FontFace& a = fontEngine().realize(logFont("Arial", -20));
  const FontFace& b = fontEngine().realize(logFont("Arial", -20));
  EXPECT_EQ(&a, &b);
  const GlyphImage& l = a.glyph(U'l');
  // A vertical stroke: some pixels fully covered, the image on the baseline.
  EXPECT_GT(l.height, 10);
  EXPECT_EQ(l.top, l.height);
  EXPECT_EQ(*std::max_element(l.coverage.begin(), l.coverage.end()), 255);
  EXPECT_EQ(a.glyph(U' ').coverage.size(), 0u);
  EXPECT_GT(a.advance(U' '), 0);
  // A character the face lacks draws its missing-glyph box.
  EXPECT_FALSE(a.glyph(U'\u4E2D').coverage.empty());
  EXPECT_GE(a.underlineOffset(), 1);
  EXPECT_GE(a.strikeOutOffset(), 1);
}

}  // namespace
}  // namespace wavorel
