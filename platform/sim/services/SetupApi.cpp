#include "platform/win/services/SetupApi.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/sim/radio/Machine.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Handles.h"

namespace {

using wavorel::sim::Adapter;
using wavorel::sim::Machine;

// A device information set: the adapters it lists, by GUID, in machine order.
struct DeviceInfoSet {
  std::vector<std::string> guids;
};

wavorel::HandleTable<DeviceInfoSet>& sets() {
  static wavorel::HandleTable<DeviceInfoSet> table(0x7D000000u);
  return table;
}

const GUID kNetClass = {0x4D36E972u, 0xE325u, 0x11CEu, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

bool sameGuid(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool equalNoCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b)
    if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
  return *a == *b;
}

std::shared_ptr<DeviceInfoSet> findSet(HDEVINFO h) {
  auto set = sets().find(reinterpret_cast<uintptr_t>(h));
  if (!set) SetLastError(ERROR_INVALID_HANDLE);
  return set;
}

// The machine's adapter that a member names, or nullptr with the last error set.
Adapter* member(HDEVINFO h, PSP_DEVINFO_DATA data, Machine*& machine) {
  auto set = findSet(h);
  if (!set) return nullptr;
  if (!data || data->cbSize != sizeof(SP_DEVINFO_DATA)) {
    SetLastError(ERROR_INVALID_USER_BUFFER);
    return nullptr;
  }
  machine = wavorel::sim::machineIfLoaded();
  size_t index = data->DevInst - 1;
  Adapter* a = machine && index < set->guids.size() ? machine->findAdapter(set->guids[index]) : nullptr;
  if (!a) SetLastError(ERROR_INVALID_PARAMETER);
  return a;
}

// The device's hardware ids, most specific first: the full id, then the id
// cut before each further '&' down to vendor and product.
std::vector<std::string> hardwareIds(const std::string& id) {
  std::vector<std::string> ids = {id};
  size_t first = id.find('&');
  for (size_t cut = id.rfind('&'); cut != std::string::npos && cut > first; cut = id.rfind('&', cut - 1))
    ids.push_back(id.substr(0, cut));
  return ids;
}

std::string instanceId(const Adapter& a) {
  std::vector<std::string> ids = hardwareIds(a.config().hardwareId);
  std::string serial;
  char hex[3];
  for (uint8_t b : a.config().mac) {
    std::snprintf(hex, sizeof hex, "%02X", b);
    serial += hex;
  }
  return ids.back() + "\\" + serial;
}

// Copies a property or reports the size it needs.
BOOL giveProperty(const std::string& bytes, DWORD type, PDWORD typeOut, PBYTE buffer, DWORD size, PDWORD required) {
  if (typeOut) *typeOut = type;
  if (required) *required = static_cast<DWORD>(bytes.size());
  if (!buffer || size < bytes.size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memcpy(buffer, bytes.data(), bytes.size());
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

}  // namespace

BOOL SetupDiClassGuidsFromName(LPCSTR ClassName, LPGUID ClassGuidList, DWORD ClassGuidListSize,
                               PDWORD RequiredSize) {
  if (!ClassName || !RequiredSize) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DWORD count = equalNoCase(ClassName, "Net") ? 1 : 0;
  *RequiredSize = count;
  if (count > ClassGuidListSize || (count && !ClassGuidList)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  if (count) ClassGuidList[0] = kNetClass;
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

HDEVINFO SetupDiGetClassDevs(const GUID* ClassGuid, LPCSTR /*Enumerator*/, HWND /*hwndParent*/, DWORD Flags) {
  if (!ClassGuid && !(Flags & DIGCF_ALLCLASSES)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::lock_guard<std::recursive_mutex> lock(wavorel::sim::machineMutex());
  auto set = std::make_shared<DeviceInfoSet>();
  bool net = (Flags & DIGCF_ALLCLASSES) || sameGuid(*ClassGuid, kNetClass);
  if (Machine* m = net ? wavorel::sim::machineIfLoaded() : nullptr) {
    for (size_t i = 0; i < m->adapterCount(); ++i) {
      Adapter& a = m->adapter(i);
      if (!(Flags & DIGCF_PRESENT) || a.present()) set->guids.push_back(a.guid());
    }
  }
  SetLastError(ERROR_SUCCESS);
  return reinterpret_cast<HDEVINFO>(sets().insert(std::move(set)));
}

BOOL SetupDiEnumDeviceInfo(HDEVINFO DeviceInfoSet, DWORD MemberIndex, PSP_DEVINFO_DATA DeviceInfoData) {
  auto set = findSet(DeviceInfoSet);
  if (!set) return FALSE;
  if (!DeviceInfoData || DeviceInfoData->cbSize != sizeof(SP_DEVINFO_DATA)) {
    SetLastError(ERROR_INVALID_USER_BUFFER);
    return FALSE;
  }
  if (MemberIndex >= set->guids.size()) {
    SetLastError(ERROR_NO_MORE_ITEMS);
    return FALSE;
  }
  DeviceInfoData->ClassGuid = kNetClass;
  DeviceInfoData->DevInst = MemberIndex + 1;
  DeviceInfoData->Reserved = 0;
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

BOOL SetupDiGetDeviceRegistryProperty(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData, DWORD Property,
                                      PDWORD PropertyRegDataType, PBYTE PropertyBuffer, DWORD PropertyBufferSize,
                                      PDWORD RequiredSize) {
  std::lock_guard<std::recursive_mutex> lock(wavorel::sim::machineMutex());
  Machine* m = nullptr;
  Adapter* a = member(DeviceInfoSet, DeviceInfoData, m);
  if (!a) return FALSE;
  const wavorel::sim::WorldAdapter& c = a->config();
  std::string text;
  DWORD type = REG_SZ;
  switch (Property) {
    case SPDRP_DEVICEDESC: text = c.description; break;
    case SPDRP_FRIENDLYNAME: text = c.friendlyName; break;
    case SPDRP_MFG: text = c.manufacturer; break;
    case SPDRP_LOCATION_INFORMATION: text = c.location; break;
    case SPDRP_DRIVER: text = m->driverValue(*a); break;
    case SPDRP_CLASS: text = "Net"; break;
    case SPDRP_HARDWAREID: {
      type = REG_MULTI_SZ;
      std::string list;
      for (const std::string& id : hardwareIds(c.hardwareId)) list += id + '\0';
      return giveProperty(list + '\0', type, PropertyRegDataType, PropertyBuffer, PropertyBufferSize, RequiredSize);
    }
    default: break;
  }
  if (text.empty()) {
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  return giveProperty(text + '\0', type, PropertyRegDataType, PropertyBuffer, PropertyBufferSize, RequiredSize);
}

HKEY SetupDiOpenDevRegKey(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData, DWORD Scope, DWORD /*HwProfile*/,
                          DWORD KeyType, REGSAM samDesired) {
  HKEY invalid = reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE);
  std::lock_guard<std::recursive_mutex> lock(wavorel::sim::machineMutex());
  Machine* m = nullptr;
  Adapter* a = member(DeviceInfoSet, DeviceInfoData, m);
  if (!a) return invalid;
  if (KeyType != DIREG_DRV || (Scope != DICS_FLAG_GLOBAL && Scope != DICS_FLAG_CONFIGSPECIFIC)) {
    SetLastError(ERROR_INVALID_FLAGS);
    return invalid;
  }
  std::string path = std::string(wavorel::sim::kClassRoot) + "\\" + m->driverValue(*a);
  HKEY key = nullptr;
  LSTATUS status = RegOpenKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, samDesired, &key);
  if (status != ERROR_SUCCESS) {
    SetLastError(static_cast<DWORD>(status));
    return invalid;
  }
  SetLastError(ERROR_SUCCESS);
  return key;
}

BOOL SetupDiGetDeviceInstanceId(HDEVINFO DeviceInfoSet, PSP_DEVINFO_DATA DeviceInfoData, LPSTR DeviceInstanceId,
                                DWORD DeviceInstanceIdSize, PDWORD RequiredSize) {
  std::lock_guard<std::recursive_mutex> lock(wavorel::sim::machineMutex());
  Machine* m = nullptr;
  Adapter* a = member(DeviceInfoSet, DeviceInfoData, m);
  if (!a) return FALSE;
  std::string id = instanceId(*a) + '\0';
  return giveProperty(id, REG_SZ, nullptr, reinterpret_cast<PBYTE>(DeviceInstanceId), DeviceInstanceIdSize,
                      RequiredSize);
}

BOOL SetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet) {
  if (!sets().remove(reinterpret_cast<uintptr_t>(DeviceInfoSet))) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}
