#include "platform/win/controls/ListBoxControl.h"

#include <algorithm>

#include "platform/win/user/Paint.h"

namespace wavorel {

void ListBoxControl::create() {
  DWORD s = style();
  ItemList::Kind kind;
  kind.ctlType = ODT_LISTBOX;
  kind.sorted = (s & LBS_SORT) != 0;
  kind.ownerDraw = (s & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
  kind.variable = (s & LBS_OWNERDRAWVARIABLE) != 0;
  kind.hasStrings = !kind.ownerDraw || (s & LBS_HASSTRINGS);
  items_ = std::make_unique<ItemList>(hwnd(), kind);
}

void ListBoxControl::measureFixed() {
  if (style() & LBS_OWNERDRAWFIXED) {
    MEASUREITEMSTRUCT mis{ODT_LISTBOX, id(), 0, 0, itemHeight_, 0};
    sendParent(WM_MEASUREITEM, id(), reinterpret_cast<LPARAM>(&mis));
    itemHeight_ = mis.itemHeight;
  }
}

void ListBoxControl::fontChanged() {
  if (style() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) return;
  itemHeight_ = font() ? static_cast<UINT>(fontHeight()) : 16;
}

UINT ListBoxControl::heightOf(int index) const {
  return items_->kind().variable ? items_->at(static_cast<WPARAM>(index)).height : itemHeight_;
}

LRESULT ListBoxControl::setCurSel(WPARAM index) {
  if (style() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) return LB_ERR;
  selected_ = items_->valid(index) ? static_cast<int>(index) : LB_ERR;
  redraw();
  return selected_;
}

void ListBoxControl::userSelect(int index) {
  if (!items_->valid(static_cast<WPARAM>(index)) || index == selected_) return;
  selected_ = index;
  redraw();
  if (notifies()) notify(LBN_SELCHANGE);
}

RECT ListBoxControl::itemRect(int index) const {
  RECT client;
  GetClientRect(hwnd(), &client);
  LONG y = 0;
  for (int i = top_; i < index; ++i) y += static_cast<LONG>(heightOf(i));
  for (int i = index; i < top_; ++i) y -= static_cast<LONG>(heightOf(i));
  return RECT{0, y, client.right, y + static_cast<LONG>(heightOf(index))};
}

int ListBoxControl::itemAt(LPARAM point) const {
  LONG y = GET_Y_LPARAM(point);
  if (y < 0) return LB_ERR;
  LONG bottom = 0;
  for (int i = top_; i < items_->count(); ++i) {
    bottom += static_cast<LONG>(heightOf(i));
    if (y < bottom) return i;
  }
  return LB_ERR;
}

LRESULT ListBoxControl::removeItem(WPARAM index) {
  int left = items_->remove(index);
  if (left < 0) return LB_ERR;
  auto removed = static_cast<int>(index);
  if (selected_ == removed)
    selected_ = LB_ERR;
  else if (selected_ > removed)
    --selected_;
  top_ = std::max(0, std::min(top_, left - 1));
  redraw();
  return left;
}

void ListBoxControl::paint(HDC dc) const {
  if (!items_->kind().ownerDraw) {
    paintLook(dc);
    return;
  }
  for (int i = top_; i < items_->count(); ++i) {
    auto at = static_cast<WPARAM>(i);
    drawItem(ODT_LISTBOX, dc, static_cast<UINT>(i), i == selected_ ? ODS_SELECTED : 0, items_->at(at).data, itemRect(i));
  }
}

LRESULT ListBoxControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCREATE:
      create();
      return byDefault(msg, wParam, lParam);
    case WM_CREATE: measureFixed(); return 0;
    case WM_DESTROY: items_->clear(); return 0;
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
      int at = msg == LB_ADDSTRING ? items_->add(lParam, itemHeight_) : items_->insert(wParam, lParam, itemHeight_);
      if (at < 0) return LB_ERR;
      if (selected_ >= at) ++selected_;
      redraw();
      return at;
    }
    case LB_DELETESTRING: return removeItem(wParam);
    case LB_RESETCONTENT:
      items_->clear();
      selected_ = LB_ERR;
      top_ = 0;
      redraw();
      return 0;
    case LB_GETCOUNT: return items_->count();
    case LB_GETCURSEL: return selected_;
    case LB_SETCURSEL: return setCurSel(wParam);
    case LB_GETTEXT: return items_->copyText(wParam, reinterpret_cast<LPSTR>(lParam));
    case LB_GETTEXTLEN: return items_->textLength(wParam);
    case LB_FINDSTRING: return items_->find(wParam, lParam, false);
    case LB_FINDSTRINGEXACT: return items_->find(wParam, lParam, true);
    case LB_SELECTSTRING: {
      int found = items_->find(wParam, lParam, false);
      return found < 0 ? LB_ERR : setCurSel(static_cast<WPARAM>(found));
    }
    case LB_GETITEMDATA:
      return items_->valid(wParam) ? static_cast<LRESULT>(items_->at(wParam).data) : LB_ERR;
    case LB_SETITEMDATA:
      if (!items_->valid(wParam)) return LB_ERR;
      items_->at(wParam).data = static_cast<ULONG_PTR>(lParam);
      return TRUE;
    case LB_GETTOPINDEX: return top_;
    case LB_SETTOPINDEX:
      if (!items_->valid(wParam)) return LB_ERR;
      top_ = static_cast<int>(wParam);
      redraw();
      return 0;
    case LB_GETITEMHEIGHT:
      if (items_->kind().variable) return items_->valid(wParam) ? heightOf(static_cast<int>(wParam)) : LB_ERR;
      return itemHeight_;
    case LB_SETITEMHEIGHT: {
      UINT h = LOWORD(lParam);
      if (h == 0 || h > 255) return LB_ERR;
      if (items_->kind().variable) {
        if (!items_->valid(wParam)) return LB_ERR;
        items_->at(wParam).height = h;
      } else {
        itemHeight_ = h;
      }
      redraw();
      return 0;
    }
    case LB_GETITEMRECT:
      if (!items_->valid(wParam) || lParam == 0) return LB_ERR;
      *reinterpret_cast<RECT*>(lParam) = itemRect(static_cast<int>(wParam));
      return TRUE;
    case LB_ITEMFROMPOINT: {
      int at = itemAt(lParam);
      return at < 0 ? MAKELONG(std::max(0, items_->count() - 1), 1) : MAKELONG(at, 0);
    }
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd());
      userSelect(itemAt(lParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      userSelect(itemAt(lParam));
      if (notifies() && itemAt(lParam) >= 0) notify(LBN_DBLCLK);
      return 0;
    case WM_KEYDOWN: {
      int last = items_->count() - 1;
      if (last < 0) return 0;
      switch (wParam) {
        case VK_UP: userSelect(selected_ < 0 ? 0 : std::max(0, selected_ - 1)); break;
        case VK_DOWN: userSelect(selected_ < 0 ? 0 : std::min(last, selected_ + 1)); break;
        case VK_HOME: userSelect(0); break;
        case VK_END: userSelect(last); break;
        default: break;
      }
      return 0;
    }
    case WM_SETFOCUS:
      if (notifies()) notify(LBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (notifies()) notify(LBN_KILLFOCUS);
      return 0;
    case WM_PRINTCLIENT: paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_PAINT: return paintThroughPrintClient(hwnd());
    default: return byDefault(msg, wParam, lParam);
  }
}

}  // namespace wavorel
