// Columns of the list: kept by the header control (title, width, format,
// order); the list adds each column's sub-item number and image.
#include <algorithm>

#include "platform/win/commctrl/Header.h"
#include "platform/win/commctrl/ListViewControl.h"
#include "platform/win/commctrl/Notify.h"

namespace wavorel {

namespace {

HDITEM headerItemOf(const LVCOLUMN& column, bool first) {
  HDITEM item{};
  if (column.mask & LVCF_TEXT) {
    item.mask |= HDI_TEXT;
    item.pszText = column.pszText;
  }
  if (column.mask & LVCF_WIDTH) {
    item.mask |= HDI_WIDTH;
    item.cxy = column.cx;
  }
  if (column.mask & LVCF_FMT) {
    item.mask |= HDI_FORMAT;
    // The first column is always left-aligned.
    item.fmt = HDF_STRING | (first ? HDF_LEFT : (column.fmt & LVCFMT_JUSTIFYMASK));
  }
  if (column.mask & LVCF_ORDER) {
    item.mask |= HDI_ORDER;
    item.iOrder = column.iOrder;
  }
  return item;
}

}  // namespace

LRESULT ListViewControl::insertColumn(int index, const LVCOLUMN* column) {
  if (column == nullptr || index < 0) return -1;
  index = std::min(index, columnCount());
  HDITEM item = headerItemOf(*column, index == 0);
  item.mask |= HDI_FORMAT;
  if (!(column->mask & LVCF_FMT)) item.fmt = HDF_STRING | HDF_LEFT;
  int at = static_cast<int>(SendMessage(header_, HDM_INSERTITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
  if (at < 0) return -1;
  Column added;
  added.subItem = (column->mask & LVCF_SUBITEM) ? column->iSubItem : at;
  if (column->mask & LVCF_IMAGE) added.image = column->iImage;
  columns_.insert(columns_.begin() + at, added);
  invalidateAll();
  return at;
}

BOOL ListViewControl::deleteColumn(int index) {
  if (index < 0 || index >= columnCount()) return FALSE;
  if (!SendMessage(header_, HDM_DELETEITEM, static_cast<WPARAM>(index), 0)) return FALSE;
  columns_.erase(columns_.begin() + index);
  // Sub-items are kept by column: those to the right move one column left.
  for (Item& item : items_) {
    std::map<int, SubItem> moved;
    for (auto& kv : item.subItems)
      if (kv.first != index) moved[kv.first > index ? kv.first - 1 : kv.first] = std::move(kv.second);
    item.subItems = std::move(moved);
  }
  invalidateAll();
  return TRUE;
}

BOOL ListViewControl::getColumn(int index, LVCOLUMN* column) const {
  if (column == nullptr || index < 0 || index >= columnCount()) return FALSE;
  HDITEM item{};
  item.mask = HDI_WIDTH | HDI_FORMAT | HDI_ORDER;
  if (column->mask & LVCF_TEXT) {
    item.mask |= HDI_TEXT;
    item.pszText = column->pszText;
    item.cchTextMax = column->cchTextMax;
  }
  SendMessage(header_, HDM_GETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  if (column->mask & LVCF_WIDTH) column->cx = item.cxy;
  if (column->mask & LVCF_FMT) column->fmt = item.fmt & LVCFMT_JUSTIFYMASK;
  if (column->mask & LVCF_ORDER) column->iOrder = item.iOrder;
  if (column->mask & LVCF_SUBITEM) column->iSubItem = columns_[static_cast<size_t>(index)].subItem;
  if (column->mask & LVCF_IMAGE) column->iImage = columns_[static_cast<size_t>(index)].image;
  return TRUE;
}

BOOL ListViewControl::setColumn(int index, const LVCOLUMN* column) {
  if (column == nullptr || index < 0 || index >= columnCount()) return FALSE;
  HDITEM item = headerItemOf(*column, index == 0);
  if (item.mask && !SendMessage(header_, HDM_SETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
    return FALSE;
  if (column->mask & LVCF_SUBITEM) columns_[static_cast<size_t>(index)].subItem = column->iSubItem;
  if (column->mask & LVCF_IMAGE) columns_[static_cast<size_t>(index)].image = column->iImage;
  invalidateAll();
  return TRUE;
}

int ListViewControl::columnWidth(int index) const {
  if (index < 0 || index >= columnCount()) return 0;
  HDITEM item{};
  item.mask = HDI_WIDTH;
  SendMessage(header_, HDM_GETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return item.cxy;
}

BOOL ListViewControl::setColumnWidth(int index, int width) {
  if (index < 0 || index >= columnCount()) return FALSE;
  if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
    int widest = 0;
    for (int row = 0; row < count(); ++row) widest = std::max(widest, textWidth(cellText(row, index)));
    if (index == 0) widest += stateImageWidth() + iconWidth();
    if (width == LVSCW_AUTOSIZE_USEHEADER) {
      char title[kTitleSize];
      HDITEM item{};
      item.mask = HDI_TEXT;
      item.pszText = title;
      item.cchTextMax = kTitleSize;
      SendMessage(header_, HDM_GETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
      widest = textWidth(title);
      std::vector<int> order = columnOrder();
      if (!order.empty() && order.back() == index) {
        // The last column fills what the client area has left.
        RECT span = columnSpan(index);
        widest = std::max(widest + kTextMargin, static_cast<int>(clientRect().right + scrollX_ - span.left));
        width = widest;
      }
    }
    if (width < 0) width = widest + kTextMargin;
  }
  HDITEM item{};
  item.mask = HDI_WIDTH;
  item.cxy = std::max(0, width);
  BOOL done = static_cast<BOOL>(SendMessage(header_, HDM_SETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
  invalidateAll();
  return done;
}

std::vector<int> ListViewControl::columnOrder() const {
  std::vector<int> order(static_cast<size_t>(columnCount()));
  if (!order.empty())
    SendMessage(header_, HDM_GETORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
  return order;
}

DWORD ListViewControl::setExtendedStyle(DWORD mask, DWORD style) {
  DWORD old = exStyle_;
  if (mask == 0) mask = 0xFFFFFFFFu;
  exStyle_ = (old & ~mask) | (style & mask);
  if ((exStyle_ & LVS_EX_CHECKBOXES) && !(old & LVS_EX_CHECKBOXES))
    for (Item& item : items_)
      if (!(item.state & LVIS_STATEIMAGEMASK)) item.state |= INDEXTOSTATEIMAGEMASK(1);
  if (!(exStyle_ & LVS_EX_CHECKBOXES) && (old & LVS_EX_CHECKBOXES))
    for (Item& item : items_) item.state &= ~LVIS_STATEIMAGEMASK;
  DWORD headerStyle = static_cast<DWORD>(GetWindowLong(header_, GWL_STYLE));
  headerStyle = (exStyle_ & LVS_EX_HEADERDRAGDROP) ? (headerStyle | HDS_DRAGDROP) : (headerStyle & ~HDS_DRAGDROP);
  SetWindowLong(header_, GWL_STYLE, static_cast<LONG>(headerStyle));
  invalidateAll();
  return old;
}

}  // namespace wavorel
