#include "platform/win/commctrl/ListViewControl.h"

#include <algorithm>
#include <cstring>

#include "platform/win/user/Paint.h"
#include "platform/win/commctrl/Header.h"
#include "platform/win/commctrl/ListViewReads.h"
#include "platform/win/commctrl/Notify.h"

namespace wavorel {

namespace {

// Size of the buffer a cell's text is asked into (MAX_PATH).
constexpr int kDispTextSize = 260;

POINT pointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

bool equalNoCase(const std::string& a, const char* b, size_t n) {
  if (a.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

int compareNoCase(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int ca = std::tolower(static_cast<unsigned char>(a[i]));
    int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

ListViewControl::ListViewControl(HWND hwnd)
    : Control(hwnd),
      backColor_(GetSysColor(COLOR_WINDOW)),
      textColor_(GetSysColor(COLOR_WINDOWTEXT)),
      textBackColor_(GetSysColor(COLOR_WINDOW)) {}

LRESULT ListViewControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!paintHeaderRects_.empty() && !ListViewMessageOnlyReads(msg)) paintHeaderRects_.clear();
  switch (msg) {
    case WM_CREATE:
      create();
      return byDefault(msg, wParam, lParam);
    case WM_SIZE:
      layoutHeader();
      setTop(top_);
      return 0;
    case WM_DESTROY:
      deleteAllItems();
      return byDefault(msg, wParam, lParam);
    case WM_PAINT: {
      // The header's rectangles are asked once a paint, as long as nothing
      // that may move them happens meanwhile; dropped when the paint ends,
      // even by an exception.
      struct PaintScope {
        std::vector<std::optional<RECT>>& rects;
        PaintScope(std::vector<std::optional<RECT>>& kept, int columns) : rects(kept) {
          rects.assign(static_cast<size_t>(std::max(columns, 0)), std::nullopt);
        }
        ~PaintScope() { rects.clear(); }
        PaintScope(const PaintScope&) = delete;
        PaintScope& operator=(const PaintScope&) = delete;
      } scope(paintHeaderRects_, columnCount());
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      paintBackground(dc);
      paint(dc);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_SETREDRAW:
      redraw_ = wParam != 0;
      if (redraw_) invalidateAll();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      NMHDR hdr{};
      sendNotify(hwnd(), msg == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS, &hdr);
      invalidateAll();
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
      onButtonDown(msg, wParam, pointOf(lParam));
      return 0;
    case WM_MOUSEMOVE:
      onMouseMove(pointOf(lParam));
      return 0;
    case WM_KEYDOWN:
      onKeyDown(static_cast<UINT>(wParam));
      return 0;
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lParam);
      if (hdr && hdr->hwndFrom == header_) onHeaderNotify(hdr);
      return 0;
    }

    case LVM_GETITEMCOUNT:
      return count();
    case LVM_INSERTITEM:
      return insertItem(reinterpret_cast<const LVITEM*>(lParam));
    case LVM_DELETEITEM:
      return deleteItem(static_cast<int>(wParam));
    case LVM_DELETEALLITEMS:
      return deleteAllItems();
    case LVM_GETITEM:
      return getItem(reinterpret_cast<LVITEM*>(lParam));
    case LVM_SETITEM:
      return setItem(reinterpret_cast<const LVITEM*>(lParam));
    case LVM_GETITEMTEXT:
      return getItemText(static_cast<int>(wParam), reinterpret_cast<LVITEM*>(lParam));
    case LVM_SETITEMTEXT:
      return setItemText(static_cast<int>(wParam), reinterpret_cast<const LVITEM*>(lParam));
    case LVM_GETITEMSTATE:
      return valid(static_cast<int>(wParam)) ? stateOf(static_cast<int>(wParam)) & static_cast<UINT>(lParam) : 0;
    case LVM_SETITEMSTATE:
      return setItemState(static_cast<int>(wParam), reinterpret_cast<const LVITEM*>(lParam));
    case LVM_GETNEXTITEM:
      return nextItem(static_cast<int>(wParam), static_cast<UINT>(lParam));
    case LVM_GETSELECTEDCOUNT:
      return selectedCount();
    case LVM_SETITEMCOUNT:
      return setItemCount(static_cast<int>(wParam));
    case LVM_FINDITEM:
      return findItem(static_cast<int>(wParam), reinterpret_cast<const LVFINDINFO*>(lParam));
    case LVM_SORTITEMS:
      return sortItems(static_cast<LPARAM>(wParam), reinterpret_cast<PFNLVCOMPARE>(lParam));
    case LVM_GETSELECTIONMARK:
      return mark_;
    case LVM_SETSELECTIONMARK: {
      int old = mark_;
      mark_ = static_cast<int>(lParam);
      return old;
    }
    case LVM_GETHOTITEM:
      return hot_;
    case LVM_SETHOTITEM: {
      int old = hot_;
      hot_ = static_cast<int>(wParam);
      if (old != hot_) {
        invalidateRows(old, old);
        invalidateRows(hot_, hot_);
      }
      return old;
    }
    case LVM_GETCALLBACKMASK:
      return callbackMask_;
    case LVM_SETCALLBACKMASK:
      callbackMask_ = static_cast<UINT>(wParam);
      return TRUE;

    case LVM_INSERTCOLUMN:
      return insertColumn(static_cast<int>(wParam), reinterpret_cast<const LVCOLUMN*>(lParam));
    case LVM_DELETECOLUMN:
      return deleteColumn(static_cast<int>(wParam));
    case LVM_GETCOLUMN:
      return getColumn(static_cast<int>(wParam), reinterpret_cast<LVCOLUMN*>(lParam));
    case LVM_SETCOLUMN:
      return setColumn(static_cast<int>(wParam), reinterpret_cast<const LVCOLUMN*>(lParam));
    case LVM_GETCOLUMNWIDTH:
      return columnWidth(static_cast<int>(wParam));
    case LVM_SETCOLUMNWIDTH:
      return setColumnWidth(static_cast<int>(wParam), static_cast<short>(LOWORD(lParam)));
    case LVM_GETCOLUMNORDERARRAY:
    case LVM_SETCOLUMNORDERARRAY: {
      BOOL done = static_cast<BOOL>(
          SendMessage(header_, msg == LVM_GETCOLUMNORDERARRAY ? HDM_GETORDERARRAY : HDM_SETORDERARRAY, wParam, lParam));
      if (done && msg == LVM_SETCOLUMNORDERARRAY) invalidateAll();
      return done;
    }
    case LVM_GETHEADER:
      return reinterpret_cast<LRESULT>(header_);
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
      return exStyle_;
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
      return setExtendedStyle(static_cast<DWORD>(wParam), static_cast<DWORD>(lParam));

    case LVM_GETIMAGELIST:
      return wParam <= LVSIL_STATE ? reinterpret_cast<LRESULT>(imageLists_[wParam]) : 0;
    case LVM_SETIMAGELIST: {
      if (wParam > LVSIL_STATE) return 0;
      HIMAGELIST old = imageLists_[wParam];
      imageLists_[wParam] = reinterpret_cast<HIMAGELIST>(lParam);
      invalidateAll();
      return reinterpret_cast<LRESULT>(old);
    }
    case LVM_GETBKCOLOR:
      return backColor_;
    case LVM_SETBKCOLOR:
      backColor_ = static_cast<COLORREF>(lParam);
      invalidateAll();
      return TRUE;
    case LVM_GETTEXTCOLOR:
      return textColor_;
    case LVM_SETTEXTCOLOR:
      textColor_ = static_cast<COLORREF>(lParam);
      invalidateAll();
      return TRUE;
    case LVM_GETTEXTBKCOLOR:
      return textBackColor_;
    case LVM_SETTEXTBKCOLOR:
      textBackColor_ = static_cast<COLORREF>(lParam);
      invalidateAll();
      return TRUE;

    case LVM_GETITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      return r != nullptr && rowRect(static_cast<int>(wParam), r->left, r);
    }
    case LVM_GETSUBITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      return r != nullptr && subItemRect(static_cast<int>(wParam), r->top, r->left, r);
    }
    case LVM_HITTEST:
      return hitTest(reinterpret_cast<LVHITTESTINFO*>(lParam), false);
    case LVM_SUBITEMHITTEST:
      return hitTest(reinterpret_cast<LVHITTESTINFO*>(lParam), true);
    case LVM_ENSUREVISIBLE:
      return ensureVisible(static_cast<int>(wParam));
    case LVM_SCROLL:
      return scroll(static_cast<int>(wParam), static_cast<int>(lParam));
    case LVM_GETTOPINDEX:
      return top_;
    case LVM_GETCOUNTPERPAGE:
      return countPerPage();
    case LVM_REDRAWITEMS:
      invalidateRows(static_cast<int>(wParam), static_cast<int>(lParam));
      return TRUE;
    case LVM_UPDATE:
      invalidateRows(static_cast<int>(wParam), static_cast<int>(wParam));
      return TRUE;
    default:
      return byDefault(msg, wParam, lParam);
  }
}

