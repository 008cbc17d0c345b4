#include <algorithm>

#include "platform/wire/Bytes.h"
#include "tests/xp/worker/XpWorkerTest.h"
#include "worker/WpsWorker.h"

namespace xpworker::testing {
namespace {

// The sets every connect starts with, up to the transmit power: the record
// of `infrastructure` with RTS 2347, fragmentation 2346, `auth`, `cipher` and
// power level 2 (75 %).
Trace Opening(bool infrastructure, const char* auth, const char* cipher, const char* preamble) {
  return {"S 0DF10143 4 =00000000",
          "S 0D81011C 4 =00000000",
          std::string("S 0D810108 4 =") + (infrastructure ? "01000000" : "00000000"),
          std::string("S 0DF10101 4 =") + preamble,
          "S 0D81020A 4 =2B090000",
          "S 0D810209 4 =2A090000",
          std::string("S 0D810118 4 =") + auth,
          std::string("S 0D81011B 4 =") + cipher,
          "S 0DF10118 4 =4B000000"};
}

Trace Join(Trace trace, const Trace& more) {
  trace.insert(trace.end(), more.begin(), more.end());
  return trace;
}

class HideDlgActionsTest : public XpWorkerTest {
 protected:
  _PROFILE_DATA record(const std::string& ssid, DWORD auth, DWORD cipher, DWORD networkType = 1) {
    _PROFILE_DATA r;
    r.Ssid.SsidLength = static_cast<ULONG>(ssid.size());
    std::memcpy(r.Ssid.Ssid, ssid.data(), ssid.size());
    r.NetworkType = networkType;
    r.RtsThresh = 2347;
    r.FragThresh = 2346;
    r.AuthMode = auth;
    r.CipherMode = cipher;
    r.TxPower = 2;
    r.ChannelFrequency = 2437000;
    return r;
  }
  bool fires(UINT_PTR id) const { return std::count(fired().begin(), fired().end(), id) > 0; }
};

TEST_F(HideDlgActionsTest, AWepProfileWithTheAdaptersSettingsSendsTheFixedOrderAndArmsTheWepCheck) {
  _PROFILE_DATA r = record("OldRouter", 0, 0);
  const BYTE key[5] = {0x01, 0x23, 0x45, 0x67, 0x89};
  r.WepKey[0] = MakeNdisKeyBlock(0x80000000u, key, sizeof key);
  const std::string keySize = std::to_string(r.WepKey[0].size());
  queueConnect(r);
  EXPECT_EQ(ProcessXpActions(context), 1);

  const Trace expected = Join(Opening(true, "00000000", "00000000", "02000000"),
                              {"S 0DF10139 4 =00000000", "S 0D81011D " + keySize, "S 0D81011E 16", "S 0D81011E 16",
                               "S 0D81011E 16", "S 0D810216 4 =00000000", "S 0DF10111 32",
                               "S 0D810210 8 =6C604830160B0402", "S 0DF10127 26", "S 0D810102 36",
                               "S 0DF1011E 4 =00000000", "Q 0D020212 176", "Q 00020102 4"});
  EXPECT_EQ(trace(), expected);
  EXPECT_TRUE(queue.empty());
  EXPECT_EQ(XpWorkerState().WepCheck, 1);
  // The 26-byte block of mode 3: 8 rates and 4 more; the removed keys name their index.
  const std::vector<uint8_t> rates = lastSet(0x0DF10127);
  ASSERT_EQ(rates.size(), 26u);
  EXPECT_EQ(std::vector<uint8_t>(rates.begin(), rates.begin() + 9),
            (std::vector<uint8_t>{8, 0x82, 0x84, 0x8B, 0x96, 0x12, 0x24, 0x48, 0x6C}));
  EXPECT_EQ(std::vector<uint8_t>(rates.begin() + 13, rates.begin() + 18),
            (std::vector<uint8_t>{4, 0x8C, 0x98, 0xB0, 0x60}));
  const std::vector<uint8_t> remove = lastSet(0x0D81011E);
  EXPECT_EQ(wavorel::wire::getU32(remove.data() + 4), 3u);
  EXPECT_EQ(std::vector<uint8_t>(remove.begin() + 8, remove.begin() + 14), std::vector<uint8_t>(6, 0xFF));
  wavorel::runFor(kXpWepCheckMs);
  EXPECT_TRUE(fires(kXpWepCheckTimer));
}


// The sets after the keys of an infrastructure record with the adapter's
// settings in wireless mode 3, joined by SSID.
Trace InfrastructureClose() {
  return {"S 0D810216 4 =00000000", "S 0DF10111 32", "S 0D810210 8 =6C604830160B0402", "S 0DF10127 26",
          "S 0D810102 36", "S 0DF1011E 4 =00000000"};
}

TEST_F(HideDlgActionsTest, PreSharedKeysGoToTheSupplicantWhichConnects) {
  ASSERT_TRUE(SupplicantInit());
  ASSERT_TRUE(SupplicantSelectAdapter());
  wavorel::sim::clearDriverCalls();
  _PROFILE_DATA r = record("Home", 7, 6);
  const std::string passphrase = "correct horse";
  std::memcpy(r.WpaPsk, passphrase.data(), passphrase.size());
  r.WpaPskLength = static_cast<DWORD>(passphrase.size());
  queueConnect(r);
  ProcessXpActions(context);
  EXPECT_EQ(trace(), Join(Join(Opening(true, "07000000", "06000000", "02000000"), {"S 0DF10139 4 =00000000"}),
                          InfrastructureClose()))
      << "no key is set by the worker";
  EXPECT_EQ(XpWorkerState().Dot1xInUse, 1);
  EXPECT_EQ(XpWorkerState().WepCheck, 0);
  EXPECT_TRUE(driveUntil([] { return adapter().connected(); })) << "the supplicant's handshake links";
}

TEST_F(HideDlgActionsTest, PeapShowsTheStatusDialogAndStartsThePort) {
  ASSERT_TRUE(SupplicantInit());
  ASSERT_TRUE(SupplicantSelectAdapter());
  g_bShowAuthStatus = 1;
  _PROFILE_DATA r = enterprise("Corp", supplicant::testing::kPeap, "alice", "secret");
  r.RtsThresh = 2347;
  r.FragThresh = 2346;
  r.TxPower = 2;
  queueConnect(r);
  ProcessXpActions(context);
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"page 5", "expand"}));
  EXPECT_EQ(XpWorkerState().Dot1xInUse, 1);
  EXPECT_TRUE(driveUntil([] { return adapter().connected(); }));

  // Without the switch nothing is shown.
  host_.calls.clear();
  g_bShowAuthStatus = 0;
  queueConnect(r);
  ProcessXpActions(context);
  EXPECT_TRUE(host_.calls.empty());
}

