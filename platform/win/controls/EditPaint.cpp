// The default look of edits: the text (or password characters) in the
// colours the parent chooses, and the selection in the highlight colours.
#include <algorithm>

#include "platform/win/controls/ControlLook.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/controls/EditControl.h"
#include "platform/win/gdi/Gdi.h"

namespace wavorel {

namespace {

constexpr LONG kMargin = 1;

LONG extentOf(HDC dc, const std::string& text, size_t count) {
  SIZE size{};
  GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(std::min(count, text.size())), &size);
  return size.cx;
}

}  // namespace

void EditControl::paintLook(HDC dc) const {
  RECT r;
  GetClientRect(hwnd(), &r);
  UINT message = colorMessage();
  HBRUSH back = prepareControlDc(hwnd(), dc, message, message);
  FillRect(dc, &r, back);
  std::string shown = passwordChar_ ? std::string(text_.size(), passwordChar_) : text_;
  RECT area{r.left + kMargin, r.top + kMargin, r.right - kMargin, r.bottom - kMargin};
  DWORD s = style();
  UINT align = (s & ES_CENTER) ? DT_CENTER : (s & ES_RIGHT) ? DT_RIGHT : DT_LEFT;
  if (multiline()) {
    drawControlText(hwnd(), dc, shown, area, align | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS);
    return;
  }
  drawControlText(hwnd(), dc, shown, area, align | DT_SINGLELINE | DT_NOPREFIX);
  bool showSelection = GetFocus() == hwnd() || (s & ES_NOHIDESEL);
  size_t from = std::min(selStart_, selEnd_), to = std::max(selStart_, selEnd_);
  if (!showSelection || from == to || align != DT_LEFT) return;
  RECT sel{area.left + extentOf(dc, shown, from), area.top, area.left + extentOf(dc, shown, to), area.bottom};
  FillRect(dc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
  COLORREF old = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  std::string part = shown.substr(from, to - from);
  DrawText(dc, part.c_str(), static_cast<int>(part.size()), &sel, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  SetTextColor(dc, old);
}

}  // namespace wavorel
