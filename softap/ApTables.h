// The driver tables the AP pages show: the station table (OID_VX_STATION_TABLE)
// and the Block-Ack table (OID_VX_BLOCK_ACK), read from what the driver
// returned only, with their counts cut to the entries the table holds and the
// bytes that came back; and the rate of a 16-bit transmit setting.
#pragma once

#include <array>
#include <vector>

#include "platform/Platform.h"
#include "softap/ApRecords.h"

class CHTTable_AP;

namespace aptable {

// Station table: count (u32), 32 entries of 10 bytes (802.11n: MAC, AID,
// power save, transmit setting) or 8 bytes (without the setting).
namespace station {
constexpr DWORD kMaxEntries = 32;
constexpr size_t kEntries = 4;
constexpr size_t kHtEntrySize = 10;
constexpr size_t kEntrySize = 8;
constexpr size_t kAid = 6;
constexpr size_t kPowerSave = 7;
constexpr size_t kSetting = 8;
constexpr DWORD kHtSize = 324;
constexpr DWORD kSize = 260;
}  // namespace station

// Block-Ack table: 32 originator and 32 recipient entries of 48 bytes, then
// the two counts (u8) and two spare bytes. Entry: peer MAC, TID bitmap, one
// byte, window size per TID, a 16-bit value per TID, 16 bytes not used.
namespace blockack {
constexpr DWORD kMaxEntries = 32;
constexpr size_t kEntrySize = 48;
constexpr size_t kRecipients = 1536;
constexpr size_t kOriginatorCount = 3072;
constexpr size_t kRecipientCount = 3073;
constexpr size_t kTids = 6;
constexpr size_t kWindows = 8;
constexpr size_t kValues = 16;
constexpr int kTidCount = 8;
constexpr DWORD kSize = 3076;
// The 14-byte session command: direction, peer, TID, window size, two zero
// bytes, the whole-entry flag of a delete.
constexpr size_t kCmdDirection = 0;
constexpr size_t kCmdPeer = 1;
constexpr size_t kCmdTid = 7;
constexpr size_t kCmdWindow = 8;
constexpr size_t kCmdWholeEntry = 12;
constexpr DWORD kCommandSize = 14;
}  // namespace blockack

}  // namespace aptable

// Transmit setting (16 bits): bits 0-6 MCS or rate index, bit 7 40 MHz, bit 8
// short guard interval, bits 14-15 PHY mode (0 CCK, 1 OFDM, 2 and 3 HT).
enum ApPhyMode { kApPhyCck = 0, kApPhyOfdm = 1, kApPhyHt = 2 };
inline int PhyModeOf(WORD setting) { return setting >> 14; }
inline int McsOf(WORD setting) { return setting & 0x7F; }
inline int Bandwidth40Of(WORD setting) { return (setting >> 7) & 1; }
inline int ShortGiOf(WORD setting) { return (setting >> 8) & 1; }
// The rate in Mbit/s: CCK index 0-3 and 8-11 (1, 2, 5.5, 11), OFDM index 0-7
// (6 to 54), HT from `table`; 0 for anything else.
double TransmitSettingRate(WORD setting, const CHTTable_AP& table);

// "%02X-%02X-%02X-%02X-%02X-%02X" of six bytes.
CString FormatMacText(const BYTE* mac);

struct ApStationEntry {
  MacAddress mac{};
  BYTE aid = 0;
  BYTE powerSave = 0;
  WORD setting = 0;
};
// The entries of a station-table answer of `returned` bytes in the 802.11n
// (`ht`) or the plain form; the count cut to 32 and to the whole entries
// returned (a cut is logged).
std::vector<ApStationEntry> ParseStationTable(const BYTE* table, DWORD returned, BOOL ht);
// The station list's status text of a transmit setting: "B: ", nothing, or
// "N: MCS = %d, BW = 40|20, GI = 400|800, " by PHY mode, then "Rate = %.2f".
CString StationStatusText(WORD setting, const CHTTable_AP& table);

// One TID of a shown Block-Ack entry.
struct BlockAckItem {
  int direction = 0;  // 0 originator, 1 recipient
  MacAddress mac{};
  int tid = 0;
  int windowSize = 0;
  WORD value = 0;
  BOOL active = FALSE;
};
struct BlockAckRow {
  CString texts[1 + aptable::blockack::kTidCount];  // MAC, then the window per TID or "-"
  std::array<BlockAckItem, aptable::blockack::kTidCount> items;
};
// The rows of one direction of a Block-Ack table answer of `returned` bytes:
// entries in order (at most 32, whole ones returned) until as many with a
// session as the count have been taken; an entry without a session (empty
// TID bitmap) is passed over.
std::vector<BlockAckRow> ParseBlockAckTable(const BYTE* table, DWORD returned, int direction);
