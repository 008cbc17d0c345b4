// Names of kernel objects (events, semaphores). Inside a process a name leads
// to one live object. Across the processes of one platform root a name is a
// marker file in <root>/session/objects that every process holding an object
// of that name keeps a shared lock on: the kernel drops the lock when a
// process ends in any way, so a name never outlives its last holder. Only the
// existence of a name is shared between processes; each process keeps its own
// object state (counts, signals).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/win/kernel/Handles.h"

namespace wavorel {

class NameRegistry;

// A process's hold on a name. The object that carries the name owns it; when
// the object goes (its last handle closed), the name is released here and,
// when no other process holds it, forgotten.
class NameClaim {
 public:
  NameClaim(std::shared_ptr<NameRegistry> registry, std::string key, int fd);
  ~NameClaim();
  NameClaim(const NameClaim&) = delete;
  NameClaim& operator=(const NameClaim&) = delete;

 private:
  std::shared_ptr<NameRegistry> registry_;
  std::string key_;  // the marker file
  int fd_;
};

// Finds the object named `name` or makes one with `make` (which must keep the
// claim it is given). `kind` tells object types apart ("Event", "Semaphore").
// `existed` is set when the name was already held, in this process (the same
// object is returned) or in another one (a new object of this process is
// returned). Fails with null and the last error set: ERROR_INVALID_HANDLE when
// the name belongs to an object of another kind, ERROR_FILENAME_EXCED_RANGE
// for a name longer than MAX_PATH.
std::shared_ptr<KernelObject> openOrCreateNamed(
    const std::string& name, const std::string& kind,
    const std::function<std::shared_ptr<KernelObject>(std::unique_ptr<NameClaim>)>& make, bool& existed);

}  // namespace wavorel
