// The identity and password prompt: its three forms as the worker's flags
// choose them, the password-less prompt, what OK and closing answer, and the
// edits' limits.
#include <optional>

#include "station/profiles/PeapSettingDlg.h"
#include "tests/station/profiles/PromptTest.h"
#include "worker/WorkerGlobals.h"

namespace station::testing {
namespace {

class PeapSettingDlgTest : public PromptTest {
 protected:
  void SetUp() override {
    PromptTest::SetUp();
    g_nPeapPromptResult = 0;
    dialog_ = make<CPeapSettingDlg>(IDD_PEAP_SETTING);
    dialog_->SetEndHandler([this](int result) { ended_ = result; });
  }
  void TearDown() override {
    dialog_->DestroyWindow();
    dialog_.reset();
    g_bPromptNewUser = 0;
    g_bPromptOneTimePassword = 0;
    PromptTest::TearDown();
  }
  // Shows the prompt in the form of these flags with the caller's preset.
  void showForm(int newUser, int oneTime, BOOL noPassword = FALSE) {
    g_bPromptNewUser = newUser;
    g_bPromptOneTimePassword = oneTime;
    dialog_->m_strIdentity = "preset-user";
    dialog_->m_strPassword.Empty();
    dialog_->m_bNoPassword = noPassword;
    dialog_->ShowWindow(SW_HIDE);
    dialog_->ShowWindow(SW_SHOW);
    pump();
  }
  CPeapSettingDlg& dialog() { return *dialog_; }
  std::optional<int> ended_;

 private:
  std::unique_ptr<CPeapSettingDlg> dialog_;
};

TEST_F(PeapSettingDlgTest, WorkerFlagsChooseTheForm) {
  const struct {
    int newUser, oneTime;
    PeapPromptForm form;
    const char *caption, *identityLabel, *passwordLabel, *identity;
    bool identityEnabled;
    int focus;
  } cases[] = {
      {1, 0, kPeapFormNewUser, "Enter your new username and password", "Identity", "Password", "", true,
       IDC_PEAP_IDENTITY},
      {1, 1, kPeapFormNewUser, "Enter your new username and password", "Identity", "Password", "", true,
       IDC_PEAP_IDENTITY},
      {0, 1, kPeapFormOneTimePassword, "Peap Setting - One Time Password", "Tunnel Identity", "Tunnel Password",
       "preset-user", true, IDC_PEAP_IDENTITY},
      {0, 0, kPeapFormNewPassword, "Enter your new password", "Identity", "Password", "preset-user", false,
       IDC_PEAP_PASSWORD},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    showForm(c.newUser, c.oneTime);
    EXPECT_EQ(CPeapSettingDlg::CurrentForm(), c.form);
    EXPECT_EQ(windowText(dialog()), c.caption);
    EXPECT_EQ(itemText(dialog(), IDC_PEAP_DESCRIPTION), std::string("Description : ") + c.caption);
    EXPECT_EQ(itemText(dialog(), IDC_PEAP_IDENTITY_LABEL), c.identityLabel);
    EXPECT_EQ(itemText(dialog(), IDC_PEAP_PASSWORD_LABEL), c.passwordLabel);
    EXPECT_EQ(itemText(dialog(), IDC_PEAP_IDENTITY), c.identity);
    EXPECT_EQ(enabled(dialog(), IDC_PEAP_IDENTITY), c.identityEnabled);
    EXPECT_TRUE(enabled(dialog(), IDC_PEAP_PASSWORD));
    EXPECT_TRUE(enabled(dialog(), IDC_PEAP_PASSWORD_LABEL));
    EXPECT_EQ(CWnd::GetFocus(), dialog().GetDlgItem(c.focus));
  }
  EXPECT_EQ(itemText(dialog(), IDC_PEAP_OK), "OK");
}

TEST_F(PeapSettingDlgTest, OkChecksTheFieldsAndAnswersOneClosingAnswersTwo) {
  const struct {
    const char* name;
    int oneTime;
    BOOL noPassword;
    const char *identity, *password;
    const char* warning;  // null: OK answers 1
  } cases[] = {
      {"identity and password", 1, FALSE, "alice", "otp-123", nullptr},
      {"no identity", 1, FALSE, "", "otp-123", "Must input Identity"},
      {"no identity, no password", 1, FALSE, "", "", "Must input Identity"},
      {"no password", 1, FALSE, "alice", "", "Must input Password"},
      {"password-less prompt, identity alone", 1, TRUE, "alice", "", nullptr},
      {"password-less prompt, no identity", 1, TRUE, "", "", "Must input Identity"},
      {"new password", 0, FALSE, "preset-user", "n3w", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    showForm(0, c.oneTime, c.noPassword);
    ended_.reset();
    g_nPeapPromptResult = 0;
    received().clear();
    setItemText(dialog(), IDC_PEAP_IDENTITY, c.identity);
    setItemText(dialog(), IDC_PEAP_PASSWORD, c.password);
    press(dialog(), IDC_PEAP_OK);
    pump();
    if (c.warning) {
      EXPECT_EQ(messages(), std::vector<std::string>{c.warning});
      EXPECT_FALSE(ended_.has_value());
      EXPECT_EQ(g_nPeapPromptResult, 0);
    } else {
      EXPECT_TRUE(messages().empty());
      EXPECT_EQ(ended_, kPeapPromptOk);
      EXPECT_EQ(g_nPeapPromptResult, kPeapPromptOk);
      EXPECT_EQ(std::string(dialog().m_strIdentity), c.identity);
      EXPECT_EQ(std::string(dialog().m_strPassword), c.password);
    }
  }
  // The password-less prompt greys the password; closing answers 2.
  showForm(0, 1, TRUE);
  EXPECT_FALSE(enabled(dialog(), IDC_PEAP_PASSWORD));
  EXPECT_FALSE(enabled(dialog(), IDC_PEAP_PASSWORD_LABEL));
  ended_.reset();
  press(dialog(), IDCANCEL);
  EXPECT_EQ(ended_, kPeapPromptClosed);
  EXPECT_EQ(g_nPeapPromptResult, kPeapPromptClosed);
}

TEST_F(PeapSettingDlgTest, EditsHoldWhatTheProfileRecordHolds) {
  showForm(0, 1);
  const std::string longest(kPeapCredentialMax, 'p');
  // The answer lands in the record's tunnel and plain credential fields.
  const LRESULT fits = static_cast<LRESULT>(sizeof(_PROFILE_DATA::TunnelPassword)) - 1;
  static_assert(sizeof(_PROFILE_DATA::TunnelID) == sizeof(_PROFILE_DATA::TunnelPassword));
  static_assert(sizeof(_PROFILE_DATA::Identity) == sizeof(_PROFILE_DATA::Password));
  static_assert(sizeof(_PROFILE_DATA::Identity) == sizeof(_PROFILE_DATA::TunnelID));
  EXPECT_EQ(dialog().GetDlgItem(IDC_PEAP_IDENTITY)->SendMessage(EM_GETLIMITTEXT), fits);
  EXPECT_EQ(dialog().GetDlgItem(IDC_PEAP_PASSWORD)->SendMessage(EM_GETLIMITTEXT), fits);
  setItemText(dialog(), IDC_PEAP_IDENTITY, longest.c_str());
  setItemText(dialog(), IDC_PEAP_PASSWORD, longest.c_str());
  press(dialog(), IDC_PEAP_OK);
  EXPECT_EQ(ended_, kPeapPromptOk);
  EXPECT_EQ(std::string(dialog().m_strPassword), longest);
}

}  // namespace
}  // namespace station::testing
