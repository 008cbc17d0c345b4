#include "platform/win/gdi/FontSubstitution.h"

#include <cstring>
#include <strings.h>

#include "platform/win/gdi/Fonts.h"

namespace wavorel {

namespace {

struct Entry {
  const char* face;
  FontFamily family;
};

// Wide faces take DejaVu Sans; the dialog faces and the other narrow ones its
// condensed cut (at 8 points it gives the 6 x 13 dialog base units dialogs
// are laid out for); the Times faces, much narrower than DejaVu Serif, its
// condensed cut, so that their captions fit where the skins measured them;
// the Song faces (GBK and Big5 spellings) and the other Roman faces take
// DejaVu Serif.
const Entry kTable[] = {
    {"Arial", FontFamily::Sans},
    {"Helvetica", FontFamily::Sans},
    {"Verdana", FontFamily::Sans},
    {"DejaVu Sans", FontFamily::Sans},
    {"MS Sans Serif", FontFamily::SansCondensed},
    {"Microsoft Sans Serif", FontFamily::SansCondensed},
    {"MS Shell Dlg", FontFamily::SansCondensed},
    {"MS Shell Dlg 2", FontFamily::SansCondensed},
    {"System", FontFamily::SansCondensed},
    {"Tahoma", FontFamily::SansCondensed},
    {"Trebuchet MS", FontFamily::SansCondensed},
    {"Segoe UI", FontFamily::SansCondensed},
    {"Arial Narrow", FontFamily::SansCondensed},
    {"DejaVu Sans Condensed", FontFamily::SansCondensed},
    {"Times New Roman", FontFamily::SerifCondensed},
    {"Times", FontFamily::SerifCondensed},
    {"MS Serif", FontFamily::SerifCondensed},
    {"DejaVu Serif Condensed", FontFamily::SerifCondensed},
    {"Georgia", FontFamily::Serif},
    {"SimSun", FontFamily::Serif},
    {"NSimSun", FontFamily::Serif},
    {"MingLiU", FontFamily::Serif},
    {"PMingLiU", FontFamily::Serif},
    {"\xCB\xCE\xCC\xE5", FontFamily::Serif},  // Song, GBK
    {"\xA7\xBA\xC5\xE9", FontFamily::Serif},  // Song, Big5
    {"DejaVu Serif", FontFamily::Serif},
    {"Courier New", FontFamily::Mono},
    {"Courier", FontFamily::Mono},
    {"Lucida Console", FontFamily::Mono},
    {"Consolas", FontFamily::Mono},
    {"Fixedsys", FontFamily::Mono},
    {"Terminal", FontFamily::Mono},
    {"DejaVu Sans Mono", FontFamily::Mono},
};

}  // namespace

FontSubstitution substituteFace(const char* faceName, BYTE pitchAndFamily) {
  const char* name = faceName ? faceName : "";
  for (const Entry& e : kTable) {
    if (strcasecmp(name, e.face) == 0) return FontSubstitution{e.family, true};
  }
  if ((pitchAndFamily & 0x03) == FIXED_PITCH || (pitchAndFamily & 0xF0) == FF_MODERN) {
    return FontSubstitution{FontFamily::Mono, false};
  }
  if ((pitchAndFamily & 0xF0) == FF_ROMAN) return FontSubstitution{FontFamily::Serif, false};
  return FontSubstitution{FontFamily::Sans, false};
}

const char* fontFileName(FontFamily family, bool bold, bool italic) {
  static const char* const kFiles[5][4] = {
      {"DejaVuSans.ttf", "DejaVuSans-Oblique.ttf", "DejaVuSans-Bold.ttf", "DejaVuSans-BoldOblique.ttf"},
      {"DejaVuSansCondensed.ttf", "DejaVuSansCondensed-Oblique.ttf", "DejaVuSansCondensed-Bold.ttf",
       "DejaVuSansCondensed-BoldOblique.ttf"},
      {"DejaVuSerif.ttf", "DejaVuSerif-Italic.ttf", "DejaVuSerif-Bold.ttf", "DejaVuSerif-BoldItalic.ttf"},
      {"DejaVuSerifCondensed.ttf", "DejaVuSerifCondensed-Italic.ttf", "DejaVuSerifCondensed-Bold.ttf",
       "DejaVuSerifCondensed-BoldItalic.ttf"},
      {"DejaVuSansMono.ttf", "DejaVuSansMono-Oblique.ttf", "DejaVuSansMono-Bold.ttf",
       "DejaVuSansMono-BoldOblique.ttf"},
  };
  return kFiles[static_cast<int>(family)][(bold ? 2 : 0) + (italic ? 1 : 0)];
}

}  // namespace wavorel
