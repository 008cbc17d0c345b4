#include "platform/win/controls/ComboBoxControl.h"

#include <algorithm>
#include <cctype>

#include "platform/win/controls/ListBoxControl.h"
#include "platform/win/user/Paint.h"

namespace wavorel {

namespace {

constexpr LPARAM kAltContext = 1L << 29;

}  // namespace

UINT ComboBoxControl::colorMessage() const {
  return IsWindowEnabled(hwnd()) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
}

ListBoxControl* ComboBoxControl::list() const { return dynamic_cast<ListBoxControl*>(controlOf(list_).get()); }

LRESULT ComboBoxControl::toList(UINT msg, WPARAM wParam, LPARAM lParam) const {
  return list_ ? SendMessage(list_, msg, wParam, lParam) : LB_ERR;
}

void ComboBoxControl::create(const CREATESTRUCT* cs) {
  DWORD s = style();
  givenHeight_ = cs ? cs->cy : 0;
  bool ownerDraw = (s & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
  if (ownerDraw) {
    // The owner sizes the selection field (and then, through the list, the items).
    MEASUREITEMSTRUCT field{ODT_COMBOBOX, id(), static_cast<UINT>(-1), 0, fieldHeight_, 0};
    sendParent(WM_MEASUREITEM, id(), reinterpret_cast<LPARAM>(&field));
    fieldHeight_ = field.itemHeight;
  }
  if (kind() != CBS_DROPDOWNLIST) {
    DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ((s & CBS_UPPERCASE) ? ES_UPPERCASE : 0) |
                      ((s & CBS_LOWERCASE) ? ES_LOWERCASE : 0);
    edit_ = CreateWindowEx(0, WC_EDIT, "", editStyle, 0, 0, 0, 0, hwnd(),
                           reinterpret_cast<HMENU>(static_cast<intptr_t>(kEditId)), nullptr, nullptr);
  }
  DWORD listStyle = LBS_COMBOBOX | LBS_NOTIFY | WS_VSCROLL | ((s & CBS_SORT) ? LBS_SORT : 0) |
                    ((s & CBS_OWNERDRAWFIXED) ? LBS_OWNERDRAWFIXED : 0) |
                    ((s & CBS_OWNERDRAWVARIABLE) ? LBS_OWNERDRAWVARIABLE : 0) |
                    ((s & CBS_HASSTRINGS) ? LBS_HASSTRINGS : 0);
  if (kind() == CBS_SIMPLE)
    list_ = CreateWindowEx(WS_EX_CLIENTEDGE, kComboListClass, "", listStyle | WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd(),
                           reinterpret_cast<HMENU>(static_cast<intptr_t>(kListId)), nullptr, hwnd());
  else
    // A popup of no owner: it lives as long as the combo box, which destroys
    // it, not as long as the dialog (whose owned windows go first).
    list_ = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kComboListClass, "",
                           listStyle | WS_POPUP | WS_BORDER, 0, 0, 0, 0, nullptr, nullptr, nullptr, hwnd());
  if (cs) SetWindowPos(hwnd(), nullptr, 0, 0, cs->cx, cs->cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  layoutParts();
}

void ComboBoxControl::fontChanged() {
  if (list_) SendMessage(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
  if (edit_) SendMessage(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
}

void ComboBoxControl::positionChanging(WINDOWPOS* pos) {
  if (!pos || (pos->flags & SWP_NOSIZE)) return;
  givenHeight_ = pos->cy;
  if (kind() != CBS_SIMPLE) pos->cy = static_cast<int>(fieldHeight_);
}

void ComboBoxControl::layoutParts() {
  RECT client;
  GetClientRect(hwnd(), &client);
  LONG field = std::min<LONG>(client.bottom, static_cast<LONG>(fieldHeight_));
  LONG button = kind() == CBS_SIMPLE ? 0 : field;
  if (edit_) MoveWindow(edit_, 0, 0, std::max<LONG>(0, client.right - button), field, TRUE);
  if (kind() == CBS_SIMPLE && list_) MoveWindow(list_, 0, field, client.right, std::max<LONG>(0, client.bottom - field), TRUE);
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
  int at = selection();
  if (at < 0) {
    setFieldText("");
    return;
  }
  LRESULT length = toList(LB_GETTEXTLEN, static_cast<WPARAM>(at));
  if (!(style() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) || (style() & CBS_HASSTRINGS)) {
    std::string text(static_cast<size_t>(std::max<LRESULT>(0, length)) + 1, '\0');
    toList(LB_GETTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&text[0]));
    setFieldText(text.c_str());
  } else {
    redraw();
  }
}

LRESULT ComboBoxControl::setCurSel(WPARAM index) {
  LRESULT result = toList(LB_SETCURSEL, index);
  showSelection();
  return result;
}

void ComboBoxControl::userSelect(int index) {
  if (index < 0 || index >= count() || index == selection()) return;
  toList(LB_SETCURSEL, static_cast<WPARAM>(index));
  if (dropped_)
    if (ListBoxControl* l = list()) l->track(index);
  showSelection();
  notify(CBN_SELCHANGE);
}

void ComboBoxControl::listChose(int index) {
  if (!dropped_) return;
  if (index != selection() && index >= 0 && index < count()) {
    toList(LB_SETCURSEL, static_cast<WPARAM>(index));
    showSelection();
    notify(CBN_SELCHANGE);
  }
  closeUp(true);
}

void ComboBoxControl::listCancelled() { closeUp(false); }

void ComboBoxControl::listSelected() {
  showSelection();
  notify(CBN_SELCHANGE);
}

RECT ComboBoxControl::droppedRect() const {
  RECT face;
  GetWindowRect(hwnd(), &face);
  const LONG screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  LONG width = std::min(std::max<LONG>(droppedWidth_, face.right - face.left), screenWidth);
  int rows = std::max(1, std::min(count(), minVisible_));
  ListBoxControl* l = list();
  LONG height = (l && count() > 0 ? l->rowsHeight(0, rows) : static_cast<LONG>(toList(LB_GETITEMHEIGHT))) + 2;
  LONG below = screenHeight - face.bottom, above = face.top;
  LONG top = face.bottom;
  if (height > below) {
    if (height <= above || above > below) {
      height = std::min(height, above);
      top = face.top - height;
    } else {
      height = below;
    }
  }
  LONG left = std::max<LONG>(0, std::min(face.left, screenWidth - width));
  return RECT{left, top, left + width, top + height};
}

void ComboBoxControl::drop(bool open) {
  if (kind() == CBS_SIMPLE || open == dropped_) return;
  if (!open) {
    hideList();
    return;
  }
  notify(CBN_DROPDOWN);
  if (!IsWindow(hwnd()) || dropped_) return;
  RECT at = droppedRect();
  dropped_ = true;
  SetWindowPos(list_, HWND_TOPMOST, at.left, at.top, at.right - at.left, at.bottom - at.top,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  if (ListBoxControl* l = list()) l->track(selection());
  SetCapture(list_);
  redraw();
}

void ComboBoxControl::hideList() {
  if (!dropped_) return;
  dropped_ = false;  // before the capture goes, so the list's loss of it ends nothing more
  if (ListBoxControl* l = list()) l->track(-1);
  if (GetCapture() == list_) ReleaseCapture();
  ShowWindow(list_, SW_HIDE);
  redraw();
  notify(CBN_CLOSEUP);
}

void ComboBoxControl::closeUp(bool accept) {
  if (!dropped_) return;
  notify(accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
  hideList();
}

void ComboBoxControl::keyDown(WPARAM key) {
  int last = count() - 1;
  int at = selection();
  ListBoxControl* l = list();
  int page = l ? std::max(1, l->pageRows() - 1) : 1;
  switch (key) {
    case VK_UP:
      if (last >= 0) userSelect(at < 0 ? 0 : std::max(0, at - 1));
      break;
    case VK_DOWN:
      if (last >= 0) userSelect(at < 0 ? 0 : std::min(last, at + 1));
      break;
    case VK_PRIOR:
      if (last >= 0) userSelect(std::max(0, at - page));
      break;
    case VK_NEXT:
      if (last >= 0) userSelect(std::min(last, std::max(0, at) + page));
      break;
    case VK_HOME:
      if (kind() == CBS_DROPDOWNLIST && last >= 0) userSelect(0);
      break;
    case VK_END:
      if (kind() == CBS_DROPDOWNLIST && last >= 0) userSelect(last);
      break;
    case VK_F4:
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

void ComboBoxControl::typed(char ch) {
  if (kind() != CBS_DROPDOWNLIST || !std::isprint(static_cast<unsigned char>(ch))) return;
  const char prefix[2] = {ch, '\0'};
  auto found = static_cast<int>(toList(LB_FINDSTRING, static_cast<WPARAM>(selection()), reinterpret_cast<LPARAM>(prefix)));
  if (found >= 0) userSelect(found);
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
  if (static_cast<LONG_PTR>(index) != -1) return toList(LB_SETITEMHEIGHT, index, MAKELPARAM(height, 0));
  fieldHeight_ = height;
  RECT r;
  GetWindowRect(hwnd(), &r);
  SetWindowPos(hwnd(), nullptr, 0, 0, r.right - r.left, givenHeight_, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  layoutParts();
  redraw();
  return 0;
}

void ComboBoxControl::paint(HDC dc) const {
  if (!(style() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE))) {
    paintLook(dc);
    return;
  }
  RECT client;
  GetClientRect(hwnd(), &client);
  RECT field{0, 0, client.right, std::min<LONG>(client.bottom, fieldHeight_)};
  UINT state = ODS_COMBOBOXEDIT | (GetFocus() == hwnd() ? ODS_FOCUS | ODS_SELECTED : 0) |
               (IsWindowEnabled(hwnd()) ? 0 : ODS_DISABLED);
  int at = selection();
  auto data = at >= 0 ? static_cast<ULONG_PTR>(toList(LB_GETITEMDATA, static_cast<WPARAM>(at))) : 0;
  drawItem(ODT_COMBOBOX, dc, static_cast<UINT>(at), state, data, field);
}

LRESULT ComboBoxControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: create(reinterpret_cast<const CREATESTRUCT*>(lParam)); return 0;
    case WM_DESTROY:
      if (IsWindow(list_)) DestroyWindow(list_);
      list_ = nullptr;
      return 0;
    case WM_WINDOWPOSCHANGING:
      positionChanging(reinterpret_cast<WINDOWPOS*>(lParam));
      return byDefault(msg, wParam, lParam);
    case WM_SIZE: layoutParts(); return byDefault(msg, wParam, lParam);
    case WM_SETTEXT:
      if (!edit_) return CB_ERR;
      setFieldText(lParam ? reinterpret_cast<LPCSTR>(lParam) : "");
      return TRUE;
    case WM_GETTEXT: return getText(wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH: return edit_ ? SendMessage(edit_, WM_GETTEXTLENGTH, 0, 0) : byDefault(msg, wParam, lParam);
    case CB_ADDSTRING: return toList(LB_ADDSTRING, 0, lParam);
    case CB_INSERTSTRING: return toList(LB_INSERTSTRING, wParam, lParam);
    case CB_DELETESTRING: {
      bool wasSelected = static_cast<int>(wParam) == selection();
      LRESULT left = toList(LB_DELETESTRING, wParam);
      if (wasSelected && left >= 0) showSelection();
      return left;
    }
    case CB_RESETCONTENT:
      toList(LB_RESETCONTENT);
      setFieldText("");
      return CB_OKAY;
    case CB_GETCOUNT: return toList(LB_GETCOUNT);
    case CB_GETCURSEL: return toList(LB_GETCURSEL);
    case CB_SETCURSEL: return setCurSel(wParam);
    case CB_GETLBTEXT: return toList(LB_GETTEXT, wParam, lParam);
    case CB_GETLBTEXTLEN: return toList(LB_GETTEXTLEN, wParam);
    case CB_FINDSTRING: return toList(LB_FINDSTRING, wParam, lParam);
    case CB_FINDSTRINGEXACT: return toList(LB_FINDSTRINGEXACT, wParam, lParam);
    case CB_SELECTSTRING: {
      LRESULT found = toList(LB_FINDSTRING, wParam, lParam);
      return found < 0 ? CB_ERR : setCurSel(static_cast<WPARAM>(found));
    }
    case CB_GETITEMDATA: return toList(LB_GETITEMDATA, wParam);
    case CB_SETITEMDATA: return toList(LB_SETITEMDATA, wParam, lParam);
    case CB_GETTOPINDEX: return toList(LB_GETTOPINDEX);
    case CB_SETTOPINDEX: return toList(LB_SETTOPINDEX, wParam) < 0 ? CB_ERR : 0;
    case CB_SETITEMHEIGHT: return setItemHeight(wParam, static_cast<UINT>(lParam));
    case CB_GETITEMHEIGHT:
      if (static_cast<LONG_PTR>(wParam) == -1) return fieldHeight_;
      return toList(LB_GETITEMHEIGHT, wParam);
    case CB_SHOWDROPDOWN: drop(wParam != 0); return TRUE;
    case CB_GETDROPPEDSTATE: return kind() == CBS_SIMPLE || dropped_;
    case CB_GETDROPPEDCONTROLRECT:
      if (!lParam) return CB_ERR;
      *reinterpret_cast<RECT*>(lParam) = droppedRect();
      return TRUE;
    case CB_SETMINVISIBLE:
      if (static_cast<int>(wParam) < 1) return FALSE;
      minVisible_ = static_cast<int>(wParam);
      return TRUE;
    case CB_GETMINVISIBLE: return minVisible_;
    case CB_GETCOMBOBOXINFO: {
      auto* info = reinterpret_cast<COMBOBOXINFO*>(lParam);
      if (!info || info->cbSize != sizeof(COMBOBOXINFO)) return FALSE;
      RECT client;
      GetClientRect(hwnd(), &client);
      LONG field = std::min<LONG>(client.bottom, static_cast<LONG>(fieldHeight_));
      LONG button = kind() == CBS_SIMPLE ? 0 : field;
      info->rcItem = RECT{0, 0, client.right - button, field};
      info->rcButton = RECT{client.right - button, 0, client.right, field};
      info->stateButton = kind() == CBS_SIMPLE ? STATE_SYSTEM_INVISIBLE : dropped_ ? STATE_SYSTEM_PRESSED : 0;
      info->hwndCombo = hwnd();
      info->hwndItem = edit_ ? edit_ : hwnd();
      info->hwndList = list_;
      return TRUE;
    }
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
    case WM_SYSKEYDOWN:
      if ((wParam == VK_DOWN || wParam == VK_UP) && (lParam & kAltContext)) {
        keyDown(VK_F4);
        return 0;
      }
      return byDefault(msg, wParam, lParam);
    case WM_CHAR: typed(static_cast<char>(wParam)); return 0;
    case WM_MOUSEWHEEL:
      if (!dropped_) keyDown(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? VK_UP : VK_DOWN);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(hwnd());
      if (dropped_)
        closeUp(false);
      else
        drop(true);
      return 0;
    // Enabled and disabled look different: the whole control is drawn again.
    case WM_ENABLE: redraw(); return 0;
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
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
      auto* m = reinterpret_cast<const MSG*>(lParam);
      if (dropped_ && m && m->message == WM_KEYDOWN && (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE))
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_PRINTCLIENT: paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_PAINT: return paintThroughPrintClient(hwnd());
    default: return byDefault(msg, wParam, lParam);
  }
}

}  // namespace wavorel

BOOL GetComboBoxInfo(HWND combo, PCOMBOBOXINFO info) {
  return static_cast<BOOL>(SendMessage(combo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(info)));
}
