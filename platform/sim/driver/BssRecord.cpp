#include "platform/sim/driver/BssRecord.h"

#include <algorithm>

#include "platform/sim/Bytes.h"

namespace wavorel::sim {

namespace {

static_assert(bss::kSsid + 32 == bss::kPrivacy, "SSID is 32 bytes");
static_assert(bss::kConfiguration + 32 == bss::kInfrastructureMode, "configuration is 32 bytes");
static_assert(bss::kSupportedRates + 16 == bss::kIeLength, "16 supported rates");
static_assert(bss::kIes == 116, "elements follow the 116-byte head");

const uint8_t kRates24[] = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24, 0x30, 0x48, 0x60, 0x6C};
const uint8_t kRates5[] = {0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C};

const uint8_t kOuiRsn[] = {0x00, 0x0F, 0xAC};
const uint8_t kOuiMs[] = {0x00, 0x50, 0xF2};

void element(ByteWriter& w, uint8_t id, const std::vector<uint8_t>& content) {
  w.u8(id);
  w.u8(static_cast<uint8_t>(content.size()));
  w.bytes(content.data(), content.size());
}

void suite(ByteWriter& w, const uint8_t* oui, uint8_t type) {
  w.bytes(oui, 3);
  w.u8(type);
}

// RSN (WPA2) or WPA vendor element body: version, group, pairwise, AKM.
std::vector<uint8_t> securitySuites(const WorldNetwork& n, const uint8_t* oui, bool rsn) {
  ByteWriter w;
  if (!rsn) suite(w, kOuiMs, 1);
  w.u16(1);
  suite(w, oui, (n.ciphers & kCipherTkip) ? 2 : 4);
  std::vector<uint8_t> pairwise;
  if (n.ciphers & kCipherTkip) pairwise.push_back(2);
  if (n.ciphers & kCipherCcmp) pairwise.push_back(4);
  w.u16(static_cast<uint16_t>(pairwise.size()));
  for (uint8_t t : pairwise) suite(w, oui, t);
  w.u16(1);
  suite(w, oui, n.security == Security::Wpa2Enterprise ? 1 : 2);
  if (rsn) w.u16(0);  // RSN capabilities
  return w.data();
}

std::vector<uint8_t> wpsElement(const WorldNetwork& n) {
  ByteWriter w;
  suite(w, kOuiMs, 4);
  auto attr = [&w](uint16_t type, const std::vector<uint8_t>& value) {
    w.u16be(type);
    w.u16be(static_cast<uint16_t>(value.size()));
    w.bytes(value.data(), value.size());
  };
  bool pbc = n.wps == WpsMethod::PushButton;
  attr(0x104A, {0x10});                                            // version 1.0
  attr(0x1044, {static_cast<uint8_t>(n.wpsConfigured ? 2 : 1)});   // state
  attr(0x1041, {1});                                               // selected registrar
  attr(0x1012, {0x00, static_cast<uint8_t>(pbc ? 0x04 : 0x00)});   // password id
  attr(0x1053, {0x00, static_cast<uint8_t>(pbc ? 0x80 : 0x0C)});   // registrar methods
  std::vector<uint8_t> uuid(16);
  for (size_t i = 0; i < uuid.size(); ++i) uuid[i] = static_cast<uint8_t>(n.bssid[i % 6] ^ (0x5A + i));
  attr(0x1047, uuid);
  attr(0x103C, {static_cast<uint8_t>(n.band5() ? 2 : 1)});
  return w.data();
}

std::vector<uint8_t> htCapabilities(const WorldNetwork& n) {
  ByteWriter w;
  uint16_t caps = 0x0020;             // short guard interval at 20 MHz
  if (n.band5()) caps |= 0x0002 | 0x0040;  // 40 MHz, short guard interval at 40 MHz
  w.u16(caps);
  w.u8(0x17);                         // A-MPDU: 64 KB, 8 us spacing
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
  ByteWriter w;
  w.u8(static_cast<uint8_t>(n.channel));
  w.u8(n.band5() ? 0x05 : 0x00);  // secondary channel above, any width
  w.u16(0);
  w.u16(0);
  w.zeros(16);                    // basic MCS set
  return w.data();
}

}  // namespace

