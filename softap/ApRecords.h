// The byte-exact records the AP side exchanges with the driver: their sizes,
// the offsets of their fields, and the builders of the records it sends.
// Little-endian, written field by field; the `layout` structs exist only to
// pin the offsets with static_asserts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Platform.h"
#include "platform/wire/NdisKey.h"

using ApRecord = std::vector<BYTE>;
using MacAddress = std::array<BYTE, 6>;

namespace aprecord {

// Region word: low byte the 2.4 GHz region, second byte the 5 GHz region;
// the driver marks a region fixed with bit 7 / bit 15.
constexpr DWORD kRegionSize = 4;
constexpr DWORD kRegionFixedBandG = 0x80;
constexpr DWORD kRegionFixedBandA = 0x8000;

// Desired rates: up to eight rates in 500 kbit/s units, the rest 0.
constexpr DWORD kRatesSize = 8;

// NDIS_802_11_CONFIGURATION.
namespace config {
constexpr size_t kLength = 0;
constexpr size_t kBeaconPeriod = 4;
constexpr size_t kAtimWindow = 8;
constexpr size_t kDsConfig = 12;  // centre frequency in kHz
constexpr size_t kFhConfig = 16;
constexpr DWORD kSize = 32;
}  // namespace config

// 802.11n transmit setting, packed from the driver key's "TransmitSetting".
namespace httransmit {
constexpr size_t kMode = 0;              // u32: bits 0-3
constexpr size_t kPhyMode = 4;           // bits 14-15
constexpr size_t kHtMode = 5;            // bit 16
constexpr size_t kExtensionChannel = 6;  // bits 17-18
constexpr size_t kMcs = 7;               // bits 4-10
constexpr size_t kBandwidth40 = 8;       // bit 11
constexpr size_t kStbc = 9;              // bit 13
constexpr size_t kShortGi = 10;          // bit 12
constexpr DWORD kSize = 12;              // byte 11 carries no value
}  // namespace httransmit

// The AP option block: eight u32 fields; the eighth is the driver's own.
namespace options {
constexpr size_t kTxBurst = 0;
constexpr size_t kTurboRate = 4;
constexpr size_t kNoForwarding = 8;
constexpr size_t kHideSsid = 12;
constexpr size_t kBgProtection = 16;
constexpr size_t kShortSlot = 20;
constexpr size_t kIdleTime = 24;
constexpr DWORD kSize = 32;
}  // namespace options

// RADIUS server: address, port, shared secret.
namespace radius {
constexpr size_t kAddress = 0;
constexpr size_t kPort = 4;
constexpr size_t kSecret = 8;
constexpr DWORD kSecretSize = 64;
constexpr DWORD kSize = 72;
}  // namespace radius

// Group rekey: method, interval.
namespace rekey {
constexpr size_t kMethod = 0;
constexpr size_t kInterval = 4;
constexpr DWORD kSize = 8;
}  // namespace rekey

// NDIS_802_11_REMOVE_KEY with its two bytes of padding.
namespace removekey = wavorel::wire::ndis::removekey;

// Access control: policy, count, 32 entries of a MAC and two zero bytes.
namespace acl {
constexpr size_t kPolicy = 0;
constexpr size_t kCount = 4;
constexpr size_t kEntries = 8;
constexpr size_t kEntrySize = 8;
constexpr DWORD kMaxEntries = 32;
constexpr DWORD kSize = 264;
}  // namespace acl

// WDS: peer count 0..3, three MACs, two zero bytes, key length 0 or 32, key.
namespace wds {
constexpr size_t kCount = 0;
constexpr size_t kPeers = 4;
constexpr DWORD kMaxPeers = 3;
constexpr size_t kKeyLength = 24;
constexpr size_t kKey = 28;
constexpr DWORD kKeySize = 32;
constexpr DWORD kSize = 60;
}  // namespace wds

// The event-log block: new-entry count, four reserved bytes, ten entries of
// 16 bytes (FILETIME in UTC, station MAC, event code).
namespace eventlog {
constexpr size_t kCount = 0;
constexpr size_t kEntries = 8;
constexpr size_t kEntrySize = 16;
constexpr size_t kEntryTime = 0;
constexpr size_t kEntryMac = 8;
constexpr size_t kEntryCode = 14;
constexpr DWORD kMaxEntries = 10;
constexpr DWORD kSize = 168;
}  // namespace eventlog

// Chip register access: {space, address, value}.
namespace reg {
constexpr size_t kSpace = 0;
constexpr size_t kAddress = 4;
constexpr size_t kValue = 8;
constexpr DWORD kSize = 12;
}  // namespace reg

namespace layout {
struct Configuration {
  uint32_t Length, BeaconPeriod, ATIMWindow, DSConfig;
  uint32_t FHConfig[4];
};
struct HtTransmit {
  uint32_t Mode;
  uint8_t PhyMode, HtMode, ExtensionChannel, Mcs, Bandwidth40, Stbc, ShortGi, Unused;
};
struct Radius {
  uint32_t Address, Port;
  uint8_t Secret[64];
};
struct RemoveKey {
  uint32_t Length, KeyIndex;
  uint8_t Bssid[6];
};
struct AccessControl {
  uint32_t Policy, Count;
  struct Entry {
    uint8_t Mac[6];
    uint8_t Zero[2];
  } Entries[32];
};
struct Wds {
  uint32_t Count;
  uint8_t Peers[3][6];
  uint32_t KeyLength;
  uint8_t Key[32];
};
struct EventLogEntry {
  uint64_t Time;
  uint8_t Mac[6];
  uint16_t Code;
};
struct EventLog {
  uint32_t Count, Reserved;
  EventLogEntry Entries[10];
};
}  // namespace layout

static_assert(sizeof(layout::Configuration) == config::kSize && offsetof(layout::Configuration, DSConfig) == config::kDsConfig);
static_assert(sizeof(layout::HtTransmit) == httransmit::kSize && offsetof(layout::HtTransmit, ShortGi) == httransmit::kShortGi);
static_assert(sizeof(layout::Radius) == radius::kSize && offsetof(layout::Radius, Secret) == radius::kSecret);
static_assert(sizeof(layout::RemoveKey) == removekey::kSize && offsetof(layout::RemoveKey, Bssid) == removekey::kBssid);
static_assert(sizeof(layout::AccessControl) == acl::kSize && offsetof(layout::AccessControl, Entries) == acl::kEntries &&
              sizeof(layout::AccessControl::Entry) == acl::kEntrySize);
static_assert(sizeof(layout::Wds) == wds::kSize && offsetof(layout::Wds, KeyLength) == wds::kKeyLength &&
              offsetof(layout::Wds, Key) == wds::kKey);
static_assert(sizeof(layout::EventLogEntry) == eventlog::kEntrySize &&
              offsetof(layout::EventLogEntry, Code) == eventlog::kEntryCode);
static_assert(sizeof(layout::EventLog) == eventlog::kSize && offsetof(layout::EventLog, Entries) == eventlog::kEntries);

}  // namespace aprecord

