// Wavorel connecting on its own at start: the profile activated before (its
// values in the adapter's driver key) is applied by the station worker, the
// supplicant authenticates an 802.1X one, and the link tab, the tray and a
// screenshot of the main dialog show the connection.
#include "tests/xp/e2e/XpEndToEndTest.h"

namespace xp_e2e::testing {
namespace {

using Values = std::vector<std::pair<const char*, const char*>>;

class ConnectionTest : public XpEndToEndTest {
 protected:
  // What activating a profile leaves in the driver key, the first run's
  // choice of this program included.
  void activate(const char* name, const Values& values) {
    const CString key = driverKeyOf();
    writeText(key, "RunOnceInitConfigTool", "1");
    writeText(key, "CurProfile", name);
    for (const auto& [value, text] : values) writeText(key, value, text);
  }
  struct Case {
    const char* name;
    Values values;
    const char* bssid;
    const char* address;  // null: not checked
    int trayFrame;        // 3 Good, 4 Normal
  };
  // Starts with the profile activated; the link tab, the tray and the
  // screenshot once it is connected.
  void connect(const Case& c) {
    activate(c.name, c.values);
    startStation();
    ASSERT_TRUE(runUntil([&] { return linkValue(1) == c.name; }, 30000)) << linkValue(0);
    EXPECT_EQ(linkValue(2), c.bssid);
    if (c.address) {
      EXPECT_TRUE(runUntil([&] { return linkValue(6) == c.address; }, 10000)) << linkValue(6);
    }
    EXPECT_TRUE(runUntil([&] { return trayFrame() == c.trayFrame; }, 10000)) << trayFrame();
    // The screenshot shows the network's name in the link tab.
    const std::string file = std::string("xp-station-") + c.name + ".png";
    EXPECT_GT(inkIn(file.c_str(), *table()->GetLinkPage().GetValue(1)), 10);
  }
  std::string linkValue(int index) { return text(table()->GetLinkPage().GetValue(index)); }
};

TEST_F(ConnectionTest, ActivatedOpenProfileConnectsAndTheLinkTabAndTrayShowIt) {
  connect({"CafeFree",
           {{"SSID", "CafeFree"}, {"NetworkType", "1"}, {"AuthenType", "0"}, {"Encryption", "1"}},
           "00-1D-7E-11-22-02",
           nullptr,
           4});
}

TEST_F(ConnectionTest, ActivatedPeapProfileAuthenticatesThroughTheSupplicantAndConnects) {
  connect({"Corp",
           {{"SSID", "Corp"},
            {"NetworkType", "1"},
            {"AuthenType", "6"},
            {"Encryption", "6"},
            {"Use8021X", "1"},
            {"AuthenProtocol", "0"},
            {"TunnelProtocol", "26"},
            {"ID", "alice"},
            {"Password", "secret"},
            {"TunnelID", "alice"},
            {"TunnelPassword", "secret"}},
           "00-11-22-33-44-01",
           "10.1.0.7",
           3});
}

}  // namespace
}  // namespace xp_e2e::testing
