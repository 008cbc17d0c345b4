#include "platform/win/controls/EditControl.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/win/user/AtomTable.h"
#include "platform/win/user/Paint.h"

namespace wavorel {

namespace {

constexpr size_t kSingleLineMaxLimit = 0x7FFFFFFE;
constexpr size_t kMultilineMaxLimit = 0xFFFFFFFF;
constexpr WPARAM kKeyF4 = 0x73;

}  // namespace

UINT EditControl::colorMessage() const {
  return readOnly() || !IsWindowEnabled(hwnd()) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
}

void EditControl::create(const CREATESTRUCT* cs) {
  if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) text_ = cs->lpszName;
  if ((style() & ES_PASSWORD) && !multiline()) passwordChar_ = '*';
}

void EditControl::setText(std::string text, bool notifyChange) {
  text_ = std::move(text);
  selStart_ = selEnd_ = 0;
  byDefault(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text_.c_str()));
  redraw();
  if (notifyChange) {
    notify(EN_UPDATE);
    notify(EN_CHANGE);
  }
}

void EditControl::select(LONG start, LONG end) {
  redraw();  // the selection shows in the highlight colours
  LONG len = static_cast<LONG>(text_.size());
  if (start < 0) {  // removes the selection, keeping the caret
    selStart_ = selEnd_;
    return;
  }
  if (end < 0 || end > len) end = len;
  start = std::min(start, len);
  selStart_ = static_cast<size_t>(std::min(start, end));
  selEnd_ = static_cast<size_t>(std::max(start, end));
}

bool EditControl::replaceSelection(std::string insert) {
  size_t kept = text_.size() - (selEnd_ - selStart_);
  size_t room = limit_ > kept ? limit_ - kept : 0;
  if (insert.size() > room) {
    insert.resize(room);
    notify(EN_MAXTEXT);
  }
  if (insert.empty() && selStart_ == selEnd_) return false;
  text_.replace(selStart_, selEnd_ - selStart_, insert);
  selStart_ = selEnd_ = selStart_ + insert.size();
  modified_ = true;
  byDefault(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text_.c_str()));
  redraw();
  notify(EN_UPDATE);
  notify(EN_CHANGE);
  return true;
}

void EditControl::eraseRange(size_t start, size_t end) {
  selStart_ = start;
  selEnd_ = end;
  replaceSelection(std::string());
}

void EditControl::typeChar(char ch) {
  if (readOnly()) return;
  auto c = static_cast<unsigned char>(ch);
  if (ch == VK_BACK) {
    if (selStart_ != selEnd_)
      replaceSelection(std::string());
    else if (selStart_ > 0)
      eraseRange(selStart_ - (selStart_ >= 2 && text_.compare(selStart_ - 2, 2, "\r\n") == 0 ? 2 : 1), selStart_);
    return;
  }
  if (ch == '\r') {
    if (multiline()) replaceSelection("\r\n");
    return;
  }
  if (c < 0x20) return;
  if ((style() & ES_NUMBER) && !std::isdigit(c)) return;
  if (style() & ES_UPPERCASE) ch = static_cast<char>(std::toupper(c));
  if (style() & ES_LOWERCASE) ch = static_cast<char>(std::tolower(c));
  replaceSelection(std::string(1, ch));
}

void EditControl::keyDown(WPARAM key) {
  switch (key) {
    case VK_DELETE:
      if (readOnly()) return;
      if (selStart_ != selEnd_)
        replaceSelection(std::string());
      else if (selEnd_ < text_.size())
        eraseRange(selStart_, selStart_ + (text_.compare(selStart_, 2, "\r\n") == 0 ? 2 : 1));
      return;
    case VK_LEFT: selStart_ = selEnd_ = selStart_ > 0 ? selStart_ - 1 : 0; return;
    case VK_RIGHT: selStart_ = selEnd_ = std::min(selEnd_ + 1, text_.size()); return;
    case VK_HOME: selStart_ = selEnd_ = 0; return;
    case VK_END: selStart_ = selEnd_ = text_.size(); return;
    case VK_UP:
    case VK_DOWN:
    case kKeyF4:
      // The edit part of a combo box leaves the list keys to its combo box.
      if (!multiline() && (GetWindowLong(hwnd(), GWL_STYLE) & WS_CHILD)) {
        char cls[16] = "";
        GetClassName(parent(), cls, sizeof cls);
        if (lowerName(cls) == "combobox") sendParent(WM_KEYDOWN, key, 0);
      }
      return;
    default: return;
  }
}

