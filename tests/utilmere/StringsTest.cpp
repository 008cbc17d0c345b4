#include <cstring>
#include <string>
#include <vector>

#include "platform/testing/PlatformTest.h"
#include "utilmere/Strings.h"

namespace {

using Parts = std::vector<std::string>;

Parts partsOf(const CStringArray& array) {
  Parts parts;
  for (INT_PTR i = 0; i < array.GetSize(); ++i) parts.emplace_back(array[i].GetString());
  return parts;
}

class StringsTest : public wavorel::testing::PlatformTest {};

// In code page 936 "\xB0\xA1" is one character and "\xD5\x7C" one whose second
// byte is '|' (0x7C); "\xB0\x5D" one whose second byte is ']', "\xB0\x5C" one
// whose second byte is a backslash.
const char kHanziBar[] = "\xD5\x7C";

TEST_F(StringsTest, SeparatorSetSplitsAtRunsAndSkipsDoubleByteCharacters) {
  wavorel::setAnsiCodePage(936);
  struct Case {
    const char* text;
    const char* separators;
    Parts parts;
  } cases[] = {
      {",a;;b,", ",;", {"a", "b"}},
      {" a  b ", " ", {"a", "b"}},
      {",,;", ",;", {}},
      {"", ",", {}},
      {"x\xD5\x7Cy|z", "|", {"x\xD5\x7Cy", "z"}},
  };
  for (const Case& c : cases) {
    CStringArray array;
    array.Add("old");
    EXPECT_EQ(PartStringAndAddToStrAry(c.text, array, c.separators), static_cast<int>(c.parts.size())) << c.text;
    EXPECT_EQ(partsOf(array), c.parts) << c.text;
  }
  CStringArray kept;
  kept.Add("old");
  EXPECT_EQ(PartStringAndAddToStrAry(nullptr, kept, ","), 0);
  EXPECT_EQ(partsOf(kept), Parts{"old"});
}

TEST_F(StringsTest, SeparatorCharacterAppendsTrimmedPartsAndKeepsTheLastAsItIs) {
  wavorel::setAnsiCodePage(936);
  struct Case {
    const char* text;
    char separator;
    Parts appended;
  } cases[] = {
      {" a , ,b ", ',', {"a", "", "b "}},
      {"a,", ',', {"a"}},
      {",", ',', {""}},
      {"", ',', {}},
      {" only ", ',', {" only "}},
      {"\xD5\x7C|x", '|', {kHanziBar, "x"}},
  };
  for (const Case& c : cases) {
    CStringArray array;
    array.Add("before");
    Parts expected{"before"};
    expected.insert(expected.end(), c.appended.begin(), c.appended.end());
    EXPECT_EQ(PartStringAndAddToStrAry(c.text, array, c.separator), static_cast<int>(expected.size())) << c.text;
    EXPECT_EQ(partsOf(array), expected) << c.text;
  }
  CStringArray array;
  EXPECT_EQ(PartStringAndAddToStrAry(nullptr, array, ','), 0);
}

TEST_F(StringsTest, SeparatorCharacterCutsLongPartsBeforeTheSeparatorWithoutSplittingACharacter) {
  std::string text(10237, 'a');
  text += "\xB0\xA1";  // the character crosses the 10,238-byte limit
  text += ",tail";
  CStringArray array;
  ASSERT_EQ(PartStringAndAddToStrAry(text.c_str(), array, ','), 2);
  EXPECT_EQ(array[0].GetLength(), 10237);
  EXPECT_EQ(array[1], "tail");
}

TEST_F(StringsTest, BracketsCollectTheTextsBetweenOpenAndClose) {
  wavorel::setAnsiCodePage(936);
  struct Case {
    const char* text;
    Parts parts;
  } cases[] = {
      {"x[a]y[b", {"a", "b"}},
      {"[]", {""}},
      {"[", {}},
      {"no brackets", {}},
      {"[\xB0\x5D]]", {"\xB0\x5D"}},
      {"]a[b]", {"b"}},
  };
  for (const Case& c : cases) {
    CStringArray array;
    array.Add("old");
    EXPECT_EQ(PartStringAndAddToStrAry(c.text, array, '[', ']'), static_cast<int>(c.parts.size())) << c.text;
    EXPECT_EQ(partsOf(array), c.parts) << c.text;
  }
  CStringArray array;
  array.Add("old");
  EXPECT_EQ(PartStringAndAddToStrAry(nullptr, array, '[', ']'), 0);
  EXPECT_EQ(array.GetSize(), 0);
}

TEST_F(StringsTest, QuotedStretchesDoNotSplit) {
  wavorel::setAnsiCodePage(936);
  struct Case {
    const char* text;
    char separator;
    Parts parts;
  } cases[] = {
      {"a,\"b,c\",d", ',', {"a", "b,c", "d"}},
      {"a,,b", ',', {"a", "", "b"}},
      {"a,\"b", ',', {"a", "b"}},
      {"'x\\'y,z',w", ',', {"x\\'y,z", "w"}},
      {"p\"q\"r, s ", ',', {"pqr", " s "}},
      {"a,\"", ',', {"a", ""}},
      {"\xD5\x7C|\"|\"", '|', {kHanziBar, "|"}},
      {"\"\xB0\x5C\"|b", '|', {"\xB0\x5C", "b"}},
      {"", ',', {}},
  };
  for (const Case& c : cases) {
    CStringArray array;
    EXPECT_EQ(PartStringAndIgnoreStringByQuo(c.text, array, c.separator), static_cast<int>(c.parts.size()))
        << c.text;
    EXPECT_EQ(partsOf(array), c.parts) << c.text;
  }
  CStringArray array;
  array.Add("kept");
  EXPECT_EQ(PartStringAndIgnoreStringByQuo("x", array, ','), 2);
  EXPECT_EQ(PartStringAndIgnoreStringByQuo(nullptr, array, ','), -1);
}

TEST_F(StringsTest, DigitRunsWithExtraCharacters) {
  CStringArray array;
  char extra[] = ".";
  EXPECT_EQ(PartDigitOrSpecifyCharAndAddToStrAry("ip 192.168.1.2, port 80x", array, extra), 2);
  EXPECT_EQ(partsOf(array), (Parts{"192.168.1.2", "80"}));
  EXPECT_EQ(PartDigitOrSpecifyCharAndAddToStrAry("7", array, nullptr), 3);
  EXPECT_EQ(PartDigitOrSpecifyCharAndAddToStrAry(nullptr, array, extra), -1);
}

TEST_F(StringsTest, StrFindStepsOverDoubleByteCharacters) {
  const char* text = "\xD5\x7C|a\xB0\xA1,";
  EXPECT_EQ(StrFind(text, 0, '|', 0), 2);
  EXPECT_EQ(StrFind(text, 0, 'a', ',', 0), 3);
  EXPECT_EQ(StrFind(text, 4, 'a', ',', 0), 6);
  EXPECT_EQ(StrFind(text, 0, '\xB0', '\xA1', 0), -1);
  EXPECT_EQ(StrFind(text, 0, 'z', 0), -1);
  EXPECT_EQ(StrFind(text, 0, 0), -1);
  EXPECT_EQ(StrFind(text, -1, '|', 0), -1);
  EXPECT_EQ(StrFind(text, 100, '|', 0), -1);
  EXPECT_EQ(StrFind(nullptr, 0, '|', 0), -1);
}

TEST_F(StringsTest, CharacterSearchesOutsideDoubleByteCharacters) {
  const char text[] = "\xD5\x7C|x|";
  EXPECT_EQ(gxStrChr(text, '|'), text + 2);
  EXPECT_EQ(gxStrrChr(text, '|'), text + 4);
  EXPECT_EQ(gxStrChr(text, 'q'), nullptr);
  EXPECT_EQ(gxStrChr("\xD5\x7C", '|'), nullptr);
  EXPECT_EQ(gxStrrChr("\xD5\x7C", 0x7C), nullptr);
  EXPECT_EQ(gxStrChr(nullptr, '|'), nullptr);

  char chinese[] = "a\xB0\xA1" "b\xD5";
  ReplaceChineseStrToEnglish(chinese, '*');
  EXPECT_STREQ(chinese, "a**b\xD5");
  EXPECT_EQ(CalcCharCount("a|b||", '|'), 3);
  EXPECT_EQ(CalcCharCount(nullptr, '|'), 0);
}

TEST_F(StringsTest, LineBreakPosition) {
  struct Case {
    const char* text;
    int limit;
    int position;
  } cases[] = {
      {"The quick brown fox", 9, 10},  // after the blank at 9
      {"abcdefghijklmnop", 9, 10},     // no break point: the full line
      {"abc de", 9, 6},                // the rest fits
      {"ab,cdefghijk", 9, 10},         // the comma lies in the first half
      {"abcdef,hijk", 9, 7},           // after the comma
      {"abcdefgh\xB0\xA1xyz", 9, 10},  // a whole character at the end of the line
      {"abcdefghi\xB0\xA1xyz", 9, 9},  // the character does not fit
      {"abcdef\xB0\x41xyzw", 9, 8},    // after a character whose second byte is a letter
      {"", 5, 0},
      {"abc", -1, 0},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(FindSentenceSyncopatePostion(&text[0], c.limit), c.position) << c.text << " / " << c.limit;
  }
  EXPECT_EQ(FindSentenceSyncopatePostion(nullptr, 5), 0);
}

TEST_F(StringsTest, InsertCharIntervalBreaksLinesAndEndsWithTheInsertion) {
  char text[] = "The quick brown fox jumps";
  char crlf[] = "\r\n";
  char output[64];
  EXPECT_STREQ(InsertCharInterval(text, 10, crlf, output, sizeof output), "The quick \r\nbrown fox \r\njumps\r\n");

  // Widths too small for a character still move on, one character a line.
  char hanzi[] = "\xB0\xA1\xB0\xA2z";
  char bar[] = "|";
  EXPECT_STREQ(InsertCharInterval(hanzi, 1, bar, output, sizeof output), "\xB0\xA1|\xB0\xA2|z|");
  EXPECT_STREQ(InsertCharInterval(hanzi, 0, bar, output, sizeof output), "\xB0\xA1|\xB0\xA2|z|");

  // A short output keeps whole characters and its zero.
  char small[6];
  std::memset(small, 'X', sizeof small);
  EXPECT_STREQ(InsertCharInterval(hanzi, 1, bar, small, sizeof small), "\xB0\xA1|\xB0\xA2");
  char empty[] = "";
  EXPECT_STREQ(InsertCharInterval(empty, 5, bar, output, sizeof output), "");
  EXPECT_STREQ(InsertCharInterval(nullptr, 5, bar, output, sizeof output), "");
}

TEST_F(StringsTest, SyncopateStringCutsIntoLines) {
  char text[] = "The quick brown fox jumps";
  std::unique_ptr<CStringArray> lines(SyncopateString(text, 10));
  ASSERT_NE(lines, nullptr);
  EXPECT_EQ(partsOf(*lines), (Parts{"The quick ", "brown fox ", "jumps"}));
  char hanzi[] = "\xB0\xA1\xB0\xA2";
  lines.reset(SyncopateString(hanzi, 1));
  ASSERT_NE(lines, nullptr);
  EXPECT_EQ(partsOf(*lines), (Parts{"\xB0\xA1", "\xB0\xA2"}));
  char empty[] = "";
  EXPECT_EQ(SyncopateString(empty, 10), nullptr);
  EXPECT_EQ(SyncopateString(text, 0), nullptr);
  EXPECT_EQ(SyncopateString(nullptr, 10), nullptr);
}

TEST_F(StringsTest, HexTextRoundTrip) {
  BYTE data[] = {0x00, 0x0A, 0xFF, 0x7F, 0x80};
  EXPECT_EQ(Data2HexString(data, 5, 2), "00 0A \r\nFF 7F \r\n80 ");
  EXPECT_EQ(Data2HexString(data, 3, 0), "00 0A FF ");
  EXPECT_EQ(Data2HexString(nullptr, 3, 0), "");

  BYTE back[8] = {};
  EXPECT_EQ(ConvStringToHexData(Data2HexString(data, 5, 2), back, sizeof back), 5);
  EXPECT_EQ(std::memcmp(back, data, 5), 0);

  struct Case {
    const char* text;
    int size;
    std::vector<BYTE> bytes;
  } cases[] = {
      {"0xABC", 8, {0xAB, 0xC0}},
      {"0X1f 2E", 8, {0x1F, 0x2E}},
      {"zz-qq", 8, {}},
      {"", 8, {}},
      {"11223344", 2, {0x11, 0x22}},
      {"a:b:c", 8, {0xAB, 0xC0}},
  };
  for (const Case& c : cases) {
    BYTE out[8] = {};
    EXPECT_EQ(ConvStringToHexData(c.text, out, c.size), static_cast<int>(c.bytes.size())) << c.text;
    EXPECT_EQ(std::vector<BYTE>(out, out + c.bytes.size()), c.bytes) << c.text;
    EXPECT_EQ(out[c.bytes.size()], 0) << c.text;  // nothing past the count
  }
}

TEST_F(StringsTest, GuidTextRoundTripAndMalformedText) {
  GUID guid{};
  ASSERT_EQ(StringToGUID("4d36e972-e325-11ce-bfc1-08002be10318", guid), 1);
  EXPECT_EQ(guid.Data1, 0x4D36E972u);
  EXPECT_EQ(guid.Data2, 0xE325);
  EXPECT_EQ(guid.Data3, 0x11CE);
  EXPECT_EQ(guid.Data4[0], 0xBF);
  EXPECT_EQ(guid.Data4[7], 0x18);
  EXPECT_EQ(GUIDToString(guid), "4D36E972-E325-11CE-BFC1-08002BE10318");

  GUID again{};
  ASSERT_EQ(StringToGUID(GUIDToString(guid), again), 1);
  EXPECT_EQ(std::memcmp(&again, &guid, sizeof guid), 0);

  const char* malformed[] = {
      "{4d36e972-e325-11ce-bfc1-08002be10318}", "4d36e972-e325-11ce-bfc1-08002be103", "4d36e972e32511cebfc108002be10318",
      "", "xyz",
  };
  for (const char* text : malformed) {
    GUID untouched{};
    untouched.Data1 = 7;
    EXPECT_EQ(StringToGUID(text, untouched), 0) << text;
    EXPECT_EQ(untouched.Data1, 7u) << text;
  }
  EXPECT_EQ(StringToGUID(nullptr, guid), 0);
}

TEST_F(StringsTest, NumbersAsText) {
  struct Case {
    double bytes;
    const char* text;
  } cases[] = {
      {-1, ""}, {0, "0.00 B"}, {1023, "1023.00 B"}, {1536, "1.50 K"}, {1048576, "1.00 M"}, {1073741824.0 * 3, "3.00 G"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatBytes(c.bytes), c.text) << c.bytes;
  EXPECT_EQ(IntToString(-1, 0), "-1");
  EXPECT_EQ(IntToString(-1, 1), "4294967295");

  CUIntArray values;
  values.Add(0);
  values.Add(4000000000u);
  CStringArray texts;
  texts.Add("old");
  UIntAry2StrAry(values, texts);
  EXPECT_EQ(partsOf(texts), (Parts{"0", "4000000000"}));

  EXPECT_EQ(StringIsDigit("0123"), 1);
  EXPECT_EQ(StringIsDigit("12a"), 0);
  EXPECT_EQ(StringIsDigit(""), 0);
  EXPECT_EQ(StringIsDigit(nullptr), 0);
}

TEST_F(StringsTest, LinesAndWordsTakenOffTheFront) {
  CString text = " one \r\ntwo";
  EXPECT_EQ(GetOneLine(text, "\r\n", 0), "one");
  EXPECT_EQ(text, "two");
  EXPECT_EQ(GetOneLine(text, "\r\n", 0), "");
  EXPECT_EQ(text, "two");
  EXPECT_EQ(GetOneLine(text, "\r\n", 1), "two");
  EXPECT_EQ(text, "");
  text = "a;b";
  EXPECT_EQ(GetOneLine(text, "", 1), "");
  EXPECT_EQ(GetOneLine(text, nullptr, 1), "");
  EXPECT_EQ(text, "a;b");

  text = "\t Hello \xB0\xA1World\x01rest";
  EXPECT_EQ(GetOneWord(text, 2), "HELLO");
  EXPECT_EQ(text, " \xB0\xA1World\x01rest");
  EXPECT_EQ(GetOneWord(text, 1), "\xB0\xA1world");
  EXPECT_EQ(text, "\x01rest");
  text = " \t";
  EXPECT_EQ(GetOneWord(text, 0), "");
  EXPECT_EQ(FindGraphPos(text, 0), -1);
  text = "ab c";
  EXPECT_EQ(FindNonGraphPos(text, 0), 2);
  EXPECT_EQ(FindGraphPos(text, 2), 3);
}

TEST_F(StringsTest, TrimmingCuttingAndPairs) {
  CString text = "  --value--  ";
  CleanseString(text, "-");
  EXPECT_EQ(text, "value");
  text = "  x ";
  CleanseString(text, nullptr);
  EXPECT_EQ(text, "x");

  text = "key=value=more";
  DeleteAfterChar(text, '=');
  EXPECT_EQ(text, "key");
  text = "\xD5\x7Cx|y";
  DeleteAfterChar(text, '|');
  EXPECT_EQ(text, "\xD5\x7Cx");

  CString left, right;
  text = " name = value ";
  EXPECT_EQ(PartTwoWord(text, left, right, '='), 1);
  EXPECT_EQ(left, "name");
  EXPECT_EQ(right, "value");
  text = "=value";
  EXPECT_EQ(PartTwoWord(text, left, right, '='), 0);
  text = "none";
  EXPECT_EQ(PartTwoWord(text, left, right, '='), 0);
  EXPECT_EQ(left, "name");
}

TEST_F(StringsTest, BufferEdits) {
  char data[] = "\x01\x02 \tabc";
  int length = 7;
  EXPECT_EQ(SkipIsNotGraph(data, length), data + 4);
  EXPECT_EQ(length, 3);
  int zero = 0;
  EXPECT_EQ(SkipIsNotGraph(data, zero), nullptr);

  char typed[] = "\bab\bc\b\bd";
  EXPECT_EQ(HandleBackspaceCharOfBuffer(typed), 1);
  EXPECT_STREQ(typed, "d");

  BYTE buffer[8] = {1, 2, 3, 4, 5, 0, 0, 0};
  DWORD used = 5;
  TrimBufferLeft(buffer, sizeof buffer, used, buffer + 2);
  EXPECT_EQ(used, 3u);
  EXPECT_EQ(std::vector<BYTE>(buffer, buffer + 8), (std::vector<BYTE>{3, 4, 5, 0, 0, 0, 0, 0}));
  TrimBufferLeft(buffer, sizeof buffer, used, buffer);
  EXPECT_EQ(used, 3u);
  TrimBufferLeft(buffer, sizeof buffer, used, buffer + 3);  // past the used bytes
  EXPECT_EQ(used, 0u);
  EXPECT_EQ(std::vector<BYTE>(buffer, buffer + 8), std::vector<BYTE>(8, 0));

  BYTE bytes[] = {1, 2, 3};
  ReverseBuffer(bytes, 3);
  EXPECT_EQ(std::vector<BYTE>(bytes, bytes + 3), (std::vector<BYTE>{3, 2, 1}));
}

TEST_F(StringsTest, RenewBufferKeepsTheBytesThatFit) {
  BYTE* block = nullptr;
  DWORD size = 0;
  ASSERT_EQ(RenewBuffer(block, size, 4), 1);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(size, 4u);
  std::memcpy(block, "\x01\x02\x03\x04", 4);
  ASSERT_EQ(RenewBuffer(block, size, 6), 1);
  EXPECT_EQ(std::vector<BYTE>(block, block + 6), (std::vector<BYTE>{1, 2, 3, 4, 0, 0}));
  ASSERT_EQ(RenewBuffer(block, size, 2), 1);
  EXPECT_EQ(std::vector<BYTE>(block, block + 2), (std::vector<BYTE>{1, 2}));
  const BYTE* same = block;
  EXPECT_EQ(RenewBuffer(block, size, 2), 1);
  EXPECT_EQ(block, same);
  EXPECT_EQ(RenewBuffer(block, size, 0), 1);
  EXPECT_EQ(block, nullptr);
  EXPECT_EQ(size, 0u);
}

TEST_F(StringsTest, BoundedFormattingAlwaysEndsWithAZero) {
  char buffer[8];
  std::memset(buffer, 'X', sizeof buffer);
  EXPECT_EQ(gxSnprintfA(buffer, 8, "%s-%d", "abc", 12345), 7);
  EXPECT_STREQ(buffer, "abc-123");
  EXPECT_EQ(gxSnprintfA(buffer, 8, "%d", 42), 2);
  EXPECT_STREQ(buffer, "42");
  EXPECT_EQ(buffer[7], '\0');
  EXPECT_EQ(gxSnprintfA(buffer, 0, "%d", 42), 0);
  EXPECT_EQ(buffer[0], '4');

  WCHAR wide[8];
  EXPECT_EQ(gxSnprintfW(wide, 8, u"%s=%S%%%d", u"ab", "cd", 7), 7);
  EXPECT_EQ(std::u16string(wide), u"ab=cd%7");
  EXPECT_EQ(gxSnprintfW(wide, 4, u"%-5s|", u"x"), 3);
  EXPECT_EQ(std::u16string(wide), u"x  ");
  EXPECT_EQ(gxSnprintfW(wide, 0, u"x"), 0);
}

}  // namespace
