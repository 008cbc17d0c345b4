// The driver sets both station workers send while applying a profile: plain
// sets with retries, the station configuration block, the country region and
// the rate block.
#pragma once

#include "platform/Platform.h"
#include "worker/ProfileData.h"

constexpr int kProfileSetTries = 3;
// The word of the station configuration block the driver always gets as 0.
constexpr size_t kClearedStationConfigWord = 6;

// A set through the worker's retry queue; the byte count the driver reports
// is not needed.
void SetOidData(DWORD oid, const void* data, DWORD size, int tries = kProfileSetTries);
void SetOidDword(DWORD oid, DWORD value);
// The 32-byte station configuration block, sent with word
// kClearedStationConfigWord as 0 (`words` itself is left as it is).
void SetStationConfig(const DWORD (&words)[kStationConfigWords]);
// The country region, when the adapter lets it change, and the settings
// read again that depend on it.
void SetCountryRegion(DWORD region);
// The rate block of the worker's wireless mode (none in the 802.11n modes).
void SetRateBlock();
