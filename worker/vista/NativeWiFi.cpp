#include "worker/NativeWiFi.h"

#include <cstring>

namespace {

constexpr DWORD kClientVersion = 2;
constexpr int kCapabilityAttempts = 5;
constexpr DWORD kCapabilityPauseMs = 1000;

}  // namespace

CNativeWiFi::~CNativeWiFi() { Close(); }

DWORD CNativeWiFi::Init(LPCSTR description, HWND notifyWindow, DWORD profileScope) {
  // Closing the old handle first ends its registration before the old
  // notification object goes; FindInterface opens a new one.
  Close();
  m_interfaceInfo = WLAN_INTERFACE_INFO{};
  const DWORD result = FindInterface(description);
  m_notifyWindow = notifyWindow;
  m_profileScope = profileScope;
  m_opened = result == ERROR_SUCCESS;
  const GUID* guid = &m_interfaceInfo.InterfaceGuid;
  m_profileOps = std::make_unique<CWlanProfileOps>(&m_clientHandle, guid, notifyWindow, profileScope);
  m_oidSetter = std::make_unique<CWlanOidSetter>();
  m_notify = std::make_unique<CNativeWiFiNotify>(&m_clientHandle, guid, notifyWindow, m_notifyTarget);
  m_oidSetter2 = std::make_unique<CWlanOidSetter>();
  m_profileList = std::make_unique<CWlanProfileList>(&m_clientHandle, guid, profileScope);
  return result;
}

void CNativeWiFi::DropCompanions() {
  m_profileOps.reset();
  m_oidSetter.reset();
  m_notify.reset();
  m_oidSetter2.reset();
  m_profileList.reset();
}

DWORD CNativeWiFi::OpenClient() {
  if (m_clientHandle) {
    WlanCloseHandle(m_clientHandle, nullptr);
    m_clientHandle = nullptr;
  }
  DWORD negotiated = 0;
  return WlanOpenHandle(kClientVersion, nullptr, &negotiated, &m_clientHandle);
}

DWORD CNativeWiFi::FindInterface(LPCSTR description) {
  DWORD result = OpenClient();
  if (result != ERROR_SUCCESS) return result;
  PWLAN_INTERFACE_INFO_LIST list = nullptr;
  result = WlanEnumInterfaces(m_clientHandle, nullptr, &list);
  if (result == ERROR_SUCCESS && list) {
    for (DWORD i = 0; i < list->dwNumberOfItems; ++i) {
      const WLAN_INTERFACE_INFO& info = list->InterfaceInfo[i];
      char name[256] = "";
      WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, info.strInterfaceDescription, -1, name, sizeof name - 1,
                          nullptr, nullptr);
      name[sizeof name - 1] = '\0';
      if (std::strcmp(name, description) == 0) {
        m_interfaceInfo = info;
        break;
      }
    }
  }
  if (list) WlanFreeMemory(list);
  return result;
}

void CNativeWiFi::Close() {
  // The handle closes first: that ends the registration, so no callback runs
  // on the notification object once it is gone.
  if (m_clientHandle) WlanCloseHandle(m_clientHandle, nullptr);
  m_clientHandle = nullptr;
  m_opened = FALSE;
  DropCompanions();
}

DWORD CNativeWiFi::SupportsBandA(BOOL* out) {
  DWORD result = ERROR_SUCCESS;
  for (int attempt = 0; attempt < kCapabilityAttempts; ++attempt) {
    PWLAN_INTERFACE_CAPABILITY capability = nullptr;
    result = WlanGetInterfaceCapability(m_clientHandle, &m_interfaceInfo.InterfaceGuid, nullptr, &capability);
    if (result == ERROR_SUCCESS && capability) {
      const DWORD phys = capability->dwNumberOfSupportedPhys < WLAN_MAX_PHY_INDEX ? capability->dwNumberOfSupportedPhys
                                                                                  : WLAN_MAX_PHY_INDEX;
      for (DWORD i = 0; i < phys; ++i)
        if (capability->dot11PhyTypes[i] == dot11_phy_type_ofdm) *out = TRUE;
    }
    if (capability) WlanFreeMemory(capability);
    Sleep(kCapabilityPauseMs);
    if (result == ERROR_SUCCESS) break;
  }
  return result;
}

DWORD CNativeWiFi::GetRadioState(DWORD* soft, DWORD* hard) {
  *soft = 0;
  *hard = 1;
  DWORD size = 0;
  PVOID data = nullptr;
  const DWORD result = WlanQueryInterface(m_clientHandle, &m_interfaceInfo.InterfaceGuid, wlan_intf_opcode_radio_state,
                                          nullptr, &size, &data, nullptr);
  if (result == ERROR_SUCCESS && data && size >= sizeof(DWORD)) {
    const auto* radio = static_cast<const WLAN_RADIO_STATE*>(data);
    const DWORD room = static_cast<DWORD>((size - sizeof(DWORD)) / sizeof(WLAN_PHY_RADIO_STATE));
    DWORD phys = radio->dwNumberOfPhys < room ? radio->dwNumberOfPhys : room;
    if (phys > WLAN_MAX_PHY_INDEX) phys = WLAN_MAX_PHY_INDEX;
    for (DWORD i = 0; i < phys; ++i) {
      const WLAN_PHY_RADIO_STATE& phy = radio->PhyRadioState[i];
      if (phy.dot11SoftwareRadioState == dot11_radio_state_unknown) {
        *soft = 1;
        *hard = 0;
        break;
      }
      if (phy.dot11HardwareRadioState == dot11_radio_state_off) {
        *hard = 0;
        break;
      }
      if (phy.dot11SoftwareRadioState != dot11_radio_state_off) {
        *soft = 1;
        break;
      }
    }
  }
  if (data) WlanFreeMemory(data);
  return result;
}
