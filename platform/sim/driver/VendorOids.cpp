// Handlers of the adapter driver's private codes.
#include <algorithm>
#include <array>

#include "platform/sim/driver/CodeTable.h"
#include "platform/sim/radio/Adapter.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Errors.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/NdisKey.h"
#include "platform/wire/NdisStatistics.h"
#include "platform/wire/VendorRecords.h"
#include "platform/wire/WpsRecords.h"

namespace wavorel::sim {

namespace {

namespace wps = wire::wps;

// The noise floor at 20 MHz; a 40 MHz channel hears twice the noise.
constexpr int32_t kNoiseFloorDbm = -92;
constexpr int32_t kNoiseFloor40Dbm = -89;
constexpr uint32_t kSnrUnknown = 44;
constexpr uint32_t kRegisterRecordSize = 12;
constexpr const char* kDlsCapable = "OID_VX_DLS_CAPABLE";

bool htFamily(const Adapter& a) { return a.config().family >= 6 && a.config().family <= 8; }

// The rate index 0..11 of adapters without 802.11n: 1, 2, 5.5, 11, 6, 9, 12,
// 18, 24, 36, 48, 54 Mb/s; 0 without an association.
uint32_t rateIndex(Adapter& a) {
  std::optional<LinkRate> rate = a.txRate();
  if (!rate) return 0;
  return rate->phy == LinkRate::Phy::Cck ? rate->index : 4 + rate->index;
}

uint32_t phyWord(Adapter& a) {
  std::optional<LinkRate> rate = a.txRate();
  return rate ? rate->phyWord() : 0;
}

int32_t noiseFloor(Adapter& a) {
  std::optional<LinkRate> rate = a.txRate();
  return rate && rate->width40 ? kNoiseFloor40Dbm : kNoiseFloorDbm;
}

uint32_t linkStatus(OidRequest& r) {
  Adapter& a = r.adapter;
  std::vector<uint8_t> b(htFamily(a) ? 20 : 16, 0);
  LinkCounters c = a.counters();
  const WorldNetwork* n = a.associatedNetwork();
  std::optional<LinkRate> rate = a.txRate();
  uint32_t quality = 0;
  if (n) {
    int32_t percent = std::clamp(2 * (a.rssiDbm(0) + 100), 0, 100);
    quality = static_cast<uint32_t>(std::max(0.0, (percent - 10) / 1.2));
  }
  wire::putU32(b.data(), a.txRateUnits());
  wire::putU32(b.data() + 4, quality);
  wire::putU32(b.data() + 8, static_cast<uint32_t>(c.txBytes));
  wire::putU32(b.data() + 12, static_cast<uint32_t>(c.rxBytes));
  // The central channel: two above the primary on a 40 MHz channel.
  if (b.size() == 20 && n)
    wire::putU32(b.data() + 16, static_cast<uint32_t>(rate && rate->width40 ? n->channel + 2 : n->channel));
  return answer(r, b);
}

uint32_t registerAccess(OidRequest& r) {
  uint32_t error = ERROR_SUCCESS;
  if (!hasData(r, kRegisterRecordSize, error)) return error;
  uint32_t space = wire::getU32(r.buffer), address = wire::getU32(r.buffer + 4);
  if (r.set) {
    r.adapter.setRegister(space, address, wire::getU32(r.buffer + 8));
  } else {
    wire::putU32(r.buffer + 8, r.adapter.registerValue(space, address));
  }
  r.returned = kRegisterRecordSize;
  return ERROR_SUCCESS;
}

// The AP counter block: the statistics record's counters up to the FCS
// errors at their offsets, and the received frames (u64) at byte 176.
uint32_t apCounters(OidRequest& r) {
  namespace stats = wire::ndis::statistics;
  constexpr size_t kReceived = 176;
  constexpr size_t kSize = 184;
  LinkCounters c = r.adapter.counters();
  std::vector<uint8_t> b(kSize, 0);
  uint8_t* p = b.data();
  wire::putU32(p + stats::kLength, kSize);
  wire::putU64(p + stats::kTransmittedFragmentCount, c.txFrames);
  wire::putU64(p + stats::kMulticastTransmittedFrameCount, c.txMulticast);
  wire::putU64(p + stats::kFailedCount, c.txFailed);
  wire::putU64(p + stats::kRetryCount, c.txRetries);
  wire::putU64(p + stats::kMultipleRetryCount, c.txMultipleRetries);
  wire::putU64(p + stats::kRtsSuccessCount, c.rtsSuccess);
  wire::putU64(p + stats::kRtsFailureCount, c.rtsFailure);
  wire::putU64(p + stats::kAckFailureCount, c.ackFailure);
  wire::putU64(p + stats::kFrameDuplicateCount, c.rxDuplicates);
  wire::putU64(p + stats::kReceivedFragmentCount, c.rxFrames);
  wire::putU64(p + stats::kMulticastReceivedFrameCount, c.rxMulticast);
  wire::putU64(p + stats::kFcsErrorCount, c.rxFcsErrors);
  wire::putU64(p + kReceived, c.rxDecrypted);
  return answer(r, b);
}

uint32_t apMode(OidRequest& r) {
  if (!r.set) return answerU32(r, r.adapter.apMode() ? 1 : 0);
  uint32_t error = ERROR_SUCCESS;
  if (!hasData(r, 4, error)) return error;
  uint32_t v = wire::getU32(r.buffer);
  if (v > 1) return ERROR_INVALID_PARAMETER;
  r.adapter.setApMode(v == 1);
  r.returned = 4;
  return ERROR_SUCCESS;
}

uint32_t snr(OidRequest& r, int chain) {
  int32_t rssi = r.adapter.rssiDbm(chain);
  if (!r.adapter.associatedNetwork() || rssi == kNoChainDbm) return answerU32(r, kSnrUnknown);
  return answerU32(r, static_cast<uint32_t>(std::max(0, rssi - noiseFloor(r.adapter))));
}

uint32_t noise(OidRequest& r) {
  int32_t floor = noiseFloor(r.adapter) + static_cast<int32_t>(r.adapter.counters().rxFrames % 3);
  return answerU32(r, static_cast<uint32_t>(floor + 143));
}

uint32_t queryOnly(OidRequest& r, uint32_t value) { return r.set ? ERROR_NOT_SUPPORTED : answerU32(r, value); }

// A version word: `high` says which byte holds the major number.
uint32_t version(OidRequest& r, const std::array<int, 2>& v, bool majorHigh) {
  if (r.set) return ERROR_NOT_SUPPORTED;
  if (v[0] < 0) return ERROR_NOT_SUPPORTED;
  uint32_t major = static_cast<uint32_t>(v[0]), minor = static_cast<uint32_t>(v[1]);
  return answerU32(r, majorHigh ? (major << 8) | minor : (minor << 8) | major);
}

uint32_t wpsStart(OidRequest& r) {
  namespace start = wps::start;
  uint32_t error = ERROR_SUCCESS;
  if (!hasData(r, start::kSize, error)) return error;
  uint32_t mode = wire::getU32(r.buffer + start::kMode);
  if (mode != start::kModePin && mode != start::kModePushButton) return ERROR_INVALID_PARAMETER;
  uint8_t role = r.buffer[start::kRole];
  if (role != start::kRoleEnrollee && role != start::kRoleRegistrar) return ERROR_INVALID_PARAMETER;
  WpsRequest request;
  request.pin = mode == start::kModePin;
  request.registrar = role == start::kRoleRegistrar;
  if (request.pin) {
    request.pinDigits.assign(reinterpret_cast<const char*>(r.buffer + start::kPin), start::kPinSize);
    uint32_t ssidLength = std::min<uint32_t>(wire::getU32(r.buffer + start::kSsidLength), start::kSsidSize);
    request.ssid.assign(reinterpret_cast<const char*>(r.buffer + start::kSsid), ssidLength);
    std::copy(r.buffer + start::kBssid, r.buffer + start::kBssid + 6, request.bssid.begin());
  }
  r.adapter.startWps(request);
  r.returned = start::kSize;
  return ERROR_SUCCESS;
}

uint32_t wpsCredentials(OidRequest& r) {
  std::vector<uint8_t>& table = r.adapter.wpsCredentials();
  if (!r.set) return answer(r, table);
  uint32_t error = ERROR_SUCCESS;
  if (!hasData(r, static_cast<uint32_t>(table.size()), error)) return error;
  std::copy(r.buffer, r.buffer + table.size(), table.begin());
  r.returned = static_cast<uint32_t>(table.size());
  return ERROR_SUCCESS;
}

uint32_t blockAck(OidRequest& r) {
  if (!r.set) return answer(r, r.adapter.blockAckTable());
  uint32_t error = ERROR_SUCCESS;
  if (!hasData(r, BlockAckTable::kRequestSize, error)) return error;
  r.returned = BlockAckTable::kRequestSize;
  return r.adapter.addBlockAck(r.buffer) ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
}

uint32_t directLinks(OidRequest& r) {
  if (!r.set) return answer(r, r.adapter.directLinkTable());
  uint32_t error = ERROR_SUCCESS;
  if (!hasData(r, DlsLinkTable::kEntrySize, error)) return error;
  bool capable = r.adapter.settingU32(kDlsCapable, 0) == 1;
  if (!capable && r.buffer[11] != 0) return ERROR_INVALID_PARAMETER;
  r.returned = DlsLinkTable::kEntrySize;
  return r.adapter.applyDirectLink(r.buffer) ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
}

bool wirelessModeAccepted(const Adapter& a, const uint8_t* v) { return wirelessModeFits(wire::getU32(v), a.config()); }
bool htTransmitAccepted(const Adapter& a, const uint8_t* v) { return htTransmitFits(v, a.config()); }
bool txPowerAccepted(const Adapter&, const uint8_t* v) {
  uint32_t percent = wire::getU32(v);
  return percent == kTxPowerDefault || (percent >= 1 && percent <= 100);
}

// The country region: a region the driver knows, and none that changes a
// band the adapter's EEPROM locks. The lock bits stay the EEPROM's.
uint32_t countryRegion(OidRequest& r) {
  const WorldAdapter& a = r.adapter.config();
  if (!r.set) {
    // A band the EEPROM locks answers the EEPROM's region.
    uint32_t word = r.adapter.settingU32(r.name, a.countryRegion);
    if (a.countryRegion & 0x80) word = (word & ~0xFFu) | (a.countryRegion & 0xFF);
    if (a.countryRegion & 0x8000) word = (word & ~0xFF00u) | (a.countryRegion & 0xFF00);
    return answerU32(r, word);
  }
  uint32_t error = ERROR_SUCCESS;
  if (!hasData(r, 4, error)) return error;
  uint32_t word = wire::getU32(r.buffer);
  if (!regionFits(word, a.countryRegion, a.family)) return ERROR_INVALID_PARAMETER;
  r.adapter.setSetting(r.name, [&] {
    std::vector<uint8_t> b(4);
    wire::putU32(b.data(), (word & 0x7F7F) | (a.countryRegion & 0x8080));
    return b;
  }());
  r.returned = 4;
  return ERROR_SUCCESS;
}

}  // namespace

void addVendorCodes(CodeTable& t) {
  // Codes backed by the adapter model.
  t.vendor("OID_VX_LINK_STATUS_BLOCK", 0xFF0C0009, 0, 0x0D710102, 0, linkStatus);
  t.vendor("OID_VX_RESET_COUNTERS", 0, 0xFF8C000C, 0, 0x0DF10103, [](OidRequest& r) -> uint32_t {
    r.adapter.resetCounters();
    return ERROR_SUCCESS;
  });
  t.vendor("OID_VX_REGISTER_RW", 0xFF0C0008, 0xFF8C0008, 0x0D710105, 0x0DF10105, registerAccess);
  t.vendor(setting::kCountryRegion, 0xFF0C0003, 0xFF8C0003, 0x0D710107, 0x0DF10107, countryRegion);
  t.vendor(setting::kWirelessMode, 0, 0xFF8C0002, 0x0D71010C, 0x0DF1010C, [](OidRequest& r) {
    std::vector<uint8_t> initial(4);
    wire::putU32(initial.data(), defaultWirelessMode(r.adapter.config()));
    return keptValueOf(r, initial, wirelessModeAccepted);
  });
  t.vendor("OID_VX_AP_MODE", 0xFF0C001A, 0xFF8C001A, 0x0D710126, 0x0DF10126, apMode);
  t.vendor("OID_VX_AP_COUNTERS", 0xFF0C000B, 0, 0, 0, apCounters);
  t.vendor("OID_VX_NOISE_LEVEL", 0xFF0C000A, 0, 0x0D71011A, 0, noise);
  t.vendor("OID_VX_TX_RATE", 0xFF0C000E, 0, 0x0D71011B, 0, [](OidRequest& r) {
    return queryOnly(r, htFamily(r.adapter) ? phyWord(r.adapter) : rateIndex(r.adapter));
  });
  t.vendor("OID_VX_HT_PHY_WORD", 0xFF0C0021, 0, 0x0D71011C, 0, [](OidRequest& r) {
    return queryOnly(r, phyWord(r.adapter));
  });
  t.vendor("OID_VX_LINK_EVENT", 0xFF0C000D, 0, 0x0D71011D, 0,
           [](OidRequest& r) { return queryOnly(r, r.adapter.linkEvent()); });
  t.vendor("OID_VX_RSSI0", 0xFF0C000F, 0, 0, 0,
           [](OidRequest& r) { return queryOnly(r, static_cast<uint32_t>(r.adapter.rssiDbm(0))); });
  t.vendor("OID_VX_RSSI1", 0xFF0C0010, 0, 0x0D710125, 0,
           [](OidRequest& r) { return queryOnly(r, static_cast<uint32_t>(r.adapter.rssiDbm(1))); });
  t.vendor("OID_VX_RSSI2", 0xFF0C0022, 0, 0x0D710134, 0,
           [](OidRequest& r) { return queryOnly(r, static_cast<uint32_t>(r.adapter.rssiDbm(2))); });
  t.vendor("OID_VX_SNR0", 0xFF0C0023, 0, 0x0D710135, 0, [](OidRequest& r) { return snr(r, 0); });
  t.vendor("OID_VX_SNR1", 0xFF0C0024, 0, 0x0D710136, 0, [](OidRequest& r) { return snr(r, 1); });
  t.vendor("OID_VX_WEP_ICV_ERROR", 0x0D710133, 0, 0x0D710133, 0,
           [](OidRequest& r) { return queryOnly(r, r.adapter.wepIcvError() ? 1 : 0); });

  t.vendor("OID_VX_VERSION_WORD_1", 0xFF0C0004, 0, 0x0D710119, 0,
           [](OidRequest& r) { return version(r, r.adapter.config().eepromVersion, false); });
  t.vendor("OID_VX_VERSION_WORD_2", 0xFF0C0005, 0, 0x0D710129, 0,
           [](OidRequest& r) { return version(r, r.adapter.config().firmwareVersion, true); });
  t.vendor("OID_VX_IP_ADDRESS", 0xFF0C001B, 0, 0x0D71011F, 0, [](OidRequest& r) -> uint32_t {
    const WorldNetwork* n = r.adapter.network();
    return answer(r, n ? std::vector<uint8_t>(n->address.begin(), n->address.end()) : std::vector<uint8_t>(4, 0));
  });
  // The register page refresh (and the timed MIC-error test, which sends the
  // same number without data) changes nothing the adapter model shows.
  t.vendor("OID_VX_REGISTER_REFRESH", 0, 0xFF8C0047, 0, 0x0DF10115, [](OidRequest& r) -> uint32_t {
    return r.set ? ERROR_SUCCESS : ERROR_NOT_SUPPORTED;
  });

  t.vendor("OID_VX_WPS_START", 0, 0xFF8C002A, 0, 0x0DF10140, wpsStart);
  t.vendor("OID_VX_WPS_STATUS", 0xFF0C002D, 0, 0x0D710141, 0,
           [](OidRequest& r) { return queryOnly(r, r.adapter.wpsStatus()); });
  t.vendor("OID_VX_WPS_CREDENTIALS", 0xFF0C002E, 0xFF8C0049, 0x0D710142, 0x0DF10142, wpsCredentials);
  // Non-zero when the driver started a push-button run by itself (its button).
  t.vendor("OID_VX_PRIVATE_0145", 0xFF0C002F, 0, 0x0D710145, 0,
           [](OidRequest& r) { return queryOnly(r, r.adapter.takeWpsButtonReport() ? 1 : 0); });

  // Codes whose values the driver keeps for its readers.
  t.vendor("OID_VX_WPS_AUTO_PICK", 0, 0xFF8C004C, 0, 0x0DF10148, keptU32(0));
  t.vendor("OID_VX_PREAMBLE", 0xFF710101, 0xFFF10101, 0x0D710101, 0x0DF10101, keptU32(0));
  t.vendor("OID_VX_PRIVATE_0104", 0, 0, 0, 0x0DF10104, keptU32(0));
  // Wavorel's software radio switch: 0 turns the radio off (the link drops
  // with the software radio-off event, no scans), any other value on; a
  // query answers the switch.
  t.vendor("OID_VX_PRIVATE_0108", 0, 0, 0x0D710108, 0x0DF10108, [](OidRequest& r) -> uint32_t {
    if (!r.set) return answerU32(r, r.adapter.radioOn() ? 1 : 0);
    uint32_t error = ERROR_SUCCESS;
    if (!hasData(r, 4, error)) return error;
    r.adapter.setRadio(wire::getU32(r.buffer) != 0);
    r.returned = 4;
    return ERROR_SUCCESS;
  });
  t.vendor("OID_VX_REGISTER_RW_2", 0xFF0C003E, 0xFF8C003E, 0x0D710109, 0x0DF10109, keptU32(0));
  t.vendor("OID_VX_AP_OPTIONS", 0xFF0C0040, 0xFF8C0040, 0x0D71010F, 0x0DF1010F,
           keptValue(std::vector<uint8_t>(32)));
  t.vendor("OID_VX_ACCESS_CONTROL", 0, 0xFF8C0046, 0, 0x0DF10110, [](OidRequest& r) -> uint32_t {
    uint32_t error = ERROR_SUCCESS;
    if (!hasData(r, SoftAp::kAccessControlSize, error)) return error;
    if (wire::getU32(r.buffer + 4) > 32) return ERROR_INVALID_PARAMETER;  // at most 32 entries
    std::vector<uint8_t>& acl = r.adapter.softAp().accessControl;
    std::copy(r.buffer, r.buffer + acl.size(), acl.begin());
    r.returned = SoftAp::kAccessControlSize;
    return ERROR_SUCCESS;
  });
  t.vendor("OID_VX_STATION_TABLE", 0xFF0C0029, 0, 0x0D71010B, 0, [](OidRequest& r) {
    return r.set ? ERROR_NOT_SUPPORTED : answer(r, r.adapter.stationTable());
  });
  t.vendor("OID_VX_EVENT_LOG", 0xFF0C0043, 0, 0x0D71010A, 0, [](OidRequest& r) -> uint32_t {
    if (r.set) return ERROR_NOT_SUPPORTED;
    if (r.size < 168) {
      r.returned = 168;
      return ERROR_INSUFFICIENT_BUFFER;  // the events stay for a read that fits
    }
    return answer(r, r.adapter.softAp().takeEventLog(clock().tickMs(), clock().utcFileTime()));
  });
  // The station configuration block: kept as set, but the word at byte 20
  // is the driver's own and tells whether the radio is on.
  t.vendor("OID_VX_PRIVATE_0111", 0xFF710111, 0xFFF10111, 0x0D710111, 0x0DF10111, [](OidRequest& r) {
    namespace config = wire::vendor::stationconfig;
    uint32_t error = keptValueOf(r, std::vector<uint8_t>(config::kSize));
    if (error == ERROR_SUCCESS && !r.set) wire::putU32(r.buffer + config::kRadio, r.adapter.radioWorks() ? 1 : 0);
    return error;
  });
  t.vendor("OID_VX_WDS_LIST", 0, 0xFF8C0048, 0, 0x0DF10112, [](OidRequest& r) {
    // At most three peers; a link key of 32 bytes or none.
    if (r.set && r.size >= 60 &&
        (wire::getU32(r.buffer) > 3 || (wire::getU32(r.buffer + 24) != 0 && wire::getU32(r.buffer + 24) != 32)))
      return static_cast<uint32_t>(ERROR_INVALID_PARAMETER);
    return keptValueOf(r, std::vector<uint8_t>(60));
  });
  t.vendor("OID_VX_RADIUS", 0xFF0C003A, 0xFF8C003A, 0x0D710113, 0x0DF10113, [](OidRequest& r) {
    // The AP authenticates 802.1X stations once it has a server address.
    uint32_t error = keptValueOf(r, std::vector<uint8_t>(72));
    if (error == ERROR_SUCCESS && r.set) r.adapter.softAp().radiusServer = wire::getU32(r.buffer) != 0;
    return error;
  });
  t.vendor("OID_VX_REKEY", 0xFF0C0041, 0xFF8C0041, 0x0D710114, 0x0DF10114, keptValue(std::vector<uint8_t>(8)));
  t.vendor(setting::kTxPower, 0xFF0C0007, 0xFF8C0007, 0x0D710118, 0x0DF10118, keptU32(kTxPowerDefault, txPowerAccepted));
  t.vendor("OID_VX_PRIVATE_011E", 0, 0xFFF1011E, 0, 0x0DF1011E, keptU32(0));
  t.vendor("OID_VX_PRIVATE_0127", 0, 0, 0, 0x0DF10127, keptValue(std::vector<uint8_t>(26)));
  t.vendor("OID_VX_APSD_CAPABLE", 0xFF71012A, 0xFFF1012A, 0x0D71012A, 0x0DF1012A, keptU32(0));
  t.vendor("OID_VX_PRIVATE_012D", 0, 0xFFF1012D, 0, 0x0DF1012D, keptValue(std::vector<uint8_t>(1)));
  t.vendor(kDlsCapable, 0, 0xFFF10131, 0, 0x0DF10131, keptU32(0));
  t.vendor("OID_VX_DLS_LINKS", 0xFF710132, 0xFFF10132, 0x0D710132, 0x0DF10132, directLinks);
  t.vendor("OID_VX_BLOCK_ACK", 0xFF0C0025, 0xFF8C0025, 0x0D710138, 0x0DF10138, blockAck);
  t.vendor("OID_VX_BLOCK_ACK_DELETE", 0, 0xFF8C0027, 0, 0x0DF1013A, [](OidRequest& r) -> uint32_t {
    uint32_t error = ERROR_SUCCESS;
    if (!hasData(r, BlockAckTable::kRequestSize, error)) return error;
    r.returned = BlockAckTable::kRequestSize;
    return r.adapter.removeBlockAck(r.buffer) ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
  });
  t.vendor("OID_VX_PRIVATE_0134", 0, 0, 0, 0x0DF10134, keptU32(0));
  t.vendor("OID_VX_HT_SETTING", 0xFF0C0026, 0xFF8C0026, 0x0D710137, 0x0DF10137,
           keptValue(std::vector<uint8_t>(8)));
  t.vendor("OID_VX_PRIVATE_0139", 0, 0, 0, 0x0DF10139, keptU32(0));
  t.vendor(setting::kHtTransmit, 0xFF0C0028, 0xFF8C0028, 0x0D71013B, 0x0DF1013B,
           keptValue(defaultHtTransmit(), htTransmitAccepted));
  t.vendor("OID_VX_PRIVATE_0143", 0, 0, 0, 0x0DF10143, keptU32(0));
  t.vendor("OID_VX_PRIVATE_0144", 0, 0xFF8C002B, 0, 0x0DF10144, keptU32(0));
  t.vendor("OID_VX_PRIVATE_0146", 0, 0xFF8C002C, 0, 0x0DF10146, keptU32(0));
  t.vendor("OID_VX_PRIVATE_0149", 0, 0, 0, 0x0DF10149, keptValue(std::vector<uint8_t>(1)));
  t.vendor("OID_VX_PRIVATE_0151", 0, 0xFFF10151, 0, 0x0DF10151, keptU32(0));
  t.vendor("OID_VX_CONFIGURATION", 0xFF0C003B, 0xFF8C003B, 0, 0, keptValue(std::vector<uint8_t>(32)));
  t.vendor("OID_VX_RTS_THRESHOLD", 0xFF0C003C, 0xFF8C003C, 0, 0, keptU32(2347));
  t.vendor("OID_VX_FRAG_THRESHOLD", 0xFF0C003D, 0xFF8C003D, 0, 0, keptU32(2346));
  t.vendor("OID_VX_AUTH_MODE", 0, 0xFF8C0035, 0, 0, [](OidRequest& r) {
    uint32_t error = keptU32(0)(r);
    if (error == ERROR_SUCCESS && r.set) r.adapter.softAp().authAlgorithm = wire::getU32(r.buffer);
    return error;
  });
  t.vendor("OID_VX_ENCRYPTION", 0, 0xFF8C0036, 0, 0, [](OidRequest& r) {
    uint32_t error = keptU32(1)(r);
    if (error == ERROR_SUCCESS && r.set) r.adapter.softAp().cipherAlgorithm = wire::getU32(r.buffer);
    return error;
  });
  t.vendor("OID_VX_DEFAULT_KEY_ID", 0, 0xFF8C0039, 0, 0, keptU32(0), 4);
  t.vendor("OID_VX_REMOVE_KEY", 0, 0xFF8C0039, 0, 0, [](OidRequest& r) -> uint32_t {
    uint32_t index = 0;
    uint32_t error = readRemoveKeyRecord(r, index);
    if (error == ERROR_SUCCESS) r.adapter.removeKey(static_cast<int>(index));
    return error;
  }, wire::ndis::removekey::kSize);
  t.vendor("OID_VX_ADD_KEY", 0, 0xFF8C0038, 0, 0, [](OidRequest& r) -> uint32_t {
    uint32_t index = 0;
    std::string material;
    uint32_t error = readKeyRecord(r, index, material);
    if (error != ERROR_SUCCESS) return error;
    if (material.size() == 32) {
      r.adapter.setPairwiseMasterKey(material);
    } else if (material.size() == 5 || material.size() == 13) {
      r.adapter.setWepKey(static_cast<int>(index & 3), material, (index & wire::ndis::key::kTransmit) != 0);
    } else {
      return ERROR_INVALID_PARAMETER;
    }
    return ERROR_SUCCESS;
  });
  t.vendor("OID_VX_DESIRED_RATES", 0, 0xFF8C0045, 0, 0, keptValue(std::vector<uint8_t>(8)));
  t.vendor("OID_VX_PRIVATE_FF8C0030", 0, 0xFF8C0030, 0, 0, keptU32(0));
}

}  // namespace wavorel::sim
