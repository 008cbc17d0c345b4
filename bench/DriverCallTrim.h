// The simulated machine records every driver call; a long benchmark run
// empties that record now and then so it does not grow without end.
#pragma once

#include <cstddef>

#include <benchmark/benchmark.h>

#include "platform/sim/radio/Machine.h"
#include "platform/testing/Drivers.h"

namespace bench {

enum class Pump { No, Yes };

// Empties the driver's call log every 1024 iterations, outside the timing;
// with Pump::Yes it also delivers the messages that piled up meanwhile.
inline void TrimDriverCalls(benchmark::State& state, size_t& sinceClear, Pump pump = Pump::No) {
  if (++sinceClear < 1024) return;
  state.PauseTiming();
  wavorel::sim::clearDriverCalls();
  if (pump == Pump::Yes) wavorel::pumpMessages();
  sinceClear = 0;
  state.ResumeTiming();
}

}  // namespace bench