void ListViewControl::create() {
  DWORD headerStyle = WS_CHILD | WS_VISIBLE | HDS_HORZ;
  if (!(style() & LVS_NOSORTHEADER)) headerStyle |= HDS_BUTTONS;
  if (style() & LVS_NOCOLUMNHEADER) headerStyle |= HDS_HIDDEN;
  header_ = CreateWindowEx(0, WC_HEADER, "", headerStyle, 0, 0, 0, 0, hwnd(), nullptr, nullptr, nullptr);
  layoutHeader();
}

LRESULT ListViewControl::notifyList(UINT code, int item, int subItem, UINT newState, UINT oldState, UINT changed,
                                    POINT pt) {
  NMLISTVIEW nm{};
  nm.iItem = item;
  nm.iSubItem = subItem;
  nm.uNewState = newState;
  nm.uOldState = oldState;
  nm.uChanged = changed;
  nm.ptAction = pt;
  if (!ownerData() && valid(item)) nm.lParam = items_[static_cast<size_t>(item)].lParam;
  return sendNotify(hwnd(), code, &nm.hdr);
}

LRESULT ListViewControl::insertItem(const LVITEM* item) {
  if (item == nullptr || ownerData() || item->iSubItem != 0 || item->iItem < 0) return -1;
  Item added;
  if (item->mask & LVIF_TEXT) {
    added.callback = item->pszText == LPSTR_TEXTCALLBACK;
    if (!added.callback && item->pszText) added.text = item->pszText;
  }
  if (item->mask & LVIF_IMAGE) added.image = item->iImage;
  if (item->mask & LVIF_PARAM) added.lParam = item->lParam;
  if (item->mask & LVIF_INDENT) added.indent = item->iIndent;
  if (item->mask & LVIF_STATE) added.state = item->state & item->stateMask;
  if ((exStyle_ & LVS_EX_CHECKBOXES) && !(added.state & LVIS_STATEIMAGEMASK)) added.state |= INDEXTOSTATEIMAGEMASK(1);
  int index = std::min(item->iItem, count());
  if (style() & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) {
    bool descending = (style() & LVS_SORTDESCENDING) != 0;
    index = 0;
    while (index < count()) {
      int c = compareNoCase(added.text, items_[static_cast<size_t>(index)].text);
      if (descending ? c > 0 : c < 0) break;
      ++index;
    }
  }
  items_.insert(items_.begin() + index, added);
  shiftIndexes(index, 1);
  notifyList(LVN_INSERTITEM, index);
  invalidateAll();
  return index;
}

