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
  static bool tabEnabled(int tab) {
    CShadeButtonST* button = host() ? host()->GetStripButton(kHostTabButtonIds[tab]) : nullptr;
    return button && button->IsWindowEnabled();
  }
};

TEST_F(StationModeTest, FirstStartCarriesOutTheInstallersChoiceAndRemembersIt) {
  struct Case {
    DWORD choice;
    const char* stored;
    bool oursTabs;
  };
  for (const Case& c : {Case{1, "1", true}, Case{0, "0", false}}) {
    SCOPED_TRACE(c.choice);
    writeValue(kInstallerKey, "ConfigToolSelect", REG_DWORD,
               std::string(reinterpret_cast<const char*>(&c.choice), sizeof c.choice));
    startStation();
    ASSERT_TRUE(runUntil([] { return driverValue("RunOnceInitConfigTool") != "<no value>"; }, 10000));
    EXPECT_EQ(driverValue("RunOnceInitConfigTool"), c.stored);
    EXPECT_EQ(ConfigToolMode == kConfigToolZeroConfig, !c.oursTabs);
    // Zero Configuration holding the adapter takes the profile and WPS tabs.
    EXPECT_EQ(tabEnabled(kHostTabProfile), c.oursTabs);
    EXPECT_EQ(tabEnabled(kHostTabWps), c.oursTabs);
    EXPECT_TRUE(tabEnabled(kHostTabSiteSurvey));
    stop();
    pump();
    // The next start on the same machine asks nothing: the remembered choice stays.
    writeValue(kInstallerKey, "ConfigToolSelect", REG_DWORD, std::string(4, '\x07'));
    startStation();
    advance(3000);
    EXPECT_EQ(driverValue("RunOnceInitConfigTool"), c.stored);
    stop();
    pump();
    RegDeleteValue(HKEY_LOCAL_MACHINE, g_strDriverKey, "RunOnceInitConfigTool");
  }
}

TEST_F(StationModeTest, UseZeroConfigurationFromTheTrayDisablesTheProfileAndWpsTabs) {
  startStation();
  advance(3000);
  ASSERT_TRUE(tabEnabled(kHostTabProfile));
  g_pHideDlg->SendMessage(WM_COMMAND, ID_WORKER_USE_ZERO_CONFIG, 0);
  pump();
  EXPECT_EQ(ConfigToolMode, kConfigToolZeroConfig);
  EXPECT_FALSE(tabEnabled(kHostTabProfile));
  EXPECT_FALSE(tabEnabled(kHostTabWps));
  EXPECT_EQ(wzcState(), static_cast<uint32_t>(SERVICE_RUNNING));
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
  EXPECT_EQ(wzcState(), static_cast<uint32_t>(SERVICE_RUNNING));
  EXPECT_FALSE(setsOf(OID_VX_PRIVATE_0149_SET).empty());
}

}  // namespace
}  // namespace xp_e2e::testing
