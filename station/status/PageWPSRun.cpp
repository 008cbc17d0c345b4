// The WPS page's runs: push-button and PIN starts, the driver's state word
// polled on timer 2, the automatic PIN walk (timers 7 and 8), the credential
// connection's watch (timer 4) and the driver's own button (timer 6).
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "frontend/BridgeCodes.h"
#include "frontend/UiBridge.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/NdisBssidList.h"
#include "platform/wire/WpsRecords.h"
#include "station/status/PageWPSDlg.h"
#include "worker/ChannelTable.h"
#include "worker/DriverCodes.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"

namespace {

namespace start = wavorel::wire::wps::start;
namespace credential = wavorel::wire::wps::credential;
namespace table = wavorel::wire::wps::table;
namespace bssid = wavorel::wire::ndis::bssid;
namespace configuration = wavorel::wire::ndis::configuration;
using wavorel::wire::getU32;
using wavorel::wire::putU32;

constexpr UINT kStatePollPeriodMs = 200;
constexpr UINT kRunLimitPeriodMs = 20000;
constexpr UINT kWalkPeriodMs = 120000;
constexpr UINT kAutoStepPeriodMs = 5000;
constexpr UINT kConnectWatchPeriodMs = 2000;
constexpr int kSetTries = 3;
constexpr DWORD kPinRunBit = 0x10000000u;
constexpr char kPushButtonPasswordId[] = "0x0004";
constexpr int kProgressStart = 5;
constexpr int kProgressCredentials = 95;
constexpr int kProgressDone = 100;
constexpr int kRotateEveryTicks = 5;

// What a state of the driver's WPS state machine leads to.
enum class StateAction {
  kNone,
  kProgress,        // the bar to the row's percentage
  kIdle,            // state 0: timer 2 killed, progress reset, retry
  kRetry,           // retry (see RetryNextAp)
  kPinRetry,        // in a PIN run: retry
  kNonce,           // state 260: in a PIN run the AP again
  kResetRetry,      // progress reset, retry
  kEapFailed,       // state 516: progress reset, disconnect without auto-select, retry
  kAutoRestart,     // state 517: with auto-select the next AP, else the prefix alone
  kConfigured,      // state 15
};

struct StateRow {
  DWORD state;
  const char* text;
  int progress;
  StateAction action;
};

constexpr StateRow kStates[] = {
    {0, "WPS status is not used", 0, StateAction::kIdle},
    {1, "WPS status is idled", 0, StateAction::kRetry},
    {2, "Scanning AP", 10, StateAction::kProgress},
    {3, "Begin associating to WPS AP", 15, StateAction::kProgress},
    {4, "Associated to WPS AP", 20, StateAction::kProgress},
    {5, "Sending EAPOL-Start", 25, StateAction::kProgress},
    {6, "Sending EAP-Rsp(ID)", 30, StateAction::kProgress},
    {7, "Sending EAP Response (ACK)", 0, StateAction::kNone},
    {9, "Receive EAP-Req (NACK)", 0, StateAction::kNone},
    {15, "Configured", 0, StateAction::kConfigured},
    {17, "Receive EAPReq WPS_Start", 35, StateAction::kProgress},
    {18, "Sending M1", 40, StateAction::kProgress},
    {19, "Received M2", 45, StateAction::kProgress},
    {20, "Received M2D", 50, StateAction::kProgress},
    {21, "Sending M3", 60, StateAction::kProgress},
    {22, "Received M4", 65, StateAction::kProgress},
    {23, "Sending M5", 70, StateAction::kProgress},
    {24, "Received M6", 75, StateAction::kProgress},
    {25, "Sending M7", 80, StateAction::kProgress},
    {26, "Received M8", 85, StateAction::kProgress},
    {27, "Sending EAP Response (Done)", 90, StateAction::kProgress},
    {34, "Received M1", 40, StateAction::kProgress},
    {35, "Sending M2", 45, StateAction::kProgress},
    {36, "Sending M2D", 50, StateAction::kProgress},
    {37, "Sending M3", 60, StateAction::kProgress},
    {38, "Sending M4", 65, StateAction::kProgress},
    {39, "Received M5", 70, StateAction::kProgress},
    {40, "Sending M6", 75, StateAction::kProgress},
    {41, "Received M7", 80, StateAction::kProgress},
    {42, "Sending M8", 85, StateAction::kProgress},
    {43, "Received EAP Response (Done)", 90, StateAction::kProgress},
    {257, "Too many PBC AP available", 0, StateAction::kNone},
    {258, "No PBC AP available", 0, StateAction::kNone},
    {259, "Received EAP-FAIL", 0, StateAction::kPinRetry},
    {260, "Receive EAP with wrong NONCE", 0, StateAction::kNonce},
    {261, "Receive EAP without integrity (Hmac mismatch)", 0, StateAction::kPinRetry},
    {262, "Error PIN Code (R-Hash mismatch)", 0, StateAction::kRetry},
    {513, "Invalid SSID in PIN mode", 0, StateAction::kResetRetry},
    {514, "Receive EAP-Req with wrong WPS SMI Vendor Id", 0, StateAction::kResetRetry},
    {515, "Receive EAP-Req with wrong WPS Vendor Type", 0, StateAction::kResetRetry},
    {516, "WPS Eap process failed", 0, StateAction::kEapFailed},
    {517, "", 0, StateAction::kAutoRestart},
};

const StateRow* FindState(DWORD state) {
  for (const StateRow& row : kStates)
    if (row.state == state) return &row;
  return nullptr;
}

BOOL SetDword(DWORD oid, DWORD value) {
  DWORD written = 0;
  return SetOid(oid, &value, sizeof value, &written, kSetTries);
}

}  // namespace

