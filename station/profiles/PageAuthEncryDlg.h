// CPageAuthEncryDlg: the security settings of a station profile (template
// 224): authentication, encryption, the four WEP keys with their formats and
// the transmit key, the WPA pre-shared key, the 802.1X switch and the LEAP
// credentials. A hidden page whose choices are menu commands of drop-down
// buttons (the worker sends the same commands); it reports its choices to
// the front end (codes 41, 42, 43, 45) and checks the keys on the host's OK
// (ValidateKeys).
//
// It serves the profile editor (host kind 1: second tab, its system config
// page gives the network type, the 802.1X page is the third tab) and the
// security editor (host kind 0). It reaches the profile editor's tab buttons
// through CProfileEditorDlg::FromPage; in another host those steps find none.
#pragma once

#include "platform/Platform.h"
#include "widgets/ButtonST.h"
#include "widgets/SmartEdit.h"

constexpr UINT IDD_PAGE_AUTH_ENCRY = 224;

// Controls.
constexpr int IDC_AE_AUTH = 1114;
constexpr int IDC_AE_AUTH_LABEL = 1110;
constexpr int IDC_AE_ENCRYPTION = 1116;
constexpr int IDC_AE_ENCRYPTION_LABEL = 1112;
constexpr int IDC_AE_USE_8021X = 1118;
constexpr int IDC_AE_8021X_LABEL = 1721;
constexpr int IDC_AE_KEY1_RADIO = 1129;  // the transmit-key group: 1129, 1131, 1133, 1137
constexpr int IDC_AE_KEY1_FORMAT = 1120;  // formats of keys 1-4: 1120, 1138, 1140, 1142
constexpr int IDC_AE_KEY1 = 1144;         // keys 1-4: 1144, 1146, 1148, 1150
constexpr int IDC_AE_KEY1_LABEL = 1723;   // "Key#1".."Key#4": 1723, 1725, 1728, 1731
constexpr int IDC_AE_WEP_SEPARATOR = 1125;
constexpr int IDC_AE_PSK = 1127;
constexpr int IDC_AE_PSK_LABEL = 1122;
constexpr int IDC_AE_LEAP_IDENTITY = 1249;
constexpr int IDC_AE_LEAP_PASSWORD = 1253;
constexpr int IDC_AE_LEAP_DOMAIN = 3143;
constexpr int IDC_AE_LEAP_IDENTITY_LABEL = 1250;
constexpr int IDC_AE_LEAP_PASSWORD_LABEL = 1254;
constexpr int IDC_AE_LEAP_DOMAIN_LABEL = 3144;
constexpr int IDC_AE_LEAP_WEP = 3219;  // the LEAP encryption group: 3219, 3067, 3220
constexpr int IDC_AE_LEAP_TKIP = 3067;
constexpr int IDC_AE_LEAP_AES = 3220;
constexpr int IDC_AE_SHOW_PASSWORD = 3241;
constexpr int IDC_AE_SHOW_PASSWORD_LABEL = 1561;

// Menus of the drop-down buttons and their commands.
constexpr UINT IDR_AUTH_MENU = 34000;
constexpr UINT IDR_ENCRYPTION_MENU = 269;
constexpr UINT IDR_KEY1_FORMAT_MENU = 286;  // keys 1-4: 286, 287, 289, 291
constexpr UINT ID_AUTH_OPEN = 32776;
constexpr UINT ID_AUTH_SHARED = 32785;
constexpr UINT ID_AUTH_LEAP = 32802;
constexpr UINT ID_AUTH_WPA = 32803;
constexpr UINT ID_AUTH_WPA_PSK = 32804;
constexpr UINT ID_AUTH_WPA2 = 32805;
constexpr UINT ID_AUTH_WPA2_PSK = 32806;
constexpr UINT ID_AUTH_WPA_NONE = 32811;
constexpr UINT ID_ENCRYPTION_NONE = 32812;
constexpr UINT ID_ENCRYPTION_WEP = 32813;
constexpr UINT ID_ENCRYPTION_TKIP = 32814;
constexpr UINT ID_ENCRYPTION_AES = 32815;
constexpr UINT ID_KEY1_HEX = 32842;  // key n (1-4): hexadecimal 32840 + 2n, ASCII 32841 + 2n
constexpr UINT ID_KEY4_ASCII = 32849;
// Sent by the authentication and encryption buttons before their menus
// open (wParam: the pop-up menu).
constexpr UINT WM_AUTH_MENU_OPENING = WM_USER + 100;
constexpr UINT WM_ENCRYPTION_MENU_OPENING = WM_USER + 101;

class CPageAuthEncryDlg : public CDialog {
 public:
  // Authentication indexes.
  enum { kAuthOpen, kAuthShared, kAuthLeap, kAuthWpa, kAuthWpaPsk, kAuthWpa2, kAuthWpa2Psk, kAuthWpaNone, kAuthCount };
  // Encryption indexes.
  enum { kEncryptionNone, kEncryptionWep, kEncryptionTkip, kEncryptionAes, kEncryptionCount };
  enum { kKeyHex = 0, kKeyAscii = 1 };
  static constexpr int kKeyCount = 4;

