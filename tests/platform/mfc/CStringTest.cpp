#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "platform/mfc/Exception.h"
#include "platform/mfc/String.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Resources.h"

namespace {

struct EditCase {
  const char* input;
  std::function<void(CString&)> edit;
  const char* expected;
};

void runEdits(const std::vector<EditCase>& cases) {
  for (size_t i = 0; i < cases.size(); ++i) {
    CString s(cases[i].input);
    cases[i].edit(s);
    EXPECT_STREQ(s, cases[i].expected) << "case " << i << " on \"" << cases[i].input << "\"";
  }
}

TEST(CString, ConstructionFromNullCountsAndRepeats) {
  EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
  EXPECT_STREQ(CString("abcdef", 3), "abc");
  EXPECT_TRUE(CString(static_cast<const char*>(nullptr), 4).IsEmpty());
  EXPECT_STREQ(CString('-', 3), "---");
  EXPECT_TRUE(CString('-', 0).IsEmpty());
  CString a("x");
  a = static_cast<const char*>(nullptr);
  EXPECT_TRUE(a.IsEmpty());
}

TEST(CString, MidLeftRightClampOutOfRangeCounts) {
  const CString s("abcdef");
  const struct {
    CString actual;
    const char* expected;
  } cases[] = {
      {s.Mid(2), "cdef"},    {s.Mid(2, 2), "cd"},   {s.Mid(-3, 2), "ab"},   {s.Mid(4, 100), "ef"},
      {s.Mid(10), ""},       {s.Mid(2, -1), ""},    {s.Mid(-1), "abcdef"},  {s.Left(-1), ""},
      {s.Left(3), "abc"},    {s.Left(99), "abcdef"}, {s.Right(2), "ef"},    {s.Right(99), "abcdef"},
      {s.Right(-5), ""},
  };
  for (const auto& c : cases) EXPECT_STREQ(c.actual, c.expected);
}

TEST(CString, FindFromEveryStart) {
  const CString s("hello");
  const struct {
    int actual;
    int expected;
  } cases[] = {
      {s.Find('l'), 2},      {s.Find('l', 3), 3},    {s.Find('l', 4), -1},     {s.Find('h', 5), -1},
      {s.Find('h', 99), -1}, {s.Find('h', -1), -1},  {s.Find("lo"), 3},        {s.Find("lo", 4), -1},
      {s.Find("", 5), 5},    {s.Find("", 6), -1},    {s.Find("x"), -1},        {s.Find(static_cast<const char*>(nullptr)), -1},
      {s.ReverseFind('l'), 3}, {s.ReverseFind('z'), -1}, {s.FindOneOf("ol"), 2}, {s.FindOneOf("xyz"), -1},
  };
  for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) EXPECT_EQ(cases[i].actual, cases[i].expected) << i;
}

TEST(CString, ReplaceCountsNonOverlappingMatchesLeftToRight) {
  const struct {
    const char* input;
    const char* from;
    const char* to;
    int count;
    const char* expected;
  } cases[] = {
      {"aaaa", "aa", "b", 2, "bb"},   {"aaa", "aa", "a", 1, "aa"},  {"abcabc", "bc", "", 2, "aa"},
      {"ab", "a", "aa", 1, "aab"},    {"abc", "", "x", 0, "abc"},   {"abc", "zz", "x", 0, "abc"},
      {"x", "x", "longer", 1, "longer"},
  };
  for (const auto& c : cases) {
    CString s(c.input);
    EXPECT_EQ(s.Replace(c.from, c.to), c.count) << c.input;
    EXPECT_STREQ(s, c.expected);
  }
  CString dots("a.b.c");
  EXPECT_EQ(dots.Replace('.', '-'), 2);
  EXPECT_STREQ(dots, "a-b-c");
  EXPECT_EQ(dots.Replace('a', 'a'), 0);
  EXPECT_EQ(dots.Remove('-'), 2);
  EXPECT_STREQ(dots, "abc");
}

