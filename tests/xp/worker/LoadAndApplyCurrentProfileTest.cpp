// Wavorel's current profile read from the registry and applied: the record
// it queues (held behind a rescan so that it can be read), the driver calls
// and registry writes of its own steps, and end to end the stored profile
// connecting the simulated adapter.
#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/kernel/Account.h"
#include "station/profiles/PageSSODlg.h"
#include "tests/xp/worker/RegistryDump.h"
#include "tests/xp/worker/XpWorkerTest.h"
#include "worker/DriverCodes.h"
#include "worker/HtSettingRecord.h"
#include "worker/PasswordHash.h"
#include "xp/worker/LoadAndApplyCurrentProfile.h"
#include "worker/WorkerGlobals.h"
#include "xp/worker/SsoInterplay.h"

namespace xpworker::testing {
namespace {

using Rates = std::array<BYTE, 8>;

class LoadAndApplyTest : public XpWorkerTest {
 public:
  void SetUp() override {
    XpWorkerTest::SetUp();
    g_bSsoCancelled = 0;
    g_bProfileApplied = 0;
    g_bSupportBandA = 1;
    g_strCurProfileName.Empty();
  }

  // The routine for the test's worker context; the worker's current-profile
  // copy is `kept`.
  int run(BOOL readOnly, BOOL argument) {
    CURRENT_PROFILE_TARGET target;
    target.worker = context;
    target.keepAsCurrent = [this](const _PROFILE_DATA* p) { kept = std::make_unique<_PROFILE_DATA>(*p); };
    return ReadAndApplyCurrentProfile(target, readOnly, argument);
  }
  // From here on the queue does not ask to be run, so that the connect the
  // routine queues stays there to be read.
  void holdQueue() {
    queue.clear();
    context.addAction = [this](_ACTION_DATA action) {
      queue.push_back(std::move(action));
      return FALSE;
    };
  }
  // The connect the routine queued; null when none.
  const _PROFILE_DATA* queued() const {
    return queue.size() == 1 && queue[0].Kind == kActionConnect ? queue[0].Profile.get() : nullptr;
  }
  static std::string driverKey() { return supplicant::testing::kDriverKey; }
  static void setDword(const char* name, DWORD value, const std::string& sub = "") {
    setValue(driverKey() + sub, name, REG_DWORD, &value, sizeof value);
  }
  static Rates ratesOf(const _PROFILE_DATA& p) {
    Rates r{};
    std::memcpy(r.data(), p.DesiredRates, r.size());
    return r;
  }
  static bool sent(DWORD code) {
    for (const wavorel::sim::DriverCall& call : wavorel::sim::driverCalls())
      if (call.code == code) return true;
    return false;
  }

  std::unique_ptr<_PROFILE_DATA> kept;
};

TEST_F(LoadAndApplyTest, StoredWpsConnectionWithAnEmptyTableAppliesNothing) {
  storeHome();
  setDriverText("WSC", "1");
  holdQueue();
  EXPECT_EQ(run(FALSE, TRUE), 0);
  EXPECT_EQ(queued(), nullptr);
  EXPECT_EQ(kept, nullptr);
  EXPECT_EQ(g_bWpsConnect, 1);
  EXPECT_EQ(XpWorkerState().MultiCredential, 1);
  EXPECT_EQ(g_bProfileApplied, 0);
  for (const wavorel::sim::DriverCall& call : wavorel::sim::driverCalls()) EXPECT_FALSE(call.set) << call.code;
}

TEST_F(LoadAndApplyTest, ArgumentZeroLeavesTheRadioValuesAlone) {
  storeHome();
  g_bHtFamily = 1;
  setDriverText("WirelessMode", "1");
  setDriverText("TransRate", "2");
  setDword("TransmitSetting", 0x210);
  g_nWirelessMode = 4;
  holdQueue();
  run(FALSE, FALSE);
  const _PROFILE_DATA* p = queued();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->AdvancedValid, 0u);
  EXPECT_EQ(ratesOf(*p), Rates{});
  EXPECT_EQ(g_nWirelessMode, 4);
  EXPECT_FALSE(sent(OID_VX_HT_TRANSMIT));
  EXPECT_FALSE(sent(OID_VX_HT_TRANSMIT_SET));
  EXPECT_FALSE(sent(OID_VX_PRIVATE_0111));
  EXPECT_EQ(driverText("AdhocOfdm"), "<none>");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(p->Ssid.Ssid), p->Ssid.SsidLength), "Home");
  EXPECT_EQ(p->AuthMode, 7u);
  EXPECT_EQ(p->Valid, 1u);
  EXPECT_EQ(g_bProfileApplied, 1);
}

