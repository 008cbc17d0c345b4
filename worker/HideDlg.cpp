#include "worker/HideDlg.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "frontend/UiBridge.h"
#include "widgets/WorkerClosingFlag.h"
#include "worker/BssLists.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/OsType.h"
#include "worker/Settings.h"
#include "worker/TraceFile.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"

namespace {

// The worker CreateHideDlg made.
std::unique_ptr<CHideDlg> g_worker;

constexpr int kWindows2000OsType = 7;
constexpr int kWow64OsType = 10;
constexpr DWORD kFirstTokenBuffer = 1024;
constexpr char kNoAdministratorText[] =
    "You have no 'Administrator' privilege, so some features may not work successfully";

// TRUE when the groups of the process token hold the built-in Administrators group.
BOOL TokenHoldsAdministrators() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return FALSE;
  std::vector<BYTE> buffer(kFirstTokenBuffer);
  DWORD needed = 0;
  BOOL read = GetTokenInformation(token, TokenGroups, buffer.data(), static_cast<DWORD>(buffer.size()), &needed);
  if (!read && GetLastError() == ERROR_INSUFFICIENT_BUFFER && needed > buffer.size()) {
    buffer.resize(needed);
    read = GetTokenInformation(token, TokenGroups, buffer.data(), static_cast<DWORD>(buffer.size()), &needed);
  }
  CloseHandle(token);
  if (!read || buffer.size() < sizeof(DWORD)) return FALSE;
  SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0,
                                0, &administrators))
    return FALSE;
  const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
  const size_t fitting = (buffer.size() - offsetof(TOKEN_GROUPS, Groups)) / sizeof(SID_AND_ATTRIBUTES);
  BOOL member = FALSE;
  for (size_t i = 0; i < groups->GroupCount && i < fitting && !member; ++i)
    member = EqualSid(groups->Groups[i].Sid, administrators);
  FreeSid(administrators);
  return member;
}

}  // namespace

CHideDlg::CHideDlg()
    : CDialog(IDD_HIDE_DLG),
      m_build(MakeBuildParts(*this)),
      m_nTaskbarCreatedMessage(RegisterWindowMessage("TaskbarCreated")) {}

CHideDlg::~CHideDlg() {
  m_wmiListener.Release();
  if (g_pHideDlg == this) g_pHideDlg = nullptr;
}

BOOL CHideDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText("HideDlg");
  g_pHideDlg = this;
  g_bWpsRunTaken = 0;
  SetWindowLong(m_hWnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);

  m_devices.LoadDeviceIdIni(m_devices.LoadDeviceIdIni(0));

  BssidSiteList = std::make_unique<BYTE[]>(kBssListSize);
  ClearSiteStamps();
  std::memset(&g_currentSsid, 0, sizeof g_currentSsid);
  std::memset(g_currentBssid, 0, sizeof g_currentBssid);

  GetOsType();
  g_bWow64 = g_nOsType >= kWow64OsType ? IsWow64() : 0;
  CheckAdministrator();

  m_bAdapterFound = DiscoverAdapter();
  if (m_bAdapterFound) {
    MarkAdapterReady();
    RunRescanStep(m_nRescanArgument);
  }
  SetTimer(kPollTimer, kPollPeriodMs, nullptr);

  m_bTrace = IsTraceOn();
  Trace("Start to set task bar\n");
  InitTrayState();
  Trace("End to set task bar\n");
  Trace("Start to IniWMIMsgEvent\n");
  StartWmiListener();
  Trace("End to IniWMIMsgEvent\n");
  Trace("Start to set event be zero\n");
  std::memset(g_authStatusEvents, 0, sizeof g_authStatusEvents);
  Trace("End to set event be zero\n");

  SetWorkerNotifyWnd(m_hWnd);
  return TRUE;
}

void CHideDlg::CheckAdministrator() {
  g_bAdministrator = g_nOsType < kWindows2000OsType ? TRUE : TokenHoldsAdministrators();
  if (!g_bAdministrator) WarningMessageBox(kNoAdministratorText);
}

void CHideDlg::StartWmiListener() {
  Trace("Start to set window handle\n");
  m_wmiListener.SetWindow(m_hWnd);
  Trace("End to set window handle\n");
  Trace("Start to set message string\n");
  m_wmiListener.SetMessageStrings(kDriverEventClass, kMediaConnectEventClass);
  Trace("End to set message string\n");
  Trace("Start to register event\n");
  m_wmiListener.IniWMIMsgEvent();
  Trace("End to register event\n");
}

