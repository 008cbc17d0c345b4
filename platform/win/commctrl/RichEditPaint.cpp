// The default look of rich edits: the text runs from the first visible line
// down, each in its own font, size and colours; paragraphs end at CR.
#include "platform/win/controls/ControlLook.h"
#include "platform/win/gdi/Fonts.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/commctrl/RichEdit.h"
#include "platform/win/commctrl/RichEditControl.h"
#include "platform/win/gdi/Gdi.h"

namespace wavorel {

namespace {

constexpr LONG kMargin = 2;
constexpr LONG kTwipsPerInch = 1440;
constexpr LONG kDotsPerInch = 96;

}  // namespace

void RichEditControl::paintLook(HDC dc) const {
  RECT r;
  GetClientRect(hwnd(), &r);
  HBRUSH back = CreateSolidBrush(backColor_);
  FillRect(dc, &r, back);
  DeleteObject(back);
  SetBkMode(dc, TRANSPARENT);
  LONG line = 0, x = kMargin, y = kMargin;
  for (const RichEditRun& run : runs()) {
    HFONT font = CreateFont(-static_cast<int>(run.height * kDotsPerInch / kTwipsPerInch), 0, 0, 0,
                            (run.effects & CFE_BOLD) ? FW_BOLD : FW_NORMAL, (run.effects & CFE_ITALIC) ? TRUE : FALSE,
                            (run.effects & CFE_UNDERLINE) ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                            run.face.c_str());
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, (run.effects & CFE_AUTOCOLOR) ? GetSysColor(COLOR_WINDOWTEXT) : run.color);
    size_t start = 0;
    while (start <= run.text.size()) {
      size_t end = run.text.find('\r', start);
      std::string piece = run.text.substr(start, end == std::string::npos ? std::string::npos : end - start);
      if (line >= firstLine_ && !piece.empty()) {
        SIZE extent{};
        GetTextExtentPoint32(dc, piece.c_str(), static_cast<int>(piece.size()), &extent);
        if (!(run.effects & CFE_AUTOBACKCOLOR)) {
          HBRUSH mark = CreateSolidBrush(run.backColor);
          RECT cell{x, y, x + extent.cx, y + kLineHeight};
          FillRect(dc, &cell, mark);
          DeleteObject(mark);
        }
        TextOut(dc, x, y, piece.c_str(), static_cast<int>(piece.size()));
        x += extent.cx;
      }
      if (end == std::string::npos) break;
      if (line >= firstLine_) y += kLineHeight;
      ++line;
      x = kMargin;
      start = end + 1;
    }
    SelectObject(dc, old);
    DeleteObject(font);
  }
}

}  // namespace wavorel
