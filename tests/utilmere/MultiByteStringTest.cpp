#include <cstring>
#include <string>
#include <vector>

#include "platform/testing/PlatformTest.h"
#include "utilmere/MultiByteString.h"

namespace {

class MultiByteStringTest : public wavorel::testing::PlatformTest {};

const char* asSource(const char16_t* wide) { return reinterpret_cast<const char*>(wide); }

TEST_F(MultiByteStringTest, NarrowCopyIntoAnOwnedBlock) {
  int length = -1;
  CMultiByteString text("hello", 2, nullptr, 0, &length);
  EXPECT_STREQ(text.GetBuffer(), "hello");
  EXPECT_EQ(text.GetLength(), 5);
  EXPECT_EQ(length, 5);

  CMultiByteString none(nullptr, 2, nullptr, 0, &length);
  EXPECT_STREQ(none.GetBuffer(), "");
  EXPECT_EQ(none.GetLength(), 0);
}

TEST_F(MultiByteStringTest, WideTextIsConvertedWhole) {
  wavorel::setAnsiCodePage(936);
  int length = 0;
  // U+554A U+963F "x" in code page 936: B0 A1, B0 A2, 78.
  CMultiByteString text(asSource(u"\u554A\u963Fx"), 1, nullptr, 0, &length);
  EXPECT_STREQ(text.GetBuffer(), "\xB0\xA1\xB0\xA2x");
  EXPECT_EQ(length, 5);

  CMultiByteString empty(asSource(u""), 1, nullptr, 0, &length);
  EXPECT_STREQ(empty.GetBuffer(), "");
  EXPECT_EQ(length, 0);
}

TEST_F(MultiByteStringTest, BorrowedBufferIsZeroFilledAndCutBeforeACharacterThatDoesNotFit) {
  wavorel::setAnsiCodePage(936);
  struct Case {
    const char* source;
    int mode;
    int size;
    std::string stored;
  } cases[] = {
      {"abc", 2, 8, "abc"},
      {"abcdef", 2, 4, "abc"},
      {asSource(u"\u554A\u963F"), 1, 4, "\xB0\xA1"},
      {asSource(u"\u554A\u963F"), 1, 5, "\xB0\xA1\xB0\xA2"},
  };
  for (const Case& c : cases) {
    std::vector<char> buffer(static_cast<size_t>(c.size) + 2, 'X');
    int length = -1;
    {
      CMultiByteString text(c.source, c.mode, buffer.data(), c.size, &length);
      EXPECT_EQ(text.GetBuffer(), buffer.data());
    }
    // The buffer outlives the object that borrowed it.
    EXPECT_EQ(std::string(buffer.data()), c.stored);
    EXPECT_EQ(length, static_cast<int>(c.stored.size()));
    for (int i = static_cast<int>(c.stored.size()); i < c.size; ++i) EXPECT_EQ(buffer[i], '\0');
    EXPECT_EQ(buffer[c.size], 'X');
  }
}

TEST_F(MultiByteStringTest, CopiesNeverShareAnOwnedBlock) {
  std::vector<CMultiByteString> texts;
  {
    CMultiByteString original("owned");
    CMultiByteString copy(original);
    EXPECT_NE(copy.GetBuffer(), original.GetBuffer());
    EXPECT_STREQ(copy.GetBuffer(), "owned");
    CMultiByteString assigned("other");
    assigned = original;
    assigned = assigned;
    EXPECT_STREQ(assigned.GetBuffer(), "owned");
    EXPECT_NE(assigned.GetBuffer(), original.GetBuffer());
    texts.push_back(original);
    texts.push_back(copy);
  }
  EXPECT_STREQ(texts[0].GetBuffer(), "owned");
  EXPECT_STREQ(texts[1].GetBuffer(), "owned");

  char buffer[8];
  CMultiByteString borrower("abc", 2, buffer, sizeof buffer, nullptr);
  CMultiByteString alsoBorrows(borrower);
  EXPECT_EQ(alsoBorrows.GetBuffer(), buffer);
}

}  // namespace
