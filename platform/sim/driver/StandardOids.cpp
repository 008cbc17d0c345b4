// Handlers of the standard NDIS and IEEE 802.11 codes.
#include <algorithm>

#include "platform/sim/driver/BssRecord.h"
#include "platform/sim/driver/CodeTable.h"
#include "platform/sim/radio/Adapter.h"
#include "platform/win/kernel/Errors.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/NativeWifiRecords.h"
#include "platform/wire/NdisBssidList.h"
#include "platform/wire/NdisKey.h"
#include "platform/wire/NdisStatistics.h"

namespace wavorel::sim {

namespace {

namespace stats = wire::ndis::statistics;
namespace key = wire::ndis::key;

// An NDIS_802_11_SSID: u32 length, 32 bytes.
constexpr uint32_t kSsidRecordSize = 36;
// Native Wi-Fi power-saving levels.
constexpr uint32_t kPowerSavingLevels[] = {0, 8, 16, 24};

std::vector<uint8_t> macBytes(const Mac& m) { return std::vector<uint8_t>(m.begin(), m.end()); }

// The NDIS settings of the XP build's AP in the numbering the AP codes use.
// The AP's authentication of an NDIS mode: open, shared, open with 802.1X,
// WPA, ..., WPA2-PSK, WPA/WPA2, WPA-PSK/WPA2-PSK.
uint32_t apAuthOf(uint32_t ndis) {
  static const uint32_t kMap[] = {1, kApAuthShared, kApAuthOpen8021X, 3, 4, 5, 6, 7, kApAuthWpaWpa2,
                                  kApAuthWpaPskWpa2Psk};
  return ndis < std::size(kMap) ? kMap[ndis] : 1;
}
uint32_t apCipherOf(uint32_t ndis) {
  switch (ndis) {
    case kWepEnabled: return kApCipherWep;
    case kTkipEnabled: return 2;
    case kAesEnabled: return 4;
    case kApTkipAes: return kApCipherTkipAes;
    default: return 0;
  }
}

uint32_t macAddress(OidRequest& r) { return answer(r, macBytes(r.adapter.config().mac)); }

uint32_t u32Setting(OidRequest& r, uint32_t& field, uint32_t maxValue) {
  if (!r.set) return answerU32(r, field);
  uint32_t error = ERROR_SUCCESS;
  if (!hasData(r, 4, error)) return error;
  uint32_t v = wire::getU32(r.buffer);
  if (v > maxValue) return ERROR_INVALID_PARAMETER;
  field = v;
  r.returned = 4;
  return ERROR_SUCCESS;
}

// Associated: the network's SSID; otherwise the SSID last set.
uint32_t ssid(OidRequest& r) {
  if (!r.set) {
    std::vector<uint8_t> b(kSsidRecordSize, 0);
    const WorldNetwork* n = r.adapter.associatedNetwork();
    std::string s = n ? n->ssid : r.adapter.desiredSsid();
    wire::putU32(b.data(), static_cast<uint32_t>(s.size()));
    std::copy(s.begin(), s.end(), b.begin() + 4);
    return answer(r, b);
  }
  uint32_t error = ERROR_SUCCESS;
  if (!hasData(r, kSsidRecordSize, error)) return error;
  uint32_t length = wire::getU32(r.buffer);
  if (length > 32) return ERROR_INVALID_PARAMETER;
  r.adapter.associate(std::string(reinterpret_cast<const char*>(r.buffer + 4), length), std::nullopt);
  r.returned = kSsidRecordSize;
  return ERROR_SUCCESS;
}

// Not associated: the driver is not ready to tell a BSSID.
uint32_t bssid(OidRequest& r) {
  if (!r.set) {
    const WorldNetwork* n = r.adapter.associatedNetwork();
    return n ? answer(r, macBytes(n->bssid)) : ERROR_NOT_READY;
  }
  uint32_t error = ERROR_SUCCESS;
  if (!hasData(r, 6, error)) return error;
  Mac target;
  std::copy(r.buffer, r.buffer + 6, target.begin());
  std::string wanted = r.adapter.desiredSsid();
  for (const ScanEntry& e : r.adapter.scanResults())
    if (e.network->bssid == target) wanted = e.network->ssid;
  r.adapter.associate(wanted, target);
  r.returned = 6;
  return ERROR_SUCCESS;
}

uint32_t rssi(OidRequest& r) {
  if (!r.adapter.apMode() && !r.adapter.associatedNetwork()) return ERROR_NOT_READY;
  return answerU32(r, static_cast<uint32_t>(r.adapter.rssiDbm(0)));
}

uint32_t bssidList(OidRequest& r) {
  std::vector<uint8_t> list(wire::ndis::kListHeadSize, 0);
  uint32_t count = 0;
  for (const ScanEntry& e : r.adapter.scanResults()) {
    std::vector<uint8_t> record;
    appendBssRecord(record, *e.network, e.rssiDbm, e.heardAtMs);
    if (list.size() + record.size() > wire::ndis::kListLimit) break;
    list.insert(list.end(), record.begin(), record.end());
    ++count;
  }
  wire::putU32(list.data() + wire::ndis::kListNumberOfItems, count);
  return answer(r, list);
}

// Kept as set; while associated the query reads the network's channel and beacon period.
uint32_t configuration(OidRequest& r) {
  std::vector<uint8_t> initial(wire::ndis::configuration::kSize);
  writeConfiguration(initial.data(), 100, 1);
  if (r.set) return keptValueOf(r, initial);
  std::vector<uint8_t> b = r.adapter.setting(r.name, initial);
  if (const WorldNetwork* n = r.adapter.associatedNetwork())
    writeConfiguration(b.data(), static_cast<uint32_t>(n->beaconPeriod), n->channel);
  return answer(r, b);
}

uint32_t addKey(OidRequest& r) {
  uint32_t index = 0;
  std::string material;
  uint32_t error = readKeyRecord(r, index, material);
  if (error != ERROR_SUCCESS) return error;
  size_t keyLength = material.size();
  if (keyLength == 5 || keyLength == 13) {
    r.adapter.setWepKey(static_cast<int>(index & key::kIndexMask), material, (index & key::kTransmit) != 0);
  } else if (keyLength == 32) {
    r.adapter.setPairwiseMasterKey(material);
  } else {
    return ERROR_INVALID_PARAMETER;
  }
  return ERROR_SUCCESS;
}

uint32_t removeKey(OidRequest& r) {
  uint32_t index = 0;
  uint32_t error = readRemoveKeyRecord(r, index);
  if (error == ERROR_SUCCESS) r.adapter.removeKey(static_cast<int>(index));
  return error;
}

// NDIS_802_11_STATISTICS in the size the caller asks for (176 or 200 bytes).
uint32_t statistics(OidRequest& r) {
  const size_t size = r.size >= stats::kSize ? stats::kSize : stats::kShortSize;
  LinkCounters c = r.adapter.counters();
  std::vector<uint8_t> b(size, 0);
  auto put = [&b](size_t at, uint64_t v) {
    if (at + 8 <= b.size()) wire::putU64(b.data() + at, v);
  };
  wire::putU32(b.data() + stats::kLength, static_cast<uint32_t>(size));
  put(stats::kTransmittedFragmentCount, c.txFrames);
  put(stats::kMulticastTransmittedFrameCount, c.txMulticast);
  put(stats::kFailedCount, c.txFailed);
  put(stats::kRetryCount, c.txRetries);
  put(stats::kMultipleRetryCount, c.txMultipleRetries);
  put(stats::kRtsSuccessCount, c.rtsSuccess);
  put(stats::kRtsFailureCount, c.rtsFailure);
  put(stats::kAckFailureCount, c.ackFailure);
  put(stats::kFrameDuplicateCount, c.rxDuplicates);
  put(stats::kReceivedFragmentCount, c.rxFrames);
  put(stats::kMulticastReceivedFrameCount, c.rxMulticast);
  put(stats::kFcsErrorCount, c.rxFcsErrors);
  put(stats::kWepUndecryptableCount, c.rxUndecryptable);
  put(stats::kWepIcvErrorCount, c.rxUndecryptable);
  put(stats::kDecryptSuccessCount, c.rxDecrypted);
  put(stats::kDecryptFailureCount, c.rxUndecryptable);
  return answer(r, b);
}

uint32_t networkTypesSupported(OidRequest& r) {
  std::vector<uint8_t> b(20, 0);
  std::vector<uint32_t> types = {wire::ndis::kNetworkTypeDs, wire::ndis::kNetworkTypeOfdm24};
  if (r.adapter.config().band5) types.push_back(wire::ndis::kNetworkTypeOfdm5);
  wire::putU32(b.data(), static_cast<uint32_t>(types.size()));
  for (size_t i = 0; i < types.size(); ++i) wire::putU32(b.data() + 4 + 4 * i, types[i]);
  return answer(r, b);
}

uint32_t noData(OidRequest& r, void (*action)(Adapter&)) {
  action(r.adapter);
  r.returned = 0;
  return ERROR_SUCCESS;
}

uint32_t desiredBssidList(OidRequest& r) {
  namespace list = wire::wlan::bssidlist;
  uint32_t error = ERROR_SUCCESS;
  if (!hasData(r, list::kOneEntrySize, error)) return error;
  if (r.buffer[list::kHeaderType] != NDIS_OBJECT_TYPE_DEFAULT ||
      r.buffer[list::kHeaderRevision] != DOT11_BSSID_LIST_REVISION_1 ||
      wire::getU16(r.buffer + list::kHeaderSize) != list::kOneEntrySize || wire::getU32(r.buffer + list::kNumOfEntries) != 1)
    return ERROR_INVALID_PARAMETER;
  r.adapter.setSetting(r.name, std::vector<uint8_t>(r.buffer + list::kBssids, r.buffer + list::kBssids + 6));
  r.returned = list::kOneEntrySize;
  return ERROR_SUCCESS;
}

bool powerModeFits(const Adapter&, const uint8_t* v) { return wire::getU32(v) <= 2; }
bool powerLevelFits(const Adapter&, const uint8_t* v) {
  return std::find(std::begin(kPowerSavingLevels), std::end(kPowerSavingLevels), wire::getU32(v)) !=
         std::end(kPowerSavingLevels);
}

}  // namespace

uint32_t readKeyRecord(OidRequest& r, uint32_t& index, std::string& material) {
  uint32_t error = ERROR_SUCCESS;
  if (!hasData(r, key::kKeyMaterial, error)) return error;
  index = wire::getU32(r.buffer + key::kKeyIndex);
  uint32_t keyLength = wire::getU32(r.buffer + key::kKeyLength);
  if (keyLength > 64) return ERROR_INVALID_PARAMETER;
  if (!hasData(r, key::kKeyMaterial + keyLength, error)) return error;
  if ((index & key::kIndexMask) > 3) return ERROR_INVALID_PARAMETER;
  material.assign(reinterpret_cast<const char*>(r.buffer + key::kKeyMaterial), keyLength);
  r.returned = r.size;
  return ERROR_SUCCESS;
}

uint32_t readRemoveKeyRecord(OidRequest& r, uint32_t& index) {
  namespace remove = wire::ndis::removekey;
  uint32_t error = ERROR_SUCCESS;
  if (!hasData(r, remove::kSize, error)) return error;
  index = wire::getU32(r.buffer + remove::kKeyIndex) & key::kIndexMask;
  if (index > 3) return ERROR_INVALID_PARAMETER;
  r.returned = remove::kSize;
  return ERROR_SUCCESS;
}

void addStandardCodes(CodeTable& t) {
  t.standard("OID_GEN_DRIVER_VERSION", 0x00010110, CodeTable::Use::Query, [](OidRequest& r) {
    std::vector<uint8_t> b(2);
    wire::putU16(b.data(), r.adapter.config().driverVersion);
    return answer(r, b);
  });
  t.standard("OID_GEN_MEDIA_CONNECT_STATUS", 0x00010114, CodeTable::Use::Query,
             [](OidRequest& r) { return answerU32(r, r.adapter.connected() ? 0 : 1); });
  t.standard("OID_GEN_RCV_OK", 0x00020102, CodeTable::Use::Query,
             [](OidRequest& r) { return answerU32(r, static_cast<uint32_t>(r.adapter.counters().rxDecrypted)); });
  t.standard("OID_GEN_RCV_NO_BUFFER", 0x00020105, CodeTable::Use::Query,
             [](OidRequest& r) { return answerU32(r, static_cast<uint32_t>(r.adapter.counters().rxNoBuffer)); });
  t.standard("OID_802_3_PERMANENT_ADDRESS", 0x01010101, CodeTable::Use::Query, macAddress);
  t.standard("OID_802_3_CURRENT_ADDRESS", 0x01010102, CodeTable::Use::Query, macAddress);
  t.standard("OID_DOT11_CURRENT_ADDRESS", 0x0D010702, CodeTable::Use::Query, macAddress);
  t.standard("OID_802_11_BSSID", 0x0D010101, CodeTable::Use::Both, bssid);
  t.standard("OID_802_11_SSID", 0x0D010102, CodeTable::Use::Both, ssid);
  t.standard("OID_802_11_INFRASTRUCTURE_MODE", 0x0D010108, CodeTable::Use::Both,
             [](OidRequest& r) { return u32Setting(r, r.adapter.infrastructureMode, 2); });
  t.standard("OID_802_11_DISASSOCIATE", 0x0D010115, CodeTable::Use::Set,
             [](OidRequest& r) { return noData(r, [](Adapter& a) { a.disassociate(); }); });
  t.standard("OID_802_11_AUTHENTICATION_MODE", 0x0D010118, CodeTable::Use::Both, [](OidRequest& r) {
    uint32_t error = u32Setting(r, r.adapter.authMode, r.adapter.apMode() ? kAuthApWpaPskWpa2Psk : kAuthWpa2Psk);
    if (error == ERROR_SUCCESS && r.set && r.adapter.apMode()) r.adapter.softAp().authAlgorithm = apAuthOf(r.adapter.authMode);
    return error;
  });
  t.standard("OID_802_11_BSSID_LIST_SCAN", 0x0D01011A, CodeTable::Use::Set,
             [](OidRequest& r) { return noData(r, [](Adapter& a) { a.startScan(); }); });
  t.standard("OID_802_11_ENCRYPTION_STATUS", 0x0D01011B, CodeTable::Use::Both, [](OidRequest& r) -> uint32_t {
    uint32_t v = r.adapter.encryptionStatus;
    uint32_t error = u32Setting(r, v, r.adapter.apMode() ? kApTkipAes : kAesKeyAbsent);
    if (error == ERROR_SUCCESS && r.set) {
      if (v != kWepEnabled && v != kWepDisabled && v != kTkipEnabled && v != kAesEnabled &&
          !(v == kApTkipAes && r.adapter.apMode()))
        return ERROR_INVALID_PARAMETER;
      r.adapter.encryptionStatus = v;
      if (r.adapter.apMode()) r.adapter.softAp().cipherAlgorithm = apCipherOf(v);
    }
    return error;
  });
  t.standard("OID_802_11_RELOAD_DEFAULTS", 0x0D01011C, CodeTable::Use::Set, [](OidRequest& r) -> uint32_t {
    uint32_t error = ERROR_SUCCESS;
    if (!hasData(r, 4, error)) return error;
    if (wire::getU32(r.buffer) != 0) return ERROR_INVALID_PARAMETER;  // only the WEP keys have defaults
    r.adapter.clearKeys();
    r.returned = 4;
    return ERROR_SUCCESS;
  });
  t.standard("OID_802_11_ADD_KEY", 0x0D01011D, CodeTable::Use::Set, addKey);
  t.standard("OID_802_11_REMOVE_KEY", 0x0D01011E, CodeTable::Use::Set, removeKey);
  t.standard("OID_802_11_NETWORK_TYPES_SUPPORTED", 0x0D010203, CodeTable::Use::Query, networkTypesSupported);
  t.standard("OID_802_11_RSSI", 0x0D010206, CodeTable::Use::Query, rssi);
  t.standard("OID_802_11_FRAGMENTATION_THRESHOLD", 0x0D010209, CodeTable::Use::Set, keptU32(2346));
  t.standard("OID_802_11_RTS_THRESHOLD", 0x0D01020A, CodeTable::Use::Set, keptU32(2347));
  t.standard("OID_802_11_DESIRED_RATES", 0x0D010210, CodeTable::Use::Set, keptValue(std::vector<uint8_t>(8)));
  t.standard("OID_802_11_CONFIGURATION", 0x0D010211, CodeTable::Use::Both, configuration);
  t.standard(setting::kPowerMode, 0x0D010216, CodeTable::Use::Set, keptU32(0, powerModeFits));
  t.standard("OID_802_11_BSSID_LIST", 0x0D010217, CodeTable::Use::Query, bssidList);
  t.standard("OID_802_11_STATISTICS", 0x0D020212, CodeTable::Use::Query, statistics);
  t.standard("OID_DOT11_RTS_THRESHOLD", 0x0D01031F, CodeTable::Use::Set, keptU32(2347));
  t.standard("OID_DOT11_FRAGMENTATION_THRESHOLD", 0x0D010322, CodeTable::Use::Set, keptU32(2346));
  t.standard(setting::kPowerManagement, 0x0E01017B, CodeTable::Use::Set, keptU32(0, powerLevelFits));
  t.standard("OID_DOT11_DESIRED_BSSID_LIST", 0x0E01017E, CodeTable::Use::Set, desiredBssidList);
  t.standard("OID_DOT11_DISCONNECT_REQUEST", 0x0E01018E, CodeTable::Use::Set,
             [](OidRequest& r) { return noData(r, [](Adapter& a) { a.disassociate(); }); });
}

}  // namespace wavorel::sim
