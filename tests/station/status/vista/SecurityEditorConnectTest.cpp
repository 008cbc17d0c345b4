// Connecting a secured network of the site survey through the security
// editor: the editor opens (code 40), takes its fields by bridge commands of
// editor kind 0, and its OK builds the pending connection and queues it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "frontend/BridgeCodes.h"
#include "worker/ActionQueue.h"
#include "station/profiles/EditorFieldCodes.h"
#include "station/profiles/SecurityEditorDlg.h"
#include "tests/station/status/vista/SiteSurveyTest.h"

namespace station::testing {
namespace {

class SecurityEditorConnectTest : public SiteSurveyTest {
 protected:
  void SetUp() override {
    SiteSurveyTest::SetUp();
    reopenIn(ThreeNetworkWorld() + R"(
[Network Corp]
Ssid = CorpWLAN
Bssid = 00-1D-7E-00-00-05
Channel = 4
Signal = -50
Security = WPA2-Enterprise
Cipher = CCMP
Eap = accept

[Network Refusing]
Ssid = CorpDeny
Bssid = 00-1D-7E-00-00-06
Channel = 9
Signal = -50
Security = WPA2-Enterprise
Cipher = CCMP
Eap = reject
)");
  }
  CSecurityEditorDlg* editor() {
    return dynamic_cast<CSecurityEditorDlg*>(host()->GetSecondaryDialog(kHostDlgSecurityEditor));
  }
  // Connect on the row of `ssid`: the security editor opens.
  void openEditorFor(const char* ssid) {
    const int row = rowOf(ssid);
    ASSERT_GE(row, 0) << ssid;
    received().clear();
    command(BRIDGE_CMD_CONNECT_BSS_DIRECT, std::to_string(row).c_str());
    ASSERT_EQ(g_pHideDlg->GetCurrentPage(), kHostDlgSecurityEditor) << ssid;
    EXPECT_EQ(valuesOf(EDITOR_FIELD_SECURITY_EDITOR_OPEN), std::vector<std::string>{""});
  }
  std::vector<std::string> messages() {
    std::vector<std::string> out;
    for (const std::string& v : valuesOf(BRIDGE_UI_MESSAGE_BOX)) out.push_back(v.substr(v.rfind('\n') + 1));
    return out;
  }
  void ok() {
    received().clear();
    command(BRIDGE_CMD_EDITOR_OK, "0");
  }
};

// The connection record the editor's OK builds and hands to the worker's
// queue.
TEST_F(SecurityEditorConnectTest, WepAndWpa2PskChoicesBuildTheQueuedConnection) {
  g_b8021xSupport = 1;
  startSurvey();
  openEditorFor("Gamma");
  command(31, "0123456789");      // key 1, hexadecimal
  command(32, "012345678");       // key 2: nine digits store four bytes
  command(BRIDGE_CMD_EDITOR_OK, "1");  // the profile editor's OK: not this editor
  EXPECT_EQ(g_pHideDlg->GetCurrentPage(), kHostDlgSecurityEditor);
  ok();
  EXPECT_EQ(messages(), std::vector<std::string>{});
  EXPECT_EQ(valuesOf(BRIDGE_UI_SURVEY_SAVE_REQUEST), std::vector<std::string>{"1"});
  EXPECT_EQ(site()->m_nKeyLength[0], 5);
  EXPECT_EQ(site()->m_nKeyLength[1], 4);
  EXPECT_EQ(site()->m_keys[1][3], 0x67);
  EXPECT_EQ(g_pHideDlg->GetCurrentPage(), kHostDlgLinkStatus);
  const _PROFILE_DATA* record = site()->GetConnectRecord();
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->Valid, 1u);
  EXPECT_EQ(record->AuthMode, 0u);
  EXPECT_EQ(record->CipherMode, 0u);
  EXPECT_FALSE(record->WepKey[0].empty());
  EXPECT_TRUE(GetActionQueue().empty()) << "the worker took the connection";

