// The default look of buttons: push buttons, check boxes, radio buttons and
// group boxes.
#include "platform/win/user/ControlDrawing.h"
#include "platform/win/controls/ControlLook.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/controls/ButtonControl.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/gdi/Images.h"

namespace wavorel {

namespace {

constexpr LONG kGlyph = 13;

UINT horizontalFormat(DWORD style, UINT byDefault) {
  switch (style & BS_CENTER) {
    case BS_LEFT: return DT_LEFT;
    case BS_RIGHT: return DT_RIGHT;
    case BS_CENTER: return DT_CENTER;
    default: return byDefault;
  }
}

}  // namespace

void ButtonControl::paintLook(HDC dc) const {
  DWORD s = style();
  DWORD t = type();
  RECT r;
  GetClientRect(hwnd(), &r);
  HBRUSH back = prepareControlDc(hwnd(), dc, colorMessage(), colorMessage());
  std::string text = windowText(hwnd());
  UINT single = (s & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER;
  if (t == BS_GROUPBOX) {
    FillRect(dc, &r, back);
    SIZE extent{};
    GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    RECT frame{r.left, r.top + extent.cy / 2, r.right, r.bottom};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!text.empty()) {
      RECT caption{r.left + 8, r.top, r.left + 8 + extent.cx + 4, r.top + extent.cy};
      FillRect(dc, &caption, back);
      drawControlText(hwnd(), dc, text, RECT{caption.left + 2, caption.top, caption.right, caption.bottom},
                      DT_SINGLELINE | DT_LEFT);
    }
    return;
  }
  if (!checkable()) {
    RECT face = r;
    if (t == BS_DEFPUSHBUTTON || focus_) {
      FrameRect(dc, &face, GetSysColorBrush(COLOR_WINDOWFRAME));
      face = RECT{face.left + 1, face.top + 1, face.right - 1, face.bottom - 1};
    }
    FillRect(dc, &face, GetSysColorBrush(COLOR_3DFACE));
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed_ ? DFCS_PUSHED : 0));
    RECT label{face.left + 2, face.top + 2, face.right - 2, face.bottom - 2};
    if (pushed_) label = RECT{label.left + 1, label.top + 1, label.right + 1, label.bottom + 1};
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    if ((s & BS_BITMAP) && bitmap_) drawImageCentred(dc, bitmap_, IMAGE_BITMAP, label);
    else if ((s & BS_ICON) && icon_) drawImageCentred(dc, icon_, IMAGE_ICON, label);
    else drawControlText(hwnd(), dc, text, label, single | horizontalFormat(s, DT_CENTER));
    if (focus_) {
      RECT dots{face.left + 3, face.top + 3, face.right - 3, face.bottom - 3};
      DrawFocusRect(dc, &dots);
    }
    return;
  }
  FillRect(dc, &r, back);
  bool radio = t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON;
  bool leftText = (s & BS_LEFTTEXT) != 0;
  LONG top = (r.top + r.bottom - kGlyph) / 2;
  RECT glyph = leftText ? RECT{r.right - kGlyph, top, r.right, top + kGlyph} : RECT{r.left, top, r.left + kGlyph, top + kGlyph};
  UINT state = (radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) | (check_ != BST_UNCHECKED ? DFCS_CHECKED : 0) |
               (pushed_ ? DFCS_PUSHED : 0) | (IsWindowEnabled(hwnd()) && check_ != BST_INDETERMINATE ? 0 : DFCS_INACTIVE);
  DrawFrameControl(dc, &glyph, DFC_BUTTON, state);
  RECT label = leftText ? RECT{r.left, r.top, glyph.left - 4, r.bottom} : RECT{glyph.right + 4, r.top, r.right, r.bottom};
  drawControlText(hwnd(), dc, text, label, single | horizontalFormat(s, DT_LEFT));
  if (focus_ && !text.empty()) {
    RECT extent = label;
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT | DT_SINGLELINE);
    LONG h = extent.bottom - extent.top;
    RECT dots{label.left - 1, (r.top + r.bottom - h) / 2 - 1, extent.right + 1, (r.top + r.bottom + h) / 2 + 1};
    DrawFocusRect(dc, &dots);
  }
}

}  // namespace wavorel
