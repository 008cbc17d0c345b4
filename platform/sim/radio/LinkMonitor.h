// Watches the adapters of the simulated machine for the changes that the
// system services report (scans finishing, links coming and going, radio
// switches, driver link events, the steps of joining a network, adapters
// arriving and leaving) and tells its
// observers. It looks whenever the platform clock moves and whenever a service
// asks; it keeps only what it saw last, to tell what changed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace wavorel::sim {

enum class LinkChange {
  ScanComplete,
  ScanFailed,
  JoinStep,    // a join reached a new step; value: the LinkState
  JoinFailed,  // a join ended without a link; value: the driver's link event code
  Connected,
  Disconnected,
  RadioChanged,   // either switch moved; value: 1 the radio works, 2 it does not
  LinkEvent,      // value: the driver's link event code
  Arrival,
  Removal,
  SignalQuality,  // value: 0..100
};

struct LinkNotice {
  LinkChange change;
  std::string guid;
  uint32_t value = 0;
};

// Observers are called under the machine lock and must only queue work.
using LinkObserver = std::function<void(const LinkNotice&)>;
int addLinkObserver(LinkObserver observer);
void removeLinkObserver(int id);

// Queues work an observer wants done once the current look has told every
// observer (it may change adapters and look again itself): it runs at the end
// of checkLinks, under the machine lock.
void afterLook(std::function<void()> job);

// Compares every adapter with the last look and tells the observers (nothing
// happens while there are none, so the machine is not loaded for nothing).
void checkLinks();

// Signal quality 0..100 of a signal in dBm (-100 dBm and below: 0, -50 and above: 100).
uint32_t signalQuality(int32_t rssiDbm);

}  // namespace wavorel::sim
