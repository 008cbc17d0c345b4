// The XP WPS store: the "WscProfile" tree written from the credential table,
// the "WSC" flag with the BSSID read back, and the tree read into the table
// with its bad values cut.
#include <cstring>
#include <string>

#include "platform/win/kernel/Account.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/WpsRecords.h"
#include "tests/worker/ModuleTest.h"
#include "tests/xp/worker/RegistryDump.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"
#include "xp/worker/WpsRegistryStore.h"

namespace xpworker::testing {
namespace {

namespace table = wavorel::wire::wps::table;
namespace credential = wavorel::wire::wps::credential;
using wavorel::wire::putU32;

class WpsRegistryStoreTest : public worker::testing::ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    g_wscCredentialTable.fill(0);
    std::memset(g_wpsBssid, 0, sizeof g_wpsBssid);
    g_nWpsConfigMode = 1;
    g_nWpsWirelessMode = 2;
    g_nWpsPinCode = 12345670;
    g_bWpsConnect = 1;
  }
  static std::string wsc() { return std::string(g_strDriverKey) + "\\WscProfile"; }
  // Credential `slot`: SSID bytes with a length word that may say less.
  static void putCredential(size_t slot, const char* ssid, DWORD ssidLength, const char* key, DWORD keyLength) {
    BYTE* r = g_wscCredentialTable.data() + table::recordAt(slot);
    putU32(r + credential::kSsidLength, ssidLength);
    std::memcpy(r + credential::kSsid, ssid, std::strlen(ssid));
    putU32(r + credential::kAuthType, 32);
    putU32(r + credential::kEncryptionType, 8);
    putU32(r + credential::kKeyIndex, 1);
    putU32(r + credential::kKeyLength, keyLength);
    std::memcpy(r + credential::kKey, key, std::strlen(key));
    const BYTE mac[] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
    std::memcpy(r + credential::kMacAddress, mac, sizeof mac);
  }
};

TEST_F(WpsRegistryStoreTest, OneCredentialFillsEightSlotsWithItsCutTexts) {
  putU32(g_wscCredentialTable.data() + table::kCount, 1);
  putCredential(0, "HomeNetwork", 5, "passphrase", 4);
  const BYTE bssid[] = {0x00, 0x0E, 0x2E, 0x01, 0x02, 0x03};
  std::memcpy(g_wpsBssid, bssid, sizeof bssid);
  ASSERT_TRUE(SaveWpsCredentialsToRegistry());
  EXPECT_EQ(dumpKey(HKEY_LOCAL_MACHINE, wsc()),
            "NumberofProfile REG_SZ 1\n"
            "ConfigMode REG_SZ 1\n"
            "Wireless Mode REG_SZ 2\n"
            "PinCode REG_SZ 12345670\n"
            "Bssid REG_BINARY 000E2E010203\n");
  EXPECT_EQ(dumpKey(HKEY_LOCAL_MACHINE, wsc() + "\\Profile0"),
            "SSID REG_SZ HomeN\n"
            "AuthType REG_SZ 32\n"
            "EncryType REG_SZ 8\n"
            "KeyIndex REG_SZ 1\n"
            "KeyLength REG_SZ 4\n"
            "Key REG_SZ pass\n"
            "MacAddress REG_BINARY 001122334455\n");
  for (int slot = 1; slot < 8; ++slot) {
    EXPECT_EQ(dumpKey(HKEY_LOCAL_MACHINE, wsc() + "\\Profile" + std::to_string(slot)),
              "SSID REG_SZ \nAuthType REG_SZ 0\nEncryType REG_SZ 0\nKeyIndex REG_SZ 0\nKeyLength REG_SZ 0\n"
              "Key REG_SZ \nMacAddress REG_BINARY 000000000000\n")
        << slot;
  }
  EXPECT_FALSE(keyExists(wsc() + "\\Profile8"));
}

