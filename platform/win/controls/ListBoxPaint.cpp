// The default look of list boxes: item texts from the top item down, the
// highlighted item in the selection colours, and the scroll bar.
#include <algorithm>

#include "platform/win/user/ControlDrawing.h"
#include "platform/win/controls/ControlLook.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/controls/ItemList.h"
#include "platform/win/controls/ListBoxControl.h"
#include "platform/win/gdi/Gdi.h"

namespace wavorel {

namespace {

// A small triangle pointing up or down, centred in `r`.
void drawArrow(HDC dc, const RECT& r, bool up, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  LONG cx = (r.left + r.right) / 2, top = (r.top + r.bottom) / 2 - 2;
  for (LONG row = 0; row < 4; ++row) {
    LONG half = up ? row : 3 - row;
    RECT line{cx - half, top + row, cx + half + 1, top + row + 1};
    FillRect(dc, &line, brush);
  }
  DeleteObject(brush);
}

}  // namespace

void ListBoxControl::paintLook(HDC dc, HBRUSH back) const {
  RECT client;
  GetClientRect(hwnd(), &client);
  FillRect(dc, &client, back);
  int lit = highlighted();
  for (int i = top_; i < items_->count(); ++i) {
    RECT r = itemRect(i);
    if (r.top >= client.bottom) break;
    COLORREF old = 0;
    if (i == lit) {
      FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
      old = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    const std::string& text = items_->at(static_cast<WPARAM>(i)).text;
    drawControlText(hwnd(), dc, text, RECT{r.left + 2, r.top, r.right, r.bottom},
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
    if (i == lit) {
      SetTextColor(dc, old);
      if (GetFocus() == hwnd()) DrawFocusRect(dc, &r);
    }
  }
}

void ListBoxControl::paintBar(HDC dc) const {
  RECT bar = barRect();
  FillRect(dc, &bar, GetSysColorBrush(COLOR_SCROLLBAR));
  LONG arrow = std::min<LONG>(bar.right - bar.left, (bar.bottom - bar.top) / 2);
  RECT up{bar.left, bar.top, bar.right, bar.top + arrow};
  RECT down{bar.left, bar.bottom - arrow, bar.right, bar.bottom};
  RECT thumb = thumbRect();
  for (RECT* part : {&up, &down, &thumb}) {
    FillRect(dc, part, GetSysColorBrush(COLOR_3DFACE));
    DrawEdge(dc, part, EDGE_RAISED, BF_RECT);
  }
  int most = maxTop();
  drawArrow(dc, up, true, GetSysColor(top_ > 0 ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  drawArrow(dc, down, false, GetSysColor(top_ < most ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
}

}  // namespace wavorel
