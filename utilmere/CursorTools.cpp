// Mouse tracking and the wait cursor.
#include "utilmere/WindowTools.h"

namespace {

// The cursor SetWaitCursor replaced, until RestoreCursor brings it back.
HCURSOR g_savedCursor = nullptr;

}  // namespace

void TrackMouseEvent(CWnd* window) {
  if (window == nullptr || !::IsWindow(window->m_hWnd)) return;
  TRACKMOUSEEVENT track = {};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = window->m_hWnd;
  track.dwHoverTime = HOVER_DEFAULT;
  ::TrackMouseEvent(&track);
}

void SetWaitCursor() { g_savedCursor = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT)); }

void RestoreCursor() {
  ::SetCursor(g_savedCursor != nullptr ? g_savedCursor : ::LoadCursor(nullptr, IDC_ARROW));
  g_savedCursor = nullptr;
}
