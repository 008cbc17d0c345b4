// The XP registry profile store driven through the profile editor's pages:
// golden keys of a PEAP and an ASCII-WEP ad hoc profile, the conversions as
// a table of round trips, refused names and keys, long texts and
// certificate lengths, and values of the wrong type.
#include <cstring>
#include <string>
#include <vector>

#include "platform/win/kernel/Account.h"
#include "tests/station/profiles/EditorTest.h"
#include "tests/xp/worker/RegistryDump.h"
#include "worker/WorkerGlobals.h"
#include "xp/worker/RegistryProfileStore.h"

namespace xpworker::testing {
namespace {

using Page = CPageAuthEncryDlg;

// The values the store writes, in its order, with the texts of an open
// infrastructure profile without keys or 802.1X settings.
const std::vector<std::pair<const char*, const char*>> kBlankProfile = {
    {"SSID", ""}, {"Channel", ""}, {"NetworkType", "1"}, {"PreambleType", "0"}, {"ACPowerCam", "0"}, {"PSMode", "0"},
    {"TXPower", "0"}, {"UseRts", "0"}, {"RtsThresh", "2347"}, {"UseFrag", "0"}, {"FragThresh", "2346"},
    {"AuthenType", "0"}, {"Encryption", "1"}, {"LeapEnabled", "0"}, {"LeapUserName", ""}, {"LeapPassword", ""},
    {"LeapDomainName", ""}, {"LeapEncryType", "0"}, {"WPAPSK", ""}, {"WEPKeyUse", "1"}, {"WEPKey1Type", "0"},
    {"WEPKey2Type", "0"}, {"WEPKey3Type", "0"}, {"WEPKey4Type", "0"}, {"WEPKey1", ""}, {"WEPKey2", ""},
    {"WEPKey3", ""}, {"WEPKey4", ""}, {"Use8021X", "0"}, {"AuthenProtocol", "0"}, {"TunnelProtocol", "26"},
    {"ProvisioningTunnel", "26"}, {"ID", ""}, {"Password", ""}, {"DomainName", ""}, {"TunnelID", ""},
    {"TunnelPassword", ""}, {"SessionResumption", "0"}, {"PasswordMode", "1"}, {"UseClientCert", "0"},
    {"UseServerCert", "0"}, {"UsePAC", "0"}, {"ProvisionMode", "1"}, {"PACFilePath", ""}, {"ClientCertLen", "0"},
    {"ClientCertData", ""}, {"ServerCertLen", "0"}, {"ServerCertData", ""}, {"ServerName", ""}, {"NameRule", "0"},
    {"IntermediateCert", "0"},
};

class RegistryProfileStoreTest : public station::testing::EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    startNewProfile();
  }
  static std::string keyOf(const char* name) {
    return std::string(g_strDriverKey) + "\\Profile\\Station\\" + name;
  }
  // The dump of a stored profile: kBlankProfile with the values `changed`
  // names in their place.
  static std::string storedProfile(const std::vector<std::pair<std::string, std::string>>& changed) {
    std::string text;
    size_t used = 0;
    for (const auto& [value, blank] : kBlankProfile) {
      std::string data = blank;
      for (const auto& [name, changedData] : changed)
        if (name == value) {
          data = changedData;
          ++used;
        }
      text += std::string(value) + " REG_SZ " + data + "\n";
    }
    EXPECT_EQ(used, changed.size()) << "a changed value the store does not write";
    return text;
  }
  void name(const char* profile) { system().m_strProfileName = profile; }
  // Profile `profile` names the network and its radio settings.
  void describe(const char* profile, const char* ssid, const char* channel, int networkType, int preamble) {
    name(profile);
    system().m_strSsid = ssid;
    system().m_strChannel = channel;
    system().m_nNetworkType = networkType;
    system().m_nPreamble = preamble;
  }
  BOOL save() { return SaveProfileToRegistry(&editor()); }
  // Blank pages that read the profile back.
  void reload(const char* profile) {
    system().ResetFields();
    security().ResetFields();
    editor().m_8021x = _8021X_DATA();
    name(profile);
    received().clear();
    EXPECT_EQ(LoadProfileFromRegistry(&editor()), 1);
    pump();
  }
};

