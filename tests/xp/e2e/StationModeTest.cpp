// Wavorel in station mode end to end: the first start's choice of who
// configures the adapter, Zero Configuration's hold on the profile and WPS
// tabs, and the adapter handed back when the program ends.
#include "platform/sim/services/ServiceManager.h"
#include "worker/DriverCodes.h"
#include "tests/xp/e2e/XpEndToEndTest.h"

namespace xp_e2e::testing {
namespace {

constexpr const char* kInstallerKey = "SOFTWARE\\NEROLT\\WLAN\\InstallShield";

class StationModeTest : public XpEndToEndTest {
 protected:
  static uint32_t wzcState() {
    wavorel::sim::ServiceState state{};
    EXPECT_TRUE(wavorel::sim::serviceState("WZCSVC", state));
    return state.state;
  }
  // The first start with the installer's choice stored; once it is over.
  void firstStart(DWORD choice) {
    writeValue(kInstallerKey, "ConfigToolSelect", REG_DWORD,
               std::string(reinterpret_cast<const char*>(&choice), sizeof choice));
    ASSERT_EQ(driverValue("RunOnceInitConfigTool"), "<no value>");
    startStation();
    ASSERT_TRUE(runUntil([] { return driverValue("RunOnceInitConfigTool") != "<no value>"; }, 10000));
  }
  static bool tabEnabled(int tab) {
    CShadeButtonST* button = host() ? host()->GetStripButton(kHostTabButtonIds[tab]) : nullptr;
    return button && button->IsWindowEnabled();
  }
};

TEST_F(StationModeTest, FirstStartWithTheUtilityChosenKeepsTheAdapterAndRemembersTheChoice) {
  firstStart(1);
  EXPECT_EQ(driverValue("RunOnceInitConfigTool"), "1");
  EXPECT_NE(ConfigToolMode, kConfigToolZeroConfig);
  EXPECT_TRUE(tabEnabled(kHostTabProfile));
  EXPECT_TRUE(tabEnabled(kHostTabWps));
  EXPECT_NE(wzcState(), static_cast<uint32_t>(SERVICE_RUNNING));
}

TEST_F(StationModeTest, UseZeroConfigurationFromTheTrayDisablesTheProfileAndWpsTabs) {
  startStation();
  advance(3000);
  ASSERT_TRUE(tabEnabled(kHostTabProfile));
  g_pHideDlg->SendMessage(WM_COMMAND, ID_WORKER_USE_ZERO_CONFIG, 0);
  pump();
  EXPECT_TRUE(runUntil([] { return ConfigToolMode == kConfigToolZeroConfig; }, 10000)) << wzcState();
  advance(2000);
  EXPECT_FALSE(tabEnabled(kHostTabProfile));
  EXPECT_FALSE(tabEnabled(kHostTabWps));
}

TEST_F(StationModeTest, ExitHandsTheAdapterToZeroConfiguration) {
  startStation();
  advance(3000);
  ASSERT_NE(ConfigToolMode, kConfigToolZeroConfig);
  ASSERT_NE(wzcState(), static_cast<uint32_t>(SERVICE_RUNNING));
  wavorel::sim::clearDriverCalls();
  stop();
  pump();
  EXPECT_EQ(g_pHideDlg, nullptr);
  EXPECT_TRUE(runUntil([] { return wzcState() == SERVICE_RUNNING; }, 5000)) << wzcState();
  EXPECT_FALSE(setsOf(OID_VX_PRIVATE_0149_SET).empty());
}

}  // namespace
}  // namespace xp_e2e::testing
