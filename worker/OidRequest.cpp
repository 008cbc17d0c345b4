#include "worker/OidRequest.h"

#include <algorithm>
#include <cstring>

#include "platform/wire/Bytes.h"
#include "worker/DeviceHandle.h"
#include "worker/ProfileData.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr int kSetTries = 3;
constexpr DWORD kCcxClearedBits = 0x520;
constexpr DWORD kCcxForcedBits = 0xFA00;

}  // namespace

BOOL QueryOid(DWORD oid, void* buffer, DWORD size, DWORD* bytesReturned) {
  DWORD returned = 0;
  if (!bytesReturned) bytesReturned = &returned;
  CDeviceHandle device(g_strDevicePath);
  if (!device.IsOpen()) return FALSE;
  *bytesReturned = 0;
  return DeviceIoControl(device.Get(), IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, sizeof(oid), buffer, size,
                         bytesReturned, nullptr);
}

CSetOidQueue& GetSetOidQueue() {
  static CSetOidQueue queue(g_strDevicePath, OID_STATION_SET_MASK, SetOidRetryProc);
  return queue;
}

BOOL SetOid(DWORD oid, void* data, DWORD size, DWORD* bytesReturned, int tries) {
  return GetSetOidQueue().Set(oid, data, size, bytesReturned, tries);
}

void CALLBACK SetOidRetryProc(HWND, UINT, UINT_PTR timerId, DWORD) { GetSetOidQueue().Retry(timerId); }

int IsAdapterPresent() {
  CDeviceHandle device(g_strDevicePath);
  return device.IsOpen() ? 1 : 0;
}

BOOL QueryDriverVersion() {
  WORD version = 0;
  DWORD returned = 0;
  if (!QueryOid(OID_GEN_DRIVER_VERSION, &version, sizeof(version), &returned)) return FALSE;
  if (returned < sizeof(version)) return FALSE;
  g_wDriverVersion = version;
  return TRUE;
}

BOOL IsStationMode() {
  DWORD mode = 1;
  if (!QueryDword(OID_VX_AP_MODE, mode)) return TRUE;
  return mode == 0;
}

BOOL SetCcxControl(int kind, DWORD value) {
  DWORD word = (kind == 1) ? value : ((value & ~kCcxClearedBits) | kCcxForcedBits);
  DWORD returned = 0;
  return SetOid(OID_VX_PRIVATE_011E_SET, &word, sizeof(word), &returned, kSetTries);
}

BOOL SetSsidOid(const NDIS_802_11_SSID& ssid) {
  BYTE block[sizeof(NDIS_802_11_SSID)] = {};
  wavorel::wire::putU32(block, std::min<ULONG>(ssid.SsidLength, sizeof ssid.Ssid));
  std::memcpy(block + sizeof(ULONG), ssid.Ssid, sizeof ssid.Ssid);
  DWORD returned = 0;
  return SetOid(OID_802_11_SSID, block, sizeof block, &returned, kSetTries);
}

BOOL SetPspXlink(int on) {
  DWORD word = on ? 1 : 0;
  DWORD returned = 0;
  return SetOid(OID_VX_PRIVATE_0134_SET, &word, sizeof(word), &returned, kSetTries);
}

BOOL QueryDword(DWORD oid, DWORD& value) {
  DWORD answer = value;
  DWORD returned = 0;
  if (!QueryOid(oid, &answer, sizeof(answer), &returned) || returned < sizeof(answer)) return FALSE;
  value = answer;
  return TRUE;
}
