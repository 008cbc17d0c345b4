// The wlanapi functions of profiles, connections and notifications.
#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

#include "platform/sim/radio/Machine.h"
#include "platform/sim/services/EapUserData.h"
#include "platform/sim/services/NativeWifiService.h"
#include "platform/win/services/Wlan.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/WideText.h"

using wavorel::sim::Adapter;
using wavorel::sim::NativeWifiService;
using wavorel::sim::StoredProfile;
using wavorel::sim::WlanProfile;

namespace {

std::string narrow(LPCWSTR text) {
  size_t n = 0;
  while (text[n]) ++n;
  return wavorel::utf16ToUtf8(text, n);
}

DWORD resolve(HANDLE client, const GUID* guid, PVOID reserved, Adapter*& adapter) {
  auto& s = NativeWifiService::instance();
  if (!client || !guid || reserved) return ERROR_INVALID_PARAMETER;
  if (!s.valid(client)) return ERROR_INVALID_HANDLE;
  adapter = s.interfaceAdapter(*guid);
  return adapter ? ERROR_SUCCESS : ERROR_NOT_FOUND;
}

struct ReasonText {
  DWORD code;
  const char* text;
};
const ReasonText kReasonTexts[] = {
    {WLAN_REASON_CODE_SUCCESS, "The operation succeeds."},
    {WLAN_REASON_CODE_UNKNOWN, "The reason for failure is unknown."},
    {WLAN_REASON_CODE_NETWORK_NOT_COMPATIBLE, "The wireless network is not compatible."},
    {WLAN_REASON_CODE_PROFILE_NOT_COMPATIBLE, "The wireless network profile is not compatible."},
    {WLAN_REASON_CODE_NOT_VISIBLE, "The wireless network is not visible."},
    {WLAN_REASON_CODE_NETWORK_NOT_AVAILABLE, "The specified network is not available."},
    {WLAN_REASON_CODE_PROFILE_CHANGED_OR_DELETED, "The profile was changed or deleted before the connection was established."},
    {WLAN_REASON_CODE_KEY_MISMATCH, "The profile key does not match the network key."},
    {WLAN_REASON_CODE_ASSOCIATION_FAILURE, "A failure occurred during association."},
    {WLAN_REASON_CODE_SECURITY_FAILURE, "A failure occurred in the security layer."},
    {WLAN_REASON_CODE_MSMSEC_PSK_MISMATCH_SUSPECTED, "The pre-shared key may be incorrect."},
    {WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA, "The profile is invalid according to the schema."},
    {WLAN_REASON_CODE_PROFILE_MISSING, "The WLANProfile element is missing."},
    {WLAN_REASON_CODE_INVALID_PROFILE_NAME, "The name of the profile is invalid."},
    {WLAN_REASON_CODE_SECURITY_MISSING, "The security settings are missing."},
    {WLAN_REASON_CODE_PROFILE_SSID_INVALID, "The SSID in the profile is invalid."},
};

}  // namespace

DWORD WlanSetProfile(HANDLE hClientHandle, const GUID* pInterfaceGuid, DWORD dwFlags, LPCWSTR strProfileXml,
                     LPCWSTR /*strAllUserProfileSecurity*/, BOOL bOverwrite, PVOID pReserved, DWORD* pdwReasonCode) {
  if (!strProfileXml || !pdwReasonCode || (dwFlags & ~static_cast<DWORD>(WLAN_PROFILE_USER))) return ERROR_INVALID_PARAMETER;
  std::lock_guard<std::recursive_mutex> lock(wavorel::sim::machineMutex());
  Adapter* a = nullptr;
  if (DWORD e = resolve(hClientHandle, pInterfaceGuid, pReserved, a)) return e;
  StoredProfile p;
  p.xml = narrow(strProfileXml);
  p.flags = dwFlags;
  uint32_t reason = 0;
  if (!wavorel::sim::parseWlanProfile(p.xml, p.profile, reason)) {
    *pdwReasonCode = reason;
    return ERROR_BAD_PROFILE;
  }
  *pdwReasonCode = WLAN_REASON_CODE_SUCCESS;
  auto& store = NativeWifiService::instance().store(a->guid());
  if (StoredProfile* old = store.find(p.profile.name)) {
    if (!bOverwrite) return ERROR_ALREADY_EXISTS;
    p.eapUserData = old->eapUserData;
  }
  NativeWifiService::instance().lastStored(a->guid()).profileXml = p.xml;
  store.put(std::move(p));
  return ERROR_SUCCESS;
}

