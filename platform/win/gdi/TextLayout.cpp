#include "platform/win/gdi/TextLayout.h"

#include <algorithm>
#include <cstring>

#include "platform/win/kernel/CodePage.h"

namespace wavorel {

namespace {

struct Ch {
  char32_t cp;
  bool prefixed;
};

bool isBlank(char32_t c) { return c == U' ' || c == U'\t'; }
bool isBreak(char32_t c) { return c == U'\r' || c == U'\n'; }

std::vector<Ch> resolvePrefixes(const std::u32string& text, bool noPrefix) {
  // Sized first and written field by field: a pushed Ch goes through a
  // stack copy that the store of its bool makes slow to read back.
  std::vector<Ch> out(text.size());
  size_t n = 0;
  for (size_t i = 0; i < text.size(); ++i, ++n) {
    bool prefixed = false;
    if (!noPrefix && text[i] == U'&') {
      if (i + 1 == text.size()) break;
      ++i;
      prefixed = text[i] != U'&';
    }
    out[n].cp = text[i];
    out[n].prefixed = prefixed;
  }
  out.resize(n);
  return out;
}

class Placer {
 public:
  Placer(const TextMeasure& m, bool expandTabs)
      : m_(m), expandTabs_(expandTabs), tabStop_(std::max(1, 8 * m.averageCharWidth())) {}
  // The pen position after `c` drawn at `x` (x from the line's start).
  int next(char32_t c, int x) const {
    if (expandTabs_ && c == U'\t') return (x / tabStop_ + 1) * tabStop_;
    return x + m_.advance(c);
  }
  int width(const std::vector<Ch>& chars, size_t b, size_t e) const {
    int x = 0;
    for (size_t i = b; i < e; ++i) x = next(chars[i].cp, x);
    return x;
  }

