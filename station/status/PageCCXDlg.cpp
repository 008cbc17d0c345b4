#include "station/status/PageCCXDlg.h"

#include "worker/PageTopLine.h"

BEGIN_MESSAGE_MAP(CPageCCXDlg, CDialog)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CPageCCXDlg::CPageCCXDlg(CWnd* pParent) : CDialog(IDD_PAGE_CCX, pParent) {}

void CPageCCXDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_CCX_CCKM, m_strCckm);
  DDX_Text(pDX, IDC_CCX_CMIC, m_strCmic);
  DDX_Text(pDX, IDC_CCX_CKIP, m_strCkip);
}

void CPageCCXDlg::OnPaint() { PaintPageTopLine(this); }
