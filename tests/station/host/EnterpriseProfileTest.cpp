// 802.1X profiles made only through the worker's bridge (codes 13, 19-23,
// 40-57, 17), stored, activated and connecting the simulated adapter where
// the authentication server accepts them.
#include <algorithm>
#include <string>

#include "platform/sim/radio/Machine.h"
#include "platform/sim/radio/World.h"
#include "platform/sim/services/NativeWifiService.h"
#include "station/profiles/EditorFieldCodes.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "tests/station/host/StationHostTest.h"

namespace station::testing {
namespace {

class EnterpriseProfileTest : public StationHostTest {
 protected:
  void useEnterpriseWorld(const char* eap) {
    reopenIn(std::string(wavorel::sim::defaultWorldText()) + R"(
[Network Secure]
Ssid = SecureNet
Bssid = 00-1D-7E-11-22-09
Channel = 2
Signal = -40
Security = WPA2-Enterprise
Cipher = CCMP
EapServerIssuer = Harbor Root CA
Eap = )" + eap + "\n");
    g_strAdapterGuid = guid().c_str();
  }
  // Add, the fields, OK; then the saved row selected and activated. With
  // `smartCard` the client certificate page's smart-card source is clicked
  // (the bridge has no code for it).
  void saveAndActivate(const std::vector<std::pair<UINT, const char*>>& fields, bool smartCard = false) {
    command(BRIDGE_CMD_PROFILE_NEW);
    for (const auto& [code, value] : {std::pair<UINT, const char*>{BRIDGE_CMD_EDITOR_PROFILE_NAME, "Secure"},
                                      {BRIDGE_CMD_EDITOR_SSID, "SecureNet"},
                                      {BRIDGE_CMD_EDITOR_SECURITY_FIELD, "5"},  // WPA2
                                      {25, "196609"}})                         // AES, profile editor
      command(code, value);
    for (const auto& [code, value] : fields) command(code, value);
    if (smartCard) {
      auto* editor = dynamic_cast<CProfileEditorDlg*>(host()->GetSecondaryDialog(kHostDlgProfileEditor));
      ASSERT_NE(editor, nullptr);
      editor->Get8021XPage()->ClientCert()->SendDlgItemMessage(IDC_CC_SOURCE_SMART_CARD, BM_CLICK);
    }
    command(BRIDGE_CMD_EDITOR_OK, "1");
    const std::vector<std::string> names = rowNames();
    const auto row = std::find(names.begin(), names.end(), "Secure") - names.begin();
    ASSERT_LT(static_cast<size_t>(row), names.size());
    command(BRIDGE_CMD_SELECT_PROFILE, std::to_string(row).c_str());
    command(BRIDGE_CMD_ACTIVATE_PROFILE, std::to_string(row).c_str());
    advance(8000);
  }
  // The profile and its user data the worker last gave the service.
  std::string storedXml() {
    const auto& last = wavorel::sim::NativeWifiService::instance().lastStored(guid());
    return last.profileXml + last.eapUserData;
  }
  bool connectedToSecure() {
    auto* network = machine().adapter(0).network();
    return machine().adapter(0).connected() && network && network->ssid == "SecureNet";
  }
  static std::string stored(const char* key) { return storeValue(kIniKindProfiles, "Secure", key); }
};

const std::vector<std::pair<UINT, const char*>> kPeapFields = {
    {40, "0"}, {41, "0"}, {43, "dana"}, {46, "dana"}, {47, "s3cret"}, {52, "1"}, {54, "1"}, {56, "radius"}};

TEST_F(EnterpriseProfileTest, APeapProfileWithServerValidationConnectsWhereTheServerAccepts) {
  useEnterpriseWorld("accept");
  g_b8021xSupport = 1;
  startWithHost();
  saveAndActivate(kPeapFields);
  EXPECT_TRUE(valuesOf(BRIDGE_UI_MESSAGE_BOX).empty());
  EXPECT_EQ(stored("AuthenProtocol"), "0");
  EXPECT_EQ(stored("TunnelProtocol"), "26");
  const std::string hash = stored("ServerCertData");
  ASSERT_EQ(hash.size(), 40u);
  const std::string xml = storedXml();
  EXPECT_NE(xml.find("<msPeap:ServerValidation>"), std::string::npos) << xml;
  std::string upperOrLower = xml;
  std::transform(upperOrLower.begin(), upperOrLower.end(), upperOrLower.begin(), ::tolower);
  EXPECT_NE(upperOrLower.find(hash), std::string::npos) << xml;
  EXPECT_TRUE(connectedToSecure());
}

TEST_F(EnterpriseProfileTest, ThePeapProfileDoesNotConnectWhereTheServerRejects) {
  useEnterpriseWorld("reject");
  g_b8021xSupport = 1;
  startWithHost();
  saveAndActivate(kPeapFields);
  EXPECT_EQ(stored("AuthenProtocol"), "0");
  EXPECT_FALSE(connectedToSecure());
}

TEST_F(EnterpriseProfileTest, AnEapTlsProfileCarriesTheUsersCertificateHash) {
  useEnterpriseWorld("accept");
  g_b8021xSupport = 1;
  startWithHost();
  saveAndActivate({{40, "1"}, {43, "dana"}, {50, ""}, {51, "0"}});
  EXPECT_TRUE(valuesOf(BRIDGE_UI_MESSAGE_BOX).empty());
  EXPECT_EQ(stored("AuthenProtocol"), "1");
  EXPECT_EQ(stored("UseClientCert"), "1");
  const std::string hash = stored("ClientCertData");
  ASSERT_EQ(hash.size(), 40u);
  std::string xml = storedXml();
  std::transform(xml.begin(), xml.end(), xml.begin(), ::tolower);
  EXPECT_NE(xml.find("eaptls:usercert"), std::string::npos) << xml;
  EXPECT_NE(xml.find(hash), std::string::npos) << xml;
  EXPECT_TRUE(connectedToSecure());
}

TEST_F(EnterpriseProfileTest, ASmartCardProfileStoresNoUserDataAndAsksForTheCard) {
  useEnterpriseWorld("accept");
  g_b8021xSupport = 1;
  startWithHost();
  saveAndActivate({{40, "1"}, {43, "dana"}}, true);
  EXPECT_TRUE(valuesOf(BRIDGE_UI_MESSAGE_BOX).empty());
  EXPECT_EQ(stored("AuthenProtocol"), "1");
  EXPECT_EQ(stored("UseSmartCard"), "1");
  const wavorel::sim::StoredProfile* profile =
      wavorel::sim::NativeWifiService::instance().store(guid()).find("SecureNet");
  ASSERT_NE(profile, nullptr);
  EXPECT_EQ(profile->eapUserData, "");
  EXPECT_NE(profile->xml.find("<eapTls:CredentialsSource><eapTls:SmartCard></eapTls:SmartCard>"),
            std::string::npos)
      << profile->xml;
  EXPECT_EQ(profile->xml.find("eapTls:CertificateStore"), std::string::npos) << profile->xml;
  EXPECT_TRUE(connectedToSecure());
}

}  // namespace
}  // namespace station::testing
