#include "worker/HtSettingRecord.h"

#include <gtest/gtest.h>

#include <array>

namespace worker::testing {
namespace {

using Record = std::array<BYTE, kHtSettingRecordSize>;

struct Unpacked {
  int windowA = -1, windowB = -1, aggregation = -1, autoBlockAck = -1;
  CString density;
  int amsdu = -1, amsduSize = -1, powerSave = -1;
};

Unpacked Unpack(const Record& r, int amsduSizeBefore = -1) {
  Unpacked u;
  u.amsduSize = amsduSizeBefore;
  UnpackHtSettingRecord(r.data(), u.windowA, u.windowB, u.aggregation, u.autoBlockAck, u.density,
                        u.amsdu, u.amsduSize, u.powerSave);
  return u;
}

// The page's radio indices: power save 0 "SM enable", 1 "Static SMPS",
// 2 "Synamic SMPS"; auto 1 "Auto"; size 1 "Max: 7935".
TEST(HtSettingRecordTest, PacksThePageStateAndBackAgain) {
  struct Case {
    int windowA, windowB, aggregation, autoIndex;
    const char* density;
    int amsdu, amsduSize, powerSave;
    Record record;
    DWORD bits;
  };
  const Case cases[] = {
      // The first show without a stored value.
      {32, 32, 1, 1, "0", 1, 0, 0, {32, 32, 1, 0, 1, 0, 3, 1}, 0x03432020},
      {32, 32, 0, 0, "5", 1, 1, 1, {32, 32, 2, 5, 1, 1, 0, 0}, 0x00EC2020},
      {64, 16, 1, 0, "7", 0, 0, 2, {16, 64, 1, 7, 0, 0, 1, 0}, 0x013A4010},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits);
    Record r{};
    EXPECT_EQ(r.data(), MakeHtSettingRecord(r.data(), c.windowA, c.windowB, c.aggregation,
                                            c.autoIndex, c.density, c.amsdu, c.amsduSize,
                                            c.powerSave));
    EXPECT_EQ(c.record, r);
    EXPECT_EQ(c.bits, PackHtSettingBits(r.data()));

    Record back{};
    UnpackHtSettingBits(c.bits, back.data());
    EXPECT_EQ(c.record, back);
    const Unpacked u = Unpack(back, 0);
    EXPECT_EQ(c.windowA, u.windowA);
    EXPECT_EQ(c.windowB, u.windowB);
    EXPECT_EQ(c.aggregation, u.aggregation);
    EXPECT_EQ(c.autoIndex, u.autoBlockAck);
    EXPECT_STREQ(c.density, u.density.GetString());
    EXPECT_EQ(c.amsdu, u.amsdu);
    EXPECT_EQ(c.amsduSize, u.amsduSize);
    EXPECT_EQ(c.powerSave, u.powerSave);
  }
}

TEST(HtSettingRecordTest, StoredBytesOfTheApExampleReadAsAutoDensity7AndLargeAmsdu) {
  const BYTE stored[4] = {32, 32, 251, 1};  // the DWORD's bytes, low first
  const DWORD bits = stored[0] | stored[1] << 8 | stored[2] << 16 | DWORD{stored[3]} << 24;
  Record r{};
  UnpackHtSettingBits(bits, r.data());
  const Unpacked u = Unpack(r);
  EXPECT_EQ(1, u.autoBlockAck);
  EXPECT_EQ(1, u.aggregation);
  EXPECT_STREQ("7", u.density.GetString());
  EXPECT_EQ(1, u.amsdu);
  EXPECT_EQ(1, u.amsduSize);
  EXPECT_EQ(2, u.powerSave);
}

TEST(HtSettingRecordTest, HighBitsAreIgnoredOnReadingAndClearedOnWriting) {
  Record plain{}, high{};
  UnpackHtSettingBits(0x03432020, plain.data());
  UnpackHtSettingBits(0xFF432020, high.data());
  EXPECT_EQ(plain, high);
  EXPECT_EQ(0x03432020u, PackHtSettingBits(high.data()));
}

TEST(HtSettingRecordTest, UnpackingOddBytes) {
  // A-MSDU off leaves the size as it was; a policy other than 1 is "off";
  // any power-save byte other than 0 and 1 is "SM enable".
  const Unpacked off = Unpack({8, 9, 2, 3, 0, 1, 7, 2}, 0);
  EXPECT_EQ(0, off.amsdu);
  EXPECT_EQ(0, off.amsduSize);
  EXPECT_EQ(0, off.aggregation);
  EXPECT_EQ(0, off.autoBlockAck);
  EXPECT_EQ(0, off.powerSave);
  EXPECT_EQ(9, off.windowA);
  EXPECT_EQ(8, off.windowB);

  // Fields wider than their bits are cut to them in the DWORD.
  const Record wide = {0, 0, 5, 9, 3, 2, 7, 3};
  Record back{};
  UnpackHtSettingBits(PackHtSettingBits(wide.data()), back.data());
  EXPECT_EQ((Record{0, 0, 1, 1, 1, 0, 3, 1}), back);
}

}  // namespace
}  // namespace worker::testing
