// Fixture of the link page's tests: the host fixture (worker, host, default
// world, the front end's bridge values) with helpers that connect through a
// stored profile, reach the host's link page and move the clock tick by tick.
#pragma once

#include <string>
#include <vector>

#include "frontend/BridgeCodes.h"
#include "platform/sim/radio/Machine.h"
#include "station/status/LinkStatusDlg.h"
#include "station/status/ShowDbmFlag.h"
#include "tests/station/host/StationHostTest.h"
#include "worker/DriverCodes.h"
#include "worker/NativeWiFi.h"

namespace station::testing {

class LinkStatusTest : public StationHostTest {
 protected:
  void SetUp() override {
    StationHostTest::SetUp();
    g_bShowDbm = 0;
  }
  void TearDown() override {
    g_bShowDbm = 0;
    StationHostTest::TearDown();
  }

  // The default world with `from` replaced by `to` in its adapter section.
  static std::string worldWith(const std::string& from, const std::string& to) {
    std::string world(wavorel::sim::defaultWorldText());
    world.replace(world.find(from), from.size(), to);
    return world;
  }
  // The open network "CafeFree" (no 802.11n) or the WPA2-PSK network
  // "HomeNet" (802.11n, address 192.168.1.23), activated and joined.
  void connectCafe() {
    storeOpenProfile("Cafe", "CafeFree", "");
    connectFirstProfile();
  }
  void connectHome() {
    storeProfile("Home", {{"SSID", "HomeNet"}, {"NetworkType", "1"}, {"AuthMode", "7"}, {"CipherMode", "6"},
                          {"WPAPSK", "correct horse battery"}, {"Channel", "6"}});
    connectFirstProfile();
  }
  void connectFirstProfile() {
    startWithHost();
    command(BRIDGE_CMD_ACTIVATE_PROFILE, "0");
    advance(4000);
    ASSERT_TRUE(wavorel::sim::machine().adapter(0).connected());
    // The site list as the site survey keeps it (the central channel is
    // shown only for a listed 802.11n network).
    g_pNativeWiFi->Scan();
    advance(3000);
    worker().UpdateBssList();
  }
  CLinkStatusDlg& page() {
    return *static_cast<CLinkStatusDlg*>(host()->GetSecondaryDialog(kHostDlgLinkStatus));
  }
  // The bridge values of the next `ticks` passes of the page's timer.
  void ticks(int count = 1) {
    received().clear();
    advance(2000 * static_cast<uint64_t>(count));
  }
  std::string text(CLinkStatusDlg::Text which) { return static_cast<LPCSTR>(page().GetText(which)); }
  std::string dlgText(UINT id) {
    CString value;
    page().GetDlgItemText(id, value);
    return static_cast<LPCSTR>(value);
  }
  std::string barText(CLinkStatusDlg::Bar which) {
    return static_cast<LPCSTR>(page().GetBar(which).GetFormatString());
  }
  // Shown on the page (the host itself stays hidden).
  bool visible(UINT id) { return (page().GetDlgItem(id)->GetStyle() & WS_VISIBLE) != 0; }
  // The smoothing of quality and signal: halfway to the new value, halves up.
  static int smoothed(int value, int previous) { return static_cast<int>((value + previous) * 0.5 + 0.5); }
  std::vector<int> intsOf(UINT code) {
    std::vector<int> values;
    for (const std::string& v : valuesOf(code)) values.push_back(std::stoi(v));
    return values;
  }
};

}  // namespace station::testing
