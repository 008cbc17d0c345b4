#include "worker/BssInfoElements.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "platform/wire/Bytes.h"
#include "platform/wire/InformationElements.h"
#include "platform/wire/NdisBssidList.h"
#include "platform/wire/WpsRecords.h"

namespace {

namespace ndis = wavorel::wire::ndis;
namespace ie = wavorel::wire::ie;
namespace attr = wavorel::wire::wps::attribute;
using wavorel::wire::getU16;
using wavorel::wire::getU16be;
using wavorel::wire::getU32;

const BYTE* const kOuiRsn = ie::kOuiIeee;
const BYTE* const kOuiWpa = ie::kOuiMicrosoft;
const BYTE kOuiCcx[3] = {0x00, 0x40, 0x96};
const BYTE kOuiHtVendor[3] = {0x00, 0x90, 0x4C};
const BYTE kOuiLegacyAkm[3] = {0x00, 0x00, 0x42};

// Vendor element types besides WPA (1) and WPS (4).
constexpr BYTE kWpaType2 = 0x02;
constexpr BYTE kHtCapVendorType = 0x33;
constexpr BYTE kHtInfoVendorType = 0x34;

// The values of selector 3, in the order of BssInfoElements.h.
enum HtField {
  kSecondaryChannelOffset,
  kHtInfoExchange,
  kMobilityDomain,
  kHighThroughput,
  kHtCapabilityPresent,
  kLdpc,
  kChannelWidthSet,
  kSmPowerSave,
  kGreenfield,
  kShortGi20,
  kShortGi40,
  kTxStbc,
  kRxStbc,
  kDelayedBlockAck,
  kMaxAmsdu,
  kDsssCck40,
  kPsmp,
  kCapabilityPsmp,
  kMaxAmsduLength,
  kFortyMhzIntolerant,
  kLsigTxopProtection,
  kMaxAmpduFactor,
  kMinMpduSpacing,
  kTxMcsSetDefined,
  kTxRxMcsSetNotEqual,
  kTxMaxSpatialStreams,
  kTxUnequalModulation,
  kDsssCck40Info,
  kInfoPsmp,
  kMaxAmpduLength,
  kMinMpduSpacingNs,
  kHtcSupport,
  kRdResponder,
  kPrimaryChannel,
  kInfoSecondaryChannelOffset,
  kStaChannelWidth,
  kRifsMode,
  kPsmpStasOnly,
  kServiceIntervalGranularity,
  kOperatingMode,
  kNonGreenfieldPresent,
  kTransmitBurstLimit,
  kObssNonHtPresent,
  kDualBeacon,
  kDualCtsProtection,
  kSecondaryBeacon,
  kLsigTxopFullSupport,
  kPcoActive,
  kPcoPhase,
  kHtInformationPresent,
  kBasicMcsSet0,
  kBasicMcsSet1,
  kBasicMcsSet2,
  kBasicMcsSet3,
  kHtValueCount
};
static_assert(kHtValueCount + 1 == kHtTextFields, "54 values and the HT flag");

// Which values are numbers ("%d"); the rest are flags.
bool IsNumberField(int field) {
  switch (field) {
    case kSecondaryChannelOffset:
    case kSmPowerSave:
    case kRxStbc:
    case kMaxAmsduLength:
    case kMaxAmpduFactor:
    case kMinMpduSpacing:
    case kTxMaxSpatialStreams:
    case kMaxAmpduLength:
    case kMinMpduSpacingNs:
    case kPrimaryChannel:
    case kInfoSecondaryChannelOffset:
    case kServiceIntervalGranularity:
    case kOperatingMode:
    case kBasicMcsSet0:
    case kBasicMcsSet1:
    case kBasicMcsSet2:
    case kBasicMcsSet3:
      return true;
    default:
      return false;
  }
}

// "%02X" of every byte value, one after the other.
constexpr struct HexPairs {
  char text[512];
  constexpr HexPairs() : text() {
    const char digits[] = "0123456789ABCDEF";
    for (int i = 0; i < 256; ++i) {
      text[2 * i] = digits[i >> 4];
      text[2 * i + 1] = digits[i & 15];
    }
  }
} kHexPairTable;
constexpr const char* kHexPairs = kHexPairTable.text;

// A text of bounded size, cut where it would overflow.
template <size_t N>
struct Text {
  char data[N];
  size_t size = 0;

