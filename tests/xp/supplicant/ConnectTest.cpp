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
      {"MD5", [](ConnectTest& t) { t.enterprise("Legacy", kMd5, "bob", "secret", 3, 4); },
       {"Network is connecting...", "MD5 Authenticating...", "Wireless client is authenticated."}},
      {"LEAP",
       [](ConnectTest& t) {
         _PROFILE_DATA& p = t.enterprise("Legacy", kLeap, "bob", "secret", 3, 4);
         PutText(p.LeapDomain, sizeof p.LeapDomain, "DOM");
       },
       {"Network is connecting...", "LEAP Authenticating...", "Wireless client is authenticated."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    useWorld(kWorld);
    clearLines();
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

TEST_F(ConnectTest, ALinkDuringAWpsRunRecordsTheAccessPointOnlyWhileItIsUnknown) {
  const BYTE corp[6] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x01};
  const BYTE earlier[6] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x09};
  const BYTE none[6] = {};
  struct Case {
    const char* name;
    int wpsRunning;
    const BYTE* before;
    const BYTE* after;
  };
  const Case cases[] = {{"run, not yet known", 1, none, corp},
                        {"run, already known", 1, earlier, earlier},
                        {"no run", 0, none, none}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clearLines();
    enterprise("Corp", kPeap, "alice", "secret");
    g_bWpsRunning = c.wpsRunning;
    std::memcpy(g_wpsBssid, c.before, sizeof g_wpsBssid);
    startAndConnect();
    ASSERT_TRUE(driveUntil([] { return adapter().connected(); }));
    pumpAll();
    EXPECT_EQ(std::vector<BYTE>(g_wpsBssid, g_wpsBssid + 6), std::vector<BYTE>(c.after, c.after + 6));
    SupplicantClose();
  }
  g_bWpsRunning = 0;
  std::memset(g_wpsBssid, 0, sizeof g_wpsBssid);
}

TEST_F(ConnectTest, PreSharedKeysConnectAndTheChecksReportAddressIpxAndDomain) {
  const std::string hexKey = [] {
    const wavorel::sim::Psk key = wavorel::sim::wpaPassphraseKey("correct horse", "Home");
    std::string text;
    char pair[3];
    for (uint8_t b : key) std::snprintf(pair, sizeof pair, "%02x", b), text += pair;
    return text;
  }();
  struct Case {
    const char* name;
    std::string passphrase;
    std::string world;
    std::vector<std::string> domainLines;
    const char* ipx;
  };
  std::string unreachable = kWorld;
  unreachable.replace(unreachable.find("[Machine]"), std::string::npos, "Reachable = no\n");
  std::vector<std::string> unreachableLines = {"Finding Domain Controller - CORP", "Domain Controller Name = \\\\DC01"};
  for (int i = 0; i < 7; ++i) unreachableLines.push_back("Create File - \\\\DC01\\NETLOGON\\NonExist, returned - 53");
  unreachableLines.push_back("Failed to access remote file.");
  const std::vector<Case> cases = {
      {"pass phrase", "correct horse", kWorld,
       {"Finding Domain Controller - CORP", "Domain Controller Name = \\\\DC01",
        "Create File - \\\\DC01\\NETLOGON\\NonExist, returned - 2", "Access remote file is succeed."},
       "IPX protocol is supported on this machine."},
      {"64 hexadecimal digits", hexKey, unreachable, unreachableLines, "IPX protocol is not installed on this machine."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    useWorld(c.world);
    clearLines();
    HKEY sso = nullptr;
    RegCreateKeyEx(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Nerolt", 0, nullptr,
                   0, KEY_ALL_ACCESS, nullptr, &sso, nullptr);
    RegSetValueEx(sso, "WinlogonDomain", 0, REG_SZ, reinterpret_cast<const BYTE*>("CORP"), 5);
    RegCloseKey(sso);
    _PROFILE_DATA& p = profile("Home", 7, 6);
    std::memcpy(p.WpaPsk, c.passphrase.data(), c.passphrase.size());
    p.WpaPskLength = static_cast<DWORD>(c.passphrase.size());
    startAndConnect();
    ASSERT_TRUE(driveUntil([] { return ringHas("OK"); })) << ::testing::PrintToString(ringLines());
    EXPECT_TRUE(adapter().connected());
    std::vector<std::string> expected = {"Network is connecting...", "Starting network connection...",
                                         "Wireless client is authenticated.",
                                         "Network Link is connected.", "DHCP is Disabled - Static IP.",
                                         "Static IP address is 192.168.7.20.", "Detecting IPX Frame Type.", c.ipx};
    expected.insert(expected.end(), c.domainLines.begin(), c.domainLines.end());
    expected.push_back("OK");
    EXPECT_EQ(ringLines(), expected);
    EXPECT_EQ(host_.calls, std::vector<std::string>{"media"});
    host_.calls.clear();
    SupplicantClose();
  }
}

TEST_F(ConnectTest, TheServerChecksAcceptOnlyTheNamedServer) {
  struct Case {
    const char* name;
    DWORD nameRule;
    const char* serverName;
    bool connects;
  };
  for (const Case& c : {Case{"domain of the server", 1, "corp.example", true},
                        Case{"server's own name, any field", 0, "radius.corp.example", true},
                        Case{"another domain", 1, "other.example", false},
                        Case{"another name", 0, "radius.other.example", false}}) {
    SCOPED_TRACE(c.name);
    useWorld(kWorld);
    clearLines();
    _PROFILE_DATA& p = enterprise("Corp", kPeap, "alice", "secret");
    p.UseServerCert = 1;
    p.IntermediateCert = 1;
    p.NameRule = c.nameRule;
    PutText(p.ServerName, sizeof p.ServerName, c.serverName);
    const char root[] = "Harbor Root CA";
    std::memcpy(p.ServerCertData, root, sizeof root - 1);
    p.ServerCertLen = sizeof root - 1;
    startAndConnect();
    EXPECT_STREQ(GetCurrentPort()->Config.TrustedCa, "cert:ROOT/Harbor Root CA");
    ASSERT_TRUE(driveUntil([] {
      return ringHas("Wireless client is authenticated.") ||
             ringHas("Authentication failed - Identity or password is invalid.");
    }));
    EXPECT_EQ(adapter().connected() || ringHas("Wireless client is authenticated."), c.connects);
    SupplicantClose();
  }
}

TEST_F(ConnectTest, ARogueApReportReassociatesOnlyWhenAllowed) {
  for (int reassociate : {1, 0}) {
    SCOPED_TRACE(reassociate);
    useWorld(kWorld);
    clearLines();
    enterprise("Corp", kPeap, "alice", "secret");
    startAndConnect();
    ASSERT_TRUE(driveUntil([] { return adapter().connected(); }));
    const uint64_t joins = adapter().joinCount();
    g_nReassociate = reassociate;
    wavorel::sim::raiseSupplicantRequest(GetCurrentPort()->Handle, AC_REQ_CCX_ROGUE_AP, 0);
    pumpAll();
    EXPECT_EQ(adapter().joinCount(), joins + reassociate);
    EXPECT_EQ(driveUntil([] { return adapter().connected(); }, 3000), reassociate == 1);
    SupplicantClose();
  }
}

}  // namespace
}  // namespace supplicant::testing
