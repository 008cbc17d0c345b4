// The default look of list boxes: item texts from the top item down, the
// selected item in the highlight colours.
#include "platform/win/user/ControlDrawing.h"
#include "platform/win/controls/ControlLook.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/controls/ItemList.h"
#include "platform/win/controls/ListBoxControl.h"
#include "platform/win/gdi/Gdi.h"

namespace wavorel {

void ListBoxControl::paintLook(HDC dc) const {
  RECT client;
  GetClientRect(hwnd(), &client);
  FillRect(dc, &client, prepareControlDc(hwnd(), dc, WM_CTLCOLORLISTBOX, WM_CTLCOLORLISTBOX));
  for (int i = top_; i < items_->count(); ++i) {
    RECT r = itemRect(i);
    if (r.top >= client.bottom) break;
    COLORREF old = 0;
    if (i == selected_) {
      FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
      old = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    const std::string& text = items_->at(static_cast<WPARAM>(i)).text;
    drawControlText(hwnd(), dc, text, RECT{r.left + 2, r.top, r.right, r.bottom},
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
    if (i == selected_) {
      SetTextColor(dc, old);
      if (GetFocus() == hwnd()) DrawFocusRect(dc, &r);
    }
  }
}

}  // namespace wavorel
