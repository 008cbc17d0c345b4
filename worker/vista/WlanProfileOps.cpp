#include "worker/WlanProfileOps.h"

#include <algorithm>
#include <cstring>

#include "worker/NativeWiFiNotify.h"
#include "worker/WlanProfileXml.h"

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

namespace {

constexpr USHORT kBssidListSize = 20;  // the header, two counts, one BSSID, padding
static_assert(sizeof(DOT11_BSSID_LIST) == kBssidListSize, "DOT11_BSSID_LIST with one entry");

}  // namespace

DWORD CWlanProfileOps::ApplyProfile(const _PROFILE_DATA* profile) {
  if (!profile) return ERROR_INVALID_PARAMETER;
  DOT11_BSSID_LIST bssids{};
  bssids.Header = {NDIS_OBJECT_TYPE_DEFAULT, DOT11_BSSID_LIST_REVISION_1, kBssidListSize};
  bssids.uNumOfEntries = 1;
  bssids.uTotalNumOfEntries = 1;
  std::memcpy(bssids.BSSIDs[0], profile->Bssid, sizeof bssids.BSSIDs[0]);

  WLAN_PROFILE_XML documents;
  BuildWlanProfileXml(*profile, documents);
  const LPCWSTR name = documents.profileName.c_str();
  if (documents.connectKind == 0) {
    m_profileList.SetProfile(documents.profileXml.c_str());
    if (profile->Use8021X && profile->UseSmartCard == 0 && !documents.userXml.empty())
      WlanSetProfileEapXmlUserData(*m_clientHandle, m_interfaceGuid, name, 0, documents.userXml.c_str(), nullptr);
    m_profileList.SetProfilePosition(name, 0);
    return Connect(name, nullptr, documents.bssType, nullptr, wlan_connection_mode_profile, &bssids, FALSE, FALSE);
  }
  const BOOL useBssids = documents.connectKind == 1;
  // A discovery connect carries no key: a secured network joins with the
  // record's document as a temporary profile, which stores nothing.
  if (documents.secured)
    return Connect(nullptr, documents.profileXml.c_str(), documents.bssType, nullptr,
                   wlan_connection_mode_temporary_profile, &bssids, useBssids, FALSE);
  DOT11_SSID ssid{};
  ssid.uSSIDLength = std::min<ULONG>(profile->Ssid.SsidLength, DOT11_SSID_MAX_LENGTH);
  std::memcpy(ssid.ucSSID, profile->Ssid.Ssid, ssid.uSSIDLength);
  return Connect(nullptr, nullptr, documents.bssType, &ssid, wlan_connection_mode_discovery_unsecure, &bssids, useBssids,
                 FALSE);
}
