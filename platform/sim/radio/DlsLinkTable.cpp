#include "platform/sim/radio/DlsLinkTable.h"

#include <algorithm>

#include "platform/wire/Bytes.h"

namespace wavorel::sim {

namespace {
constexpr uint8_t kEstablished = 2;
}

bool DlsLinkTable::apply(const uint8_t* entry, uint64_t now) {
  expire(now);
  Mac peer;
  std::copy(entry + 4, entry + 10, peer.begin());
  auto it = std::find_if(links_.begin(), links_.end(), [&](const Link& l) { return l.peer == peer; });
  if (entry[11] == 0) {
    if (it != links_.end()) links_.erase(it);
    return true;
  }
  if (it == links_.end()) {
    if (links_.size() == kLinks) return false;
    links_.push_back(Link{peer, 0, 0});
    it = links_.end() - 1;
  }
  it->timeoutSeconds = wire::getU16(entry);
  it->endsAt = it->timeoutSeconds ? now + uint64_t(it->timeoutSeconds) * 1000 : 0;
  return true;
}

void DlsLinkTable::expire(uint64_t now) {
  links_.erase(std::remove_if(links_.begin(), links_.end(),
                              [now](const Link& l) { return l.endsAt != 0 && now >= l.endsAt; }),
               links_.end());
}

std::vector<Mac> DlsLinkTable::peers() const {
  std::vector<Mac> out;
  for (const Link& l : links_) out.push_back(l.peer);
  return out;
}

std::vector<uint8_t> DlsLinkTable::table() const {
  std::vector<uint8_t> t(kLinks * kEntrySize, 0);
  for (size_t i = 0; i < links_.size(); ++i) {
    uint8_t* p = t.data() + i * kEntrySize;
    wire::putU16(p, links_[i].timeoutSeconds);
    std::copy(links_[i].peer.begin(), links_[i].peer.end(), p + 4);
    p[10] = kEstablished;
    p[11] = 1;
  }
  return t;
}

}  // namespace wavorel::sim
