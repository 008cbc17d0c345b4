// CNativeWiFiNotify: the Native Wi-Fi notification registration of the
// station worker. The service calls back on a thread of its own; the callback
// reads only its own copy of the interface GUID and the recorded worker
// window and posts WM_WLAN_* (wParam 0, lParam 0) to that window, so all
// handling happens on the UI thread. Vista-only.
#pragma once

#include "platform/Platform.h"

constexpr UINT WM_WLAN_CONNECTED = WM_USER + 1;
constexpr UINT WM_WLAN_ROAMING_END = WM_USER + 2;
constexpr UINT WM_WLAN_INTERFACE_ARRIVAL = WM_USER + 3;
constexpr UINT WM_WLAN_SCAN_COMPLETE = WM_USER + 4;
constexpr UINT WM_WLAN_DISCONNECTED = WM_USER + 5;
constexpr UINT WM_WLAN_SCAN_FAIL = WM_USER + 6;
constexpr UINT WM_WLAN_EDIT_PROFILE = WM_USER + 7;
constexpr UINT WM_WLAN_RADIO_ON = WM_USER + 8;
constexpr UINT WM_WLAN_RADIO_OFF = WM_USER + 9;
constexpr UINT WM_WLAN_CONNECT_FAILED = WM_USER + 10;
constexpr UINT WM_WLAN_CONNECT_ATTEMPT_FAIL = WM_USER + 11;

// The station worker records its window here when it initialises (and null
// when it ends); notifications go to that window, none while it is null.
void RecordWlanWorkerWindow(HWND window);
HWND RecordedWlanWorkerWindow();

class CNativeWiFiNotify {
 public:
  // Copies the GUID and registers for ACM and MSM reports of the client;
  // the registration's result is not used (it ends when the handle closes).
  CNativeWiFiNotify(HANDLE* clientHandle, const GUID* interfaceGuid, HWND window);
  CNativeWiFiNotify(const CNativeWiFiNotify&) = delete;
  CNativeWiFiNotify& operator=(const CNativeWiFiNotify&) = delete;

  // Turns one report into a posted message (nothing for a null report).
  void OnNotification(const WLAN_NOTIFICATION_DATA* data) const;

 private:
  // The record keeps what it was given; posts read only the GUID copy and the
  // recorded worker window.
  HANDLE* m_clientHandle;
  [[maybe_unused]] const GUID* m_interfaceGuid;
  GUID m_guid;
  [[maybe_unused]] HWND m_window;
};

// The registered callback: forwards to the CNativeWiFiNotify in `context`.
void NativeWiFiNotificationCallback(PWLAN_NOTIFICATION_DATA data, PVOID context);
