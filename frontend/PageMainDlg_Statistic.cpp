#include "frontend/PageMainDlg_Statistic.h"

#include "frontend/SkinFunctions.h"
#include "frontend/StationPageIds.h"
#include "frontend/StationPageTools.h"
#include "frontend/UiBridge.h"

BEGIN_MESSAGE_MAP(CPageMainDlg_Statistic, CGxTabPage)
  ON_WM_SHOWWINDOW()
  ON_BN_CLICKED(IDC_STAT_CLEAR, &CPageMainDlg_Statistic::OnClear)
END_MESSAGE_MAP()

CPageMainDlg_Statistic::CPageMainDlg_Statistic(CWnd* pParent) : CGxTabPage(IDD_PAGE_STATION_STATISTIC, pParent) {
  SetRegionFile(StationSkinPath("TabCtrlPage_Statistic.bmp"), kStationPageSkinKey);
}

CPageMainDlg_Statistic::~CPageMainDlg_Statistic() = default;

void CPageMainDlg_Statistic::DoDataExchange(CDataExchange* pDX) {
  CGxTabPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_STAT_DESC, m_desc);
  DDX_Control(pDX, IDC_STAT_SEND_CAPTION, m_captionSend);
  DDX_Control(pDX, IDC_STAT_RECEIVE_CAPTION, m_captionReceive);
  for (int i = 0; i < kCounterCount; ++i) {
    DDX_Control(pDX, IDC_STAT_FIRST_VALUE + 2 * i - 1, m_labels[i]);
    DDX_Control(pDX, IDC_STAT_FIRST_VALUE + 2 * i, m_values[i]);
  }
  DDX_Control(pDX, IDC_STAT_CLEAR, m_btnClear);
}

BOOL CPageMainDlg_Statistic::OnInitDialog() {
  CGxTabPage::OnInitDialog();
  SkinPageTitle(&m_captionSend);
  SkinPageTitle(&m_captionReceive);
  SkinPageText(&m_desc);
  for (int i = 0; i < kCounterCount; ++i) SkinLabelValuePair(&m_labels[i], &m_values[i], 9, 1, 9, 0);
  SkinCommonButton(&m_btnClear, 0, nullptr, nullptr);
  return TRUE;
}

void CPageMainDlg_Statistic::OnShowWindow(BOOL bShow, UINT nStatus) {
  CGxTabPage::OnShowWindow(bShow, nStatus);
  NotifyWorkerInt(BRIDGE_CMD_STATISTICS_POLL, bShow ? 1 : 0, TRUE);
}

void CPageMainDlg_Statistic::OnClear() { NotifyWorkerInt(BRIDGE_CMD_CLEAR_STATISTICS, 0, TRUE); }

CGxEdit* CPageMainDlg_Statistic::GetCounter(int index) {
  return index >= 0 && index < kCounterCount ? &m_values[index] : nullptr;
}
