#include "station/profiles/PageClientCertificationDlg.h"

#include <cstdlib>
#include <cstring>

#include "frontend/UiBridge.h"
#include "station/profiles/EditorFieldCodes.h"
#include "station/profiles/PageControls.h"
#include "worker/ModuleFunctions.h"

namespace {

constexpr int kTextIds[CPageClientCertificationDlg::kTextCount] = {IDC_CC_ISSUED_TO, 1228, 1230, 1232};
constexpr int kTextLabelIds[CPageClientCertificationDlg::kTextCount] = {IDC_CC_ISSUED_TO_LABEL, 1188, 1190, 1194};
// "Issued To >>" keeps its template text: its string id holds a link page
// text in this program.
constexpr UINT kTextLabelStrings[CPageClientCertificationDlg::kTextCount] = {0, 330, 332, 334};
constexpr int kColumnWidths[CPageClientCertificationDlg::kTextCount] = {100, 150, 80, 70};
constexpr char kRowFormat[] = "%s  |  %s  |  %s  |  %s";

struct LabelText {
  int id;
  UINT stringId;
};
constexpr LabelText kLabels[] = {
    {IDC_CC_USE_LABEL, 363}, {IDC_CC_SOURCE_COMPUTER_LABEL, 134}, {IDC_CC_SOURCE_SMART_CARD_LABEL, 136}};

const char* DescText(const CertDesc& desc, int column) {
  const char* const texts[] = {desc.subject, desc.issuer, desc.expiry, desc.friendlyName};
  return texts[column];
}

}  // namespace

BEGIN_MESSAGE_MAP(CPageClientCertificationDlg, CDialog)
  ON_BN_CLICKED(IDC_CC_USE, &CPageClientCertificationDlg::OnUseClicked)
  ON_BN_CLICKED(IDC_CC_SOURCE_COMPUTER, &CPageClientCertificationDlg::OnSourceClicked)
  ON_BN_CLICKED(IDC_CC_SOURCE_SMART_CARD, &CPageClientCertificationDlg::OnSourceClicked)
  ON_CBN_SELCHANGE(IDC_CC_LIST, &CPageClientCertificationDlg::OnSelchangeCertList)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CPageClientCertificationDlg::CPageClientCertificationDlg(CWnd* pParent) : CDialog(IDD_PAGE_CLIENT_CERT, pParent) {}

void CPageClientCertificationDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_CC_LIST, m_list);
  DDX_Control(pDX, IDC_CC_USE, m_checkUse);
  DDX_Check(pDX, IDC_CC_USE, m_bUseClientCert);
  DDX_Radio(pDX, IDC_CC_SOURCE_COMPUTER, m_nCertSource);
  for (int i = 0; i < kTextCount; ++i) DDX_Text(pDX, kTextIds[i], m_strText[i]);
}

BOOL CPageClientCertificationDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  for (const LabelText& label : kLabels) {
    if (CWnd* control = GetDlgItem(label.id)) ShowControlText(this, control, label.stringId);
  }
  for (int i = 0; i < kTextCount; ++i) {
    if (CWnd* control = GetDlgItem(kTextLabelIds[i])) ShowControlText(this, control, kTextLabelStrings[i]);
  }
  // The use check box is driven by the methods only in this build.
  ShowPageItem(this, IDC_CC_USE, FALSE);
  ShowPageItem(this, IDC_CC_USE_LABEL, FALSE);
  m_list.SetColumnCount(kTextCount);
  for (int i = 0; i < kTextCount; ++i) m_list.SetColumnWidth(i, kColumnWidths[i]);
  UpdateData(FALSE);
  return TRUE;
}

void CPageClientCertificationDlg::OnDestroy() {
  m_certs.clear();
  CDialog::OnDestroy();
}

void CPageClientCertificationDlg::RefreshCertList() {
  m_certs.clear();
  LoadCertStore(m_certs, "MY");
  m_list.ResetContent();
  CString rows;
  for (const CertDesc& desc : m_certs) {
    const int item = m_list.AddString(desc.subject);
    for (int column = 1; column < kTextCount; ++column) m_list.SetColumnText(item, column, DescText(desc, column));
    CString row;
    row.Format(kRowFormat, desc.subject, desc.issuer, desc.expiry, desc.friendlyName);
    if (!rows.IsEmpty()) rows += "\r\n";
    rows += row;
  }
  NotifyUI(EDITOR_FIELD_CLIENT_CERT_LIST, rows, TRUE);
  if (m_certs.empty()) return;
  m_list.SetCurSel(0);
  OnSelchangeCertList();
}