  openEditorFor("Say \"hi\"");
  command(39, "twelve chars");
  ok();
  EXPECT_EQ(messages(), std::vector<std::string>{});
  record = site()->GetConnectRecord();
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->AuthMode, 7u);
  EXPECT_EQ(record->CipherMode, 6u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(record->WpaPsk), record->WpaPskLength), "twelve chars");
}

// The key chosen in the editor is the one the adapter joins the network's
// BSSID with: a wrong one leaves it unassociated.
TEST_F(SecurityEditorConnectTest, TheChosenKeyReachesTheAssociation) {
  g_b8021xSupport = 1;
  startSurvey();
  const BYTE gamma[6] = {0x00, 0x1D, 0x7E, 0x00, 0x00, 0x03};
  const BYTE quoted[6] = {0x00, 0x1D, 0x7E, 0x00, 0x00, 0x02};
  const struct {
    const char* what;
    const char* ssid;
    UINT auth;  // 0: as the site shows it
    UINT keyCode;
    const char* key;
    const BYTE* bssid;
    bool joins;
  } cases[] = {
      {"WEP, shared key, wrong key", "Gamma", ID_AUTH_SHARED, 31, "9876543210", gamma, false},
      {"WPA2-PSK, wrong passphrase", "Say \"hi\"", 0, 39, "not the phrase", quoted, false},
      {"WEP, the AP's key", "Gamma", 0, 31, "0123456789", gamma, true},
      {"WPA2-PSK, the AP's passphrase", "Say \"hi\"", 0, 39, "twelve chars", quoted, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    openEditorFor(c.ssid);
    if (c.auth) editor()->GetAuthEncryPage()->SendMessage(WM_COMMAND, c.auth, 0);
    command(c.keyCode, c.key);
    ok();
    EXPECT_EQ(messages(), std::vector<std::string>{});
    ASSERT_EQ(g_pHideDlg->GetCurrentPage(), kHostDlgLinkStatus);
    advance(6000);
    EXPECT_EQ(std::memcmp(g_currentBssid, c.bssid, 6) == 0, c.joins);
    if (c.joins) {
      EXPECT_EQ(g_bIcvError, 0);
    } else {
      const BYTE none[6] = {};
      EXPECT_EQ(std::memcmp(g_currentBssid, none, 6), 0);
    }
  }
}

TEST_F(SecurityEditorConnectTest, Wpa2With8021XIsValidatedBeforeItsFieldsReachTheConnection) {
  g_b8021xSupport = 1;
  startSurvey();
  openEditorFor("CorpWLAN");
  ok();
  EXPECT_EQ(messages(), std::vector<std::string>{"Identity required in authentication setting!"});
  EXPECT_EQ(g_pHideDlg->GetCurrentPage(), kHostDlgSecurityEditor);
  command(43, "dana");
  command(46, "dana");
  command(47, "s3cret");
  ok();
  EXPECT_EQ(messages(), std::vector<std::string>{});
  EXPECT_EQ(site()->m_8021x.TunnelID, "dana");
  EXPECT_EQ(site()->m_8021x.TunnelProtocol, 26);
  const _PROFILE_DATA* record = site()->GetConnectRecord();
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->Use8021X, 1u);
  EXPECT_EQ(record->AuthMode, 6u);
  EXPECT_EQ(record->AuthenProtocol, 0u);
  EXPECT_STREQ(record->TunnelID, "dana");
}

