// CWlanProfileOps: connects the client's interface through the Native Wi-Fi
// service. A failed WlanConnect is reported to the notification window as
// WM_WLAN_CONNECT_FAILED. Reads the client handle and interface GUID through
// pointers into CNativeWiFi. Vista-only.
#pragma once

#include <memory>

#include "platform/Platform.h"
#include "worker/ProfileData.h"
#include "worker/WlanOidSetter.h"
#include "worker/WlanProfileList.h"

class CWlanProfileOps {
 public:
  CWlanProfileOps(HANDLE* clientHandle, const GUID* interfaceGuid, HWND notifyWindow, DWORD profileScope);

  // WlanConnect in `mode`: 0 by the stored profile `name`; 1 with the
  // temporary profile document `tempXml`; 2 or 3 by discovery of `ssid`
  // (secure or not; mode 3 with `hidden` 1 also looks for a hidden network).
  // `bssidList` restricts the BSSs when `useBssidList` is 1. On an error,
  // posts WM_WLAN_CONNECT_FAILED to the notification window; the API result.
  DWORD Connect(LPCWSTR name, LPCWSTR tempXml, DOT11_BSS_TYPE bssType, const DOT11_SSID* ssid, DWORD mode,
                PDOT11_BSSID_LIST bssidList, BOOL useBssidList, BOOL hidden);

  // Builds the record's documents and connects. Connect kind 0: stores the
  // profile (and the EAP user data of an 802.1X profile without smart card),
  // makes it the first profile and connects by its name; any other kind
  // stores nothing: a secured network is joined with the profile document
  // as a temporary profile (so its key or 802.1X settings reach the
  // association), an open one by unsecured discovery; kind 1 is restricted
  // to the record's BSSID. Failed store calls do not stop the connect;
  // WlanConnect's result.
  DWORD ApplyProfile(const _PROFILE_DATA* profile);

  CWlanProfileList& ProfileList() { return m_profileList; }
  CWlanOidSetter& OidSetter() { return m_oidSetter; }

 private:
  HWND m_notifyWindow;
  HANDLE* m_clientHandle;
  const GUID* m_interfaceGuid;
  CWlanOidSetter m_oidSetter;
  CWlanProfileList m_profileList;
};
