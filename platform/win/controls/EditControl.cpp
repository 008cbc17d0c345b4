#include "platform/win/controls/EditControl.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <utility>

#include "platform/win/kernel/GlobalMemory.h"
#include "platform/win/user/AtomTable.h"
#include "platform/win/user/Caret.h"
#include "platform/win/user/Clipboard.h"
#include "platform/win/user/Input.h"
#include "platform/win/user/Paint.h"

namespace wavorel {

namespace {

constexpr size_t kSingleLineMaxLimit = 0x7FFFFFFE;
constexpr size_t kMultilineMaxLimit = 0xFFFFFFFF;
constexpr LPARAM kAltContext = 1L << 29;
constexpr char kCtrlC = 0x03, kCtrlV = 0x16, kCtrlX = 0x18;

bool down(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

bool isWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

}  // namespace

UINT EditControl::colorMessage() const {
  return readOnly() || !IsWindowEnabled(hwnd()) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
}

bool EditControl::inCombo() const {
  if (multiline() || !(GetWindowLong(hwnd(), GWL_STYLE) & WS_CHILD)) return false;
  char cls[16] = "";
  GetClassName(parent(), cls, sizeof cls);
  return lowerName(cls) == "combobox";
}

void EditControl::create(const CREATESTRUCT* cs) {
  if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) text_ = cs->lpszName;
  if ((style() & ES_PASSWORD) && !multiline()) passwordChar_ = '*';
}

void EditControl::setText(std::string text, bool notifyChange) {
  text_ = std::move(text);
  anchor_ = caret_ = 0;
  scroll_ = 0;
  byDefault(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text_.c_str()));
  redraw();
  caretMoved();
  if (notifyChange) {
    notify(EN_UPDATE);
    notify(EN_CHANGE);
  }
}

void EditControl::select(LONG start, LONG end) {
  redraw();  // the selection shows in the highlight colours
  LONG len = static_cast<LONG>(text_.size());
  if (start < 0) {  // removes the selection, keeping the caret
    anchor_ = caret_;
    return;
  }
  if (end < 0 || end > len) end = len;
  anchor_ = static_cast<size_t>(std::min(start, len));
  caret_ = static_cast<size_t>(end);
  caretMoved();
}

void EditControl::moveCaret(size_t at, bool extend) {
  at = std::min(at, text_.size());
  if (at == caret_ && (extend || anchor_ == caret_)) return;
  caret_ = at;
  if (!extend) anchor_ = at;
  redraw();
  caretMoved();
}

bool EditControl::replaceSelection(std::string insert) {
  size_t from = selStart(), to = selEnd();
  size_t kept = text_.size() - (to - from);
  size_t room = limit_ > kept ? limit_ - kept : 0;
  if (insert.size() > room) {
    insert.resize(room);
    notify(EN_MAXTEXT);
  }
  if (insert.empty() && from == to) return false;
  text_.replace(from, to - from, insert);
  anchor_ = caret_ = from + insert.size();
  modified_ = true;
  byDefault(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text_.c_str()));
  redraw();
  caretMoved();
  notify(EN_UPDATE);
  notify(EN_CHANGE);
  return true;
}

void EditControl::eraseRange(size_t start, size_t end) {
  anchor_ = start;
  caret_ = end;
  replaceSelection(std::string());
}

