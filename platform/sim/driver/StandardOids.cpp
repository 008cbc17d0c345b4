// Handlers of the standard NDIS and IEEE 802.11 codes.
#include <algorithm>

#include "platform/sim/radio/Adapter.h"
#include "platform/sim/driver/BssRecord.h"
#include "platform/sim/Bytes.h"
#include "platform/sim/driver/CodeTable.h"
#include "platform/win/kernel/Errors.h"

namespace wavorel::sim {

namespace {

// NDIS_802_11_STATISTICS in its two sizes.
constexpr uint32_t kStatisticsShort = 176;
constexpr uint32_t kStatisticsLong = 200;
// The list answer never exceeds this.
constexpr size_t kBssListLimit = 65536;

std::vector<uint8_t> macBytes(const Mac& m) { return std::vector<uint8_t>(m.begin(), m.end()); }

// The NDIS settings of the XP build's AP in the numbering the AP codes use.
uint32_t apAuthOf(uint32_t ndis) {
  static const uint32_t kMap[] = {1, kApAuthShared, 1, 3, 4, 5, 6, 7};  // open, shared, auto, WPA, ..., WPA2-PSK
  return ndis < std::size(kMap) ? kMap[ndis] : 1;
}
uint32_t apCipherOf(uint32_t ndis) {
  return ndis == kWepEnabled ? kApCipherWep : ndis == kTkipEnabled ? 2 : ndis == kAesEnabled ? 4 : 0;
}

uint32_t macAddress(OidRequest& r) { return answer(r, macBytes(r.adapter.config().mac)); }

uint32_t u32Setting(OidRequest& r, uint32_t& field, uint32_t maxValue) {
  if (!r.set) return answerU32(r, field);
  uint32_t error = ERROR_SUCCESS;
  if (!hasData(r, 4, error)) return error;
  uint32_t v = getU32(r.buffer);
  if (v > maxValue) return ERROR_INVALID_PARAMETER;
  field = v;
  r.returned = 4;
  return ERROR_SUCCESS;
}

uint32_t ssid(OidRequest& r) {
  if (!r.set) {
    std::vector<uint8_t> b(36, 0);
    const WorldNetwork* n = r.adapter.network();
    std::string s = n ? n->ssid : std::string();
    putU32(b.data(), static_cast<uint32_t>(s.size()));
    std::copy(s.begin(), s.end(), b.begin() + 4);
    return answer(r, b);
  }
  uint32_t error = ERROR_SUCCESS;
  if (!hasData(r, 36, error)) return error;
  uint32_t length = getU32(r.buffer);
  if (length > 32) return ERROR_INVALID_PARAMETER;
  r.adapter.associate(std::string(reinterpret_cast<const char*>(r.buffer + 4), length), std::nullopt);
  r.returned = 36;
  return ERROR_SUCCESS;
}

uint32_t bssid(OidRequest& r) {
  if (!r.set) {
    const WorldNetwork* n = r.adapter.network();
    return answer(r, n ? macBytes(n->bssid) : std::vector<uint8_t>(6, 0));
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

uint32_t bssidList(OidRequest& r) {
  std::vector<uint8_t> list(4, 0);
  uint32_t count = 0;
  for (const ScanEntry& e : r.adapter.scanResults()) {
    std::vector<uint8_t> record;
    appendBssRecord(record, *e.network, e.rssiDbm);
    if (list.size() + record.size() > kBssListLimit) break;
    list.insert(list.end(), record.begin(), record.end());
    ++count;
  }
  putU32(list.data(), count);
  return answer(r, list);
}

uint32_t configuration(OidRequest& r) {
  std::vector<uint8_t>& kept = r.adapter.stored(0x0D010211, std::vector<uint8_t>(32));
  if (getU32(kept.data()) == 0) writeConfiguration(kept.data(), 100, 1);
  if (!r.set) {
    std::vector<uint8_t> b = kept;
    if (const WorldNetwork* n = r.adapter.network())
      writeConfiguration(b.data(), static_cast<uint32_t>(n->beaconPeriod), n->channel);
    return answer(r, b);
  }
  uint32_t error = ERROR_SUCCESS;
  if (!hasData(r, 32, error)) return error;
  std::copy(r.buffer, r.buffer + 32, kept.begin());
  r.returned = 32;
  return ERROR_SUCCESS;
}

uint32_t addKey(OidRequest& r) {
  uint32_t index = 0;
  std::string material;
  uint32_t error = readKeyRecord(r, index, material);
  if (error != ERROR_SUCCESS) return error;
  size_t keyLength = material.size();
  if (keyLength == 5 || keyLength == 13) {
    r.adapter.setWepKey(static_cast<int>(index & 0xFF), material, (index & kKeyTransmit) != 0);
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

uint32_t statistics(OidRequest& r) {
  uint32_t size = r.size >= kStatisticsLong ? kStatisticsLong : kStatisticsShort;
  LinkCounters c = r.adapter.counters();
  std::vector<uint8_t> b(size, 0);
  putU32(b.data(), size);
  const uint64_t fields[] = {c.txFrames,   c.txMulticast, c.txFailed,     c.txRetries,
                             c.txMultipleRetries, c.rtsSuccess, c.rtsFailure, c.ackFailure,
                             c.rxDuplicates, c.rxFrames,  c.rxMulticast,  c.rxFcsErrors};
  for (size_t i = 0; i < std::size(fields); ++i) putU64(b.data() + 8 + 8 * i, fields[i]);
  putU64(b.data() + 160, c.rxUndecryptable);  // WEP undecryptable
  putU64(b.data() + 168, c.rxUndecryptable);  // WEP ICV errors
  if (size == kStatisticsLong) {
    putU64(b.data() + 184, c.rxDecrypted);      // decrypted
    putU64(b.data() + 192, c.rxUndecryptable);  // decryption failed
  }
  return answer(r, b);
}

uint32_t networkTypesSupported(OidRequest& r) {
  std::vector<uint8_t> b(20, 0);
  std::vector<uint32_t> types = {kNetworkTypeDs, kNetworkTypeOfdm24};
  if (r.adapter.config().band5) types.push_back(kNetworkTypeOfdm5);
  putU32(b.data(), static_cast<uint32_t>(types.size()));
  for (size_t i = 0; i < types.size(); ++i) putU32(b.data() + 4 + 4 * i, types[i]);
  return answer(r, b);
}

uint32_t noData(OidRequest& r, void (*action)(Adapter&)) {
  action(r.adapter);
  r.returned = 0;
  return ERROR_SUCCESS;
}

uint32_t desiredBssidList(OidRequest& r) {
  uint32_t error = ERROR_SUCCESS;
  if (!hasData(r, 20, error)) return error;
  // Object header {type 0x80, revision 1, size 20}, entries, total entries, BSSID.
  if (r.buffer[0] != 0x80 || r.buffer[1] != 1 || getU16(r.buffer + 2) != 20 || getU32(r.buffer + 4) != 1)
    return ERROR_INVALID_PARAMETER;
  std::vector<uint8_t>& kept = r.adapter.stored(0x0E01017E, std::vector<uint8_t>(6));
  std::copy(r.buffer + 12, r.buffer + 18, kept.begin());
  r.returned = 20;
  return ERROR_SUCCESS;
}

}  // namespace

uint32_t readKeyRecord(OidRequest& r, uint32_t& index, std::string& material) {
  uint32_t error = ERROR_SUCCESS;
  if (!hasData(r, kKeyMaterialOffset, error)) return error;
  index = getU32(r.buffer + 4);
  uint32_t keyLength = getU32(r.buffer + 8);
  if (keyLength > 64) return ERROR_INVALID_PARAMETER;
  if (!hasData(r, kKeyMaterialOffset + keyLength, error)) return error;
  if ((index & 0xFF) > 3) return ERROR_INVALID_PARAMETER;
  material.assign(reinterpret_cast<const char*>(r.buffer + kKeyMaterialOffset), keyLength);
  r.returned = r.size;
  return ERROR_SUCCESS;
}

uint32_t readRemoveKeyRecord(OidRequest& r, uint32_t& index) {
  uint32_t error = ERROR_SUCCESS;
  if (!hasData(r, kRemoveKeySize, error)) return error;
  index = getU32(r.buffer + 4) & 0xFF;
  if (index > 3) return ERROR_INVALID_PARAMETER;
  r.returned = kRemoveKeySize;
  return ERROR_SUCCESS;
}

void addStandardCodes(CodeTable& t) {
  t.standard("OID_GEN_DRIVER_VERSION", 0x00010110, CodeTable::Use::Query, [](OidRequest& r) {
    std::vector<uint8_t> b(2);
    putU16(b.data(), r.adapter.config().driverVersion);
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
    uint32_t error = u32Setting(r, r.adapter.authMode, kAuthWpa2Psk);
    if (error == ERROR_SUCCESS && r.set && r.adapter.apMode()) r.adapter.softAp().authAlgorithm = apAuthOf(r.adapter.authMode);
    return error;
  });
  t.standard("OID_802_11_BSSID_LIST_SCAN", 0x0D01011A, CodeTable::Use::Set,
             [](OidRequest& r) { return noData(r, [](Adapter& a) { a.startScan(); }); });
  t.standard("OID_802_11_ENCRYPTION_STATUS", 0x0D01011B, CodeTable::Use::Both, [](OidRequest& r) -> uint32_t {
    uint32_t v = r.adapter.encryptionStatus;
    uint32_t error = u32Setting(r, v, kAesKeyAbsent);
    if (error == ERROR_SUCCESS && r.set) {
      if (v != kWepEnabled && v != kWepDisabled && v != kTkipEnabled && v != kAesEnabled)
        return ERROR_INVALID_PARAMETER;
      r.adapter.encryptionStatus = v;
      if (r.adapter.apMode()) r.adapter.softAp().cipherAlgorithm = apCipherOf(v);
    }
    return error;
  });
  t.standard("OID_802_11_RELOAD_DEFAULTS", 0x0D01011C, CodeTable::Use::Set, [](OidRequest& r) -> uint32_t {
    uint32_t error = ERROR_SUCCESS;
    if (!hasData(r, 4, error)) return error;
    if (getU32(r.buffer) != 0) return ERROR_INVALID_PARAMETER;  // only the WEP keys have defaults
    r.adapter.clearKeys();
    r.returned = 4;
    return ERROR_SUCCESS;
  });
  t.standard("OID_802_11_ADD_KEY", 0x0D01011D, CodeTable::Use::Set, addKey);
  t.standard("OID_802_11_REMOVE_KEY", 0x0D01011E, CodeTable::Use::Set, removeKey);
  t.standard("OID_802_11_NETWORK_TYPES_SUPPORTED", 0x0D010203, CodeTable::Use::Query, networkTypesSupported);
  t.standard("OID_802_11_RSSI", 0x0D010206, CodeTable::Use::Query,
             [](OidRequest& r) { return answerU32(r, static_cast<uint32_t>(r.adapter.rssiDbm(0))); });
  t.standard("OID_802_11_FRAGMENTATION_THRESHOLD", 0x0D010209, CodeTable::Use::Set, keptU32(0x0D010209, 2346));
  t.standard("OID_802_11_RTS_THRESHOLD", 0x0D01020A, CodeTable::Use::Set, keptU32(0x0D01020A, 2347));
  t.standard("OID_802_11_DESIRED_RATES", 0x0D010210, CodeTable::Use::Set, keptValue(0x0D010210, std::vector<uint8_t>(8)));
  t.standard("OID_802_11_CONFIGURATION", 0x0D010211, CodeTable::Use::Both, configuration);
  t.standard("OID_802_11_POWER_MODE", 0x0D010216, CodeTable::Use::Set, keptU32(0x0D010216, 0));
  t.standard("OID_802_11_BSSID_LIST", 0x0D010217, CodeTable::Use::Query, bssidList);
  t.standard("OID_802_11_STATISTICS", 0x0D020212, CodeTable::Use::Query, statistics);
  t.standard("OID_DOT11_RTS_THRESHOLD", 0x0D01031F, CodeTable::Use::Set, keptU32(0x0D01031F, 2347));
  t.standard("OID_DOT11_FRAGMENTATION_THRESHOLD", 0x0D010322, CodeTable::Use::Set, keptU32(0x0D010322, 2346));
  t.standard("OID_DOT11_POWER_MGMT_REQUEST", 0x0E01017B, CodeTable::Use::Set, keptU32(0x0E01017B, 0));
  t.standard("OID_DOT11_DESIRED_BSSID_LIST", 0x0E01017E, CodeTable::Use::Set, desiredBssidList);
  t.standard("OID_DOT11_DISCONNECT_REQUEST", 0x0E01018E, CodeTable::Use::Set,
             [](OidRequest& r) { return noData(r, [](Adapter& a) { a.disassociate(); }); });
}

}  // namespace wavorel::sim
