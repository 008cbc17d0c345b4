// Fixture of the tests of Wavorel's WPS page: the site survey's host fixture
// with the WPS values reset, the page of the host, the credential table
// filled by hand, the station profile the worker applies again, and the
// "WscProfile" values read back.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/wire/Bytes.h"
#include "platform/wire/WpsRecords.h"
#include "station/status/PageWPSDlg.h"
#include "tests/xp/station/hosted/SiteSurveyXpTest.h"
#include "utilmere/WindowTools.h"
#include "worker/ModuleFunctions.h"
#include "worker/StationHost.h"
#include "worker/WpsWorker.h"
#include "xp/supplicant/PortManager.h"

namespace xpsurvey::testing {

class WpsPageXpTest : public SiteSurveyXpTest {
 protected:
  void SetUp() override {
    SiteSurveyXpTest::SetUp();
    g_nWpsConfigMode = 0;
    g_nWpsWirelessMode = 2;
    g_nWpsPinCode = 0;
    g_bWpsConnect = 0;
    g_bWpsRotate = 0;
    g_nWpsCurrentIndex = 0;
    g_nWpsMethod = kWpsMethodNone;
    g_nWpsAutoApIndex = -1;
    g_wscCredentialTable.fill(0);
  }
  void TearDown() override {
    SupplicantClose();
    g_wscCredentialTable.fill(0);
    g_bWpsConnect = 0;
    SiteSurveyXpTest::TearDown();
  }
  CPageWPSDlg& openWps() {
    openHost();
    auto* page = dynamic_cast<CPageWPSDlg*>(host().GetTabPage(kHostTabWps));
    EXPECT_NE(page, nullptr);
    wps_ = page;
    return *page;
  }
  CPageWPSDlg& wps() { return *wps_; }

  static std::string currentProfileSsid() {
    const _PROFILE_DATA* profile = GetCurrentProfile();
    if (!profile) return "<none>";
    return std::string(reinterpret_cast<const char*>(profile->Ssid.Ssid), std::min<ULONG>(profile->Ssid.SsidLength, 32));
  }
  static std::string wscText(const std::string& subkey, const char* name) {
    const std::string text = readText(HKEY_LOCAL_MACHINE, g_strDriverKey + "\\WscProfile" + subkey.c_str(), name);
    return text.empty() || text.back() != '\0' ? text : text.substr(0, text.size() - 1);
  }
  // Credential `slot` of the table: a WPA2-PSK network.
  static void putCredential(size_t slot, const char* ssid) {
    namespace table = wavorel::wire::wps::table;
    namespace credential = wavorel::wire::wps::credential;
    using wavorel::wire::putU32;
    BYTE* r = g_wscCredentialTable.data() + table::recordAt(slot);
    putU32(r + credential::kSsidLength, static_cast<DWORD>(std::strlen(ssid)));
    std::memcpy(r + credential::kSsid, ssid, std::strlen(ssid));
    putU32(r + credential::kAuthType, 32);
    putU32(r + credential::kEncryptionType, 8);
    putU32(r + credential::kKeyIndex, 1);
    putU32(r + credential::kKeyLength, 8);
    std::memcpy(r + credential::kKey, "password", 8);
  }
  // The station profile the worker applies again after a WPS link.
  static void storeStationProfile(const char* ssid) {
    g_bApplyRequested = 1;
    setDriverText("SSID", ssid);
    setDriverText("CurProfile", "Office");
    setText(g_strDriverKey + "\\Profile\\Station\\Office", "SSID", ssid);
  }
  static void setCount(DWORD count) {
    wavorel::wire::putU32(g_wscCredentialTable.data() + wavorel::wire::wps::table::kCount, count);
  }
  void selectProfileRow(int row) {
    auto* list = static_cast<CListCtrl*>(wps().GetDlgItem(IDC_WPS_PROFILE_LIST));
    SetListSelected(list, row, 0, 0);
  }
  // Moves the clock in 100 ms steps until the status text is `text`.
  bool waitForStatus(const char* text, int ms = 20000) {
    for (int done = 0; done < ms && wps().GetStatusText() != text; done += 100) advance(100);
    return wps().GetStatusText() == text;
  }

 private:
  CPageWPSDlg* wps_ = nullptr;
};

}  // namespace xpsurvey::testing
