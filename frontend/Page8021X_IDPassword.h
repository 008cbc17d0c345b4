// CPage8021X_IDPassword: the "ID/PASSWORD" sub-page of the site security
// page: the outer identity, password and domain, the tunnel identity and
// password, and the password mode of a token card. Which fields are usable
// follows the EAP method and inner method of the security page.
#pragma once

#include "frontend/GxTabPage.h"

class CPage8021X_IDPassword : public CGxTabPage {
 public:
  explicit CPage8021X_IDPassword(CWnd* pParent = nullptr);
  ~CPage8021X_IDPassword() override;

  BOOL OnInitDialog() override;
  // Codes 43-48 to the worker: identity, password, domain, tunnel ID, tunnel
  // password, password mode.
  void SendValues();
  // The two password edits show their text or "*".
  void SetShowPassword(BOOL bShow);
  void EnableForMethod(int nEap, int nInner);
  // Codes 63-68 of the worker.
  void ApplyCode(UINT nCode, const CString& value);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

  DECLARE_MESSAGE_MAP()

 private:
  void EnablePair(CGxStatic& label, CGxEdit& edit, BOOL bEnable);

  CGxGroupBox m_groupId;
  CGxStatic m_labelId;
  CGxEdit m_editId;
  CGxStatic m_labelPassword;
  CGxEdit m_editPassword;
  CGxStatic m_labelDomain;
  CGxEdit m_editDomain;
  CGxGroupBox m_groupTunnel;
  CGxStatic m_labelTunnelId;
  CGxEdit m_editTunnelId;
  CGxStatic m_labelTunnelPassword;
  CGxEdit m_editTunnelPassword;
  CGxStatic m_labelMode;
  CGxBtn_ChkRadio m_radioSoftToken;
  CGxBtn_ChkRadio m_radioStaticPassword;
  int m_nPasswordMode = 0;
};
