#include "station/profiles/InvalidIDPW.h"

#include "station/profiles/AuthenStatusDlg.h"
#include "worker/ActionQueue.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/PageTopLine.h"
#include "worker/StationHost.h"

namespace {

// The current profile's EAP methods: EAP-TLS asks no password; EAP-FAST and
// the fifth method ask a domain.
constexpr DWORD kEapTls = 1;
constexpr DWORD kEapFast = 3;
constexpr DWORD kEapWithDomain = 5;

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return GetMLText(text);
}

}  // namespace

CInvalidIDPW::CInvalidIDPW(CWnd* pParent) : CDialog(IDD_INVALID_ID_PW, pParent) {}

CInvalidIDPW::~CInvalidIDPW() = default;

void CInvalidIDPW::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_INVALID_OK, m_btnOk);
  DDX_Control(pDX, IDC_INVALID_CANCEL, m_btnCancel);
  DDX_Text(pDX, IDC_INVALID_CARD, m_strCardName);
  DDX_Text(pDX, IDC_INVALID_PROFILE, m_strProfileName);
  DDX_Text(pDX, IDC_INVALID_MESSAGE, m_strMessage);
  DDX_Text(pDX, IDC_INVALID_IDENTITY, m_strIdentity);
  DDX_Text(pDX, IDC_INVALID_PASSWORD, m_strPassword);
  DDX_Text(pDX, IDC_INVALID_DOMAIN, m_strDomain);
}

void CInvalidIDPW::ShowPair(int labelId, int editId, bool show) {
  for (int id : {labelId, editId})
    if (CWnd* control = GetDlgItem(id)) control->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

BOOL CInvalidIDPW::OnInitDialog() {
  CDialog::OnInitDialog();
  const std::pair<int, UINT> labels[] = {
      {IDC_INVALID_CARD_LABEL, IDS_INVALID_CARD},         {IDC_INVALID_PROFILE_LABEL, IDS_INVALID_PROFILE},
      {IDC_INVALID_MESSAGE_LABEL, IDS_INVALID_MESSAGE},   {IDC_INVALID_IDENTITY_LABEL, IDS_INVALID_IDENTITY},
      {IDC_INVALID_PASSWORD_LABEL, IDS_INVALID_PASSWORD}, {IDC_INVALID_DOMAIN_LABEL, IDS_INVALID_DOMAIN}};
  for (const auto& [control, stringId] : labels)
    if (CWnd* label = GetDlgItem(control)) ShowControlText(this, label, stringId);
  const std::pair<CShadeButtonST*, UINT> buttons[] = {{&m_btnOk, IDS_DIALOG_OK}, {&m_btnCancel, IDS_DIALOG_CANCEL}};
  for (const auto& [button, stringId] : buttons) {
    button->SetWindowText(LoadText(stringId));
    button->BuildShadeBitmaps(2, 8, 10, 0, 0, 0, 0);
  }

  const _PROFILE_DATA* current = GetCurrentProfile();
  const bool show = m_bShowCredentials != 0;
  const bool password = current && current->AuthenProtocol != kEapTls;
  const bool domain = current && (current->AuthenProtocol == kEapFast || current->AuthenProtocol == kEapWithDomain);
  ShowPair(IDC_INVALID_IDENTITY_LABEL, IDC_INVALID_IDENTITY, show);
  ShowPair(IDC_INVALID_PASSWORD_LABEL, IDC_INVALID_PASSWORD, show && password);
  ShowPair(IDC_INVALID_DOMAIN_LABEL, IDC_INVALID_DOMAIN, show && domain);
  UpdateData(TRUE);
  return TRUE;
}

void CInvalidIDPW::OnPaint() { PaintPageTopLine(this); }

void CInvalidIDPW::OnCancelClicked() { OnCancel(); }
