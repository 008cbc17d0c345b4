// The simulated supplicant library behind the acAuth calls: start-up state,
// the port names and attribute records of the machine's adapters, the
// attached ports, the credential objects, and the test hooks (a call made to
// return a chosen status, a request of any kind raised on a port). One per
// process; a platform reset ends every port.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/radio/World.h"
#include "platform/sim/services/SupplicantPort.h"
#include "platform/win/services/AcAuth.h"

namespace wavorel::sim {

struct SupplicantObject {
  enum class Kind { Identity, Password, Psk, Certificate, Pac };
  Kind kind = Kind::Identity;
  std::string data;   // text, key bytes, the certificate's subject, the PAC key
  std::string extra;  // the certificate's store, the PAC opaque
};

// The wired port and the port without attributes that every machine has.
constexpr const char* kWiredPortName = "\\DEVICE\\{8023E7E0-5A17-4C0D-9E11-000000008023}";
constexpr const char* kWanPortName = "\\DEVICE\\NDISWANIP";
constexpr const char* kWiredPortDescription = "Simulated 802.3 Ethernet Adapter";
constexpr Mac kWiredPortMac{0x02, 0x00, 0x00, 0x00, 0x80, 0x23};

class SupplicantLibrary {
 public:
  static SupplicantLibrary& instance();

  // A status the next `times` calls of `call` ("acPortAttach"...) return
  // without doing anything; nullopt when none is set.
  void force(const std::string& call, int status, int times);
  std::optional<int> forced(const char* call);

  int init(const AC_INIT* init);
  // The start-up steps after acInit: 0 802.1X, 1 RSN, 2 EAP, 3 CCX.
  int initStep(int step);
  int netEvent(int event);

  int nextPortName(char* name, uint32_t size);
  int attributes(const char* name, AC_PORT_ATTR* attr);
  int attach(AC_HANDLE* handle, const char* name, const AC_PORT_CALLBACKS* callbacks);
  int detach(AC_HANDLE handle);
  std::shared_ptr<SupplicantPort> port(AC_HANDLE handle);

  AC_OBJECT add(SupplicantObject object);
  std::optional<SupplicantObject> object(AC_OBJECT id, SupplicantObject::Kind kind);
  int destroy(AC_OBJECT id, SupplicantObject::Kind kind);

  // The password a network's server takes now (a changed one lasts until the reset).
  std::string serverPassword(const WorldNetwork& network);
  void setServerPassword(const std::string& ssid, const std::string& password);

  bool settled();
  void reset();

 private:
  struct PortName {
    std::string name;
    std::string guid;  // the adapter; empty for the wired and the WAN port
  };
  std::vector<PortName> portNames();

  std::mutex mutex_;
  std::map<std::string, std::pair<int, int>> forced_;  // call -> {status, times}
  bool initialized_ = false;
  bool steps_[4] = {};
  AC_EVENT_CALLBACK eventCallback_ = nullptr;
  std::map<AC_HANDLE, std::shared_ptr<SupplicantPort>> ports_;
  AC_HANDLE nextPort_ = 1;
  std::map<AC_OBJECT, SupplicantObject> objects_;
  AC_OBJECT nextObject_ = 1;
  std::map<std::string, std::string> passwords_;
};

// Test hooks: a call returns `status` the next `times` times; a request of
// `kind` is raised on `port` now; waiting until every port's thread waits for
// the clock, an answer or work (false after a few seconds of real time).
void forceSupplicantStatus(const std::string& call, int status, int times = 1);
void raiseSupplicantRequest(AC_HANDLE port, uint32_t kind, uint32_t phase);
bool settleSupplicant();

}  // namespace wavorel::sim
