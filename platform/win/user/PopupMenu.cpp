#include "platform/win/user/PopupMenu.h"

#include <algorithm>

#include "platform/win/user/Paint.h"
#include "platform/win/user/ClassRegistry.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/user/MenuObject.h"
#include "platform/win/user/ModalLoop.h"
#include "platform/win/kernel/PlatformLog.h"

namespace wavorel {

namespace {

thread_local PopupMenu* t_active = nullptr;

constexpr int kMaxDepth = 16;
constexpr LONG kSeparatorHeight = 9;

// The chain of (menu, position) from the tracked menu to the item with
// command `id` (a command item, not one that opens a submenu).
bool pathTo(HMENU menu, UINT id, int depth, std::vector<std::pair<HMENU, size_t>>& path) {
  auto m = MenuObject::find(menu);
  if (!m || depth > kMaxDepth) return false;
  for (size_t i = 0; i < m->items.size(); ++i) {
    const MenuItem& item = m->items[i];
    path.emplace_back(menu, i);
    if (item.subMenu ? pathTo(item.subMenu, id, depth + 1, path) : (!item.isSeparator() && item.id == id)) return true;
    path.pop_back();
  }
  return false;
}

LONG textWidth(const std::string& text) { return static_cast<LONG>(text.size()) * 7 + 40; }

}  // namespace

void PopupMenu::measure(HMENU menu) {
  auto m = MenuObject::find(menu);
  if (!m) return;
  for (size_t i = 0; i < m->items.size(); ++i) {
    const MenuItem& item = m->items[i];
    if (!(item.type & MFT_OWNERDRAW) || item.measured) continue;
    MEASUREITEMSTRUCT mis{ODT_MENU, 0, item.id, 0, static_cast<UINT>(GetSystemMetrics(SM_CYMENU)), item.data};
    SendMessage(owner_, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    if (i < m->items.size()) {
      m->items[i].measured = true;
      m->items[i].size = {static_cast<LONG>(mis.itemWidth), static_cast<LONG>(mis.itemHeight)};
    }
  }
}

SIZE PopupMenu::layout() {
  rects_.clear();
  auto m = MenuObject::find(menu_);
  if (!m) return {0, 0};
  LONG width = 0, top = 0;
  for (const MenuItem& item : m->items) {
    SIZE size{textWidth(item.text), GetSystemMetrics(SM_CYMENU)};
    if (item.type & MFT_OWNERDRAW)
      size = item.size;
    else if (item.isSeparator())
      size = {0, kSeparatorHeight};
    width = std::max(width, size.cx);
    rects_.push_back({0, top, 0, top + size.cy});
    top += size.cy;
  }
  for (RECT& r : rects_) r.right = width;
  return {width, top};
}

void PopupMenu::describe(HMENU menu, ModalWindow& window, int depth) const {
  auto m = MenuObject::find(menu);
  if (!m || depth > kMaxDepth) return;
  for (const MenuItem& item : m->items) {
    if (item.subMenu) {
      describe(item.subMenu, window, depth + 1);
    } else if (!item.isSeparator()) {
      window.buttons.push_back(static_cast<int>(item.id));
      window.labels.push_back(item.text);
    }
  }
}

bool PopupMenu::choose(UINT id) {
  std::vector<std::pair<HMENU, size_t>> path;
  if (!pathTo(menu_, id, 0, path)) {
    wavorel::logNote("popup menu has no command %u", id);
    return false;
  }
  // Open the submenus on the way, as the user would by hovering over them.
  for (size_t step = 1; step < path.size(); ++step) {
    HMENU sub = GetSubMenu(path[step - 1].first, static_cast<int>(path[step - 1].second));
    if (notify())
      SendMessage(owner_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub),
                  MAKELPARAM(static_cast<WORD>(path[step - 1].second), FALSE));
    measure(sub);
  }
  // The owner may have changed the items while they opened.
  path.clear();
  MenuItemRef ref;
  if (ended_ || !pathTo(menu_, id, 0, path) || !findMenuItem(path.back().first, static_cast<UINT>(path.back().second), true, ref))
    return false;
  if (ref.item().state & MFS_GRAYED) {
    wavorel::logNote("popup menu command %u is grayed; not chosen", id);
    return false;
  }
  if (notify())
    SendMessage(owner_, WM_MENUSELECT, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(ref.item().flags())),
                reinterpret_cast<LPARAM>(ref.handle));
  end(id);
  return true;
}