TEST_F(WpsRegistryStoreTest, TheTreeReadsBackIntoTheTable) {
  putU32(g_wscCredentialTable.data() + table::kCount, 2);
  putCredential(0, "First", 5, "0123456789", 10);
  putCredential(1, "Second", 6, "", 0);
  g_wpsBssid[5] = 9;
  ASSERT_TRUE(SaveWpsCredentialsToRegistry());
  const _WSC_CREDENTIAL_TABLE saved = g_wscCredentialTable;
  g_wscCredentialTable.fill(0xEE);
  g_nWpsPinCode = 0;
  ReadWpsCredentialsFromRegistry(KEY_READ);
  EXPECT_TRUE(g_wscCredentialTable == saved);
  EXPECT_EQ(g_wpsBssid[5], 9);
  EXPECT_EQ(g_nWpsPinCode, 12345670);
}

TEST_F(WpsRegistryStoreTest, BadStoredValuesAreCutToTheTable) {
  setText(wsc(), "NumberofProfile", "12");
  setText(wsc(), "PinCode", "no number");
  const BYTE shortBssid[] = {1, 2, 3, 4, 5};
  setValue(wsc(), "Bssid", REG_BINARY, shortBssid, sizeof shortBssid);
  setText(wsc() + "\\Profile0", "SSID", std::string(40, 's'));
  setText(wsc() + "\\Profile0", "KeyLength", "100");
  setText(wsc() + "\\Profile0", "Key", std::string(80, 'k'));
  setText(wsc() + "\\Profile1", "KeyLength", "-3");
  setText(wsc() + "\\Profile1", "Key", "abc");
  const DWORD mac = 7;
  setValue(wsc() + "\\Profile1", "MacAddress", REG_DWORD, &mac, sizeof mac);
  ReadWpsCredentialsFromRegistry(KEY_READ);
  EXPECT_EQ(WpsCredentialCount(), 8);
  EXPECT_EQ(g_nWpsPinCode, 0);
  EXPECT_EQ(std::memcmp(g_wpsBssid, "\0\0\0\0\0\0", 6), 0);
  const WpsCredentialFields first = WpsCredentialAt(0);
  EXPECT_EQ(first.SsidLength, 32u);
  EXPECT_EQ(first.KeyLength, 64u);
  EXPECT_EQ(first.Key[63], 'k');
  const WpsCredentialFields second = WpsCredentialAt(1);
  EXPECT_EQ(second.KeyLength, 0u);
  EXPECT_EQ(second.Key[0], 0);
  EXPECT_EQ(second.MacAddress[0], 0);
}

TEST_F(WpsRegistryStoreTest, IndexIsWrittenAndTheBssidReadBackOnlyWhenWhole) {
  EXPECT_FALSE(SaveWpsIndex());  // no "WscProfile" yet
  EXPECT_EQ(registryText(g_strDriverKey.GetString(), "WSC"), "1");

  const BYTE bssid[] = {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
  setValue(wsc(), "Bssid", REG_BINARY, bssid, sizeof bssid);
  g_bWpsConnect = 0;
  EXPECT_TRUE(SaveWpsIndex());
  EXPECT_EQ(registryText(g_strDriverKey.GetString(), "WSC"), "0");
  EXPECT_EQ(std::memcmp(g_wpsBssid, bssid, 6), 0);

  const BYTE longer[] = {1, 2, 3, 4, 5, 6, 7};
  setValue(wsc(), "Bssid", REG_BINARY, longer, sizeof longer);
  EXPECT_TRUE(SaveWpsIndex());
  EXPECT_EQ(std::memcmp(g_wpsBssid, bssid, 6), 0);
}

TEST_F(WpsRegistryStoreTest, WithoutRightsNothingIsStored) {
  wavorel::setRunningAsAdministrator(false);
  EXPECT_FALSE(SaveWpsCredentialsToRegistry());
  EXPECT_FALSE(SaveWpsIndex());
  wavorel::setRunningAsAdministrator(true);
  EXPECT_FALSE(keyExists(wsc()));
}

}  // namespace
}  // namespace xpworker::testing
