#include "softap/ApTables.h"

#include <algorithm>

#include "platform/wire/Bytes.h"
#include "softap/HTTable_AP.h"
#include "utilmere/Utilmere.h"

namespace {

// CCK rates by index (0-3 and again 8-11), OFDM rates by index 0-7.
constexpr double kCckRates[] = {1, 2, 5.5, 11};
constexpr double kOfdmRates[] = {6, 9, 12, 18, 24, 36, 48, 54};

}  // namespace

double TransmitSettingRate(WORD setting, const CHTTable_AP& table) {
  const int index = McsOf(setting);
  double rate = 0;
  switch (PhyModeOf(setting)) {
    case kApPhyCck:
      if ((index & ~8) < 4) rate = kCckRates[index & 3];
      break;
    case kApPhyOfdm:
      if (index < 8) rate = kOfdmRates[index];
      break;
    default:
      if (!table.LookupRate(Bandwidth40Of(setting), ShortGiOf(setting), index, &rate)) rate = 0;
      break;
  }
  return rate;
}

CString FormatMacText(const BYTE* mac) {
  CString text;
  text.Format("%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
  return text;
}

std::vector<ApStationEntry> ParseStationTable(const BYTE* table, DWORD returned, BOOL ht) {
  using namespace aptable::station;
  std::vector<ApStationEntry> entries;
  if (returned < kEntries) return entries;
  const size_t entrySize = ht ? kHtEntrySize : kEntrySize;
  const DWORD size = std::min<DWORD>(returned, ht ? kHtSize : kSize);
  const DWORD fits = static_cast<DWORD>((size - kEntries) / entrySize);
  const DWORD claimed = wavorel::wire::getU32(table);
  const DWORD count = std::min({claimed, fits, kMaxEntries});
  if (claimed > count) Log(GXLOG_WARNING, "AP station table: %u stations claimed, %u read", claimed, count);
  for (DWORD i = 0; i < count; ++i) {
    const BYTE* p = table + kEntries + i * entrySize;
    ApStationEntry e;
    std::copy(p, p + e.mac.size(), e.mac.begin());
    e.aid = p[kAid];
    e.powerSave = p[kPowerSave];
    if (ht) e.setting = wavorel::wire::getU16(p + kSetting);
    entries.push_back(e);
  }
  return entries;
}

CString StationStatusText(WORD setting, const CHTTable_AP& table) {
  CString text;
  const int mode = PhyModeOf(setting);
  if (mode == kApPhyCck) {
    text = "B: ";
  } else if (mode >= kApPhyHt) {
    text.Format("N: MCS = %d, %s%s", McsOf(setting), Bandwidth40Of(setting) ? "BW = 40, " : "BW = 20, ",
                ShortGiOf(setting) ? "GI = 400, " : "GI = 800, ");
  }
  CString rate;
  rate.Format("Rate = %.2f", TransmitSettingRate(setting, table));
  return text + rate;
}

std::vector<BlockAckRow> ParseBlockAckTable(const BYTE* table, DWORD returned, int direction) {
  using namespace aptable::blockack;
  std::vector<BlockAckRow> rows;
  const DWORD size = std::min(returned, kSize);
  const size_t countAt = direction == 0 ? kOriginatorCount : kRecipientCount;
  const size_t first = direction == 0 ? 0 : kRecipients;
  const DWORD count = size > countAt ? std::min<DWORD>(table[countAt], kMaxEntries) : 0;
  for (DWORD i = 0; i < kMaxEntries && rows.size() < count; ++i) {
    const size_t at = first + i * kEntrySize;
    if (at + kEntrySize > size) break;
    const BYTE* p = table + at;
    const BYTE tids = p[kTids];
    if (tids == 0) continue;
    BlockAckRow row;
    row.texts[0] = FormatMacText(p);
    for (int tid = 0; tid < kTidCount; ++tid) {
      BlockAckItem& item = row.items[static_cast<size_t>(tid)];
      item.direction = direction;
      std::copy(p, p + item.mac.size(), item.mac.begin());
      item.tid = tid;
      item.windowSize = p[kWindows + tid];
      item.value = wavorel::wire::getU16(p + kValues + 2 * tid);
      item.active = (tids >> tid) & 1;
      if (item.active)
        row.texts[tid + 1].Format("%d", item.windowSize);
      else
        row.texts[tid + 1] = "-";
    }
    rows.push_back(row);
  }
  return rows;
}
