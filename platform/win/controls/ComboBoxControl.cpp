#include "platform/win/controls/ComboBoxControl.h"

#include <algorithm>
#include <cstring>

#include "platform/win/user/Paint.h"

namespace wavorel {

namespace {

constexpr WPARAM kKeyF4 = 0x73;

}  // namespace

UINT ComboBoxControl::colorMessage() const {
  return IsWindowEnabled(hwnd()) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
}

void ComboBoxControl::init() {
  DWORD s = style();
  ItemList::Kind k;
  k.ctlType = ODT_COMBOBOX;
  k.sorted = (s & CBS_SORT) != 0;
  k.ownerDraw = (s & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
  k.variable = (s & CBS_OWNERDRAWVARIABLE) != 0;
  k.hasStrings = !k.ownerDraw || (s & CBS_HASSTRINGS);
  items_ = std::make_unique<ItemList>(hwnd(), k);
}

void ComboBoxControl::create() {
  DWORD s = style();
  if (kind() != CBS_DROPDOWNLIST) {
    DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ((s & CBS_UPPERCASE) ? ES_UPPERCASE : 0) |
                      ((s & CBS_LOWERCASE) ? ES_LOWERCASE : 0);
    RECT r;
    GetClientRect(hwnd(), &r);
    edit_ = CreateWindowEx(0, WC_EDIT, "", editStyle, 0, 0, r.right, std::min<LONG>(r.bottom, fieldHeight_), hwnd(),
                           reinterpret_cast<HMENU>(static_cast<intptr_t>(kEditId)), nullptr, nullptr);
  }
  if (!items_->kind().ownerDraw) return;
  // The owner sizes the selection field, and the items of a fixed-height list.
  MEASUREITEMSTRUCT field{ODT_COMBOBOX, id(), static_cast<UINT>(-1), 0, fieldHeight_, 0};
  sendParent(WM_MEASUREITEM, id(), reinterpret_cast<LPARAM>(&field));
  fieldHeight_ = field.itemHeight;
  if (s & CBS_OWNERDRAWFIXED) {
    MEASUREITEMSTRUCT item{ODT_COMBOBOX, id(), 0, 0, itemHeight_, 0};
    sendParent(WM_MEASUREITEM, id(), reinterpret_cast<LPARAM>(&item));
    itemHeight_ = item.itemHeight;
  }
}

void ComboBoxControl::setFieldText(LPCSTR text) {
  byDefault(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  if (edit_) {
    settingText_ = true;
    SendMessage(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    settingText_ = false;
  }
  redraw();
}

void ComboBoxControl::showSelection() {
  if (selected_ >= 0 && items_->kind().hasStrings)
    setFieldText(items_->at(static_cast<WPARAM>(selected_)).text.c_str());
  else if (selected_ < 0)
    setFieldText("");
  else
    redraw();
}

LRESULT ComboBoxControl::setCurSel(WPARAM index) {
  selected_ = items_->valid(index) ? static_cast<int>(index) : CB_ERR;
  showSelection();
  return selected_;
}

void ComboBoxControl::userSelect(int index) {
  if (!items_->valid(static_cast<WPARAM>(index)) || index == selected_) return;
  selected_ = index;
  showSelection();
  notify(CBN_SELCHANGE);
}

void ComboBoxControl::drop(bool open) {
  if (kind() == CBS_SIMPLE || open == dropped_) return;
  if (open) notify(CBN_DROPDOWN);
  dropped_ = open;
  redraw();
  if (!open) notify(CBN_CLOSEUP);
}

void ComboBoxControl::closeUp(bool accept) {
  if (!dropped_) return;
  notify(accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
  drop(false);
}

void ComboBoxControl::keyDown(WPARAM key) {
  int last = items_->count() - 1;
  switch (key) {
    case VK_UP:
      if (last >= 0) userSelect(selected_ < 0 ? 0 : std::max(0, selected_ - 1));
      break;
    case VK_DOWN:
      if (last >= 0) userSelect(selected_ < 0 ? 0 : std::min(last, selected_ + 1));
      break;
    case kKeyF4:
      if (dropped_)
        closeUp(true);
      else
        drop(true);
      break;
    case VK_RETURN: closeUp(true); break;
    case VK_ESCAPE: closeUp(false); break;
    default: break;
  }
}

void ComboBoxControl::editNotified(UINT code) {
  if (settingText_) return;
  if (code == EN_UPDATE) notify(CBN_EDITUPDATE);
  if (code == EN_CHANGE) notify(CBN_EDITCHANGE);
}

LRESULT ComboBoxControl::getText(WPARAM size, LPSTR out) const {
  if (edit_) return SendMessage(edit_, WM_GETTEXT, size, reinterpret_cast<LPARAM>(out));
  return byDefault(WM_GETTEXT, size, reinterpret_cast<LPARAM>(out));
}

LRESULT ComboBoxControl::setItemHeight(WPARAM index, UINT height) {
  if (height == 0 || height > 255) return CB_ERR;
  if (static_cast<LONG_PTR>(index) == -1) {
    fieldHeight_ = height;
  } else if (items_->kind().variable) {
    if (!items_->valid(index)) return CB_ERR;
    items_->at(index).height = height;
  } else {
    itemHeight_ = height;
  }
  redraw();
  return 0;
}

void ComboBoxControl::paint(HDC dc) const {
  if (!items_->kind().ownerDraw) {
    paintLook(dc);
    return;
  }
  RECT client;
  GetClientRect(hwnd(), &client);
  RECT field{0, 0, client.right, std::min<LONG>(client.bottom, fieldHeight_)};
  UINT state = ODS_COMBOBOXEDIT | (GetFocus() == hwnd() ? ODS_FOCUS | ODS_SELECTED : 0) |
               (IsWindowEnabled(hwnd()) ? 0 : ODS_DISABLED);
  ULONG_PTR data = selected_ >= 0 ? items_->at(static_cast<WPARAM>(selected_)).data : 0;
  drawItem(ODT_COMBOBOX, dc, static_cast<UINT>(selected_), state, data, field);
}

LRESULT ComboBoxControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCREATE:
      init();
      return byDefault(msg, wParam, lParam);
    case WM_CREATE: create(); return 0;
    case WM_DESTROY: items_->clear(); return 0;
    case WM_SETTEXT:
      if (!edit_) return CB_ERR;
      setFieldText(lParam ? reinterpret_cast<LPCSTR>(lParam) : "");
      return TRUE;
    case WM_GETTEXT: return getText(wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH: return edit_ ? SendMessage(edit_, WM_GETTEXTLENGTH, 0, 0) : byDefault(msg, wParam, lParam);
    case CB_ADDSTRING:
    case CB_INSERTSTRING: {
      int at = msg == CB_ADDSTRING ? items_->add(lParam, itemHeight_) : items_->insert(wParam, lParam, itemHeight_);
      if (at < 0) return CB_ERR;
      if (selected_ >= at) ++selected_;
      return at;
    }
    case CB_DELETESTRING: {
      int left = items_->remove(wParam);
      if (left < 0) return CB_ERR;
      auto removed = static_cast<int>(wParam);
      if (selected_ == removed)
        selected_ = CB_ERR;
      else if (selected_ > removed)
        --selected_;
      return left;
    }
    case CB_RESETCONTENT:
      items_->clear();
      selected_ = CB_ERR;
      setFieldText("");
      return CB_OKAY;
    case CB_GETCOUNT: return items_->count();
    case CB_GETCURSEL: return selected_;
    case CB_SETCURSEL: return setCurSel(wParam);
    case CB_GETLBTEXT: return items_->copyText(wParam, reinterpret_cast<LPSTR>(lParam));
    case CB_GETLBTEXTLEN: return items_->textLength(wParam);
    case CB_FINDSTRING: return items_->find(wParam, lParam, false);
    case CB_FINDSTRINGEXACT: return items_->find(wParam, lParam, true);
    case CB_SELECTSTRING: {
      int found = items_->find(wParam, lParam, false);
      return found < 0 ? CB_ERR : setCurSel(static_cast<WPARAM>(found));
    }
    case CB_GETITEMDATA: return items_->valid(wParam) ? static_cast<LRESULT>(items_->at(wParam).data) : CB_ERR;
    case CB_SETITEMDATA:
      if (!items_->valid(wParam)) return CB_ERR;
      items_->at(wParam).data = static_cast<ULONG_PTR>(lParam);
      return TRUE;
    case CB_SETITEMHEIGHT: return setItemHeight(wParam, static_cast<UINT>(lParam));
    case CB_GETITEMHEIGHT:
      if (static_cast<LONG_PTR>(wParam) == -1) return fieldHeight_;
      if (items_->kind().variable) return items_->valid(wParam) ? items_->at(wParam).height : CB_ERR;
      return itemHeight_;
    case CB_SHOWDROPDOWN: drop(wParam != 0); return TRUE;
    case CB_GETDROPPEDSTATE: return kind() == CBS_SIMPLE || dropped_;
    case CB_SETDROPPEDWIDTH:
      if (static_cast<LONG>(wParam) < 0) return CB_ERR;
      droppedWidth_ = static_cast<LONG>(wParam);
      return handle(CB_GETDROPPEDWIDTH, 0, 0);
    case CB_GETDROPPEDWIDTH: {
      RECT r;
      GetWindowRect(hwnd(), &r);
      return std::max<LONG>(droppedWidth_, r.right - r.left);
    }
    case CB_LIMITTEXT:
      if (edit_) SendMessage(edit_, EM_LIMITTEXT, wParam, 0);
      return TRUE;
    case CB_SETEDITSEL:
      if (!edit_) return CB_ERR;
      SendMessage(edit_, EM_SETSEL, static_cast<WPARAM>(static_cast<short>(LOWORD(lParam))),
                  static_cast<LPARAM>(static_cast<short>(HIWORD(lParam))));
      return TRUE;
    case CB_GETEDITSEL: return edit_ ? SendMessage(edit_, EM_GETSEL, wParam, lParam) : CB_ERR;
    case WM_COMMAND:
      if (edit_ && reinterpret_cast<HWND>(lParam) == edit_) editNotified(HIWORD(wParam));
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: return sendParent(msg, wParam, lParam);
    case WM_KEYDOWN: keyDown(wParam); return 0;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd());
      if (dropped_)
        closeUp(true);
      else
        drop(true);
      return 0;
    case WM_SETFOCUS:
      if (edit_) SetFocus(edit_);
      notify(CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (reinterpret_cast<HWND>(wParam) != edit_) {
        closeUp(false);
        notify(CBN_KILLFOCUS);
      }
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_PRINTCLIENT: paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_PAINT: return paintThroughPrintClient(hwnd());
    default: return byDefault(msg, wParam, lParam);
  }
}

}  // namespace wavorel
