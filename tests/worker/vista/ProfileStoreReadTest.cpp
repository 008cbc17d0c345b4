#include <cstring>
#include <optional>
#include <utility>

#include "tests/worker/DiscoveryTest.h"
#include "tests/worker/vista/ProfileStoreTest.h"
#include "platform/wire/Bytes.h"
#include "worker/NativeWiFi.h"
#include "worker/PasswordHash.h"
#include "worker/ProfileStore.h"

namespace worker::testing {
namespace {

class ProfileStoreReadTest : public ProfileStoreTest {
 protected:
  // Section "Config" of the station file with these lines.
  void config(const std::string& lines) { writeFile(kIniKindStation, "[Config]\r\n" + lines); }
  _PROFILE_DATA readProfile() {
    _PROFILE_DATA p;
    ReadCurrentProfile(&p);
    return p;
  }

  static void setText(const char* name, const std::string& value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                  static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
  }
  static void setBinary(const char* name, const std::vector<BYTE>& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    RegSetValueEx(key, name, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
  }
  static void remove(const char* name) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    RegDeleteValue(key, name);
    RegCloseKey(key);
  }
};

TEST_F(ProfileStoreReadTest, AStoreWithOnlyAnSsidGivesTheDefaults) {
  ASSERT_TRUE(write(kIniKindStation, "Config", "SSID", "HomeNet"));
  _PROFILE_DATA p;
  p.UseBssid = 1;
  p.Reserved1 = 5;
  ReadCurrentProfile(&p);
  EXPECT_EQ(p.Ssid.SsidLength, 7u);
  EXPECT_EQ(std::memcmp(p.Ssid.Ssid, "HomeNet", 7), 0);
  EXPECT_EQ(p.UseBssid, 0u);
  EXPECT_EQ(p.Reserved1, 0u);
  EXPECT_EQ(p.NetworkType, 0u);
  EXPECT_EQ(p.AuthMode, 0u);
  EXPECT_EQ(p.CipherMode, 0u);
  EXPECT_EQ(p.RtsThresh, 2347u);
  EXPECT_EQ(p.FragThresh, 0u);
  EXPECT_TRUE(p.WpaNoneKey.empty());
  for (const NdisKeyBlock& k : p.WepKey) EXPECT_TRUE(k.empty());
  EXPECT_EQ(p.Valid, 1u);
}

struct FieldCase {
  const char* lines;
  DWORD _PROFILE_DATA::*field;
  DWORD expected;
};

TEST_F(ProfileStoreReadTest, NumbersAndTheirCorrections) {
  const FieldCase cases[] = {
      {"PreambleType=1\r\n", &_PROFILE_DATA::PreambleType, 2},
      {"PreambleType=0\r\n", &_PROFILE_DATA::PreambleType, 0},
      {"PreambleType=2\r\n", &_PROFILE_DATA::PreambleType, 2},
      {"AuthMode=9\r\n", &_PROFILE_DATA::AuthMode, 0},
      {"AuthMode=7\r\n", &_PROFILE_DATA::AuthMode, 7},
      {"UseRts=0\r\nRtsThresh=500\r\n", &_PROFILE_DATA::RtsThresh, 2347},
      {"UseRts=1\r\nRtsThresh=500\r\n", &_PROFILE_DATA::RtsThresh, 500},
      {"UseFrag=0\r\nFragThresh=900\r\n", &_PROFILE_DATA::FragThresh, 0},
      {"UseFrag=1\r\nFragThresh=900\r\n", &_PROFILE_DATA::FragThresh, 900},
      {"NetworkType=1\r\nPSMode=1\r\n", &_PROFILE_DATA::PSMode, 2},
      {"NetworkType=1\r\nPSMode=3\r\n", &_PROFILE_DATA::PSMode, 0},
      {"NetworkType=1\r\nPSMode=2\r\n", &_PROFILE_DATA::PSMode, 2},
      {"NetworkType=1\r\nACPowerCam=1\r\n", &_PROFILE_DATA::ACPowerCam, 1},
      {"NetworkType=0\r\nPSMode=2\r\n", &_PROFILE_DATA::PSMode, 0},
      {"NetworkType=0\r\nChannel=208\r\n", &_PROFILE_DATA::ChannelFrequency, 5040000},
      {"NetworkType=0\r\nChannel=6\r\n", &_PROFILE_DATA::ChannelFrequency, 2437000},
      {"NetworkType=0\r\nChannel=15\r\n", &_PROFILE_DATA::ChannelFrequency, 0},
      {"NetworkType=1\r\nChannel=6\r\n", &_PROFILE_DATA::ChannelFrequency, 0},
      {"TXPower=4\r\n", &_PROFILE_DATA::TxPower, 4},
      {"LeapEnabled=1\r\nUse8021X=1\r\n", &_PROFILE_DATA::Use8021X, 0},
  };
  for (const FieldCase& c : cases) {
    config(c.lines);
    EXPECT_EQ(readProfile().*c.field, c.expected) << c.lines;
  }
  g_nOsType = 7;  // Windows 2000: no ACPowerCam
  config("NetworkType=1\r\nACPowerCam=1\r\n");
  EXPECT_EQ(readProfile().ACPowerCam, 0u);
}

TEST_F(ProfileStoreReadTest, WepKeysFromTheirHexTexts) {
  config("AuthMode=1\r\nCipherMode=0\r\nWEPKeyUse=2\r\nWEPKey1=0123456789A\r\n"
         "WEPKey2=00112233445566778899AABBCC\r\nWEPKey3=7\r\nWEPKey4=ABCD\r\n");
  const _PROFILE_DATA p = readProfile();
  ASSERT_EQ(p.WepKey[0].size(), 44u);
  EXPECT_EQ(KeyBlockIndex(p.WepKey[0]), 0u);
  const BYTE first[5] = {0x01, 0x23, 0x45, 0x67, 0x89};
  EXPECT_EQ(std::memcmp(KeyBlockMaterial(p.WepKey[0]), first, 5), 0) << "11 characters: the first ten digits";
  ASSERT_EQ(p.WepKey[1].size(), 52u);
  EXPECT_EQ(KeyBlockIndex(p.WepKey[1]), 0x80000001u) << "the transmit key, the only one with bit 31";
  EXPECT_EQ(KeyBlockMaterial(p.WepKey[1])[12], 0xCC);
  EXPECT_TRUE(p.WepKey[2].empty()) << "one character is no key";
  ASSERT_EQ(p.WepKey[3].size(), 52u) << "a short text still gives 13 bytes";
  const BYTE fourth[13] = {0xAB, 0xCD};
  EXPECT_EQ(std::memcmp(KeyBlockMaterial(p.WepKey[3]), fourth, 13), 0) << "missing digits count as 0";
  EXPECT_EQ(KeyBlockIndex(p.WepKey[3]), 3u);

  config("AuthMode=0\r\nCipherMode=1\r\nWEPKey1=0123456789\r\n");
  EXPECT_TRUE(readProfile().WepKey[0].empty()) << "no WEP";
  config("AuthMode=0\r\nCipherMode=0\r\nLeapEnabled=1\r\nWEPKey1=0123456789\r\n");
  EXPECT_TRUE(readProfile().WepKey[0].empty()) << "LEAP";
}

TEST_F(ProfileStoreReadTest, WpaKeysAndTheWpaNoneBlock) {
  config("SSID_inHex=1\r\nSSID=49454545\r\nAuthMode=7\r\nWPAPSK=correct horse battery\r\n");
  _PROFILE_DATA p = readProfile();
  EXPECT_EQ(std::string(p.WpaPsk, p.WpaPskLength), "correct horse battery");
  EXPECT_TRUE(p.WpaNoneKey.empty());

  // WPA-None: a pass phrase mapped with the SSID, and the text kept for the profile document.
  config("SSID_inHex=1\r\nSSID=49454545\r\nAuthMode=5\r\nWPAPSK=password\r\n");
  p = readProfile();
  ASSERT_EQ(p.WpaNoneKey.size(), 71u);
  EXPECT_EQ(wavorel::wire::getU32(p.WpaNoneKey.data()), 71u);
  EXPECT_EQ(KeyBlockIndex(p.WpaNoneKey), 0x80000000u);
  EXPECT_EQ(KeyBlockKeyLength(p.WpaNoneKey), 32u);
  BYTE expected[32];
  ASSERT_EQ(PasswordHash("password", reinterpret_cast<const BYTE*>("IEEE"), 4, expected), 1);
  EXPECT_EQ(std::memcmp(KeyBlockMaterial(p.WpaNoneKey), expected, 32), 0);
  EXPECT_EQ(std::string(p.WpaPsk, p.WpaPskLength), "password");

  const std::string hex64 = "00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff";
  config("SSID=Adhoc\r\nAuthMode=5\r\nWPAPSK=" + hex64 + "\r\n");
  p = readProfile();
  EXPECT_EQ(KeyBlockMaterial(p.WpaNoneKey)[1], 0x11) << "64 characters are the key in hex";
  EXPECT_EQ(p.WpaPskLength, 64u);
  config("SSID=Adhoc\r\nAuthMode=5\r\nWPAPSK=" + hex64.substr(1) + "\r\n");
  p = readProfile();
  ASSERT_EQ(PasswordHash(hex64.substr(1).c_str(), reinterpret_cast<const BYTE*>("Adhoc"), 5, expected), 1);
  EXPECT_EQ(std::memcmp(KeyBlockMaterial(p.WpaNoneKey), expected, 32), 0) << "63 characters are a pass phrase";

  config("AuthMode=4\r\nWPAPSK=" + hex64 + "tail\r\n");
  EXPECT_EQ(std::string(readProfile().WpaPsk, 64), hex64) << "cut to 64 characters";
}

TEST_F(ProfileStoreReadTest, The8021XGroupOnlyWithSupportAndClampedCertificates) {
  const std::string lines =
      "AuthMode=6\r\nUse8021X=1\r\nAuthenProtocol=0\r\nTunnelProtocol=26\r\nID=anonymous\r\n"
      "TunnelID=dana\r\nTunnelPassword=pw\r\nServerName=radius.example\r\nUseServerCert=1\r\n"
      "ServerCertLen=500\r\nServerCertData=A1B2\r\nUseClientCert=1\r\nClientCertLen=3\r\nClientCertData=0102\r\n"
      "UseSmartCard=1\r\nPasswordMode=1\r\n";
  config(lines);
  _PROFILE_DATA p = readProfile();
  EXPECT_EQ(p.Use8021X, 1u);
  EXPECT_EQ(p.TunnelProtocol, 0u) << "802.1X support is off";
  EXPECT_STREQ(p.Identity, "");

  g_b8021xSupport = 1;
  p = readProfile();
  EXPECT_EQ(p.TunnelProtocol, 26u);
  EXPECT_STREQ(p.Identity, "anonymous");
  EXPECT_STREQ(p.TunnelID, "dana");
  EXPECT_STREQ(p.TunnelPassword, "pw");
  EXPECT_STREQ(p.ServerName, "radius.example");
  EXPECT_EQ(p.UseSmartCard, 1u);
  EXPECT_EQ(p.ServerCertLen, 152u) << "clamped to the field";
  EXPECT_EQ(p.ServerCertData[0], 0xA1);
  EXPECT_EQ(p.ServerCertData[1], 0xB2);
  EXPECT_EQ(p.ServerCertData[151], 0) << "missing digits count as 0";
  EXPECT_EQ(p.ClientCertLen, 3u);
  EXPECT_EQ(p.ClientCertData[1], 0x02);
  EXPECT_EQ(p.ClientCertData[2], 0x00);

  config("AuthMode=6\r\nUse8021X=0\r\nAuthenProtocol=2\r\n");
  EXPECT_EQ(readProfile().AuthenProtocol, 0u) << "neither WPA nor 802.1X";
  config("AuthMode=3\r\nAuthenProtocol=2\r\nTunnelProtocol=4\r\n");
  p = readProfile();
  EXPECT_EQ(p.TunnelProtocol2, 4u) << "method 2 keeps its inner method apart";
  EXPECT_EQ(p.TunnelProtocol, 0u);
}

TEST_F(ProfileStoreReadTest, AnAdhocProfileTakesTheCurrentBssid) {
  CNativeWiFi client;
  ASSERT_EQ(client.Init(kDefaultFriendlyName, nullptr, 0), static_cast<DWORD>(ERROR_SUCCESS));
  g_pNativeWiFi = &client;
  std::memset(g_adhocBssid, 0xAA, sizeof g_adhocBssid);
  config("NetworkType=0\r\n");
  readProfile();
  EXPECT_EQ(g_adhocBssid[0], 0) << "not connected: the buffer is zeroed";
  g_pNativeWiFi = nullptr;
}

TEST_F(ProfileStoreReadTest, ClearConfigSectionWritesTheBlankConnection) {
  EXPECT_TRUE(ClearConfigSection());
  const std::string file = readFile(kIniKindStation);
  EXPECT_LT(file.find("NetworkType=1"), file.find("CurProfile="));
  EXPECT_LT(file.find("ServerCertData="), file.find("ClientCertLen=0")) << "in its write order";

  config("SSID=Old\r\nAuthMode=7\r\nCurProfile=Home\r\n");
  EXPECT_TRUE(ClearConfigSection());
  EXPECT_EQ(raw(kIniKindStation, "Config", "SSID"), "");
  EXPECT_EQ(raw(kIniKindStation, "Config", "SSID_inHex"), "1");
  EXPECT_EQ(raw(kIniKindStation, "Config", "NetworkType"), "1");
  EXPECT_EQ(raw(kIniKindStation, "Config", "AuthMode"), "0");
  EXPECT_EQ(raw(kIniKindStation, "Config", "CipherMode"), "1");
  EXPECT_EQ(raw(kIniKindStation, "Config", "CurProfile"), "");
  EXPECT_EQ(raw(kIniKindStation, "Config", "Use8021X"), "0");
  EXPECT_EQ(raw(kIniKindStation, "Config", "ClientCertLen"), "0");
}

struct RateCase {
  const char* mode;
  const char* transRate;  // null: no value
  DWORD transmitSetting;
  std::vector<BYTE> rates;
};

TEST_F(ProfileStoreReadTest, RatesByWirelessModeAndTransRate) {
  g_bSupportBandA = 1;
  g_bHtFamily = 1;
  const std::vector<BYTE> b = {22, 11, 4, 2}, m = {108, 96, 72, 48, 22, 11, 4, 2},
                          g = {108, 96, 72, 48, 36, 24, 18, 12};
  const RateCase cases[] = {
      {"1", nullptr, 0, b},   {"1", "3", 0, {11}},    {"1", "5", 0, b},       {"2", nullptr, 0, b},
      {"2", "0", 0, g},       {"2", "3", 0, {24}},    {"2", "9", 0, g},       {"4", "8", 0, {108}},
      {"0", nullptr, 0, m},   {"0", "4", 0, {22}},    {"0", "13", 0, m},      {"3", "12", 0, {108}},
      {"7", "1", 0, {12}},    {"9", "1", 0x210, m},   {"9", "1", 0x200, {108}}, {"5", nullptr, 0, m},
  };
  for (const RateCase& c : cases) {
    setText("WirelessMode", c.mode);
    if (c.transRate) {
      setText("TransRate", c.transRate);
    } else {
      remove("TransRate");
    }
    setBinary("TransmitSetting", {static_cast<BYTE>(c.transmitSetting), static_cast<BYTE>(c.transmitSetting >> 8), 0, 0});
    _PROFILE_DATA p;
    ASSERT_TRUE(ReadAdapterValues(&p, TRUE, 0));
    std::vector<BYTE> rates(c.rates);
    rates.resize(8, 0);
    EXPECT_EQ(std::vector<BYTE>(p.DesiredRates, p.DesiredRates + 8), rates)
        << "mode " << c.mode << " TransRate " << (c.transRate ? c.transRate : "none");
  }
}

TEST_F(ProfileStoreReadTest, AdapterValuesFromTheDriverKey) {
  g_bSupportBandA = 1;
  g_bHtFamily = 1;
  g_dwTransmitSetting = 0xFFFFFFFF;
  setText("WirelessMode", "3");
  setText("CountryRegion", "5");
  setText("CountryRegionABand", "7");
  setText("TXBurst", "1");
  setText("TurboRate", "1");
  setText("BGProtection", "2");
  setText("ShortSlot", "1");
  setBinary("CCX2Control", {0x03, 0x00});  // two bytes: zero-extended
  setBinary("TransmitSetting", {0x34, 0x12});
  _PROFILE_DATA p;
  ASSERT_TRUE(ReadAdapterValues(&p, TRUE, 7));
  EXPECT_EQ(p.Ccx2Control, 3u);
  EXPECT_EQ(p.ApplyArgument, 7u);
  EXPECT_EQ(p.AdvancedValid, 1u);
  EXPECT_EQ(g_nWirelessMode, 3);
  EXPECT_EQ(p.CountryRegion, 0x0705u);
  EXPECT_EQ(p.StationConfig[0], 1u) << "TXBurst";
  EXPECT_EQ(p.StationConfig[1], 1u) << "TurboRate";
  EXPECT_EQ(p.StationConfig[2], 2u) << "BGProtection in mode 3";
  EXPECT_EQ(p.StationConfig[3], 1u) << "ShortSlot";
  EXPECT_EQ(p.StationConfig[4], 4u) << "AdhocOfdm of mode 3";
  EXPECT_EQ(g_stationConfig[3], 1u);
  DWORD h = 0;
  {
    BYTE transmit[12] = {};
    DWORD returned = 0;
    QueryOid(OID_VX_HT_TRANSMIT, transmit, sizeof transmit, &returned);
    h = transmit[6] & 3;
  }
  EXPECT_EQ(g_dwTransmitSetting, (h << 17) | (0x1234 & 0x13FF0) | (0xFFFFFFFFu & 0xFFF88000) | 3 | 0x8000);
  EXPECT_EQ(readText(HKEY_LOCAL_MACHINE, g_strDriverKey, "AdhocOfdm").c_str(), std::string("4"));

  remove("TransmitSetting");
  g_dwTransmitSetting = 0;
  setText("WirelessMode", "9");
  ASSERT_TRUE(ReadAdapterValues(&p, TRUE, 0));
  EXPECT_EQ(g_dwTransmitSetting, (h << 17) | 9 | 0xBA10);
  EXPECT_EQ(p.StationConfig[2], 0u) << "BGProtection is 0 outside modes 0 and 3";
  EXPECT_EQ(readText(HKEY_LOCAL_MACHINE, g_strDriverKey, "AdhocOfdm").c_str(), std::string("9"));

  _PROFILE_DATA untouched;
  untouched.DesiredRates[0] = 77;
  ASSERT_TRUE(ReadAdapterValues(&untouched, FALSE, 5));
  EXPECT_EQ(untouched.AdvancedValid, 0u);
  EXPECT_EQ(untouched.ApplyArgument, 0u);
  EXPECT_EQ(untouched.DesiredRates[0], 77);
  EXPECT_EQ(untouched.Ccx2Control, 3u);

  g_strDriverKey = "SYSTEM\\NoSuchKey";
  _PROFILE_DATA missing;
  missing.Ccx2Control = 9;
  EXPECT_FALSE(ReadAdapterValues(&missing, TRUE, 1));
  EXPECT_EQ(missing.Ccx2Control, 9u);
  EXPECT_EQ(missing.AdvancedValid, 0u);
}

TEST_F(ProfileStoreReadTest, LeapProfilesTakeTheirCipherFromCcx2Control) {
  const struct {
    std::vector<BYTE> ccx;
    DWORD cipher;
    DWORD expected;
  } cases[] = {{{0x01}, 4, 4}, {{0x01}, 6, 6}, {{0x01}, 1, 0}, {{0x00}, 4, 0}};
  for (const auto& c : cases) {
    setBinary("CCX2Control", c.ccx);
    _PROFILE_DATA p;
    p.LeapEnabled = 1;
    p.CipherMode = c.cipher;
    ASSERT_TRUE(ReadAdapterValues(&p, FALSE, 0));
    EXPECT_EQ(p.CipherMode, c.expected) << c.cipher;
  }
  setBinary("CCX2Control", {0x02});
  config("LeapEnabled=1\r\n");
  _PROFILE_DATA p;
  ASSERT_TRUE(ReadAdapterValues(&p, FALSE, 0));
  ReadCurrentProfile(&p);
  EXPECT_EQ(p.LeapCcx, 1) << "bit 1 of CCX2Control";
}

TEST_F(ProfileStoreReadTest, AStoredPinIsOneToEightDigitsOrNone) {
  const std::pair<const char*, int> cases[] = {
      {"12345670", 12345670}, {"7", 7}, {"123456789", -1}, {"PIN", -1}, {"1234567x", -1}, {"-1234567", -1}};
  for (const auto& [text, pin] : cases) {
    writeFile(kIniKindWps, std::string("[Common]\r\nPinCode=") + text + "\r\n");
    g_nWpsPinCode = 0;
    ReadWpsStore();
    EXPECT_EQ(g_nWpsPinCode, pin) << text;
  }
}

TEST_F(ProfileStoreReadTest, WpsStoreIntoTheCredentialTable) {
  config("WSC=1\r\n");
  std::string text = "[Common]\r\nNumberofProfile=12\r\nConfigMode=1\r\nWireless Mode=2\r\nPinCode=12345670\r\n";
  for (int i = 0; i < 12; ++i)
    text += "[Profile" + std::to_string(i) + "]\r\nSSID_inHex=1\r\nSSID=" + std::string(70, '4') +
            "\r\nAuthType=32\r\nEncryType=8\r\nKeyIndex=1\r\nKeyLength=80\r\nKey=abc\r\nMacAddress=0011223\r\n";
  writeFile(kIniKindWps, text);
  namespace table = wavorel::wire::wps::table;
  namespace credential = wavorel::wire::wps::credential;
  using wavorel::wire::getU32;
  g_wscCredentialTable[table::recordAt(7) + credential::kKey + 63] = 0x55;
  g_wpsBssid[0] = 0x66;
  ReadWpsStore();
  EXPECT_EQ(g_bWpsConnect, 1);
  EXPECT_EQ(g_nWpsConfigMode, 1);
  EXPECT_EQ(g_nWpsWirelessMode, 2);
  EXPECT_EQ(g_nWpsPinCode, 12345670);
  EXPECT_EQ(g_wpsBssid[0], 0);
  ASSERT_EQ(getU32(g_wscCredentialTable.data() + table::kCount), 8u) << "at most 8 records";
  const BYTE* c = g_wscCredentialTable.data() + table::recordAt(7);
  EXPECT_EQ(getU32(c + credential::kSsidLength), 32u) << "SSID cut to 32 bytes";
  EXPECT_EQ(c[credential::kSsid + 31], 'D');
  EXPECT_EQ(getU32(c + credential::kAuthType), 32u);
  EXPECT_EQ(getU32(c + credential::kEncryptionType), 8u);
  EXPECT_EQ(getU32(c + credential::kKeyIndex), 1u);
  EXPECT_EQ(getU32(c + credential::kKeyLength), 64u) << "KeyLength above 64 gives 64";
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(c + credential::kKey), 3), "abc");
  EXPECT_EQ(c[credential::kKey + 3], 0);
  EXPECT_EQ(c[credential::kKey + 63], 0) << "the table was cleared";
  const BYTE mac[6] = {0x00, 0x11, 0x22, 0, 0, 0};
  EXPECT_EQ(std::memcmp(c + credential::kMacAddress, mac, 6), 0) << "fewer than 12 digits: zero bytes for the rest";
  EXPECT_EQ(c[credential::kSize - 1], 0) << "the padding stays zero";

  writeFile(kIniKindWps, "[Common]\r\nConfigMode=0\r\n[Profile0]\r\nSSID=x\r\n");
  ReadWpsStore();
  EXPECT_EQ(getU32(g_wscCredentialTable.data() + table::kCount), 0u) << "no NumberofProfile";
  EXPECT_EQ(getU32(g_wscCredentialTable.data() + table::recordAt(0) + credential::kSsidLength), 0u);
  EXPECT_EQ(g_nWpsConfigMode, 0);
}

}  // namespace
}  // namespace worker::testing