void CPageWPSDlg::SetProgress(int percent) {
  m_progress.SetPos(percent);
  NotifyUIInt(BRIDGE_UI_WPS_PROGRESS, percent, TRUE);
}

void CPageWPSDlg::SetStatus(const CString& text) {
  m_strStatus = text;
  SetDlgItemText(IDC_WPS_STATUS, text);
}

void CPageWPSDlg::RecolourProgress() {
  const int p = m_progress.GetPos();
  if (p > 100) return;
  const COLORREF c = p < 35 ? 0x00FF00 : p < 70 ? 0x32E6FA : 0xFB0606;
  m_progress.SetEvenColors(3, c, COLORREF(0xF0CAA6), c);
}

void CPageWPSDlg::ClearCredentials() {
  m_profileEntries.clear();
  FillProfileList();
  g_wscCredentialTable.fill(0);
  std::memset(g_wpsBssid, 0, sizeof g_wpsBssid);
}

int CPageWPSDlg::StartRun() {
  g_bWpsRotate = 1;
  m_nTickCounter = 1;
  EnableButton(m_btnRescan, FALSE, BRIDGE_UI_WPS_BUTTON_ENABLE);
  m_comboWirelessMode.EnableWindow(FALSE);
  SetProgress(kProgressStart);
  SetTimer(kWpsStatePollTimer, kStatePollPeriodMs, nullptr);
  if (!m_bAutoSelect)
    SetTimer(kWpsRunLimitTimer, kRunLimitPeriodMs, nullptr);
  else
    KillTimer(kWpsRunLimitTimer);
  return 1;
}

int CPageWPSDlg::StopTimers() {
  EnableButton(m_btnRescan, TRUE, BRIDGE_UI_WPS_BUTTON_ENABLE);
  m_comboWirelessMode.EnableWindow(TRUE);
  EnableButton(m_btnPbc, TRUE, BRIDGE_UI_WPS_BUTTON_ENABLE + 1);
  if (g_nWpsMethod != kWpsMethodPin) {
    BuildApList();
    UpdateButtons();
  }
  for (UINT_PTR id = 1; id <= kWpsConnectWatchTimer; ++id) KillTimer(id);
  return 1;
}

void CPageWPSDlg::ResetProgress(int reset) {
  EnableButton(m_btnRescan, TRUE, BRIDGE_UI_WPS_BUTTON_ENABLE);
  m_comboWirelessMode.EnableWindow(TRUE);
  if (reset) SetProgress(0);
  StopTimers();
}

void CPageWPSDlg::SendStart(const BYTE* request, DWORD size) {
  std::vector<BYTE> copy(request, request + size);
  DWORD written = 0;
  SetOid(OID_VX_WPS_START, copy.data(), size, &written, kSetTries);
  SetOid(OID_VX_WPS_CREDENTIALS_SET, g_wscCredentialTable.data(), static_cast<DWORD>(g_wscCredentialTable.size()),
         &written, kSetTries);
  SetDword(OID_VX_PRIVATE_0144, static_cast<DWORD>(m_bAssociateIe));
  SetDword(OID_VX_PRIVATE_0146, static_cast<DWORD>(m_bProbeIe));
}

