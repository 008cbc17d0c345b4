// The stock GDI objects (GetStockObject) and the 1 x 1 monochrome bitmap a new
// memory DC starts with. They are made on first use and never deleted.
#pragma once

#include "platform/win/gdi/GdiObject.h"

namespace wavorel::gdi {

// The stock object `id`, or null for an unknown id (or a stock font when the
// text layer registered no maker).
HGDIOBJ stockObject(int id);
HBITMAP stockBitmap();

}  // namespace wavorel::gdi
