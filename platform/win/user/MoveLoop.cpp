#include "platform/win/user/MoveLoop.h"

#include "platform/win/user/Input.h"
#include "platform/win/user/ModalLoop.h"
#include "platform/win/user/MouseTracking.h"

namespace wavorel {

namespace {

bool isKeyMessage(UINT msg) { return msg >= WM_KEYFIRST && msg <= WM_KEYLAST; }
bool isMouseMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST; }

// Puts the window's top-left corner at `screen` (a screen rectangle).
void place(HWND hwnd, HWND parent, const RECT& screen) {
  POINT topLeft{screen.left, screen.top};
  if (parent) ScreenToClient(parent, &topLeft);
  SetWindowPos(hwnd, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void runMoveLoop(HWND hwnd) {
  if (!IsWindow(hwnd) || !(mouseKeys() & MK_LBUTTON)) return;
  RECT start;
  GetWindowRect(hwnd, &start);
  const DWORD pressed = GetMessagePos();
  const POINT from{GET_X_LPARAM(pressed), GET_Y_LPARAM(pressed)};
  const HWND parent = (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr;

  SetCapture(hwnd);
  SendMessage(hwnd, WM_ENTERSIZEMOVE, 0, 0);
  bool ended = false;
  auto follow = [&](POINT at) {
    const LONG dx = at.x - from.x, dy = at.y - from.y;
    RECT moved{start.left + dx, start.top + dy, start.right + dx, start.bottom + dy};
    SendMessage(hwnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&moved));
    if (IsWindow(hwnd)) place(hwnd, parent, moved);
  };
  auto take = [&](MSG& msg) {
    if (msg.message == WM_MOUSEMOVE) {
      follow(msg.pt);
    } else if (msg.message == WM_LBUTTONUP) {
      ended = true;
    } else if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
      if (msg.wParam == VK_ESCAPE) place(hwnd, parent, start);
      ended = ended || msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN;
    } else if (!isMouseMessage(msg.message) && !isKeyMessage(msg.message)) {
      return false;
    }
    return true;
  };
  if (GetCapture() == hwnd) runModalLoop(hwnd, [&] { return ended || GetCapture() != hwnd; }, take);

  if (GetCapture() == hwnd) ReleaseCapture();
  if (IsWindow(hwnd)) SendMessage(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace wavorel
