#include "worker/ProfileDriverSets.h"

#include "platform/wire/Bytes.h"
#include "worker/DriverCodes.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/RateSets.h"

void SetOidData(DWORD oid, const void* data, DWORD size, int tries) {
  DWORD returned = 0;
  SetOid(oid, const_cast<void*>(data), size, &returned, tries);
}

void SetOidDword(DWORD oid, DWORD value) { SetOidData(oid, &value, sizeof value); }

void SetStationConfig(const DWORD (&words)[kStationConfigWords]) {
  BYTE block[sizeof(DWORD) * kStationConfigWords];
  for (size_t i = 0; i < kStationConfigWords; ++i)
    wavorel::wire::putU32(block + 4 * i, i == kClearedStationConfigWord ? 0 : words[i]);
  SetOidData(OID_VX_PRIVATE_0111_SET, block, sizeof block);
}

void SetCountryRegion(DWORD region) {
  if (!g_bRegionEditableBandG && !g_bRegionEditableBandA) return;
  SetOidDword(OID_VX_COUNTRY_REGION_SET, region);
  QueryCountryRegion();
}

void SetRateBlock() {
  BYTE block[kRateBlockSize];
  if (FillRateBlock(g_nWirelessMode, block)) SetOidData(OID_VX_PRIVATE_0127_SET, block, sizeof block);
}