TEST_F(LoadAndApplyTest, HtWordComesFromTheRegistryOrTheDriverAndIsSentAtOnce) {
  storeHome();
  g_bHtFamily = 1;
  setDriverText("WirelessMode", "9");
  // From "TransmitSetting": bits 0-18 taken, 19-31 kept.
  g_dwTransmitSetting = 0xFFF80000;
  setDword("TransmitSetting", 0x7ABCDE);
  holdQueue();
  run(FALSE, TRUE);
  EXPECT_EQ(g_dwTransmitSetting, 0xFFF80000u | (0x7ABCDEu & 0x7FFFF));
  BYTE expected[kHtTransmitRecordSize] = {};
  FillHtTransmitRecord(g_dwTransmitSetting, expected);
  EXPECT_EQ(lastSet(OID_VX_HT_TRANSMIT_SET), std::vector<uint8_t>(expected, expected + sizeof expected));
  EXPECT_FALSE(sent(OID_VX_HT_TRANSMIT));

  // Without it: the driver's record, byte 6 into bits 17-18, the mode, 0xBA10.
  HKEY key = nullptr;
  RegOpenKeyEx(HKEY_LOCAL_MACHINE, driverKey().c_str(), 0, KEY_ALL_ACCESS, &key);
  RegDeleteValue(key, "TransmitSetting");
  RegCloseKey(key);
  BYTE answer[kHtTransmitRecordSize] = {};
  DWORD returned = 0;
  ASSERT_TRUE(QueryOid(OID_VX_HT_TRANSMIT, answer, sizeof answer, &returned));
  holdQueue();
  wavorel::sim::clearDriverCalls();
  g_dwTransmitSetting = 0xFFFFFFFF;
  run(FALSE, TRUE);
  const DWORD word = (0xFFFFFFFFu & ~0x745EFu) | (static_cast<DWORD>(answer[6] & 3) << 17) | 9u | 0xBA10u;
  EXPECT_EQ(g_dwTransmitSetting, word);
  FillHtTransmitRecord(word, answer);
  EXPECT_EQ(lastSet(OID_VX_HT_TRANSMIT_SET), std::vector<uint8_t>(answer, answer + sizeof answer));
}

TEST_F(LoadAndApplyTest, TransmitRateFollowsTheWirelessMode) {
  struct Case {
    const char* mode;
    const char* transRate;  // nullptr: missing
    DWORD transmitSetting;
    Rates rates;
  };
  const Rates b = {22, 11, 4, 2}, g = {108, 96, 72, 48, 36, 24, 18, 12}, mixed = {108, 96, 72, 48, 22, 11, 4, 2};
  const Case cases[] = {
      {"1", "3", 0, {11}},          {"1", "0", 0, b},           {"1", "5", 0, b},    {"1", nullptr, 0, b},
      {"4", "1", 0, {12}},          {"4", "8", 0, {108}},       {"4", "9", 0, g},    {"4", nullptr, 0, b},
      {"2", "4", 0, {36}},          {"0", "12", 0, {108}},      {"0", "5", 0, {12}}, {"0", "13", 0, mixed},
      {"3", nullptr, 0, mixed},     {"9", "4", 0x210, mixed},   {"9", "4", 0, {108}}, {"9", nullptr, 0x210, {}},
  };
  g_bHtFamily = 1;
  storeHome();
  for (const Case& c : cases) {
    setDriverText("WirelessMode", c.mode);
    HKEY key = nullptr;
    RegOpenKeyEx(HKEY_LOCAL_MACHINE, driverKey().c_str(), 0, KEY_ALL_ACCESS, &key);
    RegDeleteValue(key, "TransRate");
    RegCloseKey(key);
    if (c.transRate) setDriverText("TransRate", c.transRate);
    setDword("TransmitSetting", c.transmitSetting);
    holdQueue();
    run(FALSE, TRUE);
    const _PROFILE_DATA* p = queued();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(ratesOf(*p), c.rates) << "mode " << c.mode << " TransRate " << (c.transRate ? c.transRate : "-");
    EXPECT_EQ(p->AdvancedValid, 1u);
  }
}

