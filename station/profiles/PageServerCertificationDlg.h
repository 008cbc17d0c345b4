// CPageServerCertificationDlg: the server certificate sub-page of the 802.1X
// page (template 297): the trusted root authority from the "ROOT" store the
// server's certificate must chain to ("- Any Trusted CA -": any), and the
// server name rule.
#pragma once

#include <vector>

#include "platform/Platform.h"
#include "station/profiles/CertDesc.h"
#include "widgets/ButtonST.h"
#include "widgets/ComboBoxSuper.h"

constexpr UINT IDD_PAGE_SERVER_CERT = 297;

constexpr int IDC_SC_USE = 1285;
constexpr int IDC_SC_USE_LABEL = 1729;
constexpr int IDC_SC_INTERMEDIATE = 1212;
constexpr int IDC_SC_INTERMEDIATE_LABEL = 1732;
constexpr int IDC_SC_SERVER_NAME = 1198;
constexpr int IDC_SC_SERVER_NAME_LABEL = 1215;
constexpr int IDC_SC_RULE_EXACT = 1219;
constexpr int IDC_SC_RULE_DOMAIN = 1222;
constexpr int IDC_SC_RULE_EXACT_LABEL = 1734;
constexpr int IDC_SC_RULE_DOMAIN_LABEL = 1736;
constexpr int IDC_SC_LIST = 1200;

constexpr char kAnyTrustedCa[] = "- Any Trusted CA -";

class CPageServerCertificationDlg : public CDialog {
 public:
  explicit CPageServerCertificationDlg(CWnd* pParent = nullptr);

  // Clears the list, loads "ROOT", fills the combo box after its first row
  // "- Any Trusted CA -", reports the rows (code 79), chooses row 0.
  void RefreshCertList();
  void OnSelchangeCertList();
  // The controls by the use flag (the list refreshed when set).
  void EnableControls();
  // A new profile: nothing in use, no name, exact rule, no descriptor.
  void SetDefaults();
  // The descriptor of a stored hash chosen and its row selected.
  void ChooseByHash(const BYTE* hash, DWORD size);
  // Bridge commands 52-57.
  BOOL RunBridgeCommand(UINT code, const CString& value);

  BOOL OnInitDialog() override;

  const std::vector<CertDesc>& Certificates() const { return m_certs; }
  const CertDesc& Chosen() const { return m_chosen; }
  CComboBoxSuper& CertList() { return m_list; }

  BOOL m_bUseServerCert = FALSE;
  BOOL m_bIntermediate = FALSE;
  CString m_strServerName;
  int m_nNameRule = 0;  // 0 the name must match exactly, 1 the domain must end in it

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnUseClicked();
  void OnNameRuleClicked();
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  void EnableItems(BOOL enable, BOOL withNameLabel);

  std::vector<CertDesc> m_certs;
  CertDesc m_chosen;
  CComboBoxSuper m_list;
  CButtonST m_checkUse;
};
