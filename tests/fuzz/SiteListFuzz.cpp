// libFuzzer target for the site-list rebuild: the input holds a scan list, an
// old site list and the old list's stamps, each behind its 32-bit length
// (little-endian; a length past the input takes what is left). The scan list
// first loses its records off the 2.4 GHz channels 1-11 (Wavorel's scan step)
// and must walk whole with its new count; the rebuilt list is walked again and
// a BSSID's frequency looked up.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "worker/BssLists.h"
#include "platform/wire/Bytes.h"
#include "worker/WorkerGlobals.h"

namespace {

// The next part of the input: its length word, then that many bytes (cut to
// what is left), copied into `out` up to `capacity` bytes.
size_t TakePart(const uint8_t*& data, size_t& size, BYTE* out, size_t capacity) {
  if (size < 4) {
    size = 0;
    return 0;
  }
  const size_t stated = wavorel::wire::getU32(data);
  data += 4;
  size -= 4;
  const size_t length = std::min(stated, size);
  std::memcpy(out, data, std::min(length, capacity));
  data += length;
  size -= length;
  return std::min(length, capacity);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const BYTE kChannels[] = {1,  2,  3,  4,  5,   6,   7,   8,   9,   10,  11,  12,  13,  14,
                                   36, 40, 44, 48, 52,  56,  60,  64,  100, 104, 108, 112, 116, 120,
                                   124, 128, 132, 136, 140, 149, 153, 157, 161, 165};
  auto scan = std::make_unique<BYTE[]>(kBssListSize);
  std::memset(scan.get(), 0, kBssListSize);
  BssidSiteList = std::make_unique<BYTE[]>(kBssListSize);
  std::memset(BssidSiteList.get(), 0, kBssListSize);
  ClearSiteStamps();
  TakePart(data, size, scan.get(), kBssListSize);
  TakePart(data, size, BssidSiteList.get(), kBssListSize);
  TakePart(data, size, reinterpret_cast<BYTE*>(g_siteStamps), sizeof g_siteStamps);

  static const BYTE kBandG[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  DropDisallowedBssRecords(scan.get(), kBssListSize, kBandG, sizeof kBandG);
  DWORD kept = 0;
  WalkBssList(scan.get(), kBssListSize, [&kept](const BYTE*, DWORD) { ++kept; });
  if (kept != wavorel::wire::getU32(scan.get())) __builtin_trap();  // the filtered list walks whole

  const FILETIME now{0x89ABCDEF, 0x01D00000};
  RebuildSiteList(scan.get(), BssidSiteList.get(), kChannels, sizeof kChannels, now);
  DWORD walked = 0;
  WalkBssList(BssidSiteList.get(), kBssListSize, [&walked](const BYTE*, DWORD) { ++walked; });
  if (walked != wavorel::wire::getU32(BssidSiteList.get())) __builtin_trap();  // every listed record is whole
  const BYTE mac[6] = {0, 0x11, 0x22, 0x33, 0x44, 0x55};
  GetBssFrequency(mac);
  BssidSiteList.reset();
  return 0;
}
