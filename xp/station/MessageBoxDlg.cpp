#include "xp/station/MessageBoxDlg.h"

IMPLEMENT_DYNCREATE(CMessageBoxDlg, CDialog)

BEGIN_MESSAGE_MAP(CMessageBoxDlg, CDialog)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CMessageBoxDlg::CMessageBoxDlg(CWnd* pParent) : CDialog(IDD_MESSAGE_BOX_DLG, pParent) {}

void CMessageBoxDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_MESSAGE_BOX_TEXT, m_strMessage);
}

BOOL CMessageBoxDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CString ok;
  ok.LoadString(IDS_MESSAGE_BOX_OK);
  SetDlgItemText(IDOK, ok);
  UpdateData(FALSE);
  return TRUE;
}

void CMessageBoxDlg::OnOK() { EndDialog(IDOK); }

void CMessageBoxDlg::OnDestroy() {
  EndDialog(IDCANCEL);
  CDialog::OnDestroy();
}
