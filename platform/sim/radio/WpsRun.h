// One WPS run of the driver, by push button or PIN, as enrollee or registrar.
// The run moves through the protocol's states on the platform clock: a scan,
// then one state every kWpsStepMs, ending in "configured" (15) with a
// credential, or in an error state. As a real enrollee does, a run that has not
// been configured within the walk time gives up: its state becomes "EAP
// process failed" (516). The status word carries bit 28 in a PIN run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/radio/World.h"

namespace wavorel::sim {

constexpr uint64_t kWpsStepMs = 250;
constexpr uint64_t kWpsWalkTimeMs = 120000;
constexpr uint32_t kWpsConfigured = 15;
constexpr uint32_t kWpsPinRun = 0x10000000u;
constexpr uint32_t kWpsEapFailed = 516;

struct WpsRequest {
  bool pin = false;
  std::string pinDigits;  // 8 digits, PIN runs
  std::string ssid;       // the chosen AP of a PIN run
  Mac bssid{};
  bool registrar = false;
};

class WpsRun {
 public:
  void start(const WpsRequest& request, uint64_t now);
  // The status word at `now`. `inRange` lists the networks the adapter hears.
  uint32_t status(uint64_t now, const std::vector<const WorldNetwork*>& inRange);
  // The network whose credential a finished run obtained, or nullptr.
  const WorldNetwork* result() const { return result_; }

 private:
  uint32_t settle(uint64_t now, const std::vector<const WorldNetwork*>& inRange);

  std::optional<WpsRequest> request_;
  uint64_t startedAt_ = 0;
  uint32_t final_ = 0;  // 0 while running
  const WorldNetwork* peer_ = nullptr;
  const WorldNetwork* result_ = nullptr;
};

// The 124-byte credential record of a network, in a 996-byte table of one.
std::vector<uint8_t> wpsCredentialTable(const WorldNetwork& n);

}  // namespace wavorel::sim
