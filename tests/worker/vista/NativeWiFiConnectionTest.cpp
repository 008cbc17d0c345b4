#include "tests/worker/vista/WlanClientTest.h"

namespace worker::testing {
namespace {

constexpr DWORD kOk = ERROR_SUCCESS;
constexpr DWORD kUntouched = 0xA5A5A5A5;

class NativeWiFiConnectionTest : public WlanClientTest {
 protected:
  // Stores `xml` and connects by the profile's name; waits for `outcome`.
  void connectByProfile(const std::u16string& xml, const std::u16string& name, UINT outcome) {
    ASSERT_EQ(client_.ProfileList()->SetProfile(xml.c_str()), kOk);
    ASSERT_EQ(client_.ProfileOps()->Connect(name.c_str(), nullptr, dot11_BSS_type_infrastructure, nullptr, 0,
                                            nullptr, FALSE, FALSE),
              kOk);
    clock().advance(1000);
    ASSERT_TRUE(waitForMessage(outcome));
  }
};

TEST_F(NativeWiFiConnectionTest, ConnectByProfileReportsTheConnectionAndDisconnectEndsIt) {
  scan();
  BOOL connected = TRUE;
  EXPECT_EQ(client_.IsConnected(&connected), kOk);
  EXPECT_FALSE(connected);

  connectByProfile(profileXml("Home", "HomeNet", "WPA2PSK", "AES", "correct horse battery"), u"Home",
                   WM_WLAN_CONNECTED);
  for (const ReceivedMessage& m : received()) {
    EXPECT_EQ(m.window, worker_);
    EXPECT_EQ(m.thread, std::this_thread::get_id()) << "handled on the UI thread";
    EXPECT_EQ(m.wParam, 0u);
    EXPECT_EQ(m.lParam, 0);
  }

  EXPECT_EQ(client_.IsConnected(&connected), kOk);
  EXPECT_TRUE(connected);
  DOT11_SSID ssid;
  std::memset(&ssid, 0xEE, sizeof ssid);
  EXPECT_EQ(client_.GetCurrentSsid(&ssid), kOk);
  EXPECT_EQ(ssid.uSSIDLength, 7u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(ssid.ucSSID)), "HomeNet") << "the rest is zeroed";
  BYTE bssid[6];
  EXPECT_EQ(client_.GetCurrentBssid(bssid), kOk);
  const BYTE home[6] = {0x00, 0x1D, 0x7E, 0x11, 0x22, 0x01};
  EXPECT_EQ(std::memcmp(bssid, home, 6), 0);

  DWORD channel = 0, desired = kUntouched, mode = kUntouched, bssType = kUntouched, oneX = kUntouched,
        auth = kUntouched, cipher = kUntouched;
  EXPECT_EQ(client_.GetChannel(&channel), kOk);
  EXPECT_EQ(channel, 6u);
  EXPECT_EQ(client_.GetDesiredBssType(&desired), kOk);
  EXPECT_EQ(desired, 1u);
  EXPECT_EQ(client_.GetConnectionMode(&mode), kOk);
  EXPECT_EQ(mode, static_cast<DWORD>(wlan_connection_mode_profile));
  EXPECT_EQ(client_.GetBssType(&bssType), kOk);
  EXPECT_EQ(bssType, static_cast<DWORD>(dot11_BSS_type_infrastructure));
  EXPECT_EQ(client_.IsOneXEnabled(&oneX), kOk);
  EXPECT_EQ(oneX, 0u);
  EXPECT_EQ(client_.GetAuthAlgorithm(&auth), kOk);
  EXPECT_EQ(auth, static_cast<DWORD>(DOT11_AUTH_ALGO_RSNA_PSK));
  EXPECT_EQ(client_.GetCipherAlgorithm(&cipher), kOk);
  EXPECT_EQ(cipher, static_cast<DWORD>(DOT11_CIPHER_ALGO_CCMP));
  WCHAR name[WLAN_MAX_NAME_LENGTH] = {};
  EXPECT_EQ(client_.GetProfileName(name), kOk);
  EXPECT_EQ(std::u16string(name), u"Home");