  void clear() { size = 0; }
  void append(const char* text, size_t length) {
    if (length > N - size) length = N - size;
    std::memcpy(data + size, text, length);
    size += length;
  }
  template <size_t M>
  void append(const char (&text)[M]) {
    if (M - 1 <= N - size) {  // the usual case, a copy of known size
      std::memcpy(data + size, text, M - 1);
      size += M - 1;
    } else {
      append(text, M - 1);
    }
  }
  void append(char c) {
    if (size < N) data[size++] = c;
  }
  // Two upper-case hex digits per byte ("%02X" each), as many as fit.
  void appendHex(const BYTE* bytes, size_t count) {
    if (count > (N - size) / 2) count = (N - size) / 2;
    char* at = data + size;
    for (size_t i = 0; i < count; ++i) std::memcpy(at + 2 * i, kHexPairs + 2 * bytes[i], 2);
    size += 2 * count;
  }
  // "%d"
  void appendNumber(long long value) {
    char digits[24];
    size_t n = 0;
    const bool negative = value < 0;
    unsigned long long magnitude = negative ? 0ull - static_cast<unsigned long long>(value)
                                            : static_cast<unsigned long long>(value);
    do {
      digits[n++] = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude);
    if (negative) append('-');
    while (n) append(digits[--n]);
  }
  void appendFlag(bool flag) { flag ? append("TRUE") : append("FALSE"); }
};

using Field = Text<512>;

struct Gathered {
  explicit Gathered(int selector) : selector(selector) {}
  // What is gathered: the elements the selector's text needs.
  const int selector;
  // Security flags.
  bool wpa = false, wpaPsk = false, wpaNone = false, wpa2 = false, wpa2Psk = false, wpa2None = false;
  bool tkip = false, wrap = false, ccmp = false;
  // Vendor suites.
  bool cckm = false, vendorA = false, vendorB = false;
  // WPS.
  bool wps = false;
  // The attributes kept as read (-1 or 0: not given); the selected-registrar
  // text that attributes append to is kept as text, the UUIDs as their bytes
  // (as many as their text holds), written in hex with the result.
  int configMethods = -1, passwordId = -1, state = 0, version = -1, setupLocked = -1, bands = 0;
  Field selectedRegistrar;
  BYTE uuid[sizeof(Field::data) / 2];
  size_t uuidSize = 0;
  // 802.11n (selector 3 only).
  long long ht[kHtValueCount];
};

bool IsOui(const BYTE* at, const BYTE* oui) { return at[0] == oui[0] && at[1] == oui[1] && at[2] == oui[2]; }

void SetCipher(Gathered& g, BYTE type) {
  if (type == 2) g.tkip = true;
  if (type == 3) g.wrap = true;
  if (type == 4) g.ccmp = true;
}

void SetVendorFlags(Gathered& g, BYTE type) {
  if (type == 0 || type == 1) g.vendorA = true;
  if (type == 1 || type == 2) g.vendorB = true;
}

// Group cipher, pairwise suites, AKM suites of an RSN element (content `c`).
void ParseRsn(Gathered& g, const BYTE* c, size_t length, bool adhoc) {
  if (length <= 11 || !IsOui(c + 2, kOuiRsn)) return;
  SetCipher(g, c[5]);
  size_t at = 6;
  const size_t pairwise = getU16(c + at);
  at += 2;
  for (size_t i = 0; i < pairwise; ++i, at += 4) {
    if (at + 4 > length) return;
    if (!IsOui(c + at, kOuiRsn)) {
      at += 4 * (pairwise - i);
      break;
    }
    SetCipher(g, c[at + 3]);
  }
  if (at + 2 > length) return;
  const size_t akms = getU16(c + at);
  at += 2;
  for (size_t i = 0; i < akms && at + 4 <= length; ++i, at += 4) {
    if (!IsOui(c + at, kOuiRsn)) continue;
    const BYTE type = c[at + 3];
    if (type == 1) g.wpa2 = true;
    if (type == 0 || type == 2) (adhoc ? g.wpa2None : g.wpa2Psk) = true;
  }
}

// The WPA form of a vendor element (00-50-F2-01/02, or the CCX OUI).
void ParseWpa(Gathered& g, const BYTE* c, size_t length, bool adhoc) {
  if (length <= 15) return;
  const BYTE* group = c + 6;
  if (IsOui(group, kOuiWpa)) {
    SetCipher(g, group[3]);
  } else if (IsOui(group, kOuiCcx)) {
    SetVendorFlags(g, group[3]);
  } else {
    return;
  }
  size_t at = 10;
  const size_t pairwise = getU16(c + at);
  at += 2;
  for (size_t i = 0; i < pairwise; ++i, at += 4) {
    if (at + 4 > length) return;
    const BYTE* suite = c + at;
    if (IsOui(suite, kOuiWpa) || (suite[1] == 0x00 && suite[2] == 0x03)) {
      SetCipher(g, suite[3]);
    } else if (IsOui(suite, kOuiCcx)) {
      SetVendorFlags(g, suite[3]);
    } else {
      at += 4 * (pairwise - i);
      break;
    }
  }
  if (at + 2 > length) return;
  const size_t akms = getU16(c + at);
  at += 2;
  for (size_t i = 0; i < akms && at + 4 <= length; ++i, at += 4) {
    const BYTE* suite = c + at;
    if (IsOui(suite, kOuiCcx)) {
      g.cckm = true;
    } else if (IsOui(suite, kOuiWpa) || IsOui(suite, kOuiLegacyAkm)) {
      if (suite[3] == 1) g.wpa = true;
      if (suite[3] == 0 || suite[3] == 2) (adhoc ? g.wpaNone : g.wpaPsk) = true;
    }
  }
}

void FlagText(Field& field, const BYTE* value, WORD size) {
  if (size < 1) return;
  field.clear();
  field.appendFlag(value[0] != 0);
}

void ParseWps(Gathered& g, const BYTE* c, size_t length) {
  g.wps = true;
  for (size_t at = 4; at + 4 < length;) {
    const WORD type = getU16be(c + at);
    const WORD size = getU16be(c + at + 2);
    if (at + attr::kHeaderSize + size > length) return;
    const BYTE* value = c + at + attr::kHeaderSize;
    switch (type) {
      case attr::kConfigMethods:
      case attr::kSelectedRegistrarConfigMethods:
        if (size >= 2) g.configMethods = getU16be(value);
        break;
      case attr::kDevicePasswordId:
        if (size >= 2) g.passwordId = getU16be(value);
        break;
      case attr::kSelectedRegistrar:
        FlagText(g.selectedRegistrar, value, size);
        break;
      case attr::kEnrolleeNonce:
        g.selectedRegistrar.appendHex(value, size);
        break;
      case attr::kWpsState:
        if (size >= 1 && (value[0] == 1 || value[0] == 2)) g.state = value[0];
        break;
      case attr::kVersion:
        if (size >= 1) g.version = value[0];
        break;
      case attr::kApSetupLocked:
        if (size >= 1) g.setupLocked = value[0] != 0;
        break;
      case attr::kUuidE:
        if (size >= attr::kUuidSize && g.uuidSize + attr::kUuidSize <= sizeof g.uuid) {
          std::memcpy(g.uuid + g.uuidSize, value, attr::kUuidSize);
          g.uuidSize += attr::kUuidSize;
        }
        break;
      case attr::kRfBands:
        if (size >= 1) g.bands = value[0];
        break;
      default:
        break;
    }
    at += attr::kHeaderSize + size;
  }
}

void ParseVendor(Gathered& g, const BYTE* c, size_t length, bool adhoc) {
  if (length < 4) return;
  const BYTE type = c[ie::kVendorType];
  if ((IsOui(c, kOuiWpa) && (type == ie::kVendorTypeWpa || type == kWpaType2)) || IsOui(c, kOuiCcx)) {
    if (g.selector == kBssTextSecurity || g.selector == kBssTextVendor) ParseWpa(g, c, length, adhoc);
  } else if (IsOui(c, kOuiWpa) && type == ie::kVendorTypeWps) {
    if (g.selector == kBssTextWps) ParseWps(g, c, length);
  } else if (g.selector != kBssTextHt) {
    return;
  } else if (IsOui(c, kOuiHtVendor) && type == kHtCapVendorType && length == 30) {
    g.ht[kHtCapabilityPresent] = 1;
  } else if (IsOui(c, kOuiHtVendor) && type == kHtInfoVendorType && length > 25) {
    g.ht[kHtInformationPresent] = 1;
  }
}

int Bit(DWORD word, int bit) { return (word >> bit) & 1; }
int Bits(DWORD word, int low, int count) { return (word >> low) & ((1 << count) - 1); }

void ParseHtCapabilities(Gathered& g, const BYTE* c) {
  long long* ht = g.ht;
  const WORD caps = getU16(c + ie::htcap::kCapabilityInfo);
  ht[kHtCapabilityPresent] = 1;
  ht[kLdpc] = Bit(caps, 0);
  ht[kChannelWidthSet] = Bit(caps, 1);
  ht[kSmPowerSave] = Bits(caps, 2, 2);
  ht[kGreenfield] = Bit(caps, 4);
  ht[kShortGi20] = Bit(caps, 5);
  ht[kShortGi40] = Bit(caps, 6);
  ht[kTxStbc] = Bit(caps, 7);
  ht[kRxStbc] = Bits(caps, 8, 2);
  ht[kDelayedBlockAck] = Bit(caps, 10);
  ht[kMaxAmsdu] = Bit(caps, 11);
  ht[kDsssCck40] = Bit(caps, 12);
  ht[kPsmp] = Bit(caps, 13);
  ht[kCapabilityPsmp] = Bit(caps, 13);
  ht[kMaxAmsduLength] = Bit(caps, 11) ? 7935 : 3839;
  ht[kFortyMhzIntolerant] = Bit(caps, 14);
  ht[kLsigTxopProtection] = Bit(caps, 15);
  const BYTE ampdu = c[ie::htcap::kAmpduParameters];
  ht[kMaxAmpduFactor] = Bits(ampdu, 0, 2);
  ht[kMinMpduSpacing] = Bits(ampdu, 2, 3);
  ht[kMaxAmpduLength] = (1ll << (13 + Bits(ampdu, 0, 2))) - 1;
  static const int kSpacingNs[] = {0, 250, 500, 1000, 2000, 4000, 8000, 16000};
  ht[kMinMpduSpacingNs] = kSpacingNs[Bits(ampdu, 2, 3)];
  const BYTE txMcs = c[ie::htcap::kTxMcsParameters];
  ht[kTxMcsSetDefined] = Bit(txMcs, 0);
  ht[kTxRxMcsSetNotEqual] = Bit(txMcs, 1);
  ht[kTxMaxSpatialStreams] = Bits(txMcs, 2, 2);
  ht[kTxUnequalModulation] = Bit(txMcs, 4);
  ht[kDsssCck40Info] = Bit(caps, 12);
  const WORD extended = getU16(c + ie::htcap::kExtendedCapabilities);
  ht[kHtcSupport] = Bit(extended, 10);
  ht[kRdResponder] = Bit(extended, 11);
}

void ParseHtInformation(Gathered& g, const BYTE* c) {
  long long* ht = g.ht;
  ht[kHtInformationPresent] = 1;
  ht[kPrimaryChannel] = c[ie::htinfo::kPrimaryChannel];
  const BYTE info = c[ie::htinfo::kSubset1];
  ht[kInfoSecondaryChannelOffset] = Bits(info, 0, 2);
  ht[kStaChannelWidth] = Bit(info, 2);
  ht[kRifsMode] = Bit(info, 3);
  ht[kPsmpStasOnly] = Bit(info, 4);
  ht[kInfoPsmp] = Bit(info, 4);
  ht[kServiceIntervalGranularity] = Bits(info, 5, 3);
  const WORD operation = getU16(c + ie::htinfo::kOperation);
  ht[kOperatingMode] = Bits(operation, 0, 2);
  ht[kNonGreenfieldPresent] = Bit(operation, 2);
  ht[kTransmitBurstLimit] = Bit(operation, 3);
  ht[kObssNonHtPresent] = Bit(operation, 4);
  const WORD operation2 = getU16(c + ie::htinfo::kOperation2);
  ht[kDualBeacon] = Bit(operation2, 6);
  ht[kDualCtsProtection] = Bit(operation2, 7);
  ht[kSecondaryBeacon] = Bit(operation2, 8);
  ht[kLsigTxopFullSupport] = Bit(operation2, 9);
  ht[kPcoActive] = Bit(operation2, 10);
  ht[kPcoPhase] = Bit(operation2, 11);
  for (int i = 0; i < 4; ++i) ht[kBasicMcsSet0 + i] = static_cast<LONG>(getU32(c + ie::htinfo::kBasicMcsSet + 4 * i));
}

void ParseElement(Gathered& g, BYTE id, const BYTE* c, size_t length, bool adhoc) {
  if (id == ie::kVendorSpecific) {
    ParseVendor(g, c, length, adhoc);
    return;
  }
  if (id == ie::kRsn) {
    if (g.selector == kBssTextSecurity) ParseRsn(g, c, length, adhoc);
    return;
  }
  if (g.selector != kBssTextHt) return;
  switch (id) {
    case ie::kHtCapabilities:
      if (length == ie::htcap::kSize) ParseHtCapabilities(g, c);
      break;
    case ie::kHtInformation:
      if (length >= ie::htinfo::kSize) ParseHtInformation(g, c);
      break;
    case ie::kExtendedCapabilities:
      if (length >= 1) g.ht[kHtInfoExchange] = Bit(c[0], 0);
      break;
    case ie::kSecondaryChannelOffset:
      if (length == 3) g.ht[kSecondaryChannelOffset] = c[0];
      break;
    case ie::kNeighborReport:
      if (length > 12) {
        const DWORD information = getU32(c + 6);
        g.ht[kMobilityDomain] = Bit(information, 11);
        g.ht[kHighThroughput] = Bit(information, 12);
      }
      break;
    default:
      break;
  }
}

// The element area of a sound record, or nullptr.
const BYTE* ElementArea(const BYTE* bss, DWORD available, DWORD& ieLength) {
  namespace record = ndis::bssid;
  if (!bss || available < record::kHeadSize) return nullptr;
  const DWORD length = getU32(bss + record::kLength);
  if (length < record::kHeadSize || length > available) return nullptr;
  ieLength = getU32(bss + record::kIeLength);
  if (ieLength > length - record::kHeadSize) return nullptr;
  return bss + record::kIes;
}

// Whether the text of `kSelector` reads elements of this id: the security
// and vendor texts read RSN and vendor elements, the WPS text vendor elements
// only; the 802.11n text reads several.
template <int kSelector>
bool ReadsElement(BYTE id) {
  if (kSelector == kBssTextSecurity) return id == ie::kVendorSpecific || id == ie::kRsn;
  if (kSelector == kBssTextHt) return true;
  return id == ie::kVendorSpecific;
}

template <int kSelector>
void Walk(Gathered& g, const BYTE* ies, size_t ieLength, bool adhoc) {
  for (size_t at = ndis::fixed::kSize; at + 2 <= ieLength;) {
    const BYTE id = ies[at];
    const size_t next = at + 2 + ies[at + 1];
    if (next > ieLength) break;
    if (ReadsElement<kSelector>(id)) ParseElement(g, id, ies + at + 2, next - at - 2, adhoc);
    at = next;
  }
}

void Gather(Gathered& g, const BYTE* bss, DWORD available) {
  DWORD ieLength = 0;
  const BYTE* ies = ElementArea(bss, available, ieLength);
  if (!ies || ieLength <= 3) return;
  const bool adhoc = getU32(bss + ndis::bssid::kInfrastructureMode) == 0;
  switch (g.selector) {
    case kBssTextSecurity:
      return Walk<kBssTextSecurity>(g, ies, ieLength, adhoc);
    case kBssTextVendor:
      return Walk<kBssTextVendor>(g, ies, ieLength, adhoc);
    case kBssTextWps:
      return Walk<kBssTextWps>(g, ies, ieLength, adhoc);
    default:
      return Walk<kBssTextHt>(g, ies, ieLength, adhoc);
  }
}

// The elements the text of `selector` needs, gathered from the record.
Gathered GatherFor(int selector, const BYTE* bss, DWORD available) {
  Gathered g(selector);
  if (selector == kBssTextHt) std::fill(std::begin(g.ht), std::end(g.ht), 0);
  Gather(g, bss, available);
  return g;
}

using Output = Text<2 * sizeof(Field::data) + 256>;

bool HasAuthentication(const Gathered& g) {
  return g.wpa || g.wpaPsk || g.wpaNone || g.wpa2 || g.wpa2Psk || g.wpa2None;
}
bool HasCipher(const Gathered& g) { return g.tkip || g.wrap || g.ccmp; }
bool HasHt(const Gathered& g) { return g.ht[kHtCapabilityPresent] || g.ht[kHtInformationPresent]; }

void AppendSecurity(Output& out, const Gathered& g) {
  const size_t start = out.size;
  if (g.wpa) out.append("WPA+");
  if (g.wpaPsk) out.append("WPA-PSK+");
  if (g.wpaNone) out.append("WPA-NONE+");
  if (g.wpa2) out.append("WPA2+");
  if (g.wpa2Psk) out.append("WPA2-PSK+");
  if (g.wpa2None) out.append("WPA2-NONE+");
  if (out.size == start) {
    out.append("Unknown");
  } else {
    --out.size;  // the final "+"
  }
  out.append(';');
  const size_t cipherStart = out.size;
  if (g.tkip) out.append("TKIP+");
  if (g.wrap || g.ccmp) out.append("AES+");
  if (out.size == cipherStart) {
    out.append("None");
  } else {
    --out.size;
  }
}

void AppendUnknown(Output& out) { out.append("Unknown;"); }

void AppendField(Output& out, const Field& field) {
  if (!field.size) return AppendUnknown(out);
  out.append(field.data, field.size);
  out.append(';');
}

void AppendWord(Output& out, int value) {
  if (value < 0) return AppendUnknown(out);
  const BYTE word[2] = {static_cast<BYTE>(value >> 8), static_cast<BYTE>(value)};
  out.append("0x");
  out.appendHex(word, 2);
  out.append(';');
}

void AppendWps(Output& out, const Gathered& g) {
  AppendWord(out, g.configMethods);
  AppendWord(out, g.passwordId);
  AppendField(out, g.selectedRegistrar);
  if (g.state == 1) {
    out.append("Unconfigured;");
  } else if (g.state == 2) {
    out.append("Configured;");
  } else {
    AppendUnknown(out);
  }
  if (g.version < 0) {
    AppendUnknown(out);
  } else {
    out.appendNumber(g.version >> 4);
    out.append('.');
    out.appendNumber(g.version & 15);
    out.append(';');
  }
  if (g.setupLocked < 0) {
    AppendUnknown(out);
  } else {
    out.appendFlag(g.setupLocked != 0);
    out.append(';');
  }
  if (g.uuidSize) {
    out.appendHex(g.uuid, g.uuidSize);
    out.append(';');
  } else {
    AppendUnknown(out);
  }
  if (g.bands == 1) {
    out.append("2.4GHz;");
  } else if (g.bands == 2) {
    out.append("5GHz;");
  } else if (g.bands == 3) {
    out.append("2.4GHz + 5GHz;");
  } else {
    AppendUnknown(out);
  }
  out.appendFlag(g.wps);
}

}  // namespace

