// The statistics page's counters in WavorelVista: the driver's private
// counter block (its received-frames word at byte 176) and the NDIS
// no-buffer count.
#include <array>

#include "platform/wire/Bytes.h"
#include "platform/wire/NdisStatistics.h"
#include "station/status/PageStatisticsDlg.h"
#include "worker/DriverCodes.h"
#include "worker/OidRequest.h"

namespace {

namespace stats = wavorel::wire::ndis::statistics;

// The block's received-frames words (low, high).
constexpr size_t kReceivedFramesLow = 176;

}  // namespace

void CPageStatisticsDlg::ReadCounters(StatisticsCounters& counters) {
  using wavorel::wire::getU32;
  using wavorel::wire::getU64;
  // Zeroed first, so a failed query shows 0 for each counter.
  std::array<BYTE, kStatisticsBlockSize> block{};
  DWORD returned = 0;
  QueryOid(OID_VX_AP_COUNTERS, block.data(), kStatisticsBlockSize, &returned);
  counters.sent = getU64(block.data() + stats::kTransmittedFragmentCount);
  counters.retried = getU64(block.data() + stats::kRetryCount);
  counters.failed = getU64(block.data() + stats::kFailedCount);
  counters.rtsSuccess = getU64(block.data() + stats::kRtsSuccessCount);
  counters.rtsFailure = getU64(block.data() + stats::kRtsFailureCount);
  counters.received = getU32(block.data() + kReceivedFramesLow);
  counters.crcErrors = getU64(block.data() + stats::kFcsErrorCount);
  counters.duplicates = getU64(block.data() + stats::kFrameDuplicateCount);
  QueryOid(OID_GEN_RCV_NO_BUFFER, &counters.noBuffer, sizeof counters.noBuffer, &returned);
}