TEST_F(RegistryProfileStoreTest, PeapProfileIsStoredValueByValueInTableOrder) {
  describe("Corp", "CorpNet", "6", 1, 0);
  system().m_nPowerSave = 1;
  system().m_nTxPower = 2;
  system().m_nACPowerCam = 1;
  system().m_bUseRts = FALSE;
  system().m_nRtsValue = 500;
  system().m_bUseFrag = TRUE;
  system().m_nFragValue = 1500;
  security().m_nAuthentication = Page::kAuthWpa2;
  security().m_nEncryption = Page::kEncryptionAes;
  editor().m_nUse8021X = 1;
  _8021X_DATA& x = editor().m_8021x;
  x.EapMethod = 0;
  x.TunnelProtocol = 26;
  x.Identity = "alice";
  x.Password = "secret";
  x.DomainName = "CORP";
  x.TunnelID = "alice";
  x.TunnelPassword = "inner";
  x.SessionResumption = 1;
  x.UseServerCert = 1;
  x.ServerCertLen = 3;
  const BYTE server[] = {0xAB, 0x01, 0xFF};
  std::memcpy(x.ServerCertData, server, sizeof server);
  x.ServerName = "radius.corp.example";
  x.NameRule = 1;
  x.IntermediateCert = 1;
  ASSERT_TRUE(save());
    EXPECT_EQ(dumpKey(HKEY_LOCAL_MACHINE, keyOf("Corp")),
            storedProfile({
                           {"SSID", "CorpNet"}, {"Channel", "6"}, {"PreambleType", "2"}, {"ACPowerCam", "1"},
                           {"PSMode", "2"}, {"TXPower", "2"}, {"UseFrag", "1"}, {"FragThresh", "1500"},
                           {"AuthenType", "6"}, {"Encryption", "6"}, {"Use8021X", "1"}, {"ID", "alice"},
                           {"Password", "secret"}, {"DomainName", "CORP"}, {"TunnelID", "alice"},
                           {"TunnelPassword", "inner"}, {"SessionResumption", "1"}, {"UseServerCert", "1"},
                           {"ServerCertLen", "3"}, {"ServerCertData", "ab01ff"},
                           {"ServerName", "radius.corp.example"}, {"NameRule", "1"}, {"IntermediateCert", "1"}}));
  EXPECT_EQ(registryText(g_strDriverKey.GetString(), "CurProfile"), "<none>");

  reload("Corp");
  EXPECT_EQ(security().m_nAuthentication, Page::kAuthWpa2);
  EXPECT_EQ(security().m_nEncryption, Page::kEncryptionAes);
  EXPECT_EQ(editor().m_8021x.Identity, "alice");
  EXPECT_EQ(editor().m_8021x.TunnelPassword, "inner");
  EXPECT_EQ(editor().m_8021x.ServerCertLen, 3u);
  EXPECT_EQ(0, std::memcmp(editor().m_8021x.ServerCertData, server, sizeof server));
  EXPECT_EQ(editor().m_8021x.ServerName, "radius.corp.example");
  EXPECT_EQ(system().m_nPowerSave, 1);
  EXPECT_EQ(system().m_bUseFrag, TRUE);
  EXPECT_EQ(system().m_nFragValue, 1500);
}

TEST_F(RegistryProfileStoreTest, AsciiWepAdhocProfileAndItsMirrorToTheFrontEnd) {
  describe("Party", "LanParty", "J8", 0, 1);
  security().m_nAuthentication = Page::kAuthShared;
  security().m_nEncryption = Page::kEncryptionWep;
  security().m_nTransmitKey = 1;
  security().m_nKeyFormat[0] = Page::kKeyAscii;
  security().m_strWepKey[0] = "abcde";
  security().m_nKeyFormat[1] = Page::kKeyAscii;
  security().m_strWepKey[1] = "0123456789ABC";
  security().m_strWepKey[2] = "0a0b0c0d0e";
  ASSERT_TRUE(save());
    EXPECT_EQ(dumpKey(HKEY_LOCAL_MACHINE, keyOf("Party")),
            storedProfile({
                           {"SSID", "LanParty"}, {"Channel", "208"}, {"NetworkType", "0"}, {"AuthenType", "1"},
                           {"Encryption", "0"}, {"WEPKeyUse", "2"}, {"WEPKey1Type", "1"}, {"WEPKey2Type", "1"},
                           {"WEPKey1", "6162636465"}, {"WEPKey2", "30313233343536373839414243"},
                           {"WEPKey3", "0a0b0c0d0e"}}));

  reload("Party");
  EXPECT_EQ(system().m_strChannel, "J8");
  EXPECT_EQ(system().m_nPreamble, 1);
  EXPECT_EQ(security().m_strWepKey[0], "abcde");
  EXPECT_EQ(security().m_strWepKey[1], "0123456789ABC");
  EXPECT_EQ(security().m_strWepKey[2], "0a0b0c0d0e");
  EXPECT_EQ(security().m_nTransmitKey, 1);
  const std::vector<std::pair<UINT, std::string>> expected = {
      {37, "LanParty"}, {39, "0"}, {38, "J8"}, {41, "1"}, {58, "0"}, {42, "1"}, {45, "1"},
      {46, "1"}, {47, "1"}, {48, "0"}, {49, "0"}, {44, ""}, {50, "abcde"}, {51, "0123456789ABC"},
      {52, "0a0b0c0d0e"}, {53, ""}};
  std::vector<std::pair<UINT, std::string>> mirrored;
  for (const auto& value : received()) {
    if (value.code == 54 || value.code == 55 || value.code == 56 || value.code == 57) continue;  // the blank LEAP texts
    mirrored.emplace_back(value.code, value.text);
  }
  EXPECT_EQ(mirrored, expected);
}

