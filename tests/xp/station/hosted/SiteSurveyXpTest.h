// Fixture of the tests of Wavorel's site survey page: the host fixture
// (simulated machine, virtual clock, a worker object taking the page's
// rescans and connections, the host on the program's templates) with the
// worker's site list filled from the driver's scan or from built records, and
// the page's timer stepped one tick at a time.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "station/status/PageSiteSurveyDlg.h"
#include "tests/worker/BssRecordBuilder.h"
#include "tests/xp/host/HostXpTest.h"
#include "worker/DriverCodes.h"
#include "worker/OidRequest.h"

namespace xpsurvey::testing {

class SiteSurveyXpTest : public xphost::testing::HostXpTest {
 protected:
  // The bit a set adds to a query's code.
  static constexpr DWORD kSetBit = 0x00800000;

  void SetUp() override {
    HostXpTest::SetUp();
    if (!BssidSiteList) BssidSiteList = std::make_unique<BYTE[]>(kBssListSize);
    std::memset(BssidSiteList.get(), 0, kBssListSize);
    std::memset(g_currentBssid, 0, sizeof g_currentBssid);
    g_bConnectedByProfile = 0;
  }
  void TearDown() override {
    std::memset(g_currentBssid, 0, sizeof g_currentBssid);
    g_bConnectedByProfile = 0;
    HostXpTest::TearDown();
  }

  // The host opened, its site survey page's first tick taken (the list built).
  CPageSiteSurveyDlg& openSurvey() {
    CPageSiteSurveyDlg* page = openHost().GetSiteSurveyPage();
    EXPECT_NE(page, nullptr);
    survey_ = page;
    tick();
    return *page;
  }
  CPageSiteSurveyDlg& survey() { return *survey_; }

  // One tick of the page's 2-second timer; the scan the worker started has
  // ended by then.
  void tick() {
    XpWorkerState().ScanPending = 0;
    advance(2000);
    wavorel::pumpMessages();
  }
  // The driver's scan of the world, read into the worker's site list; the
  // number of networks listed.
  static DWORD scanWorld() {
    DWORD count = 0;
    for (int attempt = 0; attempt < 3 && count == 0; ++attempt) {
      DWORD written = 0;
      SetOid(OID_802_11_BSSID_LIST_SCAN, nullptr, 0, &written, 1);
      wavorel::runFor(4000);
      QueryOid(OID_802_11_BSSID_LIST, BssidSiteList.get(), kBssListSize, &written);
      std::memcpy(&count, BssidSiteList.get(), sizeof count);
    }
    return count;
  }
  // The codes set since the calls were last cleared (the set bit taken off).
  static std::vector<DWORD> setCodes() {
    std::vector<DWORD> codes;
    for (const wavorel::sim::DriverCall& call : wavorel::sim::driverCalls())
      if (call.set) codes.push_back(call.code & ~kSetBit);
    return codes;
  }
  static bool wasSet(DWORD code) {
    const std::vector<DWORD> codes = setCodes();
    return std::find(codes.begin(), codes.end(), code & ~kSetBit) != codes.end();
  }
  // The data of each set of `code` since the calls were last cleared.
  static std::vector<std::vector<uint8_t>> setData(DWORD code) {
    std::vector<std::vector<uint8_t>> sets;
    for (const wavorel::sim::DriverCall& call : wavorel::sim::driverCalls())
      if (call.set && (call.code & ~kSetBit) == (code & ~kSetBit)) sets.push_back(call.data);
    return sets;
  }
  // The worker's site list replaced by these records and the page rebuilt.
  void useSiteList(const std::vector<worker::testing::Bytes>& records) {
    const worker::testing::Bytes list = worker::testing::BssList(records, kBssListSize);
    std::copy(list.begin(), list.end(), BssidSiteList.get());
    survey().RebuildList();
    survey().m_bRescanPending = 0;
    wavorel::pumpMessages();
  }
  int rowOf(const char* ssid) {
    const std::vector<SiteRow>& rows = survey().GetRows();
    for (size_t i = 0; i < rows.size(); ++i)
      if (rows[i].ssid == ssid) return static_cast<int>(i);
    return -1;
  }
  // Whether a scan reached the driver since the calls were last cleared.
  static bool scanSent() { return wasSet(OID_802_11_BSSID_LIST_SCAN); }
  // The adapter joined to `ssid` and the worker's copy of its BSSID taken, as
  // the worker's poll takes it; the channel frequency (kHz) of the link.
  DWORD joinAndTrack(const std::string& ssid) {
    join(ssid);
    BYTE bssid[6] = {};
    DWORD frequency = 0;
    currentLink(bssid, frequency);
    std::copy(bssid, bssid + 6, g_currentBssid);
    return frequency;
  }
  // The BSSID and channel frequency (kHz) the adapter is associated with.
  static void currentLink(BYTE bssid[6], DWORD& frequency) {
    DWORD returned = 0;
    QueryOid(OID_802_11_BSSID, bssid, 6, &returned);
    DWORD configuration[8] = {};
    QueryOid(OID_802_11_CONFIGURATION, configuration, sizeof configuration, &returned);
    frequency = configuration[3];
  }

 private:
  CPageSiteSurveyDlg* survey_ = nullptr;
};

}  // namespace xpsurvey::testing
