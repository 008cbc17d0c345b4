#include <cstring>

#include "ServiceTest.h"
#include "WlanTestProfiles.h"
#include "platform/sim/radio/Adapter.h"
#include "platform/sim/radio/Machine.h"
#include "platform/win/services/Wlan.h"
#include "platform/win/kernel/Root.h"

namespace wavorel::sim::testing {
namespace {

struct Notice {
  DWORD source, code;
  std::thread::id thread;
  std::vector<uint8_t> data;
};

class NativeWifiTest : public ServiceTest {
 protected:
  void SetUp() override {
    ServiceTest::SetUp();
    // Before the machine loads, so that its adapters start on this clock.
    if (realClock_) setClock(std::make_shared<RealClock>());
    DWORD version = 0;
    ASSERT_EQ(WlanOpenHandle(2, nullptr, &version, &client_), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(version, 2u);
    PWLAN_INTERFACE_INFO_LIST list = nullptr;
    ASSERT_EQ(WlanEnumInterfaces(client_, nullptr, &list), static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_EQ(list->dwNumberOfItems, 1u);
    guid_ = list->InterfaceInfo[0].InterfaceGuid;
    description_ = list->InterfaceInfo[0].strInterfaceDescription;
    state_ = list->InterfaceInfo[0].isState;
    WlanFreeMemory(list);
    ASSERT_EQ(WlanRegisterNotification(client_, WLAN_NOTIFICATION_SOURCE_ACM | WLAN_NOTIFICATION_SOURCE_MSM, TRUE,
                                       &NativeWifiTest::callback, this, nullptr, nullptr),
              static_cast<DWORD>(ERROR_SUCCESS));
  }
  void TearDown() override {
    EXPECT_EQ(WlanCloseHandle(client_, nullptr), static_cast<DWORD>(ERROR_SUCCESS));
    ServiceTest::TearDown();
  }
  static void callback(PWLAN_NOTIFICATION_DATA d, PVOID context) {
    auto* self = static_cast<NativeWifiTest*>(context);
    const auto* p = static_cast<const uint8_t*>(d->pData);
    self->inbox_.add({d->NotificationSource, d->NotificationCode, std::this_thread::get_id(),
                      std::vector<uint8_t>(p, p + d->dwDataSize)});
  }
  bool waitFor(DWORD source, DWORD code) {
    return inbox_.waitFor([&](const Notice& n) { return n.source == source && n.code == code; });
  }
  Notice first(DWORD source, DWORD code) {
    for (const Notice& n : inbox_.events())
      if (n.source == source && n.code == code) return n;
    return {};
  }
  void scan() {
    ASSERT_EQ(WlanScan(client_, &guid_, nullptr, nullptr, nullptr), static_cast<DWORD>(ERROR_SUCCESS));
    clock().advance(2500);
    ASSERT_TRUE(waitFor(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_scan_complete));
  }
  DWORD setProfile(const std::string& xml, DWORD flags, DWORD& reason) {
    std::u16string wide = w(xml.c_str());
    return WlanSetProfile(client_, &guid_, flags, wide.c_str(), nullptr, TRUE, nullptr, &reason);
  }
  std::vector<std::u16string> profileNames() {
    PWLAN_PROFILE_INFO_LIST list = nullptr;
    EXPECT_EQ(WlanGetProfileList(client_, &guid_, nullptr, &list), static_cast<DWORD>(ERROR_SUCCESS));
    std::vector<std::u16string> names;
    for (DWORD i = 0; list && i < list->dwNumberOfItems; ++i) names.push_back(list->ProfileInfo[i].strProfileName);
    WlanFreeMemory(list);
    return names;
  }
  // Authentication, association and the 4-way handshake.
  static uint64_t pskJoinMs() {
    const WorldTiming& t = machine().world().timing;
    return t.authenticationMs + t.associationMs + t.handshakeMs;
  }
  DWORD connectByProfile(const char* name) {
    std::u16string wide = w(name);
    WLAN_CONNECTION_PARAMETERS p{};
    p.wlanConnectionMode = wlan_connection_mode_profile;
    p.strProfile = wide.c_str();
    p.dot11BssType = dot11_BSS_type_infrastructure;
    return WlanConnect(client_, &guid_, &p, nullptr);
  }

  bool realClock_ = false;
  HANDLE client_ = nullptr;
  GUID guid_{};
  std::u16string description_;
  WLAN_INTERFACE_STATE state_{};
  Inbox<Notice> inbox_;
};

TEST_F(NativeWifiTest, InterfaceIsTheAdapterByItsFriendlyName) {
  EXPECT_EQ(description_, w("Wavorel 802.11n USB Wireless LAN Card"));
  EXPECT_EQ(state_, wlan_interface_state_disconnected);
  PWLAN_INTERFACE_CAPABILITY cap = nullptr;
  ASSERT_EQ(WlanGetInterfaceCapability(client_, &guid_, nullptr, &cap), static_cast<DWORD>(ERROR_SUCCESS));
  bool ofdm = false;
  for (DWORD i = 0; i < cap->dwNumberOfSupportedPhys; ++i) ofdm = ofdm || cap->dot11PhyTypes[i] == dot11_phy_type_ofdm;
  EXPECT_TRUE(ofdm);  // the adapter has the 5 GHz band
  WlanFreeMemory(cap);

  GUID other = guid_;
  other.Data1 ^= 1;
  DWORD size = 0;
  PVOID data = nullptr;
  EXPECT_EQ(WlanQueryInterface(client_, &other, wlan_intf_opcode_interface_state, nullptr, &size, &data, nullptr),
            static_cast<DWORD>(ERROR_NOT_FOUND));
  EXPECT_EQ(WlanQueryInterface(client_, &guid_, wlan_intf_opcode_current_connection, nullptr, &size, &data, nullptr),
            static_cast<DWORD>(ERROR_INVALID_STATE));
  HANDLE bogus = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x1234));
  EXPECT_EQ(WlanScan(bogus, &guid_, nullptr, nullptr, nullptr), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(NativeWifiTest, ScanCompletesOnTheServiceThreadWithTheWorldsNetworks) {
  ASSERT_EQ(WlanScan(client_, &guid_, nullptr, nullptr, nullptr), static_cast<DWORD>(ERROR_SUCCESS));
  clock().advance(2499);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(inbox_.events().empty());
  clock().advance(1);
  ASSERT_TRUE(waitFor(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_scan_complete));
  EXPECT_NE(first(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_scan_complete).thread,
            std::this_thread::get_id());

  PWLAN_BSS_LIST bss = nullptr;
  ASSERT_EQ(WlanGetNetworkBssList(client_, &guid_, nullptr, dot11_BSS_type_any, FALSE, nullptr, &bss),
            static_cast<DWORD>(ERROR_SUCCESS));
  ASSERT_GE(bss->dwNumberOfItems, 7u);
  const auto* base = reinterpret_cast<const uint8_t*>(bss);
  bool sawHome = false;
  for (DWORD i = 0; i < bss->dwNumberOfItems; ++i) {
    const WLAN_BSS_ENTRY& e = bss->wlanBssEntries[i];
    const uint8_t* entry = reinterpret_cast<const uint8_t*>(&e);
    ASSERT_LE(entry - base + e.ulIeOffset + e.ulIeSize, bss->dwTotalSize);
    const uint8_t* ie = entry + e.ulIeOffset;
    ASSERT_EQ(ie[0], 0);  // the SSID element comes first
    EXPECT_EQ(ie[1], e.dot11Ssid.uSSIDLength == 0 ? ie[1] : e.dot11Ssid.uSSIDLength);
    if (std::string(reinterpret_cast<const char*>(e.dot11Ssid.ucSSID), e.dot11Ssid.uSSIDLength) == "HomeNet") {
      sawHome = true;
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(ie + 2), ie[1]), "HomeNet");
      EXPECT_EQ(e.ulChCenterFrequency, 2437000u);
      EXPECT_TRUE(e.usCapabilityInformation & 0x0010);  // privacy
      EXPECT_EQ(e.wlanRateSet.usRateSet[0], 0x8002);      // 1 Mb/s, basic
      EXPECT_EQ(e.dot11BssPhyType, dot11_phy_type_erp);
      EXPECT_LE(e.lRssi, -41);
      EXPECT_GE(e.lRssi, -49);
    }
  }
  EXPECT_TRUE(sawHome);
  WlanFreeMemory(bss);

