// Automatic configuration of the Native Wi-Fi service: when the service
// starts with an interface that is not connected, it joins the first profile
// in the interface's order that is marked for automatic connection and whose
// network its first scan hears.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "SimTest.h"
#include "platform/sim/radio/Adapter.h"
#include "platform/sim/services/NativeWifiService.h"
#include "platform/sim/services/WlanProfileStore.h"
#include "platform/win/services/Wlan.h"
#include "tests/platform/services/WlanTestProfiles.h"

namespace wavorel::sim::testing {
namespace {

struct Profile {
  std::string name, ssid, auth, enc, key;
  bool autoConnect = true;
};

Profile home(const std::string& key = "correct horse battery") { return {"Home", "HomeNet", "WPA2PSK", "AES", key}; }
Profile cafe() { return {"Cafe", "CafeFree", "open", "none", ""}; }

class AutoConnectTest : public SimTest {
 protected:
  void TearDown() override {
    if (client_) WlanCloseHandle(client_, nullptr);
    SimTest::TearDown();
  }

  // The interface's store as an earlier run of the service left it.
  void storeProfiles(const std::vector<Profile>& profiles) {
    WlanProfileStore store(kDefaultGuid);
    for (const Profile& p : profiles) {
      StoredProfile s;
      s.xml = profileXml(p.name, hexOf(p.ssid), p.auth, p.enc, p.key);
      if (!p.autoConnect) {
        const std::string from = "<connectionMode>auto</connectionMode>";
        s.xml.replace(s.xml.find(from), from.size(), "<connectionMode>manual</connectionMode>");
      }
      uint32_t reason = 0;
      ASSERT_TRUE(parseWlanProfile(s.xml, s.profile, reason)) << p.name;
      store.put(std::move(s));
    }
    store.save();
  }

  // The service starts with the first client.
  void startService() {
    DWORD version = 0;
    ASSERT_EQ(WlanOpenHandle(2, nullptr, &version, &client_), static_cast<DWORD>(ERROR_SUCCESS));
  }

  // Long enough for the scan and any join, with a wrong key's timeouts.
  void runClock() {
    for (int i = 0; i < 200; ++i) clock().advance(100);
  }

  // The profile the interface is connected with, or "" while it is down.
  std::string connectedProfile() {
    std::lock_guard<std::recursive_mutex> lock(machineMutex());
    if (!machine().adapter(0).connected()) return "";
    std::string name = NativeWifiService::instance().connectionProfile(kDefaultGuid);
    return name.empty() ? "(none)" : name;
  }

  HANDLE client_ = nullptr;
};

TEST_F(AutoConnectTest, StartJoinsTheFirstAutomaticProfileInRangeWithAWorkingKey) {
  Profile manualHome = home();
  manualHome.autoConnect = false;
  Profile nowhere{"Away", "FarAwayNet", "open", "none", ""};
  const struct {
    const char* what;
    std::vector<Profile> profiles;
    std::string expected;
  } cases[] = {
      {"automatic, in range", {home()}, "Home"},
      {"manual only", {manualHome}, ""},
      {"order: Cafe first", {cafe(), home()}, "Cafe"},
      {"order: Home first", {home(), cafe()}, "Home"},
      {"manual first is passed over", {manualHome, cafe()}, "Cafe"},
      {"out of range is passed over", {nowhere, home()}, "Home"},
      {"wrong key", {home("not the passphrase")}, ""},
      {"no profile", {}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (client_) WlanCloseHandle(client_, nullptr);
    client_ = nullptr;
    resetPlatformState();
    std::remove((root() + "/wlansvc/" + kDefaultGuid + ".profiles").c_str());
    storeProfiles(c.profiles);
    startService();
    EXPECT_EQ(connectedProfile(), "");
    runClock();
    EXPECT_EQ(connectedProfile(), c.expected);
    if (c.expected.empty()) {
      std::lock_guard<std::recursive_mutex> lock(machineMutex());
      EXPECT_EQ(machine().adapter(0).network(), nullptr);
    }
  }
}

TEST_F(AutoConnectTest, OnlyTheServiceStartConnectsNotALaterProfileOrADisconnect) {
  storeProfiles({home()});
  startService();
  runClock();
  ASSERT_EQ(connectedProfile(), "Home");
  GUID guid{};
  {
    PWLAN_INTERFACE_INFO_LIST list = nullptr;
    ASSERT_EQ(WlanEnumInterfaces(client_, nullptr, &list), static_cast<DWORD>(ERROR_SUCCESS));
    guid = list->InterfaceInfo[0].InterfaceGuid;
    WlanFreeMemory(list);
  }
  // The user's disconnect holds: no automatic join follows, also not after
  // another client opens or a profile is set.
  ASSERT_EQ(WlanDisconnect(client_, &guid, nullptr), static_cast<DWORD>(ERROR_SUCCESS));
  HANDLE second = nullptr;
  DWORD version = 0;
  ASSERT_EQ(WlanOpenHandle(2, nullptr, &version, &second), static_cast<DWORD>(ERROR_SUCCESS));
  std::u16string cafeXml = w(profileXml("Cafe", hexOf("CafeFree"), "open", "none").c_str());
  DWORD reason = 0;
  ASSERT_EQ(WlanSetProfile(client_, &guid, 0, cafeXml.c_str(), nullptr, TRUE, nullptr, &reason),
            static_cast<DWORD>(ERROR_SUCCESS));
  WlanScan(client_, &guid, nullptr, nullptr, nullptr);
  runClock();
  EXPECT_EQ(connectedProfile(), "");
  WlanCloseHandle(second, nullptr);
}

TEST_F(AutoConnectTest, AnAdapterPluggedInWhileTheServiceRunsJoinsItsAutomaticProfile) {
  storeProfiles({home()});
  {
    std::lock_guard<std::recursive_mutex> lock(machineMutex());
    machine().adapter(0).setPresent(false);
  }
  startService();
  runClock();
  EXPECT_EQ(connectedProfile(), "");
  {
    std::lock_guard<std::recursive_mutex> lock(machineMutex());
    machine().adapter(0).setPresent(true);
  }
  runClock();
  EXPECT_EQ(connectedProfile(), "Home");
}

}  // namespace
}  // namespace wavorel::sim::testing
