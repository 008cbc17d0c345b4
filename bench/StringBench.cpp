#include <benchmark/benchmark.h>

#include "platform/mfc/String.h"

// A typical status log line: text, 64-bit counters, percentages and a MAC address.
static void BM_CStringFormatLogLine(benchmark::State& state) {
  const unsigned char mac[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  long long rx = 123456789012LL;
  CString line;
  for (auto _ : state) {
    line.Format("[%s] <%s> SSID \"%hs\" %02X-%02X-%02X-%02X-%02X-%02X rx %I64d tx %I64u signal %d%% rate %.1f Mbps",
                "2026-06-15 12:00:00", "NORMAL", "HomeNet", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5], rx++,
                987654321ULL, 76, 54.0);
    benchmark::DoNotOptimize(line.GetString());
  }
}
BENCHMARK(BM_CStringFormatLogLine);

BENCHMARK_MAIN();
