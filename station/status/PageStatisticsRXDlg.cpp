#include "station/status/PageStatisticsRXDlg.h"

CPageStatisticsRXDlg::CPageStatisticsRXDlg(CWnd* pParent)
    : CStatisticsCounterPage(IDD_STATISTICS_RX, kValueIds, kRowCount, kFirstLabelString, pParent) {}
