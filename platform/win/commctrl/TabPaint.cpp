// The default look of tab controls: a raised page frame under a row of tabs,
// the selected tab raised above the others.
#include "platform/win/user/ControlDrawing.h"
#include "platform/win/controls/ControlLook.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/commctrl/Tab.h"
#include "platform/win/commctrl/TabControl.h"

namespace wavorel {

void TabControl::paintLook(HDC dc) const {
  RECT r;
  GetClientRect(hwnd(), &r);
  prepareControlDc(hwnd(), dc, WM_NULL, WM_CTLCOLORDLG);
  FillRect(dc, &r, GetSysColorBrush(COLOR_3DFACE));
  RECT page{r.left, r.top + tabHeight(), r.right, r.bottom};
  DrawEdge(dc, &page, EDGE_RAISED, BF_RECT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  // The selected tab last, over its neighbours.
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < count(); ++i) {
      if ((i == current_) != (pass == 1)) continue;
      RECT tab{};
      if (!itemRect(i, &tab)) continue;
      // The selected tab stands 2 pixels higher and wider, joined to the page.
      if (i == current_) tab = RECT{tab.left - 2, tab.top, tab.right + 2, tab.bottom + 1};
      else tab.top += 2;
      FillRect(dc, &tab, GetSysColorBrush(COLOR_3DFACE));
      DrawEdge(dc, &tab, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
      drawControlText(hwnd(), dc, items_[static_cast<size_t>(i)].text, tab,
                      DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    }
  }
}

}  // namespace wavorel
