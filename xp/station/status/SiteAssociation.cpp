#include "xp/station/status/SiteAssociation.h"

#include <algorithm>
#include <cstring>

#include "platform/wire/Bytes.h"
#include "platform/wire/NdisBssidList.h"
#include "worker/ChannelTable.h"

namespace {

using namespace wavorel::wire::ndis::bssid;
using wavorel::wire::getU32;

constexpr int kDisconnectedRescanTicks = 30;
constexpr int kNotFoundTickLimit = 5;

bool SameSsid(const CString& a, const CString& b) {
  if (a.IsEmpty() || b.IsEmpty()) return true;
  const size_t n = std::min<size_t>(std::max(a.GetLength(), b.GetLength()), kSsidSize);
  return std::strncmp(a, b, n) == 0;
}

}  // namespace

int SiteChannelOfFrequency(DWORD frequencyKhz) {
  const CHANNEL_FREQUENCY* row = FindChannelByFrequency(frequencyKhz);
  return row ? static_cast<int>(row->Channel) : -1;
}

SiteAssociation FindAssociatedSiteRow(const BYTE* list, const std::vector<DWORD>& offsets,
                                      const std::vector<SiteRow>& rows, const BYTE bssid[6], int channel,
                                      const CString* profileSsid) {
  SiteAssociation found;
  const size_t count = std::min(offsets.size(), rows.size());
  for (size_t i = 0; i < count; ++i) {
    const BYTE* record = list + offsets[i];
    if (std::memcmp(record + kMacAddress, bssid, 6) != 0) continue;
    found.row = static_cast<int>(i);
    const int recordChannel =
        SiteChannelOfFrequency(getU32(record + kConfiguration + wavorel::wire::ndis::configuration::kDsConfig));
    if (channel == -1 || recordChannel != channel) continue;
    if (profileSsid && !SameSsid(rows[i].ssid, *profileSsid)) continue;
    found.accepted = true;
    return found;
  }
  return found;
}

BOOL DisconnectedTickWantsRescan(int& counter) {
  BOOL due = FALSE;
  if (counter == 0) {
    due = TRUE;
  } else if (counter > 0 && counter % kDisconnectedRescanTicks == 0) {
    counter = 0;
    due = TRUE;
  }
  ++counter;
  return due;
}

BOOL NotFoundTickWantsRescan(int& counter) {
  if (counter > kNotFoundTickLimit) {
    counter = 0;
    return TRUE;
  }
  ++counter;
  return FALSE;
}
