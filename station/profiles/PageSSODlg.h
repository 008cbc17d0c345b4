// CPageSSODlg: the hidden single sign-on page (template 2300, window text
// "SSO"), a tab page of the station host. It offers the LEAP and EAP-FAST
// profiles of the registry store (the driver key's "\Profile\Station"
// subkeys), keeps its settings in the SSO key and names the logon library in
// the Winlogon value "GinaDLL". Every registry step that fails is skipped
// without a message.
#pragma once

#include "platform/Platform.h"
#include "widgets/ButtonST.h"
#include "widgets/ShadeButtonST.h"

constexpr UINT IDD_PAGE_SSO = 2300;
// The check box, the password-source radios and the texts beside them.
constexpr int IDC_SSO_ENABLE = 1752;
constexpr int IDC_SSO_ENABLE_TEXT = 1756;
constexpr int IDC_SSO_WINLOGON_ID = 1760;
constexpr int IDC_SSO_PROFILE_ID = 1764;
constexpr int IDC_SSO_PROMPT_ID = 1768;
constexpr int IDC_SSO_WINLOGON_TEXT = 1772;
constexpr int IDC_SSO_PROFILE_TEXT = 1776;
constexpr int IDC_SSO_PROMPT_TEXT = 1779;
// The profile chooser.
constexpr int IDC_SSO_LIST_GROUP = 1784;
constexpr int IDC_SSO_SELECT_LABEL = 1785;
constexpr int IDC_SSO_PROFILES = 1788;
// The chosen profile's details and Apply.
constexpr int IDC_SSO_DETAILS_GROUP = 1793;
constexpr int IDC_SSO_NAME_LABEL = 1795;
constexpr int IDC_SSO_SSID_LABEL = 1799;
constexpr int IDC_SSO_AUTH_LABEL = 1804;
constexpr int IDC_SSO_NAME = 1809;
constexpr int IDC_SSO_SSID = 1813;
constexpr int IDC_SSO_AUTH = 1817;
constexpr int IDC_SSO_APPLY = 1267;

// The registry: the SSO key and the Winlogon key below HKEY_LOCAL_MACHINE,
// the logon library's name, and the profiles below the driver key.
constexpr char kSsoKeyPath[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Nerolt";
constexpr char kWinlogonKeyPath[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char kSsoGinaValue[] = "GinaDLL";
constexpr char kSsoGinaLibrary[] = "NeroltGina.DLL";
constexpr char kSsoProfilesSubkey[] = "\\Profile\\Station";

class CPageSSODlg : public CDialog {
 public:
  // Password sources (the radio group).
  enum { kWinlogonIdentity = 0, kProfileIdentity = 1, kPromptIdentity = 2 };

  explicit CPageSSODlg(CWnd* pParent = nullptr);
  ~CPageSSODlg() override;
  CPageSSODlg(const CPageSSODlg&) = delete;
  CPageSSODlg& operator=(const CPageSSODlg&) = delete;

  BOOL OnInitDialog() override;

  // The registry profiles with "AuthenProtocol" "3" or "LeapEnabled" "1"
  // added to the combo, in the key's order.
  void FillProfileCombo();
  // The enabled flag and the password source from the SSO key (nothing
  // without "SSOInstall" other than "0"); a missing "SSOEnable" is written "0".
  void LoadSsoState();
  // Selects and shows the SSO key's "CurProfile" (entry 0 without one).
  void ShowCurrentProfile();
  // Combo selection changed: the chosen entry's details.
  void OnProfileChange();
  // Check box 1752: on enables the mode controls and the chooser; off
  // disables them and removes the sign-on from the registry.
  void OnEnableChanged();
  // Radios 1760, 1764, 1768: "SavedPassword".
  void OnPasswordSource();
  // Apply: the SSO key, "GinaDLL", the chosen profile into the driver key.
  void OnApply();

  // A REG_SZ value of `key` (cut at its first zero): TRUE and the text, FALSE
  // when it is missing, of another type or cannot be read.
  static BOOL ReadText(HKEY key, LPCSTR name, CString& out);
  // The registry path of the profiles: the driver key + "\Profile\Station".
  static CString ProfilesPath();

  CString m_strProfileName;     // 1809
  CString m_strSsid;            // 1813
  CString m_strAuthentication;  // 1817
  int m_bEnabled = 0;           // 1752
  int m_nPasswordSource = kWinlogonIdentity;
  CString m_strChosenProfile;   // the selected entry's text (taken with the dialog data)

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnPaint();
  void OnShowWindow(BOOL bShow, UINT nStatus);
  DECLARE_MESSAGE_MAP()

 private:
  void EnableControls(std::initializer_list<int> ids, BOOL enable);
  void EnableModeControls(BOOL enable);
  void EnableChooser(BOOL enable);
  void EnableDetails(BOOL enable);
  // The on rule (with or without the combo test) and the off rule.
  void ApplyOnRule(BOOL comboTest);
  void ApplyOffRule();
  // The details follow the selection; an empty combo disables the chooser too.
  void ApplyDetailsRule();
  // The profile's name, "SSID" and authentication into the three texts; a
  // profile key that cannot be opened leaves them.
  void ShowProfile(const CString& name);
  // "%d" of `value` in the 128-byte buffer the logon library reads.
  static LSTATUS WriteNumber(HKEY key, LPCSTR name, int value);
  static LSTATUS WriteText(HKEY key, LPCSTR name, const CString& text);
  static void DeleteSubkeys(HKEY key);
  void SaveSso();

  CButtonST m_checkEnable;
  CButtonST m_radioSource[3];
  CComboBox m_comboProfiles;
  CShadeButtonST m_btnApply;
};
