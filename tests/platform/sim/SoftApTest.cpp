#include "SimTest.h"

namespace wavorel::sim::testing {
namespace {

constexpr DWORD OID_VX_AP_MODE_SET = 0xFF8C001A;
constexpr DWORD OID_VX_ADD_KEY = 0xFF8C0038;
constexpr DWORD OID_VX_ACCESS_CONTROL = 0xFF8C0046;
constexpr DWORD OID_VX_STATION_TABLE = 0xFF0C0029;
constexpr DWORD OID_VX_EVENT_LOG = 0xFF0C0043;
constexpr DWORD OID_802_11_SSID_SET = 0x0D810102;

const std::vector<uint8_t> kPhone = {0x00, 0x23, 0x76, 0xAB, 0xCD, 0x01};

class RadioSoftApTest : public SimTest {
 protected:
  void startAp(const std::string& passphrase, const std::vector<uint8_t>& acl = {}) {
    setU32(OID_VX_AP_MODE_SET, 1);
    std::vector<uint8_t> ssid(36, 0);
    ssid[0] = 14;
    std::memcpy(&ssid[4], "Wavorel-SoftAP", 14);
    set(OID_802_11_SSID_SET, ssid);
    Psk key = wpaPassphraseKey(passphrase, "Wavorel-SoftAP");
    std::vector<uint8_t> record(71, 0);
    record[0] = 71;
    record[7] = 0x80;  // transmit key 0
    record[8] = 32;
    std::copy(key.begin(), key.end(), record.begin() + 32);
    set(OID_VX_ADD_KEY, record);
    if (!acl.empty()) set(OID_VX_ACCESS_CONTROL, acl);
  }
  // The events of one read: {code, MAC}.
  std::vector<std::pair<uint16_t, std::vector<uint8_t>>> events() {
    std::vector<uint8_t> b = query(OID_VX_EVENT_LOG, 168);
    std::vector<std::pair<uint16_t, std::vector<uint8_t>>> out;
    for (uint32_t i = 0; i < u32At(b, 0) && i < 10; ++i) {
      const uint8_t* e = &b[8 + 16 * i];
      out.push_back({static_cast<uint16_t>(e[14] | (e[15] << 8)), std::vector<uint8_t>(e + 8, e + 14)});
    }
    return out;
  }
};

TEST_F(RadioSoftApTest, StationComesWithTheRightKeyAndLeavesOnTime) {
  startAp("softap-secret");
  ASSERT_EQ(events().size(), 1u) << "restart";
  EXPECT_EQ(u32At(query(OID_VX_STATION_TABLE, 324), 0), 0u);
  clock().advance(5000);
  std::vector<uint8_t> table = query(OID_VX_STATION_TABLE, 324);
  ASSERT_EQ(table.size(), 324u) << "802.11n form";
  EXPECT_EQ(u32At(table, 0), 1u);
  EXPECT_EQ(std::vector<uint8_t>(table.begin() + 4, table.begin() + 10), kPhone);
  EXPECT_EQ(table[10], 1) << "AID";
  auto e = events();
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].first, 1) << "associated";
  EXPECT_EQ(e[0].second, kPhone);
  EXPECT_TRUE(events().empty()) << "read once";

  clock().advance(115000);
  EXPECT_EQ(u32At(query(OID_VX_STATION_TABLE, 324), 0), 0u);
  e = events();
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].first, 2) << "left";
}

TEST_F(RadioSoftApTest, WrongKeyOrAccessListKeepsTheStationOut) {
  startAp("another-secret");
  events();
  clock().advance(5000);
  EXPECT_EQ(u32At(query(OID_VX_STATION_TABLE, 324), 0), 0u);
  auto e = events();
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].first, 5) << "invalid PSK";

  setU32(OID_VX_AP_MODE_SET, 0);
  std::vector<uint8_t> acl(264, 0);
  acl[0] = 2;  // reject the listed stations
  acl[4] = 1;
  std::copy(kPhone.begin(), kPhone.end(), acl.begin() + 8);
  startAp("softap-secret", acl);
  events();
  clock().advance(5000);
  EXPECT_EQ(u32At(query(OID_VX_STATION_TABLE, 324), 0), 0u);
  EXPECT_TRUE(events().empty());
}

}  // namespace
}  // namespace wavorel::sim::testing
