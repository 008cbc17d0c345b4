// The rate sets of the station side, in 500 kbit/s units (2, 4, 11, 22 =
// 1, 2, 5.5, 11 Mbit/s; 12 ... 108 = 6 ... 54 Mbit/s).
#pragma once

#include "platform/Platform.h"

// 802.11b.
constexpr BYTE kRatesB[4] = {22, 11, 4, 2};
// 802.11b and g mixed.
constexpr BYTE kRatesMixed[8] = {108, 96, 72, 48, 22, 11, 4, 2};
// 802.11a and g.
constexpr BYTE kRatesG[8] = {108, 96, 72, 48, 36, 24, 18, 12};
// Bits 4-10 of the HT transmit-setting word that select the mixed set in
// the 802.11n wireless modes (5, 6, 8, 9); other values send 54 Mbit/s alone.
constexpr DWORD kHtMixedRatesMask = 0x7F0;
constexpr DWORD kHtMixedRatesValue = 0x210;

inline bool IsHtWirelessMode(int mode) { return mode == 5 || mode == 6 || mode == 8 || mode == 9; }

// The 26-byte rate block the driver takes with a profile (OID_VX_PRIVATE_0127):
// byte 0 the rate count, bytes 1-8 the rates, byte 13 the extended count,
// bytes 14-17 the extended rates. FALSE (nothing written) for the 802.11n
// modes 5, 6, 8 and 9, which send no block.
constexpr DWORD kRateBlockSize = 26;
BOOL FillRateBlock(int wirelessMode, BYTE block[kRateBlockSize]);
// The 8-byte OID_802_11_DESIRED_RATES list of a wireless mode (the 802.11n
// modes read the HT transmit-setting word `transmitSetting`).
void FillModeRates(int wirelessMode, DWORD transmitSetting, BYTE rates[8]);
