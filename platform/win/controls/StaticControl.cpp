#include "platform/win/controls/StaticControl.h"

#include "platform/win/user/Paint.h"

namespace wavorel {

namespace {

constexpr WPARAM kImageBitmap = 0;
constexpr WPARAM kImageIcon = 1;
constexpr WPARAM kImageCursor = 2;

}  // namespace

HANDLE* StaticControl::imageSlot(WPARAM type) {
  if (type == kImageBitmap) return &bitmap_;
  if (type == kImageIcon || type == kImageCursor) return &icon_;
  return nullptr;
}

LRESULT StaticControl::setImage(WPARAM type, HANDLE image) {
  HANDLE* slot = imageSlot(type);
  if (slot == nullptr) return 0;
  HANDLE old = *slot;
  *slot = image;
  redraw();
  return reinterpret_cast<LRESULT>(old);
}

LRESULT StaticControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case STM_SETIMAGE: return setImage(wParam, reinterpret_cast<HANDLE>(lParam));
    case STM_GETIMAGE: {
      HANDLE* slot = imageSlot(wParam);
      return slot ? reinterpret_cast<LRESULT>(*slot) : 0;
    }
    case STM_SETICON: return setImage(kImageIcon, reinterpret_cast<HANDLE>(wParam));
    case STM_GETICON: return reinterpret_cast<LRESULT>(icon_);
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_LBUTTONDOWN:
      if (style() & SS_NOTIFY) notify(STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (style() & SS_NOTIFY) notify(STN_DBLCLK);
      return 0;
    case WM_ENABLE:
      if (style() & SS_NOTIFY) notify(wParam ? STN_ENABLE : STN_DISABLE);
      redraw();
      return 0;
    case WM_SETTEXT: {
      LRESULT r = byDefault(msg, wParam, lParam);
      redraw();
      return r;
    }
    case WM_PRINTCLIENT:
      if ((style() & SS_TYPEMASK) == SS_OWNERDRAW) {
        RECT r;
        GetClientRect(hwnd(), &r);
        drawItem(ODT_STATIC, reinterpret_cast<HDC>(wParam), 0, IsWindowEnabled(hwnd()) ? 0 : ODS_DISABLED, 0, r);
      } else {
        paintLook(reinterpret_cast<HDC>(wParam));
      }
      return 0;
    case WM_PAINT: return paintThroughPrintClient(hwnd());
    default: return byDefault(msg, wParam, lParam);
  }
}

}  // namespace wavorel
