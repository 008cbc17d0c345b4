#include "xp/supplicant/AuthStatus.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/win/services/AcAuth.h"
#include "platform/win/services/NetApi.h"
#include "platform/win/services/Winsock.h"
#include "station/profiles/AuthenStatusDlg.h"
#include "worker/OidRequest.h"
#include "worker/Settings.h"
#include "worker/WorkerGlobals.h"
#include "worker/StationHost.h"
#include "worker/WpsWorker.h"
#include "xp/supplicant/PacFile.h"
#include "xp/supplicant/PortManager.h"
#include "xp/supplicant/SupplicantHost.h"
#include "xp/supplicant/UiMarshal.h"

namespace {

constexpr int kLinkTries = 15;
constexpr int kAddressTries = 30;
constexpr DWORD kLinkPauseMs = 1000;
constexpr DWORD kAddressPauseMs = 1000;
constexpr int kProbeTries = 7;
constexpr DWORD kProbePauseMs = 500;
constexpr DWORD kEndPauseMs = 2000;
constexpr DWORD kChecksRunning = 999;
constexpr DWORD kSkipMediaConnectBit = 0x2;
constexpr BYTE kFailureSsidByte = 0x10;
constexpr char kSsoKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Nerolt";
constexpr DWORD kDomainSize = 256;
constexpr DWORD kReachedErrors[] = {2, 5, 67, 1311, 1331, 1909};

std::mutex g_ringMutex;
int g_nWriteIndex = 0;
std::atomic<int> g_bAuthenticated{0};
std::atomic<int> g_nFailureKind{kAuthFailureTimeout};

std::mutex g_checksMutex;
HANDLE g_hChecksThread = nullptr;
std::atomic<bool> g_bChecksRunning{false};
std::atomic<bool> g_bChecksStop{false};
// Set by StopPostAssociationChecks: a pause of the checks ends at once. Made
// with the checks' thread and closed after it ended.
HANDLE g_hChecksStopEvent = nullptr;

void ClearRing() {
  std::lock_guard<std::mutex> lock(g_ringMutex);
  std::memset(g_authStatusEvents, 0, sizeof g_authStatusEvents);
  g_nWriteIndex = 0;
}

// The failure steps run only for a stored profile's connection made by the
// program, not for a site-survey profile or a WPS run.
void BeginFailureSteps(int kind) {
  const _PROFILE_DATA* profile = SupplicantGetCurrentProfile();
  if (!profile || profile->UseBssid != 0 || g_bWpsRunning) return;
  g_nReassociate = 0;
  g_nFailureKind = kind;
  UiMarshalPost(WM_SUPPLICANT_FAILURE, static_cast<WPARAM>(kind), 0);
}

const char* AuthenticatingText() {
  static const char* const byMethod[] = {"PEAP Authenticating...",     "TLS Authenticating...",
                                         "TTLS Authenticating...",     "EAP-FAST Authenticating...",
                                         "MD5 Authenticating...",      "LEAP Authenticating..."};
  const _PROFILE_DATA* profile = SupplicantGetCurrentProfile();
  const DWORD method = profile ? profile->AuthenProtocol : 0;
  return method < std::size(byMethod) ? byMethod[method] : nullptr;
}

void OnLinkEvent(_PM_PORT* port) {
  uint32_t link = 0;
  if (IsAcFailure(acPortGetLinkState(port->Handle, &link))) return;
  if (link != AC_LINK_UP || !g_bWpsRunning || WpsBssidKnown()) return;
  // The access point the run associated with is the one its credential
  // joins later; once known, later link events leave it alone.
  BYTE* bssid = g_wpsBssid;
  DWORD returned = 0;
  if (!QueryOid(OID_802_11_BSSID, bssid, sizeof g_wpsBssid, &returned)) std::memset(bssid, 0, sizeof g_wpsBssid);
  char line[64];
  std::snprintf(line, sizeof line, "Query BSSID for WPS: %02X-%02X-%02X-%02X-%02X-%02X\n", bssid[0], bssid[1],
                bssid[2], bssid[3], bssid[4], bssid[5]);
  SupplicantTrace(line);
}

void OnStateEvent(_PM_PORT* port) {
  uint32_t state = 0;
  if (IsAcFailure(acPortGetState(port->Handle, &state))) return;
  switch (state) {
    case AC_STATE_CONNECTING: PostAuthStatusText("Network is connecting..."); break;
    case AC_STATE_AUTHENTICATING:
      if (const char* text = AuthenticatingText()) PostAuthStatusText(text);
      break;
    case AC_STATE_AUTHENTICATED:
      PostAuthStatusText("Wireless client is authenticated.");
      g_bAuthenticated = 1;
      StartPostAssociationChecks();
      break;
    case AC_STATE_PROGRESS: {
      uint32_t status = 0;
      if (IsAcFailure(acPortGetStatus(port->Handle, &status))) return;
      if (status == AC_STATUS_STARTING_CONNECTION) PostAuthStatusText("Starting network connection...");
      if (status == AC_STATUS_FAST_PROVISIONED) PostAuthStatusText("EAP-FAST Provisioning is successful.");
      break;
    }
    default: break;
  }
}

void OnStatusEvent(_PM_PORT* port) {
  uint32_t status = 0;
  if (IsAcFailure(acPortGetStatus(port->Handle, &status))) return;
  switch (status) {
    case AC_STATUS_LINK_DOWN: PostAuthStatusText("Network Link is NOT connected."); break;
    case AC_STATUS_REJECTED: {
      PostAuthStatusText("Authentication failed - Identity or password is invalid.");
      char value[8] = "";
      GetModuleIniString("Advance", "GenericRejectedCallback", "0", value, sizeof value, "ini");
      if (std::strcmp(value, "1") == 0) BeginFailureSteps(kAuthFailureRejected);
      break;
    }
    case AC_STATUS_INVALID_CREDENTIALS:
      BeginFailureSteps(kAuthFailureInvalidCredentials);
      PostAuthStatusText("Authentication failed - Identity or password is invalid.");
      break;
    case AC_STATUS_TIMEOUT:
      BeginFailureSteps(kAuthFailureTimeout);
      PostAuthStatusText("Authenticating Timeout.");
      break;
    case AC_STATUS_PAC_INVALID:
    case AC_STATUS_PAC_EXPIRED: RemovePacFile(); break;
    default: break;
  }
}

// Lets `ms` pass; false when the run is to end.
bool ChecksPause(DWORD ms) {
  if (g_hChecksStopEvent) WaitForSingleObject(g_hChecksStopEvent, ms);
  return !g_bChecksStop;
}

void PostFormatted(const char* format, const char* text) {
  char line[kAuthStatusLineSize];
  std::snprintf(line, sizeof line, format, text);
  PostAuthStatusText(line);
}

void PostAddress(const char* format, const uint8_t a[4]) {
  char line[kAuthStatusLineSize];
  std::snprintf(line, sizeof line, format, a[0], a[1], a[2], a[3]);
  PostAuthStatusText(line);
}

// Step 2: the link, then the address (DHCP or static). False when stopped.
bool CheckLinkAndAddress(AC_HANDLE port) {
  int connected = 0;
  for (int i = 0; i < kLinkTries; ++i) {
    if (acIpIsConnected(port, &connected) == AC_OK && connected) break;
    if (!ChecksPause(kLinkPauseMs)) return false;
  }
  if (!connected) {
    PostAuthStatusText("Network Link is NOT connected.");
    return true;
  }
  PostAuthStatusText("Network Link is connected.");
  int dhcp = 0;
  acIpDhcpIsEnabled(port, &dhcp);
  uint8_t address[4] = {};
  if (!dhcp) {
    PostAuthStatusText("DHCP is Disabled - Static IP.");
    acIpGetConfig(port, address);
    PostAddress("Static IP address is %d.%d.%d.%d.", address);
    return true;
  }
  PostAuthStatusText("DHCP is Enabled.");
  static const uint8_t kNoAddress[4] = {};
  for (int i = 0; i < kAddressTries; ++i) {
    acIpGetConfig(port, address);
    if (std::memcmp(address, kNoAddress, sizeof address) != 0) {
      PostAddress("Succeed. IP address is %d.%d.%d.%d.", address);
      return true;
    }
    if (!ChecksPause(kAddressPauseMs)) return false;
  }
  acIpDhcpRenew(port);
  acIpIsConnected(port, &connected);
  PostAuthStatusText("Network Link is NO IP address.");
  return true;
}

void CheckIpx() {
  PostAuthStatusText("Detecting IPX Frame Type.");
  WSADATA data{};
  if (WSAStartup(MAKEWORD(2, 0), &data) != 0) {
    PostAuthStatusText("Winsock 2 is not supported on this machine.");
    return;
  }
  const SOCKET s = socket(AF_IPX, SOCK_DGRAM, NSPROTO_IPX);
  if (s != INVALID_SOCKET) {
    PostAuthStatusText("IPX protocol is supported on this machine.");
    closesocket(s);
  } else {
    const int error = WSAGetLastError();
    PostAuthStatusText(error == WSAEAFNOSUPPORT || error == WSAEPROTONOSUPPORT
                           ? "IPX protocol is not installed on this machine."
                           : "Detecting IPX Frame Type: UNDEFINED ERROR!");
  }
  WSACleanup();
}

// Step 4. False when stopped.
bool CheckDomainController() {
  char domain[kDomainSize] = {};
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kSsoKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    DWORD size = sizeof domain - 1;
    if (RegQueryValueEx(key, "WinlogonDomain", nullptr, nullptr, reinterpret_cast<LPBYTE>(domain), &size) !=
        ERROR_SUCCESS)
      domain[0] = 0;
    RegCloseKey(key);
  }
  if (!domain[0]) {
    PostAuthStatusText("Domain Controller is not found.");
    return true;
  }
  PostFormatted("Finding Domain Controller - %s", domain);
  PDOMAIN_CONTROLLER_INFOA info = nullptr;
  if (DsGetDcNameA(nullptr, domain, nullptr, nullptr, DS_FORCE_REDISCOVERY | DS_RETURN_FLAT_NAME, &info) !=
          NERR_Success ||
      !info) {
    PostAuthStatusText("Domain Controller is not found.");
    return true;
  }
  PostFormatted("Domain Controller Name = %s", info->DomainControllerName);
  char path[kAuthStatusLineSize];
  std::snprintf(path, sizeof path, "%s\\NETLOGON\\NonExist", info->DomainControllerName);
  bool running = true;
  for (int i = 0; i < kProbeTries; ++i) {
    HANDLE file = CreateFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      break;
    }
    const DWORD error = GetLastError();
    char line[2 * kAuthStatusLineSize];
    std::snprintf(line, sizeof line, "Create File - %s, returned - %lu", path, static_cast<unsigned long>(error));
    PostAuthStatusText(line);
    if (std::find(std::begin(kReachedErrors), std::end(kReachedErrors), error) != std::end(kReachedErrors)) {
      PostAuthStatusText("Access remote file is succeed.");
      break;
    }
    if (i == kProbeTries - 1) {
      PostAuthStatusText("Failed to access remote file.");
      break;
    }
    if (!ChecksPause(kProbePauseMs)) {
      running = false;
      break;
    }
  }
  NetApiBufferFree(info);
  return running;
}

}  // namespace

