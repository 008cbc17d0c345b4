// CPage8021X_EAPFast: the "EAP Fast" sub-page of the site security page,
// shown only for the EAP-FAST method: the provisioning tunnel, the
// unauthenticated provisioning, and the protected access credential file
// with Import and Remove, which the worker carries out on the hidden editor
// of the same kind.
#pragma once

#include "frontend/GxTabPage.h"

class CPage8021X_EAPFast : public CGxTabPage {
 public:
  explicit CPage8021X_EAPFast(CWnd* pParent = nullptr);
  ~CPage8021X_EAPFast() override;

  BOOL OnInitDialog() override;
  // Codes 58-61 to the worker.
  void SendValues();
  void EnableForMethod(int nEap, int nInner);
  // Remove, Import, the path label and edit follow the PAC check box.
  void OnUsePac();
  // Codes 80-84 of the worker.
  void ApplyCode(UINT nCode, const CString& value);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnRemove();
  void OnImport();

  DECLARE_MESSAGE_MAP()

 private:
  CGxStatic m_labelTunnel;
  CComboBox m_comboTunnel;
  CGxBtn_ChkRadio m_checkUnauthenticated;
  CGxBtn_ChkRadio m_checkUsePac;
  CGxBtn_Pic m_btnRemove;
  CGxBtn_Pic m_btnImport;
  CGxStatic m_labelPath;
  CGxEdit m_editPath;
  int m_nUnauthenticated = 0;
  int m_nUsePac = 0;
};