void EditControl::typeChar(char ch) {
  switch (ch) {
    case kCtrlC: copy(); return;
    case kCtrlX: handle(WM_CUT, 0, 0); return;
    case kCtrlV: paste(); return;
    default: break;
  }
  if (readOnly()) return;
  auto c = static_cast<unsigned char>(ch);
  if (ch == VK_BACK) {
    if (selStart() != selEnd())
      replaceSelection(std::string());
    else if (caret_ > 0)
      eraseRange(caret_ - (caret_ >= 2 && text_.compare(caret_ - 2, 2, "\r\n") == 0 ? 2 : 1), caret_);
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

size_t EditControl::lineMove(int lines) const {
  size_t lineStart = caret_ == 0 ? 0 : text_.rfind('\n', caret_ - 1);
  lineStart = lineStart == std::string::npos || caret_ == 0 ? 0 : lineStart + 1;
  size_t column = caret_ - lineStart;
  size_t start = lineStart;
  if (lines < 0) {
    if (start == 0) return caret_;
    size_t before = start >= 2 ? text_.rfind('\n', start - 2) : std::string::npos;
    start = before == std::string::npos ? 0 : before + 1;
  } else {
    size_t next = text_.find('\n', start);
    if (next == std::string::npos) return caret_;
    start = next + 1;
  }
  size_t end = text_.find_first_of("\r\n", start);
  if (end == std::string::npos) end = text_.size();
  return std::min(start + column, end);
}

void EditControl::keyDown(WPARAM key) {
  bool shift = down(VK_SHIFT), ctrl = down(VK_CONTROL);
  switch (key) {
    case VK_DELETE:
      if (shift) {
        handle(WM_CUT, 0, 0);
        return;
      }
      if (readOnly()) return;
      if (selStart() != selEnd())
        replaceSelection(std::string());
      else if (caret_ < text_.size())
        eraseRange(caret_, caret_ + (text_.compare(caret_, 2, "\r\n") == 0 ? 2 : 1));
      return;
    case VK_INSERT:
      if (ctrl) copy();
      if (shift) paste();
      return;
    case VK_LEFT:
      moveCaret(caret_ - (caret_ >= 2 && text_.compare(caret_ - 2, 2, "\r\n") == 0 ? 2 : caret_ > 0 ? 1 : 0), shift);
      return;
    case VK_RIGHT:
      moveCaret(caret_ + (text_.compare(caret_, 2, "\r\n") == 0 ? 2 : 1), shift);
      return;
    case VK_HOME: moveCaret(multiline() && !ctrl ? static_cast<size_t>(lineIndex(static_cast<WPARAM>(-1))) : 0, shift); return;
    case VK_END: {
      size_t end = text_.size();
      if (multiline() && !ctrl) {
        end = text_.find_first_of("\r\n", caret_);
        if (end == std::string::npos) end = text_.size();
      }
      moveCaret(end, shift);
      return;
    }
    case VK_UP:
    case VK_DOWN:
      if (multiline()) {
        moveCaret(lineMove(key == VK_UP ? -1 : 1), shift);
        return;
      }
      if (inCombo()) sendParent(WM_KEYDOWN, key, 0);
      return;
    case VK_F4:
      if (inCombo()) sendParent(WM_KEYDOWN, key, 0);
      return;
    case VK_RETURN:
    case VK_ESCAPE:
      if (inCombo() && SendMessage(parent(), CB_GETDROPPEDSTATE, 0, 0)) sendParent(WM_KEYDOWN, key, 0);
      return;
    default: return;
  }
}

void EditControl::copy() const {
  if (passwordChar_ || selStart() == selEnd()) return;
  std::string part = text_.substr(selStart(), selEnd() - selStart());
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, part.size() + 1);
  if (!data) return;
  std::memcpy(GlobalLock(data), part.c_str(), part.size() + 1);
  GlobalUnlock(data);
  if (!OpenClipboard(hwnd())) {
    GlobalFree(data);
    return;
  }
  EmptyClipboard();
  if (!SetClipboardData(CF_TEXT, data)) GlobalFree(data);
  CloseClipboard();
}

void EditControl::paste() {
  if (readOnly() || !OpenClipboard(hwnd())) return;
  std::string text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    const auto* p = static_cast<const char*>(GlobalLock(data));
    if (p) text.assign(p, strnlen(p, GlobalSize(data)));
    GlobalUnlock(data);
  }
  CloseClipboard();
  if (!multiline()) text = text.substr(0, text.find_first_of("\r\n"));
  if (style() & (ES_UPPERCASE | ES_LOWERCASE))
    for (char& ch : text) {
      auto c = static_cast<unsigned char>(ch);
      ch = static_cast<char>((style() & ES_UPPERCASE) ? std::toupper(c) : std::tolower(c));
    }
  if (!text.empty()) replaceSelection(text);
}

LRESULT EditControl::lineCount() const {
  if (!multiline()) return 1;
  return 1 + std::count(text_.begin(), text_.end(), '\n');
}

LRESULT EditControl::lineIndex(WPARAM line) const {
  auto wanted = static_cast<LONG>(line);
  if (wanted < 0) {  // the line of the caret
    wanted = static_cast<LONG>(std::count(text_.begin(), text_.begin() + static_cast<long>(caret_), '\n'));
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
    case WM_SYSKEYDOWN:
      if ((wParam == VK_UP || wParam == VK_DOWN) && (lParam & kAltContext) && inCombo())
        return SendMessage(parent(), msg, wParam, lParam);
      return byDefault(msg, wParam, lParam);
    case WM_LBUTTONDOWN: {
      SetFocus(hwnd());
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      moveCaret(charAt(at), (wParam & MK_SHIFT) != 0);
      selecting_ = true;
      SetCapture(hwnd());
      return 0;
    }
    case WM_MOUSEMOVE:
      if (selecting_) moveCaret(charAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}), true);
      return 0;
    case WM_LBUTTONUP:
      if (selecting_) {
        selecting_ = false;
        if (GetCapture() == hwnd()) ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED: selecting_ = false; return 0;
    case WM_LBUTTONDBLCLK: {
      size_t at = charAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      size_t from = at, to = at;
      while (from > 0 && isWordChar(text_[from - 1])) --from;
      while (to < text_.size() && isWordChar(text_[to])) ++to;
      anchor_ = from;
      moveCaret(to, true);
      redraw();
      return 0;
    }
    case WM_COPY: copy(); return 0;
    case WM_CUT:
      if (passwordChar_ || readOnly()) return 0;
      copy();
      replaceSelection(std::string());
      return 0;
    case WM_PASTE: paste(); return 0;
    case WM_CLEAR:
      if (!readOnly()) replaceSelection(std::string());
      return 0;
    // Enabled and disabled look different: the whole control is drawn again.
    case WM_ENABLE: redraw(); return 0;
    case WM_SETFOCUS:
      CreateCaret(hwnd(), nullptr, 1, fontHeight());
      caretMoved();
      ShowCaret(hwnd());
      redraw();
      notify(EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      DestroyCaret();
      redraw();
      notify(EN_KILLFOCUS);
      return 0;
    case WM_SIZE: caretMoved(); return byDefault(msg, wParam, lParam);
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | (multiline() ? DLGC_WANTALLKEYS : 0);
      if (inCombo()) code |= SendMessage(parent(), WM_GETDLGCODE, wParam, lParam) & DLGC_WANTMESSAGE;
      return code;
    }
    case EM_GETSEL: {
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(selStart());
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(selEnd());
      if (selStart() > 0xFFFF || selEnd() > 0xFFFF) return -1;
      return MAKELONG(selStart(), selEnd());
    }
    case EM_SETSEL: select(static_cast<LONG>(wParam), static_cast<LONG>(lParam)); return 0;
    case EM_REPLACESEL:
      replaceSelection(lParam ? reinterpret_cast<LPCSTR>(lParam) : "");
      return 0;
    case EM_SCROLLCARET: caretMoved(); return TRUE;
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
      caretMoved();
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
