// Fixture of the WPS page's tests: the site survey fixture (worker, host,
// front-end window, virtual clock, scans waited for) with the host's WPS
// page, the driver calls of a run, the status texts the page shows while the
// clock moves, and worlds of WPS networks made from the default world.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/radio/Machine.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/WpsRecords.h"
#include "station/status/PageWPSDlg.h"
#include "station/status/PageWPSProfile.h"
#include "tests/station/status/vista/SiteSurveyTest.h"
#include "worker/DriverCodes.h"
#include "worker/WpsWorker.h"

namespace station::testing {

// The default world with the sections of `replace` ([Network X] -> text)
// swapped in, and `extra` networks added.
inline std::string WpsWorld(const std::vector<std::pair<std::string, std::string>>& replace,
                            const std::string& extra = "") {
  std::string world(wavorel::sim::defaultWorldText());
  for (const auto& [section, text] : replace) {
    const size_t at = world.find(section);
    const size_t end = world.find("\n[", at + 1);
    world.replace(at, end == std::string::npos ? std::string::npos : end + 1 - at, text);
  }
  return world + extra;
}

// The printer's network with TKIP alone, so that the link's cipher is the
// one its credential's encryption type names.
inline std::string PrinterTkipWorld(const std::string& extra = "") {
  return WpsWorld({{"[Network Printer]", R"([Network Printer]
Ssid = PrintHub
Bssid = 00-1D-7E-11-22-06
Channel = 9
Signal = -55
Security = WPA2-PSK
Cipher = TKIP
Passphrase = printmeplease
WPS = PushButton
WpsState = Configured
)"}},
                  extra);
}

struct Credential {
  std::string ssid;
  DWORD auth;
  DWORD encryption;
  DWORD keyIndex;
  std::string key;
  BYTE lastMacByte;
};

class WpsPageTest : public SiteSurveyTest {
 protected:
  void SetUp() override {
    SiteSurveyTest::SetUp();
    g_nWpsConfigMode = 0;
    g_nWpsWirelessMode = 2;
    g_nWpsPinCode = 0;
    g_bWpsConnect = 0;
    g_bWpsRotate = 1;
    g_nWpsMethod = kWpsMethodNone;
    g_nWpsAutoApIndex = -1;
    g_wscCredentialTable.fill(0);
  }
  // The worker, the host and the pages started, the first scan listed on
  // both pages.
  void startWps(const std::string& world = "") {
    if (!world.empty()) reopenIn(world);
    startSurvey();
    ASSERT_NE(wps(), nullptr);
    wps()->BuildApList();
    wavorel::pumpMessages();
  }
  CPageWPSDlg* wps() {
    return host() ? dynamic_cast<CPageWPSDlg*>(host()->GetTabPage(kHostTabWps)) : nullptr;
  }
  CPageWPSProfile* wpsProfile() {
    return host() ? dynamic_cast<CPageWPSProfile*>(host()->GetSecondaryDialog(kHostDlgWpsProfile)) : nullptr;
  }
  int apRowOf(const char* ssid) {
    const std::vector<WpsApEntry>& entries = wps()->GetApEntries();
    for (size_t i = 0; i < entries.size(); ++i)
      if (entries[i].ssid == ssid) return static_cast<int>(i);
    return -1;
  }
  // Moves the clock by `ms` in 100 ms steps and keeps each status text the
  // page shows (a repeated one once).
  std::vector<std::string> follow(uint64_t ms) {
    std::vector<std::string> texts;
    for (uint64_t done = 0; done < ms; done += 100) {
      advance(100);
      const std::string text(static_cast<LPCSTR>(wps()->GetStatusText()));
      if (texts.empty() || texts.back() != text) texts.push_back(text);
    }
    return texts;
  }
  // Moves the clock until the page shows `text` (at most `ms`).
  bool waitForStatus(const std::string& text, uint64_t ms = 20000) {
    for (uint64_t done = 0; done < ms; done += 100) {
      if (text == static_cast<LPCSTR>(wps()->GetStatusText())) return true;
      advance(100);
    }
    return text == static_cast<LPCSTR>(wps()->GetStatusText());
  }
  // The driver calls of `code` (either numbering of a set) since the last clear.
  static std::vector<wavorel::sim::DriverCall> callsOf(DWORD code) {
    std::vector<wavorel::sim::DriverCall> out;
    for (const auto& call : calls())
      if (call.code == code) out.push_back(call);
    return out;
  }
  // The desired-BSSID sets of credential connects since the last clear.
  static int desiredBssidSets() {
    int count = 0;
    for (const auto& call : calls())
      if (call.set && (call.code & ~OID_STATION_SET_MASK) == (OID_DOT11_DESIRED_BSSID_LIST & ~OID_STATION_SET_MASK))
        ++count;
    return count;
  }
  // The WPS sets of a start in the order sent.
  static std::vector<DWORD> wpsSetCodes() {
    static const DWORD kCodes[] = {OID_VX_PRIVATE_0151, OID_VX_WPS_AUTO_PICK, OID_VX_WPS_START,
                                   OID_VX_WPS_CREDENTIALS_SET, OID_VX_PRIVATE_0144, OID_VX_PRIVATE_0146};
    std::vector<DWORD> out;
    for (const auto& call : calls())
      if (call.set && std::find(std::begin(kCodes), std::end(kCodes), call.code) != std::end(kCodes))
        out.push_back(call.code);
    return out;
  }
  // The credential table holding these records.
  static void setCredentials(const std::vector<Credential>& records) {
    namespace credential = wavorel::wire::wps::credential;
    namespace table = wavorel::wire::wps::table;
    using wavorel::wire::putU32;
    g_wscCredentialTable.fill(0);
    putU32(g_wscCredentialTable.data() + table::kCount, static_cast<DWORD>(records.size()));
    for (size_t i = 0; i < records.size(); ++i) {
      BYTE* r = g_wscCredentialTable.data() + table::recordAt(i);
      const Credential& c = records[i];
      putU32(r + credential::kSsidLength, static_cast<DWORD>(c.ssid.size()));
      std::memcpy(r + credential::kSsid, c.ssid.data(), c.ssid.size());
      putU32(r + credential::kAuthType, c.auth);
      putU32(r + credential::kEncryptionType, c.encryption);
      putU32(r + credential::kKeyIndex, c.keyIndex);
      putU32(r + credential::kKeyLength, static_cast<DWORD>(c.key.size()));
      std::memcpy(r + credential::kKey, c.key.data(), c.key.size());
      const BYTE mac[6] = {0x00, 0x1D, 0x7E, 0x11, 0x22, c.lastMacByte};
      std::memcpy(r + credential::kMacAddress, mac, 6);
    }
  }
  static std::string recordSsid(int index) {
    const WpsCredentialFields c = WpsCredentialAt(index);
    return std::string(reinterpret_cast<const char*>(c.Ssid), c.SsidLength);
  }
  // The PIN edit's text as typed.
  void typePin(const char* text) { wps()->SetDlgItemText(IDC_WPS_PIN_EDIT, text); }
};

}  // namespace station::testing
