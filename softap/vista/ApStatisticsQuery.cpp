// The AP's counters in WavorelVista, and CNativeWiFi::QueryApStatistics: the
// AP client's counters, read through the
// AP module's driver query from the AP counter block (184 bytes): its first
// 104 bytes are the NDIS 802.11 statistics up to FCSErrorCount, the receive
// counter is the 64-bit word at byte 176. A short answer fills only the
// counters that came back.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/wire/Bytes.h"
#include "softap/ApDriver.h"
#include "softap/ApModule.h"
#include "worker/DriverCodes.h"
#include "worker/NativeWiFi.h"

namespace {

constexpr DWORD kBlockSize = 184;
constexpr DWORD kStatisticsPart = 104;
constexpr DWORD kReceivedAt = 176;

}  // namespace

BOOL CNativeWiFi::QueryApStatistics(wavorel::wire::ndis::statistics::layout::Statistics* out, ULONGLONG* received) {
  std::vector<BYTE> block(kBlockSize, 0);
  DWORD returned = 0;
  if (!QueryDriverOid_AP(OID_VX_AP_COUNTERS, block.data(), kBlockSize, &returned)) return FALSE;
  // What did not come back reads as 0.
  std::fill(block.begin() + std::min(returned, kBlockSize), block.end(), BYTE{0});
  std::memcpy(out, block.data(), kStatisticsPart);
  *received = wavorel::wire::getU64(block.data() + kReceivedAt);
  return TRUE;
}

void QueryApCounters(wavorel::wire::ndis::statistics::layout::Statistics* stats, ULONGLONG* received) {
  BOOL connected = FALSE;
  CNativeWiFi& client = GetApNativeWiFi();
  if (client.IsConnected(&connected) == ERROR_SUCCESS && connected) client.QueryApStatistics(stats, received);
}
