// Mouse and keyboard input of the list, and what its header reports.
#include <algorithm>

#include "platform/win/commctrl/Header.h"
#include "platform/win/commctrl/ListViewControl.h"
#include "platform/win/commctrl/Notify.h"

namespace wavorel {

namespace {

// Mouse-message key flags.
constexpr WPARAM kShiftKey = 0x0004;
constexpr WPARAM kControlKey = 0x0008;

}  // namespace

void ListViewControl::toggleCheck(int index) {
  if (!valid(index) || !(exStyle_ & LVS_EX_CHECKBOXES)) return;
  UINT image = (stateOf(index) & LVIS_STATEIMAGEMASK) >> 12;
  changeState(index, INDEXTOSTATEIMAGEMASK(image == 2 ? 1 : 2), LVIS_STATEIMAGEMASK);
}

void ListViewControl::onButtonDown(UINT msg, WPARAM keys, POINT pt) {
  if (GetFocus() != hwnd()) SetFocus(hwnd());
  LVHITTESTINFO hit{pt, 0, -1, 0, 0};
  hitTest(&hit, true);
  int row = hit.iItem;
  // A sub-item cell only selects its row with full-row selection.
  if (row >= 0 && hit.iSubItem > 0 && !(exStyle_ & LVS_EX_FULLROWSELECT)) row = -1;
  bool single = (style() & LVS_SINGLESEL) != 0;
  if (msg == WM_LBUTTONDOWN) {
    if (row >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) toggleCheck(row);
    if (row >= 0 && (keys & kControlKey) && !single) {
      changeState(row, (stateOf(row) & LVIS_SELECTED) ? LVIS_FOCUSED : LVIS_SELECTED | LVIS_FOCUSED,
                  LVIS_SELECTED | LVIS_FOCUSED);
      mark_ = row;
    } else if (row >= 0 && (keys & kShiftKey) && !single && mark_ >= 0) {
      int from = std::min(mark_, row);
      int to = std::max(mark_, row);
      for (int i = 0; i < count(); ++i)
        changeState(i, i >= from && i <= to ? LVIS_SELECTED : 0, LVIS_SELECTED);
      changeState(row, LVIS_FOCUSED, LVIS_FOCUSED);
    } else if (row >= 0) {
      selectOnly(row);
      mark_ = row;
    } else if (!(keys & kControlKey)) {
      selectOnly(-1);
    }
  } else if (msg == WM_RBUTTONDOWN && row >= 0 && !(stateOf(row) & LVIS_SELECTED)) {
    selectOnly(row);
    mark_ = row;
  }
  NMITEMACTIVATE nm{};
  nm.iItem = row;
  nm.iSubItem = hit.iItem >= 0 ? hit.iSubItem : 0;
  nm.ptAction = pt;
  nm.lParam = row >= 0 && !ownerData() ? items_[static_cast<size_t>(row)].lParam : 0;
  nm.uKeyFlags = ((keys & kShiftKey) ? LVKF_SHIFT : 0) | ((keys & kControlKey) ? LVKF_CONTROL : 0);
  UINT code = msg == WM_LBUTTONDOWN ? NM_CLICK : (msg == WM_LBUTTONDBLCLK ? NM_DBLCLK : NM_RCLICK);
  sendNotify(hwnd(), code, &nm.hdr);
  bool activate = row >= 0 && (msg == WM_LBUTTONDBLCLK || (msg == WM_LBUTTONDOWN && (exStyle_ & LVS_EX_ONECLICKACTIVATE)));
  if (activate) {
    NMITEMACTIVATE again = nm;
    sendNotify(hwnd(), LVN_ITEMACTIVATE, &again.hdr);
  }
}

void ListViewControl::onMouseMove(POINT pt) {
  if (!(exStyle_ & (LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE | LVS_EX_TWOCLICKACTIVATE))) return;
  LVHITTESTINFO hit{pt, 0, -1, 0, 0};
  hitTest(&hit, true);
  if (hit.iItem == hot_) return;
  // A parent that answers non-zero keeps the hot item where it is.
  if (notifyList(LVN_HOTTRACK, hit.iItem, hit.iSubItem, 0, 0, 0, pt)) return;
  int old = hot_;
  hot_ = hit.iItem;
  invalidateRows(old, old);
  invalidateRows(hot_, hot_);
}

void ListViewControl::moveFocus(int index) {
  if (count() == 0) return;
  index = std::clamp(index, 0, count() - 1);
  selectOnly(index);
  mark_ = index;
  ensureVisible(index);
}

void ListViewControl::onKeyDown(UINT vk) {
  NMLVKEYDOWN nm{};
  nm.wVKey = static_cast<WORD>(vk);
  sendNotify(hwnd(), LVN_KEYDOWN, &nm.hdr);
  int focus = nextItem(-1, LVNI_FOCUSED);
  int page = std::max(1, countPerPage());
  switch (vk) {
    case VK_UP:
      moveFocus(focus < 0 ? 0 : focus - 1);
      break;
    case VK_DOWN:
      moveFocus(focus + 1);
      break;
    case VK_HOME:
      moveFocus(0);
      break;
    case VK_END:
      moveFocus(count() - 1);
      break;
    case VK_PRIOR:
      moveFocus(focus - page);
      break;
    case VK_NEXT:
      moveFocus(focus + page);
      break;
    case VK_SPACE:
      toggleCheck(focus);
      break;
    default:
      break;
  }
}

void ListViewControl::onHeaderNotify(NMHDR* hdr) {
  auto* nm = reinterpret_cast<NMHEADER*>(hdr);
  switch (hdr->code) {
    case HDN_ITEMCLICK:
      notifyList(LVN_COLUMNCLICK, -1, nm->iItem);
      break;
    case HDN_DIVIDERDBLCLICK:
      setColumnWidth(nm->iItem, LVSCW_AUTOSIZE);
      break;
    case HDN_ITEMCHANGED:
      invalidateAll();
      break;
    default:
      break;
  }
}

}  // namespace wavorel
