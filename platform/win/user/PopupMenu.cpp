#include "platform/win/user/PopupMenu.h"

#include <algorithm>
#include <cctype>

#include "platform/win/gdi/Gdi.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/user/ClassRegistry.h"
#include "platform/win/user/MenuObject.h"
#include "platform/win/user/ModalLoop.h"
#include "platform/win/kernel/PlatformLog.h"
#include "platform/win/user/Paint.h"

namespace wavorel {

namespace {

thread_local PopupMenu* t_active = nullptr;

constexpr int kMaxDepth = 16;
constexpr LONG kSeparatorHeight = 9;
constexpr LONG kKeysGap = 24;      // between an item's text and its accelerator text
constexpr UINT_PTR kScrollTimer = 0x7FFFA2A2;
constexpr UINT kScrollMs = 50;
constexpr int kWheelRows = 3;

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

// The item's mnemonic: the character after a single '&' in its text (before
// the accelerator text), lower case; 0 for none.
char mnemonicOf(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size() && text[i] != '\t'; ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
    ++i;  // "&&" is a literal ampersand
  }
  return 0;
}

bool selectable(const MenuItem& item) { return !item.isSeparator() && !(item.state & (MF_GRAYED | MF_DISABLED)); }

// The highlighted item of a menu carries MFS_HILITE (GetMenuState shows it);
// -1 clears it from every item.
void markHilite(HMENU menu, int index) {
  auto m = MenuObject::find(menu);
  if (!m) return;
  for (size_t i = 0; i < m->items.size(); ++i) {
    if (static_cast<int>(i) == index)
      m->items[i].state |= MFS_HILITE;
    else
      m->items[i].state &= ~static_cast<UINT>(MFS_HILITE);
  }
}

bool contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

POINT screenPoint(HWND hwnd, LPARAM lParam) {
  POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ClientToScreen(hwnd, &p);
  return p;
}

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

SIZE PopupMenu::layout(Level& level) const {
  level.rects.clear();
  auto m = MenuObject::find(level.menu);
  if (!m) return {0, 0};
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRIC tm{};
  GetTextMetrics(dc, &tm);
  LONG rowHeight = std::max<LONG>(GetSystemMetrics(SM_CYMENU), tm.tmHeight + 4);
  level.rowHeight = rowHeight;
  auto extent = [dc](const std::string& text) {
    RECT r{0, 0, 0, 0};
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    return r.right - r.left;
  };
  LONG width = 0, top = 0;
  for (const MenuItem& item : m->items) {
    SIZE size{0, rowHeight};
    if (item.type & MFT_OWNERDRAW) {
      size = item.size;
    } else if (item.isSeparator()) {
      size = {0, kSeparatorHeight};
    } else {
      SelectObject(dc, itemFont(item));
      size_t tab = item.text.find('\t');
      size.cx = extent(item.text.substr(0, tab)) + 2 * kGutter;
      if (tab != std::string::npos) size.cx += kKeysGap + extent(item.text.substr(tab + 1));
    }
    width = std::max(width, size.cx);
    level.rects.push_back({0, top, 0, top + size.cy});
    top += size.cy;
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  for (RECT& r : level.rects) r.right = width;
  return {width, top};
}

bool PopupMenu::open(HMENU menu, POINT at, const RECT* beside) {
  if (levels_.size() > static_cast<size_t>(kMaxDepth)) return false;
  measure(menu);
  Level level;
  level.menu = menu;
  SIZE content = layout(level);
  const LONG screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const LONG border = 2;  // the WS_BORDER frame, both sides
  level.contentHeight = content.cy;
  level.scrolls = content.cy + border > screenHeight;
  level.viewHeight = level.scrolls ? screenHeight - border : content.cy;
  const LONG cx = std::min(content.cx + border, screenWidth), cy = level.viewHeight + border;

  LONG x = at.x, y = at.y;
  if (beside) {
    // Beside the item that opens it: to the right, else to the left.
    x = beside->right + cx <= screenWidth ? beside->right : beside->left - cx;
    y = beside->top - 1;
  } else {
    if (flags_ & TPM_CENTERALIGN)
      x -= cx / 2;
    else if (flags_ & TPM_RIGHTALIGN)
      x -= cx;
    if (flags_ & TPM_VCENTERALIGN)
      y -= cy / 2;
    else if (flags_ & TPM_BOTTOMALIGN)
      y -= cy;
    // A menu that does not fit opens to the other side of the point.
    if (x + cx > screenWidth && x - cx >= 0) x -= cx;
    if (y + cy > screenHeight && y - cy >= 0) y -= cy;
  }
  x = std::max<LONG>(0, std::min(x, screenWidth - cx));
  y = std::max<LONG>(0, std::min(y, screenHeight - cy));

  level.hwnd = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kClassName, "", WS_POPUP | WS_BORDER, x, y, cx, cy,
                              owner_, nullptr, nullptr, nullptr);
  if (!level.hwnd) return false;
  SetWindowLongPtr(level.hwnd, 0, reinterpret_cast<LONG_PTR>(this));
  levels_.push_back(level);
  ShowWindow(level.hwnd, SW_SHOWNOACTIVATE);
  return true;
}

void PopupMenu::closeFrom(size_t depth) {
  while (levels_.size() > depth) {
    HWND hwnd = levels_.back().hwnd;
    markHilite(levels_.back().menu, -1);
    levels_.pop_back();
    if (IsWindow(hwnd)) {
      SetWindowLongPtr(hwnd, 0, 0);
      DestroyWindow(hwnd);
    }
  }
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
  HMENU top = levels_.empty() ? nullptr : levels_.front().menu;
  std::vector<std::pair<HMENU, size_t>> path;
  if (!pathTo(top, id, 0, path)) {
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
  if (ended_ || !pathTo(top, id, 0, path) ||
      !findMenuItem(path.back().first, static_cast<UINT>(path.back().second), true, ref))
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

void PopupMenu::end(UINT command) {
  ended_ = true;
  command_ = command;
  // A key taken by the hook ends the menu while its loop waits for the next
  // message: wake the loop so that it sees the end.
  if (!levels_.empty() && levels_.front().hwnd) PostMessage(levels_.front().hwnd, WM_NULL, 0, 0);
}

int PopupMenu::levelOf(HWND hwnd) const {
  for (size_t i = 0; i < levels_.size(); ++i)
    if (levels_[i].hwnd == hwnd) return static_cast<int>(i);
  return -1;
}

int PopupMenu::levelAt(POINT screen) const {
  for (size_t i = levels_.size(); i-- > 0;) {
    RECT r;
    if (GetWindowRect(levels_[i].hwnd, &r) && contains(r, screen)) return static_cast<int>(i);
  }
  return -1;
}

RECT PopupMenu::itemRect(const Level& level, int index) const {
  RECT r = level.rects[static_cast<size_t>(index)];
  if (level.scrolls) {
    r.top += kArrowHeight - level.scroll;
    r.bottom += kArrowHeight - level.scroll;
  }
  return r;
}

int PopupMenu::itemAt(const Level& level, POINT client) const {
  if (level.scrolls && (client.y < kArrowHeight || client.y >= level.viewHeight - kArrowHeight)) return -1;
  for (size_t i = 0; i < level.rects.size(); ++i)
    if (contains(itemRect(level, static_cast<int>(i)), client)) return static_cast<int>(i);
  return -1;
}

int PopupMenu::nextItem(const Level& level, int from, int step) const {
  auto m = MenuObject::find(level.menu);
  if (!m || m->items.empty()) return -1;
  const int n = static_cast<int>(m->items.size());
  for (int k = 1; k <= n; ++k) {
    int i = ((from + step * k) % n + n) % n;
    if (!m->items[static_cast<size_t>(i)].isSeparator()) return i;
  }
  return -1;
}

void PopupMenu::setHot(size_t depth, int index) {
  Level& level = levels_[depth];
  if (level.hot == index) return;
  if (level.hot >= 0) {
    RECT old = itemRect(level, level.hot);
    InvalidateRect(level.hwnd, &old, TRUE);
  }
  level.hot = index;
  markHilite(level.menu, index);
  if (index < 0) return;
  RECT now = itemRect(level, index);
  InvalidateRect(level.hwnd, &now, TRUE);
  if (level.scrolls) {
    const RECT& r = level.rects[static_cast<size_t>(index)];
    LONG view = level.viewHeight - 2 * kArrowHeight;
    if (r.top < level.scroll)
      scrollBy(depth, r.top - level.scroll);
    else if (r.bottom > level.scroll + view)
      scrollBy(depth, r.bottom - level.scroll - view);
  }
  auto m = MenuObject::find(level.menu);
  if (!notify() || !m || static_cast<size_t>(index) >= m->items.size()) return;
  const MenuItem& item = m->items[static_cast<size_t>(index)];
  WORD what = static_cast<WORD>(item.subMenu ? static_cast<UINT>(index) : item.id);
  SendMessage(owner_, WM_MENUSELECT, MAKEWPARAM(what, static_cast<WORD>(item.flags() | MF_HILITE)),
              reinterpret_cast<LPARAM>(level.menu));
}

void PopupMenu::scrollBy(size_t depth, LONG pixels) {
  Level& level = levels_[depth];
  LONG most = std::max<LONG>(0, level.contentHeight - (level.viewHeight - 2 * kArrowHeight));
  LONG scroll = std::max<LONG>(0, std::min(level.scroll + pixels, most));
  if (scroll == level.scroll) return;
  level.scroll = scroll;
  InvalidateRect(level.hwnd, nullptr, TRUE);
}

void PopupMenu::activate(size_t depth, int index, bool fromKeyboard) {
  auto m = MenuObject::find(levels_[depth].menu);
  if (!m || index < 0 || static_cast<size_t>(index) >= m->items.size()) return;
  const MenuItem item = m->items[static_cast<size_t>(index)];
  if (!selectable(item)) return;
  if (!item.subMenu) {
    if (notify())
      SendMessage(owner_, WM_MENUSELECT,
                  MAKEWPARAM(static_cast<WORD>(item.id), static_cast<WORD>(item.flags() & ~static_cast<UINT>(MF_HILITE))),
                  reinterpret_cast<LPARAM>(levels_[depth].menu));
    end(item.id);
    return;
  }
  if (levels_.size() <= depth + 1 || levels_[depth + 1].menu != item.subMenu) {
    closeFrom(depth + 1);
    if (notify())
      SendMessage(owner_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(item.subMenu),
                  MAKELPARAM(static_cast<WORD>(index), FALSE));
    if (ended_ || !MenuObject::find(item.subMenu) || depth >= levels_.size() ||
        static_cast<size_t>(index) >= levels_[depth].rects.size())
      return;
    RECT at = itemRect(levels_[depth], index);
    MapWindowPoints(levels_[depth].hwnd, nullptr, reinterpret_cast<POINT*>(&at), 2);
    RECT window;
    GetWindowRect(levels_[depth].hwnd, &window);
    at.left = window.left;
    at.right = window.right;
    if (!open(item.subMenu, POINT{0, 0}, &at)) return;
  }
  if (fromKeyboard) setHot(depth + 1, nextItem(levels_[depth + 1], -1, 1));
}

void PopupMenu::mouseMove(POINT screen) {
  int found = levelAt(screen);
  if (found < 0) {
    Level& inner = levels_.back();
    inner.scrolling = 0;
    setHot(levels_.size() - 1, -1);
    return;
  }
  auto depth = static_cast<size_t>(found);
  Level& level = levels_[depth];
  POINT client = screen;
  ScreenToClient(level.hwnd, &client);
  int scrolling = 0;
  if (level.scrolls && client.y < kArrowHeight) scrolling = -1;
  if (level.scrolls && client.y >= level.viewHeight - kArrowHeight) scrolling = 1;
  if (scrolling != level.scrolling) {
    level.scrolling = scrolling;
    if (scrolling)
      SetTimer(level.hwnd, kScrollTimer, kScrollMs, nullptr);
    else
      KillTimer(level.hwnd, kScrollTimer);
  }
  int index = itemAt(level, client);
  if (index == level.hot && (index >= 0 || levels_.size() == depth + 1)) return;
  setHot(depth, index);
  auto m = MenuObject::find(level.menu);
  bool opensSubmenu = m && index >= 0 && m->items[static_cast<size_t>(index)].subMenu;
  if (levels_.size() > depth + 1 &&
      !(opensSubmenu && levels_[depth + 1].menu == m->items[static_cast<size_t>(index)].subMenu))
    closeFrom(depth + 1);
  if (opensSubmenu) activate(depth, index, false);
}

void PopupMenu::buttonDown(POINT screen) {
  int depth = levelAt(screen);
  if (depth < 0) {
    end(0);
    return;
  }
  POINT client = screen;
  ScreenToClient(levels_[static_cast<size_t>(depth)].hwnd, &client);
  int index = itemAt(levels_[static_cast<size_t>(depth)], client);
  auto m = MenuObject::find(levels_[static_cast<size_t>(depth)].menu);
  if (m && index >= 0 && m->items[static_cast<size_t>(index)].subMenu) activate(static_cast<size_t>(depth), index, false);
}

void PopupMenu::buttonUp(POINT screen) {
  int depth = levelAt(screen);
  if (depth < 0) return;
  POINT client = screen;
  ScreenToClient(levels_[static_cast<size_t>(depth)].hwnd, &client);
  int index = itemAt(levels_[static_cast<size_t>(depth)], client);
  auto m = MenuObject::find(levels_[static_cast<size_t>(depth)].menu);
  if (m && index >= 0 && !m->items[static_cast<size_t>(index)].subMenu)
    activate(static_cast<size_t>(depth), index, false);
}

void PopupMenu::wheel(POINT screen, int delta) {
  int found = levelAt(screen);
  size_t depth = found < 0 ? levels_.size() - 1 : static_cast<size_t>(found);
  scrollBy(depth, -delta / WHEEL_DELTA * kWheelRows * levels_[depth].rowHeight);
}

void PopupMenu::keyDown(WPARAM key) {
  const size_t depth = levels_.size() - 1;
  const Level& level = levels_[depth];
  auto m = MenuObject::find(level.menu);
  const int count = m ? static_cast<int>(m->items.size()) : 0;
  switch (key) {
    case VK_UP: setHot(depth, nextItem(level, level.hot < 0 ? count : level.hot, -1)); break;
    case VK_DOWN: setHot(depth, nextItem(level, level.hot, 1)); break;
    case VK_HOME: setHot(depth, nextItem(level, -1, 1)); break;
    case VK_END: setHot(depth, nextItem(level, count, -1)); break;
    case VK_RIGHT:
      if (m && level.hot >= 0 && m->items[static_cast<size_t>(level.hot)].subMenu) activate(depth, level.hot, true);
      break;
    case VK_LEFT:
      if (depth > 0) closeFrom(depth);
      break;
    case VK_RETURN:
      if (level.hot >= 0) activate(depth, level.hot, true);
      break;
    case VK_ESCAPE:
      if (depth > 0)
        closeFrom(depth);
      else
        end(0);
      break;
    case VK_MENU: end(0); break;
    default: break;
  }
}

void PopupMenu::character(char ch) {
  const size_t depth = levels_.size() - 1;
  auto m = MenuObject::find(levels_[depth].menu);
  if (!m) return;
  const char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  std::vector<int> matches;
  for (size_t i = 0; i < m->items.size(); ++i)
    if (!m->items[i].isSeparator() && mnemonicOf(m->items[i].text) == wanted) matches.push_back(static_cast<int>(i));
  if (matches.empty()) {
    // No item has that mnemonic: the owner answers, as it must for
    // owner-drawn items.
    const LRESULT answer =
        SendMessage(owner_, WM_MENUCHAR, MAKEWPARAM(static_cast<WORD>(static_cast<BYTE>(wanted)), MF_POPUP),
                    reinterpret_cast<LPARAM>(levels_[depth].menu));
    const int position = static_cast<int>(LOWORD(answer));
    if (position < 0 || static_cast<size_t>(position) >= m->items.size() || m->items[static_cast<size_t>(position)].isSeparator())
      return;
    if (HIWORD(answer) == MNC_EXECUTE) {
      setHot(depth, position);
      activate(depth, position, true);
    } else if (HIWORD(answer) == MNC_SELECT) {
      setHot(depth, position);
    } else if (HIWORD(answer) == MNC_CLOSE) {
      end(0);
    }
    return;
  }
  if (matches.size() == 1) {
    setHot(depth, matches.front());
    activate(depth, matches.front(), true);
    return;
  }
  auto next = std::upper_bound(matches.begin(), matches.end(), levels_[depth].hot);
  setHot(depth, next == matches.end() ? matches.front() : *next);
}

LRESULT CALLBACK PopupMenu::proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* menu = reinterpret_cast<PopupMenu*>(GetWindowLongPtr(hwnd, 0));
  int depth = menu && !menu->ended_ ? menu->levelOf(hwnd) : -1;
  if (depth < 0) return DefWindowProc(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_PRINTCLIENT:
      menu->paint(reinterpret_cast<HDC>(wParam), menu->levels_[static_cast<size_t>(depth)]);
      return 0;
    case WM_PAINT: return paintThroughPrintClient(hwnd);
    case WM_MOUSEMOVE: menu->mouseMove(screenPoint(hwnd, lParam)); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: menu->buttonDown(screenPoint(hwnd, lParam)); return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (msg == WM_LBUTTONUP || (menu->flags_ & TPM_RIGHTBUTTON)) menu->buttonUp(screenPoint(hwnd, lParam));
      return 0;
    case WM_MOUSEWHEEL:
      menu->wheel(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))},
                  static_cast<short>(HIWORD(wParam)));
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: menu->keyDown(wParam); return 0;
    case WM_CHAR:
    case WM_SYSCHAR: menu->character(static_cast<char>(wParam)); return 0;
    case WM_TIMER:
      if (wParam == kScrollTimer) {
        const Level& level = menu->levels_[static_cast<size_t>(depth)];
        if (level.scrolling)
          menu->scrollBy(static_cast<size_t>(depth), level.scrolling * level.rowHeight);
        else
          KillTimer(hwnd, kScrollTimer);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (depth == 0 && reinterpret_cast<HWND>(lParam) != hwnd) menu->end(0);
      return 0;
    case WM_CANCELMODE: menu->end(0); return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

// While the menu is open it takes every key: the key messages go on to the
// top menu window, where the modal loop translates them (mnemonics arrive as
// WM_CHAR) and the menu handles them.
LRESULT CALLBACK PopupMenu::keyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code != HC_ACTION || !t_active || t_active->levels_.empty()) return CallNextHookEx(nullptr, code, wParam, lParam);
  auto flags = static_cast<DWORD_PTR>(lParam);
  bool released = (flags & 0x80000000u) != 0;
  bool alt = (flags & 0x20000000u) != 0;
  UINT msg = alt ? (released ? WM_SYSKEYUP : WM_SYSKEYDOWN) : (released ? WM_KEYUP : WM_KEYDOWN);
  PostMessage(t_active->levels_.front().hwnd, msg, wParam, lParam);
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
  PopupMenu popup(flags, owner);
  t_active = &popup;
  struct Reset {
    ~Reset() { t_active = nullptr; }
  } reset;

