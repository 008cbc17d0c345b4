// The backing surfaces that window DCs draw into: one 32-bit bitmap per
// top-level window, sized to its window rectangle, and one for the screen.
// The presenter composes the window tree from these.
#pragma once

#include <memory>

#include "platform/win/gdi/Bitmap.h"

namespace wavorel::gdi {

// The surface of a top-level window, made (or remade at a new size, keeping
// the pixels that still fit) on use; null for no window or an empty one.
std::shared_ptr<Bitmap> windowSurface(HWND topLevel);
// While on, window surfaces are made in shared memory (Surface::sharedMemory)
// for a display server to read in place; one made before is remade so on its
// next use. Turned off by the first surface that cannot have a segment.
void shareWindowSurfaces(bool on);
// The screen's surface, made on first use: a screen DC (GetDC(NULL)) asks for
// it only when something draws on it or reads its pixels.
std::shared_ptr<Bitmap> screenSurface();
bool screenSurfaceMade();

}  // namespace wavorel::gdi
