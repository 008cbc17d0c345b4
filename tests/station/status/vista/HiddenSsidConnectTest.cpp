// Connecting to a network that hides its SSID (zero bytes as it beacons, or
// no SSID at all): the site survey opens the host's hidden-SSID prompt, and its OK carries the pending connection on to
// the simulated adapter (an open network) or to the security editor (a
// secured one).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "frontend/BridgeCodes.h"
#include "station/profiles/HiddenSsidDlg.h"
#include "tests/station/status/vista/SiteSurveyTest.h"

namespace station::testing {
namespace {

class HiddenSsidConnectTest : public SiteSurveyTest {
 protected:
  void SetUp() override {
    SiteSurveyTest::SetUp();
    reopenIn(ThreeNetworkWorld() + R"(
[Network Secret]
Ssid = Secret Lab
Bssid = 00-1D-7E-00-00-04
Channel = 3
Signal = -45
Security = Open
Hidden = yes
)");
  }
  CHiddenSsidDlg* prompt() {
    return dynamic_cast<CHiddenSsidDlg*>(host()->GetSecondaryDialog(kHostDlgHiddenSsid));
  }
  // The hidden network's row as a scan without its SSID lists it.
  void listHidden(DWORD privacy) {
    worker::testing::BssRecordFields hidden;
    hidden.ssid.clear();
    const BYTE mac[6] = {0x00, 0x1D, 0x7E, 0x00, 0x00, 0x04};
    std::memcpy(hidden.mac, mac, sizeof mac);
    hidden.frequency = 2422000;
    hidden.privacy = privacy;
    useSiteList({worker::testing::BssRecord(hidden)});
    ASSERT_EQ(site()->GetRowCount(), 1);
  }
  void enterSsid(const char* typed) {
    prompt()->SetDlgItemText(IDC_HIDDEN_SSID_EDIT, typed);
    prompt()->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_HIDDEN_SSID_OK, BN_CLICKED), 0);
    wavorel::pumpMessages();
  }
};

TEST_F(HiddenSsidConnectTest, OkConnectsTheAdapterToTheNamedNetwork) {
  startSurvey();
  // The scan lists the network as it beacons: its SSID as zero bytes.
  const int row = rowOf("");
  ASSERT_GE(row, 0);
  command(BRIDGE_CMD_CONNECT_BSS_DIRECT, std::to_string(row).c_str());
  ASSERT_NE(prompt(), nullptr);
  ASSERT_EQ(g_pHideDlg->GetCurrentPage(), kHostDlgHiddenSsid);
  EXPECT_TRUE(prompt()->GetStyle() & WS_VISIBLE);

  enterSsid("  Secret Lab ");
  const _PROFILE_DATA* record = site()->GetConnectRecord();
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(record->Ssid.Ssid), record->Ssid.SsidLength), "Secret Lab");
  EXPECT_EQ(record->UseBssid, 0u);
  EXPECT_EQ(site()->m_bBySsid, 1);
  EXPECT_EQ(g_pHideDlg->GetCurrentPage(), kHostDlgLinkStatus);
  advance(6000);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(g_currentSsid.Ssid), g_currentSsid.SsidLength), "Secret Lab");
  const BYTE mac[6] = {0x00, 0x1D, 0x7E, 0x00, 0x00, 0x04};
  EXPECT_EQ(std::memcmp(g_currentBssid, mac, 6), 0);
}

TEST_F(HiddenSsidConnectTest, SecuredNetworkGoesOnToTheSecurityEditorAndARefusedSsidStays) {
  startSurvey();
  listHidden(1);
  command(BRIDGE_CMD_CONNECT_BSS_DIRECT, "0");
  ASSERT_EQ(g_pHideDlg->GetCurrentPage(), kHostDlgHiddenSsid);
  // 33 characters: refused, nothing taken, the prompt stays.
  enterSsid(std::string(33, 'z').c_str());
  EXPECT_EQ(g_pHideDlg->GetCurrentPage(), kHostDlgHiddenSsid);
  EXPECT_EQ(site()->m_ssid.SsidLength, 0u);
  enterSsid("Secret Lab");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(site()->m_ssid.Ssid), site()->m_ssid.SsidLength), "Secret Lab");
  EXPECT_EQ(site()->m_bHiddenSsidEntered, 1);
  EXPECT_EQ(g_pHideDlg->GetCurrentPage(), kHostDlgSecurityEditor);
  EXPECT_EQ(site()->GetConnectRecord() ? site()->GetConnectRecord()->Valid : 0u, 0u);
}

}  // namespace
}  // namespace station::testing
