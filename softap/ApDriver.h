// The AP module's driver requests: every call opens the adapter's device path
// (g_strApDevicePath) anew, sends one IOCTL_NDIS_QUERY_GLOBAL_STATS request
// with the 4-byte code as input and the data as the output buffer, and closes
// the device. Failed sets wait in the AP module's own retry queue, apart from
// the station worker's. UI thread only.
#pragma once

#include <vector>

#include "platform/Platform.h"
#include "worker/SetOidQueue.h"

// Reads `oid` (sent as given) into `buffer`, which is not cleared first.
// TRUE when the driver answered; *bytesReturned may then be less than `size`.
// FALSE when the device does not open or the driver refuses.
BOOL QueryDriverOid_AP(DWORD oid, void* buffer, DWORD size, DWORD* bytesReturned);
// Writes `oid` with the set bit 0x00800000. `tries` counts the first attempt
// (3: one call and at most two retries 500 ms apart). The first attempt's
// result; a device that does not open queues nothing.
BOOL SetDriverOid_AP(DWORD oid, void* data, DWORD size, DWORD* bytesReturned, int tries);
// The retry queue's timer procedure.
void CALLBACK SetOidRetryProc_AP(HWND hwnd, UINT message, UINT_PTR idEvent, DWORD time);
// TRUE when the device path opens (it is closed again at once).
BOOL IsApDeviceOpen();
// The AP module's retry queue.
CSetOidQueue& GetApSetOidQueue();

// Sets with the tries the AP module uses everywhere.
constexpr int kApSetTries = 3;
// A record, or one 32-bit value, set with those tries.
BOOL SetDriverRecord_AP(DWORD oid, std::vector<BYTE> record);
BOOL SetDriverDword_AP(DWORD oid, DWORD value);
// A 32-bit value read whole: FALSE (value untouched) when the query fails or
// the driver answers fewer than 4 bytes.
BOOL QueryDriverDword_AP(DWORD oid, DWORD& value);
