// libFuzzer target for the NDIS 802.11 answers Wavorel's AP reads: the
// network-types record and the SSID record (any length). The types and the
// SSID must stay within their records and the bytes given; an SSID record
// built from what was read must read back the same.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "softap/ApRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const DWORD returned = static_cast<DWORD>(size);
  BYTE types[ndisrecord::kNetworkTypesSize] = {};
  if (size > 0) std::memcpy(types, data, std::min<size_t>(size, sizeof types));
  const std::vector<DWORD> read = ParseNetworkTypes(types, returned);
  if (read.size() > ndisrecord::kMaxNetworkTypes || (size < 8 && !read.empty())) std::abort();

  BYTE record[ndisrecord::kSsidRecordSize] = {};
  if (size > 0) std::memcpy(record, data, std::min<size_t>(size, sizeof record));
  const CString ssid = ParseSsidRecord(record, returned);
  if (static_cast<DWORD>(ssid.GetLength()) > ndisrecord::kSsidBytes || (size <= 4 && !ssid.IsEmpty())) std::abort();
  const ApRecord again = BuildSsidRecord(ssid);
  if (again.size() != ndisrecord::kSsidRecordSize || ParseSsidRecord(again.data(), ndisrecord::kSsidRecordSize) != ssid)
    std::abort();
  return 0;
}
