#include "platform/sim/services/NativeWifiService.h"
#include "tests/worker/vista/ProfileRecords.h"
#include "tests/worker/vista/WlanClientTest.h"
#include "worker/ChannelTable.h"
#include "platform/wire/Bytes.h"
#include "worker/WlanProfileXml.h"

namespace worker::testing {
namespace {

constexpr DWORD kOk = ERROR_SUCCESS;

class NativeWiFiConnectTest : public WlanClientTest {
 protected:
  void SetUp() override {
    WlanClientTest::SetUp();
    g_strDevicePath = CString("\\\\.\\") + guid().c_str();  // the driver writes go to the adapter
  }

  // The sets the driver received, as (code as sent, data).
  static std::vector<std::pair<DWORD, std::vector<uint8_t>>> sets() {
    std::vector<std::pair<DWORD, std::vector<uint8_t>>> out;
    for (const auto& call : wavorel::sim::driverCalls())
      if (call.set) out.emplace_back(call.code, call.data);
    return out;
  }
  static bool sent(DWORD oid, DWORD value) {
    for (const auto& [code, data] : sets())
      if (code == (oid | OID_STATION_SET_MASK) && data.size() == 4 && wavorel::wire::getU32(data.data()) == value)
        return true;
    return false;
  }
  static size_t countSets(DWORD oid) {
    size_t n = 0;
    for (const auto& [code, data] : sets()) n += code == (oid | OID_STATION_SET_MASK);
    return n;
  }
  static std::vector<uint8_t> lastData(DWORD oid) {
    std::vector<uint8_t> last;
    for (const auto& [code, data] : sets())
      if (code == (oid | OID_STATION_SET_MASK)) last = data;
    return last;
  }
  std::vector<std::string> profileNames() {
    std::vector<std::string> names;
    HANDLE handle = nullptr;
    DWORD version = 0;
    WlanOpenHandle(2, nullptr, &version, &handle);
    PWLAN_PROFILE_INFO_LIST list = nullptr;
    if (WlanGetProfileList(handle, &client_.InterfaceGuid(), nullptr, &list) == ERROR_SUCCESS)
      for (DWORD i = 0; i < list->dwNumberOfItems; ++i) {
        const std::u16string name(list->ProfileInfo[i].strProfileName);
        names.emplace_back(name.begin(), name.end());
      }
    if (list) WlanFreeMemory(list);
    WlanCloseHandle(handle, nullptr);
    return names;
  }
  static wavorel::sim::NativeWifiService::LastStored lastStored() {
    return wavorel::sim::NativeWifiService::instance().lastStored(guid());
  }
};

TEST_F(NativeWiFiConnectTest, AWpa2PskRecordConnectsAsTheFirstProfile) {
  scan();
  ASSERT_EQ(client_.ProfileList()->SetProfile(profileXml("Cafe", "CafeFree", "open", "none").c_str()), kOk);
  _PROFILE_DATA p = Infrastructure("HomeNet", 7, 6);
  SetWpaKey(p, "correct horse battery");
  p.TxPower = 2;
  p.PreambleType = 0;
  ASSERT_EQ(client_.ConnectProfile(FALSE, &p), kOk);
  EXPECT_EQ(p.PreambleType, 2u) << "an infrastructure profile's preamble becomes 2 in the record";
  EXPECT_TRUE(sent(OID_VX_PRIVATE_FF8C0030_SET, 0)) << "WLAN mode";
  EXPECT_TRUE(sent(OID_VX_PREAMBLE_SET, 2));
  EXPECT_TRUE(sent(OID_VX_TX_POWER_SET, 75));
  EXPECT_EQ(countSets(OID_VX_CONFIGURATION_SET), 0u) << "no channel for an infrastructure profile";

  clock().advance(1000);
  ASSERT_TRUE(waitForMessage(WM_WLAN_CONNECTED));
  EXPECT_EQ(count(WM_WLAN_CONNECT_FAILED), 0u);
  const std::vector<std::string> names = profileNames();
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0], "HomeNet") << "stored and moved to the first position";
  BOOL connected = FALSE;
  EXPECT_EQ(client_.IsConnected(&connected), kOk);
  EXPECT_TRUE(connected);
  WCHAR name[WLAN_MAX_NAME_LENGTH] = {};
  EXPECT_EQ(client_.GetProfileName(name), kOk);
  EXPECT_EQ(std::u16string(name), u"HomeNet");
  WLAN_PROFILE_XML expected;
  BuildWlanProfileXml(p, expected);
  EXPECT_EQ(lastStored().profileXml, std::string(expected.profileXml.begin(), expected.profileXml.end()));
}

