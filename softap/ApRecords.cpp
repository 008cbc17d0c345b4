#include "softap/ApRecords.h"

#include <algorithm>
#include <cstring>

#include "utilmere/Utilmere.h"
#include "platform/wire/Bytes.h"
#include "worker/PasswordHash.h"
#include "worker/ProfileData.h"

namespace {

constexpr char kWdsSalt[] = "Tavemo";

bool isPskAuth(int index) { return index == 4 || index == 7 || index == 9; }

// Bits `first`..`first + count - 1` of `word`.
BYTE bits(DWORD word, int first, int count) { return static_cast<BYTE>((word >> first) & ((1u << count) - 1)); }

}  // namespace

ApRecord BuildKeyRecord(DWORD keyIndex, const BYTE* material, DWORD length, BOOL broadcast) {
  ApRecord record = MakeNdisKeyBlock(keyIndex, material, length);
  if (!broadcast) std::memset(record.data() + wavorel::wire::ndis::key::kBssid, 0, 6);
  return record;
}

ApRecord BuildRemoveKeyRecord(DWORD keyIndex) {
  using namespace aprecord::removekey;
  ApRecord record(kSize, 0);
  wavorel::wire::putU32(record.data() + kLength, static_cast<DWORD>(kSize));
  wavorel::wire::putU32(record.data() + kKeyIndex, keyIndex);
  std::memset(record.data() + kBssid, 0xFF, kSize - kBssid);  // broadcast BSSID and its padding
  return record;
}

ApRecord BuildRatesRecord(int mode, int index) {
  static const BYTE kOfdm[] = {12, 18, 24, 36, 48, 72, 96, 108};
  static const BYTE kOfdmList[] = {108, 96, 72, 48, 36, 24, 18, 12};
  static const BYTE kSingle[] = {2, 4, 11, 22, 12, 18, 24, 36, 48, 72, 96, 108};
  static const BYTE kCckList[] = {22, 11, 4, 2};
  static const BYTE kMixedList[] = {108, 96, 72, 48, 22, 11, 4, 2};
  if ((mode == 1 && (index < 0 || index > 4)) || (mode == 2 && (index < 0 || index > 8))) index = 0;
  ApRecord record(aprecord::kRatesSize, 0);
  const bool ofdmOnly = mode == 2 || mode == 8;
  if (ofdmOnly && index >= 1 && index <= 8) {
    record[0] = kOfdm[index - 1];
  } else if (ofdmOnly) {
    std::copy(std::begin(kOfdmList), std::end(kOfdmList), record.begin());
  } else if (index >= 1 && index <= 12) {
    record[0] = kSingle[index - 1];
  } else if (mode == 1) {
    std::copy(std::begin(kCckList), std::end(kCckList), record.begin());
  } else {
    std::copy(std::begin(kMixedList), std::end(kMixedList), record.begin());
  }
  return record;
}

ApRecord BuildHtTransmitRecord(DWORD setting) {
  using namespace aprecord::httransmit;
  ApRecord record(kSize, 0);
  wavorel::wire::putU32(record.data() + kMode, bits(setting, 0, 4));
  record[kPhyMode] = bits(setting, 14, 2);
  record[kHtMode] = bits(setting, 16, 1);
  record[kExtensionChannel] = bits(setting, 17, 2);
  record[kMcs] = bits(setting, 4, 7);
  record[kBandwidth40] = bits(setting, 11, 1);
  record[kStbc] = bits(setting, 13, 1);
  record[kShortGi] = bits(setting, 12, 1);
  return record;
}

ApRecord BuildAccessControlRecord(DWORD policy, const std::vector<MacAddress>& macs) {
  using namespace aprecord::acl;
  ApRecord record(kSize, 0);
  const DWORD count = static_cast<DWORD>(std::min<size_t>(macs.size(), kMaxEntries));
  wavorel::wire::putU32(record.data() + kPolicy, policy);
  wavorel::wire::putU32(record.data() + kCount, count);
  for (DWORD i = 0; i < count; ++i) std::copy(macs[i].begin(), macs[i].end(), record.begin() + kEntries + i * kEntrySize);
  return record;
}