// WPA2 with 802.1X from the survey: the adapter joins where the
// authentication server accepts and stays out where it refuses.
TEST_F(SecurityEditorConnectTest, Wpa2With8021XJoinsWhereTheServerAccepts) {
  g_b8021xSupport = 1;
  startSurvey();
  const BYTE corp[6] = {0x00, 0x1D, 0x7E, 0x00, 0x00, 0x05};
  const BYTE deny[6] = {0x00, 0x1D, 0x7E, 0x00, 0x00, 0x06};
  const struct {
    const char* ssid;
    const BYTE* bssid;
    bool joins;
  } cases[] = {{"CorpDeny", deny, false}, {"CorpWLAN", corp, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ssid);
    openEditorFor(c.ssid);
    for (const auto& [code, value] : {std::pair<UINT, const char*>{43, "dana"}, {46, "dana"}, {47, "s3cret"}})
      command(code, value);
    ok();
    EXPECT_EQ(messages(), std::vector<std::string>{});
    ASSERT_EQ(g_pHideDlg->GetCurrentPage(), kHostDlgLinkStatus);
    advance(8000);
    wavorel::sim::Adapter& adapter = machine().adapter(0);
    const bool joined = adapter.connected() && adapter.network() && adapter.network()->ssid == c.ssid;
    EXPECT_EQ(joined, c.joins);
    EXPECT_EQ(std::memcmp(g_currentBssid, c.bssid, 6) == 0, c.joins);
  }
}

TEST_F(SecurityEditorConnectTest, WithoutThe8021XSupportFlagNo8021XFieldIsCopied) {
  startSurvey();
  g_b8021xSupport = 0;
  openEditorFor("CorpWLAN");
  for (const auto& [code, value] : {std::pair<UINT, const char*>{43, "dana"}, {46, "dana"}, {47, "s3cret"}})
    command(code, value);
  ok();
  EXPECT_EQ(messages(), std::vector<std::string>{});
  EXPECT_EQ(site()->m_8021x.Identity, "");
  EXPECT_EQ(site()->m_8021x.TunnelID, "");
}

// The driver's "CCX2Control" as the editor found it when it showed: bit 0
// is the LEAP record's CCX flag, bit 1 the CCKM flag; unreadable, both 0.
TEST_F(SecurityEditorConnectTest, CcxControlBitsReadAtShowReachTheLeapConnection) {
  g_b8021xSupport = 1;
  startSurvey();
  const struct {
    const char* what;
    bool present;
    DWORD value;
    BYTE leapCcx;
    int cckm;
  } cases[] = {{"bits 0 and 1", true, 3, 1, 1}, {"missing", false, 0, 0, 0}, {"bit 1", true, 2, 0, 1},
               {"bit 0 among others", true, 0xFD, 1, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    if (c.present)
      RegSetValueEx(key, "CCX2Control", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&c.value), sizeof c.value);
    else
      RegDeleteValue(key, "CCX2Control");
    RegCloseKey(key);
    openEditorFor("Gamma");
    editor()->GetAuthEncryPage()->SendMessage(WM_COMMAND, ID_AUTH_LEAP, 0);
    command(35, "dana");
    command(36, "pw");
    ok();
    EXPECT_EQ(messages(), std::vector<std::string>{});
    const _PROFILE_DATA* record = site()->GetConnectRecord();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->LeapEnabled, 1u);
    EXPECT_EQ(record->LeapCcx, c.leapCcx);
    EXPECT_EQ(site()->m_bCcxCckm, c.cckm);
  }
}

TEST_F(SecurityEditorConnectTest, LeapWithABlankIdentityIsRefused) {
  g_b8021xSupport = 1;
  startSurvey();
  openEditorFor("Gamma");
  CPageAuthEncryDlg* auth = editor()->GetAuthEncryPage();
  auth->SendMessage(WM_COMMAND, ID_AUTH_LEAP, 0);
  command(35, "   ");
  command(36, "pw");
  ok();
  EXPECT_EQ(messages(), std::vector<std::string>{"ID and Password required for LEAP!"});
  EXPECT_EQ(g_pHideDlg->GetCurrentPage(), kHostDlgSecurityEditor);
  EXPECT_TRUE(valuesOf(BRIDGE_UI_SURVEY_SAVE_REQUEST).empty());
}

}  // namespace
}  // namespace station::testing
