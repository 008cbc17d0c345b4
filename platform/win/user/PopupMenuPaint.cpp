// The default look of popup menu items: separators as etched lines, texts in
// the menu colours (the highlighted item in the selection colours, disabled
// ones grey) with the accelerator text after a tab right-aligned, a check
// mark for checked items and an arrow for submenus.
#include "platform/win/user/ControlDrawing.h"
#include "platform/win/user/MenuObject.h"
#include "platform/win/user/Paint.h"
#include "platform/win/user/PopupMenu.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/gdi/Gdi.h"

namespace wavorel {

namespace {

constexpr LONG kGutter = 16;  // room for the check mark and the submenu arrow

// A check mark, or a right-pointing arrow, centred in `box` in `colour`.
void drawMark(HDC dc, const RECT& box, COLORREF colour, bool arrow) {
  HBRUSH brush = CreateSolidBrush(colour);
  LONG cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
  auto column = [&](LONG x, LONG top, LONG bottom) {
    RECT r{x, top, x + 1, bottom};
    FillRect(dc, &r, brush);
  };
  if (arrow) {
    for (LONG i = 0; i < 4; ++i) column(cx - 2 + i, cy - 3 + i, cy + 4 - i);
  } else {
    for (LONG i = 0; i < 3; ++i) column(cx - 3 + i, cy - 1 + i, cy + 2 + i);  // the short stroke down
    for (LONG i = 0; i < 5; ++i) column(cx + i, cy + 1 - i, cy + 4 - i);      // the long stroke up
  }
  DeleteObject(brush);
}

}  // namespace

void PopupMenu::drawItem(HDC dc, const MenuItem& item, const RECT& rect) const {
  if (item.isSeparator()) {
    FillRect(dc, &rect, GetSysColorBrush(COLOR_MENU));
    RECT line{rect.left + 2, (rect.top + rect.bottom) / 2 - 1, rect.right - 2, (rect.top + rect.bottom) / 2 + 1};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  bool hilite = (item.state & MFS_HILITE) != 0;
  bool grey = (item.state & MF_GRAYED) != 0;
  FillRect(dc, &rect, GetSysColorBrush(hilite ? COLOR_HIGHLIGHT : COLOR_MENU));
  COLORREF ink = GetSysColor(grey ? COLOR_GRAYTEXT : hilite ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ink);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  RECT text{rect.left + kGutter, rect.top, rect.right - kGutter, rect.bottom};
  size_t tab = item.text.find('\t');
  std::string label = item.text.substr(0, tab);
  DrawText(dc, label.c_str(), static_cast<int>(label.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  if (tab != std::string::npos) {
    std::string keys = item.text.substr(tab + 1);
    DrawText(dc, keys.c_str(), static_cast<int>(keys.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  }
  SelectObject(dc, old);
  if (item.state & MFS_CHECKED) drawMark(dc, RECT{rect.left, rect.top, rect.left + kGutter, rect.bottom}, ink, false);
  if (item.subMenu) drawMark(dc, RECT{rect.right - kGutter, rect.top, rect.right, rect.bottom}, ink, true);
}

}  // namespace wavorel
