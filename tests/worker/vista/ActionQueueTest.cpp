// The worker's action queue: merging, the answer whether to run now, the
// driver sequence of a profile, the WEP link's baselines and timer 3, the
// rate tables and the current-profile copy.
#include <cstring>

#include "tests/worker/vista/HideDlgTest.h"
#include "platform/wire/Bytes.h"
#include "worker/ModuleFunctions.h"
#include "worker/RateSets.h"

namespace worker::testing {
namespace {

std::unique_ptr<_PROFILE_DATA> Record(DWORD cipher, DWORD use8021x = 0) {
  auto p = std::make_unique<_PROFILE_DATA>();
  p->CipherMode = cipher;
  p->Use8021X = use8021x;
  return p;
}

_ACTION_DATA Action(DWORD kind, std::unique_ptr<_PROFILE_DATA> record = nullptr) {
  _ACTION_DATA a;
  a.Kind = kind;
  a.Profile = std::move(record);
  return a;
}

std::vector<DWORD> Kinds() {
  std::vector<DWORD> kinds;
  for (const _ACTION_DATA& a : GetActionQueue()) kinds.push_back(a.Kind);
  return kinds;
}

// The queue on a worker object without a window (nothing is carried out).
class ActionQueueTest : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset() {
    GetActionQueue().clear();
    FreeCurrentProfile();
    SetConnectionStarted(FALSE);
  }
  CHideDlg worker_;
};

TEST_F(ActionQueueTest, RescansAreReplacedByTheNewestAtTheBack) {
  EXPECT_TRUE(worker_.AddAction(kActionRescan)) << "one entry runs now";
  EXPECT_TRUE(worker_.AddAction(kActionRescan));
  EXPECT_EQ(Kinds(), (std::vector<DWORD>{kActionRescan}));
  GetActionQueue().insert(GetActionQueue().begin(), Action(kActionSetSsid));
  EXPECT_TRUE(worker_.AddAction(kActionRescan)) << "behind an SSID set";
  EXPECT_EQ(Kinds(), (std::vector<DWORD>{kActionSetSsid, kActionRescan}));
}

TEST_F(ActionQueueTest, LaterConnectBehindARescanReplacesTheEarlierOne) {
  worker_.AddAction(kActionRescan);
  EXPECT_FALSE(worker_.AddAction(kActionConnect, Record(1))) << "a rescan at the front waits for its scan";
  auto second = Record(4);
  const _PROFILE_DATA* kept = second.get();
  EXPECT_FALSE(worker_.AddAction(kActionConnect, std::move(second)));
  ASSERT_EQ(Kinds(), (std::vector<DWORD>{kActionRescan, kActionConnect}));
  EXPECT_EQ(GetActionQueue()[1].Profile.get(), kept);
  ASSERT_NE(GetCurrentProfile(), nullptr);
  EXPECT_EQ(GetCurrentProfile()->CipherMode, 4u);
  EXPECT_NE(GetCurrentProfile(), kept) << "the worker keeps a copy of its own";
}

TEST_F(ActionQueueTest, ConnectNearestTheBackTakesTheRecordAndOthersGo) {
  std::vector<_ACTION_DATA>& queue = GetActionQueue();
  queue.push_back(Action(kActionConnect, Record(1)));
  queue.push_back(Action(kActionSetBssid));
  queue.push_back(Action(kActionConnect, Record(1)));
  queue.push_back(Action(kActionSetSsid));
  worker_.AddAction(kActionConnect, Record(6));
  ASSERT_EQ(Kinds(), (std::vector<DWORD>{kActionSetBssid, kActionConnect, kActionSetSsid}));
  EXPECT_EQ(queue[1].Profile->CipherMode, 6u);
  worker_.AddAction(Action(kActionSetSsid));
  worker_.AddAction(Action(kActionSetBssid));
  EXPECT_EQ(Kinds(), (std::vector<DWORD>{kActionSetBssid, kActionConnect, kActionSetSsid, kActionSetSsid,
                                         kActionSetBssid}))
      << "SSID and BSSID sets are never merged";
}

TEST_F(ActionQueueTest, ConnectFollowedByARescanRunsByTheCurrentProfile) {
  const struct {
    DWORD cipher;
    DWORD use8021x;
    BOOL runs;
  } table[] = {{6, 0, FALSE}, {6, 1, TRUE}, {4, 0, TRUE}, {1, 0, TRUE}, {0, 0, TRUE}};
  for (const auto& row : table) {
    Reset();
    EXPECT_TRUE(worker_.AddAction(kActionConnect, Record(row.cipher, row.use8021x)));
    EXPECT_EQ(worker_.AddAction(kActionRescan), row.runs) << "cipher " << row.cipher << " 802.1X " << row.use8021x;
  }
}

TEST_F(ActionQueueTest, RunAnswerOfLongerQueues) {
  std::vector<_ACTION_DATA>& queue = GetActionQueue();
  EXPECT_FALSE(ActionQueueWantsRun(queue));
  queue.push_back(Action(kActionSetSsid));
  queue.push_back(Action(kActionRescan));
  EXPECT_TRUE(ActionQueueWantsRun(queue)) << "front neither rescan nor connect";
  queue.front().Kind = kActionConnect;
  queue.back().Kind = kActionSetBssid;
  EXPECT_TRUE(ActionQueueWantsRun(queue)) << "second entry not a rescan";
  queue.front().Kind = kActionRescan;
  EXPECT_FALSE(ActionQueueWantsRun(queue));
}

TEST_F(ActionQueueTest, CopyOwnsEveryKeyBlockWhateverTheSecurity) {
  auto source = std::make_unique<_PROFILE_DATA>();
  source->AuthMode = 4;    // WPA-PSK: by the security rule no key block is expected
  source->CipherMode = 4;
  const BYTE key[5] = {1, 2, 3, 4, 5};
  source->WepKey[2] = MakeNdisKeyBlock(2, key, sizeof key);
  const BYTE psk[32] = {9};
  source->WpaNoneKey = MakeNdisKeyBlock(kTransmitKeyBit, psk, sizeof psk);
  std::unique_ptr<_PROFILE_DATA> copy;
  CopyProfileData(copy, source.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy->WepKey[2].data(), source->WepKey[2].data());
  const NdisKeyBlock wep = source->WepKey[2];
  const NdisKeyBlock none = source->WpaNoneKey;
  source.reset();
  EXPECT_EQ(copy->WepKey[2], wep);
  EXPECT_EQ(copy->WpaNoneKey, none);
  EXPECT_EQ(wavorel::wire::getU32(copy->WepKey[2].data()), 44u);
  CopyProfileData(copy, nullptr);
  EXPECT_EQ(copy, nullptr);
}

TEST(RateTableTest, DesiredRatesAndRateBlockByWirelessMode) {
  const struct {
    int mode;
    DWORD transmit;
    std::vector<BYTE> rates;
    std::vector<BYTE> block;  // empty: none is sent
  } table[] = {
      {1, 0, {22, 11, 4, 2, 0, 0, 0, 0}, {4, 130, 132, 139, 150, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {2, 0, {108, 96, 72, 48, 36, 24, 18, 12}, {8, 140, 18, 152, 36, 176, 72, 96, 108, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {4, 0, {108, 96, 72, 48, 36, 24, 18, 12}, {8, 140, 18, 152, 36, 176, 72, 96, 108, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {0, 0, {108, 96, 72, 48, 22, 11, 4, 2}, {8, 130, 132, 139, 150, 18, 36, 72, 108, 0, 0, 0, 0, 4, 140, 152, 176, 96, 0, 0, 0, 0, 0, 0, 0, 0}},
      {3, 0, {108, 96, 72, 48, 22, 11, 4, 2}, {8, 130, 132, 139, 150, 18, 36, 72, 108, 0, 0, 0, 0, 4, 140, 152, 176, 96, 0, 0, 0, 0, 0, 0, 0, 0}},
      {5, 0x210, {108, 96, 72, 48, 22, 11, 4, 2}, {}},
      {6, 0x8210, {108, 96, 72, 48, 22, 11, 4, 2}, {}},
      {8, 0x200, {108, 0, 0, 0, 0, 0, 0, 0}, {}},
      {9, 0, {108, 0, 0, 0, 0, 0, 0, 0}, {}},
  };
  for (const auto& row : table) {
    BYTE rates[8];
    FillModeRates(row.mode, row.transmit, rates);
    EXPECT_EQ(std::vector<BYTE>(rates, rates + 8), row.rates) << "mode " << row.mode;
    BYTE block[kRateBlockSize];
    const BOOL sent = FillRateBlock(row.mode, block);
    EXPECT_EQ(sent, !row.block.empty()) << "mode " << row.mode;
    if (sent) {
      EXPECT_EQ(std::vector<BYTE>(block, block + kRateBlockSize), row.block) << "mode " << row.mode;
    }
  }
}

// The queue carried out by the running worker on the default adapter.
class ProcessActionsTest : public HideDlgTest {
 protected:
  void SetUp() override {
    HideDlgTest::SetUp();
    startWorker();
    wavorel::sim::clearDriverCalls();
  }
  static std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string out;
    char two[3];
    for (uint8_t b : bytes) {
      std::snprintf(two, sizeof two, "%02X", b);
      out += two;
    }
    return out;
  }
  // "code:set-data" per call, or "code?" for a query.
  static std::vector<std::string> Trace() {
    std::vector<std::string> out;
    char code[16];
    for (const auto& call : calls()) {
      std::snprintf(code, sizeof code, "%08X", call.code);
      out.push_back(std::string(code) + (call.set ? ":" + Hex(call.data) : "?"));
    }
    return out;
  }
  // A shared-key WEP record with its own radio settings, not connected through Native Wi-Fi.
  static std::unique_ptr<_PROFILE_DATA> WepRadioRecord() {
    auto p = std::make_unique<_PROFILE_DATA>();
    p->AuthMode = 1;
    p->CipherMode = 0;
    const BYTE key[5] = {0x01, 0x23, 0x45, 0x67, 0x89};
    p->WepKey[0] = MakeNdisKeyBlock(kTransmitKeyBit, key, sizeof key);
    p->AdvancedValid = 1;
    for (DWORD i = 0; i < kStationConfigWords; ++i) p->StationConfig[i] = 0x10 + i;
    p->CountryRegion = 0x0701;
    const BYTE rates[8] = {108, 96, 72, 48, 22, 11, 4, 2};
    std::memcpy(p->DesiredRates, rates, sizeof rates);
    p->Ccx2Control = 0x0521;
    p->UseBssid = 1;
    return p;
  }
};

TEST_F(ProcessActionsTest, GoldenSequenceOfAWepRecordWithRadioSettings) {
  g_nWirelessMode = 5;
  g_dwTransmitSetting = 0x0001ABCD;
  g_nWpsWirelessMode = 2;
  ASSERT_TRUE(worker().AddAction(kActionConnect, WepRadioRecord()));
  EXPECT_EQ(worker().ProcessActions(), 1);
  const std::vector<std::string> expected = {
      "FF0C0028?",                                     // HT transmit setting read
      // refilled from W = 0x1ABCD: bits 0-3 (13); 14-15 (2); 16 (1); byte 6 kept;
      // 4-10 (0x3C); 11 (1); 13 (1); 12 (0); byte 11 kept
      "FF8C0028:0D000000020100" "3C01010000",
      "FF8C0002:05000000",                             // wireless mode 5
      "FFF10111:1000000011000000120000001300000014000000150000000000000017000000",  // seventh word cleared
      "FF8C0003:01070000",                             // region of the record
      "FF0C0003?",                                     // region and mode read again
      "FFF1011E:01FA0000",                             // CCX of a BSSID-bound record: (0x521 & ~0x520) | 0xFA00
      "FFF10151:02000000",                             // WPS selection
      "0D020212?",                                     // WEP baselines
      "00020102?",
  };
  EXPECT_EQ(Trace(), expected);
  EXPECT_TRUE(KillTimer(workerWindow(), kWepLinkTimer)) << "a WEP link arms timer 3";
}

}  // namespace
}  // namespace worker::testing
