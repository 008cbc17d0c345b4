// The keyboard interface of dialogs: Tab and Shift+Tab over the tab stops,
// the arrow keys inside a group, Enter for the default button and Escape for
// Cancel.
#include <vector>

#include "platform/win/user/Dialog.h"
#include "platform/win/user/DialogState.h"
#include "platform/win/user/Input.h"

namespace {

DWORD styleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }

// Visible and enabled by its own style (the dialog itself may still be hidden).
bool usable(HWND control) { return (styleOf(control) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE; }

// The controls of a dialog in creation order; a child that is a control
// parent (WS_EX_CONTROLPARENT) stands for its own controls.
void collectControls(HWND parent, std::vector<HWND>& out) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if ((GetWindowLong(c, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && usable(c))
      collectControls(c, out);
    else
      out.push_back(c);
  }
}

// The next control of `list` after `index` (before it when `previous`),
// going round, that `accept` takes; `index` itself is tried last.
template <typename Accept>
HWND nextInRing(const std::vector<HWND>& list, size_t index, bool previous, Accept accept) {
  size_t n = list.size();
  for (size_t step = 1; step <= n; ++step) {
    size_t i = previous ? (index + n - step % n) % n : (index + step) % n;
    if (accept(list[i])) return list[i];
  }
  return nullptr;
}

size_t indexOf(const std::vector<HWND>& list, HWND hwnd) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == hwnd) return i;
  return list.size();
}

void clickWith(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (button && !IsWindowEnabled(button)) return;
  SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// Enter: the focused push button, else the default button, else IDOK.
void pressEnter(HWND dialog, HWND focus, UINT code) {
  if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
    clickWith(dialog, GetDlgCtrlID(focus));
    return;
  }
  LRESULT def = SendMessage(dialog, DM_GETDEFID, 0, 0);
  clickWith(dialog, HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK);
}

// A WM_KEYDOWN the dialog handles itself; false leaves it to the control.
bool dialogKey(HWND dialog, const MSG& msg) {
  HWND focus = msg.hwnd == dialog ? nullptr : msg.hwnd;
  UINT code = focus ? wavorel::dialogCode(focus, &msg) : 0;
  if (code & DLGC_WANTMESSAGE) return false;
  switch (msg.wParam) {
    case VK_TAB: {
      if (code & DLGC_WANTTAB) return false;
      HWND next = GetNextDlgTabItem(dialog, focus, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
      if (next) wavorel::setDialogFocus(dialog, next);
      return true;
    }
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
      if ((code & DLGC_WANTARROWS) || focus == nullptr) return false;
      HWND next = GetNextDlgGroupItem(dialog, focus, msg.wParam == VK_LEFT || msg.wParam == VK_UP);
      if (next == nullptr || next == focus) return true;
      UINT nextCode = wavorel::dialogCode(next);
      wavorel::setDialogFocus(dialog, next);
      if (nextCode & DLGC_RADIOBUTTON) SendMessage(next, BM_CLICK, 0, 0);
      return true;
    }
    case VK_RETURN:
      pressEnter(dialog, focus, code);
      return true;
    case VK_ESCAPE:
      clickWith(dialog, IDCANCEL);
      return true;
    default:
      return false;
  }
}

}  // namespace

namespace wavorel {

void setDialogFocus(HWND, HWND control) {
  if (dialogCode(control) & DLGC_HASSETSEL) SendMessage(control, EM_SETSEL, 0, -1);
  SetFocus(control);
}

}  // namespace wavorel

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  if (!IsWindow(dialog)) return nullptr;
  std::vector<HWND> list;
  collectControls(dialog, list);
  if (list.empty()) return nullptr;
  size_t index = indexOf(list, control);
  if (index == list.size()) {
    control = nullptr;
    index = previous ? 0 : list.size() - 1;
  }
  HWND next = nextInRing(list, index, previous != FALSE,
                         [](HWND c) { return (styleOf(c) & WS_TABSTOP) && usable(c); });
  return next ? next : control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  if (!IsWindow(dialog)) return nullptr;
  if (control == nullptr || !IsChild(dialog, control)) control = GetWindow(dialog, GW_CHILD);
  if (control == nullptr) return nullptr;
  std::vector<HWND> siblings;
  for (HWND c = GetWindow(GetParent(control), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) siblings.push_back(c);
  size_t index = indexOf(siblings, control);
  size_t first = index;
  while (first > 0 && !(styleOf(siblings[first]) & WS_GROUP)) --first;
  size_t end = index + 1;
  while (end < siblings.size() && !(styleOf(siblings[end]) & WS_GROUP)) ++end;
  std::vector<HWND> group(siblings.begin() + static_cast<std::ptrdiff_t>(first),
                          siblings.begin() + static_cast<std::ptrdiff_t>(end));
  HWND next = nextInRing(group, index - first, previous != FALSE, usable);
  return next ? next : control;
}

BOOL IsDialogMessage(HWND dialog, LPMSG msg) {
  if (msg == nullptr || dialog == nullptr || !IsWindow(dialog)) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  if (msg->message == WM_KEYDOWN && dialogKey(dialog, *msg)) return TRUE;
  TranslateMessage(msg);
  DispatchMessage(msg);
  return TRUE;
}
