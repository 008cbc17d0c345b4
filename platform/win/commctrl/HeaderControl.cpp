#include "platform/win/commctrl/HeaderControl.h"

#include <algorithm>

#include "platform/win/user/Paint.h"
#include "platform/win/commctrl/Notify.h"

namespace wavorel {

namespace {

POINT pointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

LRESULT HeaderControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case HDM_GETITEMCOUNT:
      return count();
    case HDM_INSERTITEM:
      return insert(static_cast<int>(wParam), reinterpret_cast<const HDITEM*>(lParam));
    case HDM_DELETEITEM:
      return remove(static_cast<int>(wParam));
    case HDM_GETITEM:
      return get(static_cast<int>(wParam), reinterpret_cast<HDITEM*>(lParam));
    case HDM_SETITEM:
      return set(static_cast<int>(wParam), reinterpret_cast<const HDITEM*>(lParam));
    case HDM_LAYOUT:
      return layout(reinterpret_cast<HDLAYOUT*>(lParam));
    case HDM_HITTEST:
      return hitTest(reinterpret_cast<HDHITTESTINFO*>(lParam));
    case HDM_GETITEMRECT:
      return itemRect(static_cast<int>(wParam), reinterpret_cast<RECT*>(lParam));
    case HDM_SETIMAGELIST: {
      HIMAGELIST old = imageList_;
      imageList_ = reinterpret_cast<HIMAGELIST>(lParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case HDM_GETIMAGELIST:
      return reinterpret_cast<LRESULT>(imageList_);
    case HDM_GETORDERARRAY:
      return getOrder(static_cast<int>(wParam), reinterpret_cast<int*>(lParam));
    case HDM_SETORDERARRAY:
      return setOrder(static_cast<int>(wParam), reinterpret_cast<const int*>(lParam));
    case HDM_ORDERTOINDEX: {
      int pos = static_cast<int>(wParam);
      return pos >= 0 && pos < count() ? order_[static_cast<size_t>(pos)] : static_cast<LRESULT>(wParam);
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      onButtonDown(pointOf(lParam), msg == WM_LBUTTONDBLCLK);
      return 0;
    case WM_MOUSEMOVE:
      onMouseMove(pointOf(lParam));
      return 0;
    case WM_LBUTTONUP:
      onButtonUp(pointOf(lParam));
      return 0;
    case WM_RBUTTONUP: {
      NMHDR hdr{};
      sendNotify(hwnd(), NM_RCLICK, &hdr);
      return 0;
    }
    case WM_CAPTURECHANGED:
      pressed_ = tracking_ = -1;
      return 0;
    case WM_PAINT:
      return paintThroughPrintClient(hwnd());
    case WM_PRINTCLIENT:
      paintLook(reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      return byDefault(msg, wParam, lParam);
  }
}

void HeaderControl::apply(Item& target, const HDITEM& item) {
  if (item.mask & HDI_TEXT) target.text = item.pszText ? item.pszText : "";
  if (item.mask & HDI_WIDTH) target.width = std::max(0, item.cxy);
  if (item.mask & HDI_FORMAT) target.format = item.fmt;
  if (item.mask & HDI_LPARAM) target.lParam = item.lParam;
  if (item.mask & HDI_IMAGE) target.image = item.iImage;
  if (item.mask & HDI_BITMAP) target.bitmap = item.hbm;
}

LRESULT HeaderControl::insert(int index, const HDITEM* item) {
  if (item == nullptr || index < 0) return -1;
  index = std::min(index, count());
  Item added;
  apply(added, *item);
  items_.insert(items_.begin() + index, added);
  for (int& i : order_)
    if (i >= index) ++i;
  int pos = (item->mask & HDI_ORDER) ? std::clamp(item->iOrder, 0, count() - 1) : index;
  order_.insert(order_.begin() + pos, index);
  redraw();
  return index;
}

BOOL HeaderControl::remove(int index) {
  if (index < 0 || index >= count()) return FALSE;
  items_.erase(items_.begin() + index);
  order_.erase(std::find(order_.begin(), order_.end(), index));
  for (int& i : order_)
    if (i > index) --i;
  redraw();
  return TRUE;
}

BOOL HeaderControl::get(int index, HDITEM* item) const {
  if (item == nullptr || index < 0 || index >= count()) return FALSE;
  const Item& it = items_[static_cast<size_t>(index)];
  if (item->mask & HDI_TEXT) copyText(it.text, item->pszText, item->cchTextMax);
  if (item->mask & HDI_WIDTH) item->cxy = it.width;
  if (item->mask & HDI_FORMAT) item->fmt = it.format;
  if (item->mask & HDI_LPARAM) item->lParam = it.lParam;
  if (item->mask & HDI_IMAGE) item->iImage = it.image;
  if (item->mask & HDI_BITMAP) item->hbm = it.bitmap;
  if (item->mask & HDI_ORDER)
    item->iOrder = static_cast<int>(std::find(order_.begin(), order_.end(), index) - order_.begin());
  return TRUE;
}

BOOL HeaderControl::set(int index, const HDITEM* item) {
  if (item == nullptr || index < 0 || index >= count()) return FALSE;
  HDITEM asked = *item;
  if (notifyItem(HDN_ITEMCHANGING, index, &asked)) return FALSE;
  apply(items_[static_cast<size_t>(index)], *item);
  if (item->mask & HDI_ORDER) {
    order_.erase(std::find(order_.begin(), order_.end(), index));
    order_.insert(order_.begin() + std::clamp(item->iOrder, 0, count() - 1), index);
  }
  notifyItem(HDN_ITEMCHANGED, index, &asked);
  redraw();
  return TRUE;
}

BOOL HeaderControl::itemRect(int index, RECT* rect) const {
  if (rect == nullptr || index < 0 || index >= count()) return FALSE;
  RECT client{};
  GetClientRect(hwnd(), &client);
  int left = 0;
  for (int i : order_) {
    if (i == index) break;
    left += items_[static_cast<size_t>(i)].width;
  }
  *rect = {left, 0, left + items_[static_cast<size_t>(index)].width, client.bottom};
  return TRUE;
}

int HeaderControl::hitTest(HDHITTESTINFO* info) const {
  if (info == nullptr) return -1;
  RECT client{};
  GetClientRect(hwnd(), &client);
  info->iItem = -1;
  info->flags = 0;
  if (info->pt.y < 0) info->flags |= HHT_ABOVE;
  if (info->pt.y >= client.bottom) info->flags |= HHT_BELOW;
  if (info->pt.x < 0) info->flags |= HHT_TOLEFT;
  if (info->pt.x >= client.right) info->flags |= HHT_TORIGHT;
  if (info->flags) return -1;
  RECT r{};
  for (int i : order_) {
    itemRect(i, &r);
    if (info->pt.x >= r.right - kDividerSlack && info->pt.x <= r.right + kDividerSlack) {
      info->flags = HHT_ONDIVIDER;
      info->iItem = i;
      return i;
    }
  }
  for (int i : order_) {
    itemRect(i, &r);
    if (info->pt.x >= r.left && info->pt.x < r.right) {
      info->flags = HHT_ONHEADER;
      info->iItem = i;
      return i;
    }
  }
  info->flags = HHT_NOWHERE;
  return -1;
}

BOOL HeaderControl::layout(HDLAYOUT* layout) const {
  if (layout == nullptr || layout->prc == nullptr || layout->pwpos == nullptr) return FALSE;
  int height = (style() & HDS_HIDDEN) ? 0 : kHeight;
  RECT& r = *layout->prc;
  *layout->pwpos = {hwnd(), nullptr, r.left, r.top, r.right - r.left, height, 0};
  r.top += height;
  return TRUE;
}

BOOL HeaderControl::getOrder(int n, int* order) const {
  if (order == nullptr || n != count()) return FALSE;
  std::copy(order_.begin(), order_.end(), order);
  return TRUE;
}

BOOL HeaderControl::setOrder(int n, const int* order) {
  if (order == nullptr || n != count()) return FALSE;
  std::vector<int> wanted(order, order + n);
  std::vector<int> sorted = wanted;
  std::sort(sorted.begin(), sorted.end());
  for (int i = 0; i < n; ++i)
    if (sorted[static_cast<size_t>(i)] != i) return FALSE;
  order_ = wanted;
  redraw();
  return TRUE;
}

LRESULT HeaderControl::notifyItem(UINT code, int index, HDITEM* item, int button) {
  NMHEADER nm{};
  nm.iItem = index;
  nm.iButton = button;
  nm.pitem = item;
  return sendNotify(hwnd(), code, &nm.hdr);
}

void HeaderControl::onButtonDown(POINT pt, bool twice) {
  HDHITTESTINFO hit{pt, 0, -1};
  hitTest(&hit);
  if (hit.iItem < 0) return;
  if (hit.flags & HHT_ONDIVIDER) {
    if (twice) {
      notifyItem(HDN_DIVIDERDBLCLICK, hit.iItem, nullptr);
      return;
    }
    HDITEM item{};
    item.mask = HDI_WIDTH;
    item.cxy = items_[static_cast<size_t>(hit.iItem)].width;
    if (notifyItem(HDN_BEGINTRACK, hit.iItem, &item)) return;
    tracking_ = hit.iItem;
    SetCapture(hwnd());
    return;
  }
  if (twice) {
    notifyItem(HDN_ITEMDBLCLICK, hit.iItem, nullptr);
    return;
  }
  pressed_ = hit.iItem;
  SetCapture(hwnd());
}

void HeaderControl::onMouseMove(POINT pt) {
  if (tracking_ < 0) return;
  RECT r{};
  itemRect(tracking_, &r);
  HDITEM item{};
  item.mask = HDI_WIDTH;
  item.cxy = std::max(0, static_cast<int>(pt.x - r.left));
  if (notifyItem(HDN_TRACK, tracking_, &item)) return;
  if (style() & HDS_FULLDRAG) setWidth(tracking_, item.cxy);
}

void HeaderControl::onButtonUp(POINT pt) {
  int pressed = pressed_;
  int tracking = tracking_;
  pressed_ = tracking_ = -1;
  if (GetCapture() == hwnd()) ReleaseCapture();
  if (tracking >= 0) {
    RECT r{};
    itemRect(tracking, &r);
    HDITEM item{};
    item.mask = HDI_WIDTH;
    item.cxy = std::max(0, static_cast<int>(pt.x - r.left));
    notifyItem(HDN_ENDTRACK, tracking, &item);
    setWidth(tracking, item.cxy);
    return;
  }
  if (pressed < 0 || !(style() & HDS_BUTTONS)) return;
  HDHITTESTINFO hit{pt, 0, -1};
  hitTest(&hit);
  if (hit.iItem == pressed && (hit.flags & HHT_ONHEADER)) notifyItem(HDN_ITEMCLICK, pressed, nullptr);
}

void HeaderControl::setWidth(int index, int width) {
  HDITEM item{};
  item.mask = HDI_WIDTH;
  item.cxy = width;
  set(index, &item);
}

}  // namespace wavorel