TEST_F(LoadAndApplyTest, AdapterValuesFillTheSettingsBlockAndAdhocMode) {
  storeHome();
  setDriverText("WirelessMode", "0");
  setDriverText("CountryRegion", "5");
  setDriverText("CountryRegionABand", "7");
  setDriverText("TXBurst", "1");
  setDriverText("TurboRate", "1");
  setDriverText("BGProtection", "2");
  setDriverText("ShortSlot", "1");
  setDriverText("ShowAuthStatus", "1");
  setDword("CCX2Control", 3);
  holdQueue();
  run(FALSE, TRUE);
  const _PROFILE_DATA* p = queued();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->CountryRegion, 5u + (7u << 8));
  EXPECT_EQ(p->StationConfig[0], 1u);
  EXPECT_EQ(p->StationConfig[1], 1u);
  EXPECT_EQ(p->StationConfig[2], 2u);
  EXPECT_EQ(p->StationConfig[3], 1u);
  EXPECT_EQ(p->StationConfig[4], 1u);  // mode 0 -> ad hoc mode 1
  EXPECT_EQ(p->Ccx2Control, 3u);
  EXPECT_EQ(g_bShowAuthStatus, 1);
  EXPECT_EQ(driverText("AdhocOfdm"), "1");
  EXPECT_EQ(0, std::memcmp(g_stationConfig, p->StationConfig, sizeof g_stationConfig));

  // B/G protection is kept only in the modes 0 and 3.
  setDriverText("WirelessMode", "1");
  holdQueue();
  run(FALSE, TRUE);
  ASSERT_NE(queued(), nullptr);
  EXPECT_EQ(queued()->StationConfig[2], 0u);
  EXPECT_EQ(driverText("AdhocOfdm"), "0");
}

TEST_F(LoadAndApplyTest, KeysAndCertificatesAreDecodedWithinTheirFields) {
  setDriverText("SSID", "Corp");
  setDriverText("AuthenType", "1");
  setDriverText("Encryption", "0");
  setDriverText("WEPKeyUse", "2");
  setDriverText("WEPKey1", "0102");                        // 2-25 digits: what is there, the rest 0
  setDriverText("WEPKey2", "0a0b0c0d0e");                  // 10: five bytes
  setDriverText("WEPKey3", "0a0b0c0d0e0");                 // 11: five bytes
  setDriverText("WEPKey4", "1");                           // one character: no key
  setDriverText("Use8021X", "1");
  setDriverText("ClientCertLen", "4000");
  setDriverText("ClientCertData", "0102");
  setDriverText("ServerCertLen", "200");
  setDriverText("ServerCertData", std::string(400, 'f'));
  setDriverText("PACFilePath", "C:\\" + std::string(250, 'p'));
  setDriverText("LeapUserName", std::string(300, 'u'));
  holdQueue();
  run(FALSE, TRUE);
  const _PROFILE_DATA* p = queued();
  ASSERT_NE(p, nullptr);
  const std::vector<BYTE> key1(KeyBlockMaterial(p->WepKey[0]), KeyBlockMaterial(p->WepKey[0]) + 13);
  EXPECT_EQ(KeyBlockKeyLength(p->WepKey[0]), 13u);
  EXPECT_EQ(key1, (std::vector<BYTE>{1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(KeyBlockIndex(p->WepKey[0]), 0u);
  EXPECT_EQ(KeyBlockKeyLength(p->WepKey[1]), 5u);
  EXPECT_EQ(KeyBlockIndex(p->WepKey[1]), 1u | kTransmitKeyBit);
  EXPECT_EQ(KeyBlockKeyLength(p->WepKey[2]), 5u);
  EXPECT_EQ(KeyBlockMaterial(p->WepKey[2])[4], 0x0e);
  EXPECT_TRUE(p->WepKey[3].empty());
  EXPECT_EQ(p->ClientCertLen, 2u);
  EXPECT_EQ(p->ServerCertLen, 152u);
  EXPECT_EQ(p->ServerCertData[151], 0xFF);
  EXPECT_EQ(std::strlen(p->PACFilePath), 253u);
  EXPECT_EQ(p->LeapUserNameLength, 255u);
}

TEST_F(LoadAndApplyTest, AdhocProfilesTakeTheirChannelAndWpaNoneKey) {
  struct Case {
    const char* psk;
    bool hashed;
  };
  const std::string hex(64, 'a');
  for (const Case& c : {Case{hex.c_str(), false}, Case{"shared secret", true}}) {
    setDriverText("SSID", "Party");
    setDriverText("NetworkType", "0");
    setDriverText("Channel", "212");
    setDriverText("AuthenType", "5");
    setDriverText("Encryption", "4");
    setDriverText("WPAPSK", c.psk);
    holdQueue();
    run(FALSE, TRUE);
    const _PROFILE_DATA* p = queued();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->ChannelFrequency, 5060000u);
    ASSERT_EQ(p->WpaNoneKey.size(), kWpaNoneKeyBlockSize);
    BYTE expected[kWpaNoneKeyLength];
    if (c.hashed) {
      PasswordHash(c.psk, reinterpret_cast<const BYTE*>("Party"), 5, expected);
    } else {
      std::memset(expected, 0xAA, sizeof expected);
    }
    EXPECT_EQ(0, std::memcmp(KeyBlockMaterial(p->WpaNoneKey), expected, sizeof expected)) << c.psk;
  }
}

TEST_F(LoadAndApplyTest, UserWithoutRightsReadsTheProfileKeyAndWritesNothing) {
  setDriverText("SSID", "Elsewhere");
  setDriverText("WirelessMode", "0");
  const std::string office = driverKey() + "\\Profile\\Station\\Office";
  setText(office, "SSID", "Home");
  setText(office, "AuthenType", "7");
  setText(office, "Encryption", "6");
  setText(office, "WPAPSK", "correct horse");
  const std::string before = dumpKey(HKEY_LOCAL_MACHINE, driverKey());
  holdQueue();
  run(TRUE, TRUE);
  const _PROFILE_DATA* p = queued();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(p->Ssid.Ssid), p->Ssid.SsidLength), "Home");
  EXPECT_EQ(p->AuthMode, 7u);
  EXPECT_EQ(p->StationConfig[4], 1u);
  EXPECT_EQ(dumpKey(HKEY_LOCAL_MACHINE, driverKey()), before);

  // The name the profile page activated last wins over "CurProfile".
  setText(driverKey() + "\\Profile\\Station\\Second", "SSID", "Corp");
  g_strCurProfileName = "Second";
  holdQueue();
  run(TRUE, FALSE);
  ASSERT_NE(queued(), nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(queued()->Ssid.Ssid), queued()->Ssid.SsidLength), "Corp");
}