CString ParseBssInfoElements(const BYTE* bss, DWORD available, int selector) {
  if (selector < kBssTextSecurity || selector > kBssTextBeaconInterval) return CString();
  Output out;
  if (selector == kBssTextBeaconInterval) {
    DWORD ieLength = 0;
    const BYTE* ies = ElementArea(bss, available, ieLength);
    const DWORD interval = ies && ieLength >= ndis::fixed::kCapabilities
                               ? getU16(ies + ndis::fixed::kBeaconInterval)
                               : 0;
    out.appendNumber(interval);
    return CString(out.data, static_cast<int>(out.size));
  }
  const Gathered g = GatherFor(selector, bss, available);
  switch (selector) {
    case kBssTextSecurity:
      AppendSecurity(out, g);
      break;
    case kBssTextVendor:
      out.appendFlag(g.cckm);
      out.append(';');
      out.appendFlag(g.vendorB);
      out.append(';');
      out.appendFlag(g.vendorA);
      break;
    case kBssTextWps:
      AppendWps(out, g);
      break;
    default:  // kBssTextHt
      for (int i = 0; i < kHtValueCount; ++i) {
        if (IsNumberField(i)) {
          out.appendNumber(g.ht[i]);
        } else {
          out.appendFlag(g.ht[i] != 0);
        }
        out.append(';');
      }
      out.appendFlag(HasHt(g));
      break;
  }
  return CString(out.data, static_cast<int>(out.size));
}

BssElementMarks ReadBssElementMarks(const BYTE* bss, DWORD available) {
  const Gathered security = GatherFor(kBssTextSecurity, bss, available);
  BssElementMarks marks;
  marks.secured = HasAuthentication(security) || HasCipher(security);
  marks.wps = GatherFor(kBssTextWps, bss, available).wps;
  marks.ht = HasHt(GatherFor(kBssTextHt, bss, available));
  return marks;
}
