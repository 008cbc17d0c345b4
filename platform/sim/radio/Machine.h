// The simulated machine: one per process, loaded from the world file on first
// use and again after a platform reset. It owns the adapters (each with its
// one model), installs their driver keys in the registry and their device
// names, answers driver requests through the code table, records the latest
// requests (a ring of the world's DriverCallLog size) and applies injected
// faults.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sim/radio/Adapter.h"
#include "platform/sim/radio/World.h"
#include "platform/win/kernel/Handles.h"

namespace wavorel::sim {

// The network adapter setup class and the key that holds its driver keys.
constexpr const char* kNetClassGuid = "{4D36E972-E325-11CE-BFC1-08002BE10318}";
constexpr const char* kClassRoot = "SYSTEM\\CurrentControlSet\\Control\\Class";

// One driver request as it reached the driver.
struct DriverCall {
  std::string guid;        // the adapter
  uint32_t code = 0;       // as sent
  bool set = false;        // bit 0x00800000
  uint32_t size = 0;       // the caller's buffer size
  uint32_t returned = 0;   // bytes answered (or needed, on failure)
  uint32_t error = 0;      // 0 on success
  std::vector<uint8_t> data;  // a set's data, or the bytes a query answered
};

class Machine {
 public:
  explicit Machine(World world);
  Machine(const Machine&) = delete;
  Machine& operator=(const Machine&) = delete;

  const World& world() const { return world_; }
  size_t adapterCount() const { return adapters_.size(); }
  Adapter& adapter(size_t index) { return *adapters_.at(index); }
  Adapter* findAdapter(const std::string& guid);

  // "{4D36E972-...}\00NN", the device's driver value.
  std::string driverValue(const Adapter& a) const;

  // Plugging and unplugging.
  void setPresent(const std::string& guid, bool present);
  // Flipping the radio switch on the adapter; the services hear of it at once.
  void setHardwareRadio(const std::string& guid, bool on);

  // Faults: the next `times` requests with `code` fail (ERROR_GEN_FAILURE);
  // answers to `code` are cut to `bytes`; answers to `code` begin with the
  // little-endian `value` whatever the adapter says; the device of `guid`
  // will not open.
  void failCode(uint32_t code, int times);
  void shortAnswer(uint32_t code, uint32_t bytes);
  void stuckValue(uint32_t code, uint32_t value);
  void setOpenable(const std::string& guid, bool openable);

  // The device factory of a device name.
  std::shared_ptr<KernelObject> open(const std::string& guid);
  // One request: TRUE, or FALSE with `error`. `returned` as DeviceIoControl gives it.
  bool request(const std::string& guid, uint32_t code, uint8_t* buffer, uint32_t size, uint32_t& returned,
               uint32_t& error);

  // The latest requests, oldest first; at most `limit` are kept.
  std::vector<DriverCall> calls() const { return std::vector<DriverCall>(calls_.begin(), calls_.end()); }
  void clearCalls() { calls_.clear(); }
  void setCallLogLimit(size_t limit);

 private:
  void install();

  World world_;
  std::vector<std::unique_ptr<Adapter>> adapters_;
  std::deque<DriverCall> calls_;
  size_t callLimit_;
};

// The process's machine (loaded on first use; throws WorldError when the
// world file is refused).
Machine& machine();
// The same, or nullptr after reporting a refused world on stderr once.
Machine* machineIfLoaded();
// Loads the machine as a program starts. A world file that cannot be used
// (WAVOREL_WORLD naming a missing file, or a file with a bad value) is
// reported on stderr with its file, line and reason, and the answer is false:
// the program ends instead of running on a world nobody asked for.
bool loadMachineAtStart();
// Every machine call runs under this lock.
std::recursive_mutex& machineMutex();

// The latest driver requests since the last clear, oldest first.
std::vector<DriverCall> driverCalls();
void clearDriverCalls();

}  // namespace wavorel::sim
