// CPageStatisticsRXDlg: the receive child page of the statistics page: four
// counter texts bound to their value statics.
#pragma once

#include "station/status/StatisticsCounterPage.h"

constexpr UINT IDD_STATISTICS_RX = 3291;

class CPageStatisticsRXDlg : public CStatisticsCounterPage {
 public:
  enum Row { kSuccess = 0, kCrcError, kNoBuffer, kDuplicate, kRowCount };
  static constexpr UINT kValueIds[kRowCount] = {1402, 1414, 1420, 1424};

  // The labels (value id - 1) take strings 1606... in row order.
  static constexpr UINT kFirstLabelString = 1606;

  explicit CPageStatisticsRXDlg(CWnd* pParent = nullptr);
};