void CPageWPSDlg::OnBnClickedPbc() {
  UpdateData(TRUE);
  g_nWpsMethod = kWpsMethodPbc;
  g_bWpsConnect = 1;
  StopTimers();
  DropLinkAndProfiles(TRUE);
  SetDword(OID_VX_PRIVATE_0151, static_cast<DWORD>(g_nWpsWirelessMode));
  if (g_nWpsConfigMode == kWpsEnrollee) {
    ClearCredentials();
    SaveWpsProfiles(1);
    LoadProfileList();
  }
  SetStatus("Start PBC connection");
  UpdateButtons();
  EnableButton(m_btnPbc, TRUE, BRIDGE_UI_WPS_BUTTON_ENABLE + 1);
  BYTE request[start::kSize] = {};
  putU32(request + start::kMode, start::kModePushButton);
  request[start::kRole] = g_nWpsConfigMode == kWpsRegistrar ? start::kRoleRegistrar : start::kRoleEnrollee;
  g_bWpsRunTaken = 0;
  SendStart(request, sizeof request);
  StartRun();
}

void CPageWPSDlg::OnBnClickedPin() {
  UpdateData(TRUE);
  if (!ValidatePin()) return;
  g_nWpsMethod = kWpsMethodPin;
  if (!m_bAutoSelect) {
    g_nWpsAutoApIndex = SelectedApRow();
  } else {
    KillTimer(kWpsRunLimitTimer);
    ++g_nWpsAutoApIndex;
    if (!m_bWalkTimerArmed) {
      SetTimer(kWpsWalkTimer, kWalkPeriodMs, nullptr);
      m_bWalkTimerArmed = 1;
    }
    KillTimer(kWpsAutoStepTimer);
    SetTimer(kWpsAutoStepTimer, kAutoStepPeriodMs, nullptr);
    // Access points in push-button mode are passed over.
    const int rows = static_cast<int>(m_apEntries.size());
    int row = std::max(g_nWpsAutoApIndex, 0);
    while (row < rows && m_apEntries[row].passwordId == kPushButtonPasswordId) ++row;
    if (row >= rows) {
      g_nWpsAutoApIndex = -1;
      KillTimer(kWpsAutoStepTimer);
      SetStatus(LoadText(IDS_WPS_RESCANNING));
      OnBnClickedRescan();
      return;
    }
    g_nWpsAutoApIndex = row;
  }
  g_bWpsConnect = 1;
  StopTimers();
  DropLinkAndProfiles(TRUE);
  SetDword(OID_VX_PRIVATE_0151, static_cast<DWORD>(g_nWpsWirelessMode));
  DWORD length = 0;
  const BYTE* record = g_nWpsAutoApIndex < 0 ? nullptr
                                            : WpsKeptRecord(m_pageBss.get(), kBssListSize, g_nWpsAutoApIndex, &length);
  if (!record || g_nWpsAutoApIndex >= static_cast<int>(m_apEntries.size())) return;
  if (g_nWpsConfigMode == kWpsEnrollee) {
    ClearCredentials();
    SaveWpsProfiles(1);
    LoadProfileList();
  }
  BYTE request[start::kSize] = {};
  putU32(request + start::kMode, start::kModePin);
  char pin[start::kPinSize + 1] = {};
  std::snprintf(pin, sizeof pin, "%08u", static_cast<unsigned>(g_nWpsPinCode));
  std::memcpy(request + start::kPin, pin, start::kPinSize);
  const DWORD ssidLength = std::min<DWORD>(getU32(record + bssid::kSsidLength), start::kSsidSize);
  putU32(request + start::kSsidLength, ssidLength);
  std::memcpy(request + start::kSsid, record + bssid::kSsid, start::kSsidSize);
  std::memcpy(request + start::kBssid, record + bssid::kMacAddress, 6);
  const CHANNEL_FREQUENCY* channel =
      FindChannelByFrequency(getU32(record + bssid::kConfiguration + configuration::kDsConfig));
  request[start::kChannel] = static_cast<BYTE>(channel ? channel->Channel : 0);
  request[start::kRole] = g_nWpsConfigMode == kWpsRegistrar ? start::kRoleRegistrar : start::kRoleEnrollee;
  CString status;
  status.Format("Start PIN connection - %s", static_cast<LPCSTR>(m_apEntries[g_nWpsAutoApIndex].ssid));
  SetStatus(status);
  // An open credential handed out without encryption carries no key.
  BYTE* first = g_wscCredentialTable.data() + table::recordAt(0);
  if (g_nWpsConfigMode == kWpsRegistrar && getU32(first + credential::kAuthType) == credential::kAuthOpen &&
      getU32(first + credential::kEncryptionType) == credential::kEncryptionNone)
    putU32(first + credential::kKeyLength, 0);
  SetDword(OID_VX_WPS_AUTO_PICK, m_bAutoSelect ? 1 : 0);
  g_bWpsRunTaken = 0;
  SendStart(request, sizeof request);
  StartRun();
}

