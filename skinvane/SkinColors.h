// The colour answer that the skinned static and group box share: no bitmap
// case, only the transparency switch decides.
#pragma once

#include "platform/Platform.h"

namespace skinvane {

// Transparent: background mode TRANSPARENT and the stock null brush;
// otherwise OPAQUE with the background colour and `background` (null when it
// holds no brush). The text colour is always set.
HBRUSH skinColorAnswer(CDC* dc, int transparent, COLORREF text, COLORREF background, const CBrush& brush);

}  // namespace skinvane
