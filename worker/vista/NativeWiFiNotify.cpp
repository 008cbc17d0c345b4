#include "worker/NativeWiFiNotify.h"

#include <atomic>
#include <cstring>

namespace {

// Written on the UI thread, read on the service's thread: the station
// worker's window and the soft-AP worker's.
std::atomic<HWND> g_workerWindow{nullptr};
std::atomic<HWND> g_apWorkerWindow{nullptr};

std::atomic<HWND>& recorded(WlanNotifyTarget target) {
  return target == WlanNotifyTarget::SoftAp ? g_apWorkerWindow : g_workerWindow;
}

// The soft-AP worker takes only the completed connection and the radio
// coming on.
bool forTarget(UINT message, WlanNotifyTarget target) {
  return target == WlanNotifyTarget::Station || message == WM_WLAN_CONNECTED || message == WM_WLAN_RADIO_ON;
}

constexpr DWORD kSources = WLAN_NOTIFICATION_SOURCE_ACM | WLAN_NOTIFICATION_SOURCE_MSM;

// The message for an ACM report; 0 for none. Interface arrival is taken
// whatever the interface; the others only for our own.
UINT AcmMessage(DWORD code, bool ours) {
  if (code == wlan_notification_acm_interface_arrival) return WM_WLAN_INTERFACE_ARRIVAL;
  if (!ours) return 0;
  switch (code) {
    case wlan_notification_acm_scan_complete: return WM_WLAN_SCAN_COMPLETE;
    case wlan_notification_acm_scan_fail: return WM_WLAN_SCAN_FAIL;
    case wlan_notification_acm_connection_complete: return WM_WLAN_CONNECTED;
    case wlan_notification_acm_connection_attempt_fail: return WM_WLAN_CONNECT_ATTEMPT_FAIL;
    case wlan_notification_acm_disconnected: return WM_WLAN_DISCONNECTED;
    default: return 0;
  }
}

// The message for an MSM report of our interface; 0 for none. A radio report
// carries one WLAN_PHY_RADIO_STATE; a shorter one posts nothing.
UINT MsmMessage(const WLAN_NOTIFICATION_DATA& data) {
  if (data.NotificationCode == wlan_notification_msm_roaming_end) return WM_WLAN_ROAMING_END;
  if (data.NotificationCode != wlan_notification_msm_radio_state_change) return 0;
  if (!data.pData || data.dwDataSize < sizeof(WLAN_PHY_RADIO_STATE)) return 0;
  WLAN_PHY_RADIO_STATE radio;
  std::memcpy(&radio, data.pData, sizeof radio);
  if (radio.dot11SoftwareRadioState == dot11_radio_state_on) return WM_WLAN_RADIO_ON;
  if (radio.dot11SoftwareRadioState == dot11_radio_state_off) return WM_WLAN_RADIO_OFF;
  return 0;
}

}  // namespace

void RecordWlanWorkerWindow(HWND window, WlanNotifyTarget target) { recorded(target).store(window); }

HWND RecordedWlanWorkerWindow(WlanNotifyTarget target) { return recorded(target).load(); }

CNativeWiFiNotify::CNativeWiFiNotify(HANDLE* clientHandle, const GUID* interfaceGuid, HWND window,
                                     WlanNotifyTarget target)
    : m_clientHandle(clientHandle),
      m_interfaceGuid(interfaceGuid),
      m_guid(*interfaceGuid),
      m_window(window),
      m_target(target) {
  WlanRegisterNotification(*m_clientHandle, kSources, TRUE, NativeWiFiNotificationCallback, this, nullptr, nullptr);
}

void CNativeWiFiNotify::OnNotification(const WLAN_NOTIFICATION_DATA* data) const {
  if (!data) return;
  const bool ours = std::memcmp(&data->InterfaceGuid, &m_guid, sizeof m_guid) == 0;
  UINT message = 0;
  if (data->NotificationSource == WLAN_NOTIFICATION_SOURCE_ACM)
    message = AcmMessage(data->NotificationCode, ours);
  else if (data->NotificationSource == WLAN_NOTIFICATION_SOURCE_MSM && ours)
    message = MsmMessage(*data);
  // The recorded worker window, not m_window: the worker may have been
  // re-created since this registration was made.
  const HWND target = recorded(m_target).load();
  if (message && forTarget(message, m_target) && target) PostMessage(target, message, 0, 0);
}

void NativeWiFiNotificationCallback(PWLAN_NOTIFICATION_DATA data, PVOID context) {
  if (context) static_cast<const CNativeWiFiNotify*>(context)->OnNotification(data);
}