void PostAuthStatusText(LPCSTR text) {
  int slot = 0;
  {
    std::lock_guard<std::mutex> lock(g_ringMutex);
    slot = g_nWriteIndex;
    std::snprintf(g_authStatusEvents[slot], kAuthStatusLineSize, "%s", text);
    g_nWriteIndex = (slot + 1) % kAuthStatusLines;
  }
  UiMarshalPost(WM_SUPPLICANT_STATUS_SLOT, static_cast<WPARAM>(slot), 0);
}

int GetAuthStatusWriteIndex() {
  std::lock_guard<std::mutex> lock(g_ringMutex);
  return g_nWriteIndex;
}

int IsSupplicantAuthenticated() { return g_bAuthenticated; }

void SetSupplicantAuthenticated(int authenticated) { g_bAuthenticated = authenticated; }

int GetAuthFailureKind() { return g_nFailureKind; }

void SetAuthFailureKind(int kind) { g_nFailureKind = kind; }

int SupplicantPortStatusCallback(void* context, int event) {
  auto* port = static_cast<_PM_PORT*>(context);
  if (!port) return 0;
  if (GetAuthStatusWriteIndex() == 0) ClearRing();
  switch (event) {
    case AC_PORT_EVENT_LINK: OnLinkEvent(port); break;
    case AC_PORT_EVENT_STATE: OnStateEvent(port); break;
    case AC_PORT_EVENT_STATUS: OnStatusEvent(port); break;
    default: break;
  }
  return 0;
}

