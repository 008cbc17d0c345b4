// libFuzzer target for Wavorel's site survey rebuild: the input's first byte
// is the sort key, the next 8 the stamp of the first record (the others
// numbered), the next 6 the connected BSSID and the rest the site list (cut
// to 64 KB, the rest of the buffer zero). The list is sorted in place with its
// stamps, its rows are made, and the connected row is looked for on every
// channel the rows name and on none.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/wire/Bytes.h"
#include "platform/wire/NdisBssidList.h"
#include "station/status/SiteList.h"
#include "worker/BssLists.h"
#include "worker/WorkerGlobals.h"
#include "xp/station/status/SiteAssociation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t kHead = 1 + 8 + 6;
  if (size < kHead) return 0;
  const int key = data[0] % 4;
  ClearSiteStamps();
  std::memcpy(&g_siteStamps[0], data + 1, sizeof g_siteStamps[0]);
  for (int i = 1; i < kSiteStampCapacity; ++i) g_siteStamps[i].dwLowDateTime = static_cast<DWORD>(i);
  BYTE bssid[6];
  std::memcpy(bssid, data + 9, sizeof bssid);
  auto list = std::make_unique<BYTE[]>(kBssListSize);
  std::memset(list.get(), 0, kBssListSize);
  std::memcpy(list.get(), data + kHead, std::min<size_t>(size - kHead, kBssListSize));
  SortSiteList(list.get(), kBssListSize, g_siteStamps, kSiteStampCapacity, key);

  std::vector<SiteRow> rows;
  std::vector<DWORD> offsets;
  BuildSiteRows(list.get(), kBssListSize, rows, &offsets);
  MakeSurveyRowsText(rows);
  const CString profileSsid = rows.empty() ? CString() : rows.front().ssid;
  for (DWORD offset : offsets) {
    const DWORD frequency = wavorel::wire::getU32(list.get() + offset + wavorel::wire::ndis::bssid::kConfiguration +
                                                  wavorel::wire::ndis::configuration::kDsConfig);
    const int channel = SiteChannelOfFrequency(frequency);
    FindAssociatedSiteRow(list.get(), offsets, rows, bssid, channel, nullptr);
    FindAssociatedSiteRow(list.get(), offsets, rows, bssid, channel, &profileSsid);
  }
  FindAssociatedSiteRow(list.get(), offsets, rows, bssid, -1, nullptr);
  return 0;
}
