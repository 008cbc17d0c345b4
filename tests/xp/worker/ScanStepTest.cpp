#include <algorithm>

#include "platform/wire/Bytes.h"
#include "platform/wire/NdisBssidList.h"
#include "tests/xp/worker/XpWorkerTest.h"

namespace xpworker::testing {
namespace {

// Two networks of the 2.4 GHz channels every region allows, one that leaves
// after 5 s, and one on channel 13, which region 0 (channels 1-11) forbids.
constexpr const char* kScanWorld = R"(
[Adapter1]
HardwareId = USB\VID_148F&PID_3070
Family = 8
Guid = {6B29FC40-CA47-1067-B31D-00DD010662DA}
Description = 802.11n USB Wireless LAN Card
Mac = 00-0E-2E-5A-10-01
Bands = 2.4+5
HT = yes
CountryRegion = 1
[Network Stay]
Ssid = Stay
Bssid = 00-11-22-33-55-01
Channel = 1
[Network Gone]
Ssid = Gone
Bssid = 00-11-22-33-55-02
Channel = 6
Leaves = 5
[Network Edge]
Ssid = Edge
Bssid = 00-11-22-33-55-03
Channel = 13
)";

class ScanStepTest : public XpWorkerTest {
 protected:
  void SetUp() override {
    XpWorkerTest::SetUp();
    useWorld(kScanWorld);
    makeWindow();
    g_dwCountryRegion = 0;
    g_nWirelessMode = 0;
  }
  // The SSIDs of the site list in order.
  static std::vector<std::string> siteSsids() {
    namespace bssid = wavorel::wire::ndis::bssid;
    std::vector<std::string> ssids;
    WalkBssList(BssidSiteList.get(), kBssListSize, [&](const BYTE* record, DWORD) {
      const DWORD length = std::min<DWORD>(wavorel::wire::getU32(record + bssid::kSsidLength), bssid::kSsidSize);
      ssids.emplace_back(reinterpret_cast<const char*>(record + bssid::kSsid), length);
    });
    std::sort(ssids.begin(), ssids.end());
    return ssids;
  }
  // A scan request, its results left to come in.
  static void scan() {
    DWORD returned = 0;
    SetOid(OID_802_11_BSSID_LIST_SCAN, nullptr, 0, &returned, 1);
    wavorel::runFor(wavorel::sim::kScanDurationMs + 100);
  }
};

TEST_F(ScanStepTest, AMissingNetworkStaysLessThanFifteenSecondsAndForbiddenChannelsNeverShow) {
  scan();
  const DWORD seen = GetTickCount();
  XpWorkerState().ScanPending = 1;
  ProcessXpActions(context);
  EXPECT_EQ(XpWorkerState().ScanPending, 0);
  EXPECT_EQ(siteSsids(), (std::vector<std::string>{"Gone", "Stay"}));
  std::vector<uint8_t> answered;
  for (const wavorel::sim::DriverCall& call : wavorel::sim::driverCalls())
    if (call.code == OID_802_11_BSSID_LIST) answered = call.data;
  ASSERT_GE(answered.size(), 4u);
  EXPECT_EQ(wavorel::wire::getU32(answered.data()), 3u) << "the driver lists the channel 13 network";

  scan();  // "Gone" has left: the fresh list lacks it
  wavorel::runFor(seen + 14000 - GetTickCount());
  RefreshXpSiteList(nullptr);
  EXPECT_EQ(siteSsids(), (std::vector<std::string>{"Gone", "Stay"})) << "14 s after it was seen";
  wavorel::runFor(1000);
  RefreshXpSiteList(nullptr);
  EXPECT_EQ(siteSsids(), (std::vector<std::string>{"Stay"})) << "15 s after it was seen";
}

TEST_F(ScanStepTest, TheScanStepDropsARescanWaitingAtTheFront) {
  queueKind(kActionRescan);
  queueKind(kActionSetSsid);
  XpWorkerState().ScanPending = 1;
  wavorel::sim::clearDriverCalls();
  ProcessXpActions(context);
  EXPECT_TRUE(queue.empty());
  const Trace t = trace();
  EXPECT_EQ(std::count(t.begin(), t.end(), "S 0D81011A 0"), 0) << "no new scan request";
  EXPECT_EQ(XpWorkerState().ScanPending, 0);
}

TEST_F(ScanStepTest, ARescanReadsTheListAfterFiveSecondsInModes2358ElseThree) {
  for (DWORD mode = 0; mode <= 9; ++mode) {
    SCOPED_TRACE(mode);
    DWORD returned = 0;
    SetOid(OID_VX_WIRELESS_MODE_SET, &mode, sizeof mode, &returned, 1);
    fired().clear();
    queueKind(kActionRescan);
    ProcessXpActions(context);
    EXPECT_EQ(XpWorkerState().ScanPending, 1);
    const bool slow = mode == 2 || mode == 3 || mode == 5 || mode == 8;
    wavorel::runFor(kXpShortScanMs - 1);
    EXPECT_TRUE(fired().empty());
    wavorel::runFor(slow ? kXpLongScanMs - kXpShortScanMs + 1 : 1);
    EXPECT_EQ(fired(), std::vector<UINT_PTR>{kXpScanReadTimer});
    XpWorkerState().ScanPending = 0;
  }
}

}  // namespace
}  // namespace xpworker::testing
