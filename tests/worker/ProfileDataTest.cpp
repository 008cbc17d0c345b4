#include "worker/ProfileData.h"

#include <gtest/gtest.h>

#include "worker/LeBytes.h"

namespace worker::testing {
namespace {

TEST(ProfileDataTest, KeyBlocksAreNdisKeyRecordsOfTheirSize) {
  const BYTE wep5[5] = {1, 2, 3, 4, 5};
  const NdisKeyBlock block = MakeNdisKeyBlock(1 | kTransmitKeyBit, wep5, 5);
  ASSERT_EQ(block.size(), 44u);
  EXPECT_EQ(GetLeU32(block.data()), 44u) << "Length";
  EXPECT_EQ(GetLeU32(block.data() + 4), 0x80000001u) << "KeyIndex";
  EXPECT_EQ(GetLeU32(block.data() + 8), 5u) << "KeyLength";
  for (int i = 12; i < 18; ++i) EXPECT_EQ(block[i], 0xFF) << "broadcast BSSID";
  for (int i = 18; i < 32; ++i) EXPECT_EQ(block[i], 0) << "alignment and KeyRSC";
  EXPECT_EQ(block[32], 1);
  EXPECT_EQ(block[36], 5);
  for (size_t i = 37; i < block.size(); ++i) EXPECT_EQ(block[i], 0) << "zero behind the key";
  EXPECT_EQ(KeyBlockIndex(block), 0x80000001u);
  EXPECT_EQ(KeyBlockKeyLength(block), 5u);
  EXPECT_EQ(KeyBlockMaterial(block), block.data() + 32);

  const BYTE key[40] = {};
  EXPECT_EQ(MakeNdisKeyBlock(0, key, 13).size(), 52u);
  EXPECT_EQ(MakeNdisKeyBlock(kTransmitKeyBit, key, kWpaNoneKeyLength).size(), kWpaNoneKeyBlockSize);
  EXPECT_EQ(MakeNdisKeyBlock(0, key, 40).size(), 71u) << "cut to 32 key bytes";

  // A block claiming more key than it holds is read within its bytes.
  NdisKeyBlock bad = MakeNdisKeyBlock(0, wep5, 5);
  PutLeU32(bad.data() + 8, 200);
  EXPECT_EQ(KeyBlockKeyLength(bad), bad.size() - 32);
  EXPECT_EQ(KeyBlockKeyLength(NdisKeyBlock(10, 0)), 0u);
  EXPECT_EQ(KeyBlockMaterial(NdisKeyBlock(10, 0)), nullptr);
}

TEST(ProfileDataTest, ARecordStartsEmptyAndCopiesDeep) {
  _PROFILE_DATA p;
  EXPECT_EQ(p.UseBssid, 0u);
  EXPECT_EQ(p.Ssid.SsidLength, 0u);
  EXPECT_EQ(p.RtsThresh, 0u);
  EXPECT_EQ(p.WpaPskLength, 0u);
  EXPECT_TRUE(p.WpaNoneKey.empty());
  EXPECT_EQ(p.ApplyArgument, 0u);
  const BYTE key[5] = {9, 9, 9, 9, 9};
  p.WepKey[2] = MakeNdisKeyBlock(2, key, 5);
  _PROFILE_DATA copy = p;
  p.WepKey[2][32] = 0;
  EXPECT_EQ(copy.WepKey[2][32], 9) << "the copy owns its key blocks";
}

}  // namespace
}  // namespace worker::testing
