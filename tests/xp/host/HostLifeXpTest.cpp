// Wavorel's station worker window running with its host of the station pages
// on the simulated machine: the host goes with the adapter (a password prompt
// that waits on it ends first) and is built again once the adapter is back;
// the profile page's activation ends a prompt the host shows.
#include <memory>
#include <string>
#include <vector>

#include "station/host/Sorvik2007Dlg.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/profiles/PeapSettingDlg.h"
#include "tests/xp/worker/XpWorkerWindowTest.h"
#include "worker/HideDlg.h"
#include "worker/ProfileStore.h"
#include "worker/StationHost.h"

namespace xphost::testing {
namespace {

using supplicant::testing::kGuid;

// The program's host, counted as the worker makes and frees it.
class CountedHost : public CSorvik2007Dlg {
 public:
  CountedHost() { ++made(); }
  ~CountedHost() override { ++freed(); }
  static std::unique_ptr<CStationHost> Make() { return std::make_unique<CountedHost>(); }
  static int& made() {
    static int n = 0;
    return n;
  }
  static int& freed() {
    static int n = 0;
    return n;
  }
};

class HostLifeXpTest : public xpworker::testing::XpWorkerWindowTest {
 protected:
  void SetUp() override {
    XpWorkerWindowTest::SetUp();
    CountedHost::made() = 0;
    CountedHost::freed() = 0;
    SetStationHostFactory(&CountedHost::Make);
  }
  void TearDown() override {
    XpWorkerWindowTest::TearDown();
    SetStationHostFactory(nullptr);
  }

  // The worker, and its host opened from the tray as a person opens it.
  void startWithHost() {
    ASSERT_NO_FATAL_FAILURE(startWorker());
    openHost();
    ASSERT_NE(g_pHideDlg->GetHost(), nullptr);
  }
  void openHost() {
    SendMessage(g_pHideDlg->GetSafeHwnd(), WM_WORKER_TRAY_NOTIFY, 0, WM_LBUTTONDBLCLK);
    pumpAll();
  }
  HWND hostWindow() const {
    CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr;
    return host ? host->GetSafeHwnd() : nullptr;
  }
  static HWND promptWindow() {
    CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr;
    CDialog* prompt = host ? host->GetSecondaryDialog(kHostDlgPeapSetting) : nullptr;
    return prompt ? prompt->GetSafeHwnd() : nullptr;
  }
  static bool visible(HWND window) { return window && (GetWindowLong(window, GWL_STYLE) & WS_VISIBLE); }
};

TEST_F(HostLifeXpTest, UnplugUnderAWaitingPasswordPromptEndsItAndDestroysTheHostOnce) {
  storePasswordChangeProfile();
  startWithHost();
  // The first pass's release drops the first connection; the comparison
  // applies the profile again and the server asks for the new password.
  ASSERT_TRUE(driveUntil([] { return IsPromptActive() != 0; }, 40000));
  ASSERT_TRUE(visible(promptWindow()));
  const HWND host = hostWindow();

  wavorel::sim::machine().setPresent(kGuid, false);
  drive(6000);  // several ticks without the adapter
  EXPECT_FALSE(IsPromptActive());
  EXPECT_FALSE(IsWindow(host));
  EXPECT_EQ(g_pHideDlg->GetHost(), nullptr);
  EXPECT_EQ(CountedHost::made(), 1);
  EXPECT_EQ(CountedHost::freed(), 1);
  // The prompt ended as cancelled: the old password stays.
  EXPECT_EQ(driverText("TunnelPassword"), "old-one");
  ASSERT_FALSE(states().empty());
  EXPECT_EQ(states().back(), "01Wireless Net  Status : Not Exist");
}

TEST_F(HostLifeXpTest, PasswordChangePromptShowsTheIdentityAndItsOkStoresTheTypedPassword) {
  storePasswordChangeProfile();
  startWithHost();
  ASSERT_TRUE(driveUntil([] { return IsPromptActive() != 0; }, 40000));
  const HWND prompt = promptWindow();
  ASSERT_TRUE(visible(prompt));
  char identity[64] = "";
  GetDlgItemText(prompt, IDC_PEAP_IDENTITY, identity, sizeof identity);
  EXPECT_STREQ(identity, "alice");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(prompt, IDC_PEAP_IDENTITY)));

  SetDlgItemText(prompt, IDC_PEAP_PASSWORD, "new-one");
  SendDlgItemMessage(prompt, IDC_PEAP_OK, BM_CLICK, 0, 0);
  // The waiting request takes the answer: the prompt ends and the new
  // password is the profile's.
  ASSERT_TRUE(driveUntil([] { return IsPromptActive() == 0; }, 5000));
  EXPECT_FALSE(visible(prompt));
  EXPECT_EQ(driverText("TunnelPassword"), "new-one");
}

TEST_F(HostLifeXpTest, HostGoesWithTheAdapterOnceAndIsBuiltAgainWhenItIsBack) {
  startWithHost();
  const HWND first = hostWindow();
  ASSERT_TRUE(IsWindow(first));

  wavorel::sim::machine().setPresent(kGuid, false);
  drive(6000);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(CountedHost::freed(), 1);
  ASSERT_FALSE(states().empty());
  EXPECT_EQ(states().back(), "01Wireless Net  Status : Not Exist");
  // No host while the adapter is away.
  openHost();
  EXPECT_EQ(hostWindow(), nullptr);
  EXPECT_EQ(CountedHost::made(), 1);

  wavorel::sim::machine().setPresent(kGuid, true);
  received().clear();
  drive(2500);
  ASSERT_FALSE(states().empty());
  EXPECT_EQ(states().front(), "00Wireless Net  Status : Disconnected");
  openHost();
  EXPECT_TRUE(IsWindow(hostWindow()));
  EXPECT_EQ(CountedHost::made(), 2);
  EXPECT_EQ(CountedHost::freed(), 1);
}

TEST_F(HostLifeXpTest, NextWorkerTearsDownItsHostAfterTheLastEndedWithoutTheAdapter) {
  startWithHost();
  wavorel::sim::machine().setPresent(kGuid, false);
  drive(4000);
  DestroyHideDlg();
  pumpAll();
  wavorel::sim::machine().setPresent(kGuid, true);

  startWithHost();
  const HWND host = hostWindow();
  ASSERT_TRUE(IsWindow(host));
  wavorel::sim::machine().setPresent(kGuid, false);
  drive(4000);
  EXPECT_FALSE(IsWindow(host));
  EXPECT_EQ(CountedHost::made(), 2);
  EXPECT_EQ(CountedHost::freed(), 2);
}

TEST_F(HostLifeXpTest, ProfileActivationEndsAVisiblePeapPromptAsClosed) {
  startWithHost();
  g_pHideDlg->ShowPage(kHostDlgPeapSetting);
  ASSERT_TRUE(visible(promptWindow()));
  g_nPeapPromptResult = 0;

  CDialog* page = g_pHideDlg->GetHost()->GetTabPage(kHostTabProfile);
  ASSERT_NE(page, nullptr);
  page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PROFILE_ACTIVATE, BN_CLICKED), 0);
  pumpAll();
  EXPECT_EQ(g_nPeapPromptResult, kPeapPromptClosed);
  EXPECT_FALSE(visible(promptWindow()));
  EXPECT_EQ(GetAuthFailureKind(), kAuthFailureActivation);
}

}  // namespace
}  // namespace xphost::testing
