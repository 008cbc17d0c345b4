// CPage8021X_ClientCertification: the "Client Certification" sub-page of
// the site security page: whether a client certificate is used, which one
// (the list comes from the worker) and its details.
#pragma once

#include "frontend/GxTabPage.h"

class CPage8021X_ClientCertification : public CGxTabPage {
 public:
  explicit CPage8021X_ClientCertification(CWnd* pParent = nullptr);
  ~CPage8021X_ClientCertification() override;

  // Asks the worker for the certificate list (code 50), then runs the check
  // box's behaviour.
  BOOL OnInitDialog() override;
  // Codes 51 (row) and 49 (check) to the worker.
  void SendValues();
  // The combo and the four label/value pairs follow the check box.
  void EnableDetails(BOOL bEnable);
  void FillCertList(const CString& text);
  void EnableForMethod(int nEap, int nInner);
  // Codes 69-74 of the worker.
  void ApplyCode(UINT nCode, const CString& value);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnUseCertificate();
  void OnCertificateChanged();

  DECLARE_MESSAGE_MAP()

 private:
  CGxBtn_ChkRadio m_checkUse;
  CComboBox m_comboCert;
  CGxStatic m_label[4];
  CGxEdit m_value[4];
};
