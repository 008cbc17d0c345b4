#include "platform/sim/radio/LinkMonitor.h"

#include <map>
#include <mutex>
#include <vector>

#include "platform/sim/radio/LinkAlarm.h"
#include "platform/sim/radio/Machine.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Root.h"

namespace wavorel::sim {

namespace {

struct Look {
  bool present = false;
  bool radioOn = false;
  bool hardwareRadioOn = false;
  bool scanning = false;
  const WorldNetwork* network = nullptr;
  LinkState state = LinkState::Idle;  // kept from the last step seen
  uint32_t linkEvent = kLinkDown;
  uint32_t quality = 0;
};

struct Monitor {
  std::map<int, LinkObserver> observers;
  std::map<std::string, Look> looks;
  std::vector<std::function<void()>> jobs;  // afterLook's
  int nextId = 1;
  int clockListener = 0;
  LinkAlarm alarm{[] { checkLinks(); }};
};

Monitor& monitor() {
  static Monitor m;
  return m;
}

const bool g_reset = (registerStateReset([] {
                        std::lock_guard<std::recursive_mutex> lock(machineMutex());
                        monitor().looks.clear();
                        monitor().jobs.clear();
                      }),
                      true);

Look lookAt(Adapter& a) {
  Look l;
  l.present = a.present();
  l.radioOn = a.radioOn();
  l.hardwareRadioOn = a.hardwareRadioOn();
  l.scanning = a.scanning();
  l.network = a.network();
  l.linkEvent = a.linkEvent();
  l.quality = l.network ? signalQuality(a.signalOf(*l.network)) : 0;
  return l;
}

void tell(const LinkNotice& notice) {
  std::vector<LinkObserver> observers;
  for (auto& kv : monitor().observers) observers.push_back(kv.second);
  for (auto& o : observers) o(notice);
}

bool joiningIn(LinkState s) { return s != LinkState::Idle && s != LinkState::Connected; }

void compare(const std::string& guid, const Look& was, const Look& now, const std::vector<JoinStep>& steps) {
  if (!was.present && now.present) tell({LinkChange::Arrival, guid});
  if (was.network && was.network != now.network) tell({LinkChange::Disconnected, guid});
  bool works = now.radioOn && now.hardwareRadioOn;
  if (was.radioOn != now.radioOn || was.hardwareRadioOn != now.hardwareRadioOn)
    tell({LinkChange::RadioChanged, guid, works ? 1u : 2u});
  if (was.scanning && !now.scanning)
    tell({now.present && works ? LinkChange::ScanComplete : LinkChange::ScanFailed, guid});
  LinkState before = was.state;
  for (const JoinStep& step : steps) {
    if (joiningIn(step.state)) tell({LinkChange::JoinStep, guid, static_cast<uint32_t>(step.state)});
    if (joiningIn(before) && step.state == LinkState::Idle) tell({LinkChange::JoinFailed, guid, step.event});
    before = step.state;
  }
  if (now.network && was.network != now.network) tell({LinkChange::Connected, guid});
  if (was.linkEvent != now.linkEvent) tell({LinkChange::LinkEvent, guid, now.linkEvent});
  if (now.network && was.network == now.network && was.quality != now.quality)
    tell({LinkChange::SignalQuality, guid, now.quality});
  if (was.present && !now.present) tell({LinkChange::Removal, guid});
}

}  // namespace

uint32_t signalQuality(int32_t rssiDbm) {
  if (rssiDbm <= -100) return 0;
  if (rssiDbm >= -50) return 100;
  return static_cast<uint32_t>(2 * (rssiDbm + 100));
}

int addLinkObserver(LinkObserver observer) {
  std::lock_guard<std::recursive_mutex> lock(machineMutex());
  Monitor& m = monitor();
  if (m.clockListener == 0) m.clockListener = addClockListener([] { checkLinks(); });
  int id = m.nextId++;
  m.observers.emplace(id, std::move(observer));
  checkLinks();  // the first look at adapters not seen yet
  return id;
}

void removeLinkObserver(int id) {
  std::lock_guard<std::recursive_mutex> lock(machineMutex());
  monitor().observers.erase(id);
}

void afterLook(std::function<void()> job) {
  std::lock_guard<std::recursive_mutex> lock(machineMutex());
  monitor().jobs.push_back(std::move(job));
}

void checkLinks() {
  std::lock_guard<std::recursive_mutex> lock(machineMutex());
  Monitor& m = monitor();
  if (m.observers.empty()) return;
  Machine* machine = machineIfLoaded();
  if (!machine) return;
  for (size_t i = 0; i < machine->adapterCount(); ++i) {
    Adapter& a = machine->adapter(i);
    Look now = lookAt(a);
    std::vector<JoinStep> steps = a.takeJoinSteps();
    auto it = m.looks.find(a.guid());
    if (it == m.looks.end()) {
      now.state = a.linkState();
      m.looks.emplace(a.guid(), now);
      continue;
    }
    Look was = it->second;
    now.state = steps.empty() ? was.state : steps.back().state;
    it->second = now;
    compare(a.guid(), was, now, steps);
  }
  // A job's own looks run the jobs queued meanwhile.
  while (!m.jobs.empty()) {
    std::vector<std::function<void()>> jobs;
    jobs.swap(m.jobs);
    for (auto& job : jobs) job();
  }
  // The next look is due when an adapter next changes by itself.
  std::optional<uint64_t> due;
  for (size_t i = 0; i < machine->adapterCount(); ++i) {
    std::optional<uint64_t> at = machine->adapter(i).nextChangeAt();
    if (at && (!due || *at < *due)) due = at;
  }
  m.alarm.set(due);
}

}  // namespace wavorel::sim
