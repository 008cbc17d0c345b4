#include "platform/sim/driver/BssRecord.h"

#include <algorithm>

#include "platform/wire/Bytes.h"
#include "platform/wire/InformationElements.h"
#include "platform/wire/NdisBssidList.h"
#include "platform/wire/WpsRecords.h"

namespace wavorel::sim {

namespace {

namespace ndis = wire::ndis;
namespace bss = wire::ndis::bssid;
namespace attr = wire::wps::attribute;

const uint8_t kRates24[] = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24, 0x30, 0x48, 0x60, 0x6C};
const uint8_t kRates5[] = {0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C};

const uint8_t* const kOuiRsn = wire::ie::kOuiIeee;
const uint8_t* const kOuiMs = wire::ie::kOuiMicrosoft;

void element(wire::ByteWriter& w, uint8_t id, const std::vector<uint8_t>& content) {
  w.u8(id);
  w.u8(static_cast<uint8_t>(content.size()));
  w.bytes(content.data(), content.size());
}

void suite(wire::ByteWriter& w, const uint8_t* oui, uint8_t type) {
  w.bytes(oui, 3);
  w.u8(type);
}

// RSN (WPA2) or WPA vendor element body: version, group, pairwise, AKM.
std::vector<uint8_t> securitySuites(const WorldNetwork& n, const uint8_t* oui, bool rsn) {
  wire::ByteWriter w;
  if (!rsn) suite(w, kOuiMs, wire::ie::kVendorTypeWpa);
  w.u16(1);
  suite(w, oui, (n.ciphers & kCipherTkip) ? wire::ie::kCipherTkip : wire::ie::kCipherCcmp);
  std::vector<uint8_t> pairwise;
  if (n.ciphers & kCipherTkip) pairwise.push_back(wire::ie::kCipherTkip);
  if (n.ciphers & kCipherCcmp) pairwise.push_back(wire::ie::kCipherCcmp);
  w.u16(static_cast<uint16_t>(pairwise.size()));
  for (uint8_t t : pairwise) suite(w, oui, t);
  w.u16(1);
  bool oneX = n.security == Security::Wpa2Enterprise || n.security == Security::WpaEnterprise;
  suite(w, oui, oneX ? wire::ie::kAkm8021X : wire::ie::kAkmPsk);
  if (rsn) w.u16(0);  // RSN capabilities
  return w.data();
}

std::vector<uint8_t> wpsElement(const WorldNetwork& n) {
  wire::ByteWriter w;
  suite(w, kOuiMs, wire::ie::kVendorTypeWps);
  auto attribute = [&w](uint16_t type, const std::vector<uint8_t>& value) {
    w.u16be(type);
    w.u16be(static_cast<uint16_t>(value.size()));
    w.bytes(value.data(), value.size());
  };
  auto u16be = [](uint16_t v) { return std::vector<uint8_t>{static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)}; };
  bool pbc = n.wps == WpsMethod::PushButton;
  attribute(attr::kVersion, {attr::kVersion10});
  attribute(attr::kWpsState, {n.wpsConfigured ? attr::kStateConfigured : attr::kStateUnconfigured});
  attribute(attr::kSelectedRegistrar, {1});
  attribute(attr::kDevicePasswordId, u16be(pbc ? attr::kPasswordIdPushButton : attr::kPasswordIdDefaultPin));
  attribute(attr::kSelectedRegistrarConfigMethods, u16be(pbc ? attr::kConfigMethodsPushButton : attr::kConfigMethodsPin));
  std::vector<uint8_t> uuid(16);
  for (size_t i = 0; i < uuid.size(); ++i) uuid[i] = static_cast<uint8_t>(n.bssid[i % 6] ^ (0x5A + i));
  attribute(attr::kUuidE, uuid);
  attribute(attr::kRfBands, {n.band5() ? attr::kRfBand5 : attr::kRfBand24});
  return w.data();
}

std::vector<uint8_t> htCapabilities(const WorldNetwork& n) {
  namespace htcap = wire::ie::htcap;
  wire::ByteWriter w;
  uint16_t caps = htcap::kShortGi20;
  if (n.band5()) caps |= htcap::kSupportedChannelWidth40 | htcap::kShortGi40;
  w.u16(caps);
  w.u8(htcap::ampduParameters(htcap::kMaxAmpdu64K, htcap::kSpacing8Us));
  std::vector<uint8_t> mcs(16, 0);
  mcs[0] = 0xFF;
  mcs[1] = 0xFF;                      // MCS 0-15
  w.bytes(mcs.data(), mcs.size());
  w.u16(0);                           // extended capabilities
  w.u32(0);                           // beamforming
  w.u8(0);                            // antenna selection
  return w.data();
}

std::vector<uint8_t> htInformation(const WorldNetwork& n) {
  namespace htinfo = wire::ie::htinfo;
  wire::ByteWriter w;
  w.u8(static_cast<uint8_t>(n.channel));
  w.u8(n.band5() ? htinfo::kSecondaryAbove | htinfo::kAnyChannelWidth : htinfo::kSecondaryNone);
  w.u16(0);
  w.u16(0);
  w.zeros(16);                    // basic MCS set
  return w.data();
}

}  // namespace

