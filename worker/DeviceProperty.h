// SetupAPI device properties read into the fixed text buffers of adapter
// discovery and the adapter choice dialog.
#pragma once

#include "platform/Platform.h"

// Reads `property` of the device into `buffer` (room for `size` bytes, at
// least 1): a text that does not fit is cut, the result is always terminated
// (a list of texts gives its first one), and a property that cannot be read
// leaves the buffer empty. TRUE when the property was read.
BOOL ReadDeviceProperty(HDEVINFO devInfo, PSP_DEVINFO_DATA device, DWORD property, char* buffer, DWORD size);

// The property as text (cut at 255 bytes); empty when it cannot be read.
CString DevicePropertyText(HDEVINFO devInfo, PSP_DEVINFO_DATA device, DWORD property);

// TRUE for a device information set that SetupDiGetClassDevs handed out.
inline bool IsValidDeviceInfoSet(HDEVINFO devInfo) { return devInfo != nullptr && devInfo != INVALID_HANDLE_VALUE; }
