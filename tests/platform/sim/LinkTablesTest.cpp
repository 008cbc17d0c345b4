#include "SimTest.h"

namespace wavorel::sim::testing {
namespace {

constexpr DWORD OID_VX_BLOCK_ACK_QUERY = 0xFF0C0025;
constexpr DWORD OID_VX_BLOCK_ACK_ADD = 0xFF8C0025;
constexpr DWORD OID_VX_BLOCK_ACK_DELETE = 0xFF8C0027;
constexpr DWORD OID_VX_DLS_CAPABLE = 0xFFF10131;
constexpr DWORD OID_VX_DLS_LINKS_QUERY = 0xFF710132;
constexpr DWORD OID_VX_DLS_LINKS_SET = 0xFFF10132;

const std::vector<uint8_t> kCafe = {0x00, 0x1D, 0x7E, 0x11, 0x22, 0x02};
const std::vector<uint8_t> kOther = {0x00, 0x23, 0x76, 0x00, 0x00, 0x09};

class RadioLinkTablesTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    std::vector<uint8_t> ssid(36, 0);
    ssid[0] = 8;
    std::memcpy(&ssid[4], "CafeFree", 8);
    set(0x0D810102, ssid);
    clock().advance(associationMs());
    ASSERT_EQ(queryU32(0x00010114), 0u) << "connected";
  }
  DWORD session(DWORD oid, const std::vector<uint8_t>& peer, uint8_t tid, uint8_t window, uint8_t all = 0) {
    std::vector<uint8_t> r(14, 0);
    std::copy(peer.begin(), peer.end(), r.begin() + 1);
    r[7] = tid;
    r[8] = window;
    r[12] = all;
    DWORD returned = 0, error = 0;
    request(oid, r, returned, error);
    return error;
  }
  DWORD link(const std::vector<uint8_t>& peer, uint16_t timeout, uint8_t inUse) {
    std::vector<uint8_t> e(12, 0);
    std::memcpy(e.data(), &timeout, 2);
    std::copy(peer.begin(), peer.end(), e.begin() + 4);
    e[11] = inUse;
    DWORD returned = 0, error = 0;
    request(OID_VX_DLS_LINKS_SET, e, returned, error);
    return error;
  }
};

TEST_F(RadioLinkTablesTest, BlockAckSessionsWithThePeersOfTheLinkOnly) {
  EXPECT_EQ(session(OID_VX_BLOCK_ACK_ADD, kCafe, 0, 64), 0u);
  EXPECT_EQ(session(OID_VX_BLOCK_ACK_ADD, kCafe, 5, 32), 0u);
  EXPECT_EQ(session(OID_VX_BLOCK_ACK_ADD, kOther, 0, 64), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(session(OID_VX_BLOCK_ACK_ADD, kCafe, 8, 64), static_cast<DWORD>(ERROR_INVALID_PARAMETER)) << "TID 0-7";
  std::vector<uint8_t> t = query(OID_VX_BLOCK_ACK_QUERY, 3076);
  ASSERT_EQ(t.size(), 3076u);
  EXPECT_EQ(t[3072], 1) << "originator entries";
  EXPECT_EQ(t[3073], 0) << "recipient entries";
  EXPECT_EQ(std::vector<uint8_t>(t.begin(), t.begin() + 6), kCafe);
  EXPECT_EQ(t[6], 0x21) << "TIDs 0 and 5";
  EXPECT_EQ(t[8], 64);
  EXPECT_EQ(t[13], 32);

  EXPECT_EQ(session(OID_VX_BLOCK_ACK_DELETE, kCafe, 0, 0), 0u);
  EXPECT_EQ(query(OID_VX_BLOCK_ACK_QUERY, 3076)[6], 0x20);
  EXPECT_EQ(session(OID_VX_BLOCK_ACK_DELETE, kCafe, 0, 0, 1), 0u) << "all sessions";
  EXPECT_EQ(query(OID_VX_BLOCK_ACK_QUERY, 3076)[3072], 0);

  EXPECT_EQ(session(OID_VX_BLOCK_ACK_ADD, kCafe, 1, 16), 0u);
  set(0x0D810115, {});  // disassociate
  EXPECT_EQ(query(OID_VX_BLOCK_ACK_QUERY, 3076)[3072], 0) << "sessions end with the link";
}

TEST_F(RadioLinkTablesTest, DirectLinksNeedTheSwitchAndEndAfterTheirTimeout) {
  EXPECT_EQ(link(kOther, 10, 1), static_cast<DWORD>(ERROR_INVALID_PARAMETER)) << "DLS is off";
  setU32(OID_VX_DLS_CAPABLE, 1);
  EXPECT_EQ(link(kOther, 10, 1), 0u);
  std::vector<uint8_t> t = query(OID_VX_DLS_LINKS_QUERY, 48);
  ASSERT_EQ(t.size(), 48u);
  EXPECT_EQ(t[0] | (t[1] << 8), 10);
  EXPECT_EQ(std::vector<uint8_t>(t.begin() + 4, t.begin() + 10), kOther);
  EXPECT_EQ(t[10], 2) << "established";
  EXPECT_EQ(t[11], 1) << "in use";
  clock().advance(10000);
  EXPECT_EQ(query(OID_VX_DLS_LINKS_QUERY, 48), std::vector<uint8_t>(48, 0)) << "timed out";

  EXPECT_EQ(link(kOther, 0, 1), 0u);
  EXPECT_EQ(link(kOther, 0, 0), 0u);
  EXPECT_EQ(query(OID_VX_DLS_LINKS_QUERY, 48), std::vector<uint8_t>(48, 0)) << "torn down";
  for (uint8_t i = 0; i < 4; ++i) {
    std::vector<uint8_t> peer = kOther;
    peer[5] = i;
    EXPECT_EQ(link(peer, 0, 1), 0u);
  }
  EXPECT_EQ(link(kCafe, 0, 1), static_cast<DWORD>(ERROR_INVALID_PARAMETER)) << "four links at most";
}

TEST_F(RadioLinkTablesTest, TheLinksPeersFillTheStationTableAndTakeBlockAckSessions) {
  constexpr DWORD OID_VX_STATION_TABLE = 0xFF0C0029;
  std::vector<uint8_t> t = query(OID_VX_STATION_TABLE, 324);
  ASSERT_EQ(t.size(), 324u);
  EXPECT_EQ(t[0], 1) << "the access point";
  EXPECT_EQ(std::vector<uint8_t>(t.begin() + 4, t.begin() + 10), kCafe);
  setU32(OID_VX_DLS_CAPABLE, 1);
  EXPECT_EQ(link(kOther, 0, 1), 0u);
  t = query(OID_VX_STATION_TABLE, 324);
  EXPECT_EQ(t[0], 2);
  EXPECT_EQ(std::vector<uint8_t>(t.begin() + 14, t.begin() + 20), kOther) << "then the direct link's peer";
  EXPECT_EQ(session(OID_VX_BLOCK_ACK_ADD, kOther, 2, 8), 0u) << "a direct link's peer is a Block-Ack peer";

  set(0x0D810115, {});  // disassociate
  EXPECT_EQ(query(OID_VX_STATION_TABLE, 324), std::vector<uint8_t>(324, 0)) << "no link, no peers";
}

}  // namespace
}  // namespace wavorel::sim::testing
