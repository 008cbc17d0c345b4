// Mouse input and mouse tracking.
//
// The mouse input path (wavorel::mouseMoveTo; the X display reports its
// pointer through wavorel::mouseAt) moves the cursor that GetCursorPos reads.
// TrackMouseEvent asks for WM_MOUSELEAVE when the cursor leaves a window's
// client area (moving onto a child window leaves the parent) and for
// WM_MOUSEHOVER when it rests within the hover rectangle
// (SPI_GETMOUSEHOVERWIDTH x SPI_GETMOUSEHOVERHEIGHT around where it came to
// rest) for the hover time on the platform clock. One window is tracked at a
// time, as there is one mouse: a request for another window replaces the
// tracking. A leave ends all tracking; a hover ends hover tracking only.
// The hover timer is a private timer of the tracked window whose callback
// runs on the window's thread.
#pragma once

#include "platform/win/user/Input.h"
#include "platform/win/user/User.h"

#define TME_HOVER 0x00000001
#define TME_LEAVE 0x00000002
#define TME_QUERY 0x40000000
#define TME_CANCEL 0x80000000
#define HOVER_DEFAULT 0xFFFFFFFF

struct TRACKMOUSEEVENT {
  DWORD cbSize;
  DWORD dwFlags;
  HWND hwndTrack;
  DWORD dwHoverTime;
};
typedef TRACKMOUSEEVENT* LPTRACKMOUSEEVENT;

// TME_HOVER and TME_LEAVE for a window of the calling thread; TME_CANCEL with
// either ends that kind of tracking; TME_QUERY fills the structure with the
// current tracking (the real hover time in place of HOVER_DEFAULT). A leave
// request while the cursor is not over the window's client area posts
// WM_MOUSELEAVE at once and tracks nothing; a hover request then is ignored.
// FALSE with ERROR_INVALID_PARAMETER for a wrong size or other flags (there
// is no non-client tracking).
BOOL TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack);

namespace wavorel {

// The mouse is at `screen`: moves the cursor there, posts WM_MOUSELEAVE to a
// tracked window it left and restarts the hover time when it moved out of
// the hover rectangle. `keys` (MK_ flags) go with a later WM_MOUSEHOVER.
void mouseAt(POINT screen, WPARAM keys = 0);

// Moves the mouse to `screen` (as mouseAt), then, for the window under it
// (or the capture), sends WM_SETCURSOR (HTCLIENT; not while the mouse is
// captured) and posts WM_MOUSEMOVE with `keys` and the point in its client
// coordinates. Returns that window (NULL: none of this process).
HWND mouseMoveTo(POINT screen, WPARAM keys = 0);
// The same for a point of `hwnd`'s client area.
HWND mouseMoveTo(HWND hwnd, POINT client, WPARAM keys = 0);

// The MK_ flags (buttons and keys) of the last mouse input.
WPARAM mouseKeys();

}  // namespace wavorel