DWORD WlanSetProfileEapXmlUserData(HANDLE hClientHandle, const GUID* pInterfaceGuid, LPCWSTR strProfileName,
                                   DWORD /*dwFlags*/, LPCWSTR strEapXmlUserData, PVOID pReserved) {
  if (!strProfileName) return ERROR_INVALID_PARAMETER;
  std::lock_guard<std::recursive_mutex> lock(wavorel::sim::machineMutex());
  Adapter* a = nullptr;
  if (DWORD e = resolve(hClientHandle, pInterfaceGuid, pReserved, a)) return e;
  auto& store = NativeWifiService::instance().store(a->guid());
  StoredProfile* p = store.find(narrow(strProfileName));
  if (!p) return ERROR_NOT_FOUND;
  if (!p->profile.oneX) return ERROR_BAD_PROFILE;
  const std::string userData = strEapXmlUserData ? narrow(strEapXmlUserData) : std::string();
  if (!wavorel::sim::wellFormedEapUserData(userData)) return ERROR_INVALID_PARAMETER;
  p->eapUserData = userData;
  store.save();
  NativeWifiService::instance().lastStored(a->guid()).eapUserData = userData;
  return ERROR_SUCCESS;
}

DWORD WlanSetProfilePosition(HANDLE hClientHandle, const GUID* pInterfaceGuid, LPCWSTR strProfileName,
                             DWORD dwPosition, PVOID pReserved) {
  if (!strProfileName) return ERROR_INVALID_PARAMETER;
  std::lock_guard<std::recursive_mutex> lock(wavorel::sim::machineMutex());
  Adapter* a = nullptr;
  if (DWORD e = resolve(hClientHandle, pInterfaceGuid, pReserved, a)) return e;
  auto& store = NativeWifiService::instance().store(a->guid());
  std::string name = narrow(strProfileName);
  if (!store.find(name)) return ERROR_NOT_FOUND;
  return store.move(name, dwPosition) ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
}

DWORD WlanGetProfileList(HANDLE hClientHandle, const GUID* pInterfaceGuid, PVOID pReserved,
                         PWLAN_PROFILE_INFO_LIST* ppProfileList) {
  if (!ppProfileList) return ERROR_INVALID_PARAMETER;
  std::lock_guard<std::recursive_mutex> lock(wavorel::sim::machineMutex());
  Adapter* a = nullptr;
  if (DWORD e = resolve(hClientHandle, pInterfaceGuid, pReserved, a)) return e;
  auto& s = NativeWifiService::instance();
  const auto& profiles = s.store(a->guid()).profiles();
  size_t size = offsetof(WLAN_PROFILE_INFO_LIST, ProfileInfo) +
                std::max<size_t>(profiles.size(), 1) * sizeof(WLAN_PROFILE_INFO);
  auto* list = static_cast<WLAN_PROFILE_INFO_LIST*>(s.allocate(size));
  list->dwNumberOfItems = static_cast<DWORD>(profiles.size());
  for (size_t i = 0; i < profiles.size(); ++i) {
    std::u16string wide = wavorel::utf8ToUtf16(profiles[i].profile.name);
    size_t n = std::min<size_t>(wide.size(), WLAN_MAX_NAME_LENGTH - 1);
    std::copy(wide.begin(), wide.begin() + static_cast<std::ptrdiff_t>(n), list->ProfileInfo[i].strProfileName);
    list->ProfileInfo[i].dwFlags = profiles[i].flags;
  }
  *ppProfileList = list;
  return ERROR_SUCCESS;
}

DWORD WlanDeleteProfile(HANDLE hClientHandle, const GUID* pInterfaceGuid, LPCWSTR strProfileName, PVOID pReserved) {
  if (!strProfileName) return ERROR_INVALID_PARAMETER;
  std::lock_guard<std::recursive_mutex> lock(wavorel::sim::machineMutex());
  Adapter* a = nullptr;
  if (DWORD e = resolve(hClientHandle, pInterfaceGuid, pReserved, a)) return e;
  return NativeWifiService::instance().store(a->guid()).remove(narrow(strProfileName)) ? ERROR_SUCCESS
                                                                                        : ERROR_NOT_FOUND;
}

