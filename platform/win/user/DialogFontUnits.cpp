// The dialog base units of a dialog font, from the font engine's metrics.
#include <cstring>

#include "platform/win/user/Dialog.h"
#include "platform/win/gdi/FontEngine.h"

namespace wavorel {

LOGFONT dialogLogFont(const std::string& face, int points, int weight, bool italic) {
  LOGFONT lf{};
  lf.lfHeight = -MulDiv(points > 0 ? points : 8, 96, 72);
  lf.lfWeight = weight;
  lf.lfItalic = italic ? 1 : 0;
  lf.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return lf;
}

SIZE dialogFontBaseUnits(const std::string& face, int points, int weight, bool italic) {
  const FontFace& font = fontEngine().realize(dialogLogFont(face, points, weight, italic));
  LONG letters = 0;
  for (char c = 'A'; c <= 'Z'; ++c) letters += font.advance(static_cast<char32_t>(c)) + font.advance(c - 'A' + U'a');
  return SIZE{(letters / 26 + 1) / 2, font.metrics().tmHeight};
}

}  // namespace wavorel