TEST(CString, TrimWithWhiteSpaceCharAndCharSet) {
  runEdits({
      {" \r\n\tcmd  /x \t\r\n", [](CString& s) { s.Trim(" \r\n\t"); }, "cmd  /x"},
      {"  both \t", [](CString& s) { s.Trim(); }, "both"},
      {"\"'v a'\"", [](CString& s) { s.Trim('"').Trim('\''); }, "v a"},
      {"xxabcxx", [](CString& s) { s.TrimLeft('x'); }, "abcxx"},
      {"xxabcxx", [](CString& s) { s.TrimRight('x'); }, "xxabc"},
      {"--==x==--", [](CString& s) { s.TrimRight("-="); }, "--==x"},
      {"--==x==--", [](CString& s) { s.TrimLeft("=-"); }, "x==--"},
      {"aaaa", [](CString& s) { s.Trim('a'); }, ""},
      {"   ", [](CString& s) { s.TrimLeft(); }, ""},
      {"abc", [](CString& s) { s.Trim(""); }, "abc"},
  });
}

TEST(CString, EditingClampsPositions) {
  CString s("abc");
  EXPECT_EQ(s.Insert(-5, 'x'), 4);
  EXPECT_EQ(s.Insert(99, "yz"), 6);
  EXPECT_STREQ(s, "xabcyz");
  EXPECT_EQ(s.Delete(1, 2), 4);
  EXPECT_STREQ(s, "xcyz");
  EXPECT_EQ(s.Delete(3, 100), 3);
  EXPECT_EQ(s.Delete(10), 3);
  EXPECT_EQ(s.Delete(-2, 1), 2);
  EXPECT_STREQ(s, "cy");
  runEdits({
      {"MiXeD 1", [](CString& t) { t.MakeLower(); }, "mixed 1"},
      {"MiXeD 1", [](CString& t) { t.MakeUpper().MakeReverse(); }, "1 DEXIM"},
      {"abc", [](CString& t) { t.SetAt(1, 'X'); }, "aXc"},
  });
}

TEST(CString, SpansAndTokens) {
  CString s("123abc;rest");
  EXPECT_STREQ(s.SpanIncluding("0123456789"), "123");
  EXPECT_STREQ(s.SpanExcluding(";"), "123abc");
  EXPECT_STREQ(s.SpanExcluding("9"), "123abc;rest");

  CString line("  a, b,,c ");
  std::vector<std::string> tokens;
  int pos = 0;
  for (CString t = line.Tokenize(" ,", pos); pos != -1; t = line.Tokenize(" ,", pos)) tokens.push_back(t.GetString());
  EXPECT_EQ(tokens, (std::vector<std::string>{"a", "b", "c"}));
  pos = 0;
  EXPECT_STREQ(CString(",,,").Tokenize(",", pos), "");
  EXPECT_EQ(pos, -1);
}

TEST(CString, CompareNoCaseFoldsToLowerCase) {
  const struct {
    const char* a;
    const char* b;
    int noCase;
    int exact;
  } cases[] = {
      {"ABC", "abc", 0, -1}, {"abc", "ABD", -1, 1}, {"Zeta", "alpha", 1, -1},
      {"_", "A", -1, 1},  // '_' lies between the upper and the lower case letters
      {"", "a", -1, -1},     {"same", "same", 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CString(c.a).CompareNoCase(c.b), c.noCase) << c.a << " " << c.b;
    EXPECT_EQ(CString(c.a).Compare(c.b), c.exact) << c.a << " " << c.b;
  }
}

TEST(CString, OperatorsConcatenateAndCompare) {
  CString s = "a" + CString("b") + 'c';
  s += "d";
  s += 'e';
  s += CString("f");
  EXPECT_STREQ(s, "abcdef");
  EXPECT_TRUE(s == "abcdef" && "abcdef" == s && s == CString("abcdef"));
  EXPECT_TRUE(s != "abc" && CString("abc") < s && s > "abc" && "abc" < s && s >= s && "b" > s);
  EXPECT_EQ(s[0], 'a');
  EXPECT_EQ(s.GetAt(6), '\0');
  EXPECT_EQ(std::strlen(static_cast<LPCTSTR>(s)), 6u);
}

