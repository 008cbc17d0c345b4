// The look of edits: the text (or password characters) in the colours the
// parent chooses, scrolled sideways in a single-line edit, the selection in
// the highlight colours, and where the caret goes.
#include <algorithm>

#include "platform/win/controls/ControlLook.h"
#include "platform/win/controls/EditControl.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/user/Caret.h"

namespace wavorel {

namespace {

constexpr LONG kMargin = 1;

LONG extentOf(HDC dc, const std::string& text, size_t count) {
  SIZE size{};
  GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(std::min(count, text.size())), &size);
  return size.cx;
}

// A memory DC with the edit's font selected, for measuring.
class MeasureDc {
 public:
  explicit MeasureDc(HWND edit) : dc_(CreateCompatibleDC(nullptr)) {
    auto font = reinterpret_cast<HFONT>(SendMessage(edit, WM_GETFONT, 0, 0));
    old_ = SelectObject(dc_, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  }
  ~MeasureDc() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  MeasureDc(const MeasureDc&) = delete;
  MeasureDc& operator=(const MeasureDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace

std::string EditControl::shown() const { return passwordChar_ ? std::string(text_.size(), passwordChar_) : text_; }

RECT EditControl::textArea() const {
  RECT r;
  GetClientRect(hwnd(), &r);
  return RECT{r.left + kMargin, r.top + kMargin, r.right - kMargin, r.bottom - kMargin};
}

POINT EditControl::caretPoint() const {
  MeasureDc dc(hwnd());
  RECT area = textArea();
  std::string text = shown();
  if (!multiline()) return POINT{area.left + extentOf(dc.get(), text, caret_) - scroll_, area.top};
  size_t lineStart = static_cast<size_t>(lineIndex(static_cast<WPARAM>(-1)));
  LONG line = static_cast<LONG>(std::count(text_.begin(), text_.begin() + static_cast<long>(caret_), '\n'));
  TEXTMETRIC tm{};
  GetTextMetrics(dc.get(), &tm);
  std::string part = text.substr(lineStart, caret_ - lineStart);
  return POINT{area.left + extentOf(dc.get(), part, part.size()), area.top + line * tm.tmHeight};
}

size_t EditControl::charAt(POINT client) const {
  MeasureDc dc(hwnd());
  RECT area = textArea();
  std::string text = shown();
  size_t from = 0, to = text.size();
  LONG x = client.x - area.left;
  if (multiline()) {
    TEXTMETRIC tm{};
    GetTextMetrics(dc.get(), &tm);
    LONG line = tm.tmHeight > 0 ? std::max<LONG>(0, (client.y - area.top) / tm.tmHeight) : 0;
    LRESULT start = lineIndex(static_cast<WPARAM>(line));
    from = start < 0 ? text.size() : static_cast<size_t>(start);
    to = text.find_first_of("\r\n", from);
    if (to == std::string::npos) to = text.size();
  } else {
    x += scroll_;
  }
  // The boundary nearest to x: the widths grow with the count, so the first
  // count whose width reaches x is found by halving.
  std::string line = text.substr(from, to - from);
  size_t low = 0, high = line.size();
  while (low < high) {
    size_t middle = (low + high) / 2;
    if (extentOf(dc.get(), line, middle) < x)
      low = middle + 1;
    else
      high = middle;
  }
  if (low > 0 && x - extentOf(dc.get(), line, low - 1) < extentOf(dc.get(), line, low) - x) --low;
  return from + low;
}

void EditControl::caretMoved() {
  if (!multiline()) {
    MeasureDc dc(hwnd());
    RECT area = textArea();
    LONG width = std::max<LONG>(1, area.right - area.left);
    LONG at = extentOf(dc.get(), shown(), caret_);
    LONG scroll = scroll_;
    if (at - scroll >= width) scroll = at - width + 1;
    if (at < scroll) scroll = at;
    if (scroll != scroll_) {
      scroll_ = scroll;
      redraw();
    }
  }
  if (GetFocus() != hwnd()) return;
  POINT at = caretPoint();
  SetCaretPos(at.x, at.y);
}

void EditControl::paintLook(HDC dc) const {
  RECT r;
  GetClientRect(hwnd(), &r);
  UINT message = colorMessage();
  HBRUSH back = prepareControlDc(hwnd(), dc, message, message);
  FillRect(dc, &r, back);
  std::string text = shown();
  RECT area = textArea();
  DWORD s = style();
  UINT align = (s & ES_CENTER) ? DT_CENTER : (s & ES_RIGHT) ? DT_RIGHT : DT_LEFT;
  if (multiline()) {
    drawControlText(hwnd(), dc, text, area, align | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS);
    return;
  }
  int saved = SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  RECT scrolled{area.left - scroll_, area.top, std::max(area.right, area.left - scroll_ + extentOf(dc, text, text.size())),
                area.bottom};
  drawControlText(hwnd(), dc, text, align == DT_LEFT ? scrolled : area, align | DT_SINGLELINE | DT_NOPREFIX);
  bool showSelection = GetFocus() == hwnd() || (s & ES_NOHIDESEL);
  size_t from = selStart(), to = selEnd();
  if (showSelection && from != to && align == DT_LEFT) {
    RECT sel{scrolled.left + extentOf(dc, text, from), area.top, scrolled.left + extentOf(dc, text, to), area.bottom};
    FillRect(dc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
    COLORREF old = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    std::string part = text.substr(from, to - from);
    DrawText(dc, part.c_str(), static_cast<int>(part.size()), &sel, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    SetTextColor(dc, old);
  }
  RestoreDC(dc, saved);
}

}  // namespace wavorel
