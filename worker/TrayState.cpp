// The worker's connection state (bridge code 1), its tray menu and the
// commands behind it.
#include <algorithm>
#include <cstdio>

#include "frontend/UiBridge.h"
#include "widgets/WorkerClosingFlag.h"
#include "worker/HideDlg.h"
#include "worker/OidRequest.h"
#include "worker/WorkerGlobals.h"

namespace {

struct TrayStateRow {
  UINT verdict;
  int state;
  const char* text;  // translated; "%s" is the current SSID
};
constexpr TrayStateRow kTrayStates[] = {
    {kVerdictDisconnected, 0, "Wireless Net  Status : Disconnected"},
    {kVerdictNotExist, 1, "Wireless Net  Status : Not Exist"},
    {kVerdictWepError, 2, "Wireless Net  Status : WEP Error"},
    {kVerdictGood, 3, "Wireless Net  Status : Good (%s)"},
    {kVerdictNormal, 4, "Wireless Net  Status : Normal (%s)"},
    {kVerdictWeak, 5, "Wireless Net  Status : Weak (%s)"},
};

constexpr int kFirstApFamily = 4;
constexpr int kLastApFamily = 8;
constexpr int kSetTries = 3;

// TRUE when the file beside the program opens for reading.
BOOL ProgramFileExists(LPCSTR name) {
  FILE* file = fopen(static_cast<LPCSTR>(g_strProgramFolder + name), "rb");
  if (!file) return FALSE;
  std::fclose(file);
  return TRUE;
}

// The current SSID's bytes up to its length.
CString CurrentSsidText() {
  const DWORD length = std::min<DWORD>(g_currentSsid.SsidLength, sizeof g_currentSsid.Ssid);
  return CString(reinterpret_cast<const char*>(g_currentSsid.Ssid), static_cast<int>(length));
}

}  // namespace

void SendConnectionState(int state, LPCSTR text) {
  CString value;
  value.Format("%02d%s", state, text ? text : "");
  NotifyUI(BRIDGE_UI_CONNECTION_STATE, value, TRUE);
}

void CHideDlg::SetTrayState(UINT verdict) {
  for (const TrayStateRow& row : kTrayStates) {
    if (row.verdict != verdict) continue;
    // The translation is text from a file: its first "%s" takes the SSID,
    // nothing else in it is a format.
    CString text = GetMLText(row.text);
    const int at = text.Find("%s");
    if (at >= 0) text = text.Left(at) + CurrentSsidText() + text.Mid(at + 2);
    SendConnectionState(row.state, text);
    return;
  }
  SendConnectionState(0, "");
}

void CHideDlg::InitTrayState() { SetTrayState(m_bAdapterFound ? kVerdictDisconnected : kVerdictNotExist); }

void CHideDlg::ShowTrayMenu() {
  const BOOL offerAp = ProgramFileExists("Vendrel.exe") && ProgramFileExists("QzSwap.exe") &&
                       g_nFamilyIndex >= kFirstApFamily && g_nFamilyIndex <= kLastApFamily && m_bAdapterFound &&
                       g_bAdministrator;
  HMENU menu = LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(TrayMenuId(offerAp)));
  if (!menu) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  TrackPopupMenu(GetSubMenu(menu, 0), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, m_hWnd, nullptr);
  DestroyMenu(menu);
}

void CHideDlg::ShowHostDialog() {
  if (m_bBusy || HasHostDlg()) return;
  if (!m_bAdapterFound || !IsAdapterPresent()) {
    m_bBusy = TRUE;
    CString text;
    text.LoadString(IDS_NIC_NOT_READY);
    WarningMessageBox(text);
    m_bBusy = FALSE;
    return;
  }
  // A menu of the last host may still be returning from its loop while the
  // flag is set; a new host starts with it clear.
  m_pHostDlg = MakeStationHost();
  WorkerClosingFlag = FALSE;
  if (!m_pHostDlg) return;
  if (!m_pHostDlg->Create(IDD_STATION_HOST, this)) {
    m_pHostDlg.reset();
    return;
  }
  KillTimer(kHostLayoutTimer);
  SetTimer(kHostLayoutTimer, kHostLayoutPeriodMs, nullptr);
  m_bHostCreated = TRUE;
}

void CHideDlg::OnLaunchConfigUtilities() { ShowHostDialog(); }

void CHideDlg::OnExit() {
  if (m_bBusy) return;
  TearDownHost();
  KillWorkerTimers();
  EndDialog(1);
}

void CHideDlg::OnSwitchToApMode() {
  ReleaseAdapterForApMode();
  OnExit();
  g_bSwitchingToApMode = 1;
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
    static const char kOn[] = "1";
    RegSetValueEx(key, "OpMode", 0, REG_SZ, reinterpret_cast<const BYTE*>(kOn), sizeof kOn);
    RegCloseKey(key);
  }
  DWORD apMode = 1, returned = 0;
  SetOid(OID_VX_AP_MODE_SET, &apMode, sizeof apMode, &returned, kSetTries);
  CString commandLine;
  commandLine.Format("\"QzSwap.exe\" ON Sorvik Vendrel \"Nerolt Wireless\" %s %d %s", g_nBusType == 1 ? "USB" : "PCI",
                     g_nFamilyIndex, g_szHardwareId);
  WinExec(commandLine, SW_MINIMIZE);
}