void ListViewControl::shiftIndexes(int from, int delta) {
  auto shift = [&](int& i) {
    if (i < from) return;
    if (delta < 0 && i == from)
      i = -1;
    else
      i += delta;
  };
  shift(mark_);
  shift(hot_);
  if (ownerData()) {
    shift(virtualFocus_);
    std::set<int> moved;
    for (int i : virtualSelected_) {
      shift(i);
      if (i >= 0) moved.insert(i);
    }
    virtualSelected_ = moved;
  }
  setTop(top_);
}

BOOL ListViewControl::deleteItem(int index) {
  if (!valid(index)) return FALSE;
  notifyList(LVN_DELETEITEM, index);
  if (!valid(index)) return FALSE;  // the parent changed the list meanwhile
  if (ownerData())
    --virtualCount_;
  else
    items_.erase(items_.begin() + index);
  shiftIndexes(index, -1);
  invalidateAll();
  return TRUE;
}

BOOL ListViewControl::deleteAllItems() {
  if (count() == 0) return TRUE;
  bool each = notifyList(LVN_DELETEALLITEMS, -1) == 0 && !ownerData();
  if (each)
    for (int i = 0; i < count(); ++i) notifyList(LVN_DELETEITEM, i);
  items_.clear();
  virtualCount_ = 0;
  virtualSelected_.clear();
  virtualFocus_ = mark_ = hot_ = -1;
  top_ = 0;
  hinted_ = {-1, -1};
  invalidateAll();
  return TRUE;
}

