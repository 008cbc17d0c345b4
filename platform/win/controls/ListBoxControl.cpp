#include "platform/win/controls/ListBoxControl.h"

#include <algorithm>
#include <cctype>

#include "platform/win/controls/ComboBoxControl.h"
#include "platform/win/controls/ControlLook.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/user/Paint.h"

namespace wavorel {

namespace {

constexpr int kWheelRows = 3;

ComboBoxControl* comboOf(HWND combo) { return dynamic_cast<ComboBoxControl*>(controlOf(combo).get()); }

bool contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

POINT pointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

void ListBoxControl::create(const CREATESTRUCT* cs) {
  DWORD s = style();
  if ((s & LBS_COMBOBOX) && cs) combo_ = static_cast<HWND>(cs->lpCreateParams);
  ItemList::Kind kind;
  kind.ctlType = combo_ ? ODT_COMBOBOX : ODT_LISTBOX;
  kind.sorted = (s & LBS_SORT) != 0;
  kind.ownerDraw = (s & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
  kind.variable = (s & LBS_OWNERDRAWVARIABLE) != 0;
  kind.hasStrings = !kind.ownerDraw || (s & LBS_HASSTRINGS);
  // A combo box's items are known to their owner as the combo box's.
  items_ = std::make_unique<ItemList>(combo_ ? combo_ : hwnd(), kind);
}

void ListBoxControl::measureFixed() {
  if (style() & LBS_OWNERDRAWFIXED) {
    MEASUREITEMSTRUCT mis{combo_ ? static_cast<UINT>(ODT_COMBOBOX) : static_cast<UINT>(ODT_LISTBOX), ownerId(), 0, 0,
                          itemHeight_, 0};
    SendMessage(owner(), WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
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

LONG ListBoxControl::rowsHeight(int from, int rows) const {
  LONG height = 0;
  for (int i = std::max(0, from); i < items_->count() && i < from + rows; ++i) height += static_cast<LONG>(heightOf(i));
  return height;
}

int ListBoxControl::pageRows() const {
  RECT client;
  GetClientRect(hwnd(), &client);
  int rows = 0;
  LONG y = 0;
  for (int i = top_; i < items_->count(); ++i) {
    y += static_cast<LONG>(heightOf(i));
    if (y > client.bottom) break;
    ++rows;
  }
  return std::max(1, rows);
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
  ensureVisible(index);
  redraw();
  if (notifies()) notify(LBN_SELCHANGE);
  if (ComboBoxControl* combo = combo_ ? comboOf(combo_) : nullptr) combo->listSelected();
}

void ListBoxControl::track(int index) {
  hot_ = items_->valid(static_cast<WPARAM>(index)) ? index : -1;
  if (hot_ >= 0) ensureVisible(hot_);
  redraw();
}

RECT ListBoxControl::itemRect(int index) const {
  RECT client;
  GetClientRect(hwnd(), &client);
  if (barShown()) client.right = barRect().left;
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
  hot_ = -1;
  top_ = std::max(0, std::min(top_, left - 1));
  redraw();
  return left;
}

bool ListBoxControl::barShown() const {
  if (!(style() & WS_VSCROLL)) return false;
  RECT client;
  GetClientRect(hwnd(), &client);
  return rowsHeight(0, items_->count()) > client.bottom;
}

RECT ListBoxControl::barRect() const {
  RECT client;
  GetClientRect(hwnd(), &client);
  return RECT{std::max<LONG>(0, client.right - GetSystemMetrics(SM_CXVSCROLL)), 0, client.right, client.bottom};
}

RECT ListBoxControl::thumbRect() const {
  RECT bar = barRect();
  LONG arrow = std::min<LONG>(bar.right - bar.left, (bar.bottom - bar.top) / 2);
  LONG track = std::max<LONG>(0, bar.bottom - bar.top - 2 * arrow);
  int count = std::max(1, items_->count());
  LONG thumb = std::min<LONG>(track, std::max<LONG>(8, track * pageRows() / count));
  int most = maxTop();
  LONG at = most > 0 ? (track - thumb) * top_ / most : 0;
  return RECT{bar.left, bar.top + arrow + at, bar.right, bar.top + arrow + at + thumb};
}

ListBoxControl::BarPart ListBoxControl::barPartAt(POINT client) const {
  if (!barShown()) return BarPart::None;
  RECT bar = barRect();
  if (!contains(bar, client)) return BarPart::None;
  LONG arrow = std::min<LONG>(bar.right - bar.left, (bar.bottom - bar.top) / 2);
  if (client.y < bar.top + arrow) return BarPart::Up;
  if (client.y >= bar.bottom - arrow) return BarPart::Down;
  RECT thumb = thumbRect();
  if (client.y < thumb.top) return BarPart::PageUp;
  if (client.y >= thumb.bottom) return BarPart::PageDown;
  return BarPart::Thumb;
}

void ListBoxControl::barPress(BarPart part, POINT client) {
  switch (part) {
    case BarPart::Up: scrollTo(top_ - 1); break;
    case BarPart::Down: scrollTo(top_ + 1); break;
    case BarPart::PageUp: scrollTo(top_ - pageRows()); break;
    case BarPart::PageDown: scrollTo(top_ + pageRows()); break;
    case BarPart::Thumb:
      draggingThumb_ = true;
      dragOffset_ = client.y - thumbRect().top;
      if (!combo_) SetCapture(hwnd());
      break;
    case BarPart::None: break;
  }
}

int ListBoxControl::maxTop() const {
  RECT client;
  GetClientRect(hwnd(), &client);
  LONG height = 0;
  int top = items_->count();
  while (top > 0 && height + static_cast<LONG>(heightOf(top - 1)) <= client.bottom) height += static_cast<LONG>(heightOf(--top));
  return std::min(top, std::max(0, items_->count() - 1));
}

void ListBoxControl::scrollTo(int top) {
  top = std::max(0, std::min(top, maxTop()));
  if (top == top_) return;
  top_ = top;
  redraw();
}

void ListBoxControl::ensureVisible(int index) {
  if (index < top_) {
    scrollTo(index);
    return;
  }
  RECT client;
  GetClientRect(hwnd(), &client);
  // The top that shows `index` as the last whole item.
  LONG height = static_cast<LONG>(heightOf(index));
  int top = index;
  while (top > top_ && height + static_cast<LONG>(heightOf(top - 1)) <= client.bottom) height += static_cast<LONG>(heightOf(--top));
  if (top > top_) scrollTo(top);
}

void ListBoxControl::keyDown(WPARAM key) {
  int last = items_->count() - 1;
  if (last < 0) return;
  int at = selected_ < 0 ? 0 : selected_;
  switch (key) {
    case VK_UP: userSelect(selected_ < 0 ? 0 : std::max(0, selected_ - 1)); break;
    case VK_DOWN: userSelect(selected_ < 0 ? 0 : std::min(last, selected_ + 1)); break;
    case VK_PRIOR: userSelect(std::max(0, at - pageRows() + 1)); break;
    case VK_NEXT: userSelect(std::min(last, at + pageRows() - 1)); break;
    case VK_HOME: userSelect(0); break;
    case VK_END: userSelect(last); break;
    default: break;
  }
}

void ListBoxControl::typed(char ch) {
  if (!items_->kind().hasStrings || !std::isprint(static_cast<unsigned char>(ch))) return;
  const char prefix[2] = {ch, '\0'};
  int found = items_->find(static_cast<WPARAM>(selected_), reinterpret_cast<LPARAM>(prefix), false);
  if (found >= 0) userSelect(found);
}

void ListBoxControl::comboMouse(UINT msg, LPARAM lParam) {
  POINT p = pointOf(lParam);
  RECT client;
  GetClientRect(hwnd(), &client);
  bool inside = contains(client, p);
  ComboBoxControl* combo = comboOf(combo_);
  switch (msg) {
    case WM_MOUSEMOVE:
      if (inside && barPartAt(p) == BarPart::None && itemAt(lParam) >= 0 && itemAt(lParam) != hot_) {
        hot_ = itemAt(lParam);
        redraw();
      }
      return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (!inside) {
        if (combo) combo->listCancelled();
      } else if (BarPart part = barPartAt(p); part != BarPart::None) {
        barPress(part, p);
      }
      return;
    case WM_LBUTTONUP:
      if (inside && barPartAt(p) == BarPart::None && itemAt(lParam) >= 0 && combo) combo->listChose(itemAt(lParam));
      return;
    default: return;
  }
}

void ListBoxControl::paint(HDC dc) const {
  RECT client;
  GetClientRect(hwnd(), &client);
  HBRUSH back = prepareControlDc(hwnd(), dc, WM_CTLCOLORLISTBOX, WM_CTLCOLORLISTBOX, combo_ ? combo_ : parent());
  if (!items_->kind().ownerDraw) {
    paintLook(dc, back);
  } else {
    FillRect(dc, &client, back);
    bool showFocus = combo_ ? true : GetFocus() == hwnd();
    for (int i = top_; i < items_->count(); ++i) {
      RECT r = itemRect(i);
      if (r.top >= client.bottom) break;
      UINT state = 0;
      if (i == highlighted()) state |= ODS_SELECTED | (showFocus ? ODS_FOCUS : 0);
      DRAWITEMSTRUCT dis{combo_ ? static_cast<UINT>(ODT_COMBOBOX) : static_cast<UINT>(ODT_LISTBOX),
                         ownerId(),
                         static_cast<UINT>(i),
                         ODA_DRAWENTIRE,
                         state,
                         combo_ ? combo_ : hwnd(),
                         dc,
                         r,
                         items_->at(static_cast<WPARAM>(i)).data};
      SendMessage(owner(), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    }
  }
  if (barShown()) paintBar(dc);
}

LRESULT ListBoxControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (combo_ && GetCapture() == hwnd() &&
      (msg == WM_MOUSEMOVE || msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP || msg == WM_RBUTTONDOWN) &&
      !draggingThumb_) {
    comboMouse(msg, lParam);
    return 0;
  }
  switch (msg) {
    case WM_NCCREATE:
      create(reinterpret_cast<const CREATESTRUCT*>(lParam));
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
      hot_ = -1;
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
    case WM_LBUTTONDOWN: {
      SetFocus(hwnd());
      BarPart part = barPartAt(pointOf(lParam));
      if (part != BarPart::None)
        barPress(part, pointOf(lParam));
      else
        userSelect(itemAt(lParam));
      return 0;
    }
    case WM_MOUSEMOVE:
      if (draggingThumb_) {
        RECT bar = barRect(), thumb = thumbRect();
        LONG arrow = std::min<LONG>(bar.right - bar.left, (bar.bottom - bar.top) / 2);
        LONG track = bar.bottom - bar.top - 2 * arrow - (thumb.bottom - thumb.top);
        LONG at = GET_Y_LPARAM(lParam) - dragOffset_ - bar.top - arrow;
        if (track > 0) scrollTo(static_cast<int>((std::max<LONG>(0, at) * maxTop() + track / 2) / track));
      }
      return 0;
    case WM_LBUTTONUP:
      if (draggingThumb_) {
        draggingThumb_ = false;
        if (!combo_ && GetCapture() == hwnd()) ReleaseCapture();
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      userSelect(itemAt(lParam));
      if (notifies() && itemAt(lParam) >= 0) notify(LBN_DBLCLK);
      return 0;
    case WM_MOUSEWHEEL: scrollTo(top_ - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * kWheelRows); return 0;
    case WM_KEYDOWN: keyDown(wParam); return 0;
    case WM_CHAR: typed(static_cast<char>(wParam)); return 0;
    case WM_CAPTURECHANGED:
      draggingThumb_ = false;
      if (combo_ && IsWindowVisible(hwnd()) && reinterpret_cast<HWND>(lParam) != hwnd())
        if (ComboBoxControl* combo = comboOf(combo_)) combo->listCancelled();
      return 0;
    // Enabled and disabled look different: the whole control is drawn again.
    case WM_ENABLE: redraw(); return 0;
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