void writeConfiguration(uint8_t* out, uint32_t beaconPeriod, int channel) {
  namespace cfg = wire::ndis::configuration;
  std::fill(out, out + cfg::kSize, 0);  // ATIM window and frequency hopping: unused
  wire::putU32(out + cfg::kLength, cfg::kSize);
  wire::putU32(out + cfg::kBeaconPeriod, beaconPeriod);
  wire::putU32(out + cfg::kDsConfig, channelFrequencyKhz(channel));
}

uint16_t capabilityInformation(const WorldNetwork& n) {
  uint16_t caps = n.adhoc ? ndis::kCapabilityIbss : ndis::kCapabilityEss;
  if (n.security != Security::Open) caps |= ndis::kCapabilityPrivacy;
  return caps;
}

uint64_t beaconTimestamp(uint64_t tickMs) { return tickMs * 1000; }

std::vector<uint8_t> informationElements(const WorldNetwork& n) {
  namespace ie = wire::ie;
  wire::ByteWriter w;
  // A hidden network sends its SSID as zeros of the same length.
  std::vector<uint8_t> ssid = n.hidden ? std::vector<uint8_t>(std::max<size_t>(n.ssid.size(), 1), 0)
                                       : std::vector<uint8_t>(n.ssid.begin(), n.ssid.end());
  element(w, ie::kSsid, ssid);
  if (n.band5()) {
    element(w, ie::kSupportedRates, std::vector<uint8_t>(std::begin(kRates5), std::end(kRates5)));
  } else {
    element(w, ie::kSupportedRates, std::vector<uint8_t>(kRates24, kRates24 + 8));
  }
  element(w, ie::kDsParameterSet, {static_cast<uint8_t>(n.channel)});
  if (n.adhoc) element(w, ie::kIbssParameterSet, {0, 0});  // ATIM window
  if (!n.band5()) {
    element(w, ie::kErpInformation, {0});
    element(w, ie::kExtendedSupportedRates, std::vector<uint8_t>(kRates24 + 8, kRates24 + 12));
  }
  if (n.security == Security::Wpa2Psk || n.security == Security::Wpa2Enterprise)
    element(w, ie::kRsn, securitySuites(n, kOuiRsn, true));
  if (n.ht) {
    element(w, ie::kHtCapabilities, htCapabilities(n));
    element(w, ie::kHtInformation, htInformation(n));
  }
  if (n.security == Security::WpaPsk || n.security == Security::WpaEnterprise)
    element(w, ie::kVendorSpecific, securitySuites(n, kOuiMs, false));
  if (n.wps != WpsMethod::None) element(w, ie::kVendorSpecific, wpsElement(n));
  return w.data();
}

void appendBssRecord(std::vector<uint8_t>& out, const WorldNetwork& n, int32_t rssiDbm, uint64_t tickMs) {
  namespace fixed = wire::ndis::fixed;
  std::vector<uint8_t> ies = informationElements(n);
  const size_t ieLength = fixed::kSize + ies.size();
  size_t start = out.size();
  out.resize(start + bss::kHeadSize + ieLength, 0);
  uint8_t* r = out.data() + start;
  wire::putU32(r + bss::kLength, static_cast<uint32_t>(bss::kHeadSize + ieLength));
  std::copy(n.bssid.begin(), n.bssid.end(), r + bss::kMacAddress);
  if (!n.hidden) {
    wire::putU32(r + bss::kSsidLength, static_cast<uint32_t>(n.ssid.size()));
    std::copy(n.ssid.begin(), n.ssid.end(), r + bss::kSsid);
  }
  wire::putU32(r + bss::kPrivacy, n.security == Security::Open ? 0 : 1);
  wire::putU32(r + bss::kRssi, static_cast<uint32_t>(rssiDbm));
  wire::putU32(r + bss::kNetworkTypeInUse, n.band5() ? ndis::kNetworkTypeOfdm5 : ndis::kNetworkTypeOfdm24);
  writeConfiguration(r + bss::kConfiguration, static_cast<uint32_t>(n.beaconPeriod), n.channel);
  wire::putU32(r + bss::kInfrastructureMode, n.adhoc ? ndis::kIbss : ndis::kInfrastructure);
  if (n.band5()) {
    std::copy(std::begin(kRates5), std::end(kRates5), r + bss::kSupportedRates);
  } else {
    std::copy(std::begin(kRates24), std::end(kRates24), r + bss::kSupportedRates);
  }
  wire::putU32(r + bss::kIeLength, static_cast<uint32_t>(ieLength));
  uint8_t* area = r + bss::kIes;
  wire::putU64(area + fixed::kTimestamp, beaconTimestamp(tickMs));
  wire::putU16(area + fixed::kBeaconInterval, static_cast<uint16_t>(n.beaconPeriod));
  wire::putU16(area + fixed::kCapabilities, capabilityInformation(n));
  std::copy(ies.begin(), ies.end(), area + fixed::kSize);
}

}  // namespace wavorel::sim
