#include "station/status/StatisticsCounterPage.h"

#include "worker/ModuleFunctions.h"
#include "worker/PageTopLine.h"

BEGIN_MESSAGE_MAP(CStatisticsCounterPage, CDialog)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CStatisticsCounterPage::CStatisticsCounterPage(UINT templateId, const UINT* valueIds, int rows,
                                               UINT firstLabelString, CWnd* pParent)
    : CDialog(templateId, pParent),
      m_values(static_cast<size_t>(rows)),
      m_valueIds(valueIds),
      m_firstLabelString(firstLabelString) {}

void CStatisticsCounterPage::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  for (size_t row = 0; row < m_values.size(); ++row) DDX_Text(pDX, m_valueIds[row], m_values[row]);
}

BOOL CStatisticsCounterPage::OnInitDialog() {
  CDialog::OnInitDialog();
  for (size_t row = 0; row < m_values.size(); ++row)
    ShowControlText(this, GetDlgItem(m_valueIds[row] - 1), m_firstLabelString + static_cast<UINT>(row));
  return TRUE;
}

BOOL CStatisticsCounterPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Enter and Escape never close the child page.
  const UINT id = LOWORD(wParam);
  if (id == IDOK || id == IDCANCEL) return TRUE;
  return CDialog::OnCommand(wParam, lParam);
}

void CStatisticsCounterPage::OnPaint() { PaintPageTopLine(this); }
