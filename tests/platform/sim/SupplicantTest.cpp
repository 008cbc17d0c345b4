// The supplicant library over the simulated adapter: ports and their
// attribute records, start-up and forced statuses, CCX, and the exchanges of
// every method on the library's own thread, driven on the virtual clock.
#include <cstring>

#include "SupplicantHarness.h"

namespace wavorel::sim::testing {
namespace {

constexpr const char* kGuid2 = "{11111111-2222-3333-4444-555555555555}";

const char* kWorld = R"(
[Adapter1]
HardwareId = USB\VID_148F&PID_3070
Family = 8
Guid = {6B29FC40-CA47-1067-B31D-00DD010662DA}
Description = 802.11n USB Wireless LAN Card
Mac = 00-0E-2E-5A-10-01
Bands = 2.4+5
HT = yes
Ccx = 4
[Adapter2]
HardwareId = PCI\VEN_1814&DEV_0301
Family = 7
Guid = {11111111-2222-3333-4444-555555555555}
Description = Plain G Card
Mac = 00-0E-2E-5A-10-02
[Network Corp]
Ssid = Corp
Bssid = 00-11-22-33-44-01
Security = WPA2-Enterprise
EapIdentity = alice
EapPassword = secret
EapDomain = CORP
EapServerName = radius.corp.example
EapServerIssuer = Harbor Root CA
Address = 10.1.0.7
DhcpDelay = 3
[Network Legacy]
Ssid = Legacy
Bssid = 00-11-22-33-44-02
Security = WPA-Enterprise
EapMethods = MD5, LEAP
EapPassword = secret
[Network DynWep]
Ssid = DynWep
Bssid = 00-11-22-33-44-03
Security = WEP-Enterprise
EapMethods = PEAP
[Network Silent]
Ssid = Silent
Bssid = 00-11-22-33-44-04
Security = WPA2-Enterprise
EapTimeout = 2
[Network Refuse]
Ssid = Refuse
Bssid = 00-11-22-33-44-05
Security = WPA2-Enterprise
Eap = reject
[Network Home]
Ssid = Home
Bssid = 00-11-22-33-44-06
Security = WPA2-PSK
Passphrase = correct horse
Address = 192.168.7.20
Dhcp = no
[Network Change]
Ssid = Change
Bssid = 00-11-22-33-44-07
Security = WPA2-Enterprise
EapMethods = PEAP
EapPassword = old-one
EapPasswordChange = yes
[Certificate Alice]
Store = MY
Subject = Alice Client
Expires = 2030-01-01
[Certificate Old]
Store = MY
Subject = Old Client
Expires = 2020-01-01
[Certificate Root]
Store = ROOT
Subject = Harbor Root CA
Expires = 2036-12-31
)";

class SupplicantTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    useWorld(kWorld);
  }
  // Lets `ms` pass in 10 ms steps, each time until the library's threads rest.
  void drive(uint64_t ms) {
    for (uint64_t t = 0; t < ms; t += 10) {
      clock().advance(10);
      ASSERT_TRUE(settleSupplicant());
    }
  }
  Adapter& adapter() { return machine().adapter(0); }
  bool contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
  }
};

TEST_F(SupplicantTest, PortsListEachPresentAdapterThenTheWiredAndTheWanPort) {
  machine().setPresent(kGuid2, false);
  std::vector<std::string> names;
  char name[64] = "";
  while (acGetNextPortSymName(name, sizeof name) == AC_OK) names.push_back(name);
  EXPECT_EQ(names, (std::vector<std::string>{std::string("\\DEVICE\\") + kDefaultGuid, kWiredPortName, kWanPortName}));

  char small[8] = "";
  EXPECT_EQ(acGetNextPortSymName(small, sizeof small), AC_ERR_BUFFER_TOO_SMALL);

  AC_PORT_ATTR attr{};
  EXPECT_EQ(acGetPortAttr(kWanPortName, &attr), AC_ERR_ALREADY);
  ASSERT_EQ(acGetPortAttr(kWiredPortName, &attr), AC_OK);
  EXPECT_EQ(attr.capabilities & 0x1Fu, AC_CAP_8023);
  EXPECT_EQ(attr.mtu, 1500);
  EXPECT_NE(0, std::memcmp(attr.mac, adapter().config().mac.data(), 6));
  EXPECT_EQ(acGetPortAttr(("\\DEVICE\\" + std::string(kGuid2)).c_str(), &attr), AC_ERR_NOT_FOUND);
}

