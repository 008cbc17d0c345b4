// The connection record the site survey page builds from the selected BSS
// and its pending-connection fields, set directly as the security editor
// and the hidden-SSID prompt set them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/wire/Bytes.h"
#include "platform/wire/NdisKey.h"
#include "tests/station/status/vista/SiteSurveyTest.h"

namespace station::testing {
namespace {

using worker::testing::BssRecord;
using worker::testing::BssRecordFields;
using worker::testing::Bytes;

class ConnectProfileTest : public SiteSurveyTest {
 protected:
  void SetUp() override {
    SiteSurveyTest::SetUp();
    startSurvey();
  }
  // The page's list is these records; the first one selected.
  CPageSiteSurveyDlg& selectOnly(const BssRecordFields& fields) {
    useSiteList({BssRecord(fields)});
    CPageSiteSurveyDlg& page = *site();
    page.ResetSecurity();
    page.m_pSelectedRecord = page.RecordOfRow(0);
    return page;
  }
  static BssRecordFields adhoc(const std::string& ssid) {
    BssRecordFields fields;
    fields.ssid = ssid;
    fields.infrastructure = 0;
    fields.privacy = 1;
    fields.frequency = 2462000;
    return fields;
  }
  static std::string hex(const BYTE* bytes, size_t count) {
    std::string out;
    char pair[3];
    for (size_t i = 0; i < count; ++i) {
      std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
      out += pair;
    }
    return out;
  }
};

TEST_F(ConnectProfileTest, AdhocWpaNoneKeyComesFromThePassPhraseMappingOrItsHexDigits) {
  struct Case {
    const char* passPhrase;
    const char* key;
  };
  // The IEEE 802.11i pass-phrase vector ("password" over "IEEE"), and 64 digits taken as bytes.
  const Case cases[] = {
      {"password", "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e"},
      {"00112233445566778899AABBCCDDEEFF00112233445566778899aabbccddeeff",
       "00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff"},
  };
  for (const Case& c : cases) {
    CPageSiteSurveyDlg& page = selectOnly(adhoc("IEEE"));
    page.m_nChosenAuth = 7;
    page.m_nChosenCipher = 3;
    page.m_strPassPhrase = c.passPhrase;
    page.BuildConnectProfile();
    const _PROFILE_DATA* record = page.GetConnectRecord();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->AuthMode, 5u);
    EXPECT_EQ(record->CipherMode, 6u);
    ASSERT_EQ(record->WpaNoneKey.size(), kWpaNoneKeyBlockSize);
    EXPECT_EQ(wavorel::wire::getU32(record->WpaNoneKey.data()), 71u);
    EXPECT_EQ(KeyBlockIndex(record->WpaNoneKey), kTransmitKeyBit);
    EXPECT_EQ(KeyBlockKeyLength(record->WpaNoneKey), 32u);
    EXPECT_EQ(hex(KeyBlockMaterial(record->WpaNoneKey), 32), c.key) << c.passPhrase;
    // An ad hoc network is joined by its SSID.
    EXPECT_EQ(record->UseBssid, 0u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(record->Ssid.Ssid), record->Ssid.SsidLength), "IEEE");
    EXPECT_EQ(page.m_bBySsid, 1);
    EXPECT_EQ(record->NetworkType, 0u);
  }
}

TEST_F(ConnectProfileTest, WepKeysGetOneBlockEachAndTheTransmitKeyItsBit) {
  BssRecordFields fields;
  fields.ssid = "Wep";
  fields.privacy = 1;
  CPageSiteSurveyDlg& page = selectOnly(fields);
  page.m_nChosenAuth = 0;
  page.m_nChosenCipher = 1;
  page.m_nKeyLength[0] = 5;
  page.m_nKeyLength[1] = 13;
  page.m_nKeyLength[3] = 40;  // more than the key field holds
  std::memcpy(page.m_keys[1], "0123456789abc", 13);
  page.m_nDefaultKeyIndex = 1;
  page.BuildConnectProfile();
  const _PROFILE_DATA& record = *page.GetConnectRecord();
  EXPECT_EQ(record.AuthMode, 0u);
  EXPECT_EQ(record.CipherMode, 0u);
  EXPECT_EQ(record.WepKey[0].size(), 44u);
  EXPECT_EQ(KeyBlockIndex(record.WepKey[0]), 0u);
  EXPECT_EQ(record.WepKey[1].size(), 52u);
  EXPECT_EQ(KeyBlockIndex(record.WepKey[1]), 0x80000001u);
  EXPECT_EQ(std::memcmp(KeyBlockMaterial(record.WepKey[1]), "0123456789abc", 13), 0);
  EXPECT_TRUE(record.WepKey[2].empty());
  EXPECT_EQ(record.WepKey[3].size(), kKeyBlockOverhead + CPageSiteSurveyDlg::kKeyBytes);
  EXPECT_EQ(KeyBlockIndex(record.WepKey[3]), 3u);
}

