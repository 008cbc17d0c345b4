// CPageStatisticsTXDlg: the transmit child page of the statistics page: six
// counter texts bound to their value statics.
#pragma once

#include "station/status/StatisticsCounterPage.h"

constexpr UINT IDD_STATISTICS_TX = 3290;

class CPageStatisticsTXDlg : public CStatisticsCounterPage {
 public:
  // The value texts in the page's row order.
  enum Row { kSuccess = 0, kWithoutRetry, kRetried, kFailed, kRtsSuccess, kRtsFailure, kRowCount };
  static constexpr UINT kValueIds[kRowCount] = {1390, 1392, 1394, 1396, 1398, 1401};

  // The labels (value id - 1) take strings 1600... in row order.
  static constexpr UINT kFirstLabelString = 1600;

  explicit CPageStatisticsTXDlg(CWnd* pParent = nullptr);
};
