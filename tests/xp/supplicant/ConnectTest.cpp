// Each kind of profile connects the simulated adapter through the supplicant
// layer, its progress and the checks after it written as status lines.
#include "tests/xp/supplicant/SupplicantLayerTest.h"

namespace supplicant::testing {
namespace {

using ConnectTest = SupplicantLayerTest;

std::vector<std::string> ChecksAfterDhcp() {
  return {"Network Link is connected.",
          "DHCP is Enabled.",
          "Succeed. IP address is 10.1.0.7.",
          "Detecting IPX Frame Type.",
          "IPX protocol is supported on this machine.",
          "Domain Controller is not found.",
          "OK"};
}

TEST_F(ConnectTest, EachMethodConnectsAndReportsItsProgressThenTheChecks) {
  struct Case {
    const char* name;
    std::function<void(ConnectTest&)> make;
    std::vector<std::string> progress;
  };
  const std::vector<std::string> peap = {"Network is connecting...", "PEAP Authenticating...",
                                         "Wireless client is authenticated."};
  const std::vector<Case> cases = {
      {"PEAP", [](ConnectTest& t) { t.enterprise("Corp", kPeap, "alice", "secret"); }, peap},
      {"TLS",
       [](ConnectTest& t) {
         _PROFILE_DATA& p = t.enterprise("Corp", kTls, "alice", "");
         p.UseClientCert = 1;
         const char subject[] = "Alice Client";
         std::memcpy(p.ClientCertData, subject, sizeof subject - 1);
         p.ClientCertLen = sizeof subject - 1;
       },
       {"Network is connecting...", "TLS Authenticating...", "Wireless client is authenticated."}},
      {"TTLS", [](ConnectTest& t) { t.enterprise("Corp", kTtls, "alice", "secret"); },
       {"Network is connecting...", "TTLS Authenticating...", "Wireless client is authenticated."}},
      {"EAP-FAST", [](ConnectTest& t) { t.enterprise("Corp", kFast, "alice", "secret"); },
       {"Network is connecting...", "EAP-FAST Authenticating...", "EAP-FAST Provisioning is successful.",
        "Wireless client is authenticated."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    useWorld(kWorld);
    std::memset(g_authStatusEvents, 0, sizeof g_authStatusEvents);
    c.make(*this);
    startAndConnect();
    ASSERT_TRUE(driveUntil([] { return ringHas("OK"); })) << ::testing::PrintToString(ringLines());
    EXPECT_TRUE(adapter().connected());
    std::vector<std::string> expected = c.progress;
    for (const std::string& line : ChecksAfterDhcp()) expected.push_back(line);
    EXPECT_EQ(ringLines(), expected);
    EXPECT_EQ(GetAuthStatusWriteIndex(), 0);
    SupplicantClose();
  }
}

}  // namespace
}  // namespace supplicant::testing
