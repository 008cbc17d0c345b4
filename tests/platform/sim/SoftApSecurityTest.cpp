#include "SimTest.h"

#include <algorithm>
#include <set>

#include "../services/ServiceTest.h"
#include "platform/sim/services/GuidText.h"
#include "platform/win/services/Wlan.h"

namespace wavorel::sim::testing {
namespace {

constexpr DWORD OID_VX_AP_MODE_SET = 0xFF8C001A;
constexpr DWORD OID_VX_AUTH_MODE = 0xFF8C0035;
constexpr DWORD OID_VX_ENCRYPTION = 0xFF8C0036;
constexpr DWORD OID_VX_ADD_KEY = 0xFF8C0038;
constexpr DWORD OID_VX_RADIUS = 0xFF8C003A;
constexpr DWORD OID_VX_CONFIGURATION = 0xFF8C003B;
constexpr DWORD OID_VX_STATION_TABLE = 0xFF0C0029;
constexpr DWORD OID_VX_AP_COUNTERS = 0xFF0C000B;
constexpr DWORD OID_VX_RESET_COUNTERS = 0xFF8C000C;
constexpr DWORD OID_VX_EVENT_LOG = 0xFF0C0043;
constexpr DWORD OID_802_11_SSID = 0x0D010102;
constexpr DWORD OID_802_11_BSSID = 0x0D010101;
constexpr DWORD OID_802_11_SSID_SET = 0x0D810102;
constexpr DWORD OID_802_11_DISASSOCIATE_SET = 0x0D810115;
constexpr DWORD OID_GEN_MEDIA_CONNECT_STATUS = 0x00010114;
constexpr DWORD OID_GEN_RCV_OK = 0x00020102;

const std::string kApSsid = "Wavorel-SoftAP";
const std::vector<uint8_t> kAdapterMac = {0x00, 0x0E, 0x2E, 0x5A, 0x10, 0x01};
const std::string kWepKey = "\x01\x02\x03\x04\x05";

// The default world's phone brings the AP's pass phrase; these come at the same time.
const std::string kClients =
    "[Client Laptop]\nAdapter = Adapter1\nMac = 00-23-76-AB-CD-02\nWepKey = 0102030405\nArrives = 5\n"
    "[Client Tablet]\nAdapter = Adapter1\nMac = 00-23-76-AB-CD-03\nWepKey = 0A0B0C0D0E\nSignal = -48\nArrives = 5\n"
    "[Client Badge]\nAdapter = Adapter1\nMac = 00-23-76-AB-CD-04\nEap = reject\nArrives = 5\n";

class SoftApSecurityTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    useWorld(std::string(defaultWorldText()) + kClients);
  }
  void startAp() {
    setU32(OID_VX_AP_MODE_SET, 1);
    std::vector<uint8_t> ssid(36, 0);
    ssid[0] = static_cast<uint8_t>(kApSsid.size());
    std::copy(kApSsid.begin(), kApSsid.end(), ssid.begin() + 4);
    set(OID_802_11_SSID_SET, ssid);
  }
  void addKey(uint32_t index, const std::string& material) {
    std::vector<uint8_t> record(39 + material.size(), 0);
    record[0] = static_cast<uint8_t>(record.size());
    std::memcpy(&record[4], &index, 4);
    record[8] = static_cast<uint8_t>(material.size());
    std::copy(material.begin(), material.end(), record.begin() + 32);
    set(OID_VX_ADD_KEY, record);
  }
  // The last byte of each associated station's MAC.
  std::set<int> stations() {
    std::vector<uint8_t> t = query(OID_VX_STATION_TABLE, 324);
    std::set<int> out;
    for (uint32_t i = 0; i < u32At(t, 0); ++i) out.insert(t[4 + 10 * i + 5]);
    return out;
  }
  std::vector<int> eventCodes() {
    std::vector<uint8_t> b = query(OID_VX_EVENT_LOG, 168);
    std::vector<int> out;
    for (uint32_t i = 0; i < u32At(b, 0); ++i) out.push_back(b[8 + 16 * i + 14]);
    return out;
  }
};

