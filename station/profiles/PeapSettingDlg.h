// CPeapSettingDlg: the host's identity and password prompt (template 198),
// secondary dialog 8, created hidden. Whoever needs new credentials presets
// the fields, sets the worker's two form flags (WorkerGlobals.h), shows it
// and waits for its answer: OK (identity given, and the password unless the
// prompt is password-less) ends it with 1, closing it otherwise with 2. The
// answer goes to g_nPeapPromptResult and to the end handler the caller set;
// the host then shows its first secondary dialog again.
#pragma once

#include <functional>

#include "platform/Platform.h"

constexpr UINT IDD_PEAP_SETTING = 198;
constexpr int IDC_PEAP_IDENTITY = 3135;
constexpr int IDC_PEAP_PASSWORD = 1178;
constexpr int IDC_PEAP_IDENTITY_LABEL = 3279;
constexpr int IDC_PEAP_PASSWORD_LABEL = 1170;
constexpr int IDC_PEAP_DESCRIPTION = 1830;
constexpr int IDC_PEAP_OK = 1293;
// The prompt's answers.
constexpr int kPeapPromptOk = 1;
constexpr int kPeapPromptClosed = 2;
// The longest identity and password: the profile record's fields hold 127
// characters and their terminator.
constexpr int kPeapCredentialMax = 127;

// The three forms the worker's flags choose.
enum PeapPromptForm { kPeapFormNewUser, kPeapFormOneTimePassword, kPeapFormNewPassword };

class CPeapSettingDlg : public CDialog {
 public:
  using EndHandler = std::function<void(int result)>;

  explicit CPeapSettingDlg(CWnd* pParent = nullptr);
  ~CPeapSettingDlg() override;
  CPeapSettingDlg(const CPeapSettingDlg&) = delete;
  CPeapSettingDlg& operator=(const CPeapSettingDlg&) = delete;

  BOOL OnInitDialog() override;
  // Button 1293: checks the fields (a warning keeps the prompt open), stops
  // the worker's pending connection timer and ends it with kPeapPromptOk.
  void OnOK() override;
  // Escape and closing: ends the prompt with kPeapPromptClosed.
  void OnCancel() override;

  // The form g_bPromptNewUser and g_bPromptOneTimePassword choose now.
  static PeapPromptForm CurrentForm();
  // Called with the answer each time the prompt ends (empty: none).
  void SetEndHandler(EndHandler handler) { m_onEnd = std::move(handler); }

  CString m_strIdentity;
  CString m_strPassword;
  // Set: no password is asked (its label and edit are disabled).
  BOOL m_bNoPassword = FALSE;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnShowWindow(BOOL bShow, UINT nStatus);
  DECLARE_MESSAGE_MAP()

 private:
  void ShowForm(PeapPromptForm form);
  void End(int result);
  // Per build: Wavorel presets the new-password form with the identity of
  // a supplicant request that waits for it (a password change) and hands
  // that request the answer; WavorelVista has no such request.
  void PresetForm(PeapPromptForm form);
  void OnPromptEnded(int result);

  EndHandler m_onEnd;
};
