// The services of the simulated machine behind the service control manager:
// "WZCSVC" (Wireless Zero Configuration), running and started automatically
// at first. A start or stop request puts it in its pending state for
// kServiceTransitionMs of the platform clock. When the manager is first
// opened, the service's per-interface key
// "SOFTWARE\Microsoft\WZCSVC\Parameters\Interfaces\<adapter GUID>" gets its
// "ControlFlags" (0x8000: the service manages the interface) unless present.
#pragma once

#include <cstdint>
#include <string>

namespace wavorel::sim {

constexpr uint64_t kServiceTransitionMs = 1000;

struct ServiceState {
  uint32_t state;      // SERVICE_STOPPED ... SERVICE_RUNNING, as of now
  uint32_t startType;  // SERVICE_AUTO_START ...
};

// The state of a service by name (false: no such service).
bool serviceState(const std::string& name, ServiceState& out);

}  // namespace wavorel::sim
