#include "worker/ChannelList.h"

#include "worker/ModuleFunctions.h"
#include "worker/WorkerGlobals.h"

namespace {

struct ChannelRun {
  BYTE first;
  BYTE last;
  BYTE step;
};

// The 2.4 GHz channels of regions 0..8 by family kind; a higher region gets 1 to 11.
constexpr ChannelRun kRegionsNewFamilies[9] = {{1, 11, 1}, {1, 13, 1}, {10, 11, 1}, {10, 13, 1}, {14, 14, 1},
                                               {1, 14, 1}, {3, 9, 1},  {5, 13, 1},  {1, 11, 1}};
constexpr ChannelRun kRegionsVx52[9] = {{1, 11, 1}, {1, 11, 1}, {1, 13, 1}, {10, 11, 1}, {10, 13, 1},
                                        {14, 14, 1}, {1, 14, 1}, {3, 9, 1},  {5, 13, 1}};
constexpr ChannelRun kOtherBandGRegions = {1, 11, 1};

// The 5 GHz channels of regions 0..10 as runs; region 0 serves any region above 10.
struct BandARegion {
  ChannelRun runs[3];
  int count;
};
constexpr BandARegion kBandARegions[11] = {
    {{{36, 64, 4}, {149, 165, 4}}, 2},                 // 0
    {{{36, 64, 4}, {100, 140, 4}}, 2},                 // 1
    {{{36, 64, 4}}, 1},                                // 2
    {{{52, 64, 4}, {149, 161, 4}}, 2},                 // 3
    {{{149, 165, 4}}, 1},                              // 4
    {{{149, 161, 4}}, 1},                              // 5
    {{{36, 48, 4}}, 1},                                // 6
    {{{36, 64, 4}, {100, 140, 4}, {149, 165, 4}}, 3},  // 7
    {{{52, 64, 4}}, 1},                                // 8
    {{{34, 46, 4}}, 1},                                // 9
    {{{34, 48, 2}, {52, 64, 4}}, 2},                   // 10
};

int AppendRun(const ChannelRun& run, BYTE* channels, int capacity, int count) {
  for (int channel = run.first; channel <= run.last && count < capacity; channel += run.step)
    channels[count++] = static_cast<BYTE>(channel);
  return count;
}

bool IncludesBandA(int mode, int a, int b, int c, int d) { return mode == a || mode == b || mode == c || mode == d; }

}  // namespace

int AppendBandGChannels(DWORD region, int family, BYTE* channels, int capacity, int count) {
  const ChannelRun* table = nullptr;
  if (family == 0 || family == 1)
    table = kRegionsVx52;
  else if (family >= 4 && family <= 8)
    table = kRegionsNewFamilies;
  else
    return count;
  return AppendRun(region <= 8 ? table[region] : kOtherBandGRegions, channels, capacity, count);
}

void GetChannelList(int networkType, int stationMode, int adhocMode, BYTE* channels, int* count) {
  if (!channels || !count) return;
  if (*count < 0 || *count > kMaxChannels) return;
  const bool infrastructure = networkType == 1;
  const bool bandAOnly = infrastructure ? stationMode == 2 : adhocMode == 3;
  if (!bandAOnly) *count = AppendBandGChannels(g_dwCountryRegion & 0x7F, g_nFamilyIndex, channels, kMaxChannels, *count);
  const bool bandA = infrastructure ? IncludesBandA(stationMode, 2, 3, 5, 8) : IncludesBandA(adhocMode, 3, 4, 5, 8);
  if (!bandA) return;
  const DWORD regionA = (g_dwCountryRegion >> 8) & 0x7F;
  const BandARegion& runs = kBandARegions[regionA <= 10 ? regionA : 0];
  for (int i = 0; i < runs.count; ++i) *count = AppendRun(runs.runs[i], channels, kMaxChannels, *count);
}