  explicit CPageAuthEncryDlg(CWnd* pParent = nullptr);
  ~CPageAuthEncryDlg() override;

  void ResetFields();
  // A new profile: defaults, hexadecimal keys, Open, None.
  void SetDefaults();
  // The profile editor opened from a site survey entry: the entry's network
  // type, then Open and None for an unsecured entry, else as
  // LoadFromSiteForConnect. `securityKind` is the site survey's kind of the
  // entry's authentication text (1 WPA, 2 WPA-PSK, 3 WPA-None, 4 WPA2, 5
  // WPA2-PSK, other values none of them), `cipher` its cipher text.
  void LoadFromSite(int infrastructureMode, BOOL secured, int securityKind, const CString& cipher);
  // The security editor before a connection: Open and WEP for a kind outside
  // 1..5, else WPA-None and then the kind's authentication (WPA2 kinds only
  // from OS type 7 up) with TKIP for the cipher text "TKIP", else AES.
  void LoadFromSiteForConnect(int infrastructureMode, int securityKind, const CString& cipher);
  // After the editor read a stored profile into the fields: its choices
  // run as commands, the 802.1X switch kept and reported (code 43).
  void LoadFromProfile();
  // The host's OK: the pre-shared key or the transmit WEP key of the chosen
  // security; FALSE (with the message beside the edit) when it is wrong.
  BOOL ValidateKeys();
  // The bytes of WEP key `key` (0..3) as its format reads the text: two
  // hexadecimal digits a byte (length/2 bytes), or the characters; cut to
  // `size` - 1 bytes, the rest of `out` zero. The byte count.
  int KeyBytes(int key, BYTE* out, int size) const;
  // Unchecks and hides the 802.1X check box (the network became ad hoc).
  void Hide8021XCheck();
  // Bridge commands 23-39 (23 and 25 as the caller decides the host);
  // FALSE for another code.
  BOOL RunBridgeCommand(UINT code, const CString& value);

  BOOL OnInitDialog() override;

  // The command of an authentication or encryption index; 0 outside.
  static UINT AuthCommand(int index);
  static UINT EncryptionCommand(int index);

  // Fields.
  int m_nAuthentication = kAuthOpen;
  int m_nEncryption = kEncryptionNone;
  BOOL m_bUse8021X = FALSE;
  int m_nTransmitKey = 0;
  int m_nKeyFormat[kKeyCount] = {};
  CString m_strWpaPsk;
  CString m_strWepKey[kKeyCount];
  CString m_strLeapIdentity;
  CString m_strLeapPassword;
  CString m_strLeapDomain;
  int m_nLeapEncryption = 0;
  BOOL m_bLeapMode = FALSE;
  BOOL m_bInfrastructure = TRUE;
  int m_nHostKind = 1;
  BOOL m_bShowPassword = FALSE;

  CButtonST& AuthButton() { return m_btnAuth; }
  CButtonST& EncryptionButton() { return m_btnEncryption; }
  CButtonST& KeyFormatButton(int key) { return m_btnKeyFormat[key]; }
  CSmartEdit& KeyEdit(int key) { return m_editKey[key]; }
  CSmartEdit& PskEdit() { return m_editPsk; }
  CEdit& LeapPasswordEdit() { return m_editLeapPassword; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnAuthCommand(UINT nID);
  void OnEncryptionCommand(UINT nID);
  void OnKeyFormatCommand(UINT nID);
  void On8021XClicked();
  void OnTransmitKeyClicked();
  void OnLeapEncryptionClicked();
  void OnShowPasswordClicked();
  LRESULT OnAuthMenuOpening(WPARAM wParam, LPARAM lParam);
  LRESULT OnEncryptionMenuOpening(WPARAM wParam, LPARAM lParam);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnPaint();
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  // The rules of an authentication or encryption choice after its field,
  // button text and report are set.
  void ApplyAuthentication();
  void ApplyEncryption();
  // The encryption's effect on the 802.1X check box and the WEP controls.
  void Apply8021XByEncryption();
  // Enables the WEP controls when 802.1X is off and Shared or WEP is chosen;
  // disables them when 802.1X is on and Shared or WEP is chosen.
  void RecomputeWepEnabling();
  void EnableWepControls(BOOL enable);
  void ReapplyKeyFormats();
  void ApplyLeapMode();
  void ApplyShowPassword();
  void Set8021XCheck(BOOL show, BOOL checked);
  // The 802.1X tab button and this page's tab of the profile editor.
  void EnableHost8021XTab(BOOL enable);
  void PressOwnTab();
  void ShowControl(int id, BOOL show);
  void EnableControl(int id, BOOL enable);
  BOOL FailKey(CSmartEdit& edit, const CString& message);

  CButtonST m_btnAuth;
  CButtonST m_btnEncryption;
  CButtonST m_btnKeyFormat[kKeyCount];
  CButtonST m_check8021X;
  CButtonST m_checkShowPassword;
  CButtonST m_radioKey[kKeyCount];
  CButtonST m_radioLeap[3];
  CSmartEdit m_editKey[kKeyCount];
  CSmartEdit m_editPsk;
  CEdit m_editLeapPassword;
};