TEST_F(SupplicantTest, AttributeRecordOfACcx80211nAdapterHasItsGoldenBytes) {
  AC_PORT_ATTR attr{};
  ASSERT_EQ(acGetPortAttr((std::string("\\DEVICE\\") + kDefaultGuid).c_str(), &attr), AC_OK);
  std::vector<uint8_t> bytes(reinterpret_cast<uint8_t*>(&attr), reinterpret_cast<uint8_t*>(&attr) + sizeof attr);
  std::vector<uint8_t> expected(280, 0);
  const char* name = "802.11n USB Wireless LAN Card";
  std::memcpy(expected.data(), name, std::strlen(name));
  const uint8_t tail[] = {0x00, 0x0E, 0x2E, 0x5A, 0x10, 0x01, 0, 0,  // MAC and 2 spare
                          0xDC, 0x05, 0, 0,                          // MTU 1500
                          0x1E, 0x0F, 0x3F, 0x00,                    // a/b/g/n, four ciphers, six auth kinds
                          4, 0, 0, 0,                                // CCX v4
                          0x03, 0x03, 0, 0};                         // CMIC, CKIP, both CCKM
  std::memcpy(expected.data() + 256, tail, sizeof tail);
  EXPECT_EQ(bytes, expected);

  ASSERT_EQ(acGetPortAttr(("\\DEVICE\\" + std::string(kGuid2)).c_str(), &attr), AC_OK);
  EXPECT_EQ(attr.capabilities & 0x1Fu, AC_CAP_80211B | AC_CAP_80211G);
  EXPECT_EQ(attr.ccxVersion, 0);
  EXPECT_EQ(attr.extra, 0u);
}

TEST_F(SupplicantTest, StartUpNeedsTheInitRecordAndRepeatsCleanly) {
  EXPECT_EQ(ac8021xInit(), AC_ERR_NOT_INITIALIZED);
  AC_INIT bad{[](int) { return 0; }, nullptr};
  EXPECT_EQ(acInit(&bad), AC_ERR_INVALID_PARAM);
  static std::vector<std::string> seen;
  seen.clear();
  AC_INIT init{[](int e) { return seen.push_back(acEventString(e)), 0; }, &acNetCallback};
  EXPECT_EQ(acInit(&init), AC_OK);
  EXPECT_EQ(acInit(&init), AC_OK);  // a second start-up is a start-up again
  for (int (*step)() : {ac8021xInit, acRsnInit, acEapInitAll, acCcxInit}) {
    EXPECT_EQ(step(), AC_OK);
    EXPECT_EQ(step(), AC_ERR_ALREADY);
  }
  EXPECT_EQ(acNetCallback(AC_NET_EVENT_ADAPTERS_CHANGED), AC_OK);
  EXPECT_EQ(seen, (std::vector<std::string>{"AC_EVENT_INIT", "AC_EVENT_INIT", "AC_EVENT_PORTS_CHANGED"}));
  EXPECT_STREQ(acEventString(99), "UNKNOWN");
  EXPECT_EQ(acDebugEnable(1, 1), AC_OK);
  EXPECT_EQ(acDebugEnable(18, 1), AC_OK);
  EXPECT_EQ(acDebugEnable(19, 1), AC_ERR_INVALID_PARAM);
}

TEST_F(SupplicantTest, AForcedStatusIsReturnedOnceWithoutEffect) {
  SupplicantClient client;
  AC_HANDLE port = client.attach();
  struct Case {
    const char* call;
    int status;
    std::function<int()> run;
  };
  std::vector<Case> cases = {
      {"acCcxRadioCfg", AC_ERR_RADIO_CFG_CHANGED, [&] { return acCcxRadioCfg(port, 7); }},
      {"acCcxRadioCfg", AC_ERR_NOT_CCX, [&] { return acCcxRadioCfg(port, 7); }},
      {"acCcxRadioCfg", AC_ERR_NO_RADIO_CFG, [&] { return acCcxRadioCfg(port, 7); }},
      {"acPortAuth", AC_ERR_ANSWER_IGNORED, [&] { return acPortAuth(port); }},
      {"acGetPortAttr", AC_ERR_ALREADY, [] { AC_PORT_ATTR a; return acGetPortAttr(kWiredPortName, &a); }},
      {"acEapInitAll", AC_ERR_FAILED, [] { return acEapInitAll(); }},
  };
  for (const Case& c : cases) {
    forceSupplicantStatus(c.call, c.status);
    EXPECT_EQ(c.run(), c.status) << c.call;
    EXPECT_EQ(c.run(), AC_OK) << c.call << " afterwards";
  }
  uint32_t flags = 0;
  ASSERT_EQ(acCcxGetRadioCfg(port, &flags), AC_OK);
  EXPECT_EQ(flags, 7u);
}

