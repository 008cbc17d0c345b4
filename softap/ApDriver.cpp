#include "softap/ApDriver.h"

#include "softap/ApModule.h"
#include "worker/DeviceHandle.h"
#include "worker/DriverCodes.h"
#include "platform/wire/Bytes.h"

BOOL QueryDriverOid_AP(DWORD oid, void* buffer, DWORD size, DWORD* bytesReturned) {
  DWORD returned = 0;
  if (!bytesReturned) bytesReturned = &returned;
  CDeviceHandle device(g_strApDevicePath);
  if (!device.IsOpen()) return FALSE;
  *bytesReturned = 0;
  return DeviceIoControl(device.Get(), IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, sizeof(oid), buffer, size,
                         bytesReturned, nullptr);
}

CSetOidQueue& GetApSetOidQueue() {
  static CSetOidQueue queue(g_strApDevicePath, OID_VX_SET_FLAG, SetOidRetryProc_AP);
  return queue;
}

BOOL SetDriverOid_AP(DWORD oid, void* data, DWORD size, DWORD* bytesReturned, int tries) {
  return GetApSetOidQueue().Set(oid, data, size, bytesReturned, tries);
}

void CALLBACK SetOidRetryProc_AP(HWND, UINT, UINT_PTR idEvent, DWORD) { GetApSetOidQueue().Retry(idEvent); }

BOOL IsApDeviceOpen() { return CDeviceHandle(g_strApDevicePath).IsOpen() ? TRUE : FALSE; }

BOOL SetDriverRecord_AP(DWORD oid, std::vector<BYTE> record) {
  DWORD returned = 0;
  return SetDriverOid_AP(oid, record.data(), static_cast<DWORD>(record.size()), &returned, kApSetTries);
}

BOOL SetDriverDword_AP(DWORD oid, DWORD value) {
  std::vector<BYTE> record(sizeof(DWORD), 0);
  wavorel::wire::putU32(record.data(), value);
  return SetDriverRecord_AP(oid, std::move(record));
}

BOOL QueryDriverDword_AP(DWORD oid, DWORD& value) {
  BYTE answer[sizeof(DWORD)] = {};
  DWORD returned = 0;
  if (!QueryDriverOid_AP(oid, answer, sizeof answer, &returned) || returned < sizeof answer) return FALSE;
  value = wavorel::wire::getU32(answer);
  return TRUE;
}

void SetDriverRecordIfChanged_AP(DWORD queryOid, DWORD setOid, std::vector<BYTE> record) {
  std::vector<BYTE> current(record.size(), 0);
  DWORD returned = 0;
  QueryDriverOid_AP(queryOid, current.data(), static_cast<DWORD>(current.size()), &returned);
  if (current != record) SetDriverRecord_AP(setOid, std::move(record));
}
