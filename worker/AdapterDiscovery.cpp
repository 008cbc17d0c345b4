#include "worker/AdapterDiscovery.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "worker/DeviceHandle.h"
#include "worker/DeviceProperty.h"
#include "worker/DeviceTables.h"
#include "worker/ModuleFunctions.h"
#include "worker/SelCardDlg.h"
#include "worker/WorkerGlobals.h"

CString g_strDiscoveredDriverKey;

namespace {

constexpr DWORD kPropertySize = 256;
constexpr DWORD kInstanceIdSize = 128;
constexpr int kClassGuidRoom = 3;
constexpr const char* kDevicePrefix = "\\\\.\\";

// The device information set, destroyed on the way out.
class DeviceSet {
 public:
  explicit DeviceSet(HDEVINFO set) : set_(set) {}
  ~DeviceSet() {
    if (valid()) SetupDiDestroyDeviceInfoList(set_);
  }
  DeviceSet(const DeviceSet&) = delete;
  DeviceSet& operator=(const DeviceSet&) = delete;
  bool valid() const { return set_ != INVALID_HANDLE_VALUE && set_ != nullptr; }
  HDEVINFO get() const { return set_; }

 private:
  HDEVINFO set_;
};

void upperCase(char* text) {
  for (; *text; ++text) *text = static_cast<char>(std::toupper(static_cast<unsigned char>(*text)));
}

// The device's hardware ID (first of its list), upper case.
void hardwareIdOf(HDEVINFO set, PSP_DEVINFO_DATA device, char* id) {
  ReadDeviceProperty(set, device, SPDRP_HARDWAREID, id, kPropertySize);
  upperCase(id);
}

// The device's NetCfgInstanceId from its driver key; false when the key does
// not open or the value cannot be read.
bool instanceIdOf(HDEVINFO set, PSP_DEVINFO_DATA device, CString& guid) {
  HKEY key = SetupDiOpenDevRegKey(set, device, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ);
  if (key == reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE) || key == nullptr) return false;
  char value[kInstanceIdSize];
  ReadRegistryText(key, "NetCfgInstanceId", value, sizeof value);
  RegCloseKey(key);
  if (value[0] == '\0') return false;
  guid = value;
  return true;
}

// The path the walk opens for a matched device: the family's device name on
// Windows 98 SE and Me, the instance ID from Windows 2000 on; the other
// generations form none.
bool walkPath(HDEVINFO set, PSP_DEVINFO_DATA device, CString& path) {
  if (g_nOsType == 4 || g_nOsType == 5) {
    path = CString(kDevicePrefix) + g_chipFamilies[g_nFamilyIndex].deviceName;
    return true;
  }
  if (g_nOsType < 7) return false;
  CString guid;
  if (!instanceIdOf(set, device, guid)) return false;
  path = CString(kDevicePrefix) + guid;
  return true;
}

// The member index the user picks among several candidates.
DWORD chooseCandidate(HDEVINFO set, const CDWordArray& candidates, CWnd* worker) {
  CSelCardDlg dialog(worker);
  dialog.SetDevInfo(set);
  for (INT_PTR i = 0; i < candidates.GetSize(); ++i) dialog.m_arrDevIndex.Add(candidates[i]);
  g_bSelCardDlgOpen = 1;
  dialog.DoModal();
  g_bSelCardDlgOpen = 0;
  // Closed with no row selected: the first candidate.
  const int row = dialog.GetSelectedRow();
  return row >= 0 && row < candidates.GetSize() ? candidates[row] : candidates[0];
}

}  // namespace

BOOL MatchDeviceId(const CSupportedDeviceList& devices, LPCSTR hardwareId) {
  g_bUsbFound = 0;
  g_bPciFound = 0;
  if (devices.GetCount() > 0)
    devices.MatchIniDeviceId(hardwareId);
  else
    MatchBuiltinDeviceId(hardwareId);
  return g_bUsbFound || g_bPciFound;
}

int EnumAdapters(const CSupportedDeviceList& devices, CWnd* worker, const AdapterInterfaceOpener& openInterface) {
  GUID classes[kClassGuidRoom];
  DWORD classCount = 0;
  if (!SetupDiClassGuidsFromName("Net", classes, kClassGuidRoom, &classCount) || classCount == 0) return 0;
  DeviceSet set(SetupDiGetClassDevs(&classes[0], nullptr, nullptr, DIGCF_PRESENT));
  if (!set.valid()) return 0;

  CDWordArray candidates;
  for (DWORD i = 0;; ++i) {
    SP_DEVINFO_DATA device{sizeof device, {}, 0, 0};
    if (!SetupDiEnumDeviceInfo(set.get(), i, &device)) break;
    char id[kPropertySize];
    hardwareIdOf(set.get(), &device, id);
    if (!MatchDeviceId(devices, id)) continue;
    CString path;
    if (!walkPath(set.get(), &device, path) || !CDeviceHandle(path).IsOpen()) continue;
    candidates.Add(i);
  }
  if (candidates.GetSize() == 0) return 0;
  const DWORD chosen = candidates.GetSize() == 1 ? candidates[0] : chooseCandidate(set.get(), candidates, worker);

  SP_DEVINFO_DATA device{sizeof device, {}, 0, 0};
  if (!SetupDiEnumDeviceInfo(set.get(), chosen, &device)) return 0;
  char id[kPropertySize];
  hardwareIdOf(set.get(), &device, id);
  std::memset(g_szFriendlyName, 0, sizeof g_szFriendlyName);
  ReadDeviceProperty(set.get(), &device, SPDRP_FRIENDLYNAME, g_szFriendlyName, sizeof g_szFriendlyName);
  if (g_szFriendlyName[0] == '\0')
    ReadDeviceProperty(set.get(), &device, SPDRP_DEVICEDESC, g_szFriendlyName, sizeof g_szFriendlyName);
  if (openInterface) openInterface(g_szFriendlyName);

  std::memset(g_szHardwareId, 0, sizeof g_szHardwareId);
  std::memcpy(g_szHardwareId, id, std::min<size_t>(std::strlen(id), kHardwareIdLength));
  MatchDeviceId(devices, g_szHardwareId);
  g_bVx52Family = IsVx52Family(g_nFamilyIndex);
  g_bHtFamily = IsHtFamily(g_nFamilyIndex);
  g_nHtFamilyIndex = GetHtFamilyIndex(g_nFamilyIndex);

  CString path;
  if (!walkPath(set.get(), &device, path)) return 0;
  g_strDevicePath = path;
  if (g_nOsType >= 7) g_strAdapterGuid = path.Mid(static_cast<int>(std::strlen(kDevicePrefix)));

  // A device without a driver value names no driver key (only the class
  // root): it is not taken.
  char driver[kPropertySize];
  if (!ReadDeviceProperty(set.get(), &device, SPDRP_DRIVER, driver, sizeof driver) || driver[0] == '\0') return 0;
  const char* classRoot =
      g_nOsType >= 7 ? "System\\CurrentControlSet\\Control\\Class" : "System\\CurrentControlSet\\Services\\Class";
  g_strDriverKey.Format("%s\\%s", classRoot, driver);
  if (!g_strDiscoveredDriverKey.IsEmpty() && g_strDiscoveredDriverKey != g_strDriverKey) g_bAdapterChanged = 1;
  g_strDiscoveredDriverKey = g_strDriverKey;
  return 1;
}
