#include "platform/win/commctrl/RichEditControl.h"

#include <algorithm>
#include <cstring>

#include "platform/win/user/Paint.h"
#include "platform/win/commctrl/Notify.h"

namespace wavorel {

namespace {

// WM_VSCROLL codes.
constexpr WORD kLineUp = 0;
constexpr WORD kLineDown = 1;
constexpr WORD kPageUp = 2;
constexpr WORD kPageDown = 3;
constexpr WORD kTop = 6;
constexpr WORD kBottom = 7;

constexpr DWORD kEffectBits = CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT | CFE_PROTECTED | CFE_LINK;
constexpr DWORD kAllMask = CFM_EFFECTS | CFM_SIZE | CFM_FACE | CFM_OFFSET | CFM_CHARSET;
constexpr DWORD kAllMask2 = kAllMask | CFM_BACKCOLOR | CFM_WEIGHT;

// CR LF and LF become CR.
std::string paragraphs(const char* text) {
  std::string out;
  for (const char* p = text; p && *p; ++p) {
    if (*p == '\r' && p[1] == '\n') ++p;
    out += *p == '\n' ? '\r' : *p;
  }
  return out;
}

bool formatSizeFits(const CHARFORMAT* format, bool* extended) {
  if (format == nullptr) return false;
  *extended = format->cbSize == sizeof(CHARFORMAT2);
  return *extended || format->cbSize == sizeof(CHARFORMAT);
}

}  // namespace

RichEditControl::RichEditControl(HWND hwnd) : Control(hwnd), backColor_(GetSysColor(COLOR_WINDOW)) {
  default_.color = GetSysColor(COLOR_WINDOWTEXT);
  default_.backColor = GetSysColor(COLOR_WINDOW);
  insertion_ = default_;
}

LRESULT RichEditControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
      if (cs && cs->lpszName) {
        text_ = paragraphs(cs->lpszName);
        formats_.assign(text_.size(), default_);
      }
      return 0;
    }
    case WM_SETTEXT:
      text_ = paragraphs(reinterpret_cast<LPCSTR>(lParam));
      formats_.assign(text_.size(), default_);
      selMin_ = selMax_ = 0;
      insertion_ = default_;
      firstLine_ = 0;
      changed();
      return TRUE;
    case WM_GETTEXT:
      return copyText(withCrLf(0, length()), reinterpret_cast<LPSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(withCrLf(0, length()).size());
    case EM_GETTEXTLENGTHEX: {
      auto* how = reinterpret_cast<const GETTEXTLENGTHEX*>(wParam);
      bool crlf = how && (how->flags & GTL_USECRLF);
      return crlf ? static_cast<LRESULT>(withCrLf(0, length()).size()) : length();
    }
    case EM_SETSEL:
      setSelection(static_cast<LONG>(wParam), static_cast<LONG>(lParam));
      return 0;
    case EM_GETSEL:
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(selMin_);
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(selMax_);
      return selMax_ > 0xFFFF ? -1 : MAKELONG(selMin_, selMax_);
    case EM_EXSETSEL: {
      auto* range = reinterpret_cast<const CHARRANGE*>(lParam);
      if (range) setSelection(range->cpMin, range->cpMax);
      return selMax_;
    }
    case EM_EXGETSEL:
      if (lParam) *reinterpret_cast<CHARRANGE*>(lParam) = {selMin_, selMax_};
      return 0;
    case EM_REPLACESEL:
      replaceSelection(paragraphs(reinterpret_cast<LPCSTR>(lParam)), true);
      return 0;
    case EM_SETCHARFORMAT:
      return setCharFormat(static_cast<UINT>(wParam), reinterpret_cast<const CHARFORMAT*>(lParam));
    case EM_GETCHARFORMAT:
      return getCharFormat(static_cast<UINT>(wParam), reinterpret_cast<CHARFORMAT*>(lParam));
    case EM_SETBKGNDCOLOR: {
      COLORREF old = backColor_;
      backColor_ = wParam ? GetSysColor(COLOR_WINDOW) : static_cast<COLORREF>(lParam);
      redraw();
      return old;
    }
    case EM_SETEVENTMASK: {
      DWORD old = eventMask_;
      eventMask_ = static_cast<DWORD>(lParam);
      return old;
    }
    case EM_GETEVENTMASK:
      return eventMask_;
    case EM_LIMITTEXT:
    case EM_EXLIMITTEXT: {
      LONG limit = static_cast<LONG>(msg == EM_LIMITTEXT ? wParam : static_cast<WPARAM>(lParam));
      limit_ = limit > 0 ? limit : kExLimitDefault;
      return 0;
    }
    case EM_GETLIMITTEXT:
      return limit_;
    case EM_SETREADONLY:
      setStyle(wParam ? (style() | ES_READONLY) : (style() & ~ES_READONLY));
      return TRUE;
    case EM_HIDESELECTION:
      hideSelection_ = wParam != 0;
      redraw();
      return 0;
    case EM_GETLINECOUNT:
      return lineCount();
    case EM_LINEINDEX:
      return lineIndex(static_cast<LONG>(wParam));
    case EM_LINEFROMCHAR:
      return lineFromChar(static_cast<LONG>(wParam));
    case EM_EXLINEFROMCHAR:
      return lineFromChar(static_cast<LONG>(lParam));
    case EM_LINELENGTH: {
      LONG start = lineIndex(lineFromChar(static_cast<LONG>(wParam)));
      LONG end = start;
      while (end < length() && text_[static_cast<size_t>(end)] != '\r') ++end;
      return end - start;
    }
    case EM_GETFIRSTVISIBLELINE:
      return firstLine_;
    case EM_LINESCROLL:
      scrollTo(firstLine_ + static_cast<LONG>(lParam));
      return TRUE;
    case EM_SCROLLCARET: {
      LONG caret = lineFromChar(selMax_);
      if (caret < firstLine_)
        scrollTo(caret);
      else if (caret >= firstLine_ + visibleLines())
        scrollTo(caret - visibleLines() + 1);
      return 0;
    }
    case WM_VSCROLL:
      switch (LOWORD(wParam)) {
        case kLineUp: scrollTo(firstLine_ - 1); break;
        case kLineDown: scrollTo(firstLine_ + 1); break;
        case kPageUp: scrollTo(firstLine_ - visibleLines()); break;
        case kPageDown: scrollTo(firstLine_ + visibleLines()); break;
        case kTop: scrollTo(0); break;
        case kBottom: scrollTo(lineCount() - visibleLines()); break;
        default: break;
      }
      return 0;
    case WM_CHAR: {
      if (style() & ES_READONLY) return 0;
      char c = static_cast<char>(wParam);
      if (c == VK_BACK) {
        if (selMin_ == selMax_ && selMin_ > 0) selMin_--;
        replaceSelection(std::string(), false);
      } else if (c == '\r' || static_cast<unsigned char>(c) >= 0x20) {
        replaceSelection(std::string(1, c), true);
      }
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL | ((style() & ES_MULTILINE) ? DLGC_WANTALLKEYS : 0);
    case WM_PAINT:
      return paintThroughPrintClient(hwnd());
    case WM_PRINTCLIENT:
      paintLook(reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      return byDefault(msg, wParam, lParam);
  }
}

std::string RichEditControl::withCrLf(LONG from, LONG to) const {
  std::string out;
  for (LONG i = from; i < to; ++i) {
    char c = text_[static_cast<size_t>(i)];
    out += c;
    if (c == '\r') out += '\n';
  }
  return out;
}

void RichEditControl::setSelection(LONG start, LONG end) {
  if (start == -1) {
    start = end = selMax_;  // no selection; the caret stays
  } else {
    if (end < 0 || end > length()) end = length();
    start = std::clamp(start, LONG{0}, length());
  }
  selMin_ = std::min(start, end);
  selMax_ = std::max(start, end);
  if (selMin_ < selMax_)
    insertion_ = formats_[static_cast<size_t>(selMin_)];
  else if (selMin_ > 0)
    insertion_ = formats_[static_cast<size_t>(selMin_ - 1)];
  else
    insertion_ = formats_.empty() ? default_ : formats_.front();
  redraw();
}

void RichEditControl::replaceSelection(const std::string& text, bool limited) {
  std::string put = text;
  if (limited) {
    LONG room = std::max(LONG{0}, limit_ - (length() - (selMax_ - selMin_)));
    if (static_cast<LONG>(put.size()) > room) put.resize(static_cast<size_t>(room));
  }
  if (put.empty() && selMin_ == selMax_) return;
  Format format = selMin_ < selMax_ ? formats_[static_cast<size_t>(selMin_)] : insertion_;
  auto at = static_cast<size_t>(selMin_);
  text_.replace(at, static_cast<size_t>(selMax_ - selMin_), put);
  formats_.erase(formats_.begin() + selMin_, formats_.begin() + selMax_);
  formats_.insert(formats_.begin() + selMin_, put.size(), format);
  selMin_ = selMax_ = selMin_ + static_cast<LONG>(put.size());
  insertion_ = format;
  changed();
}

void RichEditControl::changed() {
  if (eventMask_ & ENM_UPDATE) notify(EN_UPDATE);
  if (eventMask_ & ENM_CHANGE) notify(EN_CHANGE);
  redraw();
}

void RichEditControl::apply(Format& target, const CHARFORMAT& format, bool extended) {
  DWORD effects = format.dwMask & kEffectBits;
  target.effects = (target.effects & ~effects) | (format.dwEffects & effects);
  if (format.dwMask & CFM_BOLD) target.weight = (format.dwEffects & CFE_BOLD) ? 700 : 400;
  if (format.dwMask & CFM_COLOR) {
    target.effects = (target.effects & ~CFE_AUTOCOLOR) | (format.dwEffects & CFE_AUTOCOLOR);
    target.color = format.crTextColor;
  }
  if (format.dwMask & CFM_SIZE) target.height = format.yHeight;
  if (format.dwMask & CFM_OFFSET) target.offset = format.yOffset;
  if (format.dwMask & CFM_CHARSET) target.charSet = format.bCharSet;
  if (format.dwMask & CFM_FACE) target.face.assign(format.szFaceName, strnlen(format.szFaceName, LF_FACESIZE));
  if (!extended) return;
  const auto& more = static_cast<const CHARFORMAT2&>(format);
  if (format.dwMask & CFM_BACKCOLOR) {
    target.effects = (target.effects & ~CFE_AUTOBACKCOLOR) | (format.dwEffects & CFE_AUTOBACKCOLOR);
    target.backColor = more.crBackColor;
  }
  if (format.dwMask & CFM_WEIGHT) target.weight = more.wWeight;
}

void RichEditControl::put(const Format& source, CHARFORMAT* format, bool extended) {
  format->dwEffects = source.effects;
  format->yHeight = source.height;
  format->yOffset = source.offset;
  format->crTextColor = source.color;
  format->bCharSet = source.charSet;
  format->bPitchAndFamily = 0;
  copyText(source.face, format->szFaceName, LF_FACESIZE);
  if (!extended) return;
  auto* more = static_cast<CHARFORMAT2*>(format);
  more->wWeight = source.weight;
  more->crBackColor = source.backColor;
}

BOOL RichEditControl::setCharFormat(UINT scope, const CHARFORMAT* format) {
  bool extended = false;
  if (!formatSizeFits(format, &extended)) return FALSE;
  if (scope & SCF_ALL) {
    for (Format& f : formats_) apply(f, *format, extended);
    apply(default_, *format, extended);
    apply(insertion_, *format, extended);
  } else if (scope & (SCF_SELECTION | SCF_WORD)) {
    if (selMin_ == selMax_)
      apply(insertion_, *format, extended);
    else
      for (LONG i = selMin_; i < selMax_; ++i) apply(formats_[static_cast<size_t>(i)], *format, extended);
  } else {
    apply(default_, *format, extended);
    if (text_.empty()) insertion_ = default_;
  }
  redraw();
  return TRUE;
}

DWORD RichEditControl::getCharFormat(UINT scope, CHARFORMAT* format) const {
  bool extended = false;
  if (!formatSizeFits(format, &extended)) return 0;
  DWORD mask = extended ? kAllMask2 : kAllMask;
  if (scope == SCF_DEFAULT || selMin_ == selMax_) {
    put(scope == SCF_DEFAULT ? default_ : insertion_, format, extended);
    format->dwMask = mask;
    return mask;
  }
  // Over a selection a mask bit stays only where every character agrees.
  const Format& first = formats_[static_cast<size_t>(selMin_)];
  for (LONG i = selMin_ + 1; i < selMax_; ++i) {
    const Format& f = formats_[static_cast<size_t>(i)];
    DWORD differ = (f.effects ^ first.effects) & kEffectBits;
    mask &= ~differ;
    if (f.color != first.color || ((f.effects ^ first.effects) & CFE_AUTOCOLOR)) mask &= ~CFM_COLOR;
    if (f.backColor != first.backColor || ((f.effects ^ first.effects) & CFE_AUTOBACKCOLOR)) mask &= ~CFM_BACKCOLOR;
    if (f.height != first.height) mask &= ~CFM_SIZE;
    if (f.offset != first.offset) mask &= ~CFM_OFFSET;
    if (f.charSet != first.charSet) mask &= ~CFM_CHARSET;
    if (f.face != first.face) mask &= ~CFM_FACE;
    if (f.weight != first.weight) mask &= ~CFM_WEIGHT;
  }
  put(first, format, extended);
  format->dwMask = mask;
  return mask;
}

LONG RichEditControl::lineCount() const {
  return static_cast<LONG>(std::count(text_.begin(), text_.end(), '\r')) + 1;
}

LONG RichEditControl::lineFromChar(LONG cp) const {
  if (cp < 0) cp = selMin_;
  cp = std::min(cp, length());
  return static_cast<LONG>(std::count(text_.begin(), text_.begin() + cp, '\r'));
}

LONG RichEditControl::lineIndex(LONG line) const {
  if (line < 0) line = lineFromChar(selMax_);
  if (line >= lineCount()) return -1;
  LONG cp = 0;
  for (LONG l = 0; l < line; ++l) cp = static_cast<LONG>(text_.find('\r', static_cast<size_t>(cp))) + 1;
  return cp;
}

int RichEditControl::visibleLines() const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  return std::max(1, static_cast<int>(client.bottom) / kLineHeight);
}

void RichEditControl::scrollTo(LONG line) {
  LONG top = std::clamp(line, LONG{0}, std::max(LONG{0}, lineCount() - 1));
  if (top == firstLine_) return;
  firstLine_ = top;
  redraw();
}

std::vector<RichEditRun> RichEditControl::runs() const {
  std::vector<RichEditRun> out;
  for (LONG i = 0; i < length(); ++i) {
    const Format& f = formats_[static_cast<size_t>(i)];
    if (out.empty() || !(formats_[static_cast<size_t>(out.back().cpMin)] == f))
      out.push_back({i, i, std::string(), f.effects, f.color, f.backColor, f.height, f.face});
    out.back().cpMax = i + 1;
    out.back().text += text_[static_cast<size_t>(i)];
  }
  return out;
}

std::vector<RichEditRun> richEditRuns(HWND richEdit) {
  auto control = std::dynamic_pointer_cast<RichEditControl>(controlOf(richEdit));
  return control ? control->runs() : std::vector<RichEditRun>();
}

}  // namespace wavorel
