// The editor pages filled from a site survey entry: the security page's
// choices by the entry's security kind and cipher, and the System Config
// page's SSID, network type and channel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "station/profiles/EditorFieldCodes.h"
#include "tests/station/profiles/EditorTest.h"

namespace station::testing {
namespace {

using Page = CPageAuthEncryDlg;

class LoadFromSiteTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    startNewProfile();
  }
  void TearDown() override {
    g_nOsType = 0;
    EditorTest::TearDown();
  }
};

TEST_F(LoadFromSiteTest, SecurityPageTakesTheEntrysKindAndCipher) {
  struct Case {
    int infrastructure;
    BOOL secured;
    int kind;
    const char* cipher;
    int osType;
    bool forConnect;
    int authentication;
    int encryption;
  };
  const Case cases[] = {
      {1, FALSE, 5, "AES", 11, false, Page::kAuthOpen, Page::kEncryptionNone},  // unsecured: whatever the kind
      {1, TRUE, 0, "None", 11, false, Page::kAuthOpen, Page::kEncryptionWep},
      {1, TRUE, 1, "TKIP", 11, false, Page::kAuthWpa, Page::kEncryptionTkip},
      {1, TRUE, 2, "", 11, false, Page::kAuthWpaPsk, Page::kEncryptionAes},
      {1, TRUE, 3, "TKIP", 11, false, Page::kAuthWpaNone, Page::kEncryptionTkip},
      {1, TRUE, 4, "AES", 5, false, Page::kAuthWpa, Page::kEncryptionAes},  // no WPA2 below OS type 7
      {1, TRUE, 5, "TKIP+AES", 5, false, Page::kAuthWpaPsk, Page::kEncryptionAes},
      {1, TRUE, 4, "TKIP", 7, false, Page::kAuthWpa2, Page::kEncryptionTkip},
      {1, TRUE, 5, "AES", 7, false, Page::kAuthWpa2Psk, Page::kEncryptionAes},
      {0, TRUE, 5, "AES", 11, false, Page::kAuthWpa2Psk, Page::kEncryptionAes},  // ad hoc keeps WPA2-PSK
      {1, FALSE, 0, "None", 11, true, Page::kAuthOpen, Page::kEncryptionWep},   // the connect path: kind 0 is WEP
      {1, FALSE, 2, "TKIP", 11, true, Page::kAuthWpaPsk, Page::kEncryptionTkip},
  };
  for (const Case& c : cases) {
    g_nOsType = c.osType;
    if (c.forConnect)
      security().LoadFromSiteForConnect(c.infrastructure, c.kind, c.cipher);
    else
      security().LoadFromSite(c.infrastructure, c.secured, c.kind, c.cipher);
    pump();
    const std::string label = std::to_string(c.kind) + " " + c.cipher + " os " + std::to_string(c.osType);
    EXPECT_EQ(security().m_nAuthentication, c.authentication) << label;
    EXPECT_EQ(security().m_nEncryption, c.encryption) << label;
    EXPECT_EQ(lastOf(EDITOR_FIELD_AUTHENTICATION), std::to_string(c.authentication)) << label;
    EXPECT_EQ(security().m_bInfrastructure, c.infrastructure == 1) << label;
    EXPECT_EQ(security().m_nKeyFormat[3], Page::kKeyHex) << label;
  }
}

TEST_F(LoadFromSiteTest, SystemConfigTakesSsidNetworkTypeAndChannel) {
  struct Case {
    int infrastructure;
    DWORD frequency;
    const char* channel;  // code 38, "" when none is sent
    int networkType;
  };
  const Case cases[] = {{0, 5060000, "J12", 0}, {1, 2437000, "6", 1}, {1, 2437001, "", 1}};
  for (const Case& c : cases) {
    received().clear();
    system().LoadFromSite("Unname Profile3", "Cafe\tNet", c.infrastructure, c.frequency);
    pump();
    EXPECT_EQ(lastOf(EDITOR_FIELD_PROFILE_NAME), "Unname Profile3");
    EXPECT_EQ(lastOf(EDITOR_FIELD_SSID), "Cafe\tNet");
    EXPECT_EQ(std::string(system().m_strSsid), "Cafe\tNet");
    EXPECT_EQ(system().m_nNetworkType, c.networkType);
    EXPECT_EQ(lastOf(EDITOR_FIELD_NETWORK_TYPE), std::to_string(c.networkType));
    const std::vector<std::string> channels = valuesOf(EDITOR_FIELD_CHANNEL);
    EXPECT_EQ(channels.empty() ? std::string() : channels.back(), c.channel) << c.frequency;
    EXPECT_EQ(std::string(system().m_strChannel), c.channel);
  }
}

}  // namespace
}  // namespace station::testing