TEST_F(ConnectProfileTest, VisibleInfrastructureNetworkIsTargetedByBssidWithTheFixedRecordFields) {
  BssRecordFields fields;
  fields.ssid = "Psk";
  fields.privacy = 1;
  fields.frequency = 5180000;
  CPageSiteSurveyDlg& page = selectOnly(fields);
  page.m_nChosenAuth = 6;
  page.m_nChosenCipher = 2;
  page.m_strPassPhrase = CString('p', 70);  // cut to the record's 64 bytes
  page.BuildConnectProfile();
  const _PROFILE_DATA& record = *page.GetConnectRecord();
  EXPECT_EQ(record.AuthMode, 7u);
  EXPECT_EQ(record.CipherMode, 4u);
  EXPECT_EQ(record.WpaPskLength, 64u);
  EXPECT_TRUE(record.WpaNoneKey.empty());
  EXPECT_EQ(record.UseBssid, 1u);
  EXPECT_EQ(std::memcmp(record.Bssid, fields.mac, 6), 0);
  EXPECT_EQ(page.m_bByBssid, 1);
  EXPECT_EQ(record.RtsThresh, 2347u);
  EXPECT_EQ(record.FragThresh, 0u);
  EXPECT_EQ(record.PreambleType, 2u);
  EXPECT_EQ(record.ChannelFrequency, 5180000u);
  EXPECT_EQ(record.NetworkType, 1u);
  EXPECT_EQ(record.Valid, 1u);

  // With an SSID from the hidden-SSID prompt the same network is targeted by SSID.
  page.ResetSecurity();
  page.m_pSelectedRecord = page.RecordOfRow(0);
  page.m_bHiddenSsidEntered = 1;
  page.m_ssid.SsidLength = 6;
  std::memcpy(page.m_ssid.Ssid, "Secret", 6);
  page.BuildConnectProfile();
  EXPECT_EQ(page.GetConnectRecord()->UseBssid, 0u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(page.GetConnectRecord()->Ssid.Ssid), 6), "Secret");
}

TEST_F(ConnectProfileTest, EnterpriseAndLeapFieldsAreCutToTheRecord) {
  BssRecordFields fields;
  fields.ssid = "Corp";
  fields.privacy = 1;
  CPageSiteSurveyDlg& page = selectOnly(fields);
  page.m_nChosenAuth = 5;
  page.m_nChosenCipher = 3;
  page.m_8021x.Identity = CString('i', 300);
  page.m_8021x.UseClientCert = 1;
  page.m_8021x.ClientCertLen = 4000;
  page.m_8021x.ClientCertData[149] = 0x5A;
  page.m_8021x.UseServerCert = 1;
  page.m_8021x.ServerCertLen = 20;
  page.m_8021x.ServerName = "radius";
  page.BuildConnectProfile();
  const _PROFILE_DATA& record = *page.GetConnectRecord();
  EXPECT_EQ(record.Use8021X, 1u);
  EXPECT_EQ(record.AuthMode, 6u);
  EXPECT_EQ(record.CipherMode, 6u);
  EXPECT_EQ(std::strlen(record.Identity), sizeof record.Identity - 1);
  EXPECT_EQ(record.ClientCertLen, 150u);
  EXPECT_EQ(record.ClientCertData[149], 0x5A);
  EXPECT_EQ(record.ServerCertLen, 20u);
  EXPECT_EQ(std::string(record.ServerName), "radius");

  page.ResetSecurity();
  page.m_pSelectedRecord = page.RecordOfRow(0);
  page.m_nChosenAuth = 2;
  page.m_nLeapCipher = 1;
  page.m_bLeapFlag = 1;
  page.m_strLeapUserName = CString('u', 400);
  page.m_strLeapPassword = "secret";
  page.BuildConnectProfile();
  const _PROFILE_DATA& leap = *page.GetConnectRecord();
  EXPECT_EQ(leap.LeapEnabled, 1);
  EXPECT_EQ(leap.LeapCcx, 1);
  EXPECT_EQ(leap.AuthMode, 0u);
  EXPECT_EQ(leap.CipherMode, 4u);
  EXPECT_EQ(leap.LeapUserNameLength, sizeof leap.LeapUserName - 1);
  EXPECT_EQ(leap.LeapPasswordLength, 6u);
}

}  // namespace
}  // namespace station::testing