void CPageClientCertificationDlg::OnSelchangeCertList() {
  UpdateData(TRUE);
  const int row = m_list.GetCurSel();
  for (int i = 0; i < kTextCount; ++i) {
    m_strText[i] = row >= 0 ? m_list.GetColumnText(row, i) : CString();
    NotifyUI(EDITOR_FIELD_CLIENT_ISSUED_TO + static_cast<UINT>(i), m_strText[i], TRUE);
  }
  m_chosen = CertDesc();
  for (const CertDesc& desc : m_certs) {
    bool same = true;
    for (int i = 0; i < kTextCount && same; ++i) same = m_strText[i] == DescText(desc, i);
    if (same) {
      m_chosen = desc;
      break;
    }
  }
  UpdateData(FALSE);
}

void CPageClientCertificationDlg::SetUse(BOOL use) {
  EnablePageItem(this, IDC_CC_LIST, use);
  for (int i = 0; i < kTextCount; ++i) {
    EnablePageItem(this, kTextIds[i], use);
    EnablePageItem(this, kTextLabelIds[i], use);
  }
  for (int id : {IDC_CC_SOURCE_COMPUTER, IDC_CC_SOURCE_SMART_CARD, IDC_CC_SOURCE_COMPUTER_LABEL,
                 IDC_CC_SOURCE_SMART_CARD_LABEL})
    EnablePageItem(this, id, use);
  m_bUseClientCert = use;
  NotifyUIInt(EDITOR_FIELD_USE_CLIENT_CERT, use, TRUE);
  m_checkUse.SetCheck(use ? BST_CHECKED : BST_UNCHECKED);
}

void CPageClientCertificationDlg::UseForMethod(int method, int innerType) {
  const BOOL use = method == 1 || (method == 0 && innerType == 13);
  if (use) RefreshCertList();
  SetUse(use);
  UpdateData(FALSE);
}

void CPageClientCertificationDlg::SetDefaults() {
  m_chosen = CertDesc();
  m_bUseClientCert = FALSE;
  m_nCertSource = 0;
  for (CString& text : m_strText) text.Empty();
  UpdateData(FALSE);
}

void CPageClientCertificationDlg::ReportChosenTexts() {
  for (int i = 0; i < kTextCount; ++i) {
    m_strText[i] = DescText(m_chosen, i);
    NotifyUI(EDITOR_FIELD_CLIENT_ISSUED_TO + static_cast<UINT>(i), m_strText[i], TRUE);
  }
}

void CPageClientCertificationDlg::ChooseByHash(const BYTE* hash, DWORD size) {
  m_chosen = CertDesc();
  for (const CertDesc& desc : m_certs) {
    if (!desc.HashEquals(hash, size)) continue;
    m_chosen = desc;
    for (int row = 0; row < m_list.GetCount(); ++row) {
      bool same = true;
      for (int i = 0; i < kTextCount && same; ++i) same = m_list.GetColumnText(row, i) == DescText(desc, i);
      if (same) {
        m_list.SetCurSel(row);
        break;
      }
    }
    break;
  }
  ReportChosenTexts();
  UpdateData(FALSE);
}

void CPageClientCertificationDlg::OnUseClicked() {
  const BOOL use = m_checkUse.GetCheck() == BST_CHECKED;
  if (use) RefreshCertList();
  SetUse(use);
}

void CPageClientCertificationDlg::OnSourceClicked() { UpdateData(TRUE); }

BOOL CPageClientCertificationDlg::RunBridgeCommand(UINT code, const CString& value) {
  switch (code) {
    case 49:
      m_checkUse.SendMessage(BM_CLICK);
      m_bUseClientCert = std::atoi(value);
      UpdateData(FALSE);
      return TRUE;
    case 50:
      RefreshCertList();
      return TRUE;
    case 51:
      if (SetComboCurSelSafe(&m_list, std::atoi(value))) OnSelchangeCertList();
      return TRUE;
    default:
      return FALSE;
  }
}
