// The tool pages' driver records read without windows: Block-Ack rows from
// the table (count bytes, empty bitmaps, short answers), the station table's
// peers, the DLS links, the requests' bytes and the MAC text parser.
#include "station/status/StationToolRecords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>


namespace {

struct Entry {
  int index;
  BYTE lastMacByte;
  BYTE tids;
  BYTE window;  // every TID's window byte
};

std::vector<BYTE> BlockAckTable(bool recipient, int count, const std::vector<Entry>& entries) {
  std::vector<BYTE> table(kBlockAckTableSize, 0);
  const DWORD first = recipient ? kBlockAckRecipientEntries : 0;
  for (const Entry& e : entries) {
    BYTE* at = table.data() + first + static_cast<DWORD>(e.index) * kBlockAckEntrySize;
    const BYTE mac[6] = {0x00, 0x11, 0x22, 0x33, 0x44, e.lastMacByte};
    std::copy(mac, mac + 6, at);
    at[kBlockAckEntryTids] = e.tids;
    for (int tid = 0; tid < kBlockAckTids; ++tid) at[kBlockAckEntryWindows + tid] = e.window;
  }
  table[recipient ? kBlockAckRecipientCount : kBlockAckOriginatorCount] = static_cast<BYTE>(count);
  return table;
}

std::string RowText(const BlockAckRow& row) {
  std::string text;
  for (const CString& column : row.columns) text += std::string(column) + "|";
  return text;
}

TEST(StationToolRecordsTest, BlockAckRowsFollowTheCountByteAndTheBitmaps) {
  struct Case {
    const char* name;
    bool recipient;
    int count;
    std::vector<Entry> entries;
    DWORD returned;
    BOOL complete;
    std::vector<std::string> rows;
  };
  const std::string first = "00-11-22-33-44-01|32|-|32|-|-|-|-|-|";
  const std::string second = "00-11-22-33-44-02|-|-|-|-|-|-|-|64|";
  const std::vector<Entry> two = {{0, 0x01, 0x05, 32}, {3, 0x02, 0x80, 64}};
  const Case cases[] = {
      {"two rows, '-' for clear bits", false, 2, two, kBlockAckTableSize, TRUE, {first, second}},
      {"recipient side", true, 2, two, kBlockAckTableSize, TRUE, {first, second}},
      {"an empty bitmap is no row and does not count", false, 1, {{0, 0x09, 0x00, 1}, {1, 0x01, 0x05, 32}},
       kBlockAckTableSize, TRUE, {first}},
      {"count 0 lists nothing", false, 0, two, kBlockAckTableSize, FALSE, {}},
      {"count above the entries in use", false, 3, two, kBlockAckTableSize, FALSE, {first, second}},
      {"count above 32", false, 200, two, kBlockAckTableSize, FALSE, {first, second}},
      {"a short answer: the count byte was not returned", false, 2, two, 1000, FALSE, {}},
  };
  for (const Case& c : cases) {
    std::vector<BYTE> table = BlockAckTable(c.recipient, c.count, c.entries);
    std::vector<BlockAckRow> rows(3);  // stale rows are replaced
    EXPECT_EQ(c.complete, ReadBlockAckRows(table.data(), c.returned, c.recipient, rows)) << c.name;
    std::vector<std::string> texts;
    for (const BlockAckRow& row : rows) texts.push_back(RowText(row));
    EXPECT_EQ(c.rows, texts) << c.name;
  }
}

TEST(StationToolRecordsTest, StationTablePeersAreCutToTheCountTheTableAndTheAnswer) {
  std::vector<BYTE> table(kStationTableSize + 40, 0);
  for (int i = 0; i < 34; ++i) table[4 + i * kStationEntrySize] = static_cast<BYTE>(i + 1);
  struct Case {
    DWORD count;
    DWORD returned;
    size_t peers;
  };
  for (const Case& c : {Case{3, kStationTableSize, 3}, Case{0xFFFFFFFF, kStationTableSize, 32},
                        Case{40, static_cast<DWORD>(table.size()), 32}, Case{5, 4 + 2 * kStationEntrySize + 9, 2},
                        Case{5, 3, 0}}) {
    table[0] = static_cast<BYTE>(c.count);
    table[1] = table[2] = table[3] = static_cast<BYTE>(c.count >> 8);
    const std::vector<MacAddress> peers = ReadStationTablePeers(table.data(), c.returned);
    ASSERT_EQ(c.peers, peers.size()) << c.count << " " << c.returned;
    for (size_t i = 0; i < peers.size(); ++i) EXPECT_EQ(i + 1, peers[i][0]);
  }
}

TEST(StationToolRecordsTest, DlsLinksListEstablishedEntriesInUse) {
  BYTE table[kDlsTableSize] = {};
  const BYTE peers[4][6] = {{0x00, 0x0A, 0, 0, 0, 1}, {0x00, 0x0A, 0, 0, 0, 2}, {0x00, 0x0A, 0, 0, 0, 3},
                            {0x00, 0x0A, 0, 0, 0, 4}};
  const BYTE states[4][2] = {{2, 1}, {1, 1}, {2, 0}, {2, 1}};  // state, in use
  for (int i = 0; i < 4; ++i) {
    const std::array<BYTE, kDlsEntrySize> entry = MakeDlsSetupEntry(static_cast<WORD>(100 * (i + 1)), peers[i]);
    std::copy(entry.begin(), entry.end(), table + i * kDlsEntrySize);
    table[i * kDlsEntrySize + kDlsEntryState] = states[i][0];
    table[i * kDlsEntrySize + kDlsEntryInUse] = states[i][1];
  }
  const std::vector<DlsLinkEntry> links = ReadDlsLinks(table);
  ASSERT_EQ(2u, links.size());
  EXPECT_STREQ("00-0A-00-00-00-01", links[0].strMac);
  EXPECT_EQ(100, links[0].nTimeout);
  EXPECT_STREQ("00-0A-00-00-00-04", links[1].strMac);
  EXPECT_EQ(400, links[1].nTimeout);
  // The tear-down search takes any entry in use, established or not.
  EXPECT_EQ(1, FindDlsLink(table, "00-0A-00-00-00-02"));
  EXPECT_EQ(-1, FindDlsLink(table, "00-0A-00-00-00-03"));
  EXPECT_EQ(-1, FindDlsLink(table, "00-0a-00-00-00-01")) << "texts compare exactly";
}

TEST(StationToolRecordsTest, RequestsKeepTheirBytes) {
  BlockAckSession session;
  session.recipient = 1;
  session.peer = {1, 2, 3, 4, 5, 6};
  session.tid = 7;
  session.windowSize = 44;
  session.allSessions = 1;
  const std::array<BYTE, kBlockAckSessionSize> request = MakeBlockAckSession(session);
  const std::array<BYTE, kBlockAckSessionSize> expected = {1, 1, 2, 3, 4, 5, 6, 7, 44, 0, 0, 0, 1, 0};
  EXPECT_EQ(expected, request);

  const BYTE peer[6] = {0x00, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E};
  const std::array<BYTE, kDlsEntrySize> entry = MakeDlsSetupEntry(0x1234, peer);
  const std::array<BYTE, kDlsEntrySize> setup = {0x34, 0x12, 0, 0, 0x00, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0, 1};
  EXPECT_EQ(setup, entry);
}

TEST(StationToolRecordsTest, MacTextsParseWithoutDashesAndShortTextsPadWithZero) {
  struct Case {
    const char* text;
    MacAddress mac;
  };
  for (const Case& c : {Case{"00-1A-2B-3C-4D-5E", {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}},
                        Case{"001a2b3c4d5e77", {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}},
                        Case{"AB-C", {0xAB, 0xC0, 0, 0, 0, 0}}, Case{"", {0, 0, 0, 0, 0, 0}}}) {
    MacAddress mac{};
    mac.fill(0xEE);
    ParseMacText(c.text, mac.data());
    EXPECT_EQ(c.mac, mac) << c.text;
  }
}

}  // namespace