  // A named SSID needs a definite BSS type.
  DOT11_SSID ssid{7, {'H', 'o', 'm', 'e', 'N', 'e', 't'}};
  EXPECT_EQ(WlanGetNetworkBssList(client_, &guid_, &ssid, dot11_BSS_type_any, TRUE, nullptr, &bss),
            static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  ASSERT_EQ(WlanGetNetworkBssList(client_, &guid_, &ssid, dot11_BSS_type_infrastructure, TRUE, nullptr, &bss),
            static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(bss->dwNumberOfItems, 1u);
  WlanFreeMemory(bss);

  PWLAN_AVAILABLE_NETWORK_LIST nets = nullptr;
  ASSERT_EQ(WlanGetAvailableNetworkList(client_, &guid_, 0, nullptr, &nets), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_GE(nets->dwNumberOfItems, 7u);
  WlanFreeMemory(nets);
}

TEST_F(NativeWifiTest, RadioOffFailsTheScanAndIsReported) {
  WLAN_PHY_RADIO_STATE off{0, dot11_radio_state_off, dot11_radio_state_on};
  ASSERT_EQ(WlanSetInterface(client_, &guid_, wlan_intf_opcode_radio_state, sizeof off, &off, nullptr),
            static_cast<DWORD>(ERROR_SUCCESS));
  ASSERT_TRUE(waitFor(WLAN_NOTIFICATION_SOURCE_MSM, wlan_notification_msm_radio_state_change));
  Notice radio = first(WLAN_NOTIFICATION_SOURCE_MSM, wlan_notification_msm_radio_state_change);
  ASSERT_EQ(radio.data.size(), sizeof(WLAN_PHY_RADIO_STATE));
  EXPECT_EQ(radio.data[4], dot11_radio_state_off);

  DWORD size = 0;
  PVOID data = nullptr;
  ASSERT_EQ(WlanQueryInterface(client_, &guid_, wlan_intf_opcode_radio_state, nullptr, &size, &data, nullptr),
            static_cast<DWORD>(ERROR_SUCCESS));
  const auto* state = static_cast<WLAN_RADIO_STATE*>(data);
  ASSERT_GT(state->dwNumberOfPhys, 0u);
  EXPECT_EQ(state->PhyRadioState[0].dot11SoftwareRadioState, dot11_radio_state_off);
  WlanFreeMemory(data);

  EXPECT_EQ(WlanScan(client_, &guid_, nullptr, nullptr, nullptr), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_TRUE(waitFor(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_scan_fail));
}

TEST_F(NativeWifiTest, ProfilesAreStoredListedMovedAndDeleted) {
  DWORD reason = 99;
  ASSERT_EQ(setProfile(profileXml("Home", hexOf("HomeNet"), "WPA2PSK", "AES", "correct horse battery"), 0, reason),
            static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(reason, 0u);
  ASSERT_EQ(setProfile(profileXml("Cafe", hexOf("CafeFree"), "open", "none"), WLAN_PROFILE_USER, reason),
            static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(profileNames(), (std::vector<std::u16string>{w("Home"), w("Cafe")}));

  std::u16string cafe = w("Cafe");
  ASSERT_EQ(WlanSetProfilePosition(client_, &guid_, cafe.c_str(), 0, nullptr), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(profileNames(), (std::vector<std::u16string>{w("Cafe"), w("Home")}));
  EXPECT_EQ(WlanSetProfilePosition(client_, &guid_, cafe.c_str(), 2, nullptr),
            static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  // Overwriting keeps the place; refusing to overwrite says so.
  std::u16string again = w(profileXml("Cafe", hexOf("CafeFree"), "open", "none").c_str());
  EXPECT_EQ(WlanSetProfile(client_, &guid_, 0, again.c_str(), nullptr, FALSE, nullptr, &reason),
            static_cast<DWORD>(ERROR_ALREADY_EXISTS));

  // The store outlives the service's memory of it.
  wavorel::resetPlatformState();
  ASSERT_EQ(WlanOpenHandle(2, nullptr, &reason, &client_), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(profileNames(), (std::vector<std::u16string>{w("Cafe"), w("Home")}));

  std::u16string home = w("Home");
  EXPECT_EQ(WlanDeleteProfile(client_, &guid_, home.c_str(), nullptr), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(WlanDeleteProfile(client_, &guid_, home.c_str(), nullptr), static_cast<DWORD>(ERROR_NOT_FOUND));
  EXPECT_EQ(profileNames(), (std::vector<std::u16string>{w("Cafe")}));
}

TEST_F(NativeWifiTest, ProfilesThatAreNotValidAreRefusedWithTheirReason) {
  struct Case {
    std::string xml;
    DWORD reason;
  } cases[] = {
      {"<WLANProfile><name>", WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA},
      {profileXml("Long", hexOf(std::string(33, 'x')), "open", "none"), WLAN_REASON_CODE_PROFILE_SSID_INVALID},
      {profileXml("Odd", hexOf("Net"), "open", "none").insert(120, "<colour>blue</colour>"),
       WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA},
      {profileXml("Bad", hexOf("Net"), "WEP128", "WEP"), WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA},
      {profileXml("NoKey", hexOf("HomeNet"), "WPA2PSK", "AES"), WLAN_REASON_CODE_SECURITY_MISSING},
  };
  for (const Case& c : cases) {
    DWORD reason = 0;
    EXPECT_EQ(setProfile(c.xml, 0, reason), static_cast<DWORD>(ERROR_BAD_PROFILE)) << c.xml;
    EXPECT_EQ(reason, c.reason) << c.xml;
  }
  EXPECT_TRUE(profileNames().empty());
  WCHAR text[64];
  ASSERT_EQ(WlanReasonCodeToString(WLAN_REASON_CODE_PROFILE_SSID_INVALID, 64, text, nullptr),
            static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(std::u16string(text), w("The SSID in the profile is invalid."));
  ASSERT_EQ(WlanReasonCodeToString(WLAN_REASON_CODE_PROFILE_SSID_INVALID, 8, text, nullptr),
            static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(std::u16string(text), w("The SSI"));
}

// On the real clock the service reports a scan's end and a join's failure
// when they happen, with no further call of the program to notice them.
class NativeWifiRealClockTest : public NativeWifiTest {
 protected:
  void SetUp() override {
    realClock_ = true;
    NativeWifiTest::SetUp();
  }
};

TEST_F(NativeWifiRealClockTest, ScansAndJoinsEndWithoutAnotherCall) {
  ASSERT_EQ(WlanScan(client_, &guid_, nullptr, nullptr, nullptr), static_cast<DWORD>(ERROR_SUCCESS));
  auto noticed = [this](DWORD code, int ms) {
    return inbox_.waitFor([code](const Notice& n) { return n.source == WLAN_NOTIFICATION_SOURCE_ACM && n.code == code; },
                          ms);
  };
  EXPECT_TRUE(noticed(wlan_notification_acm_scan_complete, 4000));
  DWORD reason = 0;
  ASSERT_EQ(setProfile(profileXml("Home", hexOf("HomeNet"), "WPA2PSK", "AES", "wrong horse battery"), 0, reason),
            static_cast<DWORD>(ERROR_SUCCESS));
  ASSERT_EQ(connectByProfile("Home"), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_TRUE(noticed(wlan_notification_acm_connection_attempt_fail, static_cast<int>(pskJoinMs()) + 1500));
}

TEST_F(NativeWifiTest, ConnectWithTheRightKeyCompletesAndAWrongKeyFailsWithAReason) {
  scan();
  DWORD reason = 0;
  ASSERT_EQ(setProfile(profileXml("Home", hexOf("HomeNet"), "WPA2PSK", "AES", "wrong horse battery"), 0, reason),
            static_cast<DWORD>(ERROR_SUCCESS));
  ASSERT_EQ(connectByProfile("Home"), static_cast<DWORD>(ERROR_SUCCESS));
  clock().advance(pskJoinMs());  // a wrong key fails at the end of the handshake
  ASSERT_TRUE(waitFor(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_connection_attempt_fail));
  Notice fail = first(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_connection_attempt_fail);
  ASSERT_GE(fail.data.size(), 564u);
  uint32_t failReason = 0;
  std::memcpy(&failReason, fail.data.data() + offsetof(WLAN_CONNECTION_NOTIFICATION_DATA, wlanReasonCode), 4);
  EXPECT_EQ(failReason, static_cast<DWORD>(WLAN_REASON_CODE_MSMSEC_PSK_MISMATCH_SUSPECTED));

  ASSERT_EQ(setProfile(profileXml("Home", hexOf("HomeNet"), "WPA2PSK", "AES", "correct horse battery"), 0, reason),
            static_cast<DWORD>(ERROR_SUCCESS));
  ASSERT_EQ(connectByProfile("Home"), static_cast<DWORD>(ERROR_SUCCESS));
  clock().advance(pskJoinMs());
  ASSERT_TRUE(inbox_.waitFor([](const Notice& n) {
    uint32_t r = 1;
    if (n.code == wlan_notification_acm_connection_complete && n.source == WLAN_NOTIFICATION_SOURCE_ACM)
      std::memcpy(&r, n.data.data() + offsetof(WLAN_CONNECTION_NOTIFICATION_DATA, wlanReasonCode), 4);
    return r == 0;
  }));

  DWORD size = 0;
  PVOID data = nullptr;
  ASSERT_EQ(WlanQueryInterface(client_, &guid_, wlan_intf_opcode_current_connection, nullptr, &size, &data, nullptr),
            static_cast<DWORD>(ERROR_SUCCESS));
  const auto* attrs = static_cast<WLAN_CONNECTION_ATTRIBUTES*>(data);
  EXPECT_EQ(std::u16string(attrs->strProfileName), w("Home"));
  EXPECT_EQ(attrs->wlanAssociationAttributes.dot11Ssid.uSSIDLength, 7u);
  EXPECT_EQ(attrs->wlanSecurityAttributes.dot11AuthAlgorithm, DOT11_AUTH_ALGO_RSNA_PSK);
  WlanFreeMemory(data);
  ASSERT_EQ(WlanQueryInterface(client_, &guid_, wlan_intf_opcode_channel_number, nullptr, &size, &data, nullptr),
            static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(*static_cast<ULONG*>(data), 6u);
  WlanFreeMemory(data);

  ASSERT_EQ(WlanDisconnect(client_, &guid_, nullptr), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_TRUE(waitFor(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_disconnected));
}

TEST_F(NativeWifiTest, AConnectPassesThroughTheJoinsStatesOnTheVirtualClock) {
  scan();
  auto interfaceState = [&] {
    DWORD size = 0;
    PVOID data = nullptr;
    EXPECT_EQ(WlanQueryInterface(client_, &guid_, wlan_intf_opcode_interface_state, nullptr, &size, &data, nullptr),
              static_cast<DWORD>(ERROR_SUCCESS));
    WLAN_INTERFACE_STATE state = data ? *static_cast<WLAN_INTERFACE_STATE*>(data) : wlan_interface_state_not_ready;
    WlanFreeMemory(data);
    return state;
  };
  const WorldTiming& t = machine().world().timing;
  struct Case {
    const char* name;
    std::string xml;
    WLAN_INTERFACE_STATE afterAssociation;
    std::vector<DWORD> msm;
  };
  const Case cases[] = {
      {"Cafe", profileXml("Cafe", hexOf("CafeFree"), "open", "none"), wlan_interface_state_connected,
       {wlan_notification_msm_associating, wlan_notification_msm_associated, wlan_notification_msm_connected}},
      {"Home", profileXml("Home", hexOf("HomeNet"), "WPA2PSK", "AES", "correct horse battery"),
       wlan_interface_state_authenticating,
       {wlan_notification_msm_associating, wlan_notification_msm_associated, wlan_notification_msm_authenticating,
        wlan_notification_msm_connected}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DWORD reason = 0;
    ASSERT_EQ(setProfile(c.xml, 0, reason), static_cast<DWORD>(ERROR_SUCCESS));
    size_t seen = inbox_.events().size();
    ASSERT_EQ(connectByProfile(c.name), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(interfaceState(), wlan_interface_state_associating);
    clock().advance(t.authenticationMs + t.associationMs - 1);
    EXPECT_EQ(interfaceState(), wlan_interface_state_associating) << "the association frames still go";
    clock().advance(1);
    EXPECT_EQ(interfaceState(), c.afterAssociation);
    clock().advance(t.handshakeMs);
    EXPECT_EQ(interfaceState(), wlan_interface_state_connected);
    // The service's thread delivers them: wait (for real) for this join's last one.
    std::vector<DWORD> msm;
    for (int i = 0; i < 3000 && (msm.empty() || msm.back() != wlan_notification_msm_connected); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      msm.clear();
      std::vector<Notice> all = inbox_.events();
      for (size_t n = seen; n < all.size(); ++n)
        if (all[n].source == WLAN_NOTIFICATION_SOURCE_MSM && all[n].code <= wlan_notification_msm_connected)
          msm.push_back(all[n].code);
    }
    EXPECT_EQ(msm, c.msm);
    ASSERT_EQ(WlanDisconnect(client_, &guid_, nullptr), static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_TRUE(waitFor(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_disconnected));
  }
}

TEST_F(NativeWifiTest, ClosingTheHandleEndsItsNotifications) {
  ASSERT_EQ(WlanCloseHandle(client_, nullptr), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(WlanCloseHandle(client_, nullptr), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  DWORD version = 0;
  ASSERT_EQ(WlanOpenHandle(2, nullptr, &version, &client_), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(WlanScan(client_, &guid_, nullptr, nullptr, nullptr), static_cast<DWORD>(ERROR_SUCCESS));
  clock().advance(2500);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_TRUE(inbox_.events().empty());
}

}  // namespace
}  // namespace wavorel::sim::testing
