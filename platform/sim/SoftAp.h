// The adapter's soft access point: the stations of the world that come and
// go while AP mode is on, admitted by the access-control list and the AP's
// pre-shared key, and the event log the driver keeps of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sim/World.h"

namespace wavorel::sim {

// Event codes of the AP event log.
enum ApEvent : uint16_t {
  kApRestarted = 0,
  kApAssociated = 1,
  kApLeft = 2,
  kApAgedOut = 3,
  kApCountermeasure = 4,
  kApWrongPsk = 5,
};

class SoftAp {
 public:
  static constexpr size_t kMaxStations = 32;
  static constexpr uint32_t kAccessControlSize = 264;

  explicit SoftAp(std::vector<WorldClient> clients) : clients_(std::move(clients)) {}

  void start(uint64_t now, const Mac& own);
  void stop();
  bool running() const { return running_; }

  // Settings the admission uses.
  std::string ssid;
  std::string preSharedKey;  // 32 bytes, or empty for an AP without one
  std::vector<uint8_t> accessControl = std::vector<uint8_t>(kAccessControlSize, 0);

  // Works the clients' arrivals and departures up to `now`.
  void advance(uint64_t now);

  // The station table: count, then 32 entries of 10 bytes (with 802.11n:
  // MAC, AID, power save, transmit setting) or 8 bytes (without).
  std::vector<uint8_t> stationTable(bool ht) const;
  // The 168-byte event-log block of the events since the last read (at most
  // 10; older unread ones stay for the next read). `utcNow` dates them.
  std::vector<uint8_t> takeEventLog(uint64_t now, int64_t utcNow);

 private:
  struct Station {
    size_t client;
    uint8_t aid;
  };
  struct Event {
    uint64_t tick;
    Mac mac;
    uint16_t code;
  };
  bool admitted(const WorldClient& c) const;
  void log(uint64_t tick, const Mac& mac, uint16_t code) { events_.push_back({tick, mac, code}); }

  std::vector<WorldClient> clients_;
  bool running_ = false;
  uint64_t startedAt_ = 0;
  uint64_t workedTo_ = 0;
  std::vector<Station> stations_;
  std::vector<Event> events_;  // not read yet
};

}  // namespace wavorel::sim