TEST_F(SupplicantTest, CcxRadioConfigurationFollowsTheAdaptersVersion) {
  struct Case {
    int ccx;
    uint32_t asked;
    int status;
    uint32_t kept;
  };
  for (Case c : {Case{0, 7, AC_ERR_NOT_CCX, 0}, Case{1, 7, AC_ERR_NO_RADIO_CFG, 0}, Case{2, 7, AC_OK, 7},
                 Case{2, 15, AC_ERR_RADIO_CFG_CHANGED, 7}, Case{3, 31, AC_ERR_RADIO_CFG_CHANGED, 15},
                 Case{4, 31, AC_OK, 31}}) {
    std::string world = kWorld;
    world.replace(world.find("Ccx = 4"), 7, "Ccx = " + std::to_string(c.ccx));
    useWorld(world);
    SupplicantClient client;
    AC_HANDLE port = client.attach();
    EXPECT_EQ(acCcxRadioCfg(port, c.asked), c.status) << "CCX " << c.ccx;
    uint32_t flags = 99;
    acCcxGetRadioCfg(port, &flags);
    EXPECT_EQ(flags, c.kept) << "CCX " << c.ccx;
  }
}

TEST_F(SupplicantTest, PeapExchangeRunsInOrderAndTheLinkComesOnlyAfterIt) {
  SupplicantClient client({"CORP\\alice", "alice", "secret", {kEapPeap}});
  AC_HANDLE port = client.attach();
  ASSERT_EQ(acPortAuth(port), AC_OK);
  ASSERT_EQ(client.associate("Corp", 20, 4), AC_OK);
  drive(600);  // past the world's EAP time: the exchange, not the clock, decides
  EXPECT_EQ(adapter().linkState(), LinkState::Eap);
  EXPECT_FALSE(adapter().connected());
  drive(600);
  EXPECT_TRUE(adapter().connected());
  EXPECT_EQ(client.requests(), (std::vector<std::string>{"2/0", "3/0", "4/0", "8/0", "3/1", "4/1", "5/1"}));
  EXPECT_EQ(client.events(), (std::vector<std::string>{"link 2", "state 3", "state 4", "state 5"}));
  EXPECT_TRUE(adapter().pairwiseMasterKey().has_value());
  uint32_t link = 0;
  acPortGetLinkState(port, &link);
  EXPECT_EQ(link, AC_LINK_UP);
}

struct MethodCase {
  const char* name;
  const char* ssid;
  uint32_t auth, cipher;
  ClientConfig client;
  std::vector<std::string> requests;
};

TEST_F(SupplicantTest, EachMethodAsksInItsOwnOrderAndConnects) {
  std::vector<MethodCase> cases = {
      {"TTLS", "Corp", 20, 4, {"alice", "alice", "secret", {kEapTtls}, 3}, {"2/0", "3/0", "4/0", "8/0", "15/0", "3/1", "5/1"}},
      {"TLS", "Corp", 20, 4, {"alice", "", "", {kEapTls}, 0, "Alice Client"}, {"2/0", "3/0", "4/0", "8/0", "9/0"}},
      {"MD5", "Legacy", 10, 3, {"bob", "", "secret", {kEapMd5}}, {"2/0", "3/0", "4/0", "5/0"}},
      {"LEAP", "Legacy", 10, 3, {"DOM\\bob", "", "secret", {kEapPeap, kEapLeap}}, {"2/0", "3/0", "4/0", "5/0"}},
      {"FAST", "Corp", 20, 4, {"CORP\\alice@x", "alice", "secret", {kEapFast}},
       {"2/0", "3/0", "4/0", "12/0", "18/0", "11/0", "8/0", "3/1", "4/1", "5/1", "13/0"}},
      {"dynamic WEP", "DynWep", 2, 2, {"carol", "carol", "pw", {kEapPeap}}, {"2/0", "3/0", "4/0", "8/0", "3/1", "4/1", "5/1"}},
  };
  for (const MethodCase& c : cases) {
    useWorld(kWorld);
    SupplicantClient client(c.client);
    AC_HANDLE port = client.attach();
    ASSERT_EQ(client.associate(c.ssid, c.auth, c.cipher), AC_OK) << c.name;
    drive(2000);
    EXPECT_TRUE(adapter().connected()) << c.name;
    EXPECT_EQ(client.requests(), c.requests) << c.name;
    uint32_t state = 0;
    acPortGetState(port, &state);
    EXPECT_EQ(state, AC_STATE_AUTHENTICATED) << c.name;
  }
}

