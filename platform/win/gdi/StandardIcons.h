// The standard icons (IDI_*) and cursors (IDC_*) that LoadIcon and
// LoadCursor give for a null instance: shared objects, one handle per id,
// drawn by this platform (32 x 32).
#pragma once

#include "platform/win/gdi/GdiTypes.h"

namespace wavorel::gdi {

// The handle of a standard icon (`icon`) or cursor, or null for an unknown id
// (ERROR_RESOURCE_NAME_NOT_FOUND).
HICON standardIcon(LPCSTR id, bool icon);

}  // namespace wavorel::gdi
