#include "station/status/PageStatisticsTXDlg.h"

#include "worker/ModuleFunctions.h"
#include "worker/PageTopLine.h"

BEGIN_MESSAGE_MAP(CPageStatisticsTXDlg, CDialog)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CPageStatisticsTXDlg::CPageStatisticsTXDlg(CWnd* pParent) : CDialog(IDD_STATISTICS_TX, pParent) {}

void CPageStatisticsTXDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  for (int row = 0; row < kRowCount; ++row) DDX_Text(pDX, kValueIds[row], m_values[row]);
}

BOOL CPageStatisticsTXDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  for (int row = 0; row < kRowCount; ++row)
    ShowControlText(this, GetDlgItem(kValueIds[row] - 1), kFirstLabelString + row);
  return TRUE;
}

BOOL CPageStatisticsTXDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Enter and Escape never close the child page.
  const UINT id = LOWORD(wParam);
  if (id == IDOK || id == IDCANCEL) return TRUE;
  return CDialog::OnCommand(wParam, lParam);
}

void CPageStatisticsTXDlg::OnPaint() { PaintPageTopLine(this); }
