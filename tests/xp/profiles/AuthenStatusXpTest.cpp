// Wavorel's authentication status log on its template: the supplicant's
// lines arrive as they are posted, and the clear button (1145) stops the
// port, empties the ring and the log and sends the host back to its first
// page; the next connection starts again at slot 0.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "station/profiles/AuthenStatusDlg.h"
#include "tests/xp/profiles/ProfilePageXpTest.h"
#include "xp/supplicant/PortManager.h"

namespace xpprofiles::testing {
namespace {

class AuthenStatusXpTest : public ProfilePageXpTest {
 protected:
  void SetUp() override {
    ProfilePageXpTest::SetUp();
    log_ = std::make_unique<CAuthenStatusDlg>(parentWnd());
    ASSERT_TRUE(log_->Create(IDD_AUTHEN_STATUS, parentWnd()));
    host_.page = log_->GetSafeHwnd();
  }
  void TearDown() override {
    SupplicantClose();
    host_.page = nullptr;
    if (log_->GetSafeHwnd()) log_->DestroyWindow();
    log_.reset();
    ProfilePageXpTest::TearDown();
  }
  std::vector<std::string> logLines() const {
    std::vector<std::string> lines;
    for (const CAuthenStatusDlg::Event& e : log_->GetEvents()) lines.emplace_back(static_cast<LPCSTR>(e.text));
    return lines;
  }
  bool logHas(const std::string& text) const {
    const std::vector<std::string> lines = logLines();
    return std::find(lines.begin(), lines.end(), text) != lines.end();
  }
  void pressClear() {
    CWnd* button = log_->GetDlgItem(IDC_AUTHEN_CLEAR);
    ASSERT_NE(button, nullptr);
    log_->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_AUTHEN_CLEAR, BN_CLICKED), reinterpret_cast<LPARAM>(button->m_hWnd));
    pump();
  }

  std::unique_ptr<CAuthenStatusDlg> log_;
};

TEST_F(AuthenStatusXpTest, TheClearButtonStopsThePortAndEmptiesTheRingAndTheLog) {
  enterprise("Corp", supplicant::testing::kPeap, "alice", "secret");
  startAndConnect();
  ASSERT_TRUE(driveUntil([&] { return logHas("PEAP Authenticating..."); })) << ::testing::PrintToString(logLines());
  EXPECT_EQ(logLines().front(), "Network is connecting...");
  EXPECT_NE(CAuthenStatusDlg::GetRingIndex(), 0);
  g_nReassociate = 1;
  host_.calls.clear();

  pressClear();
  EXPECT_TRUE(logLines().empty());
  EXPECT_TRUE(ringLines().empty());
  EXPECT_EQ(GetAuthStatusWriteIndex(), 0);
  EXPECT_EQ(CAuthenStatusDlg::GetRingIndex(), 0);
  EXPECT_EQ(g_nReassociate, 0);
  ASSERT_NE(GetCurrentPort(), nullptr);
  EXPECT_EQ(GetCurrentPort()->Started, 0u);
  EXPECT_EQ(host_.calls, std::vector<std::string>{"page 0"});
  // The exchange ended with the port: nothing more comes.
  drive(3000);
  EXPECT_TRUE(logLines().empty()) << ::testing::PrintToString(logLines());
  EXPECT_FALSE(wavorel::sim::machine().adapter(0).connected());

  // Started again, the log begins anew with the ring's first slot.
  ASSERT_EQ(pmStart(), 0);
  ASSERT_TRUE(driveUntil([&] { return logHas("Wireless client is authenticated."); }))
      << ::testing::PrintToString(logLines());
  EXPECT_EQ(logLines().front(), "Network is connecting...");
  EXPECT_EQ(std::string(g_authStatusEvents[0]), "Network is connecting...");
}

TEST_F(AuthenStatusXpTest, TheChecksLinesFollowTheProgressAndOkEndsTheRun) {
  enterprise("Corp", supplicant::testing::kTtls, "alice", "secret");
  startAndConnect();
  ASSERT_TRUE(driveUntil([&] {
    return logHas("Domain Controller is not found.") && CAuthenStatusDlg::GetRingIndex() == 0 && ringLines().empty();
  }))
      << ::testing::PrintToString(logLines());
  // "OK" zeroed the ring and the page's index and was not logged itself.
  const std::vector<std::string> expected = {"Network is connecting...",
                                             "TTLS Authenticating...",
                                             "Wireless client is authenticated.",
                                             "Network Link is connected.",
                                             "DHCP is Enabled.",
                                             "Succeed. IP address is 10.1.0.7.",
                                             "Detecting IPX Frame Type.",
                                             "IPX protocol is supported on this machine.",
                                             "Domain Controller is not found."};
  EXPECT_EQ(logLines(), expected);
  EXPECT_EQ(GetAuthStatusWriteIndex(), 0);
  EXPECT_TRUE(wavorel::sim::machine().adapter(0).connected());
}

}  // namespace
}  // namespace xpprofiles::testing
