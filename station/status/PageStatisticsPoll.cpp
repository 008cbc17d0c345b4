// The statistics page's poll: the driver's counters (ReadCounters, per build)
// formatted onto the child pages and reported with codes 17-25 in order.
#include "frontend/BridgeCodes.h"
#include "frontend/UiBridge.h"
#include "station/status/PageStatisticsDlg.h"

namespace {

CString Signed64(uint64_t value) {
  CString text;
  text.Format("%I64d", static_cast<long long>(value));
  return text;
}

CString Unsigned32(DWORD value) {
  CString text;
  text.Format("%u", value);
  return text;
}

}  // namespace

void CPageStatisticsDlg::PollCounters() {
  StatisticsCounters counters;
  ReadCounters(counters);

  CString* tx = m_pageTx.m_values.data();
  tx[CPageStatisticsTXDlg::kSuccess] = Signed64(counters.sent);
  tx[CPageStatisticsTXDlg::kWithoutRetry] = Signed64(counters.sent - counters.retried);
  tx[CPageStatisticsTXDlg::kRetried] = Signed64(counters.retried);
  tx[CPageStatisticsTXDlg::kFailed] = Signed64(counters.failed);
  tx[CPageStatisticsTXDlg::kRtsSuccess] = Signed64(counters.rtsSuccess);
  tx[CPageStatisticsTXDlg::kRtsFailure] = Signed64(counters.rtsFailure);
  NotifyUI(BRIDGE_UI_STAT_TX_SUCCESS, tx[CPageStatisticsTXDlg::kSuccess], TRUE);
  NotifyUI(BRIDGE_UI_STAT_TX_REPEAT, tx[CPageStatisticsTXDlg::kRetried], TRUE);
  NotifyUI(BRIDGE_UI_STAT_TX_RETRY_ERROR, tx[CPageStatisticsTXDlg::kFailed], TRUE);
  NotifyUI(BRIDGE_UI_STAT_RTS_CORRECTION, tx[CPageStatisticsTXDlg::kRtsSuccess], TRUE);
  NotifyUI(BRIDGE_UI_STAT_TRS_ERROR, tx[CPageStatisticsTXDlg::kRtsFailure], TRUE);
  if (m_pageTx.GetSafeHwnd()) m_pageTx.UpdateData(FALSE);

  CString* rx = m_pageRx.m_values.data();
  rx[CPageStatisticsRXDlg::kSuccess] = Unsigned32(counters.received);
  NotifyUI(BRIDGE_UI_STAT_RX_SUCCESS, rx[CPageStatisticsRXDlg::kSuccess], TRUE);
  rx[CPageStatisticsRXDlg::kCrcError] = Signed64(counters.crcErrors);
  NotifyUI(BRIDGE_UI_STAT_RX_CRC, rx[CPageStatisticsRXDlg::kCrcError], TRUE);
  rx[CPageStatisticsRXDlg::kNoBuffer] = Unsigned32(counters.noBuffer);
  NotifyUI(BRIDGE_UI_STAT_RX_PACKET_LOSS, rx[CPageStatisticsRXDlg::kNoBuffer], TRUE);
  rx[CPageStatisticsRXDlg::kDuplicate] = Signed64(counters.duplicates);
  NotifyUI(BRIDGE_UI_STAT_RX_REPEAT, rx[CPageStatisticsRXDlg::kDuplicate], TRUE);
  if (m_pageRx.GetSafeHwnd()) m_pageRx.UpdateData(FALSE);
}