  EXPECT_EQ(client_.Disconnect(), kOk);
  clock().advance(100);
  ASSERT_TRUE(waitForMessage(WM_WLAN_DISCONNECTED));
  EXPECT_EQ(client_.IsConnected(&connected), kOk);
  EXPECT_FALSE(connected);
}

TEST_F(NativeWiFiConnectionTest, AWrongKeyIsAFailedAttemptAndAMissingProfileAFailedConnect) {
  scan();
  connectByProfile(profileXml("Home", "HomeNet", "WPA2PSK", "AES", "wrong horse battery"), u"Home",
                   WM_WLAN_CONNECT_ATTEMPT_FAIL);
  BOOL connected = TRUE;
  EXPECT_EQ(client_.IsConnected(&connected), kOk);
  EXPECT_FALSE(connected);

  received().clear();
  EXPECT_NE(client_.ProfileOps()->Connect(u"Nobody", nullptr, dot11_BSS_type_infrastructure, nullptr, 0, nullptr,
                                          FALSE, FALSE),
            kOk);
  wavorel::pumpMessages();
  EXPECT_EQ(count(WM_WLAN_CONNECT_FAILED), 1u) << "posted by the connect call itself, on the UI thread";
}

TEST_F(NativeWiFiConnectionTest, DiscoveryConnectFindsAnOpenNetworkByItsSsid) {
  scan();
  DOT11_SSID ssid{};
  ssid.uSSIDLength = 8;
  std::memcpy(ssid.ucSSID, "CafeFree", 8);
  ASSERT_EQ(client_.ProfileOps()->Connect(nullptr, nullptr, dot11_BSS_type_infrastructure, &ssid,
                                          wlan_connection_mode_discovery_unsecure, nullptr, FALSE, FALSE),
            kOk);
  clock().advance(1000);
  ASSERT_TRUE(waitForMessage(WM_WLAN_CONNECTED));
  DWORD channel = 0;
  EXPECT_EQ(client_.GetChannel(&channel), kOk);
  EXPECT_EQ(channel, 1u);
}

TEST_F(NativeWiFiConnectionTest, RadioSwitchesEveryPhyAndIsReported) {
  ASSERT_EQ(client_.SetRadio(FALSE), kOk);
  ASSERT_TRUE(waitForMessage(WM_WLAN_RADIO_OFF));
  DWORD soft = 9, hard = 9;
  EXPECT_EQ(client_.GetRadioState(&soft, &hard), kOk);
  EXPECT_EQ(soft, 0u);
  EXPECT_EQ(hard, 1u);

  ASSERT_EQ(client_.SetRadio(TRUE), kOk);
  ASSERT_TRUE(waitForMessage(WM_WLAN_RADIO_ON));
  EXPECT_EQ(client_.GetRadioState(&soft, &hard), kOk);
  EXPECT_EQ(soft, 1u);
  EXPECT_EQ(hard, 1u);
}

TEST_F(NativeWiFiConnectionTest, AdhocWpa2PskOnlyWhereTheInterfaceOffersIt) {
  EXPECT_TRUE(client_.SupportsAdhocWpa2Psk());
  std::string world(wavorel::sim::defaultWorldText());
  world.replace(world.find("HT = yes"), 8, "HT = no");
  reopenIn(world);
  EXPECT_FALSE(client_.SupportsAdhocWpa2Psk()) << "ad hoc pairs without RSNA-PSK with CCMP";
}

TEST_F(NativeWiFiConnectionTest, ProfilesAreFoundByNameAndAllDeleted) {
  ASSERT_EQ(client_.ProfileList()->SetProfile(profileXml("Home", "HomeNet", "WPA2PSK", "AES", "x1234567").c_str()),
            kOk);
  ASSERT_EQ(client_.ProfileList()->SetProfile(profileXml("Cafe", "CafeFree", "open", "none").c_str()), kOk);
  EXPECT_TRUE(client_.ProfileList()->ProfileExists("Cafe"));
  EXPECT_FALSE(client_.ProfileList()->ProfileExists("cafe")) << "names compare case-sensitively";
  EXPECT_FALSE(client_.ProfileList()->ProfileExists("Caf"));

  EXPECT_EQ(client_.ProfileList()->DeleteAllProfiles(), kOk);
  EXPECT_FALSE(client_.ProfileList()->ProfileExists("Home"));
  EXPECT_FALSE(client_.ProfileList()->ProfileExists("Cafe"));
}

TEST_F(NativeWiFiConnectionTest, WithoutAnInterfaceOrAfterCloseEveryCallFailsAndOutValuesKeepTheirDefaults) {
  // The fixture's client had found its interface; a new Init that matches
  // nothing forgets it.
  CNativeWiFi& missing = client_;
  ASSERT_EQ(missing.Init("No such card", worker_, 0), kOk);
  EXPECT_TRUE(missing.IsOpened());

  CNativeWiFi closed;
  ASSERT_EQ(closed.Init(kDefaultFriendlyName, worker_, 0), kOk);
  closed.Close();

  for (CNativeWiFi* client : {&missing, &closed}) {
    EXPECT_NE(client->Scan(), kOk);
    BOOL connected = TRUE;
    EXPECT_NE(client->IsConnected(&connected), kOk);
    EXPECT_FALSE(connected);
    DWORD value = kUntouched;
    EXPECT_NE(client->GetDesiredBssType(&value), kOk);
    EXPECT_NE(client->GetAuthAlgorithm(&value), kOk);
    EXPECT_EQ(value, kUntouched);
    DOT11_SSID ssid;
    std::memset(&ssid, 0xEE, sizeof ssid);
    EXPECT_NE(client->GetCurrentSsid(&ssid), kOk);
    EXPECT_EQ(ssid.uSSIDLength, 0u);
    EXPECT_EQ(ssid.ucSSID[31], 0u);
    EXPECT_NE(client->SetRadio(FALSE), kOk);
    EXPECT_NE(client->Disconnect(), kOk);
    EXPECT_FALSE(client->SupportsAdhocWpa2Psk());
    EXPECT_NE(client->FillScanList(), kOk);
    EXPECT_EQ(client->BssidScanList()[0], 0u);
  }
  EXPECT_EQ(closed.ProfileOps(), nullptr) << "Close drops the companions";
}

}  // namespace
}  // namespace worker::testing
