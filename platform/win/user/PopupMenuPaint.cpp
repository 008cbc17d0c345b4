// The look of popup menus: separators as etched lines, texts in the menu
// colours (the highlighted item in the selection colours, disabled ones
// grey; the default item bold) with the mnemonic underlined and the
// accelerator text after a tab right-aligned, a check mark for checked
// items, an arrow for submenus, and
// the scroll arrows of a menu taller than the screen. Owner-drawn items are
// drawn by the owner (WM_DRAWITEM).
#include "platform/win/user/ControlDrawing.h"
#include "platform/win/user/MenuObject.h"
#include "platform/win/user/Paint.h"
#include "platform/win/user/PopupMenu.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/gdi/Gdi.h"

namespace wavorel {

namespace {

enum class Mark { Check, Right, Up, Down };

// A check mark or an arrow centred in `box` in `colour`.
void drawMark(HDC dc, const RECT& box, COLORREF colour, Mark mark) {
  HBRUSH brush = CreateSolidBrush(colour);
  LONG cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
  auto column = [&](LONG x, LONG top, LONG bottom) {
    RECT r{x, top, x + 1, bottom};
    FillRect(dc, &r, brush);
  };
  auto row = [&](LONG y, LONG left, LONG right) {
    RECT r{left, y, right, y + 1};
    FillRect(dc, &r, brush);
  };
  if (mark == Mark::Right) {
    for (LONG i = 0; i < 4; ++i) column(cx - 2 + i, cy - 3 + i, cy + 4 - i);
  } else if (mark == Mark::Up) {
    for (LONG i = 0; i < 4; ++i) row(cy - 2 + i, cx - i, cx + 1 + i);
  } else if (mark == Mark::Down) {
    for (LONG i = 0; i < 4; ++i) row(cy - 2 + i, cx - 3 + i, cx + 4 - i);
  } else {
    for (LONG i = 0; i < 3; ++i) column(cx - 3 + i, cy - 1 + i, cy + 2 + i);  // the short stroke down
    for (LONG i = 0; i < 5; ++i) column(cx + i, cy + 1 - i, cy + 4 - i);      // the long stroke up
  }
  DeleteObject(brush);
}

}  // namespace

PopupMenu::PopupMenu(UINT flags, HWND owner) : flags_(flags), owner_(owner) {
  LOGFONT lf{};
  if (GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf)) {
    lf.lfWeight = FW_BOLD;
    boldFont_ = CreateFontIndirect(&lf);
  }
}

PopupMenu::~PopupMenu() {
  if (boldFont_) DeleteObject(boldFont_);
}

HGDIOBJ PopupMenu::itemFont(const MenuItem& item) const {
  if ((item.state & MFS_DEFAULT) && boldFont_) return boldFont_;
  return GetStockObject(DEFAULT_GUI_FONT);
}

void PopupMenu::paint(HDC dc, const Level& level) {
  auto m = MenuObject::find(level.menu);
  if (!m) return;
  RECT client;
  GetClientRect(level.hwnd, &client);
  int saved = SaveDC(dc);
  if (level.scrolls) IntersectClipRect(dc, 0, kArrowHeight, client.right, client.bottom - kArrowHeight);
  for (size_t i = 0; i < m->items.size() && i < level.rects.size(); ++i) {
    RECT rect = itemRect(level, static_cast<int>(i));
    if (rect.bottom <= 0 || rect.top >= client.bottom) continue;
    const MenuItem& item = m->items[i];
    bool hot = static_cast<int>(i) == level.hot;
    if (!(item.type & MFT_OWNERDRAW)) {
      drawItem(dc, item, rect, hot);
      continue;
    }
    UINT state = 0;
    if (hot || (item.state & MFS_HILITE)) state |= ODS_SELECTED;
    if (item.state & MF_GRAYED) state |= ODS_GRAYED;
    if (item.state & MF_DISABLED) state |= ODS_DISABLED;
    if (item.state & MFS_CHECKED) state |= ODS_CHECKED;
    if (item.state & MFS_DEFAULT) state |= ODS_DEFAULT;
    DRAWITEMSTRUCT dis{ODT_MENU, 0, item.id, ODA_DRAWENTIRE, state, reinterpret_cast<HWND>(level.menu), dc, rect,
                       item.data};
    SendMessage(owner_, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    m = MenuObject::find(level.menu);  // the owner may have destroyed the menu
    if (!m) break;
  }
  RestoreDC(dc, saved);
  if (level.scrolls) drawScrollArrows(dc, level);
}

void PopupMenu::drawScrollArrows(HDC dc, const Level& level) const {
  RECT client;
  GetClientRect(level.hwnd, &client);
  LONG most = level.contentHeight - (level.viewHeight - 2 * kArrowHeight);
  RECT up{0, 0, client.right, kArrowHeight};
  RECT down{0, client.bottom - kArrowHeight, client.right, client.bottom};
  FillRect(dc, &up, GetSysColorBrush(COLOR_MENU));
  FillRect(dc, &down, GetSysColorBrush(COLOR_MENU));
  drawMark(dc, up, GetSysColor(level.scroll > 0 ? COLOR_MENUTEXT : COLOR_GRAYTEXT), Mark::Up);
  drawMark(dc, down, GetSysColor(level.scroll < most ? COLOR_MENUTEXT : COLOR_GRAYTEXT), Mark::Down);
}

void PopupMenu::drawItem(HDC dc, const MenuItem& item, const RECT& rect, bool hot) const {
  if (item.isSeparator()) {
    FillRect(dc, &rect, GetSysColorBrush(COLOR_MENU));
    RECT line{rect.left + 2, (rect.top + rect.bottom) / 2 - 1, rect.right - 2, (rect.top + rect.bottom) / 2 + 1};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  bool hilite = hot || (item.state & MFS_HILITE) != 0;
  bool grey = (item.state & MF_GRAYED) != 0;
  FillRect(dc, &rect, GetSysColorBrush(hilite ? COLOR_HIGHLIGHT : COLOR_MENU));
  COLORREF ink = GetSysColor(grey ? COLOR_GRAYTEXT : hilite ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ink);
  HGDIOBJ old = SelectObject(dc, itemFont(item));
  RECT text{rect.left + kGutter, rect.top, rect.right - kGutter, rect.bottom};
  size_t tab = item.text.find('\t');
  std::string label = item.text.substr(0, tab);
  DrawText(dc, label.c_str(), static_cast<int>(label.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  if (tab != std::string::npos) {
    std::string keys = item.text.substr(tab + 1);
    DrawText(dc, keys.c_str(), static_cast<int>(keys.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  }
  SelectObject(dc, old);
  if (item.state & MFS_CHECKED) drawMark(dc, RECT{rect.left, rect.top, rect.left + kGutter, rect.bottom}, ink, Mark::Check);
  if (item.subMenu) drawMark(dc, RECT{rect.right - kGutter, rect.top, rect.right, rect.bottom}, ink, Mark::Right);
}

}  // namespace wavorel