TEST_F(SupplicantTest, DynamicWepInstallsTheSessionKeyAsTheWepKey) {
  SupplicantClient client({"carol", "carol", "pw", {kEapPeap}});
  client.attach();
  client.associate("DynWep", 2, 2);
  drive(1500);
  ASSERT_TRUE(adapter().connected());
  EXPECT_EQ(adapter().wepKey(0).size(), 13u);
}

struct FailureCase {
  const char* name;
  const char* ssid;
  ClientConfig client;
  uint32_t status;
};

TEST_F(SupplicantTest, FailuresEndWithTheirStatusAndNoLink) {
  std::vector<FailureCase> cases = {
      {"wrong password", "Corp", {"alice", "alice", "wrong", {kEapPeap}}, AC_STATUS_INVALID_CREDENTIALS},
      {"unknown user", "Corp", {"alice", "mallory", "secret", {kEapPeap}}, AC_STATUS_INVALID_CREDENTIALS},
      {"other domain", "Corp", {"alice", "OTHER\\alice", "secret", {kEapPeap}}, AC_STATUS_INVALID_CREDENTIALS},
      {"method not offered", "Legacy", {"bob", "", "secret", {kEapPeap}}, AC_STATUS_REJECTED},
      {"server refused", "Corp", {"alice", "alice", "secret", {kEapPeap}, 26, "", 0}, AC_STATUS_REJECTED},
      {"expired certificate", "Corp", {"alice", "", "", {kEapTls}, 0, "Old Client"}, AC_STATUS_REJECTED},
      {"network rejects", "Refuse", {"alice", "alice", "secret", {kEapPeap}}, AC_STATUS_REJECTED},
  };
  for (const FailureCase& c : cases) {
    useWorld(kWorld);
    SupplicantClient client(c.client);
    client.attach();
    bool wpa = std::string(c.ssid) == "Legacy";  // WPA with TKIP
    client.associate(c.ssid, wpa ? 10 : 20, wpa ? 3 : 4);
    drive(2000);
    EXPECT_FALSE(adapter().connected()) << c.name;
    std::vector<std::string> events = client.events();
    ASSERT_FALSE(events.empty()) << c.name;
    EXPECT_TRUE(contains(events, "status " + std::to_string(c.status))) << c.name;
    EXPECT_FALSE(contains(events, "state 5")) << c.name;
  }
}

TEST_F(SupplicantTest, AfterARefusedPasswordTheNextExchangeAsksForItAsARetry) {
  SupplicantClient client({"alice", "alice", "wrong", {kEapPeap}});
  client.attach();
  const auto lastRequestOfExchange = [&] {
    client.associate("Corp", 20, 4);
    drive(2000);
    return client.requests().back();
  };
  EXPECT_EQ(lastRequestOfExchange(), "5/1");
  EXPECT_FALSE(adapter().connected());
  EXPECT_EQ(lastRequestOfExchange(), "7/1");
  EXPECT_FALSE(adapter().connected());
  client.config().password = "secret";
  EXPECT_EQ(lastRequestOfExchange(), "7/1");
  EXPECT_TRUE(adapter().connected());
  // Once the password was taken, it is asked for plainly again.
  EXPECT_EQ(lastRequestOfExchange(), "5/1");
  EXPECT_TRUE(adapter().connected());
}

