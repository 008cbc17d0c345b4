// libFuzzer target for the tool pages' readers of driver records: the input
// is the driver's answer, held in a buffer of exactly its size, read as a
// Block-Ack table (both directions), a station table and (zero-padded to its
// 48 bytes) a DLS link table, and as a MAC text. Rows stay within 32, every
// TID cell is "-" or a byte's number, peers fit the answer, links are at most
// four with whole MAC texts.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "station/status/StationToolRecords.h"

namespace {

void check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<BYTE> answer(data, data + size);
  const DWORD returned = static_cast<DWORD>(size);
  for (BOOL recipient : {FALSE, TRUE}) {
    std::vector<BlockAckRow> rows;
    const BOOL complete = ReadBlockAckRows(answer.data(), returned, recipient, rows);
    check(rows.size() <= static_cast<size_t>(kBlockAckEntries));
    check(!complete || !rows.empty());
    for (const BlockAckRow& row : rows) {
      check(row.columns[0].GetLength() == 17);
      for (int tid = 1; tid < BlockAckRow::kColumns; ++tid) {
        const CString& cell = row.columns[tid];
        check(cell == "-" || (cell.GetLength() >= 1 && std::atoi(cell) >= 0 && std::atoi(cell) <= 255));
      }
    }
  }
  const std::vector<MacAddress> peers = ReadStationTablePeers(answer.data(), returned);
  check(peers.size() <= static_cast<size_t>(kStationEntries));
  check(peers.empty() || 4 + peers.size() * kStationEntrySize <= size);

  BYTE links[kDlsTableSize] = {};
  std::copy_n(data, std::min<size_t>(size, kDlsTableSize), links);
  const std::vector<DlsLinkEntry> listed = ReadDlsLinks(links);
  check(listed.size() <= static_cast<size_t>(kDlsEntries));
  for (const DlsLinkEntry& link : listed) {
    check(link.strMac.GetLength() == 17);
    check(link.nTimeout >= 0 && link.nTimeout <= 0xFFFF);
    check(FindDlsLink(links, link.strMac) >= 0);
  }

  const std::string text(reinterpret_cast<const char*>(data), size);
  BYTE mac[6];
  ParseMacText(text.c_str(), mac);
  return 0;
}
