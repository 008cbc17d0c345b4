// AfxRegisterWndClass: a window class for CWnd::Create/CreateEx with the
// given class style, cursor, background brush and icon. The same arguments
// give the same class, registered once; the name is kept in a per-thread
// buffer until the next call. NULL when the class cannot be registered.
#pragma once

#include "platform/win/kernel/Types.h"

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            HICON hIcon = nullptr);
