// Where rows, cells, icons and labels lie; hit tests and scrolling. The rules
// are given at the top of ListView.h.
#include <algorithm>

#include "platform/win/commctrl/Header.h"
#include "platform/win/commctrl/HeaderControl.h"
#include "platform/win/commctrl/ListViewControl.h"

namespace wavorel {

int ListViewControl::rowHeight() const {
  if (rowHeight_ == 0) rowHeight_ = std::max(fontHeight(), kIconHeight);
  return rowHeight_;
}

void ListViewControl::fontChanged() {
  rowHeight_ = 0;
  if (header_) SendMessage(header_, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
}

int ListViewControl::headerHeight() const {
  return (style() & LVS_NOCOLUMNHEADER) ? 0 : HeaderControl::kHeight;
}

RECT ListViewControl::clientRect() const {
  RECT r{};
  GetClientRect(hwnd(), &r);
  return r;
}

int ListViewControl::countPerPage() const {
  int area = clientRect().bottom - headerHeight();
  return std::max(0, area / rowHeight());
}

std::pair<int, int> ListViewControl::visibleRows() const {
  int area = clientRect().bottom - headerHeight();
  if (area <= 0) return {top_, top_};
  int rows = (area + rowHeight() - 1) / rowHeight();
  return {top_, std::min(count(), top_ + rows)};
}

std::vector<int> ListViewControl::visibleColumns() const {
  std::vector<int> out;
  int width = clientRect().right;
  for (int column : columnOrder()) {
    RECT span = columnSpan(column);
    if (span.right > span.left && span.right > 0 && span.left < width) out.push_back(column);
  }
  return out;
}

int ListViewControl::stateImageWidth() const {
  return (exStyle_ & LVS_EX_CHECKBOXES) || imageLists_[LVSIL_STATE] ? kIconWidth : 0;
}

int ListViewControl::iconWidth() const { return imageLists_[LVSIL_SMALL] ? kIconWidth : 0; }

RECT ListViewControl::columnSpan(int column) const {
  const auto slot = static_cast<size_t>(column);
  RECT r{};
  if (column >= 0 && slot < paintHeaderRects_.size() && paintHeaderRects_[slot]) {
    r = *paintHeaderRects_[slot];
  } else {
    SendMessage(header_, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r));
    // Kept while a paint runs (the header may have answered with messages that dropped the rectangles).
    if (column >= 0 && slot < paintHeaderRects_.size()) paintHeaderRects_[slot] = r;
  }
  return {r.left - scrollX_, 0, r.right - scrollX_, 0};
}

int ListViewControl::totalWidth() const {
  // The columns lie side by side in display order from 0: the last one ends
  // at the sum of the widths.
  const int count = columnCount();
  if (count == 0) return 0;
  const auto last = static_cast<int>(SendMessage(header_, HDM_ORDERTOINDEX, static_cast<WPARAM>(count - 1), 0));
  RECT r{};
  SendMessage(header_, HDM_GETITEMRECT, static_cast<WPARAM>(last), reinterpret_cast<LPARAM>(&r));
  return r.right;
}

int ListViewControl::rowTop(int index) const { return headerHeight() + (index - top_) * rowHeight(); }

bool ListViewControl::rowRect(int index, int code, RECT* rect) const {
  if (!valid(index)) return false;
  const int top = rowTop(index);
  const LONG bottom = top + rowHeight();
  auto bounds = [&] { return RECT{-scrollX_, top, totalWidth() - scrollX_, bottom}; };
  if (code == LVIR_BOUNDS || (code == LVIR_SELECTBOUNDS && (exStyle_ & LVS_EX_FULLROWSELECT))) {
    *rect = bounds();
    return true;
  }
  RECT first = columnCount() > 0 ? columnSpan(0) : RECT{-scrollX_, 0, -scrollX_, 0};
  int iconLeft = first.left + stateImageWidth();
  int labelLeft = std::min(iconLeft + iconWidth(), static_cast<int>(first.right));
  switch (code) {
    case LVIR_ICON:
      *rect = {iconLeft, top, iconLeft + iconWidth(), bottom};
      return true;
    case LVIR_LABEL:
      *rect = {labelLeft, top, first.right, bottom};
      return true;
    case LVIR_SELECTBOUNDS:
      *rect = RECT{iconLeft, top, first.right, bottom};
      return true;
    default:
      return false;
  }
}

bool ListViewControl::subItemRect(int index, int column, int code, RECT* rect) const {
  if (column == 0) return rowRect(index, code, rect);
  if (!valid(index) || column < 0 || column >= columnCount()) return false;
  if (code != LVIR_BOUNDS && code != LVIR_SELECTBOUNDS && code != LVIR_ICON && code != LVIR_LABEL) return false;
  const LONG top = rowTop(index);
  const LONG bottom = top + rowHeight();
  RECT span = columnSpan(column);
  int icon = (exStyle_ & LVS_EX_SUBITEMIMAGES) ? iconWidth() : 0;
  switch (code) {
    case LVIR_ICON:
      *rect = {span.left, top, span.left + icon, bottom};
      return true;
    case LVIR_LABEL:
      *rect = {std::min(span.left + icon, span.right), top, span.right, bottom};
      return true;
    default:
      *rect = {span.left, top, span.right, bottom};
      return true;
  }
}

int ListViewControl::hitTest(LVHITTESTINFO* info, bool subItems) const {
  if (info == nullptr) return -1;
  info->iItem = -1;
  info->iSubItem = 0;
  info->flags = 0;
  RECT client = clientRect();
  POINT pt = info->pt;
  if (pt.y < 0) info->flags |= LVHT_ABOVE;
  if (pt.y >= client.bottom) info->flags |= LVHT_BELOW;
  if (pt.x < 0) info->flags |= LVHT_TOLEFT;
  if (pt.x >= client.right) info->flags |= LVHT_TORIGHT;
  if (info->flags) return -1;
  info->flags = LVHT_NOWHERE;
  if (pt.y < headerHeight()) return -1;
  int row = top_ + (pt.y - headerHeight()) / rowHeight();
  if (!valid(row)) return -1;
  int column = -1;
  for (int c : columnOrder()) {
    RECT span = columnSpan(c);
    if (pt.x >= span.left && pt.x < span.right) column = c;
  }
  if (column < 0) return -1;
  UINT flags = LVHT_ONITEMLABEL;
  if (column == 0) {
    RECT icon{};
    rowRect(row, LVIR_ICON, &icon);
    if (pt.x < icon.left)
      flags = LVHT_ONITEMSTATEICON;
    else if (pt.x < icon.right)
      flags = LVHT_ONITEMICON;
  } else if (!subItems && !(exStyle_ & LVS_EX_FULLROWSELECT)) {
    return -1;  // beside the label of an item that is not selected by its whole row
  }
  info->flags = flags;
  info->iItem = row;
  info->iSubItem = subItems ? column : 0;
  return row;
}

void ListViewControl::setTop(int top) {
  int highest = std::max(0, count() - std::max(1, countPerPage()));
  top = std::clamp(top, 0, highest);
  if (top == top_) return;
  top_ = top;
  invalidateAll();
}

BOOL ListViewControl::ensureVisible(int index) {
  if (!valid(index)) return FALSE;
  int page = std::max(1, countPerPage());
  if (index < top_)
    setTop(index);
  else if (index >= top_ + page)
    setTop(index - page + 1);
  return TRUE;
}

BOOL ListViewControl::scroll(int dx, int dy) {
  // Whole rows only: dy is rounded to the nearest multiple of the row height.
  int rows = (std::abs(dy) + rowHeight() / 2) / rowHeight();
  setTop(top_ + (dy < 0 ? -rows : rows));
  int widest = std::max(0, totalWidth() - static_cast<int>(clientRect().right));
  int x = std::clamp(scrollX_ + dx, 0, widest);
  if (x != scrollX_) {
    scrollX_ = x;
    invalidateAll();
  }
  return TRUE;
}

void ListViewControl::invalidateRows(int first, int last) {
  if (!redraw_ || count() == 0) return;
  first = std::max(first, 0);
  last = std::min(last, count() - 1);
  if (first > last) return;
  RECT a{};
  RECT b{};
  rowRect(first, LVIR_BOUNDS, &a);
  rowRect(last, LVIR_BOUNDS, &b);
  RECT client = clientRect();
  RECT r{client.left, std::max(a.top, static_cast<LONG>(headerHeight())), client.right, b.bottom};
  if (r.bottom > r.top) InvalidateRect(hwnd(), &r, TRUE);
}

void ListViewControl::invalidateAll() {
  if (redraw_) InvalidateRect(hwnd(), nullptr, TRUE);
}

void ListViewControl::layoutHeader() {
  if (header_ == nullptr) return;
  RECT client = clientRect();
  WINDOWPOS pos{};
  HDLAYOUT layout{&client, &pos};
  SendMessage(header_, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
  SetWindowPos(header_, nullptr, pos.x, pos.y, pos.cx, pos.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace wavorel
