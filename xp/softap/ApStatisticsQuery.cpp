// The AP's counters in Wavorel, by the NDIS codes: while the media connection
// state reads connected, OID_802_11_STATISTICS (its counters up to
// FCSErrorCount) and OID_GEN_RCV_OK.
#include <algorithm>
#include <cstring>
#include <vector>

#include "softap/ApDriver.h"

namespace {

constexpr DWORD kStatisticsSize = 200;
constexpr DWORD kStatisticsPart = 104;

}  // namespace

void QueryApCounters(wavorel::wire::ndis::statistics::layout::Statistics* stats, ULONGLONG* received) {
  DWORD state = 1;
  if (!QueryDriverDword_AP(OID_GEN_MEDIA_CONNECT_STATUS, state) || state != 0) return;
  std::vector<BYTE> block(kStatisticsSize, 0);
  DWORD returned = 0;
  if (QueryDriverOid_AP(OID_802_11_STATISTICS, block.data(), kStatisticsSize, &returned)) {
    // What did not come back reads as 0.
    std::fill(block.begin() + std::min(returned, kStatisticsSize), block.end(), BYTE{0});
    std::memcpy(stats, block.data(), std::min<size_t>(kStatisticsPart, sizeof *stats));
  }
  DWORD frames = 0;
  if (QueryDriverDword_AP(OID_GEN_RCV_OK, frames)) *received = frames;
}
