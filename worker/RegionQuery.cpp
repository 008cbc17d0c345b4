// What the driver says about the radio's limits: the register probes of the
// 40 MHz permissions and the country-region query with its channel list.
#include <cstdlib>

#include "worker/ChannelList.h"
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
  if (mode != 2) g_nChannelCount = AppendBandGChannels(region & 0x7F, g_nFamilyIndex, g_channelList, kMaxChannels, 0);
  return 1;
}
