#include <algorithm>

#include "platform/sim/services/ServiceManager.h"
#include "platform/win/kernel/Process.h"
#include "tests/xp/worker/XpWorkerTest.h"

namespace xpworker::testing {
namespace {

class RescanTest : public XpWorkerTest {
 protected:
  void SetUp() override {
    XpWorkerTest::SetUp();
    context.addAction = [this](_ACTION_DATA action) {
      queued.push_back(action.Kind);
      return FALSE;
    };
  }
  static bool sent(const std::string& line) {
    const Trace t = trace();
    return std::find(t.begin(), t.end(), line) != t.end();
  }
  static void setInstallerChoice(DWORD choice) {
    HKEY key = nullptr;
    RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\NEROLT\\WLAN\\InstallShield", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                   &key, nullptr);
    RegSetValueEx(key, "ConfigToolSelect", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&choice), sizeof choice);
    RegCloseKey(key);
  }
  std::vector<DWORD> queued;
};

TEST_F(RescanTest, AnAdapterLeftInApModeGoesBackToStationModeAndSharingIsTakenDown) {
  DWORD on = 1, returned = 0;
  SetOid(OID_VX_AP_MODE_SET, &on, sizeof on, &returned, 1);
  wavorel::clearProcessStarts();
  wavorel::sim::clearDriverCalls();
  RunXpRescan(context, FALSE);
  EXPECT_TRUE(sent("S 0DF10126 4 =00000000"));
  const std::vector<wavorel::ProcessStart> starts = wavorel::processStarts();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].api, "WinExec");
  EXPECT_EQ(starts[0].commandLine, "\"Pickwell.exe\" ICS_DOWN");
  EXPECT_EQ(starts[0].show, SW_HIDE);

  // In station mode nothing is started.
  wavorel::clearProcessStarts();
  RunXpRescan(context, FALSE);
  EXPECT_TRUE(wavorel::processStarts().empty());
}

TEST_F(RescanTest, ThisProgramHoldingTheAdapterStartsTheSupplicantScansAndAppliesTheProfile) {
  g_bAdministrator = 1;
  RunXpRescan(context, FALSE);
  EXPECT_EQ(ConfigToolMode, kConfigToolUtility) << "the installer key is missing: this program";
  EXPECT_TRUE(SupplicantIsInitialised());
  EXPECT_NE(GetCurrentPort(), nullptr);
  EXPECT_EQ(XpWorkerState().SupplicantPortState, 6);
  EXPECT_EQ(queued, std::vector<DWORD>{kActionRescan});
  // Once by the first-run choice, once by the re-initialisation.
  EXPECT_EQ(applied, (std::vector<std::string>{"admin", "admin"}));
  EXPECT_NE(XpWorkerState().RadioValue, 0u) << "the radio is on";
  wavorel::runFor(kXpWpsPollMs);
  EXPECT_EQ(fired(), std::vector<UINT_PTR>{kXpWpsPollTimer});
}

TEST_F(RescanTest, AUserWithoutAdministratorRightsAppliesTheStoredCurrentProfileReadOnly) {
  g_bAdministrator = 0;
  g_strCurProfileName = "before";
  RunXpRescan(context, FALSE);
  EXPECT_EQ(g_strCurProfileName, CString("Office"));
  EXPECT_EQ(applied.back(), "read-only");
}

TEST_F(RescanTest, WhileZeroConfigurationHoldsTheAdapterItsListBecomesTheSiteList) {
  setInstallerChoice(0);
  DWORD returned = 0;
  SetOid(OID_802_11_BSSID_LIST_SCAN, nullptr, 0, &returned, 1);
  wavorel::runFor(wavorel::sim::kScanDurationMs + 100);
  RunXpRescan(context, FALSE);
  wavorel::runFor(wavorel::sim::kServiceTransitionMs + 1);
  EXPECT_EQ(ConfigToolMode, kConfigToolZeroConfig);
  EXPECT_FALSE(SupplicantIsInitialised());
  EXPECT_TRUE(queued.empty());
  EXPECT_TRUE(applied.empty());
  int entries = 0;
  WalkBssList(BssidSiteList.get(), kBssListSize, [&](const BYTE*, DWORD) { ++entries; });
  EXPECT_GT(entries, 0);
  EXPECT_NE(g_siteStamps[0].dwLowDateTime | g_siteStamps[0].dwHighDateTime, 0u);
}

TEST_F(RescanTest, TheRadioWordReadsNonZeroOnlyWhileTheRadioIsOn) {
  for (bool on : {true, false}) {
    SCOPED_TRACE(on);
    adapter().setRadio(on);
    RunXpRescan(context, FALSE);
    EXPECT_EQ(XpWorkerState().RadioValue != 0, on);
  }
}

}  // namespace
}  // namespace xpworker::testing