TEST_F(RegistryProfileStoreTest, ConversionsRoundTrip) {
  struct Case {
    const char* what;
    int networkType;
    int auth;
    int encryption;
    BOOL leap;
    int leapEncryption;
    const char* storedAuth;
    const char* storedEncryption;
    int readAuth;
    int readEncryption;
  };
  const Case cases[] = {
      {"WPA-None infrastructure", 1, Page::kAuthWpaNone, Page::kEncryptionTkip, FALSE, 0, "4", "4", Page::kAuthWpaPsk,
       Page::kEncryptionTkip},
      {"WPA-None ad hoc", 0, Page::kAuthWpaNone, Page::kEncryptionAes, FALSE, 0, "5", "6", Page::kAuthWpaNone,
       Page::kEncryptionAes},
      {"WPA ad hoc", 0, Page::kAuthWpa, Page::kEncryptionNone, FALSE, 0, "0", "1", Page::kAuthOpen,
       Page::kEncryptionNone},
      {"WPA-PSK", 1, Page::kAuthWpaPsk, Page::kEncryptionTkip, FALSE, 0, "4", "4", Page::kAuthWpaPsk,
       Page::kEncryptionTkip},
      {"WPA2-PSK", 1, Page::kAuthWpa2Psk, Page::kEncryptionAes, FALSE, 0, "7", "6", Page::kAuthWpa2Psk,
       Page::kEncryptionAes},
      {"WPA", 1, Page::kAuthWpa, Page::kEncryptionTkip, FALSE, 0, "3", "4", Page::kAuthWpa, Page::kEncryptionTkip},
      {"LEAP TKIP", 1, Page::kAuthLeap, Page::kEncryptionNone, TRUE, 1, "3", "4", Page::kAuthLeap,
       Page::kEncryptionTkip},
      {"LEAP AES", 1, Page::kAuthLeap, Page::kEncryptionNone, TRUE, 2, "6", "6", Page::kAuthLeap,
       Page::kEncryptionAes},
      {"LEAP WEP", 1, Page::kAuthLeap, Page::kEncryptionNone, TRUE, 0, "0", "0", Page::kAuthLeap,
       Page::kEncryptionWep},
  };
  for (const Case& c : cases) {
    startNewProfile();
    name("Case");
    system().m_strSsid = "Net";
    system().m_nNetworkType = c.networkType;
    security().m_nAuthentication = c.auth;
    security().m_nEncryption = c.encryption;
    security().m_bLeapMode = c.leap;
    editor().m_nLeapEncryption = c.leapEncryption;
    editor().m_nUse8021X = 1;
    ASSERT_TRUE(save()) << c.what;
    EXPECT_EQ(registryText(keyOf("Case"), "AuthenType"), c.storedAuth) << c.what;
    EXPECT_EQ(registryText(keyOf("Case"), "Encryption"), c.storedEncryption) << c.what;
    EXPECT_EQ(registryText(keyOf("Case"), "Use8021X"), c.leap ? "0" : "1") << c.what;
    reload("Case");
    EXPECT_EQ(security().m_nAuthentication, c.readAuth) << c.what;
    EXPECT_EQ(security().m_nEncryption, c.readEncryption) << c.what;
    EXPECT_EQ(security().m_nLeapEncryption, c.leapEncryption) << c.what;
  }
}

