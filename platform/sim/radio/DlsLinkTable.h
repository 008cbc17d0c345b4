// Direct links (DLS) of the station: up to four peers, each set up with a
// timeout after which the link ends; and their 48-byte table form.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/sim/radio/World.h"

namespace wavorel::sim {

class DlsLinkTable {
 public:
  static constexpr size_t kLinks = 4;
  static constexpr uint32_t kEntrySize = 12;

  // One 12-byte entry: in-use flag 1 sets the link up, 0 tears it down.
  // False when the table is full.
  bool apply(const uint8_t* entry, uint64_t now);
  void expire(uint64_t now);
  // The peers of the links, in table order.
  std::vector<Mac> peers() const;
  void clear() { links_.clear(); }
  std::vector<uint8_t> table() const;

 private:
  struct Link {
    Mac peer{};
    uint16_t timeoutSeconds = 0;
    uint64_t endsAt = 0;  // 0: no timeout
  };
  std::vector<Link> links_;
};

}  // namespace wavorel::sim
