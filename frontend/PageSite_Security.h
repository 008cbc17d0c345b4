// CPageSite_Security: the "Security Setting" page of the site editor: the
// authentication and encryption of a profile and, in groups of controls
// shown one group at a time, the four WEP keys, the LEAP credentials, the
// WPA pre-shared key, and the 802.1X settings with their four sub-pages.
#pragma once

#include "frontend/GxTabCtrl.h"
#include "frontend/GxTabPage.h"
#include "frontend/Page8021X_ClientCertification.h"
#include "frontend/Page8021X_EAPFast.h"
#include "frontend/Page8021X_IDPassword.h"
#include "frontend/Page8021X_ServerCertification.h"

class CPageSite_Security : public CGxTabPage {
 public:
  // Rows of the authentication combo.
  enum { kAuthOpen, kAuthShared, kAuthLeap, kAuth8021X, kAuthWpa, kAuthWpaPsk, kAuthWpa2, kAuthWpa2Psk };
  // Rows of the EAP method combo.
  enum { kEapPeap, kEapTls, kEapTtls, kEapFast };
  // Sub-pages of the 802.1X tab control.
  enum { kSubIdPassword, kSubClientCert, kSubServerCert, kSubEapFast };

  explicit CPageSite_Security(CWnd* pParent = nullptr);
  ~CPageSite_Security() override;

  BOOL OnInitDialog() override;
  // The pre-shared key or the default WEP key of the chosen security; on an
  // error the page is selected and the error balloon points at the key.
  BOOL Validate();
  // Codes 23-42 to the worker, then the sub-pages' values.
  void SendValues();
  // Shows the group of the chosen authentication; `bRefill` first refills
  // the encryption list for it.
  void UpdateSecurityLayout(BOOL bRefill);
  // The inner methods and sub-pages of the chosen EAP method; `bRefill`
  // refills the inner list and the sub-tabs.
  void UpdateEapLayout(BOOL bRefill);
  // Codes 41-84 of the worker (63-84 go to the sub-pages).
  void ApplyCode(UINT nCode, const CString& value);

  // Fill the encryption or inner-method combo with names lo..hi of their
  // lists (none for lo -1): -1 for an empty, disabled list, else 0 with
  // row 0 selected.
  int FillEncryptionList(int lo, int hi);
  int FillInnerMethodList(int lo, int hi);

  CGxTabCtrl& Get8021XTab() { return m_tab8021X; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnAuthChanged();
  void OnEncryptionChanged();
  void OnEapChanged();
  void OnInnerChanged();
  void OnShowKeyContent();
  void OnKeyTypeChanged(UINT nId);
  void OnTimer(UINT_PTR nIDEvent);

  DECLARE_MESSAGE_MAP()

 private:
  void ApplyShowKeyContent();
  // Row r of the encryption list is encryption index r + this offset: 2
  // while the list starts at "TKIP", else 0.
  int EncryptionIndexOffset();
  // The key edit's input rule of its type: hexadecimal digits up to 26, or
  // any character up to 13.
  void ApplyKeyRule(int nKey);
  void ShowGroup(std::initializer_list<CWnd*> controls, BOOL bShow);
  void ShowWepGroup(BOOL bShow);
  void ShowLeapGroup(BOOL bShow);
  void ShowPskGroup(BOOL bShow);
  void Show8021XGroup(BOOL bShow);
  void SelectInEditor();
  void Fail(CWnd* field, const CString& message);

  CGxStatic m_labelAuth;
  CComboBox m_comboAuth;
  CGxStatic m_labelEncryption;
  CComboBox m_comboEncryption;
  CGxBtn_ChkRadio m_checkShowKey;
  CGxBtn_ChkRadio m_radioKey[4];
  CGxStatic m_labelKeyType[4];
  CComboBox m_comboKeyType[4];
  CGxStatic m_labelKey[4];
  CGxEdit m_editKey[4];
  CGxStatic m_labelLeapId;
  CGxEdit m_editLeapId;
  CGxStatic m_labelLeapPassword;
  CGxEdit m_editLeapPassword;
  CGxStatic m_labelLeapDomain;
  CGxEdit m_editLeapDomain;
  CGxBtn_ChkRadio m_radioLeap[3];
  CGxStatic m_labelPsk;
  CGxEdit m_editPsk;
  CGxTabCtrl m_tab8021X;
  CGxStatic m_labelEap;
  CComboBox m_comboEap;
  CGxStatic m_labelInner;
  CComboBox m_comboInner;
  CGxBtn_ChkRadio m_checkSessionResume;
  CPage8021X_IDPassword m_pageIdPassword;
  CPage8021X_ClientCertification m_pageClientCert;
  CPage8021X_ServerCertification m_pageServerCert;
  CPage8021X_EAPFast m_pageEapFast;
  int m_nDefaultKey = 0;
  int m_nLeapEncryption = 0;
};
