// The records the AP sends to the driver, byte by byte, and the event-log
// block it reads.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "softap/ApRecords.h"
#include "worker/PasswordHash.h"

namespace softap::testing {
namespace {

uint32_t u32(const ApRecord& r, size_t at) {
  return uint32_t{r[at]} | uint32_t{r[at + 1]} << 8 | uint32_t{r[at + 2]} << 16 | uint32_t{r[at + 3]} << 24;
}

const MacAddress kMac1{0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
const MacAddress kMac2{0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};

TEST(ApRecords, KeyRecordsCarryTheirIndexBssidAndMaterial) {
  const BYTE wep[13] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
  const ApRecord record = BuildKeyRecord(0x80000001u, wep, sizeof wep, TRUE);
  ASSERT_EQ(record.size(), 52u);
  EXPECT_EQ(u32(record, 0), 52u);
  EXPECT_EQ(u32(record, 4), 0x80000001u);
  EXPECT_EQ(u32(record, 8), 13u);
  EXPECT_EQ(std::vector<BYTE>(record.begin() + 12, record.begin() + 18), std::vector<BYTE>(6, 0xFF));
  EXPECT_EQ(0, std::memcmp(record.data() + 32, wep, sizeof wep));

  BYTE psk[32];
  for (int i = 0; i < 32; ++i) psk[i] = static_cast<BYTE>(0xA0 + i);
  const ApRecord pairwise = BuildKeyRecord(0x80000000u, psk, 32, FALSE);
  ASSERT_EQ(pairwise.size(), 71u);
  EXPECT_EQ(u32(pairwise, 0), 71u);
  EXPECT_EQ(std::vector<BYTE>(pairwise.begin() + 12, pairwise.begin() + 18), std::vector<BYTE>(6, 0))
      << "the pre-shared key goes with a zero BSSID";
  EXPECT_EQ(0, std::memcmp(pairwise.data() + 32, psk, 32));
}

TEST(ApRecords, RemoveKeyRecordIsSixteenBytesWithBroadcastBssidAndPadding) {
  const ApRecord record = BuildRemoveKeyRecord(3);
  const ApRecord expected = {16, 0, 0, 0, 3, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(record, expected);
}

TEST(ApRecords, HtTransmitRecordUnpacksTheSettingWord) {
  // Mode 3, MCS 15, bandwidth 40 (bit 11), guard interval (bit 12), STBC
  // (bit 13), PHY 2 (bits 14-15), bit 16, extension channel 3 (bits 17-18).
  const DWORD setting = 3u | 15u << 4 | 1u << 11 | 1u << 12 | 1u << 13 | 2u << 14 | 1u << 16 | 3u << 17;
  const ApRecord expected = {3, 0, 0, 0, 2, 1, 3, 15, 1, 1, 1, 0};
  EXPECT_EQ(BuildHtTransmitRecord(setting), expected);
  EXPECT_EQ(BuildHtTransmitRecord(0xFFFFFFFFu), (ApRecord{15, 0, 0, 0, 3, 1, 3, 127, 1, 1, 1, 0}))
      << "bits outside the fields are not carried";
}

TEST(ApRecords, AccessControlRecordHoldsAtMost32Entries) {
  const ApRecord record = BuildAccessControlRecord(1, {kMac1, kMac2});
  ASSERT_EQ(record.size(), 264u);
  EXPECT_EQ(u32(record, 0), 1u);
  EXPECT_EQ(u32(record, 4), 2u);
  EXPECT_EQ(0, std::memcmp(record.data() + 8, kMac1.data(), 6));
  EXPECT_EQ(record[14], 0);
  EXPECT_EQ(0, std::memcmp(record.data() + 16, kMac2.data(), 6));

  const ApRecord full = BuildAccessControlRecord(2, std::vector<MacAddress>(40, kMac2));
  ASSERT_EQ(full.size(), 264u);
  EXPECT_EQ(u32(full, 4), 32u);
  EXPECT_EQ(0, std::memcmp(full.data() + 8 + 31 * 8, kMac2.data(), 6));
}

TEST(ApRecords, WdsRecordSendsPeersOnlyWithWepOrNoneAndTheLinkKeyWithPsk) {
  const std::vector<MacAddress> four = {kMac1, kMac2, kMac1, kMac2};
  const ApRecord open = BuildWdsRecord(TRUE, four, 0, 1, "");
  ASSERT_EQ(open.size(), 60u);
  EXPECT_EQ(u32(open, 0), 3u) << "at most three peers";
  EXPECT_EQ(0, std::memcmp(open.data() + 4, kMac1.data(), 6));
  EXPECT_EQ(0, std::memcmp(open.data() + 16, kMac1.data(), 6));
  EXPECT_EQ(u32(open, 24), 0u);

  const ApRecord psk = BuildWdsRecord(TRUE, four, 7, 6, "secret passphrase");
  EXPECT_EQ(u32(psk, 0), 0u) << "no peers with TKIP or AES";
  EXPECT_EQ(u32(psk, 24), 32u);
  BYTE key[32];
  ASSERT_TRUE(PasswordHash("secret passphrase", reinterpret_cast<const BYTE*>("Tavemo"), 6, key));
  EXPECT_EQ(0, std::memcmp(psk.data() + 28, key, 32));

  EXPECT_EQ(u32(BuildWdsRecord(TRUE, four, 4, 4, std::string(64, 'a').c_str()), 24), 0u)
      << "a 64-digit key gives no link key";
  EXPECT_EQ(BuildWdsRecord(FALSE, four, 7, 6, "secret passphrase"), ApRecord(60, 0)) << "WDS off: nothing";
}

TEST(ApRecords, RatesFollowModeAndIndex) {
  struct Case {
    int mode, index;
    ApRecord rates;
  } cases[] = {
      {2, 3, {24, 0, 0, 0, 0, 0, 0, 0}},           {8, 8, {108, 0, 0, 0, 0, 0, 0, 0}},
      {2, 0, {108, 96, 72, 48, 36, 24, 18, 12}},   {2, 9, {108, 96, 72, 48, 36, 24, 18, 12}},
      {9, 12, {108, 0, 0, 0, 0, 0, 0, 0}},         {9, 5, {12, 0, 0, 0, 0, 0, 0, 0}},
      {1, 4, {22, 0, 0, 0, 0, 0, 0, 0}},           {1, 5, {22, 11, 4, 2, 0, 0, 0, 0}},
      {0, 13, {108, 96, 72, 48, 22, 11, 4, 2}},    {0, -1, {108, 96, 72, 48, 22, 11, 4, 2}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BuildRatesRecord(c.mode, c.index), c.rates) << "mode " << c.mode << " index " << c.index;
}

// An event-log block: the count it claims and `entries` events.
std::vector<BYTE> eventBlock(uint32_t claimed, int entries) {
  std::vector<BYTE> block(168, 0);
  block[0] = static_cast<BYTE>(claimed);
  block[1] = static_cast<BYTE>(claimed >> 8);
  for (int i = 0; i < entries && i < 10; ++i) {
    BYTE* e = block.data() + 8 + 16 * i;
    e[0] = static_cast<BYTE>(i + 1);  // time, low byte
    e[13] = static_cast<BYTE>(i);     // last MAC byte
    e[14] = 5;                        // event code
  }
  return block;
}

TEST(ApRecords, EventLogEntriesAreBoundedByTenAndByTheAnswer) {
  std::vector<BYTE> block = eventBlock(3, 3);
  std::vector<_VX_802_11_EVENT_LOG> events = ParseEventLogBlock(block.data(), 168);
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[2].Time.dwLowDateTime, 3u);
  EXPECT_EQ(events[2].MacAddress[5], 2);
  EXPECT_EQ(events[2].EventCode, 5);

  block = eventBlock(500, 10);
  EXPECT_EQ(ParseEventLogBlock(block.data(), 168).size(), 10u) << "a count above 10 is cut";
  EXPECT_EQ(ParseEventLogBlock(block.data(), 8 + 16 * 4 + 7).size(), 4u) << "only entries the answer holds";
  EXPECT_TRUE(ParseEventLogBlock(block.data(), 7).empty()) << "an answer without its count";
}

TEST(ApRecords, NetworkTypesAndSsidAreBoundedByTheirRecordsAndTheAnswer) {
  auto record = [](std::vector<uint32_t> words) {
    std::vector<BYTE> bytes(words.size() * 4);
    for (size_t i = 0; i < words.size(); ++i)
      for (int b = 0; b < 4; ++b) bytes[4 * i + b] = static_cast<BYTE>(words[i] >> (8 * b));
    return bytes;
  };
  const struct {
    std::vector<uint32_t> words;
    DWORD returned;
    std::vector<DWORD> types;
  } cases[] = {
      {{3, 1, 3, 2, 0}, 20, {1, 3, 2}},
      {{9, 0, 1, 2, 3}, 20, {0, 1, 2, 3}},  // a count above four
      {{4, 1, 3, 2, 0}, 12, {1, 3}},        // cut to the answer
      {{2, 1, 3, 0, 0}, 3, {}},
  };
  for (const auto& c : cases) {
    const std::vector<BYTE> bytes = record(c.words);
    EXPECT_EQ(ParseNetworkTypes(bytes.data(), c.returned), c.types) << c.words[0] << "/" << c.returned;
  }

  std::vector<BYTE> ssid(36, 'x');
  ssid[1] = ssid[2] = ssid[3] = 0;
  for (const auto& [length, returned, expected] : std::vector<std::tuple<DWORD, DWORD, size_t>>{
           {5, 36, 5}, {32, 36, 32}, {200, 36, 32}, {20, 10, 6}, {5, 3, 0}}) {
    ssid[0] = static_cast<BYTE>(length);
    EXPECT_EQ(static_cast<size_t>(ParseSsidRecord(ssid.data(), returned).GetLength()), expected) << length;
  }
  const ApRecord built = BuildSsidRecord(CString(std::string(40, 'y').c_str()));
  ASSERT_EQ(built.size(), 36u);
  EXPECT_EQ(built[0], 32);
  EXPECT_EQ(ParseSsidRecord(built.data(), 36), CString(std::string(32, 'y').c_str()));
}

}  // namespace
}  // namespace softap::testing
