// The default look of headers: raised buttons with the column titles, in
// display order, the pressed one sunken.
#include "platform/win/user/ControlDrawing.h"
#include "platform/win/controls/ControlLook.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/commctrl/Header.h"
#include "platform/win/commctrl/HeaderControl.h"

namespace wavorel {

void HeaderControl::paintLook(HDC dc) const {
  RECT r;
  GetClientRect(hwnd(), &r);
  prepareControlDc(hwnd(), dc, WM_NULL, WM_CTLCOLORBTN);
  FillRect(dc, &r, GetSysColorBrush(COLOR_3DFACE));
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  for (int index : order_) {
    RECT item{};
    if (!itemRect(index, &item)) continue;
    DrawEdge(dc, &item, index == pressed_ ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const Item& it = items_[static_cast<size_t>(index)];
    UINT align = (it.format & HDF_JUSTIFYMASK) == HDF_RIGHT ? DT_RIGHT
                 : (it.format & HDF_JUSTIFYMASK) == HDF_CENTER ? DT_CENTER
                                                                 : DT_LEFT;
    drawControlText(hwnd(), dc, it.text, RECT{item.left + 6, item.top, item.right - 6, item.bottom},
                    align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
}

}  // namespace wavorel
