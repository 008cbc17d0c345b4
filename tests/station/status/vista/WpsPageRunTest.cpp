// The WPS page's runs against the simulated driver, driven through the bridge:
// push button and PIN starts, the state texts and progress, the credentials
// stored and connected, the automatic PIN walk and its walk timer.
#include <algorithm>
#include <cstring>

#include "frontend/BridgeCodes.h"
#include "tests/station/status/vista/WpsPageTest.h"
#include "worker/HideDlg.h"
#include "worker/IniProfileStore.h"
#include "worker/WorkerGlobals.h"

namespace station::testing {
namespace {

using Texts = std::vector<std::string>;

bool Contains(const Texts& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// `want` appears in `texts` in this order (other texts between them).
bool InOrder(const Texts& texts, const Texts& want) {
  auto at = texts.begin();
  for (const std::string& text : want) {
    at = std::find(at, texts.end(), text);
    if (at == texts.end()) return false;
  }
  return true;
}

class WpsPageRunTest : public WpsPageTest {};

TEST_F(WpsPageRunTest, PushButtonEnrolleeStoresConnectsAndWatchesTheCredential) {
  startWps(PrinterTkipWorld());
  wavorel::sim::clearDriverCalls();
  received().clear();
  command(BRIDGE_CMD_WPS_PBC);

  EXPECT_EQ(wpsSetCodes(), (std::vector<DWORD>{OID_VX_PRIVATE_0151, OID_VX_WPS_START, OID_VX_WPS_CREDENTIALS_SET,
                                               OID_VX_PRIVATE_0144, OID_VX_PRIVATE_0146}));
  const std::vector<wavorel::sim::DriverCall> starts = callsOf(OID_VX_WPS_START);
  ASSERT_EQ(starts.size(), 1u);
  std::vector<uint8_t> expected(56, 0);
  expected[3] = 0x20;
  expected[55] = 1;
  EXPECT_EQ(starts[0].data, expected);
  EXPECT_EQ(wps()->GetStatusText(), "Start PBC connection");

  const Texts texts = follow(12000);
  EXPECT_TRUE(InOrder(texts, {"PBC - Scanning AP", "PBC - Begin associating to WPS AP", "PBC - Sending M1",
                              "PBC - Sending M3", "PBC - Configured"}));
  std::vector<std::string> progress = valuesOf(BRIDGE_UI_WPS_PROGRESS);
  ASSERT_GE(progress.size(), 4u);
  EXPECT_TRUE(InOrder(progress, {"5", "10", "15", "40", "60", "90", "95"}));

  EXPECT_EQ(storeValue(kIniKindWps, "Common", "NumberofProfile"), "1");
  EXPECT_EQ(storeValue(kIniKindWps, "Profile0", "SSID"), "PrintHub");
  EXPECT_EQ(storeValue(kIniKindWps, "Profile0", "Key"), "printmeplease");
  EXPECT_EQ(lastOf(BRIDGE_UI_WPS_PROFILE_ROW), "\"PrintHub\"\t\"\"");
  // The credentials were read once and connected once, though the worker
  // lives beside the page.
  EXPECT_EQ(callsOf(OID_VX_WPS_CREDENTIALS).size(), 1u);
  EXPECT_EQ(desiredBssidSets(), 1);
  for (UINT_PTR id : {kWpsConnectTimer, kWpsPollValueTimer, kWpsStatusTimer})
    EXPECT_FALSE(KillTimer(workerWindow(), id)) << "worker timer " << id;

  EXPECT_TRUE(waitForStatus("WPS status is connected successfully - PrintHub", 10000));
  EXPECT_EQ(lastOf(BRIDGE_UI_WPS_PROGRESS), "100");
  EXPECT_EQ(lastOf(BRIDGE_UI_WPS_SELECT), "0") << "mark 0 on row 0";
  EXPECT_EQ(storeValue(kIniKindStation, "Config", "WSC"), "1");
  EXPECT_EQ(g_bWpsRotate, 0);
}

struct PushButtonEnd {
  const char* name;
  std::string (*world)();
  const char* status;
};

class WpsPushButtonEndTest : public WpsPageTest, public ::testing::WithParamInterface<PushButtonEnd> {};

TEST_P(WpsPushButtonEndTest, RunEndsByTheNumberOfPushButtonNetworks) {
  startWps(GetParam().world());
  command(BRIDGE_CMD_WPS_PBC);
  EXPECT_TRUE(waitForStatus(GetParam().status, 15000)) << wps()->GetStatusText();
  EXPECT_EQ(WpsCredentialCount(), 0);
  EXPECT_EQ(storeValue(kIniKindWps, "Common", "NumberofProfile"), "0");
}

INSTANTIATE_TEST_SUITE_P(
    Worlds, WpsPushButtonEndTest,
    ::testing::Values(PushButtonEnd{"TwoButtons", [] { return PrinterTkipWorld(R"(
[Network Printer2]
Ssid = Scanner
Bssid = 00-1D-7E-11-22-10
Channel = 3
Signal = -50
Security = WPA2-PSK
Cipher = CCMP
Passphrase = scanmeplease
WPS = PushButton
)"); },
                                    "PBC - Too many PBC AP available"},
                      PushButtonEnd{"NoButton",
                                    [] { return WpsWorld({{"[Network Printer]", "[Network Printer]\nSsid = PrintHub\n"
                                                                    "Bssid = 00-1D-7E-11-22-06\nChannel = 9\n"
                                                                    "Security = Open\n"}}); },
                                    "PBC - No PBC AP available"}),
    [](const ::testing::TestParamInfo<PushButtonEnd>& info) { return std::string(info.param.name); });

TEST_F(WpsPageRunTest, PinRunWithTheNetworksPinConfiguresAndAWrongOneFails) {
  startWps();
  const int home = apRowOf("HomeNet");
  ASSERT_GE(home, 0);
  EXPECT_EQ(wps()->GetApEntries()[home].passwordId, "0x0000");

  command(BRIDGE_CMD_WPS_SELECT_AP, std::to_string(home).c_str());
  typePin("00000000");
  wavorel::sim::clearDriverCalls();
  command(BRIDGE_CMD_WPS_PIN);
  EXPECT_EQ(wpsSetCodes(), (std::vector<DWORD>{OID_VX_PRIVATE_0151, OID_VX_WPS_AUTO_PICK, OID_VX_WPS_START,
                                               OID_VX_WPS_CREDENTIALS_SET, OID_VX_PRIVATE_0144, OID_VX_PRIVATE_0146}));
  const std::vector<wavorel::sim::DriverCall> starts = callsOf(OID_VX_WPS_START);
  ASSERT_EQ(starts.size(), 1u);
  const std::vector<uint8_t>& request = starts[0].data;
  EXPECT_EQ(wavorel::wire::getU32(request.data()), 0x10000000u);
  EXPECT_EQ(std::string(request.begin() + 4, request.begin() + 12), "00000000");
  EXPECT_EQ(wavorel::wire::getU32(request.data() + 12), 7u);
  EXPECT_EQ(std::string(request.begin() + 16, request.begin() + 23), "HomeNet");
  EXPECT_EQ(request[53], 0x01);  // BSSID 00-1D-7E-11-22-01
  EXPECT_EQ(request[54], 6);     // channel
  EXPECT_EQ(request[55], 1);     // enrollee
  EXPECT_EQ(wps()->GetStatusText(), "Start PIN connection - HomeNet");
  EXPECT_TRUE(waitForStatus("PIN - Error PIN Code (R-Hash mismatch)"));
  EXPECT_EQ(g_nWpsAutoApIndex, -1);
  EXPECT_EQ(WpsCredentialCount(), 0);

  typePin("12345670");
  command(BRIDGE_CMD_WPS_PIN);
  EXPECT_TRUE(waitForStatus("PIN - Configured"));
  EXPECT_EQ(recordSsid(0), "HomeNet");
  EXPECT_EQ(storeValue(kIniKindWps, "Common", "PinCode"), "12345670");
}

TEST_F(WpsPageRunTest, WrongPinRunEndsWithTheFailureOnceTheDriverGivesUp) {
  startWps();
  command(BRIDGE_CMD_WPS_SELECT_AP, std::to_string(apRowOf("HomeNet")).c_str());
  typePin("00000000");
  command(BRIDGE_CMD_WPS_PIN);
  EXPECT_TRUE(waitForStatus("PIN - Error PIN Code (R-Hash mismatch)"));
  received().clear();
  EXPECT_TRUE(waitForStatus("PIN - WPS Eap process failed", 125000)) << wps()->GetStatusText();
  EXPECT_EQ(lastOf(BRIDGE_UI_WPS_PROGRESS), "0");
  EXPECT_EQ(lastOf(BRIDGE_UI_WPS_BUTTON_ENABLE), "1") << "Rescan enabled again";
  EXPECT_FALSE(KillTimer(wps()->GetSafeHwnd(), kWpsStatePollTimer)) << "the state poll stopped";
  EXPECT_EQ(g_bWpsConnect, 0);
}

TEST_F(WpsPageRunTest, PinTextIsCheckedBeforeTheStart) {
  startWps();
  command(BRIDGE_CMD_WPS_SELECT_AP, std::to_string(apRowOf("HomeNet")).c_str());
  const struct {
    const char* pin;
    const char* info;  // beside the edit
    const char* box;   // the front end's warning
    bool starts;
  } cases[] = {{"1234567", "Invaild Pin Code", nullptr, false},
               {"12345678", nullptr, "Pin Code error", false},
               {"12345670", nullptr, nullptr, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pin);
    received().clear();
    wavorel::sim::clearDriverCalls();
    typePin(c.pin);
    command(BRIDGE_CMD_WPS_PIN);
    const CString info = wps()->PinEdit().GetInfoWnd().GetText();
    if (c.info) {
      EXPECT_NE(std::string(static_cast<LPCSTR>(info)).find(c.info), std::string::npos) << info;
    }
    const std::string box = lastOf(BRIDGE_UI_MESSAGE_BOX);
    EXPECT_EQ(box.find("Pin Code error") != std::string::npos, c.box != nullptr) << box;
    EXPECT_EQ(callsOf(OID_VX_WPS_START).size(), c.starts ? 1u : 0u);
  }
}

TEST_F(WpsPageRunTest, AutomaticPinWalkPassesPushButtonNetworksAndEndsInAFullDisconnect) {
  // Only push-button networks: the walk finds none and rescans.
  startWps(WpsWorld({{"[Network Home]", "[Network Home]\nSsid = HomeNet\nBssid = 00-1D-7E-11-22-01\n"
                                        "Channel = 6\nSecurity = Open\n"}}));
  ASSERT_GE(apRowOf("PrintHub"), 0);
  wavorel::sim::clearDriverCalls();
  wps()->m_bAutoSelect = 1;
  wps()->UpdateData(FALSE);
  typePin("12345670");
  received().clear();
  command(BRIDGE_CMD_WPS_PIN);
  EXPECT_EQ(wps()->GetStatusText(), "Rescanning");
  EXPECT_EQ(g_nWpsAutoApIndex, -1);
  EXPECT_TRUE(Contains(valuesOf(BRIDGE_UI_WPS_BUTTON_ENABLE), "0")) << "Rescan disabled for the rescan";
  EXPECT_TRUE(callsOf(OID_VX_WPS_START).empty());
}

TEST_F(WpsPageRunTest, WalkTimerEndsAnAutomaticPinRunWithAFullDisconnect) {
  startWps();
  wps()->m_bAutoSelect = 1;
  wps()->UpdateData(FALSE);
  typePin("00000000");  // not the network's: every try fails
  command(BRIDGE_CMD_WPS_PIN);
  EXPECT_EQ(wps()->GetStatusText(), "Start PIN connection - HomeNet");
  EXPECT_EQ(wps()->m_bWalkTimerArmed, 1);
  EXPECT_EQ(g_bWpsConnect, 1);
  advance(121000, 200);
  EXPECT_EQ(wps()->m_bWalkTimerArmed, 0);
  EXPECT_EQ(g_nWpsMethod, kWpsMethodNone);
  EXPECT_EQ(g_bWpsConnect, 0);
  EXPECT_EQ(storeValue(kIniKindStation, "Config", "WSC"), "0");
  EXPECT_EQ(wps()->GetStatusText(), "WPS status is disconnected");
  EXPECT_EQ(lastOf(BRIDGE_UI_WPS_PROGRESS), "0");
}

TEST_F(WpsPageRunTest, OnlyFiveGigahertzNetworksAfterARescanRebuildOnceForEveryBand) {
  startWps();
  using worker::testing::Bytes;
  using worker::testing::Element;
  // A push-button WPS element: device password id 0x0004.
  const Bytes pushButton = Element(221, {0x00, 0x50, 0xF2, 0x04, 0x10, 0x12, 0x00, 0x02, 0x00, 0x04});
  worker::testing::BssRecordFields fast;
  fast.ssid = "Fast5G";
  fast.frequency = 5745000;  // channel 149
  fast.elements = pushButton;
  worker::testing::BssRecordFields plain;
  plain.ssid = "Plain";
  pumpUntil([] { return false; }, std::chrono::milliseconds(30));
  const Bytes list = worker::testing::BssList({worker::testing::BssRecord(plain), worker::testing::BssRecord(fast)},
                                              kBssListSize);
  std::copy(list.begin(), list.end(), BssidSiteList.get());

  const auto preferBand24 = [this] {
    g_nWpsWirelessMode = kWpsBand24;
    wps()->SendDlgItemMessage(IDC_WPS_WIRELESS_MODE, CB_SETCURSEL, kWpsBand24, 0);
  };
  preferBand24();
  wps()->m_bRescanPending = 0;
  EXPECT_EQ(wps()->BuildApList(), 1);
  EXPECT_TRUE(wps()->GetApEntries().empty()) << "no rescan pending: the band stays";
  EXPECT_EQ(g_nWpsWirelessMode, kWpsBand24);
  preferBand24();
  wps()->m_bRescanPending = 1;
  wps()->BuildApList();
  ASSERT_EQ(wps()->GetApEntries().size(), 1u);
  EXPECT_EQ(wps()->GetApEntries()[0].channel, "149");
  EXPECT_EQ(g_nWpsWirelessMode, kWpsBandAuto);
  EXPECT_EQ(wps()->m_bRescanPending, 0);
  wavorel::pumpMessages();
  EXPECT_EQ(lastOf(BRIDGE_UI_WPS_AP_ROW), "\"0x0004\"\t\"Fast5G\"\t\"149\"");
  // The page's own list keeps the record the row shows.
  DWORD length = 0;
  const BYTE* kept = WpsKeptRecord(wps()->GetPageBss(), kBssListSize, 0, &length);
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(Bytes(kept, kept + length), worker::testing::BssRecord(fast));
}

TEST_F(WpsPageRunTest, DriverButtonStartsARunThePagePolls) {
  startWps(PrinterTkipWorld());
  wavorel::sim::clearDriverCalls();
  machine().adapter(0).pressWpsButton();
  advance(1100);
  EXPECT_EQ(std::string(static_cast<LPCSTR>(wps()->GetStatusText())).rfind("PBC - ", 0), 0u) << "the page polls";
  EXPECT_TRUE(waitForStatus("PBC - Configured"));
  EXPECT_TRUE(callsOf(OID_VX_WPS_START).empty()) << "the driver's run needs no start request";
  EXPECT_EQ(recordSsid(0), "PrintHub");
}

}  // namespace
}  // namespace station::testing
