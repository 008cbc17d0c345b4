// The WMI event service: subscriptions of sinks to event classes of the
// "ROOT\WMI" namespace, fed by the link monitor and delivered on the
// service's own thread. Every member runs under the machine lock, except that
// `cancel` waits for a running delivery without it.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/sim/radio/LinkMonitor.h"
#include "platform/sim/services/ServiceThread.h"
#include "platform/win/services/Wmi.h"

namespace wavorel::sim {

class WmiService {
 public:
  static WmiService& instance();

  // The event class a query selects, or empty with `error` set.
  static std::string queryClass(const std::string& language, const std::string& query, HRESULT& error);
  // Holds the sink until it is cancelled.
  void subscribe(IWbemObjectSink* sink, const std::string& eventClass);
  // false: the sink has no subscription. Afterwards the sink is not called again.
  bool cancel(IWbemObjectSink* sink);

  void reset();

 private:
  void onLink(const LinkNotice& notice);
  void deliver(const std::string& eventClass, const std::string& guid, uint32_t code);

  std::multimap<IWbemObjectSink*, std::string> subscriptions_;
  int observer_ = 0;
  ServiceThread deliverer_;
};

}  // namespace wavorel::sim
