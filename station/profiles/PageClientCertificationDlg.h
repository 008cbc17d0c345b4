// CPageClientCertificationDlg: the client certificate sub-page of the 802.1X
// page (template 295): the user's own certificate from the current user's
// "MY" store, listed in a four-column combo box (issued to, issued by,
// expiry, friendly name), or a smart card.
#pragma once

#include <vector>

#include "platform/Platform.h"
#include "station/profiles/CertDesc.h"
#include "widgets/ButtonST.h"
#include "widgets/ComboBoxSuper.h"

constexpr UINT IDD_PAGE_CLIENT_CERT = 295;

constexpr int IDC_CC_USE = 1282;
constexpr int IDC_CC_USE_LABEL = 1726;
constexpr int IDC_CC_LIST = 1208;
constexpr int IDC_CC_ISSUED_TO = 1226;  // the chosen row's texts: 1226, 1228, 1230, 1232
constexpr int IDC_CC_ISSUED_TO_LABEL = 1184;  // their labels: 1184, 1188, 1190, 1194
constexpr int IDC_CC_SOURCE_COMPUTER = 1802;
constexpr int IDC_CC_SOURCE_SMART_CARD = 1815;
constexpr int IDC_CC_SOURCE_COMPUTER_LABEL = 1807;
constexpr int IDC_CC_SOURCE_SMART_CARD_LABEL = 1811;

class CPageClientCertificationDlg : public CDialog {
 public:
  static constexpr int kTextCount = 4;

  explicit CPageClientCertificationDlg(CWnd* pParent = nullptr);

  // Clears the list, loads "MY", fills the combo box and reports the rows
  // (code 74); the first row is chosen when there is one.
  void RefreshCertList();
  void OnSelchangeCertList();
  // Enables the list and its texts by the flag, stores it, reports it (69).
  void SetUse(BOOL use);
  // TLS, or PEAP with inner EAP type 13, needs the certificate.
  void UseForMethod(int method, int innerType);
  // The chosen descriptor and its texts cleared (a new profile).
  void SetDefaults();
  // The descriptor of a stored hash chosen and its row selected; texts
  // reported (codes 70-73), empty when no certificate has that hash.
  void ChooseByHash(const BYTE* hash, DWORD size);
  // Bridge commands 49-51.
  BOOL RunBridgeCommand(UINT code, const CString& value);

  BOOL OnInitDialog() override;

  const std::vector<CertDesc>& Certificates() const { return m_certs; }
  const CertDesc& Chosen() const { return m_chosen; }
  CComboBoxSuper& CertList() { return m_list; }

  BOOL m_bUseClientCert = FALSE;
  int m_nCertSource = 0;  // 0 a certificate on this computer, 1 a smart card
  CString m_strText[kTextCount];  // issued to, issued by, expired on, friendly name

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnUseClicked();
  void OnSourceClicked();
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  // The chosen descriptor's texts into the fields, reported with 70-73.
  void ReportChosenTexts();

  std::vector<CertDesc> m_certs;
  CertDesc m_chosen;
  CComboBoxSuper m_list;
  CButtonST m_checkUse;
};
