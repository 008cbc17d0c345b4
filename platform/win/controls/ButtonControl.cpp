#include "platform/win/controls/ButtonControl.h"

#include <vector>

#include "platform/win/user/Paint.h"

namespace wavorel {

namespace {

constexpr WPARAM kImageBitmap = 0;
constexpr WPARAM kImageIcon = 1;

bool inside(HWND hwnd, LPARAM lParam) {
  RECT r;
  GetClientRect(hwnd, &r);
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
}

// The siblings of `hwnd` that share its group: from the nearest sibling at or
// before it with WS_GROUP up to the next sibling with WS_GROUP.
std::vector<HWND> groupOf(HWND hwnd) {
  HWND first = hwnd;
  while (!(GetWindowLong(first, GWL_STYLE) & WS_GROUP)) {
    HWND prev = GetWindow(first, GW_HWNDPREV);
    if (prev == nullptr) break;
    first = prev;
  }
  std::vector<HWND> group{first};
  for (HWND h = GetWindow(first, GW_HWNDNEXT); h && !(GetWindowLong(h, GWL_STYLE) & WS_GROUP);
       h = GetWindow(h, GW_HWNDNEXT))
    group.push_back(h);
  return group;
}

}  // namespace

UINT ButtonControl::colorMessage() const {
  DWORD t = type();
  return (t == BS_PUSHBUTTON || t == BS_DEFPUSHBUTTON || t == BS_OWNERDRAW) ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC;
}

bool ButtonControl::checkable() const {
  switch (type()) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return true;
    default:
      return false;
  }
}

UINT ButtonControl::dialogCode() const {
  switch (type()) {
    case BS_PUSHBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX: return DLGC_STATIC;
    default: return DLGC_BUTTON;
  }
}

void ButtonControl::setCheck(WPARAM check) {
  if (!checkable()) return;
  DWORD t = type();
  UINT value = (t == BS_3STATE || t == BS_AUTO3STATE) ? static_cast<UINT>(check & 3) : (check ? BST_CHECKED : BST_UNCHECKED);
  if (value > BST_INDETERMINATE) value = BST_INDETERMINATE;
  if (value != check_) {
    check_ = value;
    redraw();
  }
}

void ButtonControl::setPushed(bool pushed) {
  if (pushed != pushed_) {
    pushed_ = pushed;
    redraw();
  }
}

void ButtonControl::press() {
  if (type() == BS_GROUPBOX) return;
  SetFocus(hwnd());
  tracking_ = true;
  SetCapture(hwnd());
  setPushed(true);
}

void ButtonControl::release(bool clicked) {
  bool wasTracking = tracking_;
  tracking_ = false;
  setPushed(false);
  if (GetCapture() == hwnd()) ReleaseCapture();
  if (wasTracking && clicked) click();
}

void ButtonControl::click() {
  switch (type()) {
    case BS_AUTOCHECKBOX: setCheck(check_ == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED); break;
    case BS_AUTO3STATE: setCheck((check_ + 1) % 3); break;
    case BS_AUTORADIOBUTTON:
      setCheck(BST_CHECKED);
      uncheckGroupRadios();
      break;
    default: break;
  }
  notify(BN_CLICKED);
}

void ButtonControl::uncheckGroupRadios() const {
  for (HWND h : groupOf(hwnd())) {
    if (h == hwnd()) continue;
    if (SendMessage(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) SendMessage(h, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

void ButtonControl::paint(HDC dc) const {
  if (type() != BS_OWNERDRAW) {
    paintLook(dc);
    return;
  }
  DWORD s = style();
  UINT state = 0;
  if (pushed_) state |= ODS_SELECTED;
  if (focus_) state |= ODS_FOCUS;
  if (s & WS_DISABLED) state |= ODS_DISABLED;
  RECT r;
  GetClientRect(hwnd(), &r);
  drawItem(ODT_BUTTON, dc, 0, state, 0, r);
}

LRESULT ButtonControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case BM_GETCHECK: return checkable() ? check_ : BST_UNCHECKED;
    case BM_SETCHECK: setCheck(wParam); return 0;
    case BM_GETSTATE: return check_ | (pushed_ ? BST_PUSHED : 0) | (focus_ ? BST_FOCUS : 0);
    case BM_SETSTATE: setPushed(wParam != 0); return 0;
    case BM_SETSTYLE:
      setStyle((style() & 0xFFFF0000u) | LOWORD(wParam));
      if (lParam) redraw();
      return 0;
    case BM_CLICK:
      if (!IsWindowEnabled(hwnd())) return 0;
      clicking_ = true;
      SendMessage(hwnd(), WM_LBUTTONDOWN, 0x0001, 0);
      SendMessage(hwnd(), WM_LBUTTONUP, 0, 0);
      clicking_ = false;
      return 0;
    case BM_SETIMAGE: {
      HANDLE* slot = wParam == kImageBitmap ? &bitmap_ : wParam == kImageIcon ? &icon_ : nullptr;
      if (slot == nullptr) return 0;
      HANDLE old = *slot;
      *slot = reinterpret_cast<HANDLE>(lParam);
      redraw();
      return reinterpret_cast<LRESULT>(old);
    }
    case BM_GETIMAGE:
      return reinterpret_cast<LRESULT>(wParam == kImageBitmap ? bitmap_ : wParam == kImageIcon ? icon_ : nullptr);
    case WM_GETDLGCODE: return dialogCode();
    // A group box only frames other controls: the mouse goes through it.
    case WM_NCHITTEST: return type() == BS_GROUPBOX ? HTTRANSPARENT : byDefault(msg, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: press(); return 0;
    case WM_MOUSEMOVE:
      if (tracking_) setPushed(inside(hwnd(), lParam));
      return 0;
    case WM_LBUTTONUP: release(clicking_ || inside(hwnd(), lParam)); return 0;
    case WM_CAPTURECHANGED:
      if (tracking_ && reinterpret_cast<HWND>(lParam) != hwnd()) {
        tracking_ = false;
        setPushed(false);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && type() != BS_GROUPBOX) {
        tracking_ = true;
        setPushed(true);
      }
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE) release(pushed_);
      return 0;
    case WM_SETFOCUS:
      focus_ = true;
      redraw();
      if (style() & BS_NOTIFY) notify(BN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      focus_ = false;
      if (tracking_) release(false);
      redraw();
      if (style() & BS_NOTIFY) notify(BN_KILLFOCUS);
      return 0;
    case WM_ENABLE: redraw(); return 0;
    case WM_SETTEXT: {
      LRESULT r = byDefault(msg, wParam, lParam);
      redraw();
      return r;
    }
    case WM_PRINTCLIENT: paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_PAINT: return paintThroughPrintClient(hwnd());
    default: return byDefault(msg, wParam, lParam);
  }
}

}  // namespace wavorel