void PopupMenu::drawItems(HDC dc) {
  auto m = MenuObject::find(menu_);
  if (!m) return;
  for (size_t i = 0; i < m->items.size() && i < rects_.size(); ++i) {
    const MenuItem& item = m->items[i];
    if (!(item.type & MFT_OWNERDRAW)) {
      drawItem(dc, item, rects_[i]);
      continue;
    }
    UINT state = 0;
    if (item.state & MFS_HILITE) state |= ODS_SELECTED;
    if (item.state & MF_GRAYED) state |= ODS_GRAYED;
    if (item.state & MF_DISABLED) state |= ODS_DISABLED;
    if (item.state & MFS_CHECKED) state |= ODS_CHECKED;
    if (item.state & MFS_DEFAULT) state |= ODS_DEFAULT;
    DRAWITEMSTRUCT dis{ODT_MENU, 0, item.id, ODA_DRAWENTIRE, state, reinterpret_cast<HWND>(menu_), dc, rects_[i],
                       item.data};
    SendMessage(owner_, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    m = MenuObject::find(menu_);  // the owner may have destroyed the menu
    if (!m) return;
  }
}

UINT PopupMenu::commandAt(POINT pt) const {
  auto m = MenuObject::find(menu_);
  if (!m) return 0;
  for (size_t i = 0; i < m->items.size() && i < rects_.size(); ++i) {
    const RECT& r = rects_[i];
    const MenuItem& item = m->items[i];
    if (pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom)
      return item.subMenu || item.isSeparator() ? 0 : item.id;
  }
  return 0;
}

void PopupMenu::end(UINT command) {
  ended_ = true;
  command_ = command;
}

LRESULT CALLBACK PopupMenu::proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* menu = reinterpret_cast<PopupMenu*>(GetWindowLongPtr(hwnd, 0));
  if (!menu || menu->ended_) return DefWindowProc(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_PRINTCLIENT:
      menu->drawItems(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_PAINT:
      return paintThroughPrintClient(hwnd);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
      RECT client;
      GetClientRect(hwnd, &client);
      POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (pt.x < client.left || pt.x >= client.right || pt.y < client.top || pt.y >= client.bottom) menu->end(0);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (msg == WM_LBUTTONUP || (menu->flags_ & TPM_RIGHTBUTTON)) {
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (UINT id = menu->commandAt(pt)) menu->choose(id);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != hwnd) menu->end(0);
      return 0;
    case WM_CANCELMODE:
      menu->end(0);
      return 0;
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

LRESULT CALLBACK PopupMenu::keyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code < 0 || !t_active) return CallNextHookEx(nullptr, code, wParam, lParam);
  // While the menu is open it takes every key; Escape (pressed) closes it.
  bool pressed = (static_cast<DWORD_PTR>(lParam) & 0x80000000u) == 0;
  if (code == HC_ACTION && pressed && wParam == VK_ESCAPE) t_active->end(0);
  return 1;
}

bool PopupMenu::registerClass() {
  if (ClassRegistry::instance().find(kClassName)) return true;
  WNDCLASS wc{};
  wc.style = CS_SAVEBITS | CS_DROPSHADOW;
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = sizeof(void*);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
  wc.lpszClassName = kClassName;
  return RegisterClass(&wc) != 0;
}

UINT PopupMenu::track(HMENU menu, UINT flags, int x, int y, HWND owner) {
  if (!MenuObject::find(menu)) return 0;
  if (!IsWindow(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (t_active) {
    SetLastError(ERROR_POPUP_ALREADY_ACTIVE);
    return 0;
  }
  if (!registerClass()) return 0;
  PopupMenu popup(menu, flags, owner);
  t_active = &popup;
  struct Reset {
    ~Reset() { t_active = nullptr; }
  } reset;

  if (popup.notify()) SendMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, FALSE));
  if (!MenuObject::find(menu) || !IsWindow(owner)) return 0;
  popup.measure(menu);
  SIZE size = popup.layout();
  size.cx += 2;  // the WS_BORDER frame
  size.cy += 2;
  if (flags & TPM_CENTERALIGN) x -= size.cx / 2;
  else if (flags & TPM_RIGHTALIGN) x -= size.cx;
  if (flags & TPM_VCENTERALIGN) y -= size.cy / 2;
  else if (flags & TPM_BOTTOMALIGN) y -= size.cy;
  x = std::max(0, std::min(x, GetSystemMetrics(SM_CXSCREEN) - size.cx));
  y = std::max(0, std::min(y, GetSystemMetrics(SM_CYSCREEN) - size.cy));

  popup.hwnd_ = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, "", WS_POPUP | WS_BORDER, x, y,
                               size.cx, size.cy, owner, nullptr, nullptr, nullptr);
  if (!popup.hwnd_) return 0;
  SetWindowLongPtr(popup.hwnd_, 0, reinterpret_cast<LONG_PTR>(&popup));
  ShowWindow(popup.hwnd_, SW_SHOWNOACTIVATE);
  SetCapture(popup.hwnd_);
  HHOOK hook = SetWindowsHookEx(WH_KEYBOARD, keyboardHook, nullptr, 0);

  ModalWindow shown;
  shown.hwnd = popup.hwnd_;
  shown.kind = ModalWindow::Kind::Menu;
  popup.describe(menu, shown, 0);
  UINT def = GetMenuDefaultItem(menu, FALSE, 0);
  shown.defaultButton = def == static_cast<UINT>(-1) ? 0 : static_cast<int>(def);
  if (int answer = answerModal(shown))
    popup.choose(static_cast<UINT>(answer));
  else if (!hasModalResponder())
    popup.end(0);  // nobody there to choose
  runModalLoop(popup.hwnd_, [&popup] { return popup.ended_; });

  if (hook) UnhookWindowsHookEx(hook);
  if (IsWindow(popup.hwnd_)) {
    popup.ended_ = true;  // the window's procedure stops answering
    if (GetCapture() == popup.hwnd_) ReleaseCapture();
    DestroyWindow(popup.hwnd_);
  }
  if (popup.notify() && IsWindow(owner)) SendMessage(owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  return IsWindow(owner) ? popup.command_ : 0;
}

}  // namespace wavorel

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS) {
  UINT command = wavorel::PopupMenu::track(menu, flags, x, y, owner);
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(command);
  if (command == 0) return FALSE;
  PostMessage(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command), 0), 0);
  return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}
