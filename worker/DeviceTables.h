// The chip families and the built-in tables of supported boards. A hardware
// ID is compared on its first 21 characters ("USB\VID_xxxx&PID_yyyy" or
// "PCI\VEN_xxxx&DEV_yyyy"), upper case.
#pragma once

#include "platform/Platform.h"

constexpr int kHardwareIdLength = 21;
constexpr int kFamilyCount = 9;

// One row of the chip-family table: the device name the 9x drivers answer
// to, and the driver file of each Windows generation (column 1 to 5).
struct CHIP_FAMILY {
  LPCSTR deviceName;
  LPCSTR driverFiles[5];
};
extern const CHIP_FAMILY g_chipFamilies[kFamilyCount];

// A supported board: its hardware ID and chip family.
struct DEVICE_ID_ROW {
  LPCSTR hardwareId;
  int family;
};
extern const DEVICE_ID_ROW g_usbDeviceIds[];
extern const int g_nUsbDeviceIdCount;
extern const DEVICE_ID_ROW g_pciDeviceIds[];
extern const int g_nPciDeviceIdCount;

// 1 for the families 0 and 1.
int IsVx52Family(int family);
// 802.11n families (6, 7, 8), from Windows 2000 on (g_nOsType 7).
int IsHtFamily(int family);
// 1, 2, 3 for the 802.11n families 6, 7, 8 from Windows 2000 on, else 0.
int GetHtFamilyIndex(int family);
// 1 for the USB families 1, 5, 8.
int IsUsbFamily(int family);

// Looks the ID up in the USB table, then the PCI table; a hit sets the found
// flag, bus, row and family globals and gives 1.
int MatchBuiltinDeviceId(LPCSTR hardwareId);
