#include "platform/sim/radio/BlockAckTable.h"

#include <algorithm>

namespace wavorel::sim {

namespace {

constexpr size_t kEntrySize = 48;
constexpr size_t kRecipientOffset = 1536;
constexpr size_t kCountsOffset = 3072;
static_assert(BlockAckTable::kEntries * kEntrySize == kRecipientOffset, "32 originator entries");
static_assert(kRecipientOffset * 2 + 4 == BlockAckTable::kTableSize, "two tables and the counts");

Mac peerOf(const uint8_t* request) {
  Mac m;
  std::copy(request + 1, request + 7, m.begin());
  return m;
}

}  // namespace

bool BlockAckTable::add(const uint8_t* request) {
  uint8_t side = request[0], tid = request[7], window = request[8];
  if (side > 1 || tid > 7 || window == 0) return false;
  std::vector<Entry>& list = entries_[side];
  Mac peer = peerOf(request);
  auto it = std::find_if(list.begin(), list.end(), [&](const Entry& e) { return e.peer == peer; });
  if (it == list.end()) {
    if (list.size() == kEntries) return false;
    list.push_back(Entry{peer, 0, {}});
    it = list.end() - 1;
  }
  it->tids = static_cast<uint8_t>(it->tids | (1u << tid));
  it->windows[tid] = window;
  return true;
}

bool BlockAckTable::remove(const uint8_t* request) {
  uint8_t side = request[0], tid = request[7];
  bool all = request[12] != 0;
  if (side > 1 || tid > 7) return false;
  std::vector<Entry>& list = entries_[side];
  Mac peer = peerOf(request);
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (it->peer != peer) continue;
    it->tids = all ? 0 : static_cast<uint8_t>(it->tids & ~(1u << tid));
    if (!all) it->windows[tid] = 0;
    if (it->tids == 0) list.erase(it);
    return true;
  }
  return true;  // nothing to tear down
}

std::vector<uint8_t> BlockAckTable::table() const {
  std::vector<uint8_t> t(kTableSize, 0);
  for (size_t side = 0; side < 2; ++side) {
    for (size_t i = 0; i < entries_[side].size(); ++i) {
      const Entry& e = entries_[side][i];
      uint8_t* p = t.data() + side * kRecipientOffset + i * kEntrySize;
      std::copy(e.peer.begin(), e.peer.end(), p);
      p[6] = e.tids;
      std::copy(e.windows.begin(), e.windows.end(), p + 8);
    }
    t[kCountsOffset + side] = static_cast<uint8_t>(entries_[side].size());
  }
  return t;
}

}  // namespace wavorel::sim
