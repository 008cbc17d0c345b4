// Fixture of the site survey page's tests: the host fixture (worker, host,
// front-end window, virtual clock moved in steps) with helpers for the page,
// a three-network world and BSS lists written straight into the worker's
// site list.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/radio/Machine.h"
#include "platform/sim/radio/World.h"
#include "station/status/PageSiteSurveyDlg.h"
#include "tests/station/host/StationHostTest.h"
#include "tests/worker/BssRecordBuilder.h"

namespace station::testing {

// The default world's adapter with three networks of steady signal.
inline std::string ThreeNetworkWorld() {
  const std::string world(wavorel::sim::defaultWorldText());
  return world.substr(0, world.find("[Network Home]")) + R"(
[Network Alpha]
Ssid = Alpha
Bssid = 00-1D-7E-00-00-01
Channel = 1
Signal = -40
Security = Open

[Network Quoted]
Ssid = Say "hi"
Bssid = 00-1D-7E-00-00-02
Channel = 6
Signal = -70
Security = WPA2-PSK
Cipher = CCMP
Passphrase = twelve chars
HT = yes
WPS = PushButton

[Network Gamma]
Ssid = Gamma
Bssid = 00-1D-7E-00-00-03
Channel = 11
Signal = -85
Security = WEP
Key1 = 0123456789
KeyIndex = 1
)";
}

class SiteSurveyTest : public StationHostTest {
 protected:
  // The worker and host started and the first scan listed.
  void startSurvey() {
    startWithHost();
    ASSERT_NE(site(), nullptr);
    waitForScan();
    drainServiceReports();
  }
  // Reports the service's thread still had on its way land now, so that none
  // of them rebuilds the list under a test's selection later.
  void drainServiceReports() { pumpUntil([] { return false; }, std::chrono::milliseconds(50)); }
  // Moves the clock until the scan the worker started has ended and the page
  // has taken its list. The service takes the request and reports the end
  // from its own thread, so the clock may have to move on a little while it
  // catches up.
  void waitForScan() {
    advance(4000);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (g_bScanRunning && std::chrono::steady_clock::now() < deadline) {
      if (pumpUntil([] { return !g_bScanRunning; }, std::chrono::milliseconds(20))) break;
      advance(100);
    }
    ASSERT_FALSE(g_bScanRunning);
    advance(2100);
  }
  CPageSiteSurveyDlg* site() { return host() ? host()->GetSiteSurveyPage() : nullptr; }
  std::vector<std::string> ssids() {
    std::vector<std::string> out;
    for (const SiteRow& row : site()->GetRows()) out.emplace_back(static_cast<LPCSTR>(row.ssid));
    return out;
  }
  int rowOf(const char* ssid) {
    const std::vector<std::string> names = ssids();
    for (size_t i = 0; i < names.size(); ++i)
      if (names[i] == ssid) return static_cast<int>(i);
    return -1;
  }
  // The worker's site list replaced by these records and the page rebuilt.
  void useSiteList(const std::vector<worker::testing::Bytes>& records) {
    drainServiceReports();
    const worker::testing::Bytes list = worker::testing::BssList(records, kBssListSize);
    std::copy(list.begin(), list.end(), BssidSiteList.get());
    site()->RebuildList();
    wavorel::pumpMessages();
  }
  // The value of `code` reported last that is not empty.
  std::string lastNonEmpty(UINT code) {
    const std::vector<std::string> values = valuesOf(code);
    for (auto it = values.rbegin(); it != values.rend(); ++it)
      if (!it->empty()) return *it;
    return "<none>";
  }
};

}  // namespace station::testing
