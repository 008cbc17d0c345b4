// CPageWPSProfile: the WPS credential dialog (template 312), secondary dialog
// 6 of the station host. It shows one credential of the module's table in
// detail; in registrar mode it edits record 0, the credential the adapter
// hands out (security, key length and index, key material), checks the key
// and stores the record. The worker presses OK (1293) and Cancel (1296).
#pragma once

#include "platform/Platform.h"
#include "widgets/ButtonST.h"
#include "widgets/ComboBoxSuper.h"
#include "widgets/ShadeButtonST.h"
#include "widgets/SmartEdit.h"
#include "worker/WpsWorker.h"

constexpr UINT IDD_WPS_PROFILE = 312;
// Controls.
constexpr int IDC_WPSP_SSID_LABEL = 1248;
constexpr int IDC_WPSP_SSID = 1252;
constexpr int IDC_WPSP_BSSID_LABEL = 1257;
constexpr int IDC_WPSP_BSSID = 1474;
constexpr int IDC_WPSP_AUTH_LABEL = 1440;
constexpr int IDC_WPSP_AUTH_TEXT = 1467;
constexpr int IDC_WPSP_AUTH_COMBO = 1850;
constexpr int IDC_WPSP_ENCRY_LABEL = 1443;
constexpr int IDC_WPSP_ENCRY_TEXT = 1469;
constexpr int IDC_WPSP_ENCRY_COMBO = 1849;
constexpr int IDC_WPSP_KEY_LENGTH_LABEL = 1555;
constexpr int IDC_WPSP_KEY_LENGTH_TEXT = 4015;
constexpr int IDC_WPSP_KEY_LENGTH_COMBO = 1851;
constexpr int IDC_WPSP_KEY_INDEX_LABEL = 1560;
constexpr int IDC_WPSP_KEY_INDEX_TEXT = 3112;
constexpr int IDC_WPSP_KEY_INDEX_COMBO = 1848;
constexpr int IDC_WPSP_KEY_LABEL = 1558;
constexpr int IDC_WPSP_KEY = 3269;
constexpr int IDC_WPSP_SHOW_PASSWORD = 3241;
constexpr int IDC_WPSP_SHOW_PASSWORD_LABEL = 1561;
constexpr int IDC_WPSP_ASCII = 3242;
constexpr int IDC_WPSP_ASCII_LABEL = 1563;
constexpr int IDC_WPSP_OK = 1293;
constexpr int IDC_WPSP_CANCEL = 1296;
// Texts.
constexpr UINT IDS_WPSP_SSID = 17;
constexpr UINT IDS_WPSP_BSSID = 19;
constexpr UINT IDS_WPSP_ENCRYPTION = 23;
constexpr UINT IDS_WPSP_AUTHENTICATION = 25;
constexpr UINT IDS_WPSP_OPEN = 163;
constexpr UINT IDS_WPSP_SHOW_PASSWORD = 1540;
constexpr UINT IDS_WPSP_OK = 2132;
constexpr UINT IDS_WPSP_CANCEL = 2133;
constexpr UINT IDS_WPSP_KEY_LENGTH = 6265;
constexpr UINT IDS_WPSP_KEY_INDEX = 6266;
constexpr UINT IDS_WPSP_KEY_MATERIAL = 6267;
constexpr UINT IDS_WPSP_ASCII = 6268;

// The texts of a credential's authentication and encryption types; empty
// for a value the table does not name.
LPCSTR WpsAuthText(DWORD type);
LPCSTR WpsEncryptionText(DWORD type);

class CPageWPSProfile : public CDialog {
 public:
  // Security classes of the authentication choice.
  enum { kClassOpen = 0, kClassPsk = 1 };
  // Authentication choices (combo 1850).
  enum { kAuthOpen = 0, kAuthWpaPsk, kAuthWpa2Psk };

  explicit CPageWPSProfile(CWnd* pParent = nullptr);
  ~CPageWPSProfile() override;

  BOOL OnInitDialog() override;
  // The texts of one credential as the WPS page's Detail shows them.
  void ShowCredential(const WpsCredentialFields& c);
  // Registrar mode: the choices and the key from record 0 of the table.
  void LoadCredentialRecord();
  // The registrar's key before OK: FALSE with the message beside the key edit.
  BOOL CheckKey();
  // Record 0 from the choices and texts, stored through the WPS page.
  void StoreRecord();

  CSmartEdit& KeyEdit() { return m_editKey; }
  CComboBoxSuper& AuthCombo() { return m_comboAuth; }
  CComboBoxSuper& EncryptionCombo() { return m_comboEncryption; }
  CComboBoxSuper& KeyLengthCombo() { return m_comboKeyLength; }
  CComboBoxSuper& KeyIndexCombo() { return m_comboKeyIndex; }

  // Members in the dialog's order.
  int m_nSecurityClass = kClassOpen;
  int m_bShowPassword = 0;
  int m_bAsciiFormat = 0;
  CString m_strHexKey;
  CString m_strAsciiKey;
  int m_bEditableKey = 0;
  int m_nKeyLength = 0;
  CString m_strKeyIndex;
  CString m_strKeyMaterial;
  CString m_strKeyLength;
  CString m_strAuthentication;
  CString m_strEncryption;
  CString m_strSsid;
  CString m_strBssid;

  void OnBnClickedShowPassword();
  void OnBnClickedAsciiFormat();
  void OnBnClickedOk();
  void OnBnClickedCancel();
  void OnSelchangeAuthType();
  void OnSelchangeEncryType();
  void OnSelchangeKeyLength();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  // The editable layout (registrar mode with a record) or the read-only one.
  void ApplyLayout();
  // The encryption combo emptied and filled for the security class.
  void RefillEncryption();
  void SetKeyLimit(UINT limit, WORD mask);
  void EnableKeyCombos(BOOL enable);
  static void ShowHostDialog(int index);

  CSmartEdit m_editSsid;
  CSmartEdit m_editKey;
  CComboBoxSuper m_comboAuth;
  CComboBoxSuper m_comboEncryption;
  CComboBoxSuper m_comboKeyLength;
  CComboBoxSuper m_comboKeyIndex;
  CButtonST m_checkShowPassword;
  CButtonST m_checkAscii;
  CShadeButtonST m_btnOk;
  CShadeButtonST m_btnCancel;
};
