// The default look of trackbars: the sunken channel, tick marks and the
// raised thumb, on the background the parent chooses (WM_CTLCOLORSTATIC).
#include "platform/win/user/ControlDrawing.h"
#include "platform/win/controls/ControlLook.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/commctrl/Trackbar.h"
#include "platform/win/commctrl/TrackbarControl.h"

namespace wavorel {

void TrackbarControl::paintLook(HDC dc) const {
  RECT r;
  GetClientRect(hwnd(), &r);
  FillRect(dc, &r, prepareControlDc(hwnd(), dc, WM_CTLCOLORSTATIC, WM_CTLCOLORSTATIC));
  RECT c = channel();
  DrawEdge(dc, &c, EDGE_SUNKEN, BF_RECT);
  if (!(style() & TBS_NOTICKS) && max_ > min_ && ticFrequency_ > 0) {
    HBRUSH ink = GetSysColorBrush(COLOR_BTNTEXT);
    for (int v = min_; v <= max_; v += ticFrequency_) {
      if ((max_ - min_) / ticFrequency_ > 100) break;
      LONG at = vertical() ? c.top + (v - min_) * (c.bottom - c.top) / (max_ - min_)
                           : c.left + (v - min_) * (c.right - c.left) / (max_ - min_);
      RECT tick = vertical() ? RECT{r.right - 4, at, r.right - 1, at + 1} : RECT{at, r.bottom - 4, at + 1, r.bottom - 1};
      FillRect(dc, &tick, ink);
    }
  }
  RECT t = thumb();
  FillRect(dc, &t, GetSysColorBrush(COLOR_3DFACE));
  DrawEdge(dc, &t, EDGE_RAISED, BF_RECT);
}

}  // namespace wavorel
