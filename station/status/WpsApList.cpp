#include "station/status/WpsApList.h"

#include <cstring>

#include "frontend/UiBridge.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/NdisBssidList.h"
#include "platform/wire/WpsRecords.h"
#include "station/status/SiteList.h"
#include "worker/BssInfoElements.h"
#include "worker/BssLists.h"
#include "worker/ChannelTable.h"
#include "worker/ModuleFunctions.h"
#include "worker/WpsWorker.h"

namespace {

using namespace wavorel::wire::ndis::bssid;
using wavorel::wire::getU32;
using wavorel::wire::putU32;
namespace configuration = wavorel::wire::ndis::configuration;
namespace credential = wavorel::wire::wps::credential;

// The fields of selector 2 the list reads.
constexpr int kWpsFieldPasswordId = 1;
constexpr int kWpsFieldPresent = 8;

bool InBand(UINT channel, int wirelessMode) {
  if (wirelessMode == kWpsBand24) return channel >= 1 && channel <= kWpsLastChannel24;
  if (wirelessMode == kWpsBand5) return channel > kWpsLastChannel24;
  return true;
}

CString QuotedRow(std::initializer_list<const CString*> fields) {
  CString row;
  for (const CString* field : fields) {
    if (!row.IsEmpty()) row += "\t";
    row += "\"" + MakeNotifyField(*field) + "\"";
  }
  return row;
}

template <typename Entry, typename Row>
CString JoinRows(const std::vector<Entry>& entries, Row row) {
  CString text;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (i) text += "\r\n";
    text += row(entries[i]);
  }
  return text;
}

}  // namespace

int BuildWpsApEntries(const BYTE* list, DWORD size, int wirelessMode, std::vector<WpsApEntry>& entries, BYTE* kept,
                      DWORD keptSize) {
  if (!kept || keptSize < wavorel::wire::ndis::kListHeadSize) return 0;
  std::memset(kept, 0, keptSize);
  DWORD used = wavorel::wire::ndis::kListHeadSize;
  int count = 0;
  bool full = false;
  ForEachSiteRecord(list, size, [&](const BYTE* record, DWORD length) {
    if (full) return;
    CStringArray fields;
    SplitString(ParseBssInfoElements(record, length, kBssTextWps), ";", fields);
    if (fields.GetSize() <= kWpsFieldPresent || fields[kWpsFieldPresent] != "TRUE") return;
    const CHANNEL_FREQUENCY* channel =
        FindChannelByFrequency(getU32(record + kConfiguration + configuration::kDsConfig));
    const UINT number = channel ? channel->Channel : 0;
    if (!InBand(number, wirelessMode)) return;
    if (length > keptSize - used) {
      full = true;
      return;
    }
    WpsApEntry entry;
    entry.ssid = SiteSsid(record);
    entry.bssid = SiteBssidText(record);
    if (channel) entry.channel.Format("%u", number);
    entry.passwordId = fields[kWpsFieldPasswordId] == "Unknown" ? CString() : fields[kWpsFieldPasswordId];
    entry.secured =
        getU32(record + kPrivacy) != 0 || ParseBssInfoElements(record, length, kBssTextSecurity) != "Unknown;None";
    entry.rssi = static_cast<int>(static_cast<LONG>(getU32(record + kRssi)));
    entries.push_back(entry);
    std::memcpy(kept + used, record, length);
    used += length;
    ++count;
  });
  putU32(kept + wavorel::wire::ndis::kListNumberOfItems, static_cast<DWORD>(count));
  return count;
}

const BYTE* WpsKeptRecord(const BYTE* kept, DWORD size, int index, DWORD* length) {
  const BYTE* found = nullptr;
  int at = 0;
  WalkBssList(kept, size, [&](const BYTE* record, DWORD recordLength) {
    if (at++ != index || found) return;
    found = record;
    if (length) *length = recordLength;
  });
  return found;
}

std::vector<WpsProfileEntry> MakeWpsProfileEntries() {
  std::vector<WpsProfileEntry> entries;
  for (int i = 0; i < WpsCredentialCount(); ++i) {
    const WpsCredentialFields c = WpsCredentialAt(i);
    WpsProfileEntry entry;
    entry.ssid = CString(reinterpret_cast<const char*>(c.Ssid), static_cast<int>(c.SsidLength));
    entry.secured = !(c.AuthType == credential::kAuthOpen && c.EncrType == credential::kEncryptionNone);
    entries.push_back(entry);
  }
  return entries;
}

CString MakeWpsApRowsText(const std::vector<WpsApEntry>& entries) {
  return JoinRows(entries, [](const WpsApEntry& e) { return QuotedRow({&e.passwordId, &e.ssid, &e.channel}); });
}

CString MakeWpsProfileRowsText(const std::vector<WpsProfileEntry>& entries) {
  return JoinRows(entries, [](const WpsProfileEntry& e) { return QuotedRow({&e.ssid, &e.second}); });
}
