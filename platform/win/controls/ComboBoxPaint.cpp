// The default look of combo boxes: a sunken selection field with the
// selected item's text (the edit part draws itself in drop-down combo boxes)
// and the drop-down button with its arrow, pushed while the list is open (the
// list is a window of its own).
#include <algorithm>

#include "platform/win/user/ControlDrawing.h"
#include "platform/win/controls/ControlLook.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/controls/ComboBoxControl.h"
#include "platform/win/gdi/Gdi.h"

namespace wavorel {

namespace {

// A small downward triangle centred in `r`.
void drawArrow(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  LONG cx = (r.left + r.right) / 2, top = (r.top + r.bottom) / 2 - 2;
  for (LONG row = 0; row < 4; ++row) {
    RECT line{cx - 3 + row, top + row, cx + 4 - row, top + row + 1};
    FillRect(dc, &line, brush);
  }
  DeleteObject(brush);
}

}  // namespace

void ComboBoxControl::paintLook(HDC dc) const {
  RECT client;
  GetClientRect(hwnd(), &client);
  UINT message = colorMessage();
  HBRUSH back = prepareControlDc(hwnd(), dc, message, message);
  RECT field{0, 0, client.right, std::min<LONG>(client.bottom, static_cast<LONG>(fieldHeight_))};
  FillRect(dc, &field, back);
  DrawEdge(dc, &field, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  LONG side = field.bottom - field.top;
  RECT button{field.right - side, field.top, field.right, field.bottom};
  if (kind() != CBS_SIMPLE) {
    FillRect(dc, &button, GetSysColorBrush(COLOR_3DFACE));
    DrawFrameControl(dc, &button, DFC_BUTTON, DFCS_BUTTONPUSH | (dropped_ ? DFCS_PUSHED : 0));
    drawArrow(dc, button, GetSysColor(IsWindowEnabled(hwnd()) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  }
  int at = selection();
  if (kind() != CBS_DROPDOWNLIST || at < 0) return;
  RECT text{field.left, field.top, button.left, field.bottom};
  bool focused = GetFocus() == hwnd();
  COLORREF old = 0;
  if (focused) {
    FillRect(dc, &text, GetSysColorBrush(COLOR_HIGHLIGHT));
    old = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  }
  drawControlText(hwnd(), dc, windowText(hwnd()), RECT{text.left + 2, text.top, text.right, text.bottom},
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (focused) SetTextColor(dc, old);
}

}  // namespace wavorel