TEST_F(SoftApSecurityTest, StationsNeedWhatTheApsSecurityAsksFor) {
  Psk psk = wpaPassphraseKey("softap-secret", kApSsid);
  std::vector<uint8_t> radius(72, 0);
  radius[0] = 10;  // 10.0.0.1
  radius[3] = 1;
  struct Case {
    const char* name;
    uint32_t auth, cipher;
    bool wep, preShared, radiusServer;
    std::set<int> admitted;  // last MAC byte: 1 phone (pass phrase), 2 laptop (right WEP key),
                             // 3 tablet (wrong WEP key), 4 badge (802.1X refused)
    size_t wrongPskEvents;
  };
  const Case cases[] = {
      {"open", 1, 0, false, false, false, {1, 2, 3, 4}, 0},
      {"WEP, open authentication", 1, 0x101, true, false, false, {2, 3}, 0},
      {"WEP, shared key", 2, 0x101, true, false, false, {2}, 0},
      {"WPA2-PSK", 7, 4, false, true, false, {1}, 3},
      {"WPA2 with a RADIUS server", 6, 4, false, false, true, {1, 2, 3}, 0},
      {"WPA2 without a server", 6, 4, false, false, false, {}, 0},
  };
  for (const Case& c : cases) {
    setU32(OID_VX_AP_MODE_SET, 1);
    setU32(OID_VX_AUTH_MODE, c.auth);
    setU32(OID_VX_ENCRYPTION, c.cipher);
    if (c.wep) addKey(0x80000000u, kWepKey);
    if (c.preShared) addKey(0x80000000u, std::string(psk.begin(), psk.end()));
    set(OID_VX_RADIUS, c.radiusServer ? radius : std::vector<uint8_t>(72, 0));
    startAp();
    eventCodes();
    clock().advance(5000);
    EXPECT_EQ(stations(), c.admitted) << c.name;
    std::vector<int> codes = eventCodes();
    EXPECT_EQ(static_cast<size_t>(std::count(codes.begin(), codes.end(), 1)), c.admitted.size()) << c.name;
    EXPECT_EQ(static_cast<size_t>(std::count(codes.begin(), codes.end(), 5)), c.wrongPskEvents) << c.name;
    setU32(OID_VX_AP_MODE_SET, 0);  // the next session starts without keys
  }
}

TEST_F(SoftApSecurityTest, CountersMoveWithTheStationsAndOnlyDecryptedFramesAreReceived) {
  setU32(OID_VX_AP_MODE_SET, 1);
  setU32(OID_VX_AUTH_MODE, 1);
  setU32(OID_VX_ENCRYPTION, 0x101);
  addKey(0x80000000u, kWepKey);
  startAp();
  clock().advance(4000);
  std::vector<uint8_t> idle = query(OID_VX_AP_COUNTERS, 184);
  EXPECT_EQ(u64At(idle, 8), 0u) << "no station, no traffic";
  EXPECT_EQ(u64At(idle, 176), 0u);
  EXPECT_EQ(static_cast<int32_t>(queryU32(0xFF0C000F)), -100) << "RSSI: no station heard";

  clock().advance(11000);  // laptop and tablet for 10 s
  std::vector<uint8_t> busy = query(OID_VX_AP_COUNTERS, 184);
  EXPECT_EQ(u64At(busy, 8), 400u) << "20 frames a second sent to each station";
  EXPECT_EQ(u64At(busy, 80), 1000u) << "50 frames a second heard from each";
  EXPECT_EQ(u64At(busy, 176), 500u) << "the wrong key's frames do not decrypt";
  EXPECT_EQ(queryU32(OID_GEN_RCV_OK), 500u);
  EXPECT_EQ(stations(), (std::set<int>{2, 3}));
  EXPECT_EQ(static_cast<int32_t>(queryU32(0xFF0C000F)), -48) << "RSSI: the strongest station";
  EXPECT_EQ(static_cast<int32_t>(queryU32(0xFF0C0010)), -50) << "second chain";

  set(OID_VX_RESET_COUNTERS, {});
  EXPECT_EQ(u64At(query(OID_VX_AP_COUNTERS, 184), 8), 0u);
  clock().advance(1000);
  EXPECT_EQ(u64At(query(OID_VX_AP_COUNTERS, 184), 8), 40u);

  set(OID_802_11_DISASSOCIATE_SET, {});  // the BSS goes down, its stations leave
  clock().advance(10000);
  EXPECT_EQ(u64At(query(OID_VX_AP_COUNTERS, 184), 8), 40u);
}

