#include "platform/win/commctrl/ProgressControl.h"
#include "platform/win/user/Paint.h"

#include <algorithm>

namespace wavorel {

LRESULT ProgressControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case PBM_SETRANGE:
      return setRange(LOWORD(lParam), HIWORD(lParam));
    case PBM_SETRANGE32:
      return setRange(static_cast<int>(wParam), static_cast<int>(lParam));
    case PBM_GETRANGE:
      if (lParam) *reinterpret_cast<PBRANGE*>(lParam) = {low_, high_};
      return wParam ? low_ : high_;
    case PBM_SETPOS:
      return moveTo(static_cast<int>(wParam));
    case PBM_DELTAPOS:
      return moveTo(pos_ + static_cast<int>(wParam));
    case PBM_GETPOS:
      return pos_;
    case PBM_SETSTEP: {
      int old = step_;
      step_ = static_cast<int>(wParam);
      return old;
    }
    case PBM_GETSTEP:
      return step_;
    case PBM_STEPIT: {
      int next = pos_ + step_;
      int span = high_ - low_;
      if (span > 0 && next > high_) next = low_ + (next - low_) % span;
      if (span > 0 && next < low_) next = high_ - (low_ - next) % span;
      return moveTo(next);
    }
    case PBM_SETBARCOLOR:
    case PBM_SETBKCOLOR: {
      COLORREF& target = msg == PBM_SETBARCOLOR ? barColor_ : backColor_;
      COLORREF old = target;
      target = static_cast<COLORREF>(lParam);
      redraw();
      return old;
    }
    case PBM_GETBARCOLOR:
      return barColor_;
    case PBM_GETBKCOLOR:
      return backColor_;
    case WM_PAINT:
      return paintThroughPrintClient(hwnd());
    case WM_PRINTCLIENT:
      paintLook(reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      return byDefault(msg, wParam, lParam);
  }
}

LRESULT ProgressControl::setRange(int low, int high) {
  LRESULT old = MAKELONG(static_cast<WORD>(low_), static_cast<WORD>(high_));
  low_ = low;
  high_ = high;
  moveTo(pos_);
  redraw();
  return old;
}

int ProgressControl::moveTo(int pos) {
  int old = pos_;
  pos_ = std::clamp(pos, std::min(low_, high_), std::max(low_, high_));
  if (pos_ != old) redraw();
  return old;
}

}  // namespace wavorel