void CHideDlg::Trace(LPCSTR text) const {
  if (m_bTrace) AppendTrace(text);
}

void CHideDlg::MarkAdapterReady() {
  g_nAdapterState = kAdapterReady;
  g_b8021xSupport = 1;
}

void CHideDlg::ShowPage(int index) {
  CStationHost* host = GetHost();
  if (!host) return;
  host->ShowSecondaryDialog(index);
  m_nCurrentPage = index;
}

void CHideDlg::TearDownHost() {
  if (!m_pHostDlg) return;
  WorkerClosingFlag = TRUE;
  if (IsWindow(m_pHostDlg->GetSafeHwnd())) m_pHostDlg->DestroyWindow();
  m_pHostDlg.reset();
  KillTimer(kHostLayoutTimer);
}

void CHideDlg::KillWorkerTimers() {
  for (UINT_PTR id = 0; id <= kLastSuspendedTimer; ++id) KillTimer(id);
}

void CHideDlg::FreeWorkerBuffers() {
  BssidSiteList.reset();
  ClearSiteStamps();
  m_devices.RemoveAll();
  GetActionQueue().clear();
  GetSetOidQueue().Free();
  FreeCurrentProfile();
}

LRESULT CHideDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  m_bTrace = IsTraceOn();
  if (message == WM_POWERBROADCAST) {
    if (wParam == PBT_APMSUSPEND) {
      KillWorkerTimers();
    } else if (wParam == PBT_APMRESUMESUSPEND) {
      Trace("PBT_APMRESUMESUSPEND\n");
      SetTimer(kPollTimer, kPollPeriodMs, nullptr);
    }
  }
  if (!m_bBusy) {
    if (message == WM_WORKER_TRAY_NOTIFY) {
      if (lParam == WM_LBUTTONDBLCLK) {
        ShowHostDialog();
      } else if (lParam == WM_RBUTTONDOWN) {
        ShowTrayMenu();
      }
    }
    if (message == WM_TASKBAR_CREATED_1 || message == WM_TASKBAR_CREATED_2 || message == m_nTaskbarCreatedMessage)
      InitTrayState();
    if (m_bTrace) {
      CString line;
      line.Format(" Message = 0x%08x\n", message);
      AppendTrace(line);
    }
  }
  return CDialog::DefWindowProc(message, wParam, lParam);
}

void CHideDlg::OnPaint() {
  ValidateRect(m_hWnd, nullptr);
  ShowWindow(SW_HIDE);
}

LRESULT CHideDlg::OnDriverMessageEvent(WPARAM, LPARAM) {
  CWmiListener::RefreshIcvErrorFlag();
  return 0;
}

LRESULT CHideDlg::OnUIBridge(WPARAM wParam, LPARAM lParam) {
  const CString value = TakeNotifyText(wParam, lParam);
  const UINT code = static_cast<UINT>(wParam);
  if (code < BRIDGE_CMD_STATION_FIRST || code > BRIDGE_CMD_STATION_LAST) return 0;
  if (code == BRIDGE_CMD_SET_PSP_XLINK) {
    SetPspXlink(std::atoi(value) != 0);
    return 0;
  }
  // The other commands act on the host's pages; without a host they are dropped.
  if (CStationHost* host = GetHost()) host->RunPageCommand(code, value);
  return 0;
}

BOOL CreateHideDlg() {
  if (!g_worker) g_worker = std::make_unique<CHideDlg>();
  InitFolders();
  if (!IsWindow(g_worker->GetSafeHwnd())) g_worker->Create(IDD_HIDE_DLG, CWnd::FromHandle(GetDesktopWindow()));
  if (!IsWindow(g_worker->GetSafeHwnd())) return FALSE;
  if (g_worker->TakesAdapterOnCreation()) g_worker->SendMessage(WM_COMMAND, ID_WORKER_USE_QZCONFIG, 0);
  return TRUE;
}

void DestroyHideDlg() {
  if (!g_worker) return;
  if (IsWindow(g_worker->GetSafeHwnd())) {
    g_worker->SendMessage(WM_COMMAND, ID_WORKER_USE_ZERO_CONFIG, 0);
    g_worker->SendMessage(WM_COMMAND, ID_WORKER_EXIT, 0);
    g_worker->EndDialog(2);
    g_worker->DestroyWindow();
  }
  g_worker.reset();
}

BOOL PostToHideDlg(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_worker || !IsWindow(g_worker->GetSafeHwnd())) return FALSE;
  return PostMessage(g_worker->GetSafeHwnd(), message, wParam, lParam);
}
