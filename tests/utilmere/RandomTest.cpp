#include <vector>

#include "platform/testing/PlatformTest.h"
#include "utilmere/Random.h"

namespace {

class RandomTest : public wavorel::testing::PlatformTest {};

TEST_F(RandomTest, NumbersStayInTheirRange) {
  srand(1);
  struct Case {
    DWORD low, high, smallest, largest;
  } cases[] = {
      {5, 5, 5, 5},
      {1, 6, 1, 6},
      {10, 1, 10, 19},  // the span counts from the first argument
      {0, 0xFFFFFFFFu, 0, 1},
  };
  for (const Case& c : cases) {
    std::vector<bool> seen(c.largest - c.smallest + 1, false);
    for (int i = 0; i < 400; ++i) {
      const DWORD n = GenerateRandNum(c.low, c.high);
      ASSERT_GE(n, c.smallest) << c.low << ".." << c.high;
      ASSERT_LE(n, c.largest) << c.low << ".." << c.high;
      seen[n - c.smallest] = true;
      clock().advance(7);
    }
    for (size_t i = 0; i < seen.size(); ++i) EXPECT_TRUE(seen[i]) << c.low << ".." << c.high << " misses " << i;
  }
}

TEST_F(RandomTest, ValueFollowsTheRunTimeSequenceTimeAndTicks) {
  srand(1);  // first rand() is 41: 41 / 32767 x 1000 truncates to 1
  const DWORD expected = (static_cast<DWORD>(_time64(nullptr)) + GetTickCount() + 1) % 1000;
  EXPECT_EQ(GenerateRandNum(0, 999), expected);
}

TEST_F(RandomTest, LeanFavoursOneHalf) {
  srand(3);
  for (int i = 0; i < 50; ++i) {
    EXPECT_GE(GenerateRandNum(1, 100, 100), 50u);  // middle 1 + 99 / 2 = 50
    EXPECT_LE(GenerateRandNum(1, 100, -100), 50u);
    clock().advance(13);
  }
}

TEST_F(RandomTest, LeanTowardsAnEmptyHalfStillAnswers) {
  srand(5);
  EXPECT_EQ(GenerateRandNum(5, 5, 10), 5u);
  EXPECT_EQ(GenerateRandNum(5, 5, -10), 5u);
  const DWORD n = GenerateRandNum(10, 1, 10);  // 10 .. 19, all below the middle
  EXPECT_GE(n, 10u);
  EXPECT_LE(n, 19u);
}

TEST_F(RandomTest, ExclusiveDigitsDifferInARow) {
  const DWORD first = GenExclusiveDigit();
  const DWORD second = GenExclusiveDigit();
  EXPECT_NE(first, second);
  EXPECT_EQ(first >> 16, static_cast<DWORD>(_time64(nullptr)) & 0xFFFF);
}

TEST_F(RandomTest, BitMasksAndSmallestElement) {
  struct Case {
    int count, invert;
    DWORD mask;
  } cases[] = {
      {4, 0, 0x0000000Fu}, {4, 1, 0xFFFFFFF0u}, {0, 0, 0}, {0, 1, 0xFFFFFFFFu}, {32, 0, 0xFFFFFFFFu}, {40, 0, 0xFFFFFFFFu},
  };
  for (const Case& c : cases) EXPECT_EQ(GetHexDataByBitNum(c.count, c.invert), c.mask) << c.count;

  CUIntArray values;
  EXPECT_EQ(FindMinValue(values), 0);
  for (UINT v : {7u, 3u, 3u, 0x80000000u}) values.Add(v);
  EXPECT_EQ(FindMinValue(values), 1);
}

}  // namespace
