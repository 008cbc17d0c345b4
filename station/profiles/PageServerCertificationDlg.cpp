#include "station/profiles/PageServerCertificationDlg.h"

#include <cstdlib>

#include "frontend/UiBridge.h"
#include "station/profiles/EditorFieldCodes.h"
#include "station/profiles/Page8021XDlg.h"
#include "station/profiles/PageControls.h"
#include "worker/ModuleFunctions.h"

namespace {

constexpr int kListWidth = 450;

struct LabelText {
  int id;
  UINT stringId;
};
constexpr LabelText kLabels[] = {{IDC_SC_USE_LABEL, 342},         {IDC_SC_INTERMEDIATE_LABEL, 347},
                                 {IDC_SC_SERVER_NAME_LABEL, 348}, {IDC_SC_RULE_EXACT_LABEL, 350},
                                 {IDC_SC_RULE_DOMAIN_LABEL, 351}};
// Hidden in this build: the intermediate, name and rule controls.
constexpr int kHiddenIds[] = {IDC_SC_INTERMEDIATE,     IDC_SC_INTERMEDIATE_LABEL, IDC_SC_RULE_EXACT,
                              IDC_SC_RULE_DOMAIN,      IDC_SC_RULE_EXACT_LABEL,   IDC_SC_RULE_DOMAIN_LABEL};

}  // namespace

BEGIN_MESSAGE_MAP(CPageServerCertificationDlg, CDialog)
  ON_BN_CLICKED(IDC_SC_USE, &CPageServerCertificationDlg::OnUseClicked)
  ON_BN_CLICKED(IDC_SC_RULE_EXACT, &CPageServerCertificationDlg::OnNameRuleClicked)
  ON_BN_CLICKED(IDC_SC_RULE_DOMAIN, &CPageServerCertificationDlg::OnNameRuleClicked)
  ON_CBN_SELCHANGE(IDC_SC_LIST, &CPageServerCertificationDlg::OnSelchangeCertList)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CPageServerCertificationDlg::CPageServerCertificationDlg(CWnd* pParent) : CDialog(IDD_PAGE_SERVER_CERT, pParent) {}

void CPageServerCertificationDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_SC_LIST, m_list);
  DDX_Control(pDX, IDC_SC_USE, m_checkUse);
  DDX_Check(pDX, IDC_SC_USE, m_bUseServerCert);
  DDX_Check(pDX, IDC_SC_INTERMEDIATE, m_bIntermediate);
  DDX_Text(pDX, IDC_SC_SERVER_NAME, m_strServerName);
  DDX_Radio(pDX, IDC_SC_RULE_EXACT, m_nNameRule);
}

BOOL CPageServerCertificationDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  for (const LabelText& label : kLabels) {
    if (CWnd* control = GetDlgItem(label.id)) ShowControlText(this, control, label.stringId);
  }
  for (int id : kHiddenIds) ShowPageItem(this, id, FALSE);
  m_list.SetColumnCount(1);
  m_list.SetColumnWidth(0, kListWidth);
  UpdateData(FALSE);
  return TRUE;
}

void CPageServerCertificationDlg::OnDestroy() {
  m_certs.clear();
  CDialog::OnDestroy();
}

void CPageServerCertificationDlg::RefreshCertList() {
  m_certs.clear();
  LoadCertStore(m_certs, "ROOT");
  m_list.ResetContent();
  m_list.AddString(kAnyTrustedCa);
  CString rows = kAnyTrustedCa;
  for (const CertDesc& desc : m_certs) {
    m_list.AddString(desc.subject);
    rows += "\r\n";
    rows += desc.subject;
  }
  NotifyUI(EDITOR_FIELD_SERVER_CERT_LIST, rows, TRUE);
  m_list.SetCurSel(0);
  OnSelchangeCertList();
}

void CPageServerCertificationDlg::OnSelchangeCertList() {
  m_chosen = CertDesc();
  const int row = m_list.GetCurSel();
  if (row > 0) {
    const CString text = m_list.GetColumnText(row, 0);
    for (const CertDesc& desc : m_certs) {
      if (text == desc.subject) {
        m_chosen = desc;
        break;
      }
    }
  }
  UpdateData(FALSE);
}

void CPageServerCertificationDlg::EnableItems(BOOL enable, BOOL withNameLabel) {
  for (int id : {IDC_SC_INTERMEDIATE, IDC_SC_INTERMEDIATE_LABEL, IDC_SC_RULE_EXACT, IDC_SC_RULE_DOMAIN,
                 IDC_SC_RULE_EXACT_LABEL, IDC_SC_RULE_DOMAIN_LABEL, IDC_SC_LIST, IDC_SC_SERVER_NAME})
    EnablePageItem(this, id, enable);
  if (withNameLabel) EnablePageItem(this, IDC_SC_SERVER_NAME_LABEL, enable);
}

void CPageServerCertificationDlg::EnableControls() {
  if (m_bUseServerCert) RefreshCertList();
  EnableItems(m_bUseServerCert, TRUE);
}

void CPageServerCertificationDlg::SetDefaults() {
  m_chosen = CertDesc();
  m_bUseServerCert = FALSE;
  m_bIntermediate = FALSE;
  m_nNameRule = 0;
  m_strServerName.Empty();
  UpdateData(FALSE);
}

void CPageServerCertificationDlg::ChooseByHash(const BYTE* hash, DWORD size) {
  m_chosen = CertDesc();
  for (const CertDesc& desc : m_certs) {
    if (!desc.HashEquals(hash, size)) continue;
    m_chosen = desc;
    const int row = m_list.FindStringExact(0, desc.subject);
    if (row >= 0) m_list.SetCurSel(row);
    break;
  }
  UpdateData(FALSE);
}

void CPageServerCertificationDlg::OnUseClicked() {
  UpdateData(TRUE);
  if (m_bUseServerCert) RefreshCertList();
  EnableItems(m_bUseServerCert, FALSE);
}

void CPageServerCertificationDlg::OnNameRuleClicked() {
  UpdateData(TRUE);
  if (auto* page = dynamic_cast<CPage8021XDlg*>(SubPageOwner(this))) page->PressSelector(CPage8021XDlg::kSubServerCert);
}

BOOL CPageServerCertificationDlg::RunBridgeCommand(UINT code, const CString& value) {
  const int number = std::atoi(value);
  switch (code) {
    case 52:
      m_checkUse.SendMessage(BM_CLICK);
      m_bUseServerCert = number;
      break;
    case 53:
      RefreshCertList();
      return TRUE;
    case 54:
      if (SetComboCurSelSafe(&m_list, number)) OnSelchangeCertList();
      return TRUE;
    case 55:
      m_bIntermediate = number;
      EnableControls();
      break;
    case 56:
      m_strServerName = value;
      break;
    case 57:
      m_nNameRule = number;
      break;
    default:
      return FALSE;
  }
  UpdateData(FALSE);
  return TRUE;
}
