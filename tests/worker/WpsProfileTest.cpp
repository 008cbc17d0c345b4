// The WPS credential table as the driver hands it over and the station
// profile one credential makes.
#include <cstring>

#include <gtest/gtest.h>

#include "platform/wire/Bytes.h"
#include "worker/ModuleFunctions.h"
#include "worker/WpsWorker.h"

namespace worker::testing {
namespace {

constexpr DWORD kTable = wavorel::wire::wps::table::kSize;
constexpr DWORD kRecord = wavorel::wire::wps::credential::kSize;

struct Credential {
  std::string ssid;
  DWORD auth = 1, encryption = 1, keyIndex = 0;
  std::string key;
  BYTE mac[6] = {0x00, 0x1D, 0x7E, 0x11, 0x22, 0x06};
  DWORD ssidLength = 0xFFFFFFFF;  // the SSID's size unless given
  DWORD keyLength = 0xFFFFFFFF;
};

// A driver answer of `count` (as stated) and the credentials.
std::vector<BYTE> Table(DWORD count, const std::vector<Credential>& credentials) {
  std::vector<BYTE> raw(kTable, 0);
  wavorel::wire::putU32(raw.data(), count);
  for (size_t i = 0; i < credentials.size() && i < 8; ++i) {
    const Credential& c = credentials[i];
    BYTE* r = raw.data() + 4 + i * kRecord;
    wavorel::wire::putU32(r, c.ssidLength == 0xFFFFFFFF ? static_cast<DWORD>(c.ssid.size()) : c.ssidLength);
    std::memcpy(r + 4, c.ssid.data(), std::min<size_t>(c.ssid.size(), 32));
    wavorel::wire::putU32(r + 36, c.auth);
    wavorel::wire::putU32(r + 40, c.encryption);
    wavorel::wire::putU32(r + 44, c.keyIndex);
    wavorel::wire::putU32(r + 48, c.keyLength == 0xFFFFFFFF ? static_cast<DWORD>(c.key.size()) : c.keyLength);
    std::memcpy(r + 52, c.key.data(), std::min<size_t>(c.key.size(), 64));
    std::memcpy(r + 116, c.mac, 6);
  }
  return raw;
}

class WpsProfileTest : public ::testing::Test {
 protected:
  void TearDown() override { g_wscCredentialTable = _WSC_CREDENTIAL_TABLE{}; }
  static _PROFILE_DATA ProfileOf(const Credential& c) {
    const std::vector<BYTE> raw = Table(1, {c});
    LoadWpsCredentialTable(raw.data(), kTable);
    _PROFILE_DATA p;
    EXPECT_TRUE(FillProfileFromWpsCredential(0, p));
    return p;
  }
};

TEST_F(WpsProfileTest, DriverLengthsAreClampedToTheTable) {
  Credential c;
  c.ssid = std::string(32, 'S');
  c.ssidLength = 40;
  c.key = std::string(64, 'k');
  c.keyLength = 300;
  std::vector<BYTE> raw = Table(9, std::vector<Credential>(8, c));
  LoadWpsCredentialTable(raw.data(), kTable);
  EXPECT_EQ(static_cast<DWORD>(WpsCredentialCount()), 8u);
  EXPECT_EQ(WpsCredentialAt(7).SsidLength, 32u);
  EXPECT_EQ(WpsCredentialAt(7).KeyLength, 64u);

  LoadWpsCredentialTable(raw.data(), 4 + 2 * kRecord + 10);
  EXPECT_EQ(static_cast<DWORD>(WpsCredentialCount()), 2u) << "only records answered whole count";
  EXPECT_EQ(WpsCredentialAt(2).SsidLength, 0u);
  LoadWpsCredentialTable(raw.data(), 3);
  EXPECT_EQ(static_cast<DWORD>(WpsCredentialCount()), 0u);
}

TEST_F(WpsProfileTest, SecurityOfTheCredentialTypes) {
  const struct {
    DWORD auth, encryption;
    DWORD authMode, cipher;
  } table[] = {{1, 1, 0, 1},  {2, 4, 4, 4},  {34, 12, 4, 4}, {4, 2, 1, 0},
               {8, 4, 3, 4},  {16, 8, 6, 6}, {32, 8, 7, 6},  {64, 16, 0, 1}};
  for (const auto& row : table) {
    Credential c;
    c.ssid = "Net";
    c.auth = row.auth;
    c.encryption = row.encryption;
    const _PROFILE_DATA p = ProfileOf(c);
    EXPECT_EQ(p.AuthMode, row.authMode) << row.auth;
    EXPECT_EQ(p.CipherMode, row.cipher) << row.encryption;
  }
}

TEST_F(WpsProfileTest, InfrastructureProfileWithSsidBssidAndPassphrase) {
  Credential c;
  c.ssid = "PrintHub";
  c.auth = 32;
  c.encryption = 12;
  c.key = "printmeplease";
  const _PROFILE_DATA p = ProfileOf(c);
  EXPECT_EQ(p.NetworkType, 1u);
  EXPECT_EQ(p.PreambleType, 2u);
  EXPECT_EQ(p.RtsThresh, 2347u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(p.Ssid.Ssid), p.Ssid.SsidLength), "PrintHub");
  EXPECT_EQ(std::vector<BYTE>(p.Bssid, p.Bssid + 6), (std::vector<BYTE>{0x00, 0x1D, 0x7E, 0x11, 0x22, 0x06}));
  EXPECT_EQ(p.UseBssid, 0u);
  EXPECT_EQ(p.Valid, 1u);
  EXPECT_EQ(p.ConnectThroughNativeWiFi, 1u);
  EXPECT_EQ(p.AdvancedValid, 0u);
  EXPECT_EQ(std::string(p.WpaPsk, p.WpaPskLength), "printmeplease");
  for (const NdisKeyBlock& key : p.WepKey) EXPECT_TRUE(key.empty());
}

TEST_F(WpsProfileTest, WepKeysKeepTheirFirstThirteenBytes) {
  const struct {
    std::string key;
    DWORD index;
    std::vector<BYTE> material;  // empty: no block
  } table[] = {
      {"0123456789", 1, {0x01, 0x23, 0x45, 0x67, 0x89}},
      {"ABCDEFGHIJKLM", 0, {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M'}},
      {"ABCDEFGHIJKLMNOP", 3, {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M'}},
      {"00112233445566778899AABBCC", 2, {0, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC}},
      {"abcde", 0, {'a', 'b', 'c', 'd', 'e'}},
      {"0123456789", 4, {}},
      {"", 0, {}},
  };
  for (const auto& row : table) {
    Credential c;
    c.ssid = "OldRouter";
    c.auth = 1;
    c.encryption = 2;
    c.keyIndex = row.index;
    c.key = row.key;
    const _PROFILE_DATA p = ProfileOf(c);
    EXPECT_EQ(p.CipherMode, 0u);
    for (DWORD i = 0; i < 4; ++i) {
      const NdisKeyBlock& block = p.WepKey[i];
      if (i != row.index || row.material.empty()) {
        EXPECT_TRUE(block.empty()) << row.key << " block " << i;
        continue;
      }
      const DWORD held = static_cast<DWORD>(row.material.size());
      ASSERT_EQ(block.size(), 39u + held) << row.key;
      EXPECT_EQ(wavorel::wire::getU32(block.data()), 39u + held);
      EXPECT_EQ(KeyBlockIndex(block), row.index | 0x80000000u);
      EXPECT_EQ(KeyBlockKeyLength(block), held);
      EXPECT_EQ(std::vector<BYTE>(block.begin() + 12, block.begin() + 18), std::vector<BYTE>(6, 0xFF));
      EXPECT_EQ(std::vector<BYTE>(block.begin() + 32, block.begin() + 32 + held), row.material) << row.key;
      EXPECT_EQ(std::vector<BYTE>(block.begin() + 32 + held, block.end()), std::vector<BYTE>(7, 0)) << row.key;
    }
  }
}

TEST_F(WpsProfileTest, IndexOutsideTheTableFillsNothing) {
  Credential c;
  c.ssid = "Net";
  const std::vector<BYTE> raw = Table(1, {c});
  LoadWpsCredentialTable(raw.data(), kTable);
  _PROFILE_DATA p;
  EXPECT_FALSE(FillProfileFromWpsCredential(1, p));
  EXPECT_FALSE(FillProfileFromWpsCredential(-1, p));
  EXPECT_EQ(p.Valid, 0u);
}

}  // namespace
}  // namespace worker::testing
