#include "worker/WlanOidSetter.h"

#include <cstring>

#include "worker/OidRequest.h"

namespace {

constexpr int kTries = 3;
constexpr DWORD kConfigurationSize = 32;
constexpr size_t kDsConfigOffset = 12;  // the fourth u32 of the configuration block

BOOL SetDword(DWORD oid, DWORD value) {
  DWORD returned = 0;
  return SetOid(oid, &value, sizeof value, &returned, kTries);
}

}  // namespace

BOOL CWlanOidSetter::SetDesiredBssid(const BYTE mac[6]) {
  // NDIS object header {type, revision, size}, entries, total entries, the
  // BSSID and two bytes of padding.
  BYTE list[20] = {NDIS_OBJECT_TYPE_DEFAULT, DOT11_BSSID_LIST_REVISION_1, 20, 0, 1, 0, 0, 0, 1, 0, 0, 0};
  std::memcpy(list + 12, mac, 6);
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
  BYTE configuration[kConfigurationSize] = {};
  DWORD returned = 0;
  if (!QueryOid(OID_VX_CONFIGURATION, configuration, sizeof configuration, &returned)) return FALSE;
  std::memcpy(configuration + kDsConfigOffset, &channel, sizeof channel);
  return SetOid(OID_VX_CONFIGURATION_SET, configuration, sizeof configuration, &returned, kTries);
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
