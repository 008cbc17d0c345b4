#include "platform/win/commctrl/TabControl.h"

#include <algorithm>

#include "platform/win/user/Paint.h"
#include "platform/win/commctrl/Notify.h"

namespace wavorel {

LRESULT TabControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case TCM_GETITEMCOUNT:
      return count();
    case TCM_INSERTITEM:
      return insert(static_cast<int>(wParam), reinterpret_cast<const TCITEM*>(lParam));
    case TCM_DELETEITEM:
      return remove(static_cast<int>(wParam));
    case TCM_DELETEALLITEMS:
      items_.clear();
      current_ = focus_ = -1;
      redraw();
      return TRUE;
    case TCM_GETITEM:
      return get(static_cast<int>(wParam), reinterpret_cast<TCITEM*>(lParam));
    case TCM_SETITEM:
      return set(static_cast<int>(wParam), reinterpret_cast<const TCITEM*>(lParam));
    case TCM_GETCURSEL:
      return current_;
    case TCM_SETCURSEL: {
      int index = static_cast<int>(wParam);
      if (index < 0 || index >= count()) return -1;
      int old = current_;
      current_ = focus_ = index;
      redraw();
      return old;
    }
    case TCM_GETCURFOCUS:
      return focus_;
    case TCM_SETCURFOCUS: {
      int index = static_cast<int>(wParam);
      if (index < 0 || index >= count()) return 0;
      if (style() & TCS_BUTTONS)
        focus_ = index;
      else
        choose(index);
      redraw();
      return 0;
    }
    case TCM_GETITEMRECT:
      return itemRect(static_cast<int>(wParam), reinterpret_cast<RECT*>(lParam));
    case TCM_HITTEST:
      return hitTest(reinterpret_cast<TCHITTESTINFO*>(lParam));
    case TCM_ADJUSTRECT:
      adjustRect(wParam != 0, reinterpret_cast<RECT*>(lParam));
      return 0;
    case TCM_SETITEMSIZE: {
      LRESULT old = MAKELONG(width_, tabHeight());
      width_ = static_cast<short>(LOWORD(lParam));
      height_ = static_cast<short>(HIWORD(lParam));
      redraw();
      return old;
    }
    case TCM_SETPADDING:
      padding_ = static_cast<short>(LOWORD(lParam));
      verticalPadding_ = static_cast<short>(HIWORD(lParam));
      redraw();
      return 0;
    case TCM_GETROWCOUNT:
      return 1;
    case TCM_SETIMAGELIST: {
      HIMAGELIST old = imageList_;
      imageList_ = reinterpret_cast<HIMAGELIST>(lParam);
      redraw();
      return reinterpret_cast<LRESULT>(old);
    }
    case TCM_GETIMAGELIST:
      return reinterpret_cast<LRESULT>(imageList_);
    case WM_LBUTTONDOWN: {
      TCHITTESTINFO hit{{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}, 0};
      int index = hitTest(&hit);
      if (index >= 0 && !(style() & TCS_FOCUSNEVER)) SetFocus(hwnd());
      if (index >= 0) choose(index);
      return 0;
    }
    case WM_KEYDOWN: {
      NMTCKEYDOWN nm{};
      nm.wVKey = static_cast<WORD>(wParam);
      sendNotify(hwnd(), TCN_KEYDOWN, &nm.hdr);
      if (wParam == VK_LEFT && current_ > 0) choose(current_ - 1);
      if (wParam == VK_RIGHT && current_ + 1 < count()) choose(current_ + 1);
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_PAINT:
      return paintThroughPrintClient(hwnd());
    case WM_PRINTCLIENT:
      paintLook(reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      return byDefault(msg, wParam, lParam);
  }
}

void TabControl::choose(int index) {
  if (index == current_) return;
  NMHDR hdr{};
  if (sendNotify(hwnd(), TCN_SELCHANGING, &hdr)) return;
  current_ = focus_ = index;
  redraw();
  NMHDR changed{};
  sendNotify(hwnd(), TCN_SELCHANGE, &changed);
}

int TabControl::tabWidth(int index) const {
  if ((style() & TCS_FIXEDWIDTH) && width_ > 0) return width_;
  const Item& item = items_[static_cast<size_t>(index)];
  int icon = item.image >= 0 && imageList_ ? kIconWidth : 0;
  return textWidth(item.text) + 2 * padding_ + icon;
}

bool TabControl::itemRect(int index, RECT* rect) const {
  if (rect == nullptr || index < 0 || index >= count()) return false;
  int left = kIndent;
  for (int i = 0; i < index; ++i) left += tabWidth(i);
  RECT client{};
  GetClientRect(hwnd(), &client);
  int top = (style() & TCS_BOTTOM) ? client.bottom - tabHeight() : 0;
  *rect = {left, top, left + tabWidth(index), top + tabHeight()};
  return true;
}

int TabControl::hitTest(TCHITTESTINFO* info) const {
  if (info == nullptr) return -1;
  info->flags = TCHT_NOWHERE;
  RECT r{};
  for (int i = 0; i < count(); ++i) {
    itemRect(i, &r);
    if (info->pt.x < r.left || info->pt.x >= r.right || info->pt.y < r.top || info->pt.y >= r.bottom) continue;
    const Item& item = items_[static_cast<size_t>(i)];
    bool icon = item.image >= 0 && imageList_ && info->pt.x < r.left + padding_ + kIconWidth;
    info->flags = icon ? TCHT_ONITEMICON : TCHT_ONITEMLABEL;
    return i;
  }
  return -1;
}

void TabControl::adjustRect(bool larger, RECT* rect) const {
  if (rect == nullptr) return;
  int sign = larger ? -1 : 1;
  bool bottom = (style() & TCS_BOTTOM) != 0;
  rect->left += sign * kIndent;
  rect->right -= sign * kIndent;
  rect->top += sign * (bottom ? kIndent : tabHeight() + kIndent);
  rect->bottom -= sign * (bottom ? tabHeight() + kIndent : kIndent);
}

LRESULT TabControl::insert(int index, const TCITEM* item) {
  if (item == nullptr || index < 0) return -1;
  index = std::min(index, count());
  Item added;
  items_.insert(items_.begin() + index, added);
  set(index, item);
  if (current_ >= index) ++current_;
  if (focus_ >= index) ++focus_;
  if (current_ < 0) current_ = focus_ = 0;  // the first tab starts selected
  redraw();
  return index;
}

BOOL TabControl::remove(int index) {
  if (index < 0 || index >= count()) return FALSE;
  items_.erase(items_.begin() + index);
  auto shift = [&](int& i) {
    if (i == index)
      i = -1;
    else if (i > index)
      --i;
  };
  shift(current_);
  shift(focus_);
  redraw();
  return TRUE;
}

BOOL TabControl::get(int index, TCITEM* item) const {
  if (item == nullptr || index < 0 || index >= count()) return FALSE;
  const Item& it = items_[static_cast<size_t>(index)];
  if (item->mask & TCIF_TEXT) copyText(it.text, item->pszText, item->cchTextMax);
  if (item->mask & TCIF_IMAGE) item->iImage = it.image;
  if (item->mask & TCIF_PARAM) item->lParam = it.lParam;
  if (item->mask & TCIF_STATE) item->dwState = it.state & item->dwStateMask;
  return TRUE;
}

BOOL TabControl::set(int index, const TCITEM* item) {
  if (item == nullptr || index < 0 || index >= count()) return FALSE;
  Item& it = items_[static_cast<size_t>(index)];
  if (item->mask & TCIF_TEXT) it.text = item->pszText ? item->pszText : "";
  if (item->mask & TCIF_IMAGE) it.image = item->iImage;
  if (item->mask & TCIF_PARAM) it.lParam = item->lParam;
  if (item->mask & TCIF_STATE) it.state = (it.state & ~item->dwStateMask) | (item->dwState & item->dwStateMask);
  redraw();
  return TRUE;
}

}  // namespace wavorel