  if (popup.notify()) SendMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, FALSE));
  if (!MenuObject::find(menu) || !IsWindow(owner) || !popup.open(menu, POINT{x, y}, nullptr)) return 0;
  HWND top = popup.levels_.front().hwnd;
  SetCapture(top);
  HHOOK hook = SetWindowsHookEx(WH_KEYBOARD, keyboardHook, nullptr, 0);

  ModalQuestion question{[&popup, menu, top] {
                           ModalWindow shown;
                           shown.hwnd = top;
                           shown.kind = ModalWindow::Kind::Menu;
                           popup.describe(menu, shown, 0);
                           UINT def = GetMenuDefaultItem(menu, FALSE, 0);
                           shown.defaultButton = def == static_cast<UINT>(-1) ? 0 : static_cast<int>(def);
                           return shown;
                         },
                         [&popup](int answer) { popup.choose(static_cast<UINT>(answer)); },
                         [&popup] { popup.end(0); }};
  runModalLoop(top, [&popup] { return popup.ended_; }, {}, &question);

  if (hook) UnhookWindowsHookEx(hook);
  popup.ended_ = true;  // the windows' procedure stops answering
  if (GetCapture() == top) ReleaseCapture();
  popup.closeFrom(0);
  if (popup.notify() && IsWindow(owner)) SendMessage(owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  return IsWindow(owner) ? popup.command_ : 0;
}

}  // namespace wavorel

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS) {
  UINT command = wavorel::PopupMenu::track(menu, flags, x, y, owner);
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(command);
  if (command == 0) return FALSE;
  if (!(flags & TPM_NONOTIFY)) PostMessage(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command), 0), 0);
  return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}
