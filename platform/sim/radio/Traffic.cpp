#include "platform/sim/radio/Traffic.h"

namespace wavorel::sim {

namespace {

// Traffic of a link, per second.
constexpr uint64_t kTxFramesPerSecond = 20;
constexpr uint64_t kRxFramesPerSecond = 50;
constexpr uint64_t kTxBytesPerSecond = 8000;
constexpr uint64_t kRxBytesPerSecond = 45000;

}  // namespace

LinkCounters trafficOver(uint64_t decryptingMs, uint64_t undecryptableMs) {
  LinkCounters c;
  uint64_t ms = decryptingMs + undecryptableMs;
  c.txFrames = ms * kTxFramesPerSecond / 1000;
  c.rxFrames = ms * kRxFramesPerSecond / 1000;
  c.rxUndecryptable = undecryptableMs * kRxFramesPerSecond / 1000;
  c.rxDecrypted = c.rxFrames - c.rxUndecryptable;
  c.txBytes = ms * kTxBytesPerSecond / 1000;
  c.rxBytes = decryptingMs * kRxBytesPerSecond / 1000;
  c.txMulticast = c.txFrames / 10;
  c.rxMulticast = c.rxFrames / 8;
  c.txRetries = c.txFrames / 25;
  c.txMultipleRetries = c.txRetries / 4;
  c.txFailed = c.txFrames / 400;
  c.ackFailure = c.txFailed;
  c.rtsSuccess = c.txFrames / 50;
  c.rtsFailure = c.rtsSuccess / 20;
  c.rxDuplicates = c.rxFrames / 200;
  c.rxFcsErrors = c.rxFrames / 100;
  c.rxNoBuffer = c.rxFrames / 1000;
  return c;
}

LinkCounters sinceReset(LinkCounters c, const LinkCounters& base) {
  auto minus = [](uint64_t& v, uint64_t b) { v = v >= b ? v - b : 0; };
  minus(c.txFrames, base.txFrames);
  minus(c.rxFrames, base.rxFrames);
  minus(c.txMulticast, base.txMulticast);
  minus(c.rxMulticast, base.rxMulticast);
  minus(c.txRetries, base.txRetries);
  minus(c.txMultipleRetries, base.txMultipleRetries);
  minus(c.txFailed, base.txFailed);
  minus(c.ackFailure, base.ackFailure);
  minus(c.rtsSuccess, base.rtsSuccess);
  minus(c.rtsFailure, base.rtsFailure);
  minus(c.rxDuplicates, base.rxDuplicates);
  minus(c.rxFcsErrors, base.rxFcsErrors);
  minus(c.rxNoBuffer, base.rxNoBuffer);
  minus(c.rxDecrypted, base.rxDecrypted);
  minus(c.rxUndecryptable, base.rxUndecryptable);
  return c;
}

}  // namespace wavorel::sim
