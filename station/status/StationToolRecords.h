// The driver records of the station's tool pages and their window-free
// readers: the Block-Ack table and session request of the 802.11n setting
// page and its dialogs, the station table those dialogs list peers from, and
// the direct-link (DLS) table of the WMM page. Every reader takes the bytes
// the driver returned and never reads past them.
#pragma once

#include <array>
#include <vector>

#include "platform/Platform.h"

using MacAddress = std::array<BYTE, 6>;

// "%02X-%02X-%02X-%02X-%02X-%02X".
CString MacText(const BYTE mac[6]);
// The text's "-" removed, then its first 12 characters as six bytes, two
// hexadecimal digits each; a shorter text reads as padded with '0'.
void ParseMacText(LPCSTR text, BYTE mac[6]);

// ---- Block-Ack table (3076 bytes): 32 originator entries, 32 recipient
// entries of 48 bytes, then the two count bytes ----
constexpr DWORD kBlockAckTableSize = 3076;
constexpr int kBlockAckEntries = 32;
constexpr DWORD kBlockAckEntrySize = 48;
constexpr DWORD kBlockAckRecipientEntries = 1536;
constexpr DWORD kBlockAckOriginatorCount = 3072;
constexpr DWORD kBlockAckRecipientCount = 3073;
// In an entry: the peer, the TID bitmap and one window byte per TID.
constexpr DWORD kBlockAckEntryPeer = 0;
constexpr DWORD kBlockAckEntryTids = 6;
constexpr DWORD kBlockAckEntryWindows = 8;
constexpr int kBlockAckTids = 8;
static_assert(kBlockAckRecipientEntries == kBlockAckEntries * kBlockAckEntrySize, "recipient entries follow");
static_assert(kBlockAckOriginatorCount == 2 * kBlockAckEntries * kBlockAckEntrySize, "counts follow the entries");

// One row of a Block-Ack list: the peer's MAC text, then one text per TID
// ("%d" of its window size, "-" without a session).
struct BlockAckRow {
  static constexpr int kColumns = 1 + kBlockAckTids;
  std::array<CString, kColumns> columns;
};

// The rows of one direction (`recipient` 0: the originator entries) of a
// table of which `returned` bytes came from the driver (the rest reads as
// empty): entries with an empty TID bitmap give no row. TRUE when the rows
// appended reach the table's count byte (the list then shows them); FALSE
// when the count byte is 0 or the 32 entries end first.
BOOL ReadBlockAckRows(const BYTE* table, DWORD returned, BOOL recipient, std::vector<BlockAckRow>& rows);

// ---- Block-Ack session request (14 bytes) ----
constexpr DWORD kBlockAckSessionSize = 14;
struct BlockAckSession {
  BYTE recipient = 0;  // 0: the adapter is the originator
  MacAddress peer{};
  BYTE tid = 0;
  BYTE windowSize = 0;
  BYTE allSessions = 0;
};
// The request's bytes: flag at 0, peer at 1, TID at 7, window size at 8,
// all-sessions flag at 12, everything else 0.
std::array<BYTE, kBlockAckSessionSize> MakeBlockAckSession(const BlockAckSession& session);

// ---- Station table (324 bytes): a 4-byte count, then at most 32 entries
// of 10 bytes whose first 6 are the peer's MAC ----
constexpr DWORD kStationTableSize = 324;
constexpr DWORD kStationEntrySize = 10;
constexpr int kStationEntries = 32;
static_assert(kStationTableSize == 4 + kStationEntries * kStationEntrySize, "station table size");
// The peers in table order: the count cut to 32 and to the entries of the
// `returned` bytes.
std::vector<MacAddress> ReadStationTablePeers(const BYTE* table, DWORD returned);

// ---- DLS link table (48 bytes): four entries of 12 bytes ----
constexpr DWORD kDlsTableSize = 48;
constexpr DWORD kDlsEntrySize = 12;
constexpr int kDlsEntries = 4;
constexpr DWORD kDlsEntryTimeout = 0;   // u16, seconds
constexpr DWORD kDlsEntryPeer = 4;
constexpr DWORD kDlsEntryState = 10;    // 2: the link is established
constexpr DWORD kDlsEntryInUse = 11;    // 1: in use (a set with 1 sets up, 0 tears down)
constexpr BYTE kDlsLinkEstablished = 2;
static_assert(kDlsTableSize == kDlsEntries * kDlsEntrySize, "DLS table size");

// One listed direct link.
struct DlsLinkEntry {
  CString strMac;
  int nTimeout = 0;
};
// The entries in use whose link is established, in table order.
std::vector<DlsLinkEntry> ReadDlsLinks(const BYTE table[kDlsTableSize]);
// The index of the first entry in use whose MAC text is `macText`, or -1.
int FindDlsLink(const BYTE table[kDlsTableSize], LPCSTR macText);
// A setup request: timeout, the peer, in-use flag 1, everything else 0.
std::array<BYTE, kDlsEntrySize> MakeDlsSetupEntry(WORD timeout, const BYTE peer[6]);