DWORD WlanConnect(HANDLE hClientHandle, const GUID* pInterfaceGuid, const WLAN_CONNECTION_PARAMETERS* params,
                  PVOID pReserved) {
  if (!params) return ERROR_INVALID_PARAMETER;
  std::lock_guard<std::recursive_mutex> lock(wavorel::sim::machineMutex());
  Adapter* a = nullptr;
  if (DWORD e = resolve(hClientHandle, pInterfaceGuid, pReserved, a)) return e;
  auto& s = NativeWifiService::instance();
  auto& store = s.store(a->guid());
  WlanProfile profile;
  switch (params->wlanConnectionMode) {
    case wlan_connection_mode_profile: {
      if (!params->strProfile) return ERROR_INVALID_PARAMETER;
      const StoredProfile* p = store.find(narrow(params->strProfile));
      if (!p) return ERROR_NOT_FOUND;
      profile = p->profile;
      break;
    }
    case wlan_connection_mode_temporary_profile: {
      uint32_t reason = 0;
      if (!params->strProfile || !wavorel::sim::parseWlanProfile(narrow(params->strProfile), profile, reason))
        return ERROR_BAD_PROFILE;
      break;
    }
    case wlan_connection_mode_discovery_secure:
    case wlan_connection_mode_discovery_unsecure: {
      if (!params->pDot11Ssid || params->pDot11Ssid->uSSIDLength > DOT11_SSID_MAX_LENGTH) return ERROR_INVALID_PARAMETER;
      std::string ssid(reinterpret_cast<const char*>(params->pDot11Ssid->ucSSID), params->pDot11Ssid->uSSIDLength);
      if (const StoredProfile* p = store.findBySsid(ssid)) {
        profile = p->profile;
      } else {
        profile.ssid = ssid;
        profile.ibss = params->dot11BssType == dot11_BSS_type_independent;
      }
      profile.name.clear();
      break;
    }
    default:
      return ERROR_INVALID_PARAMETER;
  }
  s.connect(*a, profile, params->wlanConnectionMode, params->pDesiredBssidList);
  // In AP mode the connection is the AP's own BSS: the call fails when it
  // cannot come up (radio off).
  if (a->apMode() && !a->softAp().beaconing()) return ERROR_NOT_READY;
  return ERROR_SUCCESS;
}

DWORD WlanDisconnect(HANDLE hClientHandle, const GUID* pInterfaceGuid, PVOID pReserved) {
  std::lock_guard<std::recursive_mutex> lock(wavorel::sim::machineMutex());
  Adapter* a = nullptr;
  if (DWORD e = resolve(hClientHandle, pInterfaceGuid, pReserved, a)) return e;
  NativeWifiService::instance().disconnect(*a);
  return ERROR_SUCCESS;
}

DWORD WlanRegisterNotification(HANDLE hClientHandle, DWORD dwNotifSource, BOOL /*bIgnoreDuplicate*/,
                               WLAN_NOTIFICATION_CALLBACK funcCallback, PVOID pCallbackContext, PVOID pReserved,
                               PDWORD pdwPrevNotifSource) {
  if (!hClientHandle || pReserved || (dwNotifSource != WLAN_NOTIFICATION_SOURCE_NONE && !funcCallback))
    return ERROR_INVALID_PARAMETER;
  {
    std::lock_guard<std::recursive_mutex> lock(wavorel::sim::machineMutex());
    auto& s = NativeWifiService::instance();
    if (!s.valid(hClientHandle)) return ERROR_INVALID_HANDLE;
    s.registerCallback(hClientHandle, dwNotifSource, funcCallback, pCallbackContext, pdwPrevNotifSource);
  }
  if (dwNotifSource == WLAN_NOTIFICATION_SOURCE_NONE) NativeWifiService::instance().quiesce(hClientHandle);
  return ERROR_SUCCESS;
}

void WlanFreeMemory(PVOID pMemory) {
  if (!pMemory) return;
  std::lock_guard<std::recursive_mutex> lock(wavorel::sim::machineMutex());
  NativeWifiService::instance().release(pMemory);
}

DWORD WlanReasonCodeToString(DWORD dwReasonCode, DWORD dwBufferSize, WCHAR* pStringBuffer, PVOID pReserved) {
  if (!pStringBuffer || dwBufferSize == 0 || pReserved) return ERROR_INVALID_PARAMETER;
  const char* text = nullptr;
  for (const ReasonText& r : kReasonTexts)
    if (r.code == dwReasonCode) text = r.text;
  if (!text) return ERROR_INVALID_PARAMETER;
  std::u16string wide = wavorel::utf8ToUtf16(text);
  size_t n = std::min<size_t>(wide.size(), dwBufferSize - 1);
  std::copy(wide.begin(), wide.begin() + static_cast<std::ptrdiff_t>(n), pStringBuffer);
  pStringBuffer[n] = 0;
  return ERROR_SUCCESS;
}

DWORD WlanUIEditProfile(DWORD dwClientVersion, LPCWSTR wstrProfileName, GUID* pInterfaceGuid, HWND /*hWnd*/,
                        WL_DISPLAY_PAGES wlStartPage, PVOID pReserved, WLAN_REASON_CODE* pWlanReasonCode) {
  if (dwClientVersion != WLAN_UI_API_VERSION || !wstrProfileName || !pInterfaceGuid || pReserved ||
      wlStartPage > WLAdvPage)
    return ERROR_INVALID_PARAMETER;
  if (pWlanReasonCode) *pWlanReasonCode = WLAN_REASON_CODE_SUCCESS;
  return ERROR_CANCELLED;
}
