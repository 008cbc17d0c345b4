// Painting: the custom-draw conversation with the parent and the cells the
// list draws by default: each row's small image left of its label, then the
// cells with their texts and colours.
#include "platform/win/commctrl/ListViewControl.h"
#include "platform/win/commctrl/Notify.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/gdi/ImageList.h"

namespace wavorel {

std::vector<ListViewPaintedCell> ListViewControl::paint(HDC dc) {
  std::vector<ListViewPaintedCell> painted;
  auto [first, last] = visibleRows();
  std::vector<int> columns = visibleColumns();
  if (ownerData() && first < last && hinted_ != std::make_pair(first, last - 1)) {
    hinted_ = {first, last - 1};
    NMLVCACHEHINT hint{};
    hint.iFrom = first;
    hint.iTo = last - 1;
    sendNotify(hwnd(), LVN_ODCACHEHINT, &hint.hdr);
  }

  NMLVCUSTOMDRAW cd{};
  auto stage = [&](DWORD drawStage, RECT rc, DWORD_PTR item, int subItem) {
    cd.nmcd.dwDrawStage = drawStage;
    cd.nmcd.hdc = dc;
    cd.nmcd.rc = rc;
    cd.nmcd.dwItemSpec = item;
    cd.iSubItem = subItem;
    return static_cast<DWORD>(sendNotify(hwnd(), NM_CUSTOMDRAW, &cd.nmcd.hdr));
  };
  // As on Windows, custom drawing starts with the list's font selected.
  if (dc) SelectObject(dc, font() ? font() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  DWORD whole = stage(CDDS_PREPAINT, clientRect(), 0, 0);
  if (whole & CDRF_SKIPDEFAULT) return painted;

  bool focused = GetFocus() == hwnd();
  bool showSelection = focused || (style() & LVS_SHOWSELALWAYS);
  for (int row = first; row < last; ++row) {
    UINT state = stateOf(row);
    cd.nmcd.uItemState = ((state & LVIS_SELECTED) && showSelection ? CDIS_SELECTED : 0) |
                         ((state & LVIS_FOCUSED) && focused ? CDIS_FOCUS : 0) | (row == hot_ ? CDIS_HOT : 0);
    cd.nmcd.lItemlParam = ownerData() ? 0 : items_[static_cast<size_t>(row)].lParam;
    cd.clrText = textColor_;
    cd.clrTextBk = textBackColor_;
    RECT bounds{};
    rowRect(row, LVIR_BOUNDS, &bounds);
    DWORD item = CDRF_DODEFAULT;
    if (whole & CDRF_NOTIFYITEMDRAW) item = stage(CDDS_ITEMPREPAINT, bounds, static_cast<DWORD_PTR>(row), 0);
    if (item & CDRF_SKIPDEFAULT) continue;
    drawSmallImage(dc, row);
    for (int column : columns) {
      RECT cell{};
      subItemRect(row, column, column == 0 ? LVIR_LABEL : LVIR_BOUNDS, &cell);
      DWORD sub = CDRF_DODEFAULT;
      if ((whole & CDRF_NOTIFYITEMDRAW) && (item & CDRF_NOTIFYSUBITEMDRAW))
        sub = stage(CDDS_ITEMPREPAINT | CDDS_SUBITEM, cell, static_cast<DWORD_PTR>(row), column);
      if (!(sub & CDRF_SKIPDEFAULT)) {
        // A selected cell is drawn in the selection colours unless the
        // parent took CDIS_SELECTED away.
        bool highlight = (cd.nmcd.uItemState & CDIS_SELECTED) && (column == 0 || (exStyle_ & LVS_EX_FULLROWSELECT));
        COLORREF text = highlight ? GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT) : cd.clrText;
        COLORREF back = highlight ? GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE) : cd.clrTextBk;
        painted.push_back({row, column, cellText(row, column), text, back});
        drawCell(dc, cell, painted.back().text, text, back);
      }
      if (sub & CDRF_NOTIFYPOSTPAINT)
        stage(CDDS_ITEMPOSTPAINT | CDDS_SUBITEM, cell, static_cast<DWORD_PTR>(row), column);
    }
    if (item & CDRF_NOTIFYPOSTPAINT) stage(CDDS_ITEMPOSTPAINT, bounds, static_cast<DWORD_PTR>(row), 0);
  }
  if (whole & CDRF_NOTIFYPOSTPAINT) stage(CDDS_POSTPAINT, clientRect(), 0, 0);
  return painted;
}

void ListViewControl::drawSmallImage(HDC dc, int row) {
  HIMAGELIST images = imageLists_[LVSIL_SMALL];
  if (!dc || !images) return;
  LVITEM item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  if (!getItem(&item) || item.iImage < 0) return;
  RECT icon{};
  rowRect(row, LVIR_ICON, &icon);
  int width = 0, height = 0;
  ImageList_GetIconSize(images, &width, &height);
  ImageList_Draw(images, item.iImage, dc, icon.left, icon.top + (icon.bottom - icon.top - height) / 2, ILD_TRANSPARENT);
}

}  // namespace wavorel
