#include "station/status/PageStatisticsRXDlg.h"

#include "worker/ModuleFunctions.h"
#include "worker/PageTopLine.h"

BEGIN_MESSAGE_MAP(CPageStatisticsRXDlg, CDialog)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CPageStatisticsRXDlg::CPageStatisticsRXDlg(CWnd* pParent) : CDialog(IDD_STATISTICS_RX, pParent) {}

void CPageStatisticsRXDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  for (int row = 0; row < kRowCount; ++row) DDX_Text(pDX, kValueIds[row], m_values[row]);
}

BOOL CPageStatisticsRXDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  for (int row = 0; row < kRowCount; ++row)
    ShowControlText(this, GetDlgItem(kValueIds[row] - 1), kFirstLabelString + row);
  return TRUE;
}

BOOL CPageStatisticsRXDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Enter and Escape never close the child page.
  const UINT id = LOWORD(wParam);
  if (id == IDOK || id == IDCANCEL) return TRUE;
  return CDialog::OnCommand(wParam, lParam);
}

void CPageStatisticsRXDlg::OnPaint() { PaintPageTopLine(this); }