void ForwardAuthStatusSlot(int slot) {
  CSupplicantHost* host = GetSupplicantHost();
  HWND page = host && host->HasHostDialog() ? host->GetAuthStatusPage() : nullptr;
  if (page && IsWindow(page)) PostMessage(page, WM_AUTH_STATUS_EVENT, static_cast<WPARAM>(slot), 0);
}

void RunFailureSteps(int) {
  DWORD returned = 0;
  SetOid(OID_802_11_DISASSOCIATE, nullptr, 0, &returned, 3);
  NDIS_802_11_SSID ssid{};
  ssid.SsidLength = sizeof ssid.Ssid;
  std::memset(ssid.Ssid, kFailureSsidByte, sizeof ssid.Ssid);
  SetOid(OID_802_11_SSID, &ssid, sizeof ssid, &returned, 3);
  ShowCredentialRetry();
}

void ShowCredentialRetry() {
  CSupplicantHost* host = GetSupplicantHost();
  if (!host || !host->HasHostDialog()) return;
  host->ShowPage(kHostDlgInvalidIdPw);
  host->ExpandHost();
}

void SupplicantClearAuthStatus() {
  g_nReassociate = 0;
  if (GetCurrentPort()) pmStop();
  ClearRing();
  if (CSupplicantHost* host = GetSupplicantHost()) host->ShowPage(kHostDlgLinkStatus);
}

