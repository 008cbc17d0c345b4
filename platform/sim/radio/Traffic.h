// The traffic of links over virtual time: frame and byte counts that a span
// of link time carries at the fixed rates of the simulated peers. Frames that
// arrive under a key that does not fit (a wrong WEP key) are received but
// fail decryption.
#pragma once

#include <cstdint>

namespace wavorel::sim {

struct LinkCounters {
  uint64_t txFrames = 0, txMulticast = 0, txFailed = 0, txRetries = 0, txMultipleRetries = 0;
  uint64_t rtsSuccess = 0, rtsFailure = 0, ackFailure = 0;
  uint64_t rxFrames = 0, rxMulticast = 0, rxDuplicates = 0, rxFcsErrors = 0, rxNoBuffer = 0;
  uint64_t rxDecrypted = 0, rxUndecryptable = 0;
  uint64_t txBytes = 0, rxBytes = 0;
};

// The counts of `decryptingMs` of link time whose frames decrypt and
// `undecryptableMs` whose frames do not.
LinkCounters trafficOver(uint64_t decryptingMs, uint64_t undecryptableMs);

// `c` minus the counts at a reset (not below 0); byte counts run on.
LinkCounters sinceReset(LinkCounters c, const LinkCounters& atReset);

}  // namespace wavorel::sim
