// The default window procedure.
#include <algorithm>
#include <cstring>

#include "platform/win/user/Cursor.h"
#include "platform/win/user/MoveLoop.h"
#include "platform/win/user/Paint.h"
#include "platform/win/user/WindowManager.h"

using wavorel::Window;

namespace {

void setText(Window& w, LPCSTR text) {
  w.text = text ? text : "";
  wavorel::publishWindow(w);
}

}  // namespace

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto w = wavorel::WindowManager::instance().find(hwnd);
  if (!w) return 0;
  LRESULT painted = 0;
  if (wavorel::defaultPaintMessage(hwnd, msg, wParam, lParam, &painted)) return painted;
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
      if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
      return TRUE;
    }
    case WM_SETTEXT:
      setText(*w, reinterpret_cast<LPCSTR>(lParam));
      return TRUE;
    case WM_GETTEXT: {
      auto* out = reinterpret_cast<LPSTR>(lParam);
      if (out == nullptr || wParam == 0) return 0;
      size_t n = std::min(w->text.size(), static_cast<size_t>(wParam) - 1);
      std::memcpy(out, w->text.data(), n);
      out[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_WINDOWPOSCHANGED: {
      auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (wp == nullptr) return 0;
      if (!(wp->flags & SWP_NOCLIENTMOVE)) {
        RECT f = w->frame();
        POINT origin{w->rect.left + f.left, w->rect.top + f.top};
        wavorel::sendTo(w, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
      }
      if (!(wp->flags & SWP_NOCLIENTSIZE) && w->alive()) {
        WPARAM kind = (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
        RECT c = w->clientRect();
        wavorel::sendTo(w, WM_SIZE, kind, MAKELPARAM(c.right, c.bottom));
      }
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) SetFocus(hwnd);
      return 0;
    case WM_CANCELMODE:
      if (GetCapture() == hwnd) ReleaseCapture();
      return 0;
    case WM_SETREDRAW:
      // Only the flag changes: nothing is shown, hidden or painted.
      if (wParam)
        w->style |= WS_VISIBLE;
      else
        w->style &= ~WS_VISIBLE;
      return 0;
    case WM_SETICON: {
      if (wParam > ICON_BIG) return 0;
      HICON old = w->icons[wParam];
      w->icons[wParam] = reinterpret_cast<HICON>(lParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON:
      return wParam > ICON_BIG ? 0 : reinterpret_cast<LRESULT>(w->icons[wParam]);
    case WM_MOUSEWHEEL:
      // A child that does not scroll hands the wheel to its parent.
      return (w->style & WS_CHILD) && w->parent ? SendMessage(w->parent, msg, wParam, lParam) : 0;
    case WM_NCLBUTTONDOWN:
      // A press on the caption moves the window.
      if (wParam == HTCAPTION) SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MOVE: wavorel::runMoveLoop(hwnd); break;
        case SC_CLOSE: SendMessage(hwnd, WM_CLOSE, 0, 0); break;
        case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); break;
        case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); break;
        case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
        default: break;
      }
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_SETCURSOR: {
      // The parent decides first; in the client area the class cursor (if
      // any) is set, and a child's own class cursor comes last.
      if ((w->style & WS_CHILD) && w->parent && SendMessage(w->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
      auto cursor = reinterpret_cast<HCURSOR>(GetClassLongPtr(hwnd, GCLP_HCURSOR));
      if (LOWORD(lParam) == HTCLIENT && cursor) SetCursor(cursor);
      return FALSE;
    }
    default:
      return 0;
  }
}