TEST_F(LoadAndApplyTest, StoredWpa2PskProfileConnectsAndACancelledLogonLeavesTheLinkAlone) {
  storeHome();
  EXPECT_FALSE(mediaConnected());
  run(FALSE, TRUE);
  EXPECT_TRUE(driveUntil([] { return mediaConnected(); }));
  EXPECT_EQ(XpWorkerState().SupplicantPortState, 6);

  // Single sign-on reports a cancelled authentication while the link is up:
  // nothing is queued and the flag is cleared.
  setText(kSsoKeyPath, "SSOEnable", "1");
  setText(kSsoKeyPath, "SSOAuthenticationCancelled", "1");
  holdQueue();
  wavorel::sim::clearDriverCalls();
  run(FALSE, FALSE);
  EXPECT_EQ(queued(), nullptr);
  EXPECT_EQ(g_bSsoCancelled, 0);
  EXPECT_TRUE(sent(OID_GEN_MEDIA_CONNECT_STATUS));
}

TEST_F(LoadAndApplyTest, StoredPeapProfileConnectsThroughTheSupplicant) {
  setDriverText("SSID", "Corp");
  setDriverText("AuthenType", "6");
  setDriverText("Encryption", "6");
  setDriverText("Use8021X", "1");
  setDriverText("AuthenProtocol", "0");
  setDriverText("TunnelProtocol", "26");
  setDriverText("ID", "alice");
  setDriverText("Password", "secret");
  setDriverText("TunnelID", "alice");
  setDriverText("TunnelPassword", "secret");
  setDriverText("PasswordMode", "1");
  run(FALSE, TRUE);
  EXPECT_TRUE(driveUntil([] { return mediaConnected(); }));
  ASSERT_NE(XpWorkerState().SupplicantCredentials, nullptr);
  EXPECT_STREQ(XpWorkerState().SupplicantCredentials->Identity, "alice");
}

}  // namespace
}  // namespace xpworker::testing
