// The AP module's driver requests: every call opens the adapter's device path
// (g_strApDevicePath) anew, sends one IOCTL_NDIS_QUERY_GLOBAL_STATS request
// with the 4-byte code as input and the data as the output buffer, and closes
// the device. Failed sets wait in the AP module's own retry queue, apart from
// the station worker's. UI thread only.
#pragma once

#include <vector>

#include "platform/Platform.h"
#include "platform/wire/NdisStatistics.h"
#include "worker/DriverCodes.h"
#include "worker/SetOidQueue.h"

// The codes of the AP side that are private in WavorelVista and standard NDIS
// 802.11 codes in Wavorel (sets: the query code with OID_VX_SET_FLAG).
constexpr DWORD OID_AP_RSSI = DriverCodeOfBuild(OID_VX_RSSI0, OID_802_11_RSSI);
constexpr DWORD OID_AP_CONFIGURATION = DriverCodeOfBuild(OID_VX_CONFIGURATION, OID_802_11_CONFIGURATION);
constexpr DWORD OID_AP_CONFIGURATION_SET =
    DriverCodeOfBuild(OID_VX_CONFIGURATION_SET, OID_802_11_CONFIGURATION | OID_VX_SET_FLAG);
constexpr DWORD OID_AP_RTS_THRESHOLD = DriverCodeOfBuild(OID_VX_RTS_THRESHOLD, OID_802_11_RTS_THRESHOLD);
constexpr DWORD OID_AP_RTS_THRESHOLD_SET =
    DriverCodeOfBuild(OID_VX_RTS_THRESHOLD_SET, OID_802_11_RTS_THRESHOLD | OID_VX_SET_FLAG);
constexpr DWORD OID_AP_FRAG_THRESHOLD = DriverCodeOfBuild(OID_VX_FRAG_THRESHOLD, OID_802_11_FRAGMENTATION_THRESHOLD);
constexpr DWORD OID_AP_FRAG_THRESHOLD_SET =
    DriverCodeOfBuild(OID_VX_FRAG_THRESHOLD_SET, OID_802_11_FRAGMENTATION_THRESHOLD | OID_VX_SET_FLAG);
constexpr DWORD OID_AP_DESIRED_RATES_SET =
    DriverCodeOfBuild(OID_VX_DESIRED_RATES_SET, OID_802_11_DESIRED_RATES | OID_VX_SET_FLAG);
constexpr DWORD OID_AP_AUTH_MODE_SET =
    DriverCodeOfBuild(OID_VX_AUTH_MODE_SET, OID_802_11_AUTHENTICATION_MODE | OID_VX_SET_FLAG);
constexpr DWORD OID_AP_ENCRYPTION_SET =
    DriverCodeOfBuild(OID_VX_ENCRYPTION_SET, OID_802_11_ENCRYPTION_STATUS | OID_VX_SET_FLAG);
constexpr DWORD OID_AP_ADD_KEY_SET = DriverCodeOfBuild(OID_VX_ADD_KEY_SET, OID_802_11_ADD_KEY | OID_VX_SET_FLAG);
constexpr DWORD OID_AP_REMOVE_KEY_SET = DriverCodeOfBuild(OID_VX_REMOVE_KEY, OID_802_11_REMOVE_KEY | OID_VX_SET_FLAG);
// Only Wavorel sets the AP's SSID by code.
constexpr DWORD OID_AP_SSID_SET = DriverCodeOfBuild(OID_NOT_IN_BUILD, OID_802_11_SSID | OID_VX_SET_FLAG);

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
// Sets `record` unless a query of `queryOid` answers the same bytes.
void SetDriverRecordIfChanged_AP(DWORD queryOid, DWORD setOid, std::vector<BYTE> record);
// A 32-bit value read whole: FALSE (value untouched) when the query fails or
// the driver answers fewer than 4 bytes.
BOOL QueryDriverDword_AP(DWORD oid, DWORD& value);

// The AP's counters while the AP reports a connection (left as they are
// otherwise): the NDIS 802.11 statistics up to FCSErrorCount and the frames
// received. WavorelVista reads them through the AP's Native Wi-Fi client.
void QueryApCounters(wavorel::wire::ndis::statistics::layout::Statistics* stats, ULONGLONG* received);