bool ListViewControl::textIsAsked(int row, int column) const {
  if (ownerData()) return true;
  const Item& item = items_[static_cast<size_t>(row)];
  if (column == 0) return item.callback;
  auto it = item.subItems.find(column);
  return it != item.subItems.end() && it->second.callback;
}

void ListViewControl::askDispInfo(int row, int column, UINT mask, LVITEM& out, LPSTR buffer, int size) {
  NMLVDISPINFO di{};
  di.item.mask = mask;
  di.item.iItem = row;
  di.item.iSubItem = column;
  di.item.pszText = buffer;
  di.item.cchTextMax = size;
  di.item.stateMask = callbackMask_;
  if (!ownerData()) di.item.lParam = items_[static_cast<size_t>(row)].lParam;
  if (buffer && size > 0) buffer[0] = '\0';
  sendNotify(hwnd(), LVN_GETDISPINFO, &di.hdr);
  // A parent may point the record at its own text instead of filling ours.
  if ((mask & LVIF_TEXT) && di.item.pszText != buffer) {
    bool own = di.item.pszText != nullptr && di.item.pszText != LPSTR_TEXTCALLBACK;
    copyText(own ? std::string(di.item.pszText) : std::string(), buffer, size);
  }
  di.item.pszText = buffer;
  out = di.item;
}

std::string ListViewControl::cellText(int row, int column) {
  if (!textIsAsked(row, column)) {
    const Item& item = items_[static_cast<size_t>(row)];
    if (column == 0) return item.text;
    auto it = item.subItems.find(column);
    return it == item.subItems.end() ? std::string() : it->second.text;
  }
  char buffer[kDispTextSize];
  LVITEM got{};
  askDispInfo(row, column, LVIF_TEXT, got, buffer, kDispTextSize);
  return buffer;
}

BOOL ListViewControl::getItem(LVITEM* item) {
  if (item == nullptr || !valid(item->iItem) || item->iSubItem < 0) return FALSE;
  int row = item->iItem;
  int column = item->iSubItem;
  UINT asked = 0;
  if ((item->mask & LVIF_TEXT) && textIsAsked(row, column)) asked |= LVIF_TEXT;
  if ((item->mask & LVIF_IMAGE) && ownerData()) asked |= LVIF_IMAGE;
  if ((item->mask & LVIF_STATE) && ownerData() && (callbackMask_ & item->stateMask)) asked |= LVIF_STATE;
  LVITEM got{};
  if (asked) askDispInfo(row, column, asked, got, (asked & LVIF_TEXT) ? item->pszText : nullptr, item->cchTextMax);
  if ((item->mask & LVIF_TEXT) && !(asked & LVIF_TEXT)) copyText(cellText(row, column), item->pszText, item->cchTextMax);
  if (item->mask & LVIF_IMAGE) {
    if (asked & LVIF_IMAGE)
      item->iImage = got.iImage;
    else if (column == 0)
      item->iImage = items_[static_cast<size_t>(row)].image;
    else {
      auto& subs = items_[static_cast<size_t>(row)].subItems;
      auto it = subs.find(column);
      item->iImage = it == subs.end() ? 0 : it->second.image;
    }
  }
  if (item->mask & LVIF_STATE) {
    UINT state = stateOf(row);
    if (asked & LVIF_STATE) state = (state & ~callbackMask_) | (got.state & callbackMask_);
    item->state = state & item->stateMask;
  }
  if ((item->mask & LVIF_PARAM) && !ownerData()) item->lParam = items_[static_cast<size_t>(row)].lParam;
  if ((item->mask & LVIF_INDENT) && !ownerData()) item->iIndent = items_[static_cast<size_t>(row)].indent;
  return TRUE;
}

