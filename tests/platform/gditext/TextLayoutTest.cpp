#include <gtest/gtest.h>

#include <string>

#include "platform/win/gdi/TextLayout.h"

namespace wavorel {
namespace {

// Every character 6 pixels wide, 'i' 3 and '.' 2; lines 10 high.
class FixedMeasure : public TextMeasure {
 public:
  int advance(char32_t cp) const override { return cp == U'i' ? 3 : cp == U'.' ? 2 : 6; }
  int lineHeight() const override { return 10; }
  int averageCharWidth() const override { return 5; }
};

std::string lineText(const LaidLine& line) {
  std::string s;
  for (const PlacedChar& c : line.chars) s += static_cast<char>(c.cp);
  return s;
}

std::string linesOf(const TextLayout& layout) {
  std::string s;
  for (const LaidLine& l : layout.lines) s += (s.empty() ? "" : "|") + lineText(l);
  return s;
}

TextLayout layout(const char* text, int width, int height, UINT format) {
  return layoutText(ansiToCodePoints(text, -1), RECT{10, 20, 10 + width, 20 + height}, format, FixedMeasure());
}

TEST(DrawTextLayout, LinesExtentAndResult) {
  struct Case {
    const char* text;
    int width;
    UINT format;
    const char* lines;
    int extentWidth;
    int result;
  } cases[] = {
      {"aaa bbb ccc", 50, DT_WORDBREAK | DT_CALCRECT, "aaa bbb|ccc", 42, 20},
      {"aaa bbb ccc", 200, DT_WORDBREAK | DT_CALCRECT, "aaa bbb ccc", 66, 10},
      {"aaa   bbb", 20, DT_WORDBREAK, "aaa|bbb", 18, 20},
      {"  aaa", 100, DT_WORDBREAK, "  aaa", 30, 10},
      // A word wider than the line overflows; with DT_EDITCONTROL it is cut.
      {"abcdefgh xy", 30, DT_WORDBREAK | DT_CALCRECT, "abcdefgh|xy", 48, 20},
      {"abcdefgh", 30, DT_WORDBREAK | DT_EDITCONTROL | DT_CALCRECT, "abcde|fgh", 30, 20},
      // Widths of 0 and 1 end.
      {"aaa bbb", 0, DT_WORDBREAK | DT_CALCRECT, "aaa|bbb", 18, 20},
      {"abc", 0, DT_WORDBREAK | DT_EDITCONTROL | DT_CALCRECT, "a|b|c", 6, 30},
      {"ab c", 1, DT_WORDBREAK | DT_EDITCONTROL | DT_CALCRECT, "a|b|c", 6, 30},
      {"      ", 1, DT_WORDBREAK, "      ", 36, 10},
      // Line breaks, unless single line.
      {"ab\r\ncd\nef\rgh", 100, 0, "ab|cd|ef|gh", 12, 40},
      {"ab\n", 100, 0, "ab", 12, 10},
      {"", 100, DT_CALCRECT, "", 0, 10},
      {"ab\ncd", 100, DT_SINGLELINE, "ab\ncd", 30, 10},
      {"ab\n\ncd", 100, DT_WORDBREAK, "ab||cd", 12, 30},
      // Ellipsis: "..." is 6 wide.
      {"abcdefgh", 30, DT_SINGLELINE | DT_END_ELLIPSIS, "abcd...", 30, 10},
      {"abcdefgh", 29, DT_SINGLELINE | DT_END_ELLIPSIS, "abc...", 24, 10},
      {"abcd", 24, DT_SINGLELINE | DT_END_ELLIPSIS, "abcd", 24, 10},
      {"abcdefgh", 0, DT_SINGLELINE | DT_END_ELLIPSIS, "...", 6, 10},
      {"abcdefgh", 1, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT, "...", 6, 10},
      // Prefixes.
      {"&File", 100, 0, "File", 21, 10},
      {"a&&b", 100, 0, "a&b", 18, 10},
      {"ab&", 100, 0, "ab", 12, 10},
      {"a&b", 100, DT_NOPREFIX, "a&b", 18, 10},
  };
  for (const Case& c : cases) {
    const TextLayout l = layout(c.text, c.width, 100, c.format);
    EXPECT_EQ(linesOf(l), c.lines) << '"' << c.text << "\" width " << c.width;
    EXPECT_EQ(l.extent.right - l.extent.left, c.extentWidth) << c.text;
    EXPECT_EQ(l.extent.left, 10);
    EXPECT_EQ(l.extent.top, 20);
    EXPECT_EQ(l.extent.bottom - l.extent.top, c.result) << c.text;
    EXPECT_EQ(l.result, c.result) << c.text;
  }
}

TEST(DrawTextLayout, SingleLineVerticalPlacementAndResult) {
  struct Case {
    UINT format;
    int height;
    int top;
    int result;
  } cases[] = {
      {DT_SINGLELINE, 31, 20, 10},
      {DT_SINGLELINE | DT_VCENTER, 31, 30, 20},
      {DT_SINGLELINE | DT_VCENTER, 30, 30, 20},
      {DT_SINGLELINE | DT_BOTTOM, 31, 41, 31},
      {DT_SINGLELINE | DT_VCENTER, 4, 17, 7},  // taller than the rectangle: centred over it
      {DT_VCENTER, 31, 20, 10},                // needs DT_SINGLELINE
      {DT_BOTTOM | DT_WORDBREAK, 31, 20, 10},
  };
  for (const Case& c : cases) {
    const TextLayout l = layout("ab", 100, c.height, c.format);
    ASSERT_EQ(l.lines.size(), 1u);
    EXPECT_EQ(l.lines[0].y, c.top) << c.format << " " << c.height;
    EXPECT_EQ(l.result, c.result) << c.format << " " << c.height;
  }
}

TEST(DrawTextLayout, HorizontalAlignmentPerLine) {
  const TextLayout centre = layout("aaaa bb", 40, 100, DT_WORDBREAK | DT_CENTER);
  ASSERT_EQ(centre.lines.size(), 2u);
  EXPECT_EQ(centre.lines[0].x, 10 + (40 - 24) / 2);
  EXPECT_EQ(centre.lines[1].x, 10 + (40 - 12) / 2);
  EXPECT_EQ(centre.lines[1].y, 30);
  const TextLayout right = layout("ab", 40, 100, DT_RIGHT);
  EXPECT_EQ(right.lines[0].x, 50 - 12);
  EXPECT_EQ(layout("ab", 40, 100, DT_LEFT).lines[0].x, 10);
  // Wider than the rectangle: centred over both edges.
  EXPECT_EQ(layout("abcdefgh", 20, 100, DT_CENTER | DT_SINGLELINE).lines[0].x, 10 + (20 - 48) / 2);
}

TEST(DrawTextLayout, PrefixUnderlineTabsAndCharacterPositions) {
  const TextLayout p = layout("a&ib", 100, 100, 0);
  EXPECT_EQ(p.lines[0].prefixX, 6);
  EXPECT_EQ(p.lines[0].prefixWidth, 3);
  EXPECT_EQ(p.lines[0].chars[2].x, 9);
  EXPECT_EQ(layout("a&&b", 100, 100, 0).lines[0].prefixWidth, 0);
  EXPECT_EQ(layout("a&b", 100, 100, DT_NOPREFIX).lines[0].prefixWidth, 0);

  // Tab stops every 8 average widths (40) from the line's start.
  const TextLayout t = layout("a\tb\tc", 200, 100, DT_EXPANDTABS);
  ASSERT_EQ(lineText(t.lines[0]), "abc");
  EXPECT_EQ(t.lines[0].chars[1].x, 40);
  EXPECT_EQ(t.lines[0].chars[2].x, 80);
  EXPECT_EQ(t.lines[0].width, 86);
  EXPECT_EQ(lineText(layout("a\tb", 200, 100, 0).lines[0]), "a\tb");
}

TEST(DrawTextLayout, EditControlLeavesOutAPartlyVisibleLastLine) {
  EXPECT_EQ(linesOf(layout("a b c", 0, 25, DT_WORDBREAK | DT_EDITCONTROL)), "a|b");
  EXPECT_EQ(linesOf(layout("a b c", 0, 25, DT_WORDBREAK)), "a|b|c");
  EXPECT_EQ(linesOf(layout("a b c", 0, 5, DT_WORDBREAK | DT_EDITCONTROL)), "a");
  EXPECT_EQ(layout("a b c", 0, 25, DT_WORDBREAK | DT_EDITCONTROL | DT_CALCRECT).result, 30);
}

TEST(DrawTextLayout, AnsiTextIsDecodedWithTheAnsiCodePage) {
  EXPECT_EQ(ansiToCodePoints("a\xE9\x80", -1), std::u32string(U"a\u00E9\u20AC"));
  EXPECT_EQ(ansiToCodePoints("abc", 2), std::u32string(U"ab"));
  EXPECT_EQ(ansiToCodePoints(nullptr, -1), std::u32string());
  const WCHAR pair[] = {u'x', 0xD83D, 0xDE00, 0};
  EXPECT_EQ(wideToCodePoints(pair, -1), std::u32string(U"x\U0001F600"));
}

}  // namespace
}  // namespace wavorel
