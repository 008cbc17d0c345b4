#include "station/profiles/HiddenSsidDlg.h"

#include <cstring>

#include "station/profiles/AuthenStatusDlg.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/PageTopLine.h"
#include "worker/StationHost.h"

namespace {

constexpr char kSsidTooLong[] = "The SSID can hold at most 32 characters.";

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return GetMLText(text);
}

void ShowFirstHostDialog() {
  if (g_pHideDlg) g_pHideDlg->ShowPage(kHostDlgLinkStatus);
}

}  // namespace

BEGIN_MESSAGE_MAP(CHiddenSsidDlg, CDialog)
  ON_WM_PAINT()
  ON_WM_SHOWWINDOW()
  ON_BN_CLICKED(IDC_HIDDEN_SSID_OK, &CHiddenSsidDlg::OnOK)
  ON_BN_CLICKED(IDC_HIDDEN_SSID_CANCEL, &CHiddenSsidDlg::OnCancel)
END_MESSAGE_MAP()

CHiddenSsidDlg::CHiddenSsidDlg(CWnd* pParent) : CDialog(IDD_HIDDEN_SSID, pParent) {}

CHiddenSsidDlg::~CHiddenSsidDlg() = default;

void CHiddenSsidDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_HIDDEN_SSID_EDIT, m_editSsid);
  DDX_Control(pDX, IDC_HIDDEN_SSID_OK, m_btnOk);
  DDX_Control(pDX, IDC_HIDDEN_SSID_CANCEL, m_btnCancel);
  DDX_Text(pDX, IDC_HIDDEN_SSID_EDIT, m_strSsid);
}

BOOL CHiddenSsidDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (CWnd* prompt = GetDlgItem(IDC_HIDDEN_SSID_PROMPT)) ShowControlText(this, prompt, IDS_HIDDEN_SSID_PROMPT);
  m_editSsid.LimitText(kHiddenSsidMax);
  const std::pair<CShadeButtonST*, UINT> buttons[] = {{&m_btnOk, IDS_DIALOG_OK}, {&m_btnCancel, IDS_DIALOG_CANCEL}};
  for (const auto& [button, stringId] : buttons) {
    button->SetWindowText(LoadText(stringId));
    button->BuildShadeBitmaps(2, 8, 10, 0, 0, 0, 0);
  }
  return TRUE;
}

void CHiddenSsidDlg::OnPaint() { PaintPageTopLine(this); }

void CHiddenSsidDlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialog::OnShowWindow(bShow, nStatus);
  if (!bShow) return;
  m_strSsid.Empty();
  UpdateData(FALSE);
  m_editSsid.SetFocus();
}

void CHiddenSsidDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  // Blanks around the name are not part of it; a name of blanks is no name.
  CString ssid = m_strSsid;
  ssid.Trim();
  if (ssid.IsEmpty()) {
    WarningMessageBox(LoadText(IDS_HIDDEN_SSID_PROMPT));
    return;
  }
  if (ssid.GetLength() > kHiddenSsidMax) {
    WarningMessageBox(kSsidTooLong);
    return;
  }
  m_strSsid = ssid;
  NDIS_802_11_SSID entered{};
  entered.SsidLength = static_cast<ULONG>(ssid.GetLength());
  std::memcpy(entered.Ssid, static_cast<LPCSTR>(ssid), entered.SsidLength);
  if (!m_next || !m_next(entered)) ShowFirstHostDialog();
}

void CHiddenSsidDlg::OnCancel() { ShowFirstHostDialog(); }
