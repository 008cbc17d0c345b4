#include "platform/win/commctrl/TrackbarControl.h"
#include "platform/win/user/Paint.h"

#include <algorithm>

namespace wavorel {

namespace {

POINT pointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

LRESULT TrackbarControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case TBM_GETPOS:
      return pos_;
    case TBM_GETRANGEMIN:
      return min_;
    case TBM_GETRANGEMAX:
      return max_;
    case TBM_SETPOS:
      setPos(static_cast<int>(lParam));
      return 0;
    case TBM_SETRANGE:
      min_ = static_cast<short>(LOWORD(lParam));
      max_ = static_cast<short>(HIWORD(lParam));
      setPos(pos_);
      return 0;
    case TBM_SETRANGEMIN:
      min_ = static_cast<int>(lParam);
      setPos(pos_);
      return 0;
    case TBM_SETRANGEMAX:
      max_ = static_cast<int>(lParam);
      setPos(pos_);
      return 0;
    case TBM_SETTICFREQ:
      ticFrequency_ = static_cast<int>(wParam);
      redraw();
      return 0;
    case TBM_SETPAGESIZE: {
      int old = pageSize();
      page_ = static_cast<int>(lParam);
      return old;
    }
    case TBM_GETPAGESIZE:
      return pageSize();
    case TBM_SETLINESIZE: {
      int old = line_;
      line_ = static_cast<int>(lParam);
      return old;
    }
    case TBM_GETLINESIZE:
      return line_;
    case TBM_GETCHANNELRECT:
    case TBM_GETTHUMBRECT:
      if (lParam) *reinterpret_cast<RECT*>(lParam) = msg == TBM_GETCHANNELRECT ? channel() : thumb();
      return 0;
    case WM_LBUTTONDOWN:
      onButtonDown(pointOf(lParam));
      return 0;
    case WM_MOUSEMOVE:
      onMouseMove(pointOf(lParam));
      return 0;
    case WM_LBUTTONUP:
      onButtonUp();
      return 0;
    case WM_CAPTURECHANGED:
      dragging_ = paging_ = false;
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
      onKey(static_cast<UINT>(wParam), msg == WM_KEYDOWN);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_PAINT:
      return paintThroughPrintClient(hwnd());
    case WM_PRINTCLIENT:
      paintLook(reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      return byDefault(msg, wParam, lParam);
  }
}

RECT TrackbarControl::channel() const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  if (vertical()) {
    LONG mid = client.right / 2;
    return {mid - 2, kChannelInset, mid + 2, std::max<LONG>(kChannelInset, client.bottom - kChannelInset)};
  }
  LONG mid = client.bottom / 2;
  return {kChannelInset, mid - 2, std::max<LONG>(kChannelInset, client.right - kChannelInset), mid + 2};
}

RECT TrackbarControl::thumb() const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  RECT c = channel();
  int start = vertical() ? c.top : c.left;
  int length = vertical() ? c.bottom - c.top : c.right - c.left;
  int at = start + (max_ > min_ ? (pos_ - min_) * length / (max_ - min_) : 0);
  if (vertical()) return {2, at - kThumbLength / 2, std::max<LONG>(2, client.right - 2), at + kThumbLength / 2};
  return {at - kThumbLength / 2, 2, at + kThumbLength / 2, std::max<LONG>(2, client.bottom - 2)};
}

int TrackbarControl::positionAt(int coordinate) const {
  RECT c = channel();
  int start = vertical() ? c.top : c.left;
  int length = vertical() ? c.bottom - c.top : c.right - c.left;
  if (length <= 0) return min_;
  int offset = std::clamp(coordinate - start, 0, length);
  return min_ + (offset * (max_ - min_) + length / 2) / length;
}

void TrackbarControl::setPos(int pos) {
  int clamped = std::clamp(pos, std::min(min_, max_), std::max(min_, max_));
  if (clamped == pos_) return;
  pos_ = clamped;
  redraw();
}

void TrackbarControl::report(UINT code) {
  WORD high = (code == TB_THUMBTRACK || code == TB_THUMBPOSITION) ? static_cast<WORD>(pos_) : 0;
  sendParent(vertical() ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, high), reinterpret_cast<LPARAM>(hwnd()));
}

void TrackbarControl::act(UINT code, int pos) {
  setPos(pos);
  report(code);
}

void TrackbarControl::onButtonDown(POINT pt) {
  if (GetFocus() != hwnd()) SetFocus(hwnd());
  RECT t = thumb();
  bool onThumb = pt.x >= t.left && pt.x < t.right && pt.y >= t.top && pt.y < t.bottom;
  SetCapture(hwnd());
  if (onThumb) {
    dragging_ = true;
    return;
  }
  paging_ = true;
  int thumbAt = vertical() ? (t.top + t.bottom) / 2 : (t.left + t.right) / 2;
  if (along(pt) < thumbAt)
    act(TB_PAGEUP, pos_ - pageSize());
  else
    act(TB_PAGEDOWN, pos_ + pageSize());
}

void TrackbarControl::onMouseMove(POINT pt) {
  if (!dragging_) return;
  int pos = positionAt(along(pt));
  if (pos != pos_) act(TB_THUMBTRACK, pos);
}

void TrackbarControl::onButtonUp() {
  bool dragged = dragging_;
  bool paged = paging_;
  dragging_ = paging_ = false;
  if (GetCapture() == hwnd()) ReleaseCapture();
  if (dragged) report(TB_THUMBPOSITION);
  if (dragged || paged) report(TB_ENDTRACK);
}

void TrackbarControl::onKey(UINT vk, bool down) {
  UINT code;
  int pos;
  switch (vk) {
    case VK_LEFT:
    case VK_UP:
      code = TB_LINEUP;
      pos = pos_ - line_;
      break;
    case VK_RIGHT:
    case VK_DOWN:
      code = TB_LINEDOWN;
      pos = pos_ + line_;
      break;
    case VK_PRIOR:
      code = TB_PAGEUP;
      pos = pos_ - pageSize();
      break;
    case VK_NEXT:
      code = TB_PAGEDOWN;
      pos = pos_ + pageSize();
      break;
    case VK_HOME:
      code = TB_TOP;
      pos = min_;
      break;
    case VK_END:
      code = TB_BOTTOM;
      pos = max_;
      break;
    default:
      return;
  }
  if (down)
    act(code, pos);
  else
    report(TB_ENDTRACK);
}

}  // namespace wavorel