TEST_F(SupplicantTest, ASilentServerTimesOutAfterItsTime) {
  SupplicantClient client;
  client.attach();
  client.associate("Silent", 20, 4);
  drive(1500);
  EXPECT_FALSE(contains(client.events(), "status 305"));
  drive(1000);
  EXPECT_TRUE(contains(client.events(), "status 305"));
  EXPECT_EQ(client.requests(), (std::vector<std::string>{"2/0", "3/0"}));
  EXPECT_EQ(adapter().linkState(), LinkState::Idle);
}

TEST_F(SupplicantTest, ADeferredRequestHoldsTheExchangeUntilAnswered) {
  ClientConfig config{"alice", "alice", "secret", {kEapPeap}};
  config.deferKinds = {AC_REQ_IDENTITY};
  SupplicantClient client(config);
  AC_HANDLE port = client.attach();
  client.associate("Corp", 20, 4);
  drive(3000);
  EXPECT_EQ(client.requests(), (std::vector<std::string>{"2/0", "3/0"}));
  ASSERT_EQ(client.deferred().size(), 1u);
  // An answer of another kind does not fit; a request that is not pending is no request.
  AC_CRED_REQUEST pending = client.deferred()[0];
  AC_OBJECT pw = 0;
  acPasswordCreate(&pw, "x", 1);
  EXPECT_EQ(acCredPassword(port, &pending, pw), AC_ERR_ANSWER_IGNORED);
  AC_CRED_REQUEST stale = pending;
  stale.id += 100;
  EXPECT_EQ(acCredComplete(port, &stale), AC_ERR_INVALID_HANDLE);
  client.answerDeferred();
  drive(500);
  EXPECT_EQ(client.requests().back(), "3/1");
  client.answerDeferred();  // the inner identity is put off too
  drive(1500);
  EXPECT_TRUE(adapter().connected());
}

TEST_F(SupplicantTest, PreSharedKeyConnectsAfterTheHandshakeWithTheKeyGiven) {
  struct Case {
    const char* name;
    bool binary;
    const char* passphrase;
    bool connects;
  };
  for (Case c : {Case{"pass phrase", false, "correct horse", true}, Case{"64 hex digits", true, "correct horse", true},
                 Case{"wrong pass phrase", false, "wrong horse!", false}}) {
    useWorld(kWorld);
    SupplicantClient client;
    AC_HANDLE port = client.attach();
    AC_OBJECT psk = 0;
    Psk key = wpaPassphraseKey(c.passphrase, "Home");
    if (c.binary)
      ASSERT_EQ(acRsnBinPskCreate(&psk, key.data(), 32), AC_OK);
    else
      ASSERT_EQ(acRsnPskCreate(&psk, c.passphrase, static_cast<uint32_t>(strlen(c.passphrase)),
                               reinterpret_cast<const uint8_t*>("Home"), 4),
                AC_OK);
    ASSERT_EQ(acCredRsnPsk(port, psk), AC_OK);
    ASSERT_EQ(client.associate("Home", 21, 4), AC_OK);
    drive(60);
    EXPECT_EQ(adapter().linkState(), LinkState::AwaitingKey) << c.name;  // the key comes from the exchange
    drive(1000);
    EXPECT_EQ(adapter().connected(), c.connects) << c.name;
    std::vector<std::string> events = client.events();
    EXPECT_TRUE(contains(events, "state 7/3")) << c.name;
    EXPECT_EQ(contains(events, "state 5"), c.connects) << c.name;
    EXPECT_EQ(contains(events, "status 302"), !c.connects) << c.name;
    if (c.connects) {
      EXPECT_EQ(adapter().pairwiseMasterKey(), std::optional<Psk>(key)) << c.name;
    }
  }
}

TEST_F(SupplicantTest, AssociateStopAndDisassociateChangeTheLinkAsTheySay) {
  SupplicantClient client({"alice", "alice", "secret", {kEapPeap}});
  AC_HANDLE port = client.attach();
  client.associate("Corp", 20, 4);
  drive(1500);
  ASSERT_TRUE(adapter().connected());
  uint64_t joins = adapter().joinCount();

  // Stop ends following the adapter but leaves the link.
  EXPECT_EQ(acPortStop(port), AC_OK);
  drive(200);
  EXPECT_TRUE(adapter().connected());

  // A second association drops the first before it joins again (one join more, never two at once).
  client.associate("Corp", 20, 4);
  EXPECT_EQ(adapter().joinCount(), joins + 1);
  drive(1500);
  EXPECT_TRUE(adapter().connected());
  EXPECT_EQ(adapter().joinCount(), joins + 1);

  EXPECT_EQ(acPortDisassociate(port), AC_OK);
  drive(100);
  EXPECT_FALSE(adapter().connected());
  EXPECT_EQ(adapter().linkState(), LinkState::Idle);
  std::vector<std::string> events = client.events();
  EXPECT_EQ(std::vector<std::string>(events.end() - 2, events.end()), (std::vector<std::string>{"link 1", "status 2"}));
  EXPECT_EQ(acPortDisassociate(port), AC_ERR_ALREADY);
}