TEST(CString, IndexOutsideTheTextThrowsInvalidArgument) {
  CString s("ab");
  for (auto access : std::vector<std::function<void()>>{[&] { s.GetAt(3); }, [&] { s.GetAt(-1); },
                                                       [&] { s.SetAt(2, 'x'); }}) {
    try {
      access();
      ADD_FAILURE() << "no exception";
    } catch (CException* e) {
      EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)));
      e->Delete();
    }
  }
}

TEST(CString, GetBufferReleaseBufferRoundTrip) {
  CString s("abc");
  char* p = s.GetBuffer(10);
  EXPECT_STREQ(p, "abc") << "the text is kept";
  std::strcpy(p, "hello, wor");  // the 10 characters asked for and the terminator
  s.ReleaseBuffer();
  EXPECT_STREQ(s, "hello, wor");
  EXPECT_EQ(s.GetLength(), 10);

  p = s.GetBuffer(20);
  std::memcpy(p, "xyz\0tail", 8);
  s.ReleaseBuffer(2);
  EXPECT_STREQ(s, "xy");

  p = s.GetBufferSetLength(4);
  std::memcpy(p, "1234", 4);
  EXPECT_EQ(s.GetLength(), 4);
  s.ReleaseBuffer();
  EXPECT_STREQ(s, "1234");
  s.GetBufferSetLength(2);
  s.ReleaseBuffer(-1);
  EXPECT_STREQ(s, "12");
  s.GetBuffer(0);
  s.ReleaseBuffer(50);  // more than the buffer holds: cut to it
  EXPECT_STREQ(s, "12");
}

// String block 2 (ids 16 to 31) of a resource-only module: id 17 "Hello",
// id 18 a text longer than the first buffer LoadString tries.
const wavorel::ResourceTable& stringModuleTable() {
  static const std::vector<BYTE> block = [] {
    std::vector<BYTE> b;
    auto put = [&b](const std::u16string& s) {
      b.push_back(static_cast<BYTE>(s.size() & 0xFF));
      b.push_back(static_cast<BYTE>(s.size() >> 8));
      for (char16_t c : s) {
        b.push_back(static_cast<BYTE>(c & 0xFF));
        b.push_back(static_cast<BYTE>(c >> 8));
      }
    };
    for (int i = 0; i < 16; ++i) put(i == 1 ? u"Hello" : i == 2 ? std::u16string(1000, u'x') : u"");
    return b;
  }();
  static const wavorel::ResourceEntry entry = {{6, nullptr}, {2, nullptr}, 0x0409, block.data(),
                                               static_cast<DWORD>(block.size())};
  static const wavorel::ResourceTable table = {&entry, 1, nullptr, 0};
  return table;
}

using CStringResourceTest = wavorel::testing::PlatformTest;

TEST_F(CStringResourceTest, LoadStringReadsTheResourceModule) {
  HINSTANCE module = wavorel::moduleInstance("mfcstrings.dll");
  static bool registered = false;
  if (!registered) wavorel::registerResourceModule(module, stringModuleTable());
  registered = true;

  CString s("unchanged");
  EXPECT_FALSE(s.LoadString(17)) << "the program has no such string";
  EXPECT_STREQ(s, "unchanged");
  wavorel::setResourceModule(module);
  EXPECT_TRUE(s.LoadString(17));
  EXPECT_STREQ(s, "Hello");
  EXPECT_TRUE(s.LoadString(18));
  EXPECT_EQ(s, CString('x', 1000));
  EXPECT_FALSE(s.LoadString(19)) << "an empty entry is no string";
  EXPECT_EQ(s.GetLength(), 1000);
}

}  // namespace
