// The default look of combo boxes: a sunken selection field with the
// selected item's text (the edit part draws itself in drop-down combo boxes)
// and the drop-down button with its arrow; the list below while dropped.
#include <algorithm>

#include "platform/win/user/ControlDrawing.h"
#include "platform/win/controls/ControlLook.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/controls/ComboBoxControl.h"
#include "platform/win/controls/ItemList.h"
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

// Below the field: the dropped list, or else what the parent's background
// would show there.
void ComboBoxControl::paintBelowField(HDC dc, RECT area, HBRUSH listBrush) const {
  if (area.top >= area.bottom) return;
  if (!dropped_) {
    auto parentBrush = reinterpret_cast<HBRUSH>(GetClassLongPtr(GetParent(hwnd()), GCLP_HBRBACKGROUND));
    FillRect(dc, &area, parentBrush ? parentBrush : GetSysColorBrush(COLOR_3DFACE));
    return;
  }
  FillRect(dc, &area, listBrush);
  FrameRect(dc, &area, GetSysColorBrush(COLOR_WINDOWFRAME));
  for (int i = 0; i < items_->count(); ++i) {
    LONG top = area.top + 1 + i * static_cast<LONG>(itemHeight_);
    if (top >= area.bottom - 1) break;
    RECT row{area.left + 1, top, area.right - 1, std::min<LONG>(top + static_cast<LONG>(itemHeight_), area.bottom - 1)};
    COLORREF old = 0;
    if (i == selected_) {
      FillRect(dc, &row, GetSysColorBrush(COLOR_HIGHLIGHT));
      old = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    drawControlText(hwnd(), dc, items_->at(static_cast<WPARAM>(i)).text, RECT{row.left + 2, row.top, row.right, row.bottom},
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (i == selected_) SetTextColor(dc, old);
  }
}

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
  paintBelowField(dc, RECT{client.left, field.bottom + 2, client.right, client.bottom}, back);
  if (kind() != CBS_DROPDOWNLIST || selected_ < 0 || selected_ >= items_->count()) return;
  RECT text{field.left, field.top, button.left, field.bottom};
  bool focused = GetFocus() == hwnd();
  COLORREF old = 0;
  if (focused) {
    FillRect(dc, &text, GetSysColorBrush(COLOR_HIGHLIGHT));
    old = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  }
  drawControlText(hwnd(), dc, items_->at(static_cast<WPARAM>(selected_)).text,
                  RECT{text.left + 2, text.top, text.right, text.bottom}, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (focused) SetTextColor(dc, old);
}

}  // namespace wavorel
