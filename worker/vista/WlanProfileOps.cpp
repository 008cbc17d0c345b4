#include "worker/WlanProfileOps.h"

#include "worker/NativeWiFiNotify.h"

CWlanProfileOps::CWlanProfileOps(HANDLE* clientHandle, const GUID* interfaceGuid, HWND notifyWindow,
                                 DWORD profileScope)
    : m_notifyWindow(notifyWindow),
      m_clientHandle(clientHandle),
      m_interfaceGuid(interfaceGuid),
      m_profileList(clientHandle, interfaceGuid, profileScope) {}

DWORD CWlanProfileOps::Connect(LPCWSTR name, LPCWSTR tempXml, DOT11_BSS_TYPE bssType, const DOT11_SSID* ssid,
                               DWORD mode, PDOT11_BSSID_LIST bssidList, BOOL useBssidList, BOOL hidden) {
  static const WCHAR kEmpty[] = u"";
  DOT11_SSID ssidCopy{};
  WLAN_CONNECTION_PARAMETERS parameters{};
  parameters.wlanConnectionMode = static_cast<WLAN_CONNECTION_MODE>(mode);
  parameters.dot11BssType = bssType;
  if (mode == wlan_connection_mode_profile) {
    parameters.strProfile = name;
  } else if (mode == wlan_connection_mode_temporary_profile) {
    parameters.strProfile = tempXml;
  } else {
    parameters.strProfile = kEmpty;
    if (ssid) {
      ssidCopy = *ssid;
      if (ssidCopy.uSSIDLength > DOT11_SSID_MAX_LENGTH) ssidCopy.uSSIDLength = DOT11_SSID_MAX_LENGTH;
      parameters.pDot11Ssid = &ssidCopy;
    }
    if (mode == wlan_connection_mode_discovery_unsecure && hidden == 1)
      parameters.dwFlags = WLAN_CONNECTION_HIDDEN_NETWORK;
  }
  if (useBssidList == 1) parameters.pDesiredBssidList = bssidList;
  const DWORD result = WlanConnect(*m_clientHandle, m_interfaceGuid, &parameters, nullptr);
  if (result != ERROR_SUCCESS && m_notifyWindow) PostMessage(m_notifyWindow, WM_WLAN_CONNECT_FAILED, 0, 0);
  return result;
}
