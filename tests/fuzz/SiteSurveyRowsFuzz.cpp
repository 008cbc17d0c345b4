// libFuzzer target for the site survey page's walk over a BSS list: the input's
// first byte is the sort key, the rest the list (cut to 64 KB, the rest of the
// buffer zero). The list is sorted in place with its stamps, then its rows,
// the front end's row text and each row's detail texts are made.
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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int key = data[0] % 4;
  auto list = std::make_unique<BYTE[]>(kBssListSize);
  std::memset(list.get(), 0, kBssListSize);
  std::memcpy(list.get(), data + 1, std::min<size_t>(size - 1, kBssListSize));
  ClearSiteStamps();
  SortSiteList(list.get(), kBssListSize, g_siteStamps, kSiteStampCapacity, key);

  std::vector<SiteRow> rows;
  std::vector<DWORD> offsets;
  BuildSiteRows(list.get(), kBssListSize, rows, &offsets);
  MakeSurveyRowsText(rows);
  for (DWORD offset : offsets) {
    const BYTE* record = list.get() + offset;
    const DWORD length = wavorel::wire::getU32(record + wavorel::wire::ndis::bssid::kLength);
    CString auth, cipher;
    SiteSecurityFields(record, length, auth, cipher);
    SiteBssidText(record);
    SiteDetailChannelText(wavorel::wire::getU32(record + wavorel::wire::ndis::bssid::kConfiguration +
                                                wavorel::wire::ndis::configuration::kDsConfig));
  }
  return 0;
}