// One driver event as the event-log store keeps it (the driver's 16-byte entry).
struct _VX_802_11_EVENT_LOG {
  FILETIME Time;         // UTC
  BYTE MacAddress[6];    // the station's
  USHORT EventCode;
};
static_assert(sizeof(_VX_802_11_EVENT_LOG) == aprecord::eventlog::kEntrySize, "event-log entry");
static_assert(offsetof(_VX_802_11_EVENT_LOG, EventCode) == aprecord::eventlog::kEntryCode, "event-log entry");

// ---- Builders of the records the AP sends ----
// The NDIS_802_11_KEY record (worker/ProfileData.h) of `length` bytes of
// `material` (at most 32): record length 39 + length, `keyIndex` with its
// transmit bit, the broadcast BSSID for a WEP key or a zero BSSID
// (`broadcast` FALSE) for the pre-shared key.
ApRecord BuildKeyRecord(DWORD keyIndex, const BYTE* material, DWORD length, BOOL broadcast);
// The 16-byte remove-key record of key index 0..3.
ApRecord BuildRemoveKeyRecord(DWORD keyIndex);
// The desired-rates record of a rate index for the wireless mode: in modes 2
// and 8 index 1..8 one OFDM rate, else all eight; in other modes index 1..12
// one rate, else the mode's list (mode 1: the four CCK rates). An index out of
// 0..4 in mode 1 or 0..8 in mode 2 counts as 0.
ApRecord BuildRatesRecord(int wirelessMode, int rateIndex);
// The 802.11n transmit record of a "TransmitSetting" word.
ApRecord BuildHtTransmitRecord(DWORD transmitSetting);
// The access-control record: `policy` and at most 32 MACs.
ApRecord BuildAccessControlRecord(DWORD policy, const std::vector<MacAddress>& macs);
// The WDS record of every sender: peers (at most 3) only while `enabled` and
// the cipher index is below 4 (WEP or none); with authentication 4, 7 or 9 the
// link key derived from the pre-shared key text over "Tavemo" (length 0 when
// none can be derived).
ApRecord BuildWdsRecord(BOOL enabled, const std::vector<MacAddress>& peers, int authIndex, int cipherIndex,
                        const CString& preSharedKey);
// The event-log block's entries: the count it claims cut to 10 and to the
// entries the bytes returned hold (what is cut is logged); an answer without
// its count counts as a failed read and gives none.
std::vector<_VX_802_11_EVENT_LOG> ParseEventLogBlock(const BYTE* block, DWORD returned);

// ---- NDIS 802.11 records of Wavorel's AP ----
namespace ndisrecord {
// OID_802_11_NETWORK_TYPES_SUPPORTED: a count and at most four 32-bit types.
constexpr DWORD kNetworkTypesSize = 20;
constexpr DWORD kMaxNetworkTypes = 4;
constexpr DWORD kNetworkTypeOfdm5 = 2;
// OID_802_11_SSID: a 32-bit length and 32 bytes.
constexpr DWORD kSsidBytes = 32;
constexpr DWORD kSsidRecordSize = 4 + kSsidBytes;
}  // namespace ndisrecord
// The types of a network-types answer: the count it claims cut to four and
// to the types the bytes returned hold (what is cut is logged).
std::vector<DWORD> ParseNetworkTypes(const BYTE* record, DWORD returned);
// The SSID of an SSID record: its length cut to 32 and to the bytes returned
// (what is cut is logged).
CString ParseSsidRecord(const BYTE* record, DWORD returned);
// The SSID record of a text, cut to 32 bytes.
ApRecord BuildSsidRecord(const CString& ssid);
