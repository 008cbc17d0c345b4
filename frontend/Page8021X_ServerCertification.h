// CPage8021X_ServerCertification: the "Server Certification" sub-page of
// the site security page: whether the server's certificate chain is
// checked, against which authority (the list comes from the worker),
// whether intermediate certificates are allowed, and the server name rule.
#pragma once

#include "frontend/GxTabPage.h"

class CPage8021X_ServerCertification : public CGxTabPage {
 public:
  explicit CPage8021X_ServerCertification(CWnd* pParent = nullptr);
  ~CPage8021X_ServerCertification() override;

  // Asks the worker for the authority list (code 53), then runs
  // OnUseCertChain.
  BOOL OnInitDialog() override;
  // Codes 52, 55, 54, 56, 57 to the worker.
  void SendValues();
  void FillCertList(const CString& text);
  void EnableForMethod(int nEap, int nInner);
  // The chain's controls follow the check box; code 52 to the worker.
  void OnUseCertChain();
  // Codes 75-79 of the worker.
  void ApplyCode(UINT nCode, const CString& value);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnAuthorityChanged();

  DECLARE_MESSAGE_MAP()

 private:
  CGxBtn_ChkRadio m_checkChain;
  CComboBox m_comboAuthority;
  CGxBtn_ChkRadio m_checkIntermediate;
  CGxStatic m_labelName;
  CGxEdit m_editName;
  CGxBtn_ChkRadio m_radioExact;
  CGxBtn_ChkRadio m_radioEndsIn;
  int m_nNameRule = 0;  // 0 exact match, 1 ends in
};