TEST_F(SupplicantTest, AnyRequestKindCanBeRaisedAndAnsweredOnlyByItsOwnAnswer) {
  SupplicantClient client;
  AC_HANDLE port = client.attach();
  raiseSupplicantRequest(port, AC_REQ_CCX_ROGUE_AP, 0);
  raiseSupplicantRequest(port, 99, 0);  // a kind nobody answers: the port goes on
  raiseSupplicantRequest(port, AC_REQ_CCX_ROGUE_AP, 1);
  ASSERT_TRUE(settleSupplicant());
  EXPECT_EQ(client.requests(), (std::vector<std::string>{"16/0", "99/0", "16/1"}));
}

TEST_F(SupplicantTest, EapFastProvisionsOnceAndTakesOnlyThePacsItIssued) {
  ClientConfig config{"CORP\\alice", "alice", "secret", {kEapFast}};
  SupplicantClient first(config);
  first.attach();
  first.associate("Corp", 20, 4);
  drive(2000);
  ASSERT_TRUE(adapter().connected());
  EXPECT_TRUE(contains(first.events(), "state 7/317"));
  auto [key, opaque] = first.provisioned();
  ASSERT_EQ(key.size(), 32u);
  acPortDetach(first.port());

  struct Case {
    const char* name;
    std::string key, opaque;
    uint64_t laterMs;
    std::string outcome;
  };
  std::string forged = opaque;
  forged[20] ^= 1;
  for (Case c : {Case{"issued", key, opaque, 0, "state 5"}, Case{"forged", key, forged, 0, "status 318"},
                 Case{"expired", key, opaque, 91ULL * 24 * 3600 * 1000, "status 319"}}) {
    clock().advance(c.laterMs);
    AC_OBJECT pac = 0;
    ASSERT_EQ(acEapFASTPacCreate(&pac, reinterpret_cast<const uint8_t*>(c.key.data()), 32,
                                 reinterpret_cast<const uint8_t*>(c.opaque.data()),
                                 static_cast<uint32_t>(c.opaque.size())),
              AC_OK);
    ClientConfig withPac = config;
    withPac.pac = pac;
    SupplicantClient next(withPac);
    next.attach();
    next.associate("Corp", 20, 4);
    drive(2000);
    EXPECT_TRUE(contains(next.events(), c.outcome)) << c.name;
    EXPECT_FALSE(contains(next.requests(), "13/0")) << c.name;
    acEapFASTPacDestroy(pac);
  }
}

TEST_F(SupplicantTest, ThePasswordChangeBecomesTheServersPassword) {
  ClientConfig config{"alice", "alice", "old-one", {kEapPeap}};
  config.newPassword = "new-one";
  SupplicantClient client(config);
  AC_HANDLE port = client.attach();
  client.associate("Change", 20, 4);
  drive(2000);
  ASSERT_TRUE(adapter().connected());
  EXPECT_TRUE(contains(client.requests(), "6/1"));
  acPortDisassociate(port);
  client.config().password = "old-one";
  client.associate("Change", 20, 4);
  drive(2000);
  EXPECT_TRUE(contains(client.events(), "status 302"));
}

