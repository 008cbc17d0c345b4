#include "SimTest.h"

#include "../services/ServiceTest.h"
#include "platform/sim/services/GuidText.h"
#include "platform/win/services/Wlan.h"

namespace wavorel::sim::testing {
namespace {

constexpr DWORD OID_802_11_SSID_SET = 0x0D810102;
constexpr DWORD OID_802_11_BSSID_LIST_SCAN_SET = 0x0D81011A;
constexpr DWORD OID_802_11_BSSID_LIST = 0x0D010217;
constexpr DWORD OID_GEN_MEDIA_CONNECT_STATUS = 0x00010114;
constexpr DWORD OID_VX_LINK_EVENT = 0xFF0C000D;
constexpr DWORD OID_VX_PRIVATE_0111 = 0xFF710111;

struct RadioNotice {
  DWORD software, hardware;
};

class HardwareRadioTest : public SimTest {
 protected:
  uint32_t scanCount() {
    set(OID_802_11_BSSID_LIST_SCAN_SET, {});
    clock().advance(kScanDurationMs);
    return u32At(query(OID_802_11_BSSID_LIST, 65536), 0);
  }
  void joinCafe() {
    std::vector<uint8_t> s(36, 0);
    s[0] = 8;
    std::memcpy(&s[4], "CafeFree", 8);
    set(OID_802_11_SSID_SET, s);
    clock().advance(associationMs());
  }
  bool connected() { return queryU32(OID_GEN_MEDIA_CONNECT_STATUS) == 0; }
  bool radioWordOn() { return u32At(query(OID_VX_PRIVATE_0111, 32), 20) == 1; }

  // The Native Wi-Fi radio state of the adapter's interface: {software, hardware}.
  std::pair<DWORD, DWORD> wlanRadio(HANDLE client, const GUID& guid) {
    DWORD size = 0;
    PVOID data = nullptr;
    EXPECT_EQ(WlanQueryInterface(client, &guid, wlan_intf_opcode_radio_state, nullptr, &size, &data, nullptr),
              static_cast<DWORD>(ERROR_SUCCESS));
    const auto* state = static_cast<WLAN_RADIO_STATE*>(data);
    std::pair<DWORD, DWORD> out{state->PhyRadioState[0].dot11SoftwareRadioState,
                                state->PhyRadioState[0].dot11HardwareRadioState};
    WlanFreeMemory(data);
    return out;
  }
  static void onNotice(PWLAN_NOTIFICATION_DATA d, PVOID context) {
    if (d->NotificationSource != WLAN_NOTIFICATION_SOURCE_MSM ||
        d->NotificationCode != wlan_notification_msm_radio_state_change || d->dwDataSize < sizeof(WLAN_PHY_RADIO_STATE))
      return;
    const auto* s = static_cast<const WLAN_PHY_RADIO_STATE*>(d->pData);
    static_cast<Inbox<RadioNotice>*>(context)->add({s->dot11SoftwareRadioState, s->dot11HardwareRadioState});
  }
};

TEST_F(HardwareRadioTest, SwitchOffSilencesTheRadioAndEveryViewSaysSo) {
  ASSERT_EQ(scanCount(), 8u);
  joinCafe();
  ASSERT_TRUE(connected());

  HANDLE client = nullptr;
  DWORD version = 0;
  ASSERT_EQ(WlanOpenHandle(2, nullptr, &version, &client), static_cast<DWORD>(ERROR_SUCCESS));
  GUID guid{};
  ASSERT_TRUE(parseGuidText(kDefaultGuid, guid));
  Inbox<RadioNotice> inbox;
  ASSERT_EQ(WlanRegisterNotification(client, WLAN_NOTIFICATION_SOURCE_MSM, TRUE, &HardwareRadioTest::onNotice, &inbox,
                                     nullptr, nullptr),
            static_cast<DWORD>(ERROR_SUCCESS));

  machine().setHardwareRadio(kDefaultGuid, false);
  EXPECT_FALSE(connected());
  EXPECT_EQ(queryU32(OID_VX_LINK_EVENT), 2u) << "hardware radio off";
  EXPECT_FALSE(radioWordOn());
  EXPECT_EQ(wlanRadio(client, guid), (std::pair<DWORD, DWORD>(dot11_radio_state_on, dot11_radio_state_off)));
  ASSERT_TRUE(inbox.waitFor([](const RadioNotice& n) { return n.hardware == dot11_radio_state_off; }));
  EXPECT_EQ(inbox.events().at(0).software, static_cast<DWORD>(dot11_radio_state_on));
  EXPECT_EQ(scanCount(), 0u);
  joinCafe();
  EXPECT_FALSE(connected()) << "no association without the radio";

  // The software switch cannot bring it back; the hardware switch can.
  WLAN_PHY_RADIO_STATE on{0, dot11_radio_state_on, dot11_radio_state_on};
  EXPECT_EQ(WlanSetInterface(client, &guid, wlan_intf_opcode_radio_state, sizeof on, &on, nullptr),
            static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(scanCount(), 0u);
  machine().setHardwareRadio(kDefaultGuid, true);
  EXPECT_TRUE(inbox.waitFor([](const RadioNotice& n) { return n.hardware == dot11_radio_state_on; }));
  EXPECT_TRUE(radioWordOn());
  EXPECT_EQ(scanCount(), 8u);
  joinCafe();
  EXPECT_TRUE(connected());
  EXPECT_EQ(WlanCloseHandle(client, nullptr), static_cast<DWORD>(ERROR_SUCCESS));
}

TEST_F(HardwareRadioTest, WorldCanStartWithTheSwitchOff) {
  std::string world(defaultWorldText());
  world.replace(world.find("Chains = 2"), 10, "Chains = 2\nHardwareRadio = off");
  useWorld(world);
  EXPECT_EQ(queryU32(OID_VX_LINK_EVENT), 2u);
  EXPECT_FALSE(radioWordOn());
  EXPECT_EQ(scanCount(), 0u);
}

}  // namespace
}  // namespace wavorel::sim::testing