BOOL ListViewControl::setItem(const LVITEM* item) {
  if (item == nullptr || !valid(item->iItem) || item->iSubItem < 0) return FALSE;
  int row = item->iItem;
  if (item->mask & LVIF_STATE)
    if (!changeState(row, item->state, item->stateMask)) return FALSE;
  if (ownerData()) return TRUE;
  Item& target = items_[static_cast<size_t>(row)];
  if (item->iSubItem > 0) {
    SubItem& sub = target.subItems[item->iSubItem];
    if (item->mask & LVIF_TEXT) {
      sub.callback = item->pszText == LPSTR_TEXTCALLBACK;
      sub.text = sub.callback || item->pszText == nullptr ? std::string() : std::string(item->pszText);
    }
    if (item->mask & LVIF_IMAGE) sub.image = item->iImage;
    invalidateRows(row, row);
    return TRUE;
  }
  UINT changed = item->mask & (LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_INDENT);
  if (changed == 0) return TRUE;
  if (notifyList(LVN_ITEMCHANGING, row, 0, 0, 0, changed)) return FALSE;
  if (item->mask & LVIF_TEXT) {
    target.callback = item->pszText == LPSTR_TEXTCALLBACK;
    target.text = target.callback || item->pszText == nullptr ? std::string() : std::string(item->pszText);
  }
  if (item->mask & LVIF_IMAGE) target.image = item->iImage;
  if (item->mask & LVIF_PARAM) target.lParam = item->lParam;
  if (item->mask & LVIF_INDENT) target.indent = item->iIndent;
  notifyList(LVN_ITEMCHANGED, row, 0, 0, 0, changed);
  invalidateRows(row, row);
  return TRUE;
}

int ListViewControl::getItemText(int index, LVITEM* item) {
  if (item == nullptr || !valid(index) || item->iSubItem < 0) return 0;
  if (textIsAsked(index, item->iSubItem)) {
    LVITEM got{};
    askDispInfo(index, item->iSubItem, LVIF_TEXT, got, item->pszText, item->cchTextMax);
    return item->pszText && item->cchTextMax > 0 ? static_cast<int>(std::strlen(item->pszText)) : 0;
  }
  return copyText(cellText(index, item->iSubItem), item->pszText, item->cchTextMax);
}

BOOL ListViewControl::setItemText(int index, const LVITEM* item) {
  if (item == nullptr || ownerData()) return FALSE;
  LVITEM copy = *item;
  copy.mask = LVIF_TEXT;
  copy.iItem = index;
  return setItem(&copy);
}

BOOL ListViewControl::setItemCount(int newCount) {
  if (!ownerData()) return TRUE;  // an ordinary list only reserves room
  virtualCount_ = std::max(0, newCount);
  for (auto it = virtualSelected_.lower_bound(virtualCount_); it != virtualSelected_.end();)
    it = virtualSelected_.erase(it);
  if (virtualFocus_ >= virtualCount_) virtualFocus_ = -1;
  if (mark_ >= virtualCount_) mark_ = -1;
  if (hot_ >= virtualCount_) hot_ = -1;
  setTop(top_);
  invalidateAll();
  return TRUE;
}

int ListViewControl::findItem(int start, const LVFINDINFO* info) {
  if (info == nullptr || count() == 0) return -1;
  int first = start < 0 ? 0 : start + 1;
  if (ownerData()) {
    NMLVFINDITEM nm{};
    nm.iStart = first;
    nm.lvfi = *info;
    return static_cast<int>(sendNotify(hwnd(), LVN_ODFINDITEM, &nm.hdr));
  }
  auto matches = [&](int i) {
    const Item& item = items_[static_cast<size_t>(i)];
    if (info->flags & LVFI_PARAM) return item.lParam == info->lParam;
    if (!(info->flags & (LVFI_STRING | LVFI_PARTIAL)) || info->psz == nullptr) return false;
    std::string text = cellText(i, 0);
    size_t n = std::strlen(info->psz);
    if (info->flags & LVFI_PARTIAL) return equalNoCase(text, info->psz, n);
    return text.size() == n && equalNoCase(text, info->psz, n);
  };
  for (int i = first; i < count(); ++i)
    if (matches(i)) return i;
  if (info->flags & LVFI_WRAP)
    for (int i = 0; i < std::min(first, count()); ++i)
      if (matches(i)) return i;
  return -1;
}

BOOL ListViewControl::sortItems(LPARAM param, PFNLVCOMPARE compare) {
  if (compare == nullptr || ownerData()) return FALSE;
  std::stable_sort(items_.begin(), items_.end(),
                   [&](const Item& a, const Item& b) { return compare(a.lParam, b.lParam, param) < 0; });
  invalidateAll();
  return TRUE;
}

UINT ListViewControl::stateOf(int index) const {
  if (!ownerData()) return items_[static_cast<size_t>(index)].state;
  UINT state = 0;
  if (virtualSelected_.count(index)) state |= LVIS_SELECTED;
  if (virtualFocus_ == index) state |= LVIS_FOCUSED;
  return state;
}

