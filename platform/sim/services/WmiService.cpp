#include "platform/sim/services/WmiService.h"

#include <mutex>
#include <sstream>
#include <strings.h>

#include "platform/sim/radio/Machine.h"
#include "platform/sim/services/WmiEvent.h"
#include "platform/win/kernel/Root.h"

namespace wavorel::sim {

namespace {

constexpr const char* kMediaConnect = "MSNdis_StatusMediaConnect";
constexpr const char* kMediaDisconnect = "MSNdis_StatusMediaDisconnect";
constexpr const char* kDriverMessage = "QzWLANMessageEvent";
constexpr const char* kEventClasses[] = {kMediaConnect, kMediaDisconnect, kDriverMessage};

const bool g_reset = (registerStateReset([] { WmiService::instance().reset(); }), true);

bool same(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

}  // namespace

WmiService& WmiService::instance() {
  static WmiService s;
  return s;
}

std::string WmiService::queryClass(const std::string& language, const std::string& query, HRESULT& error) {
  if (!same(language, "WQL")) {
    error = WBEM_E_INVALID_QUERY_TYPE;
    return "";
  }
  std::istringstream words(query);
  std::string select, star, from, name, rest;
  words >> select >> star >> from >> name;
  if (!same(select, "SELECT") || star != "*" || !same(from, "FROM") || name.empty() || (words >> rest)) {
    error = WBEM_E_INVALID_QUERY;
    return "";
  }
  for (const char* c : kEventClasses)
    if (same(name, c)) return c;
  error = WBEM_E_INVALID_CLASS;
  return "";
}

void WmiService::subscribe(IWbemObjectSink* sink, const std::string& eventClass) {
  std::lock_guard<std::recursive_mutex> lock(machineMutex());
  sink->AddRef();
  subscriptions_.emplace(sink, eventClass);
  if (observer_ == 0) observer_ = addLinkObserver([this](const LinkNotice& n) { onLink(n); });
}

bool WmiService::cancel(IWbemObjectSink* sink) {
  size_t held = 0;
  {
    std::lock_guard<std::recursive_mutex> lock(machineMutex());
    held = subscriptions_.erase(sink);
  }
  if (held == 0) return false;
  deliverer_.quiesce(reinterpret_cast<uintptr_t>(sink));
  for (size_t i = 0; i < held; ++i) sink->Release();
  return true;
}

void WmiService::onLink(const LinkNotice& notice) {
  switch (notice.change) {
    case LinkChange::Connected:
      deliver(kMediaConnect, notice.guid, 0);
      break;
    case LinkChange::Disconnected:
      deliver(kMediaDisconnect, notice.guid, 0);
      break;
    case LinkChange::LinkEvent:
      deliver(kDriverMessage, notice.guid, notice.value);
      break;
    default:
      break;
  }
}

void WmiService::deliver(const std::string& eventClass, const std::string& guid, uint32_t code) {
  Machine* m = machineIfLoaded();
  Adapter* a = m ? m->findAdapter(guid) : nullptr;
  std::map<std::string, WmiValue> properties{
      {"InstanceName", WmiValue{VT_BSTR, a ? a->config().description : guid, 0}},
      {"Active", WmiValue{VT_BOOL, "", 1}}};
  if (eventClass == kDriverMessage) properties["EventCode"] = WmiValue{VT_UI4, "", code};
  for (auto& [sink, cls] : subscriptions_) {
    if (cls != eventClass) continue;
    IWbemObjectSink* target = sink;
    deliverer_.post(reinterpret_cast<uintptr_t>(target), [target, eventClass, properties] {
      IWbemClassObject* event = new WmiEvent(eventClass, properties);
      target->Indicate(1, &event);
      event->Release();
    });
  }
}

// Subscriptions left open are dropped without touching their sinks, which
// their clients may have deleted by now.
void WmiService::reset() {
  {
    std::lock_guard<std::recursive_mutex> lock(machineMutex());
    subscriptions_.clear();
    if (observer_ != 0) removeLinkObserver(observer_);
    observer_ = 0;
  }
  deliverer_.stop();
}

}  // namespace wavorel::sim
