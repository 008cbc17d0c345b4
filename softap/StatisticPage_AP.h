// CStatisticPage_AP: the "Statistics" page of the AP sheet: the soft AP's
// transmit and receive counters, refreshed every two seconds while the page
// is active (0 while the AP reports no connection, except the count of
// frames dropped for want of buffers, which is always read), and
// "RESET COUNTERS", which zeroes the texts and the driver's counters.
#pragma once

#include "platform/Platform.h"

class CStatisticPage_AP : public CPropertyPage {
  DECLARE_DYNCREATE(CStatisticPage_AP)

 public:
  static constexpr const char* kTemplate = "Statistics";
  static constexpr UINT kResetId = 1132;
  static constexpr UINT_PTR kRefreshTimer = 1;
  static constexpr UINT kRefreshMs = 2000;
  // The counter texts, in the order of the page's table.
  enum Counter {
    kTxSuccess, kTxNoRetry, kTxAfterRetry, kTxAckFailed, kRtsSuccess, kRtsFailed,
    kRxSuccess, kRxCrcError, kRxNoBuffer, kRxDuplicate, kCounterCount
  };
  static constexpr UINT kCounterIds[kCounterCount] = {1111, 1113, 1115, 1130, 1128, 1126, 1123, 1121, 1119, 1117};

  CStatisticPage_AP();

  BOOL OnSetActive() override;
  BOOL OnKillActive() override;
  void Refresh();
  const CString& GetCounterText(Counter counter) const { return m_strCounters[counter]; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnTimer(UINT_PTR nIDEvent);
  void OnResetCounters();
  DECLARE_MESSAGE_MAP()

 private:
  CString m_strCounters[kCounterCount];
  UINT_PTR m_nTimer = 0;
};
