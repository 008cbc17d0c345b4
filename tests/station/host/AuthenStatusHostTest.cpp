// The host's authentication status log and single sign-on page: the log
// shown as the host's secondary dialog closes on the ring's "OK", and the
// sign-on page is the host's tab page.
#include <cstring>

#include "station/profiles/AuthenStatusDlg.h"
#include "station/profiles/PageSSODlg.h"
#include "tests/station/host/StationHostTest.h"
#include "worker/WorkerGlobals.h"

namespace station::testing {
namespace {

using AuthenStatusHostTest = StationHostTest;

TEST_F(AuthenStatusHostTest, RingOkClosesTheShownLogAndOnlyThen) {
  startWithHost();
  auto* log = dynamic_cast<CAuthenStatusDlg*>(host()->GetSecondaryDialog(kHostDlgAuthenStatus));
  ASSERT_NE(log, nullptr);
  worker().ShowPage(kHostDlgAuthenStatus);
  ASSERT_TRUE(log->GetStyle() & WS_VISIBLE);
  std::strcpy(g_authStatusEvents[0], "Authenticating");
  log->SendMessage(WM_AUTH_STATUS_EVENT, 0, 0);
  EXPECT_EQ(worker().GetCurrentPage(), kHostDlgAuthenStatus);
  std::strcpy(g_authStatusEvents[1], "OK");
  log->SendMessage(WM_AUTH_STATUS_EVENT, 1, 0);
  EXPECT_EQ(worker().GetCurrentPage(), kHostDlgLinkStatus);
  EXPECT_FALSE(log->GetStyle() & WS_VISIBLE);

  // Not shown: the ring is emptied, the host's page stays.
  worker().ShowPage(kHostDlgApDetailInfo);
  std::strcpy(g_authStatusEvents[0], "OK");
  log->SendMessage(WM_AUTH_STATUS_EVENT, 0, 0);
  EXPECT_EQ(worker().GetCurrentPage(), kHostDlgApDetailInfo);
  EXPECT_EQ(g_authStatusEvents[0][0], '\0');
}

TEST_F(AuthenStatusHostTest, SingleSignOnPageIsTheHostsTabPage) {
  startWithHost();
  auto* page = dynamic_cast<CPageSSODlg*>(host()->GetTabPage(kHostTabSso));
  ASSERT_NE(page, nullptr);
  CString text;
  page->GetWindowText(text);
  EXPECT_EQ(std::string(text), "SSO");
}

}  // namespace
}  // namespace station::testing
