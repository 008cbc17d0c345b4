// Drawing of the list view with a DC: the background and each cell drawn by
// default (its colours come from the custom-draw conversation).
#include "platform/win/controls/ControlLook.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/commctrl/ListViewControl.h"
#include "platform/win/gdi/Gdi.h"

namespace wavorel {

void ListViewControl::paintBackground(HDC dc) const {
  if (!dc || backColor_ == CLR_NONE) return;
  RECT r = clientRect();
  r.top = headerHeight();  // the header draws itself
  HBRUSH back = CreateSolidBrush(backColor_);
  FillRect(dc, &r, back);
  DeleteObject(back);
}

void ListViewControl::drawCell(HDC dc, const RECT& cell, const std::string& text, COLORREF textColor,
                               COLORREF backColor) const {
  if (!dc) return;
  prepareControlDc(hwnd(), dc, WM_NULL, WM_CTLCOLORLISTBOX);
  if (backColor != CLR_NONE) {
    HBRUSH back = CreateSolidBrush(backColor);
    FillRect(dc, &cell, back);
    DeleteObject(back);
  }
  SetTextColor(dc, textColor);
  drawControlText(hwnd(), dc, text, RECT{cell.left + 2, cell.top, cell.right - 2, cell.bottom},
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace wavorel
