// WPS PINs: the checksum digit, PIN texts as typed, and new PINs.
#include <gtest/gtest.h>

#include <set>

#include "station/status/WpsPin.h"

namespace {

TEST(WpsPinTest, TextsNeedEightDigitsEndingInTheirChecksum) {
  const struct {
    const char* text;
    WpsPinCheck check;
    DWORD value;
  } cases[] = {
      {"12345670", kWpsPinValid, 12345670}, {"00000000", kWpsPinValid, 0},
      {"12345678", kWpsPinBadChecksum, 0},  {"1234567", kWpsPinBadLength, 0},
      {"123456700", kWpsPinBadLength, 0},   {"", kWpsPinBadLength, 0},
      {"49226874", kWpsPinValid, 49226874},
  };
  for (const auto& c : cases) {
    DWORD value = 0;
    EXPECT_EQ(CheckWpsPinText(c.text, value), c.check) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
}

TEST(WpsPinTest, NewPinsAreEightDigitsWithTheirChecksumAndVary) {
  std::set<DWORD> seen;
  for (int i = 0; i < 200; ++i) {
    const DWORD pin = GenerateWpsPin();
    ASSERT_LE(pin, 99999999u);
    EXPECT_EQ(pin % 10, WpsPinChecksum(pin / 10)) << pin;
    seen.insert(pin);
  }
  EXPECT_GT(seen.size(), 190u) << "drawn from the random source, not from the time";
}

}  // namespace
