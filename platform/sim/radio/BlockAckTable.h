// The Block-Ack sessions the driver holds, by direction (originator or
// recipient) and peer, with one window size per TID; and their 3076-byte
// table form.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/sim/radio/World.h"

namespace wavorel::sim {

class BlockAckTable {
 public:
  static constexpr size_t kEntries = 32;
  static constexpr uint32_t kTableSize = 3076;
  static constexpr uint32_t kRequestSize = 14;

  // A 14-byte session request: adds (window size given) or deletes one
  // session, or every session of the peer with the all-sessions flag. False
  // when the request is malformed or the table is full.
  bool add(const uint8_t* request);
  bool remove(const uint8_t* request);
  void clear() { entries_[0].clear(), entries_[1].clear(); }
  std::vector<uint8_t> table() const;

 private:
  struct Entry {
    Mac peer{};
    uint8_t tids = 0;
    std::array<uint8_t, 8> windows{};
  };
  std::vector<Entry> entries_[2];  // originator, recipient
};

}  // namespace wavorel::sim
