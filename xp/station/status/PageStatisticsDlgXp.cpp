// The statistics page's counters in Wavorel: the standard
// NDIS_802_11_STATISTICS record (its 176-byte form) and the NDIS receive
// counts, each into a zeroed buffer, so a failed query shows 0.
#include <array>

#include "platform/wire/Bytes.h"
#include "platform/wire/NdisStatistics.h"
#include "station/status/PageStatisticsDlg.h"
#include "worker/DriverCodes.h"
#include "worker/OidRequest.h"

void CPageStatisticsDlg::ReadCounters(StatisticsCounters& counters) {
  namespace stats = wavorel::wire::ndis::statistics;
  using wavorel::wire::getU64;
  std::array<BYTE, kStatisticsBlockSize> block{};
  DWORD returned = 0;
  QueryOid(OID_802_11_STATISTICS, block.data(), kStatisticsBlockSize, &returned);
  counters.sent = getU64(block.data() + stats::kTransmittedFragmentCount);
  counters.retried = getU64(block.data() + stats::kRetryCount);
  counters.failed = getU64(block.data() + stats::kFailedCount);
  counters.rtsSuccess = getU64(block.data() + stats::kRtsSuccessCount);
  counters.rtsFailure = getU64(block.data() + stats::kRtsFailureCount);
  counters.crcErrors = getU64(block.data() + stats::kFcsErrorCount);
  counters.duplicates = getU64(block.data() + stats::kFrameDuplicateCount);
  QueryOid(OID_GEN_RCV_OK, &counters.received, sizeof counters.received, &returned);
  QueryOid(OID_GEN_RCV_NO_BUFFER, &counters.noBuffer, sizeof counters.noBuffer, &returned);
}