void CPageWPSDlg::OnDriverPbcStart() {
  UpdateData(TRUE);
  g_bWpsConnect = 1;
  StopTimers();
  ClearCredentials();
  DropLinkAndProfiles(FALSE);
  SaveWpsProfiles(1);
  LoadProfileList();
  SetStatus("Start PBC connection");
  UpdateButtons();
  EnableButton(m_btnPbc, TRUE, BRIDGE_UI_WPS_BUTTON_ENABLE + 1);
  g_bWpsRunTaken = 0;
  StartRun();
}

void CPageWPSDlg::OnTimer(UINT_PTR nIDEvent) {
  const BOOL records = WpsCredentialCount() > 0;
  m_btnExport.EnableWindow(records);
  m_btnRotate.EnableWindow(records);
  switch (nIDEvent) {
    case kWpsWalkTimer:
      KillTimer(kWpsWalkTimer);
      g_nWpsMethod = kWpsMethodNone;
      g_nWpsAutoApIndex = -1;
      m_bWalkTimerArmed = 0;
      ResetProgress(1);
      OnBnClickedDisconnect();
      break;
    case kWpsAutoStepTimer:
      KillTimer(kWpsAutoStepTimer);
      if (!IsLinkConnected()) {
        ResetProgress(1);
        OnBnClickedPin();
      }
      break;
    case kWpsRescanWaitTimer:
      OnRescanWaitEnded();
      break;
    case kWpsStatePollTimer:
      PollState();
      break;
    case kWpsRunLimitTimer:
      OnRunLimitTick();
      break;
    case kWpsConnectWatchTimer:
      WatchConnection();
      break;
    case kWpsButtonWatchTimer: {
      DWORD started = 0, returned = 0;
      if (QueryOid(OID_VX_PRIVATE_0145, &started, sizeof started, &returned) && returned >= sizeof started &&
          started != 0)
        OnDriverPbcStart();
      break;
    }
    default:
      break;
  }
  RecolourProgress();
  CDialog::OnTimer(nIDEvent);
}

BOOL CPageWPSDlg::AutoApIndexValid() const {
  return g_nWpsAutoApIndex >= 0 && g_nWpsAutoApIndex < static_cast<int>(m_apEntries.size());
}

BOOL CPageWPSDlg::RetryNextAp() {
  if (g_nWpsMethod != kWpsMethodPin) return FALSE;
  if (m_bAutoSelect && AutoApIndexValid()) {
    KillTimer(kWpsAutoStepTimer);
    OnBnClickedPin();
    return TRUE;
  }
  g_nWpsAutoApIndex = -1;
  return FALSE;
}

