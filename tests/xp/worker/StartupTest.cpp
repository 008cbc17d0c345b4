// Wavorel starting on a machine whose registry already holds the profile in
// use ("CurProfile"): the worker's first re-initialisation reads it and
// applies it by the driver codes, and the simulated adapter connects. An
// administrator's profile is the copy activation left in the driver key; a
// standard user's is read from its own key below "\Profile\Station".
#include <utility>
#include <vector>

#include "platform/win/kernel/Account.h"
#include "tests/worker/WzcServiceView.h"
#include "tests/xp/worker/XpWorkerTest.h"
#include "worker/CopyRegistryKeyValues.h"
#include "worker/HideDlg.h"
#include "worker/ProfileStore.h"
#include "xp/supplicant/PortManager.h"
#include "xp/worker/RegistryProfileStore.h"

namespace xpworker::testing {
namespace {

using Values = std::vector<std::pair<const char*, const char*>>;

// The two profiles as the store keeps them (the values start-up reads).
const Values kHome = {{"SSID", "Home"},       {"NetworkType", "1"}, {"AuthenType", "7"},
                      {"Encryption", "6"},    {"Use8021X", "0"},    {"WPAPSK", "correct horse"},
                      {"PSMode", "0"},        {"TXPower", "0"}};
const Values kCorp = {{"SSID", "Corp"},         {"NetworkType", "1"},   {"AuthenType", "6"},
                      {"Encryption", "6"},      {"Use8021X", "1"},      {"AuthenProtocol", "0"},
                      {"TunnelProtocol", "26"}, {"ID", "alice"},        {"Password", "secret"},
                      {"TunnelID", "alice"},    {"TunnelPassword", "secret"}, {"PasswordMode", "1"}};

class StartupTest : public XpWorkerTest {
 protected:
  void SetUp() override {
    XpWorkerTest::SetUp();
    // The machine's adapter is a board the program INI lists.
    WritePrivateProfileString("VX31", "DeviceID_1", "USB\\VID_148F&PID_3070",
                              "C:\\Program Files\\Wavorel\\Wavorel.ini");
  }
  void TearDown() override {
    DestroyHideDlg();
    pumpAll();
    GetActionQueue().clear();
    FreeCurrentProfile();
    XpWorkerTest::TearDown();
  }
  // Stores profile `name` and makes it the one in use; an administrator's
  // activation also copies its values into the driver key.
  static void storeInUse(const CString& name, const Values& values, bool activated) {
    HKEY profile = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, StationProfileKeyPath(name), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                             &profile, nullptr),
              ERROR_SUCCESS);
    for (const auto& [value, text] : values)
      RegSetValueEx(profile, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text) + 1));
    setDriverText("CurProfile", static_cast<LPCSTR>(name));
    if (activated) {
      HKEY driver = nullptr;
      ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kDriverKeyPath(), 0, KEY_ALL_ACCESS, &driver), ERROR_SUCCESS);
      EXPECT_TRUE(EnumRegistryValues(profile, [driver](LPCSTR value, DWORD type, const BYTE* data, DWORD size) {
        return RegSetValueEx(driver, value, 0, type, data, size);
      }));
      RegCloseKey(driver);
    }
    RegCloseKey(profile);
  }
  static const char* kDriverKeyPath() { return supplicant::testing::kDriverKey; }
  // The SSID of the last OID_802_11_SSID set, as the station module sends it.
  static std::string lastSsidSet() {
    const std::vector<uint8_t> data = lastSet(0x0D810102);
    if (data.size() < 4) return "<none>";
    return std::string(data.begin() + 4, data.begin() + 4 + std::min<size_t>(data[0], data.size() - 4));
  }
  static std::string connectedSsid() {
    NDIS_802_11_SSID ssid{};
    DWORD returned = 0;
    if (!QueryOid(OID_802_11_SSID, &ssid, sizeof ssid, &returned)) return "";
    return std::string(reinterpret_cast<const char*>(ssid.Ssid), std::min<ULONG>(ssid.SsidLength, 32));
  }
};