 private:
  const TextMeasure& m_;
  bool expandTabs_;
  int tabStop_;
};

struct Span {
  size_t begin;
  size_t end;
};

// Splits one paragraph [b, e) into lines that fit `avail` at blanks.
void wrapParagraph(const std::vector<Ch>& chars, size_t b, size_t e, int avail, bool cutWords, const Placer& placer,
                   std::vector<Span>& out) {
  size_t i = b;
  while (i < e) {
    // The first word of a line carries the blanks in front of it.
    size_t k = i;
    int x = 0;
    while (k < e && isBlank(chars[k].cp)) x = placer.next(chars[k++].cp, x);
    while (k < e && !isBlank(chars[k].cp)) x = placer.next(chars[k++].cp, x);
    size_t lineEnd = k;
    if (x > avail && cutWords) {
      lineEnd = i;
      int cx = 0;
      while (lineEnd < e) {
        const int nx = placer.next(chars[lineEnd].cp, cx);
        if (nx > avail && lineEnd > i) break;
        cx = nx;
        ++lineEnd;
      }
    } else if (x <= avail) {
      while (k < e) {
        size_t n = k;
        int xn = x;
        while (n < e && isBlank(chars[n].cp)) xn = placer.next(chars[n++].cp, xn);
        size_t w = n;
        int xw = xn;
        while (w < e && !isBlank(chars[w].cp)) xw = placer.next(chars[w++].cp, xw);
        if (w == n || xw > avail) break;
        x = xw;
        k = w;
        lineEnd = k;
      }
    }
    out.push_back(Span{i, lineEnd});
    i = lineEnd;
    while (i < e && isBlank(chars[i].cp)) ++i;
  }
}

std::vector<Span> splitLines(const std::vector<Ch>& chars, UINT format, int avail, const Placer& placer) {
  std::vector<Span> lines;
  if (format & DT_SINGLELINE) {
    lines.push_back(Span{0, chars.size()});
    return lines;
  }
  size_t b = 0;
  while (true) {
    size_t e = b;
    while (e < chars.size() && !isBreak(chars[e].cp)) ++e;
    if (format & DT_WORDBREAK) {
      const size_t before = lines.size();
      wrapParagraph(chars, b, e, avail, (format & DT_EDITCONTROL) != 0, placer, lines);
      if (lines.size() == before) lines.push_back(Span{b, e});
    } else {
      lines.push_back(Span{b, e});
    }
    if (e == chars.size()) break;
    size_t next = e + 1;
    if (chars[e].cp == U'\r' && next < chars.size() && chars[next].cp == U'\n') ++next;
    if (next == chars.size()) break;
    b = next;
  }
  return lines;
}

LaidLine placeLine(const std::vector<Ch>& chars, Span span, UINT format, int avail, const Placer& placer) {
  // The characters kept, and "..." after them when the line was too wide.
  size_t end = span.end;
  std::vector<Ch> dots;
  if ((format & DT_END_ELLIPSIS) && placer.width(chars, span.begin, end) > avail) {
    dots.assign(3, Ch{U'.', false});
    const int dotsWidth = placer.width(dots, 0, dots.size());
    while (end > span.begin && placer.width(chars, span.begin, end) + dotsWidth > avail) --end;
  }
  LaidLine out;
  out.chars.resize(end - span.begin + dots.size());
  size_t placed = 0;
  int x = 0;
  auto place = [&](const Ch& c) {
    const int nx = placer.next(c.cp, x);
    if (!(format & DT_EXPANDTABS) || c.cp != U'\t') {
      out.chars[placed].cp = c.cp;
      out.chars[placed].x = x;
      ++placed;
    }
    if (c.prefixed && out.prefixWidth == 0) {
      out.prefixX = x;
      out.prefixWidth = nx - x;
    }
    x = nx;
  };
  for (size_t i = span.begin; i < end; ++i) place(chars[i]);
  for (const Ch& c : dots) place(c);
  out.chars.resize(placed);
  out.width = x;
  return out;
}

}  // namespace

TextLayout layoutText(const std::u32string& text, const RECT& rect, UINT format, const TextMeasure& measure) {
  const std::vector<Ch> chars = resolvePrefixes(text, (format & DT_NOPREFIX) != 0);
  const Placer placer(measure, (format & DT_EXPANDTABS) != 0);
  const int avail = std::max(0, static_cast<int>(rect.right - rect.left));
  const int lineHeight = measure.lineHeight();

  TextLayout layout;
  int widest = 0;
  for (const Span& span : splitLines(chars, format, avail, placer)) {
    layout.lines.push_back(placeLine(chars, span, format, avail, placer));
    widest = std::max(widest, layout.lines.back().width);
  }
  const int height = static_cast<int>(layout.lines.size()) * lineHeight;
  layout.extent = RECT{rect.left, rect.top, rect.left + widest, rect.top + height};

  int top = rect.top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER) {
      top = rect.top + (rect.bottom - rect.top - lineHeight) / 2;
    } else if (format & DT_BOTTOM) {
      top = rect.bottom - lineHeight;
    }
  }
  layout.result = (format & DT_CALCRECT) ? height : top - rect.top + height;

  for (size_t i = 0; i < layout.lines.size(); ++i) {
    LaidLine& line = layout.lines[i];
    line.y = top + static_cast<int>(i) * lineHeight;
    if (format & DT_CENTER) {
      line.x = rect.left + (rect.right - rect.left - line.width) / 2;
    } else if (format & DT_RIGHT) {
      line.x = rect.right - line.width;
    } else {
      line.x = rect.left;
    }
  }
  if ((format & DT_EDITCONTROL) && !(format & DT_CALCRECT)) {
    size_t keep = 1;
    while (keep < layout.lines.size() && layout.lines[keep].y + lineHeight <= rect.bottom) ++keep;
    layout.lines.resize(std::min(keep, layout.lines.size()));
  }
  return layout;
}

std::u32string wideToCodePoints(const WCHAR* text, int count) {
  std::u32string out;
  if (!text) return out;
  size_t n = 0;
  if (count < 0) {
    while (text[n]) ++n;
  } else {
    n = static_cast<size_t>(count);
  }
  out.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < n && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      out.push_back(0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::u32string ansiToCodePoints(const char* text, int count) {
  if (!text) return std::u32string();
  const int bytes = count < 0 ? static_cast<int>(std::strlen(text)) : count;
  if (bytes == 0) return std::u32string();
  // Code page 1252 and UTF-8 take bytes below 0x80 as the same code points:
  // text of those alone needs no conversion.
  const UINT page = GetACP();
  if ((page == 1252 || page == CP_UTF8) &&
      std::all_of(text, text + bytes, [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return std::u32string(text, text + bytes);
  std::u16string wide(static_cast<size_t>(bytes), u'\0');
  const int units = MultiByteToWideChar(CP_ACP, 0, text, bytes, wide.data(), bytes);
  return wideToCodePoints(wide.data(), units);
}

}  // namespace wavorel
