// Layered windows (WS_EX_LAYERED): a constant opacity and a transparent
// colour key per window, kept with the window and applied when the window
// tree is composed into pixels. Also exported by the always-loaded "user32"
// module, for callers that look them up with GetProcAddress.
#pragma once

#include "platform/win/kernel/Types.h"

#define LWA_COLORKEY 0x00000001
#define LWA_ALPHA 0x00000002

// Keeps crKey (with LWA_COLORKEY: pixels of exactly that colour are fully
// transparent) and bAlpha (with LWA_ALPHA: 0 transparent .. 255 opaque).
// Fails with ERROR_INVALID_WINDOW_HANDLE for a bad window and
// ERROR_INVALID_PARAMETER when the window lacks WS_EX_LAYERED or dwFlags has
// other bits.
BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags);
// What the last SetLayeredWindowAttributes kept; any out pointer may be
// NULL. Fails (ERROR_INVALID_PARAMETER) for a window without WS_EX_LAYERED or
// whose attributes were never set.
BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* pcrKey, BYTE* pbAlpha, DWORD* pdwFlags);