TEST_F(SoftApSecurityTest, SsidAndBssidAreTheApsOwnWhileItBeacons) {
  setU32(OID_VX_AP_MODE_SET, 1);
  EXPECT_EQ(queryU32(OID_GEN_MEDIA_CONNECT_STATUS), 1u) << "no BSS without an SSID";
  EXPECT_EQ(u32At(query(OID_802_11_SSID, 36), 0), 0u);
  std::vector<uint8_t> none(6, 0);
  DWORD returned = 0, error = 0;
  EXPECT_FALSE(request(OID_802_11_BSSID, none, returned, error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_READY)) << "no BSS, no BSSID";

  startAp();
  std::vector<uint8_t> ssid = query(OID_802_11_SSID, 36);
  ASSERT_EQ(ssid.size(), 36u);
  EXPECT_EQ(std::string(ssid.begin() + 4, ssid.begin() + 4 + u32At(ssid, 0)), kApSsid);
  EXPECT_EQ(query(OID_802_11_BSSID, 6), kAdapterMac);
  EXPECT_EQ(queryU32(OID_GEN_MEDIA_CONNECT_STATUS), 0u);

  // The Native Wi-Fi view: connected, with the AP's SSID, BSSID and channel.
  std::vector<uint8_t> config(32, 0);
  config[0] = 32;
  config[4] = 100;
  uint32_t khz = 2437000;  // channel 6
  std::memcpy(&config[12], &khz, 4);
  set(OID_VX_CONFIGURATION, config);
  HANDLE client = nullptr;
  DWORD version = 0;
  ASSERT_EQ(WlanOpenHandle(2, nullptr, &version, &client), static_cast<DWORD>(ERROR_SUCCESS));
  GUID guid{};
  ASSERT_TRUE(parseGuidText(kDefaultGuid, guid));
  DWORD size = 0;
  PVOID data = nullptr;
  ASSERT_EQ(WlanQueryInterface(client, &guid, wlan_intf_opcode_current_connection, nullptr, &size, &data, nullptr),
            static_cast<DWORD>(ERROR_SUCCESS));
  const auto* attrs = static_cast<WLAN_CONNECTION_ATTRIBUTES*>(data);
  EXPECT_EQ(attrs->isState, wlan_interface_state_connected);
  const DOT11_SSID& s = attrs->wlanAssociationAttributes.dot11Ssid;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(s.ucSSID), s.uSSIDLength), kApSsid);
  EXPECT_EQ(std::vector<uint8_t>(attrs->wlanAssociationAttributes.dot11Bssid,
                                 attrs->wlanAssociationAttributes.dot11Bssid + 6),
            kAdapterMac);
  WlanFreeMemory(data);
  ASSERT_EQ(WlanQueryInterface(client, &guid, wlan_intf_opcode_channel_number, nullptr, &size, &data, nullptr),
            static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(*static_cast<ULONG*>(data), 6u);
  WlanFreeMemory(data);
  EXPECT_EQ(WlanCloseHandle(client, nullptr), static_cast<DWORD>(ERROR_SUCCESS));

  setU32(OID_VX_AP_MODE_SET, 0);
  EXPECT_EQ(u32At(query(OID_802_11_SSID, 36), 0), 0u) << "station mode, no link";
  EXPECT_EQ(queryU32(OID_GEN_MEDIA_CONNECT_STATUS), 1u);
}

TEST_F(SoftApSecurityTest, UnpluggingEndsApModeAndItsStations) {
  startAp();
  clock().advance(5000);
  ASSERT_FALSE(stations().empty());
  machine().setPresent(kDefaultGuid, false);
  machine().setPresent(kDefaultGuid, true);
  EXPECT_EQ(queryU32(0xFF0C001A), 0u) << "the driver is back in station mode";
  EXPECT_EQ(queryU32(OID_GEN_MEDIA_CONNECT_STATUS), 1u);
  startAp();  // a new AP session: the stations come again at their times after its start
  clock().advance(5000);
  EXPECT_EQ(stations(), (std::set<int>{1, 2, 3, 4}));
}