TEST_F(HideDlgActionsTest, AnAdHocWpaNoneProfileSetsItsKeyOnceAndItsChannel) {
  _PROFILE_DATA r = record("Party", 5, 4, 0);
  r.PreambleType = 1;
  const BYTE key[32] = {1, 2, 3};
  r.WpaNoneKey = MakeNdisKeyBlock(0xC0000000u, key, sizeof key);
  r.WpaNoneKey.resize(71);
  wavorel::wire::putU32(r.WpaNoneKey.data(), 71);
  queueConnect(r);
  wavorel::sim::machine().world();  // the machine is loaded
  ProcessXpActions(context);
  EXPECT_EQ(trace(), Join(Opening(false, "05000000", "04000000", "01000000"),
                          {"S 0DF10139 4 =00000000", "S 0D81011D 71", "Q 0D010211 32", "S 0D810211 32",
                           "S 0DF10111 32", "S 0D810210 8 =6C604830160B0402", "S 0DF10127 26", "S 0D810102 36",
                           "S 0DF1011E 4 =00000000"}));
  const std::vector<uint8_t> configuration = lastSet(0x0D810211);
  ASSERT_EQ(configuration.size(), 32u);
  EXPECT_EQ(wavorel::wire::getU32(configuration.data() + 12), 2437000u);
  EXPECT_EQ(XpWorkerState().WepCheck, 0) << "no WEP check off infrastructure";
}

