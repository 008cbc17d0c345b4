// Joining a network step by step on the virtual clock, with the world's
// times, and what the driver answers at each step.
#include "SimTest.h"

#include "platform/sim/crypto/Pbkdf2.h"

namespace wavorel::sim::testing {
namespace {

constexpr DWORD OID_802_11_BSSID = 0x0D010101;
constexpr DWORD OID_802_11_SSID = 0x0D010102;
constexpr DWORD OID_802_11_SSID_SET = 0x0D810102;
constexpr DWORD OID_802_11_INFRASTRUCTURE_MODE_SET = 0x0D810108;
constexpr DWORD OID_802_11_AUTHENTICATION_MODE_SET = 0x0D810118;
constexpr DWORD OID_802_11_ENCRYPTION_STATUS_SET = 0x0D81011B;
constexpr DWORD OID_802_11_ADD_KEY_SET = 0x0D81011D;
constexpr DWORD OID_802_11_RSSI = 0x0D010206;
constexpr DWORD OID_GEN_MEDIA_CONNECT_STATUS = 0x00010114;
constexpr DWORD OID_VX_LINK_EVENT = 0xFF0C000D;
constexpr DWORD OID_VX_TX_RATE = 0xFF0C000E;
constexpr DWORD OID_VX_LINK_STATUS = 0xFF0C0009;

// The default world with slow steps, so that each one can be looked into.
const char* kTiming = "[Machine]\nAuthenticationMs = 100\nAssociationMs = 50\nHandshakeMs = 400\nEapMs = 900\n";

class JoinTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    useWorld(std::string(defaultWorldText()) + kTiming);
  }
  void join(const std::string& ssid, uint32_t auth, uint32_t encryption, const std::string& key = "") {
    setU32(OID_802_11_INFRASTRUCTURE_MODE_SET, 1);
    setU32(OID_802_11_AUTHENTICATION_MODE_SET, auth);
    setU32(OID_802_11_ENCRYPTION_STATUS_SET, encryption);
    if (!key.empty()) {
      std::vector<uint8_t> k(32 + key.size(), 0);
      wire::putU32(&k[0], static_cast<uint32_t>(k.size()));
      wire::putU32(&k[4], 0x80000000u);
      wire::putU32(&k[8], static_cast<uint32_t>(key.size()));
      std::copy(key.begin(), key.end(), k.begin() + 32);
      set(OID_802_11_ADD_KEY_SET, k);
    }
    std::vector<uint8_t> s(36, 0);
    s[0] = static_cast<uint8_t>(ssid.size());
    std::copy(ssid.begin(), ssid.end(), s.begin() + 4);
    set(OID_802_11_SSID_SET, s);
  }
  LinkState state() { return machine().adapter(0).linkState(); }
  bool connected() { return queryU32(OID_GEN_MEDIA_CONNECT_STATUS) == 0; }
  // The error of a query that must fail, 0 when it answered.
  DWORD queryError(DWORD oid, DWORD size) {
    std::vector<uint8_t> b(size, 0);
    DWORD returned = 0, error = 0;
    request(oid, b, returned, error);
    return error;
  }
  std::string ssidAnswer() {
    std::vector<uint8_t> b = query(OID_802_11_SSID, 36);
    return std::string(b.begin() + 4, b.begin() + 4 + u32At(b, 0));
  }
};

std::string pskOf(const char* passphrase, const char* ssid) {
  Psk p = wpaPassphraseKey(passphrase, ssid);
  return std::string(p.begin(), p.end());
}

TEST_F(JoinTest, EveryKindOfNetworkPassesThroughItsStepsOnTheWorldsTimes) {
  ASSERT_EQ(timing().authenticationMs, 100u);
  ASSERT_EQ(timing().eapMs, 900u);
  struct Case {
    const char* ssid;
    uint32_t auth, encryption;
    std::string key;
    std::vector<std::pair<uint64_t, LinkState>> steps;  // after that many more ms: the state
    uint32_t event;
  };
  const Case cases[] = {
      {"CafeFree", 0, 1, "", {{99, LinkState::Authenticating}, {1, LinkState::Associating}, {49, LinkState::Associating},
                              {1, LinkState::Connected}}, 0},
      {"OldRouter", 1, 0, "\x01\x23\x45\x67\x89", {{100, LinkState::Associating}, {50, LinkState::Connected}}, 0},
      {"HomeNet", 7, 6, pskOf("correct horse battery", "HomeNet"),
       {{100, LinkState::Associating}, {50, LinkState::Handshake}, {399, LinkState::Handshake},
        {1, LinkState::Connected}}, 0},
      {"CorpWLAN", 6, 6, "", {{150, LinkState::Eap}, {899, LinkState::Eap}, {1, LinkState::Connected}}, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ssid);
    join(c.ssid, c.auth, c.encryption, c.key);
    EXPECT_EQ(state(), LinkState::Authenticating);
    for (const auto& [ms, expected] : c.steps) {
      clock().advance(ms);
      EXPECT_EQ(state(), expected) << "after " << ms << " ms more";
      EXPECT_EQ(connected(), expected == LinkState::Connected);
    }
    EXPECT_EQ(queryU32(OID_VX_LINK_EVENT), c.event);
    set(0x0D810115, {});      // disassociate
    set(0x0D81011C, u32(0));  // reload default keys
  }
}

