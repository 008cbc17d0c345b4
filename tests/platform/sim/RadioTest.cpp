#include "SimTest.h"

#include <map>
#include <set>

#include "platform/sim/crypto/Pbkdf2.h"
#include "platform/sim/crypto/Sha1.h"
#include "platform/wire/NdisBssidList.h"

namespace wavorel::sim::testing {
namespace {

constexpr DWORD OID_802_11_BSSID = 0x0D010101;
constexpr DWORD OID_802_11_SSID_SET = 0x0D810102;
constexpr DWORD OID_802_11_INFRASTRUCTURE_MODE_SET = 0x0D810108;
constexpr DWORD OID_802_11_AUTHENTICATION_MODE_SET = 0x0D810118;
constexpr DWORD OID_802_11_ENCRYPTION_STATUS_SET = 0x0D81011B;
constexpr DWORD OID_802_11_ADD_KEY_SET = 0x0D81011D;
constexpr DWORD OID_802_11_BSSID_LIST_SCAN_SET = 0x0D81011A;
constexpr DWORD OID_802_11_BSSID_LIST = 0x0D010217;
constexpr DWORD OID_802_11_RSSI = 0x0D010206;
constexpr DWORD OID_802_11_STATISTICS = 0x0D020212;
constexpr DWORD OID_GEN_MEDIA_CONNECT_STATUS = 0x00010114;
constexpr DWORD OID_VX_LINK_EVENT = 0xFF0C000D;
constexpr DWORD OID_VX_RSSI1 = 0xFF0C0010;
constexpr DWORD OID_VX_RSSI2 = 0xFF0C0022;
constexpr DWORD OID_VX_LINK_STATUS = 0xFF0C0009;
constexpr DWORD OID_VX_RESET_COUNTERS = 0xFF8C000C;

std::string hex(const uint8_t* p, size_t n) {
  std::string s;
  char two[3];
  for (size_t i = 0; i < n; ++i) {
    std::snprintf(two, sizeof two, "%02x", p[i]);
    s += two;
  }
  return s;
}

TEST(RadioKeysTest, Sha1AndPbkdf2MatchPublishedVectors) {
  const char* abc = "abc";
  EXPECT_EQ(hex(Sha1::of(reinterpret_cast<const uint8_t*>(abc), 3).data(), 20),
            "a9993e364706816aba3e25717850c26c9cd0d89d");
  struct Case {
    std::string password, salt;
    uint32_t rounds;
    size_t length;
    const char* expected;
  };
  const Case cases[] = {
      {"password", "salt", 1, 20, "0c60c80f961f0e71f3a9b524af6012062fe037a6"},
      {"password", "salt", 2, 20, "ea6c014dc72d6f8ccd1ed92ace1d41f0d8de8957"},
      {"password", "salt", 4096, 20, "4b007901b765489abead49d926f721d065a429c1"},
      {"passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096, 25,
       "3d2eec4fe41c849b80c8d83662c0e44a8b291a964cf2f07038"},
      {std::string("pass\0word", 9), std::string("sa\0lt", 5), 4096, 16, "56fa6aa75548099dcc37d7f03425e0c3"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> key = pbkdf2Sha1(c.password, c.salt, c.rounds, c.length);
    EXPECT_EQ(hex(key.data(), key.size()), c.expected) << c.password;
  }
  // The WPA mapping: passphrase "password", SSID "IEEE".
  Psk psk = wpaPassphraseKey("password", "IEEE");
  EXPECT_EQ(hex(psk.data(), psk.size()), "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e");
}

// One record of the BSS list, read at its documented offsets.
struct Bss {
  std::string bssid;
  std::string ssidField;
  uint32_t privacy;
  int32_t rssi;
  uint32_t beaconPeriod;
  uint32_t dsConfigKhz;
  uint32_t infrastructure;
  uint64_t timestamp;
  uint16_t beaconInterval;
  uint16_t capability;
  std::map<int, std::vector<std::vector<uint8_t>>> elements;  // id -> contents
};

std::vector<Bss> parseList(const std::vector<uint8_t>& list) {
  namespace bss = wire::ndis::bssid;
  namespace fixed = wire::ndis::fixed;
  namespace cfg = wire::ndis::configuration;
  std::vector<Bss> out;
  if (list.size() < 4) return out;
  uint32_t count = u32At(list, 0);
  size_t at = 4;
  for (uint32_t i = 0; i < count; ++i) {
    EXPECT_LE(at + bss::kHeadSize, list.size());
    if (at + bss::kHeadSize > list.size()) break;
    uint32_t length = u32At(list, at + bss::kLength);
    uint32_t ieLength = u32At(list, at + bss::kIeLength);
    EXPECT_EQ(length, bss::kHeadSize + ieLength);
    EXPECT_LE(at + length, list.size());
    EXPECT_GE(ieLength, fixed::kSize) << "the element area starts with the fixed fields";
    Bss b;
    b.bssid = hex(&list[at + bss::kMacAddress], 6);
    uint32_t ssidLength = u32At(list, at + bss::kSsidLength);
    EXPECT_LE(ssidLength, 32u);
    b.ssidField.assign(reinterpret_cast<const char*>(&list[at + bss::kSsid]), std::min<uint32_t>(ssidLength, 32));
    b.privacy = u32At(list, at + bss::kPrivacy);
    b.rssi = static_cast<int32_t>(u32At(list, at + bss::kRssi));
    EXPECT_EQ(u32At(list, at + bss::kConfiguration + cfg::kLength), 32u);
    b.beaconPeriod = u32At(list, at + bss::kConfiguration + cfg::kBeaconPeriod);
    b.dsConfigKhz = u32At(list, at + bss::kConfiguration + cfg::kDsConfig);
    b.infrastructure = u32At(list, at + bss::kInfrastructureMode);
    const uint8_t* area = &list[at + bss::kIes];
    b.timestamp = wire::getU64(area + fixed::kTimestamp);
    b.beaconInterval = wire::getU16(area + fixed::kBeaconInterval);
    b.capability = wire::getU16(area + fixed::kCapabilities);
    size_t ie = at + bss::kIes + fixed::kSize, end = at + bss::kIes + ieLength;
    while (ie + 2 <= end) {
      uint8_t id = list[ie], len = list[ie + 1];
      EXPECT_LE(ie + 2 + len, end) << "element " << int(id) << " runs past the record";
      if (ie + 2 + len > end) break;
      b.elements[id].emplace_back(list.begin() + ie + 2, list.begin() + ie + 2 + len);
      ie += 2 + len;
    }
    EXPECT_EQ(ie, end);
    out.push_back(b);
    at += length;
  }
  EXPECT_EQ(at, list.size());
  return out;
}

// WPS attributes (big-endian type and length) of a vendor element.
std::map<int, std::vector<uint8_t>> wpsAttributes(const std::vector<uint8_t>& e) {
  std::map<int, std::vector<uint8_t>> out;
  size_t at = 4;
  while (at + 4 <= e.size()) {
    const int type = wire::getU16be(&e[at]);
    const size_t len = wire::getU16be(&e[at + 2]);
    out[type].assign(e.begin() + at + 4, e.begin() + at + 4 + std::min(len, e.size() - at - 4));
    at += 4 + len;
  }
  return out;
}

class RadioTest : public SimTest {
 protected:
  std::vector<Bss> scan() {
    set(OID_802_11_BSSID_LIST_SCAN_SET, {});
    clock().advance(kScanDurationMs);
    return parseList(query(OID_802_11_BSSID_LIST, 65536));
  }
  void connect(const std::string& ssid, uint32_t auth, uint32_t encryption) {
    setU32(OID_802_11_INFRASTRUCTURE_MODE_SET, 1);
    setU32(OID_802_11_AUTHENTICATION_MODE_SET, auth);
    setU32(OID_802_11_ENCRYPTION_STATUS_SET, encryption);
    std::vector<uint8_t> s(36, 0);
    s[0] = static_cast<uint8_t>(ssid.size());
    std::copy(ssid.begin(), ssid.end(), s.begin() + 4);
    set(OID_802_11_SSID_SET, s);
  }
  void addKey(uint32_t index, const std::string& material) {
    std::vector<uint8_t> k(39 + material.size(), 0);
    uint32_t length = static_cast<uint32_t>(k.size()), keyLength = static_cast<uint32_t>(material.size());
    std::memcpy(&k[0], &length, 4);
    std::memcpy(&k[4], &index, 4);
    std::memcpy(&k[8], &keyLength, 4);
    std::fill(k.begin() + 12, k.begin() + 18, 0xFF);
    std::memcpy(&k[32], material.data(), material.size());
    set(OID_802_11_ADD_KEY_SET, k);
  }
  bool connected() { return queryU32(OID_GEN_MEDIA_CONNECT_STATUS) == 0; }
};

TEST_F(RadioTest, ScanFindsTheWorldsNetworksWithTheirElements) {
  set(OID_802_11_BSSID_LIST_SCAN_SET, {});
  clock().advance(kScanDurationMs - 1);
  EXPECT_EQ(query(OID_802_11_BSSID_LIST, 65536), u32(0)) << "no results before the scan ends";
  clock().advance(1);
  std::vector<Bss> list = parseList(query(OID_802_11_BSSID_LIST, 65536));
  ASSERT_EQ(list.size(), 8u);
  std::map<std::string, Bss> bySsid;
  for (const Bss& b : list) {
    ASSERT_EQ(b.elements.count(0), 1u);
    const std::vector<uint8_t>& ssid = b.elements.at(0)[0];
    bySsid[b.ssidField.empty() ? "<hidden>" : std::string(ssid.begin(), ssid.end())] = b;
    ASSERT_EQ(b.elements.count(1), 1u) << "supported rates";
    ASSERT_EQ(b.elements.count(3), 1u) << "DS parameter set";
    uint8_t channel = b.elements.at(3)[0][0];
    EXPECT_EQ(b.dsConfigKhz, channel <= 14 ? 2407000u + 5000u * channel : 5000000u + 5000u * channel);
    EXPECT_GE(b.rssi, -100);
    EXPECT_LE(b.rssi, -10);
    EXPECT_EQ(b.beaconInterval, b.beaconPeriod) << "the fixed fields carry the beacon interval";
    EXPECT_EQ((b.capability & 0x0010) != 0, b.privacy == 1) << "and the capability information";
    EXPECT_EQ(b.capability & 0x0003, b.infrastructure == 1 ? 0x0001 : 0x0002);
    EXPECT_EQ(b.timestamp, clock().tickMs() * 1000) << "heard when the scan ended";
  }
  ASSERT_EQ(bySsid.count("<hidden>"), 1u);
  EXPECT_EQ(bySsid["<hidden>"].elements.at(0)[0], std::vector<uint8_t>(8, 0)) << "hidden: zeros of the SSID's length";

  EXPECT_EQ(bySsid["CafeFree"].privacy, 0u);
  EXPECT_EQ(bySsid["CafeFree"].elements.count(48) + bySsid["CafeFree"].elements.count(221), 0u);
  EXPECT_EQ(bySsid["OldRouter"].privacy, 1u);

  // RSN: version 1, group CCMP, one pairwise CCMP, one AKM PSK.
  const std::vector<uint8_t>& rsn = bySsid["HomeNet"].elements.at(48)[0];
  EXPECT_EQ(rsn, (std::vector<uint8_t>{1, 0, 0x00, 0x0F, 0xAC, 4, 1, 0, 0x00, 0x0F, 0xAC, 4, 1, 0, 0x00, 0x0F, 0xAC,
                                       2, 0, 0}));
  EXPECT_EQ(bySsid["CorpWLAN"].elements.at(48)[0][17], 1) << "802.1X AKM";
  // WPA vendor element: OUI 00-50-F2 type 1, group TKIP.
  const std::vector<uint8_t>& wpa = bySsid["ShopNet"].elements.at(221)[0];
  EXPECT_EQ(std::vector<uint8_t>(wpa.begin(), wpa.begin() + 10),
            (std::vector<uint8_t>{0x00, 0x50, 0xF2, 1, 1, 0, 0x00, 0x50, 0xF2, 2}));

  // WPS: push button on PrintHub, PIN on HomeNet.
  auto wpsOf = [&](const std::string& ssid) {
    for (const auto& e : bySsid[ssid].elements[221])
      if (e.size() >= 4 && e[0] == 0x00 && e[1] == 0x50 && e[2] == 0xF2 && e[3] == 4) return wpsAttributes(e);
    return std::map<int, std::vector<uint8_t>>{};
  };
  auto pbc = wpsOf("PrintHub");
  EXPECT_EQ(pbc[0x104A], std::vector<uint8_t>{0x10});
  EXPECT_EQ(pbc[0x1044], std::vector<uint8_t>{2});
  EXPECT_EQ(pbc[0x1012], (std::vector<uint8_t>{0, 4}));
  EXPECT_EQ(pbc[0x1041], std::vector<uint8_t>{1});
  EXPECT_EQ(pbc[0x1047].size(), 16u);
  EXPECT_EQ(wpsOf("HomeNet")[0x1012], (std::vector<uint8_t>{0, 0}));
  EXPECT_TRUE(wpsOf("CafeFree").empty());

  // 802.11n networks carry HT capabilities (26 bytes) and information.
  EXPECT_EQ(bySsid["Fast5G"].elements.at(45)[0].size(), 26u);
  EXPECT_EQ(bySsid["Fast5G"].elements.at(45)[0][2], 0x1B) << "A-MPDU: 64 KB, at least 8 us between MPDUs";
  EXPECT_EQ(bySsid["Fast5G"].elements.at(61)[0][0], 149);
  EXPECT_EQ(bySsid["CafeFree"].elements.count(45), 0u);
}

TEST_F(RadioTest, AssociationChecksSecurityAndKeys) {
  auto wep = [](const char* hexKey) {
    std::string k;
    for (size_t i = 0; hexKey[i]; i += 2) k.push_back(static_cast<char>(std::stoi(std::string(hexKey + i, 2), nullptr, 16)));
    return k;
  };
  auto psk = [](const char* passphrase, const char* ssid) {
    Psk p = wpaPassphraseKey(passphrase, ssid);
    return std::string(p.begin(), p.end());
  };
  struct Case {
    const char* ssid;
    uint32_t auth, encryption;
    std::string key;  // empty: none
    bool connects;
    uint32_t event;
  };
  const Case cases[] = {
      {"CafeFree", 0, 1, "", true, 0},
      {"CafeFree", 0, 0, "", false, 6},                                // privacy where there is none
      {"OldRouter", 1, 0, wep("0123456789"), true, 0},
      {"OldRouter", 1, 0, wep("0123456780"), false, 5},                // shared authentication fails
      {"HomeNet", 7, 6, psk("correct horse battery", "HomeNet"), true, 0},  // address 192.168.1.23
      {"HomeNet", 7, 6, psk("correct horse battery!", "HomeNet"), false, 8},
      {"HomeNet", 7, 4, psk("correct horse battery", "HomeNet"), false, 6},  // TKIP on a CCMP-only network
      {"HomeNet", 4, 6, psk("correct horse battery", "HomeNet"), false, 6},  // WPA on a WPA2 network
      {"ShopNet", 4, 4, psk("shopkeeper2009", "ShopNet"), true, 0},
      {"Backroom", 7, 6, psk("nobody knows", "Backroom"), true, 0},    // hidden, joined by name
      {"CorpWLAN", 6, 6, "", true, 10},
      {"Nowhere", 0, 1, "", false, 1},
  };
  for (const Case& c : cases) {
    if (!c.key.empty()) addKey(0x80000000u, c.key);
    connect(c.ssid, c.auth, c.encryption);
    clock().advance(associationMs() + std::max(timing().handshakeMs, timing().eapMs));
    EXPECT_EQ(connected(), c.connects) << c.ssid << " auth " << c.auth;
    EXPECT_EQ(queryU32(OID_VX_LINK_EVENT), c.event) << c.ssid << " auth " << c.auth;
    if (c.connects) {
      std::vector<uint8_t> bssid = query(OID_802_11_BSSID, 6);
      EXPECT_NE(bssid, std::vector<uint8_t>(6, 0));
    }
    std::vector<uint8_t> address = query(0x0D71011F, 4);
    EXPECT_EQ(address, c.connects && std::string(c.ssid) == "HomeNet" ? (std::vector<uint8_t>{192, 168, 1, 23})
                                                                       : std::vector<uint8_t>(4, 0));
    set(0x0D810115, {});  // disassociate
    set(0x0D81011C, u32(0));  // reload default keys
  }
}

TEST_F(RadioTest, TheFourWayHandshakeTakesItsTimeOnceTheKeyIsThere) {
  struct Case {
    const char* passphrase;
    bool keyFirst;
    bool connects;
    uint32_t event;
  };
  const Case cases[] = {
      {"correct horse battery", true, true, 0},
      {"correct horse battery", false, true, 0},  // the key completes a waiting association
      {"wrong horse battery", true, false, 8},    // handshake timeout, only once the time is up
      {"wrong horse battery", false, false, 8},
  };
  const std::vector<uint8_t> home = {0x00, 0x1D, 0x7E, 0x11, 0x22, 0x01};
  for (const Case& c : cases) {
    Psk p = wpaPassphraseKey(c.passphrase, "HomeNet");
    std::string key(p.begin(), p.end());
    if (c.keyFirst) addKey(0x80000000u, key);
    connect("HomeNet", 7, 6);
    if (c.keyFirst) {
      clock().advance(associationMs());
    } else {
      clock().advance(1000);
      EXPECT_FALSE(connected()) << "waits for its key";
      EXPECT_EQ(query(OID_802_11_BSSID, 6), home) << "associated while it waits";
      addKey(0x80000000u, key);
    }
    clock().advance(timing().handshakeMs - 1);
    EXPECT_FALSE(connected()) << c.passphrase;
    EXPECT_EQ(queryU32(OID_VX_LINK_EVENT), 1u) << "no outcome yet";
    EXPECT_EQ(query(OID_802_11_BSSID, 6), home) << "associated during the handshake";
    clock().advance(1);
    EXPECT_EQ(connected(), c.connects) << c.passphrase;
    EXPECT_EQ(queryU32(OID_VX_LINK_EVENT), c.event) << c.passphrase;
    set(0x0D810115, {});      // disassociate
    set(0x0D81011C, u32(0));  // reload default keys
  }
}

TEST_F(RadioTest, WrongWepKeyAssociatesButItsFramesFailDecryption) {
  struct Case {
    const char* key;
    bool icvError;
  };
  const Case cases[] = {{"\x01\x23\x45\x67\x89", false}, {"\x01\x23\x45\x67\x80", true}};
  for (const Case& c : cases) {
    addKey(0x80000000u, std::string(c.key, 5));
    connect("OldRouter", 0, 0);  // open authentication
    clock().advance(associationMs());
    ASSERT_TRUE(connected());
    std::vector<uint8_t> before = query(OID_802_11_STATISTICS, 200);
    uint32_t received = queryU32(0x00020102);  // OID_GEN_RCV_OK
    clock().advance(10000);
    std::vector<uint8_t> after = query(OID_802_11_STATISTICS, 200);
    auto grew = [&](size_t offset) { return u64At(after, offset) - u64At(before, offset); };
    const uint64_t failing = c.icvError ? 500u : 0u;
    EXPECT_EQ(u32At(after, 0), 200u);
    EXPECT_EQ(grew(8), 200u) << "frames go out either way";
    EXPECT_EQ(grew(80), 500u) << "and come in";
    EXPECT_EQ(queryU32(0x00020102) - received, 500u - failing) << "received as decrypted";
    EXPECT_EQ(grew(168), failing) << "WEP undecryptable";
    EXPECT_EQ(grew(176), failing) << "WEP ICV errors";
    EXPECT_EQ(grew(184), 500u - failing) << "decrypted";
    EXPECT_EQ(grew(192), failing) << "decryption failed";
    std::vector<uint8_t> small = query(OID_802_11_STATISTICS, 176);
    ASSERT_EQ(small.size(), 176u) << "the smaller record: the counters that fit";
    EXPECT_EQ(u32At(small, 0), 176u);
    EXPECT_EQ(u64At(small, 168), u64At(after, 168));
    EXPECT_EQ(queryU32(0x0D710133), c.icvError ? 1u : 0u) << "ICV error flag";
    set(0x0D810115, {});
    set(0x0D81011C, u32(0));
  }
}

TEST_F(RadioTest, TrafficCountsFromTheEndOfTheHandshake) {
  Psk p = wpaPassphraseKey("correct horse battery", "HomeNet");
  addKey(0x80000000u, std::string(p.begin(), p.end()));
  connect("HomeNet", 7, 6);
  clock().advance(pskJoinMs() + 10000);
  EXPECT_EQ(u64At(query(OID_802_11_STATISTICS, 200), 8), 200u) << "10 s of 20 frames a second";
}

TEST_F(RadioTest, SignalCountersAndLinkMoveWithVirtualTime) {
  connect("CafeFree", 0, 1);  // -67 dBm, variation 6
  clock().advance(associationMs());
  ASSERT_TRUE(connected());
  std::set<int32_t> seen;
  for (int i = 0; i < 30; ++i) {
    int32_t rssi = static_cast<int32_t>(queryU32(OID_802_11_RSSI));
    EXPECT_GE(rssi, -73);
    EXPECT_LE(rssi, -61);
    EXPECT_EQ(static_cast<int32_t>(queryU32(OID_VX_RSSI1)), rssi - 2);
    seen.insert(rssi);
    clock().advance(1000);
  }
  EXPECT_GE(seen.size(), 5u) << "the signal varies";
  EXPECT_EQ(static_cast<int32_t>(queryU32(OID_VX_RSSI2)), -200) << "a two-chain adapter has no third chain";

  std::vector<uint8_t> before = query(OID_802_11_STATISTICS, 200);
  std::vector<uint8_t> linkBefore = query(OID_VX_LINK_STATUS, 20);
  clock().advance(10000);
  std::vector<uint8_t> after = query(OID_802_11_STATISTICS, 200);
  std::vector<uint8_t> linkAfter = query(OID_VX_LINK_STATUS, 20);
  EXPECT_EQ(u64At(after, 8) - u64At(before, 8), 200u) << "20 frames a second sent";
  EXPECT_EQ(u64At(after, 80) - u64At(before, 80), 500u) << "50 frames a second received";
  EXPECT_GT(u32At(linkAfter, 8), u32At(linkBefore, 8));
  EXPECT_EQ(u32At(linkAfter, 16), 1u) << "central channel";

  set(OID_VX_RESET_COUNTERS, {});
  std::vector<uint8_t> reset = query(OID_802_11_STATISTICS, 200);
  EXPECT_EQ(u64At(reset, 8), 0u);
  EXPECT_EQ(u64At(reset, 80), 0u);
  std::vector<uint8_t> linkReset = query(OID_VX_LINK_STATUS, 20);
  EXPECT_EQ(u32At(linkReset, 8), 0u) << "station mode: the byte counts restart too";
  EXPECT_EQ(u32At(linkReset, 12), 0u);
  clock().advance(2000);
  std::vector<uint8_t> linkLater = query(OID_VX_LINK_STATUS, 20);
  EXPECT_GT(u32At(linkLater, 8), 0u);
  EXPECT_LT(u32At(linkLater, 8), u32At(linkAfter, 8) - u32At(linkBefore, 8));
}

TEST_F(RadioTest, SoftwareRadioOffDropsTheLinkAndHearsNothing) {
  ASSERT_EQ(scan().size(), 8u);
  connect("CafeFree", 0, 1);
  clock().advance(associationMs());
  ASSERT_TRUE(connected());
  machine().adapter(0).setRadio(false);
  EXPECT_FALSE(connected());
  EXPECT_EQ(queryU32(OID_VX_LINK_EVENT), 3u);
  EXPECT_EQ(u32At(query(0xFF710111, 32), 20), 0u) << "configuration block: radio off";
  EXPECT_TRUE(parseList(query(OID_802_11_BSSID_LIST, 65536)).empty()) << "old results are gone";
  EXPECT_TRUE(scan().empty());
  machine().adapter(0).setRadio(true);
  EXPECT_EQ(scan().size(), 8u);
  EXPECT_EQ(u32At(query(0xFF710111, 32), 20), 1u);
}

TEST_F(RadioTest, NetworksComeAndGoWithTheWorldsTimes) {
  useWorld(std::string(defaultWorldText()) +
           "[Network Bus]\nSsid = BusWifi\nBssid = 00-1D-7E-11-22-09\nChannel = 11\nSignal = -50\n"
           "Appears = 10\nLeaves = 40\n");
  auto ssids = [&] {
    std::set<std::string> out;
    for (const Bss& b : scan()) out.insert(b.ssidField);
    return out;
  };
  EXPECT_EQ(ssids().count("BusWifi"), 0u);
  clock().advance(10000);
  EXPECT_EQ(ssids().count("BusWifi"), 1u);
  connect("BusWifi", 0, 1);
  clock().advance(associationMs());
  EXPECT_TRUE(connected());
  clock().advance(30000);
  EXPECT_FALSE(connected());
  EXPECT_EQ(queryU32(OID_VX_LINK_EVENT), 1u);
  EXPECT_EQ(ssids().count("BusWifi"), 0u);
}

}  // namespace
}  // namespace wavorel::sim::testing
