// The default look of tooltips: the tip text on the info colours in a frame.
#include "platform/win/controls/ControlLook.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/commctrl/ToolTip.h"
#include "platform/win/commctrl/ToolTipControl.h"
#include "platform/win/gdi/Gdi.h"

namespace wavorel {

void ToolTipControl::paintLook(HDC dc) const {
  RECT r;
  GetClientRect(hwnd(), &r);
  prepareControlDc(hwnd(), dc, WM_NULL, WM_CTLCOLORSTATIC);
  FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
  FrameRect(dc, &r, GetSysColorBrush(COLOR_INFOTEXT));
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  drawControlText(hwnd(), dc, windowText(hwnd()), RECT{r.left + 3, r.top + 1, r.right - 3, r.bottom - 1},
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace wavorel