TEST_F(JoinTest, QueriesAnswerAsTheDriverDoesAtEachStep) {
  const std::vector<uint8_t> home = {0x00, 0x1D, 0x7E, 0x11, 0x22, 0x01};
  EXPECT_EQ(queryError(OID_802_11_BSSID, 6), static_cast<DWORD>(ERROR_NOT_READY)) << "never associated";
  EXPECT_EQ(queryError(OID_802_11_RSSI, 4), static_cast<DWORD>(ERROR_NOT_READY));
  EXPECT_EQ(ssidAnswer(), "");

  join("HomeNet", 7, 6, pskOf("correct horse battery", "HomeNet"));
  // Authentication and association frames: not associated yet.
  EXPECT_EQ(queryError(OID_802_11_BSSID, 6), static_cast<DWORD>(ERROR_NOT_READY));
  EXPECT_EQ(queryError(OID_802_11_RSSI, 4), static_cast<DWORD>(ERROR_NOT_READY));
  EXPECT_EQ(ssidAnswer(), "HomeNet") << "not associated: the SSID last set";
  EXPECT_EQ(queryU32(OID_VX_TX_RATE), 0u);
  EXPECT_EQ(u32At(query(OID_VX_LINK_STATUS, 20), 0), 0u) << "no rate without an association";
  EXPECT_FALSE(connected());

  // The handshake: associated, the medium still disconnected.
  clock().advance(150);
  ASSERT_EQ(state(), LinkState::Handshake);
  EXPECT_EQ(query(OID_802_11_BSSID, 6), home);
  int32_t rssi = static_cast<int32_t>(queryU32(OID_802_11_RSSI));
  EXPECT_GE(rssi, -49);
  EXPECT_LE(rssi, -41);
  EXPECT_NE(queryU32(OID_VX_TX_RATE), 0u);
  EXPECT_FALSE(connected());

  clock().advance(400);
  EXPECT_TRUE(connected());
  EXPECT_EQ(query(OID_802_11_BSSID, 6), home);

  // Leaving: BSSID and RSSI fail again, the SSID set is forgotten.
  set(0x0D810115, {});
  EXPECT_EQ(queryError(OID_802_11_BSSID, 6), static_cast<DWORD>(ERROR_NOT_READY));
  EXPECT_EQ(queryError(OID_802_11_RSSI, 4), static_cast<DWORD>(ERROR_NOT_READY));
  EXPECT_EQ(ssidAnswer(), "");
}

TEST_F(JoinTest, EachCheckFailsTheJoinAtItsOwnStep) {
  struct Case {
    const char* what;
    std::string world;
    const char* ssid;
    uint32_t auth, encryption;
    std::string key;
    uint64_t failsAfterMs;
    uint32_t event;
  };
  const std::string base = std::string(defaultWorldText()) + kTiming;
  const Case cases[] = {
      {"wrong shared key: at the end of authentication", base, "OldRouter", 1, 0, "\x01\x23\x45\x67\x80", 100, 5},
      {"TKIP on a CCMP-only network: at the end of association", base, "HomeNet", 7, 4,
       pskOf("correct horse battery", "HomeNet"), 150, 6},
      {"wrong pre-shared key: at the end of the handshake", base, "HomeNet", 7, 6,
       pskOf("wrong horse battery", "HomeNet"), 550, 8},
      {"802.1X refused: at the end of the EAP exchange",
       base + "[Network Refuse]\nSsid = Refuse\nBssid = 00-1D-7E-11-22-0A\nChannel = 11\nSecurity = WPA2-Enterprise\n"
              "Eap = reject\n",
       "Refuse", 6, 6, "", 1050, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    useWorld(c.world);
    join(c.ssid, c.auth, c.encryption, c.key);
    clock().advance(c.failsAfterMs - 1);
    EXPECT_NE(state(), LinkState::Idle);
    EXPECT_EQ(queryU32(OID_VX_LINK_EVENT), 1u) << "no outcome yet";
    clock().advance(1);
    EXPECT_EQ(state(), LinkState::Idle);
    EXPECT_EQ(queryU32(OID_VX_LINK_EVENT), c.event);
    EXPECT_FALSE(connected());
  }
}

}  // namespace
}  // namespace wavorel::sim::testing
