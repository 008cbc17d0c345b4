// libFuzzer target for the driver's event-log answer and the event-log store:
// the input is what the driver answered (any length); the entries taken and
// the store must stay within their bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "softap/ApPoll.h"
#include "softap/ApRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The poll's block: 168 bytes, the answer at its start.
  BYTE block[aprecord::eventlog::kSize] = {};
  if (size > 0) std::memcpy(block, data, std::min<size_t>(size, sizeof block));
  const std::vector<_VX_802_11_EVENT_LOG> events = ParseEventLogBlock(block, static_cast<DWORD>(size));
  if (events.size() > aprecord::eventlog::kMaxEntries) std::abort();
  if (size < aprecord::eventlog::kEntries + aprecord::eventlog::kEntrySize && !events.empty()) std::abort();
  const int shown = size > 0 ? data[0] : 0;
  g_nApEventLogShown = shown;
  const INT_PTR before = g_apEventLog.GetSize();
  StoreApEvents(events);
  const INT_PTR after = g_apEventLog.GetSize();
  if (after > kApEventLogCapacity || g_nApEventLogShown < 0 || g_nApEventLogShown > shown) std::abort();
  if (after != std::min<INT_PTR>(before + static_cast<INT_PTR>(events.size()), kApEventLogCapacity)) std::abort();
  return 0;
}