void writeConfiguration(uint8_t* out, uint32_t beaconPeriod, int channel) {
  putU32(out, 32);
  putU32(out + 4, beaconPeriod);
  putU32(out + 8, 0);
  putU32(out + 12, channelFrequencyKhz(channel));
  std::fill(out + 16, out + 32, 0);  // frequency hopping: unused
}

std::vector<uint8_t> informationElements(const WorldNetwork& n) {
  ByteWriter w;
  // A hidden network sends its SSID as zeros of the same length.
  std::vector<uint8_t> ssid = n.hidden ? std::vector<uint8_t>(std::max<size_t>(n.ssid.size(), 1), 0)
                                       : std::vector<uint8_t>(n.ssid.begin(), n.ssid.end());
  element(w, 0, ssid);
  if (n.band5()) {
    element(w, 1, std::vector<uint8_t>(std::begin(kRates5), std::end(kRates5)));
  } else {
    element(w, 1, std::vector<uint8_t>(kRates24, kRates24 + 8));
  }
  element(w, 3, {static_cast<uint8_t>(n.channel)});
  if (n.adhoc) element(w, 6, {0, 0});  // IBSS ATIM window
  if (!n.band5()) {
    element(w, 42, {0});
    element(w, 50, std::vector<uint8_t>(kRates24 + 8, kRates24 + 12));
  }
  if (n.security == Security::Wpa2Psk || n.security == Security::Wpa2Enterprise)
    element(w, 48, securitySuites(n, kOuiRsn, true));
  if (n.ht) {
    element(w, 45, htCapabilities(n));
    element(w, 61, htInformation(n));
  }
  if (n.security == Security::WpaPsk) element(w, 221, securitySuites(n, kOuiMs, false));
  if (n.wps != WpsMethod::None) element(w, 221, wpsElement(n));
  return w.data();
}

void appendBssRecord(std::vector<uint8_t>& out, const WorldNetwork& n, int32_t rssiDbm) {
  std::vector<uint8_t> ies = informationElements(n);
  size_t start = out.size();
  out.resize(start + bss::kIes + ies.size(), 0);
  uint8_t* r = out.data() + start;
  putU32(r + bss::kLength, static_cast<uint32_t>(bss::kIes + ies.size()));
  std::copy(n.bssid.begin(), n.bssid.end(), r + bss::kMacAddress);
  if (!n.hidden) {
    putU32(r + bss::kSsidLength, static_cast<uint32_t>(n.ssid.size()));
    std::copy(n.ssid.begin(), n.ssid.end(), r + bss::kSsid);
  }
  putU32(r + bss::kPrivacy, n.security == Security::Open ? 0 : 1);
  putU32(r + bss::kRssi, static_cast<uint32_t>(rssiDbm));
  putU32(r + bss::kNetworkTypeInUse, n.band5() ? kNetworkTypeOfdm5 : kNetworkTypeOfdm24);
  writeConfiguration(r + bss::kConfiguration, static_cast<uint32_t>(n.beaconPeriod), n.channel);
  putU32(r + bss::kInfrastructureMode, n.adhoc ? 0 : 1);
  if (n.band5()) {
    std::copy(std::begin(kRates5), std::end(kRates5), r + bss::kSupportedRates);
  } else {
    std::copy(std::begin(kRates24), std::end(kRates24), r + bss::kSupportedRates);
  }
  putU32(r + bss::kIeLength, static_cast<uint32_t>(ies.size()));
  std::copy(ies.begin(), ies.end(), r + bss::kIes);
}

}  // namespace wavorel::sim
