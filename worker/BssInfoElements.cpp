#include "worker/BssInfoElements.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "worker/LeBytes.h"
#include "worker/NdisBssid.h"

namespace {

// Element ids.
constexpr BYTE kIdNeighborReport = 52;
constexpr BYTE kIdHtCapabilities = 45;
constexpr BYTE kIdRsn = 48;
constexpr BYTE kIdHtInformation = 61;
constexpr BYTE kIdSecondaryChannelOffset = 62;
constexpr BYTE kIdExtendedCapabilities = 127;
constexpr BYTE kIdVendor = 221;

const BYTE kOuiRsn[3] = {0x00, 0x0F, 0xAC};
const BYTE kOuiWpa[3] = {0x00, 0x50, 0xF2};
const BYTE kOuiCcx[3] = {0x00, 0x40, 0x96};
const BYTE kOuiHtVendor[3] = {0x00, 0x90, 0x4C};
const BYTE kOuiLegacyAkm[3] = {0x00, 0x00, 0x42};

constexpr BYTE kWpaType = 0x01;
constexpr BYTE kWpaType2 = 0x02;
constexpr BYTE kWpsType = 0x04;
constexpr BYTE kHtCapVendorType = 0x33;
constexpr BYTE kHtInfoVendorType = 0x34;

// WPS attributes.
constexpr WORD kAttrConfigMethods = 0x1008;
constexpr WORD kAttrPasswordId = 0x1012;
constexpr WORD kAttrEnrolleeNonce = 0x101A;
constexpr WORD kAttrRfBands = 0x103C;
constexpr WORD kAttrSelectedRegistrar = 0x1041;
constexpr WORD kAttrState = 0x1044;
constexpr WORD kAttrUuidE = 0x1047;
constexpr WORD kAttrVersion = 0x104A;
constexpr WORD kAttrRegistrarConfigMethods = 0x1053;
constexpr WORD kAttrSetupLocked = 0x1057;
constexpr WORD kUuidSize = 16;

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
    static const char kDigits[] = "0123456789ABCDEF";
    if (count > (N - size) / 2) count = (N - size) / 2;
    char* at = data + size;
    for (size_t i = 0; i < count; ++i) {
      at[2 * i] = kDigits[bytes[i] >> 4];
      at[2 * i + 1] = kDigits[bytes[i] & 15];
    }
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
  // The attributes kept as read (-1 or 0: not given); the two texts that
  // attributes append to are kept as text.
  int configMethods = -1, passwordId = -1, state = 0, version = -1, setupLocked = -1, bands = 0;
  Field selectedRegistrar, uuid;
  // 802.11n (selector 3 only).
  long long ht[kHtValueCount];
};

bool IsOui(const BYTE* at, const BYTE oui[3]) { return at[0] == oui[0] && at[1] == oui[1] && at[2] == oui[2]; }

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
  const size_t pairwise = GetLeU16(c + at);
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
  const size_t akms = GetLeU16(c + at);
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
  const size_t pairwise = GetLeU16(c + at);
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
  const size_t akms = GetLeU16(c + at);
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
    const WORD type = static_cast<WORD>(c[at] << 8 | c[at + 1]);
    const WORD size = static_cast<WORD>(c[at + 2] << 8 | c[at + 3]);
    if (at + 4 + size > length) return;
    const BYTE* value = c + at + 4;
    switch (type) {
      case kAttrConfigMethods:
      case kAttrRegistrarConfigMethods:
        if (size >= 2) g.configMethods = value[0] << 8 | value[1];
        break;
      case kAttrPasswordId:
        if (size >= 2) g.passwordId = value[0] << 8 | value[1];
        break;
      case kAttrSelectedRegistrar:
        FlagText(g.selectedRegistrar, value, size);
        break;
      case kAttrEnrolleeNonce:
        g.selectedRegistrar.appendHex(value, size);
        break;
      case kAttrState:
        if (size >= 1 && (value[0] == 1 || value[0] == 2)) g.state = value[0];
        break;
      case kAttrVersion:
        if (size >= 1) g.version = value[0];
        break;
      case kAttrSetupLocked:
        if (size >= 1) g.setupLocked = value[0] != 0;
        break;
      case kAttrUuidE:
        if (size >= kUuidSize) g.uuid.appendHex(value, kUuidSize);
        break;
      case kAttrRfBands:
        if (size >= 1) g.bands = value[0];
        break;
      default:
        break;
    }
    at += 4 + size;
  }
}

