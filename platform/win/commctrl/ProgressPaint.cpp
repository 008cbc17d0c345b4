// The default look of progress bars: a sunken box filled up to the position,
// in blocks unless PBS_SMOOTH, from the bottom with PBS_VERTICAL.
#include <algorithm>

#include "platform/win/user/ControlDrawing.h"
#include "platform/win/controls/ControlLook.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/commctrl/Progress.h"
#include "platform/win/commctrl/ProgressControl.h"
#include "platform/win/gdi/Gdi.h"

namespace wavorel {

void ProgressControl::paintLook(HDC dc) const {
  RECT r;
  GetClientRect(hwnd(), &r);
  HBRUSH back = backColor_ == CLR_DEFAULT ? GetSysColorBrush(COLOR_3DFACE) : CreateSolidBrush(backColor_);
  HBRUSH bar = barColor_ == CLR_DEFAULT ? GetSysColorBrush(COLOR_HIGHLIGHT) : CreateSolidBrush(barColor_);
  FillRect(dc, &r, back);
  DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  bool vertical = (style() & PBS_VERTICAL) != 0;
  LONG length = vertical ? r.bottom - r.top : r.right - r.left;
  LONG filled = high_ > low_ ? static_cast<LONG>(static_cast<long long>(pos_ - low_) * length / (high_ - low_)) : 0;
  if (style() & PBS_SMOOTH) {
    RECT f = vertical ? RECT{r.left, r.bottom - filled, r.right, r.bottom} : RECT{r.left, r.top, r.left + filled, r.bottom};
    FillRect(dc, &f, bar);
  } else {
    LONG block = std::max<LONG>(2, ((vertical ? r.right - r.left : r.bottom - r.top) * 2) / 3);
    for (LONG at = 0; at < filled; at += block + 2) {
      LONG end = std::min(at + block, length);
      RECT f = vertical ? RECT{r.left, r.bottom - end, r.right, r.bottom - at} : RECT{r.left + at, r.top, r.left + end, r.bottom};
      FillRect(dc, &f, bar);
    }
  }
  if (backColor_ != CLR_DEFAULT) DeleteObject(back);
  if (barColor_ != CLR_DEFAULT) DeleteObject(bar);
}

}  // namespace wavorel
