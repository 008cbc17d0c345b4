// The statistics page's poll: the driver's statistics block and the no-buffer
// count read, formatted onto the child pages and reported with codes 17-25.
#include <algorithm>
#include <array>

#include "frontend/BridgeCodes.h"
#include "frontend/UiBridge.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/NdisStatistics.h"
#include "station/status/PageStatisticsDlg.h"
#include "worker/DriverCodes.h"
#include "worker/OidRequest.h"

namespace {

namespace stats = wavorel::wire::ndis::statistics;

// The block's received-frames words (low, high).
constexpr size_t kReceivedFramesLow = 176;
// The part of the block the record takes over: the counters up to FCSErrorCount.
constexpr size_t kCopiedEnd = stats::kFcsErrorCount + 8;

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
  using wavorel::wire::getU32;
  using wavorel::wire::getU64;
  // The record takes the used counters at their offsets; the block is zeroed
  // first, so a failed query shows 0 for each of them.
  std::array<BYTE, kStatisticsRecordSize> record{};
  std::array<BYTE, kStatisticsBlockSize> block{};
  DWORD returned = 0;
  QueryOid(OID_VX_AP_COUNTERS, block.data(), kStatisticsBlockSize, &returned);
  for (size_t offset = stats::kTransmittedFragmentCount; offset < kCopiedEnd; offset += 8)
    if (offset != stats::kReceivedFragmentCount) std::copy_n(block.begin() + offset, 8, record.begin() + offset);
  const DWORD receivedLow = getU32(block.data() + kReceivedFramesLow);
  const uint64_t sent = getU64(record.data() + stats::kTransmittedFragmentCount);
  const uint64_t retried = getU64(record.data() + stats::kRetryCount);

  CString* tx = m_pageTx.m_values.data();
  tx[CPageStatisticsTXDlg::kSuccess] = Signed64(sent);
  tx[CPageStatisticsTXDlg::kWithoutRetry] = Signed64(sent - retried);
  tx[CPageStatisticsTXDlg::kRetried] = Signed64(retried);
  tx[CPageStatisticsTXDlg::kFailed] = Signed64(getU64(record.data() + stats::kFailedCount));
  tx[CPageStatisticsTXDlg::kRtsSuccess] = Signed64(getU64(record.data() + stats::kRtsSuccessCount));
  tx[CPageStatisticsTXDlg::kRtsFailure] = Signed64(getU64(record.data() + stats::kRtsFailureCount));
  NotifyUI(BRIDGE_UI_STAT_TX_SUCCESS, tx[CPageStatisticsTXDlg::kSuccess], TRUE);
  NotifyUI(BRIDGE_UI_STAT_TX_REPEAT, tx[CPageStatisticsTXDlg::kRetried], TRUE);
  NotifyUI(BRIDGE_UI_STAT_TX_RETRY_ERROR, tx[CPageStatisticsTXDlg::kFailed], TRUE);
  NotifyUI(BRIDGE_UI_STAT_RTS_CORRECTION, tx[CPageStatisticsTXDlg::kRtsSuccess], TRUE);
  NotifyUI(BRIDGE_UI_STAT_TRS_ERROR, tx[CPageStatisticsTXDlg::kRtsFailure], TRUE);
  if (m_pageTx.GetSafeHwnd()) m_pageTx.UpdateData(FALSE);

  CString* rx = m_pageRx.m_values.data();
  rx[CPageStatisticsRXDlg::kSuccess] = Unsigned32(receivedLow);
  NotifyUI(BRIDGE_UI_STAT_RX_SUCCESS, rx[CPageStatisticsRXDlg::kSuccess], TRUE);
  rx[CPageStatisticsRXDlg::kCrcError] = Signed64(getU64(record.data() + stats::kFcsErrorCount));
  NotifyUI(BRIDGE_UI_STAT_RX_CRC, rx[CPageStatisticsRXDlg::kCrcError], TRUE);
  DWORD noBuffer = 0;
  QueryOid(OID_GEN_RCV_NO_BUFFER, &noBuffer, sizeof noBuffer, &returned);
  rx[CPageStatisticsRXDlg::kNoBuffer] = Unsigned32(noBuffer);
  NotifyUI(BRIDGE_UI_STAT_RX_PACKET_LOSS, rx[CPageStatisticsRXDlg::kNoBuffer], TRUE);
  rx[CPageStatisticsRXDlg::kDuplicate] = Signed64(getU64(record.data() + stats::kFrameDuplicateCount));
  NotifyUI(BRIDGE_UI_STAT_RX_REPEAT, rx[CPageStatisticsRXDlg::kDuplicate], TRUE);
  if (m_pageRx.GetSafeHwnd()) m_pageRx.UpdateData(FALSE);
}
