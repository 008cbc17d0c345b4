// libFuzzer target for the AP pages' readers of driver and registry data:
// the station table and the Block-Ack table rendered from an answer of any
// length and content (the counts the answer claims included), and the
// access list's multi-string. Rows stay within the tables and the limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "softap/ApMacList.h"
#include "softap/ApTables.h"
#include "softap/HTTable_AP.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CHTTable_AP rates = [] {
    CHTTable_AP t;
    t.Build();
    return t;
  }();
  const DWORD returned = static_cast<DWORD>(size);
  // Each reader gets a buffer of its table's size, the answer at its start.
  std::vector<BYTE> table(aptable::blockack::kSize, 0);
  if (size > 0) std::memcpy(table.data(), data, std::min<size_t>(size, table.size()));
  for (BOOL ht : {TRUE, FALSE}) {
    const std::vector<ApStationEntry> stations = ParseStationTable(table.data(), returned, ht);
    const size_t entry = ht ? aptable::station::kHtEntrySize : aptable::station::kEntrySize;
    if (stations.size() > aptable::station::kMaxEntries) std::abort();
    if (!stations.empty() && size < aptable::station::kEntries + stations.size() * entry) std::abort();
    for (const ApStationEntry& s : stations)
      if (StationStatusText(s.setting, rates).Find("Rate = ") < 0) std::abort();
  }
  for (int direction : {0, 1}) {
    const std::vector<BlockAckRow> rows = ParseBlockAckTable(table.data(), returned, direction);
    if (rows.size() > aptable::blockack::kMaxEntries) std::abort();
    for (const BlockAckRow& r : rows) {
      BYTE tids = 0;
      for (const BlockAckItem& item : r.items) tids |= static_cast<BYTE>(item.active << item.tid);
      if (tids == 0 || r.texts[0].GetLength() != 17) std::abort();
    }
  }
  size_t dropped = 0;
  const std::vector<CString> macs =
      ParseMacMultiString(reinterpret_cast<const char*>(data), size, aprecord::acl::kMaxEntries, dropped);
  if (macs.size() > aprecord::acl::kMaxEntries) std::abort();
  for (size_t i = 0; i < macs.size(); ++i) {
    if (!IsMacDigits(RemoveMacDashes(macs[i]))) std::abort();
    for (size_t j = 0; j < i; ++j)
      if (macs[i].CompareNoCase(macs[j]) == 0) std::abort();
  }
  if (BuildMacMultiString(macs).size() != macs.size() * 13 + 1) std::abort();
  return 0;
}