void ParseVendor(Gathered& g, const BYTE* c, size_t length, bool adhoc) {
  if (length < 4) return;
  const BYTE type = c[3];
  if ((IsOui(c, kOuiWpa) && (type == kWpaType || type == kWpaType2)) || IsOui(c, kOuiCcx)) {
    if (g.selector == kBssTextSecurity || g.selector == kBssTextVendor) ParseWpa(g, c, length, adhoc);
  } else if (IsOui(c, kOuiWpa) && type == kWpsType) {
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
  const WORD caps = GetLeU16(c);
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
  const BYTE ampdu = c[2];
  ht[kMaxAmpduFactor] = Bits(ampdu, 0, 2);
  ht[kMinMpduSpacing] = Bits(ampdu, 2, 3);
  ht[kMaxAmpduLength] = (1ll << (13 + Bits(ampdu, 0, 2))) - 1;
  static const int kSpacingNs[] = {0, 250, 500, 1000, 2000, 4000, 8000, 16000};
  ht[kMinMpduSpacingNs] = kSpacingNs[Bits(ampdu, 2, 3)];
  const BYTE txMcs = c[15];  // byte 12 of the supported MCS set
  ht[kTxMcsSetDefined] = Bit(txMcs, 0);
  ht[kTxRxMcsSetNotEqual] = Bit(txMcs, 1);
  ht[kTxMaxSpatialStreams] = Bits(txMcs, 2, 2);
  ht[kTxUnequalModulation] = Bit(txMcs, 4);
  ht[kDsssCck40Info] = Bit(caps, 12);
  const WORD extended = GetLeU16(c + 19);
  ht[kHtcSupport] = Bit(extended, 10);
  ht[kRdResponder] = Bit(extended, 11);
}

void ParseHtInformation(Gathered& g, const BYTE* c) {
  long long* ht = g.ht;
  ht[kHtInformationPresent] = 1;
  ht[kPrimaryChannel] = c[0];
  const BYTE info = c[1];
  ht[kInfoSecondaryChannelOffset] = Bits(info, 0, 2);
  ht[kStaChannelWidth] = Bit(info, 2);
  ht[kRifsMode] = Bit(info, 3);
  ht[kPsmpStasOnly] = Bit(info, 4);
  ht[kInfoPsmp] = Bit(info, 4);
  ht[kServiceIntervalGranularity] = Bits(info, 5, 3);
  const WORD operation = GetLeU16(c + 2);
  ht[kOperatingMode] = Bits(operation, 0, 2);
  ht[kNonGreenfieldPresent] = Bit(operation, 2);
  ht[kTransmitBurstLimit] = Bit(operation, 3);
  ht[kObssNonHtPresent] = Bit(operation, 4);
  const WORD operation2 = GetLeU16(c + 4);
  ht[kDualBeacon] = Bit(operation2, 6);
  ht[kDualCtsProtection] = Bit(operation2, 7);
  ht[kSecondaryBeacon] = Bit(operation2, 8);
  ht[kLsigTxopFullSupport] = Bit(operation2, 9);
  ht[kPcoActive] = Bit(operation2, 10);
  ht[kPcoPhase] = Bit(operation2, 11);
  for (int i = 0; i < 4; ++i) ht[kBasicMcsSet0 + i] = static_cast<LONG>(GetLeU32(c + 6 + 4 * i));
}

void ParseElement(Gathered& g, BYTE id, const BYTE* c, size_t length, bool adhoc) {
  if (id == kIdVendor) {
    ParseVendor(g, c, length, adhoc);
    return;
  }
  if (id == kIdRsn) {
    if (g.selector == kBssTextSecurity) ParseRsn(g, c, length, adhoc);
    return;
  }
  if (g.selector != kBssTextHt) return;
  switch (id) {
    case kIdHtCapabilities:
      if (length == 26) ParseHtCapabilities(g, c);
      break;
    case kIdHtInformation:
      if (length > 21) ParseHtInformation(g, c);
      break;
    case kIdExtendedCapabilities:
      if (length >= 1) g.ht[kHtInfoExchange] = Bit(c[0], 0);
      break;
    case kIdSecondaryChannelOffset:
      if (length == 3) g.ht[kSecondaryChannelOffset] = c[0];
      break;
    case kIdNeighborReport:
      if (length > 12) {
        const DWORD information = GetLeU32(c + 6);
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
  using namespace ndis_bssid;
  if (!bss || available < kHeadSize) return nullptr;
  const DWORD length = GetLeU32(bss + kLength);
  if (length < kHeadSize || length > available) return nullptr;
  ieLength = GetLeU32(bss + kIeLength);
  if (ieLength > length - kHeadSize) return nullptr;
  return bss + kIes;
}

void Gather(Gathered& g, const BYTE* bss, DWORD available) {
  DWORD ieLength = 0;
  const BYTE* ies = ElementArea(bss, available, ieLength);
  if (!ies || ieLength <= 3) return;
  const bool adhoc = GetLeU32(bss + ndis_bssid::kInfrastructureMode) == 0;
  for (size_t at = ndis_bssid::kFixedSize; at + 2 <= ieLength;) {
    const BYTE id = ies[at];
    const size_t length = ies[at + 1];
    if (at + 2 + length > ieLength) break;
    ParseElement(g, id, ies + at + 2, length, adhoc);
    at += 2 + length;
  }
}

using Output = Text<2 * sizeof(Field::data) + 256>;

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
  AppendField(out, g.uuid);
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
    const DWORD interval = ies && ieLength >= ndis_bssid::kFixedCapability
                               ? GetLeU16(ies + ndis_bssid::kFixedBeaconInterval)
                               : 0;
    out.appendNumber(interval);
    return CString(out.data, static_cast<int>(out.size));
  }
  Gathered g(selector);
  if (selector == kBssTextHt) std::fill(std::begin(g.ht), std::end(g.ht), 0);
  Gather(g, bss, available);
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
      out.appendFlag(g.ht[kHtCapabilityPresent] || g.ht[kHtInformationPresent]);
      break;
  }
  return CString(out.data, static_cast<int>(out.size));
}
