// The adapter's soft access point: its BSS (up once it has an SSID), the
// stations of the world that come and go while AP mode is on, admitted by the
// access-control list and the AP's security (pre-shared key, WEP keys, 802.1X
// through the RADIUS server), the traffic they make, and the event log the
// driver keeps of them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/radio/World.h"

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

// Authentication and cipher values of the AP codes (the Native Wi-Fi numbering).
constexpr uint32_t kApAuthShared = 2;
constexpr uint32_t kApAuthWpaWpa2 = 0x80000000u;
constexpr uint32_t kApAuthWpaPskWpa2Psk = 0x80000001u;
// Open system with 802.1X (the NDIS code's 2 in AP mode), which Native Wi-Fi
// has no number for: admitted like the other 802.1X forms.
constexpr uint32_t kApAuthOpen8021X = 0x80000002u;
constexpr uint32_t kApCipherWep = 0x101;
constexpr uint32_t kApCipherTkipAes = 0x80000000u;

class SoftAp {
 public:
  static constexpr size_t kMaxStations = 32;
  static constexpr uint32_t kAccessControlSize = 264;

  explicit SoftAp(std::vector<WorldClient> clients);

  // AP mode on (without keys; the BSS is not up yet) and off.
  void start(uint64_t now, const Mac& own);
  void stop();
  bool running() const { return running_; }
  // The BSS beacons from bringUp (with an SSID) to takeDown; its stations
  // leave when it goes down and come again when it is back.
  void bringUp(uint64_t now, const std::string& ssid);
  void takeDown(uint64_t now);
  bool beaconing() const { return running_ && up_; }
  const std::string& ssid() const { return ssid_; }

  // Security settings the admission uses.
  enum class Kind { Open, Wep, Psk, Eap };
  std::optional<uint32_t> authAlgorithm;    // not set: taken from the keys
  std::optional<uint32_t> cipherAlgorithm;
  std::string preSharedKey;  // 32 bytes, or empty
  std::string wepKeys[4];
  int wepTransmitKey = 0;
  bool radiusServer = false;  // a RADIUS server address is set
  std::vector<uint8_t> accessControl = std::vector<uint8_t>(kAccessControlSize, 0);
  Kind kind() const;

  // Works the clients' arrivals and departures, and their traffic, up to `now`.
  void advance(uint64_t now);

  // Station time so far, summed over the stations: with traffic the AP
  // decrypts, and with traffic it cannot (a wrong WEP key).
  uint64_t decryptingMs() const { return decryptingMs_; }
  uint64_t undecryptableMs() const { return undecryptableMs_; }
  // The strongest signal among the stations, or nothing without one.
  std::optional<int> strongestStation() const;

  // The station table: count, then 32 entries of 10 bytes (with 802.11n:
  // MAC, AID, power save, transmit setting) or 8 bytes (without).
  std::vector<uint8_t> stationTable(bool ht) const;
  // Whether the station with this 6-byte MAC is associated.
  bool hasStation(const uint8_t* mac) const;
  // The 168-byte event-log block of the events since the last read (at most
  // 10; older unread ones stay for the next read). `utcNow` dates them.
  std::vector<uint8_t> takeEventLog(uint64_t now, int64_t utcNow);

 private:
  struct Station {
    size_t client;
    uint8_t aid;
    bool decrypts;
  };
  struct Event {
    uint64_t tick;
    Mac mac;
    uint16_t code;
  };
  void admit(size_t client, uint64_t tick);
  bool allowedByList(const WorldClient& c) const;
  void dropStations(uint64_t tick);
  void countTraffic(uint64_t until);
  void log(uint64_t tick, const Mac& mac, uint16_t code) { events_.push_back({tick, mac, code}); }

  std::vector<WorldClient> clients_;
  std::vector<bool> tried_;  // came since the BSS went up (admitted or not)
  Mac own_{};
  bool running_ = false;
  bool up_ = false;
  std::string ssid_;
  uint64_t startedAt_ = 0;
  uint64_t upSince_ = 0;
  uint64_t workedTo_ = 0;
  std::vector<Station> stations_;
  std::vector<Event> events_;  // not read yet
  uint64_t decryptingMs_ = 0;
  uint64_t undecryptableMs_ = 0;
};

}  // namespace wavorel::sim
