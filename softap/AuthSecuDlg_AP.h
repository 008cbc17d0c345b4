// CAuthSecuDlg_AP: the soft AP's "Authentication & Security" dialog. It edits
// one _AP_SECURITY_DATA record (authentication, encryption, the pre-shared
// key, group rekey, RADIUS, four WEP keys and the default key). The
// configuration page assigns the record, runs the dialog modally and takes
// the record back on IDOK.
//
// Nobody sees it: it moves itself off the screen and hides. The person edits
// the front end's AP security page, whose commands the AP worker hands to the
// Select/Set operations below; the dialog mirrors each list, selection, text
// and enable state to the front end over the UI bridge (codes 105 to 133).
#pragma once

#include "platform/Platform.h"
#include "softap/ApConfigIds.h"
#include "softap/ApControls.h"
#include "softap/ApSecurityData.h"

class CAuthSecuDlg_AP : public CDialog {
 public:
  static constexpr const char* kTemplate = "Authentication & Security ";

  explicit CAuthSecuDlg_AP(CWnd* pParent = nullptr);

  // The record: assigned before DoModal, read after IDOK.
  _AP_SECURITY_DATA m_data;

  // ---- The front end's commands (the AP worker's bridge handler) ----
  // An index outside its list leaves the list and skips the step after it.
  void SelectAuthType(int index);            // then the authentication change
  void SelectEncryption(int index);          // then the enable rules
  void SetPreSharedKey(const CString& text);  // then the controls are loaded
  void SetDefaultKey(int index);             // 0..3, then the controls are loaded
  void SelectKeyType(int key, int index);    // key 1..4, then its type change
  void SetKeyText(int key, const CString& text);  // key 1..4, hex and ASCII alike
  void PressOK();

  // The authentication modes of the list, index by index.
  static constexpr DWORD kAuthModes[] = {0, 1, 4, 7, 9};
  static constexpr int kAuthCount = 5;

  // A WEP key text fit for its type: hex 10 or 26 hexadecimal digits, ASCII
  // 5 or 13 characters.
  static BOOL IsValidWepKey(int type, const CString& text);
  // A pre-shared key the AP can use: 8 to 63 characters, or 64 hexadecimal
  // digits.
  static BOOL IsValidPreSharedKey(const CString& text);
  // An ASCII key as lower-case hexadecimal, two digits a character.
  static CString AsciiToHex(const CString& text);
  // 10 or 26 hexadecimal digits back as their 5 or 13 characters; FALSE
  // for any other text.
  static BOOL HexToAscii(const CString& hex, CString& text);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  void OnAuthChange();
  void OnEncryptionChange();
  void OnKeyTypeChange(UINT nID);
  void OnRekeyMethod();
  void OnKeyRadio();
  void OnShowPassword();
  LRESULT OnHelp(WPARAM wParam, LPARAM lParam);
  LRESULT OnWindowPosChanging(WPARAM wParam, LPARAM lParam);
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  // Data exchange plus the lists: on save the authentication mode and the
  // encryption index from the lists; on load the lists from them (codes 107
  // and 110).
  void SyncSelections(BOOL bSave);
  void FillAuthList();
  void FillEncryptionList();
  void ApplyEnableRules();
  void KeyTypeChanged(int key);
  BOOL Validate();
  void EnableControl(int id, BOOL enable);
  void SetRekeyCaption();
  BOOL WepInUse() const;

  // The key edits: hex digits only in the hex ones.
  CSmartEdit_AP m_editHex[4];
  CSmartEdit_AP m_editAscii[4];
  DWORD m_dwRadiusServer = 0;
  int m_nRekeyMethod = 0;
  int m_nAuthMode = 0;
  int m_nEncIndex = 0;
  int m_nDefaultKey = 0;
  CString m_strHexKey[4];
  CString m_strAsciiKey[4];
  int m_nKeyType[4] = {};
  CString m_strRadiusKey;
  int m_nRadiusPort = 0;
  int m_nRekeyInterval = 0;
  CString m_strPsk;
  CString m_strMsgPsk;
  CString m_strMsgWep;
  // The label texts.
  CString m_strAuthLabel;
  CString m_strEncLabel;
  CString m_strPskLabel;
  CString m_strRekeyLabel;
};
