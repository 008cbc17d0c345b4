// CPageWPSStatusDlg: the read-only page of one access point's WPS attributes
// (template 337), created inside the BSS detail view, which fills its ten
// texts: authentication, encryption, config methods, device password id,
// selected registrar, state, version, AP setup locked, UUID-E and RF bands.
#pragma once

#include "platform/Platform.h"

constexpr UINT IDD_PAGE_WPS_STATUS = 337;
// The value statics, in the order of the texts.
constexpr int kWpsStatusValueIds[10] = {1467, 1469, 1472, 1478, 1484, 1489, 1494, 1497, 1506, 1509};

class CPageWPSStatusDlg : public CDialog {
 public:
  explicit CPageWPSStatusDlg(CWnd* pParent = nullptr);
  ~CPageWPSStatusDlg() override;

  BOOL OnInitDialog() override;

  CString m_strAuthentication;
  CString m_strEncryption;
  CString m_strConfigMethods;
  CString m_strPasswordId;
  CString m_strSelectedRegistrar;
  CString m_strState;
  CString m_strVersion;
  CString m_strSetupLocked;
  CString m_strUuid;
  CString m_strRfBands;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnPaint();
  DECLARE_MESSAGE_MAP()
};