TEST_F(HideDlgActionsTest, JoinsByBssidAndByWpsCredentialUseTheConfigurationAndTheBssid) {
  _PROFILE_DATA bound = record("Home", 0, 1);
  bound.UseBssid = 1;
  const BYTE bssid[6] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x06};
  std::memcpy(bound.Bssid, bssid, 6);
  queueConnect(bound);
  ProcessXpActions(context);
  Trace t = trace();
  EXPECT_EQ(Trace(t.end() - 4, t.end()),
            (Trace{"Q 0D010211 32", "S 0D810211 32", "S 0D810101 6 =001122334406", "S 0DF1011E 4 =00FA0000"}));

  wavorel::sim::clearDriverCalls();
  g_bWpsConnect = 1;
  const BYTE wpsBssid[6] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x07};
  std::memcpy(g_wpsBssid, wpsBssid, 6);
  queueConnect(record("Change", 0, 1));
  const DWORD before = GetTickCount();
  ProcessXpActions(context);
  t = trace();
  EXPECT_EQ(Trace(t.end() - 4, t.end()),
            (Trace{"Q 0D010211 32", "S 0D810211 32", "S 0D810101 6 =001122334407", "S 0DF1011E 4 =00000000"}));
  EXPECT_GE(GetTickCount() - before, 100u) << "the join waits 100 ms on the clock";

  // No access point known for the credential yet: an all-zero BSSID would
  // name none, so the credential's SSID is joined.
  wavorel::sim::clearDriverCalls();
  std::memset(g_wpsBssid, 0, 6);
  queueConnect(record("Change", 0, 1));
  ProcessXpActions(context);
  t = trace();
  EXPECT_EQ(Trace(t.end() - 2, t.end()), (Trace{"S 0D810102 36", "S 0DF1011E 4 =00000000"}));
  EXPECT_EQ(std::count(t.begin(), t.end(), "S 0D810101 6 =000000000000"), 0);
}

TEST_F(HideDlgActionsTest, OwnSettingsFollowTheWirelessModeAndTheCcxRule) {
  g_bHtFamily = 1;
  g_dwTransmitSetting = 0x1A3F5;
  struct Case {
    int mode;
    DWORD bound;
    bool rates;
    const char* ccx;
  };
  const Case cases[] = {{9, 0, false, "S 0DF1011E 4 =25050000"},
                        {5, 1, false, "S 0DF1011E 4 =05FA0000"},
                        {3, 0, true, "S 0DF1011E 4 =25050000"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    wavorel::sim::clearDriverCalls();
    g_nWirelessMode = c.mode;
    _PROFILE_DATA r = record("Home", 0, 1);
    r.AdvancedValid = 1;
    r.UseBssid = c.bound;
    r.Ccx2Control = 0x525;
    const BYTE rates[8] = {0x6C, 0x60, 0, 0, 0, 0, 0, 0};
    std::memcpy(r.DesiredRates, rates, 8);
    r.StationConfig[6] = 0xFFFFFFFF;
    queueConnect(r);
    ProcessXpActions(context);
    const Trace t = trace();
    auto has = [&t](const std::string& prefix) {
      return std::any_of(t.begin(), t.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    };
    EXPECT_TRUE(has("S 0DF1010C 4 =0" + std::to_string(c.mode) + "000000"));
    EXPECT_EQ(has("S 0D810210 8 =6C60000000000000"), c.rates);
    EXPECT_EQ(has("S 0DF10127 26"), c.rates);
    EXPECT_TRUE(has(c.ccx));
    EXPECT_TRUE(has("S 0DF10151 4"));
    const std::vector<uint8_t> block = lastSet(0x0DF10111);
    ASSERT_EQ(block.size(), 32u);
    EXPECT_EQ(wavorel::wire::getU32(block.data() + 24), 0u) << "the seventh word goes as 0";
    // The HT record: bits 0-3, 14-15, 16, 4-10, 11, 13, 12 of the word.
    const std::vector<uint8_t> ht = lastSet(0x0DF1013B);
    ASSERT_EQ(ht.size(), 12u);
    EXPECT_EQ(wavorel::wire::getU32(ht.data()), 0x5u);
    EXPECT_EQ(std::vector<uint8_t>(ht.begin() + 4, ht.begin() + 6), (std::vector<uint8_t>{2, 1}));
    EXPECT_EQ(std::vector<uint8_t>(ht.begin() + 7, ht.begin() + 11), (std::vector<uint8_t>{0x3F, 0, 1, 0}));
  }
}

}  // namespace
}  // namespace xpworker::testing
