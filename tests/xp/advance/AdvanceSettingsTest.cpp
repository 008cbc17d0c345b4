// The advanced page's stored words and the desired rates of a mode, without
// a window.
#include <gtest/gtest.h>

#include <vector>

#include "xp/station/AdvanceSettings.h"

namespace {

std::vector<BYTE> Rates(int mode, int index, int mcs) {
  BYTE rates[8];
  FillDesiredRates(mode, index, mcs, rates);
  return std::vector<BYTE>(rates, rates + 8);
}
std::vector<BYTE> Padded(std::initializer_list<BYTE> head) {
  std::vector<BYTE> out(head);
  out.resize(8, 0);
  return out;
}

TEST(AdvanceSettingsTest, DesiredRatesByModeAndIndex) {
  struct Case {
    int mode, index, mcs;
    std::vector<BYTE> rates;
  };
  const std::vector<BYTE> mixed = {108, 96, 72, 48, 22, 11, 4, 2};
  const Case cases[] = {
      {9, 3, 33, mixed},
      {5, 0, 7, Padded({108})},
      {8, 0, 0, Padded({108})},
      {2, 0, 33, {108, 96, 72, 48, 36, 24, 18, 12}},
      {4, 1, 33, Padded({12})},
      {2, 8, 33, Padded({108})},
      {4, 9, 33, {108, 96, 72, 48, 36, 24, 18, 12}},
      {1, 0, 33, Padded({22, 11, 4, 2})},
      {1, 3, 33, Padded({0x0B})},
      {1, 4, 33, Padded({22})},
      {1, 5, 33, Padded({12})},
      {1, 12, 33, Padded({108})},
      {1, 13, 33, Padded({22, 11, 4, 2})},
      {0, 0, 33, mixed},
      {3, 1, 33, Padded({2})},
      {0, 12, 33, Padded({108})},
      {3, 13, 33, mixed},
      {0, -1, 33, mixed},
  };
  for (const Case& c : cases) EXPECT_EQ(Rates(c.mode, c.index, c.mcs), c.rates) << c.mode << "/" << c.index;
}

TEST(AdvanceSettingsTest, TransmitSettingRoundTrip) {
  HtFields f;
  f.mode = 9;
  f.mcs = 15;
  f.bandwidth = 1;
  f.guardInterval = 1;
  f.stbc = 1;
  f.htMode = 1;
  for (int ext : {0, 1, 2}) {
    f.extChannel = ext;
    const DWORD word = PackTransmitSetting(f);
    EXPECT_EQ((word >> 17) & 3, ext == 2 ? 3u : static_cast<DWORD>(ext));
    EXPECT_EQ(word & 0x1FFFF, 0x1B8F9u);
    const HtFields back = UnpackHtFields(word);
    EXPECT_EQ(back.extChannel, ext);
    EXPECT_EQ(back.mcs, 15);
    EXPECT_EQ(back.htMode, 1);
  }
  EXPECT_EQ(UnpackHtFields(2u << 17).extChannel, 0) << "code 2 is none";
  f.mcs = 33;
  f.extChannel = 0;
  EXPECT_EQ(PackTransmitSetting(f) & 0x7F0, 0x210u);
}

}  // namespace