void ListViewControl::storeState(int index, UINT state) {
  if (!ownerData()) {
    items_[static_cast<size_t>(index)].state = state;
    return;
  }
  if (state & LVIS_SELECTED)
    virtualSelected_.insert(index);
  else
    virtualSelected_.erase(index);
  if (state & LVIS_FOCUSED)
    virtualFocus_ = index;
  else if (virtualFocus_ == index)
    virtualFocus_ = -1;
}

bool ListViewControl::changeState(int index, UINT state, UINT mask) {
  UINT old = stateOf(index);
  UINT wanted = (old & ~mask) | (state & mask);
  if (wanted == old) return true;
  // One focused item; one selected item in a single-selection list.
  if ((wanted & LVIS_FOCUSED) && !(old & LVIS_FOCUSED)) {
    int focused = nextItem(-1, LVNI_FOCUSED);
    if (focused >= 0 && focused != index && !changeState(focused, 0, LVIS_FOCUSED)) return false;
  }
  if ((style() & LVS_SINGLESEL) && (wanted & LVIS_SELECTED) && !(old & LVIS_SELECTED)) {
    for (int other = nextItem(-1, LVNI_SELECTED); other >= 0; other = nextItem(other, LVNI_SELECTED))
      if (other != index && !changeState(other, 0, LVIS_SELECTED)) return false;
  }
  old = stateOf(index);
  wanted = (old & ~mask) | (state & mask);
  if (notifyList(LVN_ITEMCHANGING, index, 0, wanted, old, LVIF_STATE)) return false;
  storeState(index, wanted);
  notifyList(LVN_ITEMCHANGED, index, 0, wanted, old, LVIF_STATE);
  invalidateRows(index, index);
  return true;
}

BOOL ListViewControl::setItemState(int index, const LVITEM* item) {
  if (item == nullptr) return FALSE;
  if (index >= 0) return valid(index) && changeState(index, item->state, item->stateMask);
  if (index != -1) return FALSE;
  // Every item. The focus can be taken from all items but given to none.
  UINT mask = item->stateMask;
  if (item->state & LVIS_FOCUSED) mask &= ~LVIS_FOCUSED;
  if (!ownerData()) {
    for (int i = 0; i < count(); ++i) changeState(i, item->state, mask);
    return TRUE;
  }
  // An owner-data list reports the change once, for item -1.
  if (notifyList(LVN_ITEMCHANGING, -1, 0, item->state & mask, 0, LVIF_STATE)) return FALSE;
  if (mask & LVIS_SELECTED) {
    virtualSelected_.clear();
    if (item->state & LVIS_SELECTED)
      for (int i = 0; i < virtualCount_; ++i) virtualSelected_.insert(i);
  }
  if (mask & LVIS_FOCUSED) virtualFocus_ = -1;
  notifyList(LVN_ITEMCHANGED, -1, 0, item->state & mask, 0, LVIF_STATE);
  invalidateAll();
  return TRUE;
}

int ListViewControl::nextItem(int start, UINT flags) const {
  UINT wanted = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
  if (ownerData() && wanted == LVNI_FOCUSED) return virtualFocus_ > start ? virtualFocus_ : -1;
  if (ownerData() && wanted == LVNI_SELECTED && !(flags & LVNI_ABOVE)) {
    auto it = virtualSelected_.upper_bound(start);
    return it == virtualSelected_.end() ? -1 : *it;
  }
  auto fits = [&](int i) { return (stateOf(i) & wanted) == wanted; };
  if (flags & LVNI_ABOVE) {
    for (int i = std::min(start, count()) - 1; i >= 0; --i)
      if (fits(i)) return i;
    return -1;
  }
  for (int i = std::max(start + 1, 0); i < count(); ++i)
    if (fits(i)) return i;
  return -1;
}

int ListViewControl::selectedCount() const {
  if (ownerData()) return static_cast<int>(virtualSelected_.size());
  return static_cast<int>(std::count_if(items_.begin(), items_.end(),
                                        [](const Item& i) { return (i.state & LVIS_SELECTED) != 0; }));
}

void ListViewControl::selectOnly(int index) {
  for (int other = nextItem(-1, LVNI_SELECTED); other >= 0; other = nextItem(other, LVNI_SELECTED))
    if (other != index) changeState(other, 0, LVIS_SELECTED);
  if (valid(index)) changeState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

std::vector<ListViewPaintedCell> paintListView(HWND list, HDC dc) {
  auto control = std::dynamic_pointer_cast<ListViewControl>(controlOf(list));
  return control ? control->paint(dc) : std::vector<ListViewPaintedCell>();
}

}  // namespace wavorel
