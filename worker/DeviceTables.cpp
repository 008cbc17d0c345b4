// The built-in board tables: the boards the program supports when the
// program INI lists none (an INI that lists any ID replaces both tables).
// Vendor F0A5 is the chip maker's; the simulated machine's default adapter,
// USB\VID_F0A5&PID_0101 (family 8), is among them.
#include "worker/DeviceTables.h"

#include <cstring>

#include "worker/WorkerGlobals.h"

const CHIP_FAMILY g_chipFamilies[kFamilyCount] = {
    {"VX52", {"vx529x.sys", "vx52.sys", "vx52.sys", "vx52.sys", "vx52.sys"}},
    {"VX52U98", {"vx52u98.sys", "vx52usb.sys", "vx52usb.sys", "vxw52u.sys", "vxw52u64.sys"}},
    {"VX53", {"vx539x.sys", "vx53.sys", "vx53.sys", "vxw53.sys", "vxw5364.sys"}},
    {"VX53U98", {"vx53u98.sys", "vx53usb.sys", "vx53usb.sys", "vxw53usb.sys", "vxw53usb64.sys"}},
    {"VX42", {"vx429x.sys", "vx42.sys", "vx42.sys", "vxw42.sys", "vxw4264.sys"}},
    {"VX41", {"vx41u98.sys", "vx41.sys", "vx41.sys", "vxw41.sys", "vxw4164.sys"}},
    {"VX32_A", {"vx329x.sys", "vx32.sys", "vx32.sys", "vxw32a.sys", "vxw32a64.sys"}},
    {"VX32", {"vx329x.sys", "vx32.sys", "vx32.sys", "vxw32.sys", "vxw32x.sys"}},
    {"VX31", {"", "vx31.sys", "vx31.sys", "vxw31.sys", "vxw31x.sys"}},
};

const DEVICE_ID_ROW g_usbDeviceIds[] = {
    {"USB\\VID_F0A5&PID_0101", 8}, {"USB\\VID_F0A5&PID_0102", 8}, {"USB\\VID_F0A5&PID_0801", 8},
    {"USB\\VID_F0A5&PID_0802", 8}, {"USB\\VID_F0A5&PID_0501", 5}, {"USB\\VID_F0A5&PID_0502", 5},
    {"USB\\VID_F0A5&PID_0503", 5}, {"USB\\VID_F0A5&PID_0111", 1}, {"USB\\VID_F0A5&PID_0112", 1},
};
const int g_nUsbDeviceIdCount = static_cast<int>(sizeof g_usbDeviceIds / sizeof g_usbDeviceIds[0]);

const DEVICE_ID_ROW g_pciDeviceIds[] = {
    {"PCI\\VEN_F0A5&DEV_0001", 0}, {"PCI\\VEN_F0A5&DEV_0002", 0}, {"PCI\\VEN_F0A5&DEV_0401", 4},
    {"PCI\\VEN_F0A5&DEV_0402", 4}, {"PCI\\VEN_F0A5&DEV_0601", 6}, {"PCI\\VEN_F0A5&DEV_0602", 6},
    {"PCI\\VEN_F0A5&DEV_0701", 7}, {"PCI\\VEN_F0A5&DEV_0702", 7}, {"PCI\\VEN_F0A5&DEV_0781", 7},
};
const int g_nPciDeviceIdCount = static_cast<int>(sizeof g_pciDeviceIds / sizeof g_pciDeviceIds[0]);

int IsVx52Family(int family) { return family == 0 || family == 1 ? 1 : 0; }

int IsHtFamily(int family) {
  if (g_nOsType < 7) return 0;
  return family == 6 || family == 7 || family == 8 ? 1 : 0;
}

int GetHtFamilyIndex(int family) {
  if (g_nOsType < 7) return 0;
  switch (family) {
    case 6: return 1;
    case 7: return 2;
    case 8: return 3;
    default: return 0;
  }
}

int IsUsbFamily(int family) { return family == 1 || family == 5 || family == 8 ? 1 : 0; }

namespace {

int findRow(const DEVICE_ID_ROW* rows, int count, LPCSTR hardwareId) {
  for (int i = 0; i < count; ++i)
    if (std::strncmp(hardwareId, rows[i].hardwareId, kHardwareIdLength) == 0) return i;
  return -1;
}

}  // namespace

int MatchBuiltinDeviceId(LPCSTR hardwareId) {
  int row = findRow(g_usbDeviceIds, g_nUsbDeviceIdCount, hardwareId);
  if (row >= 0) {
    g_bUsbFound = 1;
    g_nBusType = 1;
    g_nBuiltinRow = row;
    g_nFamilyIndex = g_usbDeviceIds[row].family;
    return 1;
  }
  row = findRow(g_pciDeviceIds, g_nPciDeviceIdCount, hardwareId);
  if (row < 0) return 0;
  g_nBusType = 0;
  g_bPciFound = 1;
  g_nBuiltinRow = row;
  g_nFamilyIndex = g_pciDeviceIds[row].family;
  return 1;
}
