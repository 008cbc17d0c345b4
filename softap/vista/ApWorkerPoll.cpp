// The AP worker's poll, tray state, event-log store, reconnect and key
// re-send, and the messages of Native Wi-Fi, power management, the tray and
// the UI bridge.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "frontend/UiBridge.h"
#include "softap/ApDriver.h"
#include "softap/ApModule.h"
#include "softap/ApPoll.h"
#include "softap/ApSettings.h"
#include "softap/AuthSecuDlg_AP.h"
#include "softap/HideDlg_AP.h"
#include "softap/QzPropSheet_AP.h"
#include "utilmere/Utilmere.h"
#include "worker/DriverCodes.h"
#include "platform/wire/Bytes.h"
#include "worker/NativeWiFi.h"
#include "worker/ProfileData.h"

namespace {

constexpr UINT_PTR kSpareTimer = 2;

}  // namespace

// ---- The poll ----

void CHideDlg_AP::OnTimer(UINT_PTR nIDEvent) {
  if (m_bBusy) return;
  if (nIDEvent == kReapplyTimer) {
    KillTimer(kReapplyTimer);
    m_nReapplyTimer = 0;
    ApplyAllSettings();
    Poll();
  } else if (nIDEvent == kPollTimer) {
    Poll();
  }
  CDialog::OnTimer(nIDEvent);
}

void CHideDlg_AP::Poll() {
  if (!m_bAdapterFound || !IsApDeviceOpen()) {
    Rediscover();
    return;
  }
  DWORD rssi = 0;
  // A failed or short answer leaves the signal unknown: the AP shows Lost.
  if (QueryDriverDword_AP(OID_AP_RSSI, rssi))
    SetTrayState(TrayIconOfPercent_AP(RssiToPercent_AP(static_cast<int>(rssi))));
  else
    SetTrayState(kApTrayLost);

  BYTE block[aprecord::eventlog::kSize] = {};
  DWORD returned = 0;
  if (QueryDriverOid_AP(OID_VX_EVENT_LOG, block, sizeof block, &returned)) StoreApEvents(ParseEventLogBlock(block, returned));
  if (IsSheetWindow()) m_pSheet->Refresh11nPage();
}

void CHideDlg_AP::Rediscover() {
  KillTimer(kPollTimer);
  CloseSheet();
  m_bAdapterFound = EnumAdapters_AP();
  if (m_bRetiring) return;
  m_nPollTimer = SetTimer(kPollTimer, kPollMs, nullptr);
  if (m_bAdapterFound) {
    SetTrayState(kApTrayLost);
    EnterApMode(FALSE);
  } else {
    SetTrayState(kApTrayNotExist);
    g_bApUsbFound = 0;
  }
}

// ---- The AP's connection and its keys ----

void CHideDlg_AP::ReconnectSsid(const CString& ssid) {
  if (ssid.IsEmpty()) return;
  m_bKeyPending = TRUE;
  m_strBeaconSsid = ssid;
  CNativeWiFi& client = GetApNativeWiFi();
  if (CWlanProfileList* profiles = client.ProfileList()) profiles->DeleteAllProfiles();
  // The AP's own infrastructure BSS, open and unencrypted in the stored
  // profile: its keys go to the driver by code.
  _PROFILE_DATA record;
  record.Ssid.SsidLength = static_cast<ULONG>(std::min(ssid.GetLength(), 32));
  std::memcpy(record.Ssid.Ssid, static_cast<LPCSTR>(ssid), record.Ssid.SsidLength);
  record.NetworkType = 1;
  record.AuthMode = 0;
  record.CipherMode = 1;
  if (CWlanProfileOps* ops = client.ProfileOps()) ops->ApplyProfile(&record);
}

void CHideDlg_AP::ResendKeys() {
  if (!m_bKeyPending) return;
  if (IsPskAuthIndex(m_nAuthIndex)) SendPreSharedKey();
  if (m_nCipherIndex == 0 || m_nAuthIndex == 1)
    for (int n = 1; n <= 4; ++n) SendWepKey(n);
  m_bKeyPending = FALSE;
}

LRESULT CHideDlg_AP::OnWlanConnected(WPARAM, LPARAM) {
  ResendKeys();
  return 0;
}

LRESULT CHideDlg_AP::OnWlanRadioOn(WPARAM, LPARAM) {
  ReconnectSsid(m_strSsid);
  return 0;
}

LRESULT CHideDlg_AP::OnWlanConnectFailed(WPARAM, LPARAM) {
  m_nReapplyTimer = SetTimer(kReapplyTimer, kReapplyMs, nullptr);
  return 0;
}

// ---- Power, tray and bridge ----

UINT CHideDlg_AP::OnPowerBroadcast(UINT nPowerEvent, LPARAM nEventData) {
  if (nPowerEvent == PBT_APMSUSPEND) {
    KillTimer(kPollTimer);
    KillTimer(kSpareTimer);
    KillTimer(kReapplyTimer);
  } else if (nPowerEvent == PBT_APMRESUMESUSPEND) {
    m_nPollTimer = SetTimer(kPollTimer, kPollMs, nullptr);
    ReconnectSsid(m_strSsid);
  }
  return CDialog::OnPowerBroadcast(nPowerEvent, nEventData);
}

