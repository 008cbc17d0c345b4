#include "station/status/StationToolRecords.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/wire/Bytes.h"
#include "worker/ModuleFunctions.h"

CString MacText(const BYTE mac[6]) {
  CString text;
  text.Format("%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
  return text;
}

void ParseMacText(LPCSTR text, BYTE mac[6]) {
  std::string digits;
  for (const char* c = text; c && *c; ++c)
    if (*c != '-') digits.push_back(*c);
  digits.resize(12, '0');
  std::fill(mac, mac + 6, BYTE{0});
  ConvHexTextToBytes(digits.c_str(), mac, 6);
}

BOOL ReadBlockAckRows(const BYTE* table, DWORD returned, BOOL recipient, std::vector<BlockAckRow>& rows) {
  rows.clear();
  // What the driver did not return reads as zero.
  const auto byteAt = [&](DWORD offset) -> BYTE { return offset < returned ? table[offset] : 0; };
  const int count = byteAt(recipient ? kBlockAckRecipientCount : kBlockAckOriginatorCount);
  if (count == 0) return FALSE;
  const DWORD first = recipient ? kBlockAckRecipientEntries : 0;
  for (int entry = 0; entry < kBlockAckEntries; ++entry) {
    const DWORD at = first + static_cast<DWORD>(entry) * kBlockAckEntrySize;
    const BYTE tids = byteAt(at + kBlockAckEntryTids);
    if (tids == 0) continue;
    BYTE mac[6];
    for (DWORD i = 0; i < 6; ++i) mac[i] = byteAt(at + kBlockAckEntryPeer + i);
    BlockAckRow row;
    row.columns[0] = MacText(mac);
    for (int tid = 0; tid < kBlockAckTids; ++tid) {
      if (tids & (1u << tid))
        row.columns[1 + tid].Format("%d", byteAt(at + kBlockAckEntryWindows + static_cast<DWORD>(tid)));
      else
        row.columns[1 + tid] = "-";
    }
    rows.push_back(row);
    if (static_cast<int>(rows.size()) == count) return TRUE;
  }
  return FALSE;
}

std::array<BYTE, kBlockAckSessionSize> MakeBlockAckSession(const BlockAckSession& session) {
  std::array<BYTE, kBlockAckSessionSize> request{};
  request[0] = session.recipient;
  std::copy(session.peer.begin(), session.peer.end(), request.begin() + 1);
  request[7] = session.tid;
  request[8] = session.windowSize;
  request[12] = session.allSessions;
  return request;
}

std::vector<MacAddress> ReadStationTablePeers(const BYTE* table, DWORD returned) {
  std::vector<MacAddress> peers;
  if (returned < 4) return peers;
  const DWORD held = std::min(returned, kStationTableSize);
  const DWORD fits = (held - 4) / kStationEntrySize;
  const DWORD count = std::min({wavorel::wire::getU32(table), static_cast<DWORD>(kStationEntries), fits});
  for (DWORD i = 0; i < count; ++i) {
    MacAddress mac;
    std::memcpy(mac.data(), table + 4 + i * kStationEntrySize, mac.size());
    peers.push_back(mac);
  }
  return peers;
}

std::vector<DlsLinkEntry> ReadDlsLinks(const BYTE table[kDlsTableSize]) {
  std::vector<DlsLinkEntry> links;
  for (int i = 0; i < kDlsEntries; ++i) {
    const BYTE* entry = table + i * kDlsEntrySize;
    if (entry[kDlsEntryInUse] != 1 || entry[kDlsEntryState] != kDlsLinkEstablished) continue;
    links.push_back({MacText(entry + kDlsEntryPeer), wavorel::wire::getU16(entry + kDlsEntryTimeout)});
  }
  return links;
}

int FindDlsLink(const BYTE table[kDlsTableSize], LPCSTR macText) {
  for (int i = 0; i < kDlsEntries; ++i) {
    const BYTE* entry = table + i * kDlsEntrySize;
    if (entry[kDlsEntryInUse] == 1 && MacText(entry + kDlsEntryPeer) == macText) return i;
  }
  return -1;
}

std::array<BYTE, kDlsEntrySize> MakeDlsSetupEntry(WORD timeout, const BYTE peer[6]) {
  std::array<BYTE, kDlsEntrySize> entry{};
  wavorel::wire::putU16(entry.data() + kDlsEntryTimeout, timeout);
  std::copy(peer, peer + 6, entry.begin() + kDlsEntryPeer);
  entry[kDlsEntryInUse] = 1;
  return entry;
}
