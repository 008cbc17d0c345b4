#include "worker/RateSets.h"

#include <cstring>

void FillModeRates(int wirelessMode, DWORD transmitSetting, BYTE rates[8]) {
  std::memset(rates, 0, 8);
  if (wirelessMode == 1) {
    std::memcpy(rates, kRatesB, sizeof kRatesB);
  } else if (wirelessMode == 2 || wirelessMode == 4) {
    std::memcpy(rates, kRatesG, sizeof kRatesG);
  } else if (IsHtWirelessMode(wirelessMode) && (transmitSetting & kHtMixedRatesMask) != kHtMixedRatesValue) {
    rates[0] = kRatesMixed[0];
  } else {
    std::memcpy(rates, kRatesMixed, sizeof kRatesMixed);
  }
}

BOOL FillRateBlock(int wirelessMode, BYTE block[kRateBlockSize]) {
  if (IsHtWirelessMode(wirelessMode)) return FALSE;
  static const BYTE kBasicB[] = {130, 132, 139, 150};
  static const BYTE kBasicG[] = {140, 18, 152, 36, 176, 72, 96, 108};
  static const BYTE kMixed[] = {130, 132, 139, 150, 18, 36, 72, 108};
  static const BYTE kMixedExtended[] = {140, 152, 176, 96};
  constexpr size_t kRates = 1;
  constexpr size_t kExtendedCount = 13;
  constexpr size_t kExtendedRates = 14;
  std::memset(block, 0, kRateBlockSize);
  auto put = [block](const BYTE* rates, size_t count, const BYTE* extended, size_t extendedCount) {
    block[0] = static_cast<BYTE>(count);
    std::memcpy(block + kRates, rates, count);
    block[kExtendedCount] = static_cast<BYTE>(extendedCount);
    if (extendedCount) std::memcpy(block + kExtendedRates, extended, extendedCount);
  };
  if (wirelessMode == 1)
    put(kBasicB, sizeof kBasicB, nullptr, 0);
  else if (wirelessMode == 2 || wirelessMode == 4)
    put(kBasicG, sizeof kBasicG, nullptr, 0);
  else
    put(kMixed, sizeof kMixed, kMixedExtended, sizeof kMixedExtended);
  return TRUE;
}
