// What the default looks of the controls share: the font a control was given
// (WM_GETFONT), the colours its parent chooses (WM_CTLCOLOR*), and labels.
#pragma once

#include <string>

#include "platform/win/user/Paint.h"
#include "platform/win/kernel/Types.h"

namespace wavorel {

// Prepares `dc` for drawing `control`: selects its font, sets transparent
// text, and asks the parent for the colours with `message` (WM_CTLCOLOR*;
// WM_NULL asks nobody). Where the parent answers nothing, the default window
// procedure's colours for `fallback` hold. Returns the background brush.
HBRUSH prepareControlDc(HWND control, HDC dc, UINT message, UINT fallback);
// The same, asking `colourOwner` in place of the parent.
HBRUSH prepareControlDc(HWND control, HDC dc, UINT message, UINT fallback, HWND colourOwner);

// The window's text.
std::string windowText(HWND hwnd);
// Text in `rect` with DrawText's `format`; a disabled control's text is
// grey (COLOR_GRAYTEXT).
void drawControlText(HWND control, HDC dc, const std::string& text, RECT rect, UINT format);

}  // namespace wavorel

namespace wavorel {

// A bitmap or icon (IMAGE_BITMAP / IMAGE_ICON) centred in `rect`.
void drawImageCentred(HDC dc, HANDLE image, UINT type, const RECT& rect);

}  // namespace wavorel
