// The profile editor: code 35 on show, OK's checks and messages, the saved
// section (golden file) and the store mapping read back by LoadProfile.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/station/profiles/EditorTest.h"

namespace station::testing {
namespace {

using Page = CPageAuthEncryDlg;

class ProfileEditorTest : public EditorTest {
 protected:
  static std::string golden(const char* name) {
    std::ifstream in(std::string(EDITOR_TEST_DATA) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static std::string stored(const char* section, const char* key) { return read(kIniKindProfiles, section, key); }
};

TEST_F(ProfileEditorTest, ShowingResetsTheEditorAndReportsCode35) {
  editor().m_nTransmitKey = 3;
  editor().m_8021x.EapMethod = 2;
  editor().ShowWindow(SW_SHOW);
  pump();
  EXPECT_EQ(valuesOf(BRIDGE_UI_EDITOR_OPEN), std::vector<std::string>{""});
  EXPECT_EQ(editor().m_nTransmitKey, 0);
  EXPECT_EQ(editor().m_8021x.EapMethod, 0);
  EXPECT_EQ(editor().m_8021x.TunnelProtocol2, 3);
  EXPECT_FALSE(editor().GetTabButton(CProfileEditorDlg::kTab8021X)->IsWindowEnabled());
}

TEST_F(ProfileEditorTest, OkRefusesMissingOrUnstorableValuesAndWritesNothing) {
  struct Case {
    const char* name;
    const char* ssid;
    UINT auth;
    const char* leapId;
    const char* leapPassword;
    const char* message;
  };
  const Case cases[] = {
      {"", "Home", ID_AUTH_OPEN, "", "", "Please enter profile's name"},
      {"P", "", ID_AUTH_OPEN, "", "", "Please enter SSID"},
      {"P]x", "Home", ID_AUTH_OPEN, "", "", "The profile name cannot hold a line break or \"]\"."},
      {"P\r\nx", "Home", ID_AUTH_OPEN, "", "", "The profile name cannot hold a line break or \"]\"."},
      {"P", "Home", ID_AUTH_LEAP, "   ", "pw", "ID and Password required for LEAP!"},
      {"P", "Home", ID_AUTH_LEAP, "me", "", "ID and Password required for LEAP!"},
  };
  for (const Case& c : cases) {
    newProfile("P", c.ssid);
    command(BRIDGE_CMD_EDITOR_PROFILE_NAME, c.name);
    security().SendMessage(WM_COMMAND, c.auth, 0);
    command(35, c.leapId);
    command(36, c.leapPassword);
    received().clear();
    pressOk();
    EXPECT_EQ(messages(), std::vector<std::string>{c.message}) << c.name << "/" << c.ssid;
    EXPECT_EQ(readFile(kIniKindProfiles), "");
  }
}

TEST_F(ProfileEditorTest, OkWritesTheSectionInTableOrder) {
  newProfile("Home", "HomeNet");
  command(BRIDGE_CMD_EDITOR_CHANNEL, "5");
  command(23, "1");  // Shared: WEP
  command(27, "1");  // key 1 ASCII
  command(31, "abcde");
  command(32, "0102030405");
  command(26, "0");
  pressOk();
  EXPECT_EQ(messages(), std::vector<std::string>{});
  const std::string text = readFile(kIniKindProfiles);
  if (getenv("WAVOREL_UPDATE_GOLDEN")) std::ofstream(std::string(EDITOR_TEST_DATA) + "/SavedSection.ini") << text;
  EXPECT_EQ(text, golden("SavedSection.ini"));
}

TEST_F(ProfileEditorTest, StoreMappingRoundTrips) {
  newProfile("Map", "MapNet");
  command(BRIDGE_CMD_EDITOR_CHANNEL, "5");
  system().m_strChannel = "J12";
  system().UpdateData(FALSE);
  command(23, "0");
  command(25, "65537");  // WEP
  command(27, "1");
  command(31, "abcde");
  pressOk();
  EXPECT_EQ(stored("Map", "Channel"), "212");
  EXPECT_EQ(stored("Map", "WEPKey1"), "6162636465");
  EXPECT_EQ(stored("Map", "RtsThresh"), "2347");
  EXPECT_EQ(stored("Map", "FragThresh"), "2346");
  EXPECT_EQ(stored("Map", "PreambleType"), "2");

  security().ResetFields();
  system().ResetFields();
  received().clear();
  editProfile("Map");
  EXPECT_EQ(std::string(system().m_strChannel), "J12");
  EXPECT_EQ(valuesOf(38), std::vector<std::string>{"J12"});
  EXPECT_EQ(std::string(security().m_strWepKey[0]), "abcde");
  EXPECT_EQ(security().m_nKeyFormat[0], Page::kKeyAscii);
  EXPECT_EQ(valuesOf(50), std::vector<std::string>{"abcde"});
  EXPECT_EQ(security().m_nEncryption, Page::kEncryptionWep);
}

TEST_F(ProfileEditorTest, SecurityMappingTable) {
  struct Case {
    bool adhoc;
    UINT auth;          // chosen command
    int leapEncryption;  // for LEAP
    const char* authMode;
    const char* cipherMode;
    const char* use8021X;
    int authBack;
  };
  const Case cases[] = {
      {false, ID_AUTH_WPA_NONE, 0, "4", "4", "0", Page::kAuthWpaPsk},
      {false, ID_AUTH_LEAP, 1, "3", "4", "0", Page::kAuthLeap},
      {false, ID_AUTH_LEAP, 2, "6", "6", "0", Page::kAuthLeap},
      {false, ID_AUTH_WPA2, 0, "6", "4", "1", Page::kAuthWpa2},
      {true, ID_AUTH_WPA2_PSK, 0, "7", "6", "0", Page::kAuthWpa2Psk},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::string name = "S" + std::to_string(n++);
    newProfile(name.c_str(), "Net");
    if (c.adhoc) system().SendMessage(WM_COMMAND, ID_NETWORK_ADHOC, 0);
    security().m_bInfrastructure = !c.adhoc;
    security().SendMessage(WM_COMMAND, c.auth, 0);
    command(35, "user");
    command(36, "pw");
    command(38, std::to_string(c.leapEncryption).c_str());
    command(39, "passphrase");
    // WPA2 goes through the 802.1X page's checks: PEAP's identities.
    command(43, "user");
    command(46, "user");
    command(47, "pw");
    pressOk();
    EXPECT_EQ(stored(name.c_str(), "AuthMode"), c.authMode) << name;
    EXPECT_EQ(stored(name.c_str(), "CipherMode"), c.cipherMode) << name;
    EXPECT_EQ(stored(name.c_str(), "Use8021X"), c.use8021X) << name;
    security().ResetFields();
    editProfile(name.c_str());
    EXPECT_EQ(security().m_nAuthentication, c.authBack) << name;
    if (c.auth == ID_AUTH_LEAP) {
      EXPECT_EQ(security().m_nLeapEncryption, c.leapEncryption) << name;
    }
  }
}

TEST_F(ProfileEditorTest, LoadProfileCopesWithBadStoreValues) {
  writeFile(kIniKindProfiles,
            "[Bad]\r\nSSID_inHex=0\r\nSSID=Net\r\nChannel=abc\r\nAuthMode=9\r\nWEPKeyUse=7\r\n"
            "UseClientCert=1\r\nClientCertLen=6\r\nClientCertData=a1b2zz99\r\n"
            "ServerCertLen=400\r\nServerCertData=0\r\n");
  system().m_strProfileName = "Bad";
  security().m_nAuthentication = Page::kAuthShared;
  ASSERT_TRUE(editor().LoadProfile());
  EXPECT_EQ(std::string(system().m_strChannel), "0");
  EXPECT_EQ(security().m_nAuthentication, Page::kAuthShared);
  EXPECT_EQ(security().m_nTransmitKey, 0);
  EXPECT_EQ(editor().m_8021x.ClientCertLen, 6u);
  const BYTE client[6] = {0xA1, 0xB2, 0, 0, 0, 0};
  EXPECT_EQ(0, std::memcmp(editor().m_8021x.ClientCertData, client, 6));
  EXPECT_EQ(editor().m_8021x.ServerCertLen, 149u);
  EXPECT_EQ(editor().m_8021x.ServerCertData[0], 0);
}

TEST_F(ProfileEditorTest, CertificateBytesAreStoredAsLowerCaseHex) {
  newProfile("Cert", "Net");
  editor().m_8021x.ClientCertLen = 20;
  for (int i = 0; i < 20; ++i) editor().m_8021x.ClientCertData[i] = static_cast<BYTE>(0xA0 + i);
  editor().m_8021x.ServerCertLen = 500;
  editor().SaveProfile();
  EXPECT_EQ(stored("Cert", "ClientCertData"), "a0a1a2a3a4a5a6a7a8a9aaabacadaeafb0b1b2b3");
  EXPECT_EQ(stored("Cert", "ServerCertLen"), "149");
}

}  // namespace
}  // namespace station::testing
