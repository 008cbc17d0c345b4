// The station module's driver requests: every call opens the adapter's device
// path (g_strDevicePath), sends one IOCTL_NDIS_QUERY_GLOBAL_STATS request with
// the 4-byte code as input and the data in the output buffer, and closes the
// device again. Failed sets go to the retry queue (SetOidQueue.h). UI thread
// only.
#pragma once

#include "platform/Platform.h"
#include "worker/DriverCodes.h"
#include "worker/SetOidQueue.h"

// Reads `oid` (sent as given) into `buffer`. TRUE when the call succeeded;
// *bytesReturned is then what the driver answered, which may be less than
// `size` (the rest of the buffer is left as it was). FALSE when the device
// does not open or the driver refuses.
BOOL QueryOid(DWORD oid, void* buffer, DWORD size, DWORD* bytesReturned);
// A 32-bit driver value; FALSE (value unchanged) when the query fails or
// the driver answers fewer than 4 bytes.
BOOL QueryDword(DWORD oid, DWORD& value);

// Writes `oid` ORed with OID_STATION_SET_MASK; `data` travels as the output
// buffer, which the driver may write into. `tries` is the total number of
// attempts (callers pass 3). Returns the first attempt's result; a failure
// with tries left is queued and sent again every 500 ms. A device that does
// not open queues nothing.
BOOL SetOid(DWORD oid, void* data, DWORD size, DWORD* bytesReturned, int tries);

// The retry queue's thread-timer procedure.
void CALLBACK SetOidRetryProc(HWND hwnd, UINT message, UINT_PTR timerId, DWORD time);

// The station module's retry queue (the worker empties it when it ends).
CSetOidQueue& GetSetOidQueue();

// 1 when the device path opens (closed again at once), else 0.
int IsAdapterPresent();

// OID_GEN_DRIVER_VERSION (2 bytes) into g_wDriverVersion; the query's result.
// A short answer leaves the word alone and counts as a failure.
BOOL QueryDriverVersion();

// TRUE unless the driver reports soft-AP mode (OID_VX_AP_MODE answers a
// value other than 0); a failed or short query counts as station mode.
BOOL IsStationMode();

// The CCX control word (OID_VX_PRIVATE_011E, 3 tries): `value` as given when
// `kind` is 1 (a value read from the driver key), else (value & ~0x520) | 0xFA00.
BOOL SetCcxControl(int kind, DWORD value);

struct NDIS_802_11_SSID;
// OID_802_11_SSID (36 bytes: the length, cut to 32, and the 32 bytes), 3 tries.
BOOL SetSsidOid(const NDIS_802_11_SSID& ssid);

// The PSP-Xlink switch (OID_VX_PRIVATE_0134, 3 tries): 1 when `on` is not 0, else 0.
BOOL SetPspXlink(int on);