TEST_F(StartupTest, StoredProfileInUseConnectsTheAdapterAtStart) {
  struct Case {
    const char* what;
    const char* name;
    const Values* values;
    int administrator;
  };
  const Case cases[] = {
      {"WPA2-PSK activated by an administrator", "Home", &kHome, 1},
      {"PEAP activated by an administrator", "Corp", &kCorp, 1},
      {"WPA2-PSK of a standard user", "Home", &kHome, 0},
      {"PEAP of a standard user", "Corp", &kCorp, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    storeInUse(c.name, *c.values, c.administrator != 0);
    // The worker finds the user's rights in the process token.
    wavorel::setRunningAsAdministrator(c.administrator != 0);
    ASSERT_TRUE(CreateHideDlg());
    EXPECT_EQ(g_bAdministrator, c.administrator);
    pumpAll();
    EXPECT_EQ(lastSsidSet(), c.name) << "the start-up itself joins the profile's network";
    // The link of the case before may still stand when the worker starts.
    EXPECT_TRUE(driveUntil([&c] { return mediaConnected() && connectedSsid() == c.name; }, 20000));
    DestroyHideDlg();
    pumpAll();
    wavorel::setRunningAsAdministrator(true);
    GetActionQueue().clear();
    FreeCurrentProfile();
  }
}

TEST_F(StartupTest, TheWorkerTakesTheAdapterFromZeroConfigurationAndHandsItBackAtItsEnd) {
  using namespace worker::testing;
  TouchServiceManager();
  SetWzcControlFlags(0x8000);
  ASSERT_TRUE(CreateHideDlg());
  pumpAll();
  SettleWzcService(clock());
  EXPECT_EQ(ConfigToolMode, kConfigToolUtility);
  EXPECT_TRUE(SupplicantIsInitialised());
  EXPECT_EQ(WzcService().state, static_cast<uint32_t>(SERVICE_STOPPED));

  DestroyHideDlg();
  pumpAll();
  SettleWzcService(clock());
  EXPECT_EQ(ConfigToolMode, kConfigToolZeroConfig);
  EXPECT_FALSE(SupplicantIsInitialised());
  EXPECT_EQ(WzcControlFlags() & 0x8000, 0x8000);
  EXPECT_EQ(WzcService().state, static_cast<uint32_t>(SERVICE_RUNNING));
}

TEST_F(StartupTest, ZeroConfigurationChosenOnTheFirstRunKeepsTheAdapterAtEveryStart) {
  using namespace worker::testing;
  TouchServiceManager();
  SetWzcControlFlags(0x8000);
  HKEY installer = nullptr;
  ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\NEROLT\\WLAN\\InstallShield", 0, nullptr, 0,
                           KEY_ALL_ACCESS, nullptr, &installer, nullptr),
            ERROR_SUCCESS);
  const DWORD zeroConfiguration = 0;
  RegSetValueEx(installer, "ConfigToolSelect", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zeroConfiguration),
                sizeof zeroConfiguration);
  RegCloseKey(installer);

  // The first start carries the choice out and stores it; the later one
  // finds it stored. Neither takes the adapter back from the service.
  for (const char* start : {"first start", "later start"}) {
    SCOPED_TRACE(start);
    ASSERT_TRUE(CreateHideDlg());
    pumpAll();
    SettleWzcService(clock());
    EXPECT_EQ(driverText("RunOnceInitConfigTool"), "0");
    EXPECT_EQ(ConfigToolMode, kConfigToolZeroConfig);
    EXPECT_FALSE(SupplicantIsInitialised());
    EXPECT_EQ(WzcService().state, static_cast<uint32_t>(SERVICE_RUNNING));
    EXPECT_EQ(WzcControlFlags() & 0x8000, 0x8000);
    DestroyHideDlg();
    pumpAll();
    SettleWzcService(clock());
  }

  // The tray's "Use QzConfig" still takes the adapter over.
  ASSERT_TRUE(CreateHideDlg());
  pumpAll();
  g_pHideDlg->SendMessage(WM_COMMAND, ID_WORKER_USE_QZCONFIG, 0);
  SettleWzcService(clock());
  EXPECT_EQ(ConfigToolMode, kConfigToolUtility);
  EXPECT_TRUE(SupplicantIsInitialised());
  EXPECT_EQ(WzcService().state, static_cast<uint32_t>(SERVICE_STOPPED));
}

}  // namespace
}  // namespace xpworker::testing