DWORD WINAPI PostAssociationChecks(LPVOID) {
  if (g_bChecksRunning.exchange(true)) return kChecksRunning;
  const _PROFILE_DATA* profile = SupplicantGetCurrentProfile();
  if (!profile || !(profile->ApplyArgument & kSkipMediaConnectBit)) UiMarshalPost(WM_SUPPLICANT_MEDIA_CONNECT, 0, 0);
  const _PM_PORT* port = GetCurrentPort();
  const AC_HANDLE handle = port ? port->Handle : 0;
  bool running = CheckLinkAndAddress(handle);
  if (running) CheckIpx();
  if (running) running = CheckDomainController();
  if (running) running = ChecksPause(kEndPauseMs);
  if (running) {
    PostAuthStatusText("OK");
    std::lock_guard<std::mutex> lock(g_ringMutex);
    g_nWriteIndex = 0;
  }
  g_bChecksRunning = false;
  return 0;
}

void StartPostAssociationChecks() {
  std::lock_guard<std::mutex> lock(g_checksMutex);
  if (g_hChecksThread) {
    if (WaitForSingleObject(g_hChecksThread, 0) != WAIT_OBJECT_0) return;  // a run is going on
    CloseHandle(g_hChecksThread);
  }
  if (g_hChecksStopEvent) CloseHandle(g_hChecksStopEvent);
  g_hChecksStopEvent = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  g_hChecksThread = CreateThread(nullptr, 0, &PostAssociationChecks, nullptr, 0, nullptr);
}

void StopPostAssociationChecks() {
  std::lock_guard<std::mutex> lock(g_checksMutex);
  if (!g_hChecksThread) return;
  g_bChecksStop = true;
  if (g_hChecksStopEvent) SetEvent(g_hChecksStopEvent);
  WaitForSingleObject(g_hChecksThread, INFINITE);
  CloseHandle(g_hChecksThread);
  g_hChecksThread = nullptr;
  if (g_hChecksStopEvent) CloseHandle(g_hChecksStopEvent);
  g_hChecksStopEvent = nullptr;
  g_bChecksStop = false;
}
