#include "worker/BssLists.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "worker/ChannelTable.h"
#include "worker/WorkerGlobals.h"

FILETIME g_siteStamps[kSiteStampCapacity] = {};
int g_nSiteAgeLimit = 15;

namespace {

constexpr DWORD kDefaultFrequency = 2412000;
constexpr ULONGLONG kFileTimeUnitsPerSecond = 10000000;

ULONGLONG FileTimeValue(const FILETIME& t) {
  return static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime;
}

bool SameMac(const BYTE* a, const BYTE* b) { return std::memcmp(a, b, 6) == 0; }

ULONGLONG MacKey(const BYTE* mac) {
  ULONGLONG key = 0;
  for (int i = 0; i < 6; ++i) key = key << 8 | mac[i];
  return key;
}

// A kept entry of the old site list.
struct KeptEntry {
  const BYTE* record;
  DWORD length;
  FILETIME stamp;
};

DWORD RecordFrequency(const BYTE* record) {
  using namespace wavorel::wire::ndis;
  return wavorel::wire::getU32(record + bssid::kConfiguration + configuration::kDsConfig);
}

}  // namespace

BOOL IsAllowedFrequency(DWORD frequencyKhz, const BYTE* channels, int channelCount) {
  const CHANNEL_FREQUENCY* row = FindChannelByFrequency(frequencyKhz);
  return row && std::count(channels, channels + std::max(channelCount, 0), static_cast<BYTE>(row->Channel)) > 0;
}

void DropDisallowedBssRecords(BYTE* list, DWORD size, const BYTE* channels, int channelCount) {
  using wavorel::wire::ndis::kListHeadSize;
  using wavorel::wire::ndis::kListNumberOfItems;
  if (!list || size < kListHeadSize) return;
  DWORD kept = 0;
  DWORD used = kListHeadSize;
  // Records only move towards the front, so each is read before it can be overwritten.
  WalkBssList(list, size, [&](const BYTE* record, DWORD length) {
    if (!IsAllowedFrequency(RecordFrequency(record), channels, channelCount)) return;
    std::memmove(list + used, record, length);
    used += length;
    ++kept;
  });
  wavorel::wire::putU32(list + kListNumberOfItems, kept);
}

void ClearSiteStamps() { std::memset(g_siteStamps, 0, sizeof g_siteStamps); }

void RebuildSiteList(const BYTE* scanList, BYTE* siteList, const BYTE* channels, int channelCount,
                     const FILETIME& now) {
  using namespace wavorel::wire::ndis::bssid;
  using wavorel::wire::ndis::kListHeadSize;
  using wavorel::wire::ndis::kListNumberOfItems;
  if (!siteList) return;
  auto work = std::make_unique<BYTE[]>(kBssListSize);
  std::vector<FILETIME> stamps;
  DWORD used = kListHeadSize;
  std::vector<ULONGLONG> fresh;
  WalkBssList(scanList, kBssListSize, [&](const BYTE* record, DWORD length) {
    std::memcpy(work.get() + used, record, length);
    used += length;
    fresh.push_back(MacKey(record + kMacAddress));
    stamps.push_back(now);
  });
  std::sort(fresh.begin(), fresh.end());

  std::vector<KeptEntry> kept;
  const ULONGLONG nowValue = FileTimeValue(now);
  const ULONGLONG ageLimit = static_cast<ULONGLONG>(std::max(g_nSiteAgeLimit, 0)) * kFileTimeUnitsPerSecond;
  size_t index = 0;
  WalkBssList(siteList, kBssListSize, [&](const BYTE* record, DWORD length) {
    const FILETIME stamp = index < kSiteStampCapacity ? g_siteStamps[index] : FILETIME{};
    ++index;
    if (std::binary_search(fresh.begin(), fresh.end(), MacKey(record + kMacAddress))) return;
    if (nowValue - FileTimeValue(stamp) >= ageLimit) return;
    if (!IsAllowedFrequency(RecordFrequency(record), channels, channelCount)) return;
    kept.push_back({record, length, stamp});
  });
  std::stable_sort(kept.begin(), kept.end(), [](const KeptEntry& a, const KeptEntry& b) {
    return FileTimeValue(a.stamp) > FileTimeValue(b.stamp);
  });
  for (const KeptEntry& entry : kept) {
    if (entry.length > kBssListSize - used || stamps.size() >= kSiteStampCapacity) break;
    std::memcpy(work.get() + used, entry.record, entry.length);
    used += entry.length;
    stamps.push_back(entry.stamp);
  }

  wavorel::wire::putU32(work.get() + kListNumberOfItems, static_cast<DWORD>(stamps.size()));
  std::memcpy(siteList, work.get(), kBssListSize);
  ClearSiteStamps();
  std::copy(stamps.begin(), stamps.end(), g_siteStamps);
}

DWORD GetBssFrequency(const BYTE bssid[6]) {
  using namespace wavorel::wire::ndis::bssid;
  using wavorel::wire::ndis::kListHeadSize;
  using wavorel::wire::ndis::kListNumberOfItems;
  DWORD frequency = kDefaultFrequency;
  bool found = false;
  WalkBssList(BssidSiteList.get(), kBssListSize, [&](const BYTE* record, DWORD) {
    if (found || !SameMac(record + kMacAddress, bssid)) return;
    frequency = RecordFrequency(record);
    found = true;
  });
  return frequency;
}
