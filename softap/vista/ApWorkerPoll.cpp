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

constexpr UINT kTrayMenu = 3217;
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
  if (QueryDriverDword_AP(OID_VX_RSSI0, rssi))
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

void CHideDlg_AP::SetTrayState(UINT iconId) {
  const AP_TRAY_STATE* state = FindApTrayState(iconId);
  if (!state) return;
  NotifyUI(BRIDGE_UI_CONNECTION_STATE,
           FormatString("%02d%s", state->State, static_cast<LPCSTR>(GetMLText(state->Text))), TRUE);
  if (IsSheetWindow())
    m_pSheet->SendMessage(WM_SETICON, ICON_SMALL,
                          reinterpret_cast<LPARAM>(LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(iconId))));
}

void CHideDlg_AP::CloseSheet() {
  if (!m_pSheet) return;
  CConfigPage_AP& page = m_pSheet->GetConfigPage();
  if (page.GetSecurityDialog()) {
    // DoModal runs on the page further down the stack: the sheet must
    // outlive it.
    page.CancelSecurityDialog();
    m_closingSheets.push_back(std::move(m_pSheet));
    return;
  }
  if (IsSheetWindow()) m_pSheet->DestroyWindow();
  m_pSheet.reset();
}

BOOL CHideDlg_AP::IsSheetWindow() const { return m_pSheet && ::IsWindow(m_pSheet->GetSafeHwnd()); }

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

LRESULT CHideDlg_AP::OnTrayNotify(WPARAM, LPARAM lParam) {
  if (m_bBusy) return 0;
  if (lParam == WM_LBUTTONDBLCLK) {
    if (m_bAdapterFound && IsApDeviceOpen()) OpenSheet();
  } else if (lParam == WM_RBUTTONDOWN) {
    ShowTrayMenu();
  }
  return 0;
}

void CHideDlg_AP::ShowTrayMenu() {
  CMenu menu;
  if (!menu.LoadMenu(kTrayMenu)) return;
  CMenu* popup = menu.GetSubMenu(0);
  if (!popup) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  SetForegroundWindow();
  popup->TrackPopupMenu(TPM_RIGHTBUTTON, cursor.x, cursor.y, this);
}

namespace {

// Commands 92 to 98, for the Access Control page while it is a window.
void OnAccessControlCommand(CAccessControlPage_AP& page, UINT code, const CString& value) {
  if (!::IsWindow(page.GetSafeHwnd())) return;
  const int number = std::atoi(value);
  switch (code) {
    case BRIDGE_CMD_ACL_POLICY: page.SelectPolicy(number); break;
    case BRIDGE_CMD_ACL_APPLY: page.PressApply(); break;
    case BRIDGE_CMD_ACL_SELECT: page.SelectRow(number); break;
    case BRIDGE_CMD_ACL_ADD: page.PressAdd(); break;
    case BRIDGE_CMD_ACL_MAC_TEXT: page.SetMacText(value); break;
    case BRIDGE_CMD_ACL_DELETE: page.PressDelete(); break;
    case BRIDGE_CMD_ACL_REMOVE_ALL: page.PressRemoveAll(); break;
    default: break;
  }
}

}  // namespace

LRESULT CHideDlg_AP::OnUiBridge(WPARAM wParam, LPARAM lParam) {
  // The value is taken (and freed) whatever becomes of the command.
  const CString value = TakeNotifyText(wParam, lParam);
  const UINT code = static_cast<UINT>(wParam);
  if (code < BRIDGE_CMD_AP_FIRST || code > BRIDGE_CMD_AP_LAST || !IsSheetWindow()) return 0;
  // The sheet may go while a command runs (a nested dialog's loop): the
  // page is reached through the sheet each time.
  CQzPropSheet_AP* sheet = m_pSheet.get();
  if (code >= BRIDGE_CMD_ACL_POLICY) {
    OnAccessControlCommand(sheet->GetAccessControlPage(), code, value);
    return 0;
  }
  CConfigPage_AP& page = sheet->GetConfigPage();
  if (!::IsWindow(page.GetSafeHwnd())) return 0;
  const int number = std::atoi(value);
  if (code == BRIDGE_CMD_PAGE_CHANGED) {
    if (value == "1") {
      page.PressSecurity();
      return 0;
    }
    page.CancelSecurityDialog();
    if (number == 0)
      sheet->SetActivePage(&page);
    else if (number == 2)
      sheet->SetActivePage(&sheet->GetAccessControlPage());
    else if (number == 3)
      sheet->SetActivePage(&sheet->GetAboutPage());
    return 0;
  }
  switch (code) {
    case BRIDGE_CMD_AP_WIRELESS_MODE: page.SelectWirelessMode(number); return 0;
    case BRIDGE_CMD_AP_SSID: page.SetSsid(value); return 0;
    case BRIDGE_CMD_AP_CHANNEL: page.SelectChannel(number); return 0;
    case BRIDGE_CMD_AP_APPLY_CONFIG: page.PressApply(); return 0;
    case BRIDGE_CMD_AP_RESTORE_DEFAULT: page.PressDefault(); return 0;
    default: break;
  }
  CAuthSecuDlg_AP* dialog = page.GetSecurityDialog();
  if (!dialog || !::IsWindow(dialog->GetSafeHwnd())) return 0;
  if (code >= BRIDGE_CMD_AP_WEP_KEY_TYPE && code <= BRIDGE_CMD_AP_WEP_KEY_TYPE_LAST) {
    dialog->SelectKeyType(static_cast<int>(code - BRIDGE_CMD_AP_WEP_KEY_TYPE) + 1, number);
  } else if (code >= BRIDGE_CMD_AP_WEP_KEY && code <= BRIDGE_CMD_AP_WEP_KEY_LAST) {
    dialog->SetKeyText(static_cast<int>(code - BRIDGE_CMD_AP_WEP_KEY) + 1, value);
  } else if (code == BRIDGE_CMD_AP_AUTH_TYPE) {
    dialog->SelectAuthType(number);
  } else if (code == BRIDGE_CMD_AP_ENCRYPTION) {
    dialog->SelectEncryption(number);
  } else if (code == BRIDGE_CMD_AP_WPA_PSK) {
    dialog->SetPreSharedKey(value);
  } else if (code == BRIDGE_CMD_AP_WEP_KEY_INDEX) {
    dialog->SetDefaultKey(number);
  } else if (code == BRIDGE_CMD_AP_APPLY_SECURITY) {
    dialog->PressOK();
  }
  return 0;
}
