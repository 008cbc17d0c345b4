// SetupAPI, as far as adapter discovery uses it: the device information set
// of a setup class, the devices' registry properties and their driver keys.
// The devices are the simulated machine's adapters; a set lists the adapters
// that were there (present ones with DIGCF_PRESENT) when it was made.
#pragma once

#include "platform/win/registry/Registry.h"
#include "platform/win/kernel/Types.h"

typedef void* HDEVINFO;

struct SP_DEVINFO_DATA {
  DWORD cbSize;
  GUID ClassGuid;
  DWORD DevInst;
  ULONG_PTR Reserved;
};
typedef SP_DEVINFO_DATA* PSP_DEVINFO_DATA;
typedef GUID* LPGUID;

// SetupDiGetClassDevs flags.
#define DIGCF_DEFAULT 0x00000001
#define DIGCF_PRESENT 0x00000002
#define DIGCF_ALLCLASSES 0x00000004
#define DIGCF_PROFILE 0x00000008
#define DIGCF_DEVICEINTERFACE 0x00000010

// Device registry properties.
#define SPDRP_DEVICEDESC 0x00000000
#define SPDRP_HARDWAREID 0x00000001
#define SPDRP_COMPATIBLEIDS 0x00000002
#define SPDRP_SERVICE 0x00000004
#define SPDRP_CLASS 0x00000007
#define SPDRP_CLASSGUID 0x00000008
#define SPDRP_DRIVER 0x00000009
#define SPDRP_MFG 0x0000000B
#define SPDRP_FRIENDLYNAME 0x0000000C
#define SPDRP_LOCATION_INFORMATION 0x0000000D

// SetupDiOpenDevRegKey scopes and key kinds.
#define DICS_FLAG_GLOBAL 0x00000001
#define DICS_FLAG_CONFIGSPECIFIC 0x00000002
#define DIREG_DEV 0x00000001
#define DIREG_DRV 0x00000002

// TRUE with the class GUIDs of a class name (compared without case) and their
// count in *RequiredSize; ERROR_INSUFFICIENT_BUFFER when the list is too small.
// An unknown name gives TRUE and 0.
BOOL SetupDiClassGuidsFromName(LPCSTR ClassName, LPGUID ClassGuidList, DWORD ClassGuidListSize,
                               PDWORD RequiredSize);
// INVALID_HANDLE_VALUE on failure.
HDEVINFO SetupDiGetClassDevs(const GUID* ClassGuid, LPCSTR Enumerator, HWND hwndParent, DWORD Flags);
// FALSE with ERROR_NO_MORE_ITEMS past the last device.
BOOL SetupDiEnumDeviceInfo(HDEVINFO DeviceInfoSet, DWORD MemberIndex, PSP_DEVINFO_DATA DeviceInfoData);
// Texts come with their terminator (REG_MULTI_SZ lists with two). A buffer too
// small gets nothing: FALSE with ERROR_INSUFFICIENT_BUFFER and the size needed
// in *RequiredSize. A property the device does not have: ERROR_INVALID_DATA.
BOOL SetupDiGetDeviceRegistryProperty(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData, DWORD Property,
                                      PDWORD PropertyRegDataType, PBYTE PropertyBuffer, DWORD PropertyBufferSize,
                                      PDWORD RequiredSize);
// DIREG_DRV only (else ERROR_INVALID_FLAGS): the device's driver key below
// HKEY_LOCAL_MACHINE. INVALID_HANDLE_VALUE (as an HKEY) on failure.
HKEY SetupDiOpenDevRegKey(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData, DWORD Scope, DWORD HwProfile,
                          DWORD KeyType, REGSAM samDesired);
BOOL SetupDiGetDeviceInstanceId(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData, LPSTR DeviceInstanceId,
                                DWORD DeviceInstanceIdSize, PDWORD RequiredSize);
BOOL SetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet);
