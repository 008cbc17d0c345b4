// Wavorel switched from station mode to soft-AP mode and back through the
// main dialog's radios: the station worker ends, the AP worker enters AP
// mode with the stored settings, a client with the passphrase associates and
// one on the access list does not; back in station mode the station worker
// runs again and joins the activated profile's network.
#include <cstdlib>

#include "tests/xp/e2e/XpEndToEndTest.h"
#include "worker/DriverCodes.h"

namespace xp_e2e::testing {
namespace {

class ApModeTest : public XpEndToEndTest {
 protected:
  // WPA2-PSK with the clients' passphrase and a reject list naming the second.
  void storeApSettings() {
    writeApDefault(softap::testing::kBase);
    writeApDefault({{"AuthenType", "7"}, {"Encryption", "6"}, {"WPAPSK", "letmein123"}, {"AccessControlPolicy", "2"}});
    writeList(driverKeyOf() + "\\ApDefault", "AccessControlList", {"0024D700000B"});
  }
  static bool associated(const char* mac) {
    const uint8_t last = static_cast<uint8_t>(std::strtoul(mac + 15, nullptr, 16));
    const uint8_t address[6] = {0x00, 0x24, 0xD7, 0x00, 0x00, last};
    return wavorel::sim::machine().adapter(0).softAp().hasStation(address);
  }
};

TEST_F(ApModeTest, SwitchToApModeAppliesTheStoredSettingsAndOnlyTheListedClientStaysOut) {
  storeApSettings();
  storeProfile("Cafe", {{"SSID", "CafeFree"}, {"NetworkType", "1"}, {"AuthenType", "0"}, {"Encryption", "1"}});
  startStation();
  advance(3500);
  activateFromProfileTab("Cafe");
  ASSERT_TRUE(linkShows("CafeFree"));
  wavorel::clearProcessStarts();
  wavorel::sim::clearDriverCalls();

  chooseMode(true);
  EXPECT_EQ(table(), nullptr);
  ASSERT_NE(apTable(), nullptr);
  EXPECT_EQ(g_pHideDlg, nullptr);
  ASSERT_TRUE(runUntil([] { return worker() != nullptr; }, 3000));
  settle([] { return !worker()->IsKeyPending(); });
  // The adapter went to AP mode by the XP driver code, and the sibling tool
  // took the connection sharing down.
  ASSERT_FALSE(setsOf(OID_VX_AP_MODE_SET).empty());
  EXPECT_EQ(u32(setsOf(OID_VX_AP_MODE_SET).front().data, 0), 1u);
  bool pickwell = false;
  for (const auto& s : wavorel::processStarts()) pickwell |= s.commandLine == "\"Pickwell.exe\" ICS_DOWN";
  EXPECT_TRUE(pickwell);

  ASSERT_TRUE(runUntil([] { return associated(kGoodClient); }, 15000));
  advance(4000);
  EXPECT_FALSE(associated(kBadClient));
  EXPECT_EQ(wavorel::sim::machine().adapter(0).softAp().ssid(), "Quendal-SoftAP");
  // The tray follows the AP worker's poll.
  EXPECT_NE(trayTip().find("Soft AP  Status"), std::string::npos) << trayTip();

  // The screenshot shows the configuration tab with the AP's name.
  showPage(0);
  EXPECT_GT(inkIn("xp-ap-configuration.png", apTable()->GetBaseConfigPage().GetSsidEdit()), 10);

  // Back to station mode once the radios are free again.
  advance(3000);
  chooseMode(false);
  EXPECT_EQ(apTable(), nullptr);
  ASSERT_NE(table(), nullptr);
  EXPECT_EQ(worker(), nullptr);
  EXPECT_TRUE(runUntil([] { return g_pHideDlg != nullptr; }, 5000));
  // The station worker applies the activated profile again: the adapter
  // joins its network and the link tab shows it.
  EXPECT_TRUE(linkShows("CafeFree")) << linkValue(0);
  const wavorel::sim::WorldNetwork* joined = wavorel::sim::machine().adapter(0).associatedNetwork();
  EXPECT_EQ(joined ? joined->ssid : "", "CafeFree");
}

}  // namespace
}  // namespace xp_e2e::testing
