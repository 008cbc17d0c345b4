// The default look of IP address controls: four fields of digits parted by
// dots, on the edit colours.
#include <string>

#include "platform/win/controls/ControlLook.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/commctrl/IpAddress.h"
#include "platform/win/commctrl/IpAddressControl.h"

namespace wavorel {

void IpAddressControl::paintLook(HDC dc) const {
  RECT r;
  GetClientRect(hwnd(), &r);
  FillRect(dc, &r, prepareControlDc(hwnd(), dc, WM_CTLCOLOREDIT, WM_CTLCOLOREDIT));
  LONG width = (r.right - r.left) / kFields;
  for (int i = 0; i < kFields; ++i) {
    RECT cell{r.left + i * width, r.top, r.left + (i + 1) * width, r.bottom};
    std::string text = i == current_ && !typed_.empty() ? typed_
                       : fields_[i].value >= 0          ? std::to_string(fields_[i].value)
                                                        : std::string();
    drawControlText(hwnd(), dc, text, cell, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    if (i + 1 < kFields) {
      RECT dot{cell.right - 3, cell.top, cell.right + 3, cell.bottom};
      drawControlText(hwnd(), dc, ".", dot, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    }
  }
}

}  // namespace wavorel