LRESULT EditControl::lineCount() const {
  if (!multiline()) return 1;
  return 1 + std::count(text_.begin(), text_.end(), '\n');
}

LRESULT EditControl::lineIndex(WPARAM line) const {
  auto wanted = static_cast<LONG>(line);
  if (wanted < 0) {  // the line of the caret
    wanted = static_cast<LONG>(std::count(text_.begin(), text_.begin() + static_cast<long>(selEnd_), '\n'));
    if (!multiline()) wanted = 0;
  }
  if (!multiline()) return wanted == 0 ? 0 : -1;
  size_t pos = 0;
  for (LONG n = 0; n < wanted; ++n) {
    pos = text_.find('\n', pos);
    if (pos == std::string::npos) return -1;
    ++pos;
  }
  return static_cast<LRESULT>(pos);
}

LRESULT EditControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCREATE:
      create(reinterpret_cast<const CREATESTRUCT*>(lParam));
      return byDefault(msg, wParam, lParam);
    case WM_SETTEXT:
      // Only single-line edits report text set from outside.
      setText(lParam ? reinterpret_cast<LPCSTR>(lParam) : "", !multiline());
      modified_ = false;
      return TRUE;
    case WM_CHAR: typeChar(static_cast<char>(wParam)); return 0;
    case WM_KEYDOWN: keyDown(wParam); return 0;
    case WM_LBUTTONDOWN: SetFocus(hwnd()); return 0;
    case WM_SETFOCUS:
      redraw();
      notify(EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      redraw();
      notify(EN_KILLFOCUS);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | (multiline() ? DLGC_WANTALLKEYS : 0);
    case EM_GETSEL: {
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(selStart_);
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(selEnd_);
      if (selStart_ > 0xFFFF || selEnd_ > 0xFFFF) return -1;
      return MAKELONG(selStart_, selEnd_);
    }
    case EM_SETSEL: select(static_cast<LONG>(wParam), static_cast<LONG>(lParam)); return 0;
    case EM_REPLACESEL:
      replaceSelection(lParam ? reinterpret_cast<LPCSTR>(lParam) : "");
      return 0;
    case EM_LIMITTEXT:
      limit_ = wParam ? static_cast<size_t>(wParam) : multiline() ? kMultilineMaxLimit : kSingleLineMaxLimit;
      return 0;
    case EM_GETLIMITTEXT: return static_cast<LRESULT>(limit_);
    case EM_SETREADONLY:
      setStyle(wParam ? style() | ES_READONLY : style() & ~static_cast<DWORD>(ES_READONLY));
      redraw();
      return TRUE;
    case EM_SETPASSWORDCHAR:
      if (multiline()) return 0;
      passwordChar_ = static_cast<char>(wParam);
      setStyle(passwordChar_ ? style() | ES_PASSWORD : style() & ~static_cast<DWORD>(ES_PASSWORD));
      redraw();
      return 0;
    case EM_GETPASSWORDCHAR: return static_cast<unsigned char>(passwordChar_);
    case EM_GETMODIFY: return modified_ ? TRUE : FALSE;
    case EM_SETMODIFY: modified_ = wParam != 0; return 0;
    case EM_GETLINECOUNT: return lineCount();
    case EM_LINEINDEX: return lineIndex(wParam);
    case WM_PRINTCLIENT: paintLook(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_PAINT: return paintThroughPrintClient(hwnd());
    default: return byDefault(msg, wParam, lParam);
  }
}

}  // namespace wavorel