TEST_F(SupplicantTest, IpStateFollowsTheNetworksAddressAndDhcp) {
  SupplicantClient client({"alice", "alice", "secret", {kEapPeap}});
  AC_HANDLE port = client.attach();
  client.associate("Corp", 20, 4);
  drive(1500);
  int connected = 0, dhcp = 0;
  uint8_t address[4] = {1, 1, 1, 1};
  ASSERT_EQ(acIpIsConnected(port, &connected), AC_OK);
  EXPECT_EQ(connected, 1);
  ASSERT_EQ(acIpDhcpIsEnabled(port, &dhcp), AC_OK);
  EXPECT_EQ(dhcp, 1);
  acIpGetConfig(port, address);
  EXPECT_EQ(std::vector<uint8_t>(address, address + 4), (std::vector<uint8_t>{0, 0, 0, 0}));
  drive(3000);  // the DHCP server answers after DhcpDelay
  acIpGetConfig(port, address);
  EXPECT_EQ(std::vector<uint8_t>(address, address + 4), (std::vector<uint8_t>{10, 1, 0, 7}));
  EXPECT_EQ(acIpDhcpRenew(port), AC_OK);
  acIpGetConfig(port, address);
  EXPECT_EQ(address[0], 0);

  acPortDisassociate(port);
  drive(50);
  AC_OBJECT psk = 0;
  acRsnPskCreate(&psk, "correct horse", 13, reinterpret_cast<const uint8_t*>("Home"), 4);
  acCredRsnPsk(port, psk);
  client.associate("Home", 21, 4);
  drive(1000);
  ASSERT_EQ(acIpDhcpIsEnabled(port, &dhcp), AC_OK);
  EXPECT_EQ(dhcp, 0);
  acIpGetConfig(port, address);
  EXPECT_EQ(std::vector<uint8_t>(address, address + 4), (std::vector<uint8_t>{192, 168, 7, 20}));
  EXPECT_EQ(acIpDhcpRenew(port), AC_ERR_ALREADY);
}

TEST_F(SupplicantTest, BadHandlesAndOversizedInputsAreRefused) {
  AC_OBJECT o = 0;
  uint32_t value = 0;
  char text[300] = {};
  std::memset(text, 'a', sizeof text);
  uint8_t bytes[1100] = {};
  AC_CRED_REQUEST request{};
  struct Case {
    const char* name;
    int status;
    int expected;
  };
  for (Case c : {
           Case{"auth on no port", acPortAuth(0), AC_ERR_INVALID_HANDLE},
           Case{"state on no port", acPortGetState(77, &value), AC_ERR_INVALID_HANDLE},
           Case{"complete on no port", acCredComplete(0, &request), AC_ERR_INVALID_HANDLE},
           Case{"identity of 300 bytes", acIdentityCreate(&o, text, 300), AC_ERR_INVALID_PARAM},
           Case{"pass phrase of 64", acRsnPskCreate(&o, text, 64, bytes, 4), AC_ERR_INVALID_PARAM},
           Case{"pass phrase of 7", acRsnPskCreate(&o, text, 7, bytes, 4), AC_ERR_INVALID_PARAM},
           Case{"binary key of 31", acRsnBinPskCreate(&o, bytes, 31), AC_ERR_INVALID_PARAM},
           Case{"PAC over 1024", acEapFASTPacCreate(&o, bytes, 32, bytes, 1000), AC_ERR_INVALID_PARAM},
           Case{"PAC key over 1024", acEapFASTPacCreate(&o, bytes, 1025, bytes, 1), AC_ERR_INVALID_PARAM},
           Case{"destroy of none", acIdentityDestroy(12345), AC_ERR_INVALID_HANDLE},
           Case{"certificate not in MY", acCertUrlWin32String(AC_CERT_URL_MY, "Harbor Root CA", text, 300), AC_ERR_NOT_FOUND},
       })
    EXPECT_EQ(c.status, c.expected) << c.name;
  // A text without a terminator is read to its length.
  ASSERT_EQ(acIdentityCreate(&o, text, 128), AC_OK);
  EXPECT_EQ(SupplicantLibrary::instance().object(o, SupplicantObject::Kind::Identity)->data.size(), 128u);
}

TEST_F(SupplicantTest, DetachingDuringADeferredRequestEndsTheThread) {
  ClientConfig config;
  config.deferKinds = {AC_REQ_IDENTITY};
  SupplicantClient client(config);
  AC_HANDLE port = client.attach();
  client.associate("Corp", 20, 4);
  drive(500);
  ASSERT_EQ(client.deferred().size(), 1u);
  EXPECT_EQ(acPortDetach(port), AC_OK);
  EXPECT_EQ(acPortDetach(port), AC_ERR_INVALID_HANDLE);
  // The held EAP step is the world's again.
  drive(600);
  EXPECT_TRUE(adapter().connected());
}

}  // namespace
}  // namespace wavorel::sim::testing
