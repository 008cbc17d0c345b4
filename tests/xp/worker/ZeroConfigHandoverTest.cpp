#include "platform/sim/services/ServiceManager.h"
#include "tests/xp/worker/XpWorkerTest.h"

namespace xpworker::testing {
namespace {

constexpr const char* kInstallerKey = "SOFTWARE\\NEROLT\\WLAN\\InstallShield";

class ZeroConfigHandoverTest : public XpWorkerTest {
 protected:
  static wavorel::sim::ServiceState service() {
    wavorel::sim::ServiceState state{};
    EXPECT_TRUE(wavorel::sim::serviceState("WZCSVC", state));
    return state;
  }
  static CString interfaceKey() { return CString("SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\") + g_strAdapterGuid; }
  static long long controlFlags() {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, interfaceKey(), 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
    DWORD flags = 0, size = sizeof flags;
    LSTATUS status = RegQueryValueEx(key, "ControlFlags", nullptr, nullptr, reinterpret_cast<LPBYTE>(&flags), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? static_cast<long long>(flags) : -1;
  }
  static void setControlFlags(DWORD flags) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, interfaceKey(), 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    RegSetValueEx(key, "ControlFlags", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags), sizeof flags);
    RegCloseKey(key);
  }
  static void touchManager() {
    SC_HANDLE manager = OpenSCManager(nullptr, nullptr, SC_MANAGER_CONNECT);
    ASSERT_NE(manager, nullptr);
    CloseServiceHandle(manager);
  }
  void settle() { clock().advance(wavorel::sim::kServiceTransitionMs + 1); }
  static void setInstallerChoice(const BYTE* data, DWORD size) {
    HKEY key = nullptr;
    RegCreateKeyEx(HKEY_LOCAL_MACHINE, kInstallerKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (data) RegSetValueEx(key, "ConfigToolSelect", 0, REG_DWORD, data, size);
    RegCloseKey(key);
  }
  // "RunOnceInitConfigTool" as stored: its type and bytes, or "<none>".
  static std::string firstRunValue() {
    HKEY key = nullptr;
    RegOpenKeyEx(HKEY_LOCAL_MACHINE, supplicant::testing::kDriverKey, 0, KEY_READ, &key);
    char data[16] = {};
    DWORD type = 0, size = sizeof data;
    const LSTATUS status = RegQueryValueEx(key, "RunOnceInitConfigTool", nullptr, &type, reinterpret_cast<LPBYTE>(data), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return "<none>";
    return std::to_string(type) + ":" + std::string(data, size);
  }
  HANDOVER_CONTEXT handover() {
    HANDOVER_CONTEXT h;
    h.applyCurrentProfile = [this] { applied.push_back("admin"); };
    return h;
  }
};

TEST_F(ZeroConfigHandoverTest, TheModeFollowsTheServiceAndTheInterfaceFlag) {
  touchManager();
  struct Case {
    const char* name;
    int osType;
    bool stopService;
    long long flags;  // -1: no interface key (another adapter GUID)
    int mode;
  };
  const Case cases[] = {
      {"running and managing", 8, false, 0x8000, kConfigToolZeroConfig},
      {"running, flag clear", 8, false, 0x0003, kConfigToolServiceIdle},
      {"no interface key counts as managed", 8, false, -1, kConfigToolZeroConfig},
      {"service stopped", 8, true, 0x8000, kConfigToolUtility},
      {"Windows 2000", 7, false, 0x8000, kConfigToolUtility},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_strAdapterGuid = supplicant::testing::kGuid;
    setControlFlags(c.flags < 0 ? 0x8000 : static_cast<DWORD>(c.flags));
    if (c.flags < 0) g_strAdapterGuid = "{00000000-0000-0000-0000-000000000000}";
    if (c.stopService) {
      StopWzcService(0);
      settle();
    }
    g_nOsType = c.osType;
    ConfigToolMode = kConfigToolUndetermined;
    DetermineConfigToolMode();
    EXPECT_EQ(ConfigToolMode, c.mode);
    if (c.stopService) {
      EnableWzcOnInterface(1);
      settle();
    }
  }
}

TEST_F(ZeroConfigHandoverTest, TheFirstRunCarriesOutAndStoresTheInstallersChoice) {
  touchManager();
  const DWORD zero = 0, one = 1, five = 5;
  const BYTE tooLong[8] = {};
  struct Case {
    const char* name;
    bool installerKey;
    const BYTE* choice;
    DWORD size;
    int mode;
    const char* stored;
  };
  const Case cases[] = {
      {"choice 0: Zero Configuration", true, reinterpret_cast<const BYTE*>(&zero), 4, kConfigToolZeroConfig, "1:0"},
      {"choice 1: this program", true, reinterpret_cast<const BYTE*>(&one), 4, kConfigToolUtility, "1:1"},
      {"choice 5 counts as 1", true, reinterpret_cast<const BYTE*>(&five), 4, kConfigToolUtility, "1:1"},
      {"value missing", true, nullptr, 0, kConfigToolUtility, "1:1"},
      {"value too long to read", true, tooLong, sizeof tooLong, kConfigToolUtility, "1:1"},
      {"installer key missing", false, nullptr, 0, kConfigToolUtility, "1:1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RegDeleteKey(HKEY_LOCAL_MACHINE, kInstallerKey);
    HKEY driver = nullptr;
    RegOpenKeyEx(HKEY_LOCAL_MACHINE, supplicant::testing::kDriverKey, 0, KEY_ALL_ACCESS, &driver);
    RegDeleteValue(driver, "RunOnceInitConfigTool");
    RegCloseKey(driver);
    if (c.installerKey) setInstallerChoice(c.choice, c.size);
    applied.clear();
    wavorel::sim::clearDriverCalls();

    ChooseConfigToolOnFirstRun(handover());
    EXPECT_EQ(ConfigToolMode, c.mode);
    EXPECT_EQ(firstRunValue(), c.stored);
    EXPECT_EQ(lastSet(0x0DF10149), std::vector<uint8_t>{0}) << "the driver hears of every hand-over";
    EXPECT_EQ(applied.size(), c.mode == kConfigToolUtility ? 1u : 0u);

    // Made once: a second run changes nothing.
    wavorel::sim::clearDriverCalls();
    ChooseConfigToolOnFirstRun(handover());
    EXPECT_TRUE(trace().empty());
    settle();
  }
}

TEST_F(ZeroConfigHandoverTest, AStoredChoiceLongerThanFourBytesReadsAsMissing) {
  touchManager();
  HKEY driver = nullptr;
  RegOpenKeyEx(HKEY_LOCAL_MACHINE, supplicant::testing::kDriverKey, 0, KEY_ALL_ACCESS, &driver);
  RegSetValueEx(driver, "RunOnceInitConfigTool", 0, REG_SZ, reinterpret_cast<const BYTE*>("00000"), 5);
  RegCloseKey(driver);
  ChooseConfigToolOnFirstRun(handover());
  EXPECT_EQ(firstRunValue(), "1:1") << "asked again and rewritten";
}

TEST_F(ZeroConfigHandoverTest, HandingOverReleasesTheSupplicantAndGivesTheInterfaceToTheService) {
  touchManager();
  setControlFlags(0);
  StopWzcService(1);
  settle();
  ASSERT_TRUE(SupplicantInit());
  ASSERT_TRUE(SupplicantSelectAdapter());

  HandOverToZeroConfig(handover());
  EXPECT_EQ(ConfigToolMode, kConfigToolZeroConfig);
  EXPECT_FALSE(SupplicantIsInitialised());
  EXPECT_EQ(GetCurrentPort(), nullptr);
  EXPECT_EQ(lastSet(0x0DF10149), std::vector<uint8_t>{0});
  EXPECT_EQ(controlFlags(), 0x8000);
  settle();
  EXPECT_EQ(service().state, static_cast<uint32_t>(SERVICE_RUNNING));
  EXPECT_EQ(service().startType, static_cast<uint32_t>(SERVICE_AUTO_START));
}

TEST_F(ZeroConfigHandoverTest, TakingOverStopsTheServiceStartsTheSupplicantAndAppliesTheProfile) {
  touchManager();
  ConfigToolMode = kConfigToolZeroConfig;
  TakeOverFromZeroConfig(handover());
  EXPECT_EQ(ConfigToolMode, kConfigToolUtility);
  EXPECT_TRUE(SupplicantIsInitialised());
  EXPECT_EQ(lastSet(0x0DF10149), std::vector<uint8_t>{0});
  EXPECT_EQ(applied, std::vector<std::string>{"admin"});
  settle();
  EXPECT_EQ(service().state, static_cast<uint32_t>(SERVICE_STOPPED));
  EXPECT_EQ(service().startType, static_cast<uint32_t>(SERVICE_DEMAND_START));
}

TEST_F(ZeroConfigHandoverTest, OnWindows2000TheRescanNeverAsksTheFirstRunChoice) {
  touchManager();
  g_nOsType = 7;
  RunXpRescan(context, FALSE);
  EXPECT_EQ(firstRunValue(), "<none>");
  EXPECT_EQ(ConfigToolMode, kConfigToolUtility);
}

}  // namespace
}  // namespace xpworker::testing
