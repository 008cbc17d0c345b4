#include <gtest/gtest.h>

#include <string>

#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/CodePage.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Root.h"

namespace wavorel {
namespace {

using CodePageTest = testing::PlatformTest;

std::u16string toWide(UINT cp, const std::string& bytes, DWORD flags = 0) {
  const int n = MultiByteToWideChar(cp, flags, bytes.c_str(), static_cast<int>(bytes.size()), nullptr, 0);
  std::u16string out(static_cast<size_t>(n), u'#');
  if (n) {
    EXPECT_EQ(MultiByteToWideChar(cp, flags, bytes.c_str(), static_cast<int>(bytes.size()), &out[0], n), n);
  }
  return out;
}

std::string toBytes(UINT cp, const std::u16string& text, DWORD flags = 0, const char* defaultChar = nullptr,
                    BOOL* usedDefault = nullptr) {
  const int n = WideCharToMultiByte(cp, flags, text.c_str(), static_cast<int>(text.size()), nullptr, 0, defaultChar,
                                    usedDefault);
  std::string out(static_cast<size_t>(n), '#');
  if (n) {
    EXPECT_EQ(WideCharToMultiByte(cp, flags, text.c_str(), static_cast<int>(text.size()), &out[0], n, defaultChar,
                                  usedDefault),
              n);
  }
  return out;
}

TEST_F(CodePageTest, RoundTripsPerCodePage) {
  struct Case {
    UINT cp;
    const char* bytes;
    const char16_t* text;
  } cases[] = {
      {1252, "Caf\xE9 \x80 \x9F \x81", u"Café € Ÿ \u0081"},
      {CP_UTF8, "\xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80", u"中文 😀"},
      {936, "\xD6\xD0\xCE\xC4 GBK", u"中文 GBK"},
      {950, "\xA4\xA4\xA4\xE5", u"中文"},
      {932, "\x93\xFA\x96\x7B \xB1", u"日本 ｱ"},  // 0xB1: a single-byte katakana
      {949, "\xC7\xD1\xB1\xDB", u"한글"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(toWide(c.cp, c.bytes), c.text) << c.cp;
    EXPECT_EQ(toBytes(c.cp, c.text), c.bytes) << c.cp;
  }
  // With -1 the terminator is converted and counted.
  WCHAR wide[8];
  EXPECT_EQ(MultiByteToWideChar(936, 0, "\xD6\xD0\xCE\xC4", -1, wide, 8), 3);
  EXPECT_EQ(std::u16string(wide), u"中文");
  char narrow[8];
  EXPECT_EQ(WideCharToMultiByte(936, 0, u"中文", -1, narrow, 8, nullptr, nullptr), 5);
  EXPECT_STREQ(narrow, "\xD6\xD0\xCE\xC4");
}

TEST_F(CodePageTest, SizeQueryAndTooSmallBuffer) {
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xE4\xB8\xAD\xE6\x96\x87", -1, nullptr, 0), 3);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"中文", -1, nullptr, 0, nullptr, nullptr), 7);

  WCHAR wide[4] = {u'#', u'#', u'#', u'#'};
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(936, 0, "\xD6\xD0\xCE\xC4", -1, wide, 2), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(wide[2], u'#') << "nothing written past the given size";

  char narrow[6] = "#####";
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(936, 0, u"中文", -1, narrow, 4, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(narrow[4], '#');

  struct Bad {
    UINT cp;
    DWORD flags;
    int size;
    DWORD error;
  } bad[] = {
      {1252, 0, 0, ERROR_INVALID_PARAMETER},       {1252, 0, -2, ERROR_INVALID_PARAMETER},
      {437, 0, -1, ERROR_INVALID_PARAMETER},       {CP_UTF8, MB_PRECOMPOSED, -1, ERROR_INVALID_FLAGS},
      {1252, 0x80000000u, -1, ERROR_INVALID_FLAGS},
  };
  for (const Bad& b : bad) {
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(b.cp, b.flags, "a", b.size, wide, 4), 0) << b.cp;
    EXPECT_EQ(GetLastError(), b.error) << b.cp;
  }
}

TEST_F(CodePageTest, UnmappableCharactersTakeTheDefaultChar) {
  BOOL used = FALSE;
  EXPECT_EQ(toBytes(1252, u"a中b", 0, nullptr, &used), "a?b");
  EXPECT_TRUE(used);
  EXPECT_EQ(toBytes(1252, u"a中😀b", 0, "*", &used), "a**b");
  EXPECT_EQ(toBytes(1252, u"plain", 0, "*", &used), "plain");
  EXPECT_FALSE(used);
  EXPECT_EQ(toBytes(936, u"a\u0E01", 0, "\xA1\xA1", &used), "a\xA1\xA1") << "a double-byte default char";
  EXPECT_TRUE(used);

  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", 1, nullptr, 0, nullptr, &used), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER)) << "UTF-8 has no default char";

  // Composite check: a base letter and a combining mark become one precomposed character.
  const std::u16string decomposed = u"Cafe\u0301 e\u0331";  // U+0331 has no precomposed form here
  EXPECT_EQ(toBytes(1252, decomposed), "Cafe? e?");
  EXPECT_EQ(toBytes(1252, decomposed, WC_COMPOSITECHECK), "Caf\xE9 e?");
  EXPECT_EQ(toBytes(1252, decomposed, WC_COMPOSITECHECK | WC_DISCARDNS), "Caf\xE9 e");
  EXPECT_EQ(toBytes(1252, decomposed, WC_COMPOSITECHECK | WC_DEFAULTCHAR), "Caf\xE9 ?");
}

TEST_F(CodePageTest, InvalidInput) {
  struct Case {
    UINT cp;
    std::string bytes;
    std::u16string lenient;  // without MB_ERR_INVALID_CHARS
    bool valid;
  } cases[] = {
      {CP_UTF8, "a\xC3(", u"a\uFFFD(", false},
      {CP_UTF8, "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD", false},  // an encoded surrogate
      {CP_UTF8, "\xEF\xBF\xBD", u"\uFFFD", true},               // U+FFFD itself is valid
      {936, "a\xD6", u"a?", false},                             // a lead byte at the end
      {932, "\x80", u"?", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(toWide(c.cp, c.bytes), c.lenient) << c.bytes;
    SetLastError(0);
    const int n = MultiByteToWideChar(c.cp, MB_ERR_INVALID_CHARS, c.bytes.data(), static_cast<int>(c.bytes.size()),
                                      nullptr, 0);
    EXPECT_EQ(n != 0, c.valid) << c.bytes;
    if (!c.valid) {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
    }
  }
  const char16_t lone[] = {u'a', 0xD800, u'b'};
  EXPECT_EQ(toBytes(CP_UTF8, std::u16string(lone, 3)), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, lone, 3, nullptr, 0, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
}

TEST_F(CodePageTest, LeadBytesAndTheAnsiCodePage) {
  struct Case {
    UINT cp;
    BYTE byte;
    BOOL lead;
  } cases[] = {
      {936, 0x41, FALSE}, {936, 0x80, FALSE}, {936, 0x81, TRUE}, {936, 0xFE, TRUE}, {936, 0xFF, FALSE},
      {932, 0x81, TRUE},  {932, 0x9F, TRUE},  {932, 0xA0, FALSE}, {932, 0xB1, FALSE}, {932, 0xDF, FALSE},
      {932, 0xE0, TRUE},  {932, 0xFC, TRUE},  {932, 0xFD, FALSE}, {1252, 0x81, FALSE}, {CP_UTF8, 0xE4, FALSE},
  };
  for (const Case& c : cases) EXPECT_EQ(IsDBCSLeadByteEx(c.cp, c.byte), c.lead) << c.cp << " " << int(c.byte);

  EXPECT_EQ(GetACP(), 1252u);
  EXPECT_FALSE(IsDBCSLeadByte(0xD6));
  EXPECT_EQ(toWide(CP_ACP, "\xD6\xD0"), u"\u00D6\u00D0");
  setAnsiCodePage(936);
  EXPECT_EQ(GetACP(), 936u);
  EXPECT_TRUE(IsDBCSLeadByte(0xD6));
  EXPECT_EQ(toWide(CP_ACP, "\xD6\xD0"), u"中");
  EXPECT_EQ(toBytes(CP_ACP, u"文"), "\xCE\xC4");
  resetPlatformState();
  EXPECT_EQ(GetACP(), 1252u);
}

}  // namespace
}  // namespace wavorel
