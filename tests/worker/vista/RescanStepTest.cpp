#include <vector>

#include "platform/win/kernel/Process.h"
#include "tests/worker/DiscoveryTest.h"
#include "worker/RescanStep.h"

namespace worker::testing {
namespace {

class RescanStepTest : public DiscoveryTest {
 protected:
  void SetUp() override {
    DiscoveryTest::SetUp();
    worker_ = CreateWindowEx(0, "STATIC", "worker", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(worker_, nullptr);
    ASSERT_EQ(EnumAdapters(devices, nullptr, [this](LPCSTR name) { client_.Init(name, worker_, 0); }), 1);
    wavorel::sim::clearDriverCalls();
    wavorel::clearProcessStarts();
  }
  void TearDown() override {
    DestroyWindow(worker_);
    DiscoveryTest::TearDown();
  }

  RESCAN_CONTEXT context() {
    RESCAN_CONTEXT c;
    c.worker = worker_;
    c.timer8 = &timer8_;
    c.regionQueryFlag = &regionFlag_;
    c.applyCurrentProfile = [this](int a, int b, int c3) {
      applied_.push_back({a, b, c3});
      flagDuringApply_ = regionFlag_;
    };
    c.showHost = [this] { ++hostShown_; };
    return c;
  }

  HWND worker_ = nullptr;
  CNativeWiFi client_;
  UINT_PTR timer8_ = 0;
  int regionFlag_ = 7;
  int flagDuringApply_ = -1;
  std::vector<std::vector<int>> applied_;
  int hostShown_ = 0;
};

TEST_F(RescanStepTest, ReadsTheAdapterWritesDefaultsAndArmsTheTimers) {
  g_wscCredentialTable.Credentials[0].Ssid[6] = 0xAA;
  g_wpsBssid[0] = 0xBB;
  RunRescanStep(client_, context(), 1);

  EXPECT_EQ(g_bSupportBandA, 1);
  EXPECT_EQ(g_wscCredentialTable.Credentials[0].Ssid[6], 0);
  EXPECT_EQ(g_wpsBssid[0], 0);
  EXPECT_EQ(g_bAllow40MHzBandG, 1);
  EXPECT_EQ(g_bAllow40MHzBandA, 1);
  EXPECT_EQ(g_b80211h, 0);
  EXPECT_EQ(g_nWirelessMode, 9);
  EXPECT_EQ(g_nChannelCount, 13) << "region word 0x0101: low 7 bits 1 on family 8";
  EXPECT_EQ(g_wDriverVersion, 0x0501);
  EXPECT_EQ(g_bRadioOn, 1);
  EXPECT_EQ(g_nRescanSetting1, 2);
  EXPECT_EQ(g_nRescanSetting2, 1);
  EXPECT_EQ(g_nRescanSetting3, 6);
  EXPECT_EQ(regionFlag_, 0);
  EXPECT_EQ(flagDuringApply_, 0);
  EXPECT_EQ(applied_, (std::vector<std::vector<int>>{{1, 0, 0}}));
  EXPECT_EQ(hostShown_, 1);
  EXPECT_EQ(readText(HKEY_LOCAL_MACHINE, g_strDriverKey + "\\ApDefault", "WirelessMode"), "9");

  std::vector<DWORD> codes;
  for (const auto& call : calls()) codes.push_back(call.code);
  EXPECT_EQ(codes, (std::vector<DWORD>{OID_VX_REGISTER_RW, OID_VX_REGISTER_RW, OID_VX_AP_MODE,
                                       OID_DOT11_CURRENT_ADDRESS, OID_VX_COUNTRY_REGION, OID_GEN_DRIVER_VERSION}));
  EXPECT_TRUE(wavorel::processStarts().empty()) << "a station-mode adapter needs no hand-back";

  EXPECT_EQ(timer8_, 8u);
  EXPECT_TRUE(KillTimer(worker_, 8));
  EXPECT_TRUE(KillTimer(worker_, 5));
}

TEST_F(RescanStepTest, ASoftApAdapterIsTakenBackToStationMode) {
  DWORD on = 1, returned = 0;
  ASSERT_TRUE(SetOid(OID_VX_AP_MODE_SET, &on, sizeof on, &returned, 3));
  wavorel::sim::clearDriverCalls();
  RunRescanStep(client_, context(), 0);
  EXPECT_TRUE(IsStationMode());
  EXPECT_EQ(hostShown_, 0);
  const auto starts = wavorel::processStarts();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].api, "WinExec");
  EXPECT_EQ(starts[0].commandLine, "\"Brenth.exe\" remove");
  EXPECT_EQ(starts[0].show, SW_MINIMIZE);
}

}  // namespace
}  // namespace worker::testing