TEST_F(NativeWiFiConnectTest, AWrongPassphraseFailsTheAttemptAfterTheHandshake) {
  scan();
  _PROFILE_DATA p = Infrastructure("HomeNet", 7, 6);
  SetWpaKey(p, "wrong horse battery");
  ASSERT_EQ(client_.ConnectProfile(FALSE, &p), kOk);
  clock().advance(1000);
  ASSERT_TRUE(waitForMessage(WM_WLAN_CONNECT_ATTEMPT_FAIL));
  EXPECT_EQ(count(WM_WLAN_CONNECT_FAILED), 0u) << "WlanConnect itself succeeded";
  BOOL connected = TRUE;
  EXPECT_EQ(client_.IsConnected(&connected), kOk);
  EXPECT_FALSE(connected);
}

TEST_F(NativeWiFiConnectTest, AFailingWlanConnectIsReportedAndStoreFailuresAreNot) {
  scan();
  // A WPA2-PSK record without its key: the service refuses the profile, the
  // connect by its name then fails.
  _PROFILE_DATA p = Infrastructure("HomeNet", 7, 6);
  EXPECT_NE(client_.ConnectProfile(FALSE, &p), kOk);
  wavorel::pumpMessages();
  EXPECT_EQ(count(WM_WLAN_CONNECT_FAILED), 1u);
  EXPECT_TRUE(profileNames().empty());
  EXPECT_TRUE(lastStored().profileXml.empty());
}

TEST_F(NativeWiFiConnectTest, SavedLinkValuesAreSentOnceAfterTheConnect) {
  client_.ApplySavedLinkValues();
  EXPECT_TRUE(sets().empty()) << "nothing without a connect";

  scan();
  _PROFILE_DATA p = Infrastructure("CafeFree", 0, 1);
  p.RtsThresh = 500;
  p.FragThresh = 1200;
  p.PSMode = 2;
  ASSERT_EQ(client_.ConnectProfile(FALSE, &p), kOk);
  clock().advance(1000);
  ASSERT_TRUE(waitForMessage(WM_WLAN_CONNECTED));
  wavorel::sim::clearDriverCalls();
  client_.ApplySavedLinkValues();
  EXPECT_TRUE(sent(OID_DOT11_RTS_THRESHOLD, 500));
  EXPECT_TRUE(sent(OID_DOT11_FRAGMENTATION_THRESHOLD, 1200));
  EXPECT_TRUE(sent(OID_DOT11_POWER_MGMT_REQUEST, PowerSaveLevelFromMode(2)));
  EXPECT_EQ(sets().size(), 3u);
  wavorel::sim::clearDriverCalls();
  client_.ApplySavedLinkValues();
  EXPECT_TRUE(sets().empty()) << "once";
}

TEST_F(NativeWiFiConnectTest, AnAdhocRecordSetsItsChannelAndSkipsPowerSave) {
  _PROFILE_DATA p = AdhocWpa2PskRecord();
  p.PSMode = 1;
  p.PreambleType = 1;
  client_.ConnectProfile(FALSE, &p);
  EXPECT_EQ(p.PreambleType, 1u) << "kept outside infrastructure";
  EXPECT_TRUE(sent(OID_VX_PREAMBLE_SET, 1));
  std::vector<uint8_t> configuration = lastData(OID_VX_CONFIGURATION_SET);
  ASSERT_EQ(configuration.size(), 32u);
  EXPECT_EQ(wavorel::wire::getU32(configuration.data() + 12), 11u) << "channel 11 of 2462000 kHz";
  wavorel::sim::clearDriverCalls();
  client_.ApplySavedLinkValues();
  EXPECT_EQ(countSets(OID_DOT11_POWER_MGMT_REQUEST), 0u);
  EXPECT_EQ(sets().size(), 2u);

  // An infrastructure record with flag 1 sets its channel too; a frequency
  // outside the table gives channel 0.
  wavorel::sim::clearDriverCalls();
  _PROFILE_DATA infra = OpenRecord();
  infra.ChannelFrequency = 2413000;
  client_.ConnectProfile(TRUE, &infra);
  EXPECT_TRUE(sent(OID_VX_PRIVATE_FF8C0030_SET, 1));
  configuration = lastData(OID_VX_CONFIGURATION_SET);
  ASSERT_EQ(configuration.size(), 32u);
  EXPECT_EQ(wavorel::wire::getU32(configuration.data() + 12), 0u);
}

