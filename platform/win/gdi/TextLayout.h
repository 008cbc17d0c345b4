// DrawText's layout, apart from any DC: lines, their positions and the
// rectangle DT_CALCRECT gives.
//
// - Lines end at CR, LF or CR LF unless DT_SINGLELINE; a line break at the
//   end of the text starts no further line; an empty text is one empty line.
// - DT_WORDBREAK wraps at blanks: a line takes the words that fit in the
//   rectangle's width, the blanks where it breaks are dropped, and a word
//   wider than the rectangle stays whole on its own line (it overflows) -
//   with DT_EDITCONTROL it is cut between characters instead, at least one
//   character to a line. So even a width of 0 or 1 ends.
// - '&' underlines the next character and "&&" gives '&' (DT_NOPREFIX: as
//   is); a lone '&' at the end is dropped.
// - DT_EXPANDTABS: tab stops every 8 average character widths from the
//   line's start; without it a tab is an ordinary character.
// - DT_END_ELLIPSIS: a line wider than the rectangle loses characters at its
//   end until it fits with "..." appended.
// - Lines are tmHeight apart. DT_VCENTER and DT_BOTTOM place a single line
//   (DT_SINGLELINE) only: top + (height - line) / 2 and bottom - line.
//   DT_LEFT/CENTER/RIGHT align each line: left + (width - line width) / 2.
// - DT_EDITCONTROL leaves out a last line that is only partly inside.
// - The result is the text's height, or with DT_VCENTER/DT_BOTTOM on a single
//   line the offset from the top to the bottom of the text.
#pragma once

#include <string>
#include <vector>

#include "platform/win/gdi/Text.h"
#include "platform/win/gdi/TextMeasure.h"

namespace wavorel {

struct PlacedChar {
  char32_t cp = 0;
  int x = 0;  // from the line's start
};

struct LaidLine {
  std::vector<PlacedChar> chars;
  int x = 0;  // left edge of the line
  int y = 0;  // top of the line's cell
  int width = 0;
  int prefixX = 0;  // underlined '&' character, from the line's start
  int prefixWidth = 0;  // 0: none
};

struct TextLayout {
  std::vector<LaidLine> lines;  // the lines drawn (DT_EDITCONTROL may leave some out)
  RECT extent{};  // DT_CALCRECT: left and top kept, the widest line, all lines
  int result = 0;
};

TextLayout layoutText(const std::u32string& text, const RECT& rect, UINT format, const TextMeasure& measure);

// ANSI text (the current ANSI code page) as code points; count -1: up to the
// terminating zero.
std::u32string ansiToCodePoints(const char* text, int count);
// UTF-16 text as code points; count -1: up to the terminating zero.
std::u32string wideToCodePoints(const WCHAR* text, int count);

}  // namespace wavorel
