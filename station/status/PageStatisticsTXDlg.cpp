#include "station/status/PageStatisticsTXDlg.h"

CPageStatisticsTXDlg::CPageStatisticsTXDlg(CWnd* pParent)
    : CStatisticsCounterPage(IDD_STATISTICS_TX, kValueIds, kRowCount, kFirstLabelString, pParent) {}
