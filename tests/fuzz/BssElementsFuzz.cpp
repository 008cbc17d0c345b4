// libFuzzer target for the information-element parser: the input is one
// NDIS_WLAN_BSSID_EX record with its element area, parsed for every selector
// with the input's size as the bytes the record may use.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "worker/BssInfoElements.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<BYTE> record(data, data + size);
  for (int selector = -1; selector <= kBssTextBeaconInterval + 1; ++selector)
    ParseBssInfoElements(record.data(), static_cast<DWORD>(record.size()), selector);
  return 0;
}
