// The worker's own credential steps on the real identity and password prompt
// (template 198 under a plain parent): the one-time password prompt of a
// PEAP/GTC profile that asks each time, and the logon credentials of single
// sign-on for EAP-FAST. A test's responder types and answers as a user would.
#include <algorithm>

#include "platform/win/user/ModalLoop.h"
#include "station/profiles/PageSSODlg.h"
#include "station/profiles/PeapSettingDlg.h"
#include "tests/xp/worker/XpWorkerTest.h"
#include "xp/worker/CredentialPrompt.h"

namespace xpworker::testing {
namespace {

using supplicant::testing::kFast;
using supplicant::testing::kPeap;
using supplicant::testing::PutText;

// A host without a window whose secondary dialog 8 is the real prompt.
class PromptHost : public QuietHost {
 public:
  CDialog* GetSecondaryDialog(int index) const override { return index == kHostDlgPeapSetting ? prompt : nullptr; }
  void ShowSecondaryDialog(int index) override {
    shown.push_back(index);
    if (prompt) prompt->ShowWindow(index == kHostDlgPeapSetting ? SW_SHOW : SW_HIDE);
  }
  void ToggleLayout() override { ++layouts; }

  CDialog* prompt = nullptr;
  std::vector<int> shown;
  int layouts = 0;
};

// What the user sees and does.
struct User {
  std::string caption, presetIdentity;
  std::string identity = "bob", password = "typed";
  int button = IDC_PEAP_OK;
  int asked = 0;
};

class CredentialPromptTest : public XpWorkerTest {
 protected:
  void SetUp() override {
    XpWorkerTest::SetUp();
    ASSERT_TRUE(SupplicantInit());
    ASSERT_TRUE(SupplicantSelectAdapter());
    parent_ = CreateWindowEx(0, "XpWorkerTestWindow", "host", WS_POPUP, 0, 0, 700, 400, nullptr, nullptr, nullptr,
                             nullptr);
    prompt_ = std::make_unique<CPeapSettingDlg>(CWnd::FromHandle(parent_));
    ASSERT_TRUE(prompt_->Create(IDD_PEAP_SETTING, CWnd::FromHandle(parent_)));
    host_.prompt = prompt_.get();
    context.host = &host_;
    wavorel::setModalResponder([this](const wavorel::ModalWindow& window) {
      ++user.asked;
      user.caption = window.caption;
      char preset[128] = {};
      GetDlgItemText(window.hwnd, IDC_PEAP_IDENTITY, preset, sizeof preset);
      user.presetIdentity = preset;
      SetDlgItemText(window.hwnd, IDC_PEAP_IDENTITY, user.identity.c_str());
      SetDlgItemText(window.hwnd, IDC_PEAP_PASSWORD, user.password.c_str());
      if (duringPrompt) duringPrompt();
      return user.button;
    });
    wavorel::sim::clearDriverCalls();
  }
  void TearDown() override {
    wavorel::setModalResponder(nullptr);
    prompt_->DestroyWindow();
    prompt_.reset();
    DestroyWindow(parent_);
    g_bPromptNewUser = 0;
    g_bPromptOneTimePassword = 0;
    g_nPeapPromptResult = 0;
    XpWorkerTest::TearDown();
  }
  // A PEAP record with the token card inside that asks each time.
  _PROFILE_DATA& gtc() {
    _PROFILE_DATA& p = enterprise("Corp", kPeap, "alice", "stored");
    p.TunnelProtocol = 6;
    p.PasswordMode = 0;
    return p;
  }
  static void setSso(const char* install, const char* enable, const char* source) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kSsoKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::pair<const char*, const char*> values[] = {
        {"SSOInstall", install}, {"SSOEnable", enable}, {"SavedPassword", source}};
    for (const auto& [name, text] : values) {
      if (text)
        RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text) + 1));
      else
        RegDeleteValue(key, name);
    }
    RegCloseKey(key);
  }
  static bool sent(const std::string& line) {
    const Trace t = trace();
    return std::find(t.begin(), t.end(), line) != t.end();
  }
  const _PROFILE_DATA& used() const { return *XpWorkerState().SupplicantCredentials; }

  User user;
  std::function<void()> duringPrompt;
  PromptHost host_;

  std::unique_ptr<CPeapSettingDlg> prompt_;

 private:
  HWND parent_ = nullptr;
};

// The first set after the connection's credentials (the LEAP switch, off):
// seen only when the run went on past them.
constexpr char kAfterCredentials[] = "S 0DF10139 4 =00000000";

TEST_F(CredentialPromptTest, OneTimePasswordTypedIntoThePromptFillsBothPairsAndTheConnectionGoesOn) {
  g_bApplyRequested = 1;
  queueConnect(gtc());
  queueKind(kActionSetSsid);
  EXPECT_EQ(ProcessXpActions(context), 2);
  EXPECT_EQ(user.asked, 1);
  EXPECT_EQ(user.caption, "Peap Setting - One Time Password");
  EXPECT_EQ(user.presetIdentity, "alice");
  EXPECT_EQ(host_.shown.front(), kHostDlgPeapSetting);
  EXPECT_EQ(host_.layouts, 1) << "the host opens its lower area for the prompt";
  EXPECT_STREQ(used().Identity, "bob");
  EXPECT_STREQ(used().Password, "typed");
  EXPECT_STREQ(used().TunnelID, "bob");
  EXPECT_STREQ(used().TunnelPassword, "typed");
  EXPECT_EQ(g_bApplyRequested, 1) << "cleared for the prompt, set again by its OK";
  EXPECT_TRUE(sent(kAfterCredentials));
  EXPECT_TRUE(queue.empty());
}