TEST_F(RegistryProfileStoreTest, StoredValuesReadBackWithTheirLimits) {
  struct Case {
    const char* value;
    const char* stored;
    int CPageSystemConfigDlg::*field;
    int expected;
  };
  const Case cases[] = {
      {"RtsThresh", "5000", &CPageSystemConfigDlg::m_nRtsValue, 2347},
      {"RtsThresh", "-5", &CPageSystemConfigDlg::m_nRtsValue, 0},
      {"FragThresh", "100", &CPageSystemConfigDlg::m_nFragValue, 256},
      {"FragThresh", "9999", &CPageSystemConfigDlg::m_nFragValue, 2346},
      {"FragThresh", "abc", &CPageSystemConfigDlg::m_nFragValue, 256},
      {"PSMode", "2", &CPageSystemConfigDlg::m_nPowerSave, 1},
      {"PSMode", "7", &CPageSystemConfigDlg::m_nPowerSave, 0},
      {"PreambleType", "0", &CPageSystemConfigDlg::m_nPreamble, 1},
      {"PreambleType", "2", &CPageSystemConfigDlg::m_nPreamble, 0},
  };
  for (const Case& c : cases) {
    const std::string key = keyOf("Limits");
    setText(key, "UseRts", "1");
    setText(key, "UseFrag", "1");
    setText(key, c.value, c.stored);
    reload("Limits");
    EXPECT_EQ(system().*c.field, c.expected) << c.value << " = " << c.stored;
  }
  // Without "UseRts" set the stored threshold is not read.
  setText(keyOf("Limits"), "UseRts", "0");
  setText(keyOf("Limits"), "RtsThresh", "700");
  reload("Limits");
  EXPECT_EQ(system().m_nRtsValue, 2347);
  EXPECT_EQ(system().m_bUseRts, FALSE);
}

TEST_F(RegistryProfileStoreTest, UnusableAsciiKeysAndWrongTypesLeaveTheirFields) {
  const std::string key = keyOf("Odd");
  setText(key, "WEPKey1Type", "1");
  setText(key, "WEPKey1", "616263646566");  // 12 digits
  setText(key, "WEPKey2Type", "1");
  setText(key, "WEPKey2", "zz62636465");    // not hexadecimal
  const DWORD number = 5;
  setValue(key, "SSID", REG_DWORD, &number, sizeof number);
  setValue(key, "NetworkType", REG_BINARY, &number, sizeof number);
  system().ResetFields();
  security().ResetFields();
  system().m_strSsid = "Before";
  system().m_nNetworkType = 1;
  security().m_strWepKey[0] = "keep1";
  security().m_strWepKey[1] = "keep2";
  name("Odd");
  LoadProfileFromRegistry(&editor());
  EXPECT_EQ(system().m_strSsid, "Before");
  EXPECT_EQ(system().m_nNetworkType, 1);
  EXPECT_EQ(security().m_strWepKey[0], "keep1");
  EXPECT_EQ(security().m_strWepKey[1], "keep2");

  // A profile that does not exist changes nothing and says so.
  name("Missing");
  EXPECT_EQ(LoadProfileFromRegistry(&editor()), 0);
  EXPECT_EQ(system().m_strSsid, "Before");
}

TEST_F(RegistryProfileStoreTest, RefusedNamesAndKeysWriteNothingAndSaySo) {
  system().m_strSsid = "Net";
  for (const char* refused : {"", "a\\b", "\\"}) {
    name(refused);
    EXPECT_FALSE(save()) << refused;
  }
  EXPECT_FALSE(keyExists(std::string(g_strDriverKey) + "\\Profile\\Station"));
  EXPECT_FALSE(keyExists(keyOf("a")));

  wavorel::setRunningAsAdministrator(false);
  name("User");
  EXPECT_FALSE(save());
  wavorel::setRunningAsAdministrator(true);
  EXPECT_FALSE(keyExists(keyOf("User")));
}

TEST_F(RegistryProfileStoreTest, LongTextsAndCertificatesKeepTheirFieldSizes) {
  name("Long");
  system().m_strSsid = "Net";
  const std::string path = "C:\\" + std::string(200, 'p') + ".pac";
  editor().m_8021x.PACFilePath = path.c_str();
  editor().m_8021x.ClientCertLen = 150;
  for (int i = 0; i < 150; ++i) editor().m_8021x.ClientCertData[i] = static_cast<BYTE>(i);
  ASSERT_TRUE(save());
  reload("Long");
  EXPECT_EQ(std::string(editor().m_8021x.PACFilePath), path);
  ASSERT_EQ(editor().m_8021x.ClientCertLen, 150u);
  EXPECT_EQ(editor().m_8021x.ClientCertData[149], 149);

  // Stored lengths past the field or past the digits present are cut.
  setText(keyOf("Long"), "ClientCertLen", "4000");
  setText(keyOf("Long"), "ClientCertData", "0102");
  setText(keyOf("Long"), "ServerCertLen", "999");
  std::string digits;
  for (int i = 0; i < 200; ++i) digits += "5a";
  setText(keyOf("Long"), "ServerCertData", digits);
  reload("Long");
  EXPECT_EQ(editor().m_8021x.ClientCertLen, 2u);
  EXPECT_EQ(editor().m_8021x.ServerCertLen, 150u);
  EXPECT_EQ(editor().m_8021x.ServerCertData[149], 0x5a);
  EXPECT_EQ(editor().m_8021x.ClientCertData[1], 2);
}

}  // namespace
}  // namespace xpworker::testing