TEST_F(NativeWiFiConnectTest, DiscoveryKindsStoreNothingAndOnlyKindOneIsBoundToItsBssid) {
  scan();
  // A profile for HomeNet is in the store already; the other kinds add none
  // (a secured network is joined with a temporary profile).
  _PROFILE_DATA stored = Infrastructure("HomeNet", 7, 6);
  SetWpaKey(stored, "correct horse battery");
  ASSERT_EQ(client_.ProfileOps()->ApplyProfile(&stored), kOk);
  clock().advance(1000);
  ASSERT_TRUE(waitForMessage(WM_WLAN_CONNECTED));
  const std::vector<std::string> before = profileNames();

  const BYTE cafe[6] = {0x00, 0x1D, 0x7E, 0x11, 0x22, 0x02};
  const BYTE elsewhere[6] = {0x02, 0x00, 0x00, 0x00, 0x00, 0x09};
  struct Case {
    const char* what;
    _PROFILE_DATA record;
    DWORD kind;
    const BYTE* bssid;
    bool connects;
    DWORD mode;
  } cases[] = {
      {"kind 1 to the open network's BSSID", OpenRecord(), 1, cafe, true, wlan_connection_mode_discovery_unsecure},
      {"kind 1 to a BSSID nobody has", OpenRecord(), 1, elsewhere, false, 0},
      {"kind 2 ignores the BSSID", OpenRecord(), 2, elsewhere, true, wlan_connection_mode_discovery_unsecure},
      {"kind 2, secured", stored, 2, elsewhere, true, wlan_connection_mode_temporary_profile},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    client_.Disconnect();
    clock().advance(1000);
    wavorel::pumpMessages();
    received().clear();
    c.record.UseBssid = c.kind;
    std::memcpy(c.record.Bssid, c.bssid, 6);
    ASSERT_EQ(client_.ProfileOps()->ApplyProfile(&c.record), kOk);
    clock().advance(1000);
    ASSERT_TRUE(waitForMessage(c.connects ? WM_WLAN_CONNECTED : WM_WLAN_CONNECT_ATTEMPT_FAIL));
    EXPECT_EQ(profileNames(), before);
    if (!c.connects) continue;
    DWORD mode = 0;
    EXPECT_EQ(client_.GetConnectionMode(&mode), kOk);
    EXPECT_EQ(mode, c.mode);
    if (c.bssid == cafe) {
      BYTE bssid[6] = {};
      EXPECT_EQ(client_.GetCurrentBssid(bssid), kOk);
      EXPECT_EQ(std::memcmp(bssid, cafe, 6), 0);
    }
  }
}

TEST_F(NativeWiFiConnectTest, EapUserDataIsStoredUnlessASmartCardIsUsed) {
  _PROFILE_DATA peap = PeapMsChapV2Record(true);
  client_.ProfileOps()->ApplyProfile(&peap);
  WLAN_PROFILE_XML expected;
  BuildWlanProfileXml(peap, expected);
  EXPECT_EQ(lastStored().eapUserData, std::string(expected.userXml.begin(), expected.userXml.end()));
  ASSERT_FALSE(lastStored().eapUserData.empty());

  _PROFILE_DATA card = EapTlsSmartCardRecord();
  SetSsid(card, "CardNet");
  const std::string before = lastStored().eapUserData;
  client_.ProfileOps()->ApplyProfile(&card);
  EXPECT_EQ(lastStored().eapUserData, before) << "no user data for the smart card";
  EXPECT_NE(lastStored().profileXml.find("CardNet"), std::string::npos);
}

TEST_F(NativeWiFiConnectTest, TheServiceRefusesMalformedUserData) {
  _PROFILE_DATA peap = PeapMsChapV2Record(false);
  WLAN_PROFILE_XML documents;
  BuildWlanProfileXml(peap, documents);
  ASSERT_EQ(client_.ProfileList()->SetProfile(documents.profileXml.c_str()), kOk);
  const GUID& id = client_.InterfaceGuid();
  HANDLE handle = nullptr;
  DWORD version = 0;
  ASSERT_EQ(WlanOpenHandle(2, nullptr, &version, &handle), kOk);
  for (const char16_t* bad : {u"<EapHostUserCredentials", u"<Other xmlns=\"x\"/>",
                              u"<EapHostUserCredentials xmlns=\"http://www.microsoft.com/provisioning/"
                              u"EapHostUserCredentials\"><EapMethod/></EapHostUserCredentials>"})
    EXPECT_EQ(WlanSetProfileEapXmlUserData(handle, &id, u"CorpWLAN", 0, bad, nullptr),
              static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(lastStored().eapUserData.empty());
  EXPECT_EQ(WlanSetProfileEapXmlUserData(handle, &id, u"CorpWLAN", 0, documents.userXml.c_str(), nullptr), kOk);
  EXPECT_FALSE(lastStored().eapUserData.empty());
  WlanCloseHandle(handle, nullptr);
}

TEST_F(NativeWiFiConnectTest, ProfilesAreFoundByTheNameTheirSsidGives) {
  _PROFILE_DATA p = OpenRecord();
  SetSsid(p, std::string("Caf\x01]]>", 7));
  client_.ProfileOps()->ApplyProfile(&p);
  EXPECT_TRUE(client_.ProfileList()->ProfileExists(WlanProfileNameOfSsid(p.Ssid.Ssid, p.Ssid.SsidLength)));
}

}  // namespace
}  // namespace worker::testing
