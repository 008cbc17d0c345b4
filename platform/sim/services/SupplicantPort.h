// One attached port of the simulated supplicant library: a view of one
// adapter (or of the wired port) with a thread of its own. Once started
// (acPortAuth or acPortAssociate) it follows the adapter: each association
// with an 802.1X or pre-shared-key network runs the exchange in rounds of
// kRoundMs of the platform clock, asking for credentials through the
// program's callback and reporting through its status callback; the adapter
// connects when the exchange succeeds. Calls from other threads answer the
// pending request, change the association or stop the exchange.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/sim/radio/World.h"
#include "platform/sim/services/SupplicantServer.h"
#include "platform/win/services/AcAuth.h"

namespace wavorel::sim {

class Adapter;

// A credential request the port raised, and the answers given to it.
struct SupplicantRequest {
  AC_CRED_REQUEST record{};
  bool deferred = false;
  bool complete = false;
  std::optional<std::string> identity;  // kinds 3, 17
  std::optional<std::string> password;  // kinds 5, 6, 7
  std::optional<std::vector<uint32_t>> methods;  // kind 4: EAP types
  std::optional<std::string> certificate;        // kind 9: the MY certificate's subject
  std::optional<uint32_t> session;               // kind 2
  bool simGiven = false;                         // kind 2
  std::optional<int> serverResult;               // kind 8
  std::vector<uint32_t> pacTypes, provisionModes;  // kinds 12, 18
  bool pacAnswered = false;                      // kind 11
  std::optional<std::pair<std::string, std::string>> pac;  // its key and opaque
  std::optional<uint32_t> tunnelMethod;          // kind 15
  bool rogueAcknowledged = false;                // kind 16
  IssuedPac issued;                              // kind 13: the PAC handed over
  std::optional<SupplicantServer> server;        // kind 8: the certificate being checked
};

class SupplicantPort : public std::enable_shared_from_this<SupplicantPort> {
 public:
  static constexpr uint64_t kRoundMs = 100;

  // `guid`: the adapter, empty for the wired port.
  SupplicantPort(std::string guid, const AC_PORT_CALLBACKS& callbacks);
  ~SupplicantPort();
  SupplicantPort(const SupplicantPort&) = delete;
  SupplicantPort& operator=(const SupplicantPort&) = delete;

  void startThread();
  // Ends the exchange and the thread (waits for it unless called on it).
  void shutdown();
  const std::string& guid() const { return guid_; }

  int authenticate();
  int associate(const AC_ASSOCIATION& association);
  int disassociate();
  int stop();
  uint32_t linkState();
  uint32_t state();
  uint32_t status();
  void setPsk(const std::string& key);

  // CCX of the adapter's version.
  int ccxRadioConfig(uint32_t flags);
  uint32_t radioConfig();
  int ccxEnable(bool on);
  int ccxRogueApTimeout(uint32_t seconds);

  // Runs `answer` on the pending request `request` when its kind is one of
  // `kinds`: AC_ERR_INVALID_HANDLE for a request that is not pending,
  // AC_ERR_ANSWER_IGNORED for another kind.
  int withRequest(const AC_CRED_REQUEST* request, std::initializer_list<uint32_t> kinds,
                  const std::function<int(SupplicantRequest&)>& answer);
  int deferred(const AC_CRED_REQUEST* request);
  int complete(const AC_CRED_REQUEST* request);
  // The network of the exchange under way (for the readers).
  std::optional<WorldNetwork> exchangeNetwork();
  // The method of the exchange and where EAP-FAST stands (1 provisioning, 2 with a PAC).
  uint32_t exchangeMethod();
  uint32_t fastMode();
  // The identity an EAP-FAST PAC is issued to: the outer identity before its
  // "@", after its first backslash.
  std::string pacIdentity();

  // Raises a request of any kind now, outside any exchange (a test's hook).
  void raise(uint32_t kind, uint32_t phase);
  // The thread waits for the clock, an answer or something to do.
  bool settled();

  int ipConnected(int& connected);
  int dhcpEnabled(int& enabled);
  int ipAddress(uint8_t address[4]);
  int dhcpRenew();

 private:
  struct Join {
    bool alive = false;  // the join the exchange runs on goes on
    bool connected = false;
    bool failed = false;  // it ended without a link
  };
  enum class Wait { Busy, Idle, Round, Answer };

  void run();
  void observe();
  void exchange(const WorldNetwork& network, uint64_t join);
  void pskExchange(uint64_t generation);
  void eapExchange(const WorldNetwork& network, uint64_t generation);
  bool round(uint64_t generation);
  bool rounds(uint64_t generation, uint64_t ms);
  std::shared_ptr<SupplicantRequest> ask(uint32_t kind, uint32_t phase, uint64_t generation);
  std::shared_ptr<SupplicantRequest> step(uint32_t kind, uint32_t phase, uint64_t generation);
  Join join();
  void setState(uint32_t state, std::optional<uint32_t> status = std::nullopt);
  void fail(uint32_t status, bool eap);
  void succeed(const std::string& key);
  bool aborted(uint64_t generation);
  void emit(int event);
  template <class Fn>
  auto withAdapter(Fn fn) -> decltype(fn(std::declval<Adapter&>()));

  const std::string guid_;
  const AC_PORT_CALLBACKS callbacks_;

  std::mutex mutex_;
  std::condition_variable cv_;
  std::thread thread_;
  int clockListener_ = -1;
  bool quit_ = false;
  bool kicked_ = false;
  Wait wait_ = Wait::Busy;
  uint64_t roundEnd_ = 0;
  uint64_t generation_ = 0;  // moves with every command that ends an exchange

  bool started_ = false;
  bool holding_ = false;  // the adapter's EAP step waits for this port
  uint32_t state_ = AC_STATE_IDLE;
  uint32_t status_ = AC_STATUS_NONE;
  bool linkUp_ = false;
  uint64_t handledJoin_ = 0;
  uint64_t join_ = 0;
  std::optional<WorldNetwork> network_;
  uint32_t method_ = 0;
  uint32_t fastMode_ = 0;
  std::string outerIdentity_;
  std::string refusedOn_;  // the network whose server last refused the credentials
  std::string psk_;
  uint32_t radioFlags_ = 0;
  bool ccxOn_ = false;
  uint32_t rogueTimeout_ = 0;
  uint64_t addressFrom_ = UINT64_MAX;  // tick the DHCP server answers from
  uint32_t nextRequest_ = 1;
  std::shared_ptr<SupplicantRequest> pending_;
  std::deque<std::pair<uint32_t, uint32_t>> raised_;
};

}  // namespace wavorel::sim