TEST_F(CredentialPromptTest, TheCredentialsTypedIntoThePromptConnectTheAdapter) {
  // The world's Corp network accepts PEAP for alice/secret only: the stored
  // pairs ("nobody"/"stored") would not pass its server, the typed ones do.
  _PROFILE_DATA& record = gtc();
  PutText(record.Identity, sizeof record.Identity, "nobody");
  PutText(record.TunnelID, sizeof record.TunnelID, "nobody");
  user.identity = "alice";
  user.password = "secret";
  queueConnect(record);
  EXPECT_EQ(ProcessXpActions(context), 1);
  EXPECT_EQ(user.asked, 1);
  ASSERT_TRUE(driveUntil([] { return adapter().connected(); }, 10000)) << ::testing::PrintToString(ringLines());
  ASSERT_NE(adapter().network(), nullptr);
  EXPECT_EQ(adapter().network()->ssid, "Corp");
  DWORD media = 1, returned = 0;
  EXPECT_TRUE(QueryOid(OID_GEN_MEDIA_CONNECT_STATUS, &media, sizeof media, &returned));
  EXPECT_EQ(media, 0u) << "the driver reports the link up";
  EXPECT_TRUE(ringHas("Wireless client is authenticated."));
}

TEST_F(CredentialPromptTest, ClosingThePromptEndsTheRunWithWhatFollowsQueued) {
  user.button = IDCANCEL;
  queueConnect(gtc());
  queueKind(kActionSetSsid);
  EXPECT_EQ(ProcessXpActions(context), 1);
  EXPECT_EQ(user.asked, 1);
  EXPECT_EQ(g_bApplyRequested, 0);
  EXPECT_STREQ(used().TunnelPassword, "stored") << "nothing typed was taken";
  EXPECT_FALSE(sent(kAfterCredentials));
  ASSERT_EQ(queue.size(), 1u);
  EXPECT_EQ(queue.front().Kind, kActionSetSsid);
}

TEST_F(CredentialPromptTest, WithNobodyToAnswerThePromptIsCancelledAndTheRunEnds) {
  wavorel::setModalResponder(nullptr);
  queueConnect(gtc());
  queueKind(kActionSetSsid);
  EXPECT_EQ(ProcessXpActions(context), 1);
  EXPECT_EQ(g_nPeapPromptResult, kPeapPromptClosed);
  EXPECT_STREQ(used().TunnelPassword, "stored");
  EXPECT_FALSE(sent(kAfterCredentials));
  EXPECT_EQ(queue.size(), 1u);
}

TEST_F(CredentialPromptTest, APromptPutAwayUnansweredCountsAsClosed) {
  // Another secondary dialog takes the lower area while the prompt waits.
  duringPrompt = [this] { host_.ShowSecondaryDialog(kHostDlgLinkStatus); };
  user.button = 0;
  queueConnect(gtc());
  queueKind(kActionSetSsid);
  EXPECT_EQ(ProcessXpActions(context), 1);
  EXPECT_FALSE(sent(kAfterCredentials));
  EXPECT_EQ(queue.size(), 1u);
}

TEST_F(CredentialPromptTest, ARunThatStartsWhileThePromptWaitsLeavesTheQueueAlone) {
  int nested = -1;
  duringPrompt = [&] {
    queueKind(kActionRescan);
    nested = ProcessXpActions(context);
  };
  queueConnect(gtc());
  ProcessXpActions(context);
  EXPECT_EQ(nested, 0);
  EXPECT_STREQ(used().TunnelID, "bob") << "the outer connection kept its own record";
  EXPECT_TRUE(queue.empty()) << "the outer run carried out the rescan queued meanwhile";
  EXPECT_TRUE(sent("S 0D81011A 0")) << "the scan request";
}

TEST_F(CredentialPromptTest, LogonCredentialsOfSingleSignOnAreAskedOnlyWhenItPromptsForThem) {
  struct Case {
    const char* what;
    const char *install, *enable, *source;
    int button;
    int asked;
    bool ended;
  };
  const Case cases[] = {
      {"prompt source, OK", "1", "1", "2", IDC_PEAP_OK, 1, false},
      {"unknown source reads as the prompt", "1", "1", "7", IDC_PEAP_OK, 1, false},
      {"prompt source, cancelled", "1", "1", "2", IDCANCEL, 1, true},
      {"Winlogon identity", "1", "1", "0", IDCANCEL, 0, false},
      {"source missing: Winlogon identity", "1", "1", nullptr, IDCANCEL, 0, false},
      {"profile identity", "1", "1", "1", IDCANCEL, 0, false},
      {"switched off", "1", "0", "2", IDCANCEL, 0, false},
      {"not installed", "0", "1", "2", IDCANCEL, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    setSso(c.install, c.enable, c.source);
    queue.clear();
    user = User{};
    user.button = c.button;
    queueConnect(enterprise("Corp", kFast, "alice", "secret"));
    queueKind(kActionSetSsid);
    ProcessXpActions(context);
    EXPECT_EQ(user.asked, c.asked);
    EXPECT_EQ(queue.size(), c.ended ? 1u : 0u);
    if (c.asked) {
      EXPECT_EQ(user.caption, "Enter your new username and password");
    }
    const bool typed = c.asked && !c.ended;
    EXPECT_STREQ(used().Identity, typed ? "bob" : "alice");
    EXPECT_STREQ(used().Password, typed ? "typed" : "secret");
  }
}

}  // namespace
}  // namespace xpworker::testing
