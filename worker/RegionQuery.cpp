// What the driver says about the radio's limits: the register probes of the
// 40 MHz permissions and the country-region query with its channel list.
#include <cstdlib>

#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr DWORD kRegisterSpace = 3;
constexpr DWORD kRegisterAddress = 0x36;
constexpr DWORD kNoRegisterWord = 0xFFFF;
constexpr DWORD kFixedRegionBandG = 0x80;
constexpr DWORD kFixedRegionBandA = 0x8000;

// The configuration word of register {3, 0x36}: true and the word, or false
// when the query fails, answers short, or the word reads 0xFFFF.
bool registerWord(DWORD& word) {
  DWORD block[3] = {kRegisterSpace, kRegisterAddress, 0};
  DWORD returned = 0;
  if (!QueryOid(OID_VX_REGISTER_RW, block, sizeof block, &returned) || returned < sizeof block) return false;
  if (block[2] == kNoRegisterWord) return false;
  word = block[2];
  return true;
}

void probe(int& flag, DWORD bit) {
  DWORD word = 0;
  if (registerWord(word)) flag = (word & bit) ? 0 : 1;
}

struct ChannelRun {
  BYTE first;
  BYTE last;
};
// The 2.4 GHz channels of a region (low 7 bits of the region word, 0..8; a
// higher region gets 1 to 11), by family kind.
constexpr ChannelRun kRegionsNewFamilies[9] = {{1, 11}, {1, 13}, {10, 11}, {10, 13}, {14, 14},
                                               {1, 14}, {3, 9},  {5, 13},  {1, 11}};
constexpr ChannelRun kRegionsVx52[9] = {{1, 11}, {1, 11}, {1, 13}, {10, 11}, {10, 13},
                                        {14, 14}, {1, 14}, {3, 9},  {5, 13}};
constexpr ChannelRun kOtherRegions = {1, 11};

void buildChannelList(DWORD region, int family) {
  g_nChannelCount = 0;
  const ChannelRun* table = nullptr;
  if (family == 0 || family == 1)
    table = kRegionsVx52;
  else if (family >= 4 && family <= 8)
    table = kRegionsNewFamilies;
  else
    return;
  const ChannelRun run = region <= 8 ? table[region] : kOtherRegions;
  for (int channel = run.first; channel <= run.last && g_nChannelCount < kMaxChannels; ++channel)
    g_channelList[g_nChannelCount++] = static_cast<BYTE>(channel);
}

}  // namespace

void ProbeBandA40MHz(int& flag) { probe(flag, 1u << 9); }
void ProbeBandG40MHz(int& flag) { probe(flag, 1u << 8); }

int QueryCountryRegion() {
  DWORD region = 0, returned = 0;
  QueryOid(OID_VX_COUNTRY_REGION, &region, sizeof region, &returned);
  if (returned < sizeof region) region = 0;
  g_bRegionEditableBandG = (region & kFixedRegionBandG) ? 0 : 1;
  g_bRegionEditableBandA = (region & kFixedRegionBandA) ? 0 : 1;
  region &= ~(kFixedRegionBandG | kFixedRegionBandA);
  g_dwCountryRegion = region;

  HKEY key = nullptr;
  if (!OpenDriverKey(&key, g_strDriverKey)) return 0;
  char text[129];
  ReadRegistryText(key, "WirelessMode", text, sizeof text);
  RegCloseKey(key);
  int mode = std::atoi(text);
  AdjustWirelessMode(mode);
  g_nWirelessMode = mode;
  if (mode != 2) buildChannelList(region & 0x7F, g_nFamilyIndex);
  return 1;
}
