#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Platform.h"
#include "worker/ModuleFunctions.h"
#include "worker/WorkerGlobals.h"

namespace {

std::vector<std::string> pieces(const CStringArray& array) {
  std::vector<std::string> out;
  for (INT_PTR i = 0; i < array.GetSize(); ++i) out.emplace_back(array[i]);
  return out;
}

TEST(SplitStringTest, PiecesBetweenSeparatorsWithoutEmptyOnes) {
  const struct {
    const char* source;
    const char* separator;
    int found;
    std::vector<std::string> pieces;
  } cases[] = {
      {"Unknown;None", ";", 1, {"Unknown", "None"}},
      {";word;", ";", 2, {"word"}},
      {"a;;b", ";", 2, {"a", "b"}},
      {"a;b;", ";", 2, {"a", "b"}},
      {"plain text", ";", 0, {}},  // not even the whole text
      {"", ";", 0, {}},
      {"x--y----z", "--", 3, {"x", "y", "z"}},
      {"aaa", "aa", 1, {"a"}},  // the next search starts behind the separator found
      {"a;b", "", 0, {}},       // an empty separator adds nothing
      {";1;;2;3;4;5;6;7;8;9;10;", ";", 12, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.source) + " / " + c.separator);
    CStringArray out;
    out.Add("kept");
    EXPECT_EQ(SplitString(c.source, c.separator, out), c.found);
    std::vector<std::string> expected{"kept"};
    expected.insert(expected.end(), c.pieces.begin(), c.pieces.end());
    EXPECT_EQ(pieces(out), expected) << "pieces are appended";
  }
}

TEST(HexTextTest, DigitsAndPairs) {
  EXPECT_EQ(HexDigitValue('0'), 0);
  EXPECT_EQ(HexDigitValue('9'), 9);
  EXPECT_EQ(HexDigitValue('A'), 10);
  EXPECT_EQ(HexDigitValue('f'), 15);
  EXPECT_EQ(HexDigitValue('g'), 255);
  EXPECT_EQ(HexDigitValue(' '), 255);

  BYTE out[4] = {0xEE, 0xEE, 0xEE, 0xEE};
  ConvHexTextToBytes("0AfF7c", out, 3);
  EXPECT_EQ(out[0], 0x0A);
  EXPECT_EQ(out[1], 0xFF);
  EXPECT_EQ(out[2], 0x7C);
  EXPECT_EQ(out[3], 0xEE) << "only n bytes are written";
  ConvHexTextToBytes("Z1", out, 1);
  EXPECT_EQ(out[0], static_cast<BYTE>(16 * 255 + 1)) << "a bad digit counts 255, kept to 8 bits";
}

TEST(WirelessModeTest, AdhocModeMap) {
  const int expected[] = {1, 0, 3, 4, 2, 5, 6, -1, 8, 9, -1, -1};
  for (int mode = 0; mode < 12; ++mode) {
    int adhoc = 77;
    const int result = WirelessModeToAdhocMode(mode, adhoc);
    EXPECT_EQ(result, expected[mode] < 0 ? 0 : 1) << mode;
    EXPECT_EQ(adhoc, expected[mode] < 0 ? 77 : expected[mode]) << mode;
  }
  int adhoc = 77;
  EXPECT_EQ(WirelessModeToAdhocMode(-1, adhoc), 0);
  EXPECT_EQ(adhoc, 77);
}

TEST(WirelessModeTest, AdjustFoldsModesTheAdapterCannotUse) {
  struct Case {
    int bandA, ht, mode, adjusted;
  } cases[] = {
      {1, 1, 7, 4},  {1, 1, 10, 2}, {1, 1, 8, 8},  {1, 1, 3, 3},
      {0, 1, 2, 0},  {0, 1, 3, 0},  {0, 1, 5, 9},  {0, 1, 8, 9},  {0, 1, 10, 0},
      {1, 0, 5, 3},  {1, 0, 6, 0},  {1, 0, 8, 2},  {1, 0, 9, 0},  {1, 0, 4, 4},
      {0, 0, 8, 0},  // 8 becomes 9, then 9 becomes 0
      {0, 0, 5, 0},  {0, 0, 1, 1},
  };
  for (const Case& c : cases) {
    g_bSupportBandA = c.bandA;
    g_bHtFamily = c.ht;
    int mode = c.mode;
    AdjustWirelessMode(mode);
    EXPECT_EQ(mode, c.adjusted) << "band A " << c.bandA << " ht " << c.ht << " mode " << c.mode;
  }
  g_bSupportBandA = 0;
  g_bHtFamily = 0;
}

}  // namespace
