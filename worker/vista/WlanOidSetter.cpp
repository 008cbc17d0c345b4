#include "worker/WlanOidSetter.h"

#include <cstring>

#include "platform/wire/Bytes.h"
#include "platform/wire/NativeWifiRecords.h"
#include "platform/wire/NdisBssidList.h"
#include "worker/OidRequest.h"

namespace {

constexpr int kTries = 3;
namespace configuration = wavorel::wire::ndis::configuration;
namespace bssidlist = wavorel::wire::wlan::bssidlist;

BOOL SetDword(DWORD oid, DWORD value) {
  DWORD returned = 0;
  return SetOid(oid, &value, sizeof value, &returned, kTries);
}

}  // namespace

BOOL CWlanOidSetter::SetDesiredBssid(const BYTE mac[6]) {
  BYTE list[bssidlist::kOneEntrySize] = {};
  list[bssidlist::kHeaderType] = NDIS_OBJECT_TYPE_DEFAULT;
  list[bssidlist::kHeaderRevision] = DOT11_BSSID_LIST_REVISION_1;
  wavorel::wire::putU16(list + bssidlist::kHeaderSize, bssidlist::kOneEntrySize);
  wavorel::wire::putU32(list + bssidlist::kNumOfEntries, 1);
  wavorel::wire::putU32(list + bssidlist::kTotalNumOfEntries, 1);
  std::memcpy(list + bssidlist::kBssids, mac, 6);
  DWORD returned = 0;
  return SetOid(OID_DOT11_DESIRED_BSSID_LIST, list, sizeof list, &returned, kTries);
}

BOOL CWlanOidSetter::SetRtsThreshold(DWORD value) { return SetDword(OID_DOT11_RTS_THRESHOLD, value); }

BOOL CWlanOidSetter::SetFragThreshold(DWORD value) { return SetDword(OID_DOT11_FRAGMENTATION_THRESHOLD, value); }

BOOL CWlanOidSetter::SetTxPowerLevel(DWORD level) {
  static const DWORD kPercent[] = {static_cast<DWORD>(-1), 100, 75, 50, 25, 10, 6};
  const DWORD percent = level < sizeof kPercent / sizeof kPercent[0] ? kPercent[level] : static_cast<DWORD>(-1);
  return SetDword(OID_VX_TX_POWER_SET, percent);
}

BOOL CWlanOidSetter::SetDisconnectOid() {
  DWORD returned = 0;
  return SetOid(OID_DOT11_DISCONNECT_REQUEST, nullptr, 0, &returned, kTries);
}

BOOL CWlanOidSetter::SetChannel(DWORD channel) {
  BYTE block[configuration::kSize] = {};
  DWORD returned = 0;
  if (!QueryOid(OID_VX_CONFIGURATION, block, sizeof block, &returned)) return FALSE;
  wavorel::wire::putU32(block + configuration::kDsConfig, channel);
  return SetOid(OID_VX_CONFIGURATION_SET, block, sizeof block, &returned, kTries);
}

BOOL CWlanOidSetter::SetPowerMgmtMode(DWORD level) { return SetDword(OID_DOT11_POWER_MGMT_REQUEST, level); }

BOOL CWlanOidSetter::SetWlanMode(DWORD value) { return SetDword(OID_VX_PRIVATE_FF8C0030_SET, value); }

DWORD PowerSaveLevelFromMode(DWORD mode) {
  switch (mode) {
    case 1: return 16;
    case 2: return 8;
    case 3: return 24;
    default: return 0;
  }
}
