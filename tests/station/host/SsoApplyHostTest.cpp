// The single sign-on page's Apply in the host: the chosen profile takes
// over the connection, so the site survey's connect targets are cleared.
#include "station/profiles/PageSSODlg.h"
#include "tests/station/host/StationHostTest.h"

namespace station::testing {
namespace {

class SsoApplyHostTest : public StationHostTest {};

TEST_F(SsoApplyHostTest, ApplyClearsTheSiteSurveysConnectTargets) {
  startWithHost();
  auto* sso = dynamic_cast<CPageSSODlg*>(host()->GetTabPage(kHostTabSso));
  CPageSiteSurveyDlg* site = host()->GetSiteSurveyPage();
  ASSERT_NE(sso, nullptr);
  ASSERT_NE(site, nullptr);
  site->m_bByBssid = 1;
  site->m_bBySsid = 1;
  sso->SendMessage(WM_COMMAND, MAKEWPARAM(1267, BN_CLICKED), 0);
  wavorel::pumpMessages();
  EXPECT_EQ(site->m_bByBssid, 0);
  EXPECT_EQ(site->m_bBySsid, 0);
}

}  // namespace
}  // namespace station::testing