struct ConnectNotice {
  DWORD code;
  DWORD reason;
};

void onConnectNotice(PWLAN_NOTIFICATION_DATA d, PVOID context) {
  if (d->NotificationSource != WLAN_NOTIFICATION_SOURCE_ACM ||
      d->NotificationCode != wlan_notification_acm_connection_complete ||
      d->dwDataSize < offsetof(WLAN_CONNECTION_NOTIFICATION_DATA, wlanReasonCode) + 4)
    return;
  DWORD reason = 0;
  std::memcpy(&reason, static_cast<const uint8_t*>(d->pData) + offsetof(WLAN_CONNECTION_NOTIFICATION_DATA, wlanReasonCode),
              4);
  static_cast<Inbox<ConnectNotice>*>(context)->add({d->NotificationCode, reason});
}

TEST_F(SoftApSecurityTest, NativeWifiConnectInApModeBringsTheBssUpAndItsStationsCome) {
  setU32(OID_VX_AP_MODE_SET, 1);
  HANDLE client = nullptr;
  DWORD version = 0;
  ASSERT_EQ(WlanOpenHandle(2, nullptr, &version, &client), static_cast<DWORD>(ERROR_SUCCESS));
  GUID guid{};
  ASSERT_TRUE(parseGuidText(kDefaultGuid, guid));
  Inbox<ConnectNotice> inbox;
  ASSERT_EQ(WlanRegisterNotification(client, WLAN_NOTIFICATION_SOURCE_ACM, TRUE, &onConnectNotice, &inbox, nullptr,
                                     nullptr),
            static_cast<DWORD>(ERROR_SUCCESS));
  std::string xml =
      "<?xml version=\"1.0\"?><WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">"
      "<name>" + kApSsid + "</name><SSIDConfig><SSID><name>" + kApSsid +
      "</name></SSID></SSIDConfig><connectionType>ESS</connectionType><connectionMode>manual</connectionMode>"
      "<MSM><security><authEncryption><authentication>open</authentication><encryption>none</encryption>"
      "<useOneX>false</useOneX></authEncryption></security></MSM></WLANProfile>";
  std::u16string wide(xml.begin(), xml.end());
  DWORD reason = 0;
  ASSERT_EQ(WlanSetProfile(client, &guid, 0, wide.c_str(), nullptr, TRUE, nullptr, &reason),
            static_cast<DWORD>(ERROR_SUCCESS));
  std::u16string name(kApSsid.begin(), kApSsid.end());
  WLAN_CONNECTION_PARAMETERS p{};
  p.wlanConnectionMode = wlan_connection_mode_profile;
  p.strProfile = name.c_str();
  p.dot11BssType = dot11_BSS_type_infrastructure;
  ASSERT_EQ(WlanConnect(client, &guid, &p, nullptr), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_TRUE(inbox.waitFor([](const ConnectNotice& n) { return n.reason == WLAN_REASON_CODE_SUCCESS; }));
  EXPECT_EQ(queryU32(OID_GEN_MEDIA_CONNECT_STATUS), 0u);
  clock().advance(5000);
  EXPECT_EQ(stations(), (std::set<int>{1, 2, 3, 4})) << "an open AP takes everyone";

  // Connecting again restarts the BSS: the stations leave and come back.
  eventCodes();
  ASSERT_EQ(WlanConnect(client, &guid, &p, nullptr), static_cast<DWORD>(ERROR_SUCCESS));
  clock().advance(1);
  std::vector<int> codes = eventCodes();
  EXPECT_EQ(std::count(codes.begin(), codes.end(), 2), 4) << "left";
  EXPECT_EQ(std::count(codes.begin(), codes.end(), 0), 1) << "restart";
  EXPECT_EQ(std::count(codes.begin(), codes.end(), 1), 4) << "associated again";
  EXPECT_EQ(WlanCloseHandle(client, nullptr), static_cast<DWORD>(ERROR_SUCCESS));
}

}  // namespace
}  // namespace wavorel::sim::testing
