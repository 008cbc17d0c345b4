// Which DejaVu face draws a requested face name.
#pragma once

#include <string>

#include "platform/win/kernel/Types.h"

namespace wavorel {

enum class FontFamily { Sans, SansCondensed, Serif, SerifCondensed, Mono };

struct FontSubstitution {
  FontFamily family = FontFamily::Sans;
  bool known = false;  // the face name is in the table (not chosen by pitch and family)
};

// The fixed table of face names (compared without regard to ASCII case);
// an unknown name goes by its pitch and family: fixed pitch or FF_MODERN to
// the mono face, FF_ROMAN to the serif face, everything else to the sans face.
FontSubstitution substituteFace(const char* faceName, BYTE pitchAndFamily);

// The DejaVu file (name only) for a family in a weight and slant.
const char* fontFileName(FontFamily family, bool bold, bool italic);

}  // namespace wavorel