ApRecord BuildWdsRecord(BOOL enabled, const std::vector<MacAddress>& peers, int authIndex, int cipherIndex,
                        const CString& preSharedKey) {
  using namespace aprecord::wds;
  ApRecord record(kSize, 0);
  if (!enabled) return record;
  const DWORD count = static_cast<DWORD>(std::min<size_t>(peers.size(), kMaxPeers));
  for (DWORD i = 0; i < count; ++i) std::copy(peers[i].begin(), peers[i].end(), record.begin() + kPeers + i * 6);
  // Peers only while the cipher is WEP or none.
  wavorel::wire::putU32(record.data() + kCount, cipherIndex >= 4 ? 0 : count);
  if (isPskAuth(authIndex) &&
      PasswordHash(preSharedKey, reinterpret_cast<const BYTE*>(kWdsSalt), sizeof kWdsSalt - 1, record.data() + kKey))
    wavorel::wire::putU32(record.data() + kKeyLength, kKeySize);
  return record;
}

std::vector<_VX_802_11_EVENT_LOG> ParseEventLogBlock(const BYTE* block, DWORD returned) {
  using namespace aprecord::eventlog;
  std::vector<_VX_802_11_EVENT_LOG> events;
  if (returned < kEntries) return events;
  const DWORD fits = (std::min<DWORD>(returned, kSize) - kEntries) / kEntrySize;
  const DWORD claimed = wavorel::wire::getU32(block + kCount);
  const DWORD count = std::min(claimed, fits);
  if (claimed > count) Log(GXLOG_WARNING, "AP event log: %u new entries claimed, %u read", claimed, count);
  for (DWORD i = 0; i < count; ++i) {
    const BYTE* entry = block + kEntries + i * kEntrySize;
    _VX_802_11_EVENT_LOG event{};
    event.Time.dwLowDateTime = wavorel::wire::getU32(entry + kEntryTime);
    event.Time.dwHighDateTime = wavorel::wire::getU32(entry + kEntryTime + 4);
    std::memcpy(event.MacAddress, entry + kEntryMac, sizeof event.MacAddress);
    event.EventCode = wavorel::wire::getU16(entry + kEntryCode);
    events.push_back(event);
  }
  return events;
}

std::vector<DWORD> ParseNetworkTypes(const BYTE* record, DWORD returned) {
  using namespace ndisrecord;
  std::vector<DWORD> types;
  if (returned < 4) return types;
  const DWORD fits = (std::min(returned, kNetworkTypesSize) - 4) / 4;
  const DWORD claimed = wavorel::wire::getU32(record);
  const DWORD count = std::min({claimed, fits, kMaxNetworkTypes});
  if (claimed > count) Log(GXLOG_WARNING, "AP network types: %u claimed, %u read", claimed, count);
  for (DWORD i = 0; i < count; ++i) types.push_back(wavorel::wire::getU32(record + 4 + 4 * i));
  return types;
}

CString ParseSsidRecord(const BYTE* record, DWORD returned) {
  using namespace ndisrecord;
  if (returned < 4) return CString();
  const DWORD claimed = wavorel::wire::getU32(record);
  const DWORD length = std::min({claimed, kSsidBytes, std::min(returned, kSsidRecordSize) - 4});
  if (claimed > length) Log(GXLOG_WARNING, "SSID record: length %u, %u read", claimed, length);
  return CString(reinterpret_cast<const char*>(record + 4), static_cast<int>(length));
}

ApRecord BuildSsidRecord(const CString& ssid) {
  using namespace ndisrecord;
  ApRecord record(kSsidRecordSize, 0);
  const DWORD length = std::min(static_cast<DWORD>(ssid.GetLength()), kSsidBytes);
  wavorel::wire::putU32(record.data(), length);
  std::memcpy(record.data() + 4, static_cast<LPCSTR>(ssid), length);
  return record;
}