void CPageWPSDlg::PollState() {
  DWORD word = 0, returned = 0;
  if (!QueryOid(OID_VX_WPS_STATUS, &word, sizeof word, &returned) || returned < sizeof word) return;
  const DWORD state = word & kWpsStatusMask;
  CString text = (word & kPinRunBit) ? "PIN - " : "PBC - ";
  const StateRow* row = FindState(state);
  if (!row) {
    SetStatus(text);
    return;
  }
  text += row->text;
  const bool pinRun = g_nWpsMethod == kWpsMethodPin;
  bool show = true;
  switch (row->action) {
    case StateAction::kNone:
      break;
    case StateAction::kProgress:
      SetProgress(row->progress);
      break;
    case StateAction::kIdle:
      KillTimer(kWpsStatePollTimer);
      ResetProgress(1);
      show = !RetryNextAp();
      break;
    case StateAction::kRetry:
      show = !RetryNextAp();
      break;
    case StateAction::kPinRetry:
      if (pinRun) show = !RetryNextAp();
      break;
    case StateAction::kNonce:
      if (!pinRun) break;
      if (AutoApIndexValid()) {
        KillTimer(kWpsAutoStepTimer);
        OnBnClickedPin();
        show = false;
      } else {
        g_nWpsAutoApIndex = -1;
      }
      break;
    case StateAction::kResetRetry:
      ResetProgress(1);
      show = !RetryNextAp();
      break;
    case StateAction::kEapFailed:
      ResetProgress(1);
      if (!m_bAutoSelect) Disconnect();
      show = !RetryNextAp();
      break;
    case StateAction::kAutoRestart:
      if (pinRun && m_bAutoSelect && AutoApIndexValid()) {
        KillTimer(kWpsAutoStepTimer);
        ResetProgress(1);
        OnBnClickedPin();
        show = false;
      }
      break;
    case StateAction::kConfigured:
      OnConfigured();
      break;
  }
  if (show) SetStatus(text);
}

void CPageWPSDlg::OnConfigured() {
  KillTimer(kWpsWalkTimer);
  KillTimer(kWpsAutoStepTimer);
  g_nWpsAutoApIndex = -1;
  g_nWpsMethod = kWpsMethodNone;
  m_bWalkTimerArmed = 0;
  BuildApList();
  UpdateButtons();
  ResetProgress(0);
  SetProgress(kProgressCredentials);
  // The credentials of a run are read, stored and connected once, by the
  // first poller that sees it configured.
  const bool take = !g_bWpsRunTaken;
  if (take) {
    g_bWpsRunTaken = 1;
    BYTE raw[table::kSize] = {};
    DWORD returned = 0;
    if (!QueryOid(OID_VX_WPS_CREDENTIALS, raw, sizeof raw, &returned)) returned = 0;
    LoadWpsCredentialTable(raw, returned);
    SaveWpsProfiles(1);
  }
  LoadProfileList();
  MarkProfileRow(g_nWpsCurrentIndex, 1);
  SaveWscFlag();
  if (WpsCredentialCount() > 0) {
    m_nTickCounter = 1;
    if (take) ConnectWpsProfile();
    SetTimer(kWpsConnectWatchTimer, kConnectWatchPeriodMs, nullptr);
  }
}

void CPageWPSDlg::WatchConnection() {
  if (WpsCredentialCount() == 0) {
    m_nTickCounter = 1;
    KillTimer(kWpsConnectWatchTimer);
    return;
  }
  if (IsConnectedToWpsCredential() && g_bWpsConnect) {
    MarkProfileRow(g_nWpsCurrentIndex, 0);
    const WpsCredentialFields c = WpsCredentialAt(g_nWpsCurrentIndex);
    SetStatus("WPS status is connected successfully - " +
              CString(reinterpret_cast<const char*>(c.Ssid), static_cast<int>(c.SsidLength)));
    EnableButton(m_btnRescan, TRUE, BRIDGE_UI_WPS_BUTTON_ENABLE);
    m_comboWirelessMode.EnableWindow(TRUE);
    SetProgress(kProgressDone);
    g_bWpsRotate = 0;
  } else {
    MarkProfileRow(g_nWpsCurrentIndex, 1);
    SetStatus("WPS status is disconnected");
    SetProgress(0);
    if (g_bWpsRotate && m_nTickCounter % kRotateEveryTicks == 0) ConnectWpsProfile();
  }
  ++m_nTickCounter;
}

void CPageWPSDlg::Disconnect() {
  ResetProgress(1);
  g_bWpsRotate = 0;
  g_bWpsConnect = 0;
  SaveWscFlag();
  DisconnectLink();
  SetStatus("WPS status is disconnected");
  MarkProfileRow(g_nWpsCurrentIndex, -1);
}

void CPageWPSDlg::OnBnClickedDisconnect() {
  g_nWpsMethod = kWpsMethodNone;
  KillTimer(kWpsAutoStepTimer);
  KillTimer(kWpsWalkTimer);
  g_nWpsAutoApIndex = -1;
  m_bWalkTimerArmed = 0;
  Disconnect();
  AfterDisconnect();
}
