#include "xp/supplicant/PortManager.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "worker/OidRequest.h"
#include "worker/TraceFile.h"
#include "xp/supplicant/AuthStatus.h"
#include "xp/supplicant/Credentials.h"
#include "xp/supplicant/UiMarshal.h"
#include "xp/supplicant/UiRequestThread.h"

volatile int g_nReassociate = 0;

namespace {

constexpr DWORD kAttachPauseMs = 500;
constexpr DWORD kReleasePauseMs = 100;
constexpr DWORD kStopPauseMs = 1000;
constexpr uint32_t kCcxRadioFlags = AC_CCX_MIXED_CELL | AC_CCX_NETWORK_EAP | AC_CCX_ROGUE_AP;

std::vector<std::unique_ptr<_PM_PORT>> g_ports;  // in order of allocation
std::atomic<_PM_PORT*> g_currentPort{nullptr};
std::atomic<HANDLE> g_lock{nullptr};
BYTE g_adapterMac[6] = {};
_PROFILE_DATA* g_pProfile = nullptr;

int EventCallback(int event) { return std::strncmp(acEventString(event), "AC_EVENT_", 9) == 0 ? 0 : 1; }

std::vector<std::unique_ptr<_PM_PORT>>::iterator FindPort(const _PM_PORT* port) {
  for (auto it = g_ports.begin(); it != g_ports.end(); ++it)
    if (it->get() == port) return it;
  return g_ports.end();
}

// Detaches the port from the library and forgets its attributes.
void DetachFromLibrary(_PM_PORT* port) {
  if (port->Handle && acPortDetach(port->Handle) == AC_OK) std::printf("Detached: \"%s\"\n\n", port->Attr.name);
  port->Handle = 0;
  std::memset(&port->Attr, 0, sizeof port->Attr);
}

}  // namespace

_PM_PORT* GetCurrentPort() { return g_currentPort.load(); }

void SupplicantSetCurrentProfile(_PROFILE_DATA* profile) { g_pProfile = profile; }

_PROFILE_DATA* SupplicantGetCurrentProfile() { return g_pProfile; }

void SupplicantTrace(LPCSTR text) {
  if (IsTraceOn()) AppendTrace(text);
}

BOOL IsAcFailure(int status) { return status != AC_OK && status != AC_ERR_ALREADY; }

BOOL SupplicantInit() {
  SupplicantTrace("Start to init aegis\n");
  SupplicantClose();
  UiMarshalCreate();
  UiThreadStart();
  AC_INIT init{&EventCallback, &acNetCallback};
  if (acInit(&init) != AC_OK) return FALSE;
  for (int (*step)() : {ac8021xInit, acRsnInit, acEapInitAll, acCcxInit})
    if (IsAcFailure(step())) return FALSE;
  if (!pmInit()) return FALSE;
  SupplicantTrace("End to init aegis\n");
  return TRUE;
}

BOOL SupplicantIsInitialised() { return g_lock.load() != nullptr; }

BOOL SupplicantSelectAdapter() {
  SupplicantTrace("Start to select adapter aegis\n");
  BYTE mac[6] = {};
  DWORD returned = 0;
  BOOL result = QueryOid(OID_802_3_CURRENT_ADDRESS, mac, sizeof mac, &returned) && pmAttachAdapterPort(mac);
  SupplicantTrace(result ? "End to select adapter aegis\nReturn TRUE\n" : "End to select adapter aegis\nReturn FALSE\n");
  return result;
}

void SupplicantRelease() {
  SupplicantTrace("Start to release aegis\n");
  if (GetCurrentPort()) {
    pmStop();
    Sleep(kReleasePauseMs);
    DestroyCredentials();
    pmPortDetach();
    SupplicantClose();
  }
  g_nReassociate = 1;
  SupplicantTrace("End to release aegis\n");
}

void SupplicantClose() {
  // The request thread and the checks first: neither may hold a port while
  // the ports go.
  UiThreadStop();
  StopPostAssociationChecks();
  pmCleanup();
  UiMarshalDestroy();
}

BOOL pmInit() {
  if (g_lock.load()) return TRUE;
  g_ports.clear();
  g_currentPort = nullptr;
  g_lock = CreateEvent(nullptr, FALSE, TRUE, nullptr);
  return g_lock.load() != nullptr;
}

void pmCleanup() {
  // Every port is detached and freed here, references or not: after this
  // nothing refers to a record.
  for (auto& port : g_ports) DetachFromLibrary(port.get());
  g_ports.clear();
  g_currentPort = nullptr;
  if (HANDLE lock = g_lock.exchange(nullptr)) CloseHandle(lock);
}

BOOL pmLock() {
  HANDLE lock = g_lock.load();
  return lock && WaitForSingleObject(lock, INFINITE) == WAIT_OBJECT_0;
}

void pmUnlock() {
  if (HANDLE lock = g_lock.load()) SetEvent(lock);
}

BOOL pmValid(const _PM_PORT* port) { return port && FindPort(port) != g_ports.end(); }

BOOL pmAttachAdapterPort(const BYTE mac[6]) {
  if (!pmLock()) return FALSE;
  std::memcpy(g_adapterMac, mac, sizeof g_adapterMac);
  pmUnlock();
  Sleep(kAttachPauseMs);
  if (!pmLock()) return FALSE;
  BOOL attached = FALSE;
  char name[kPortNameSize] = {};
  while (acGetNextPortSymName(name, sizeof name) == AC_OK) {
    AC_PORT_ATTR attr{};
    const int status = acGetPortAttr(name, &attr);
    if (status == AC_ERR_ALREADY) continue;
    if (status != AC_OK) break;
    if (std::memcmp(attr.mac, g_adapterMac, sizeof g_adapterMac) != 0) continue;
    if (pmPortAttach(name)) {
      g_currentPort = g_ports.front().get();
      attached = TRUE;
    }
  }
  pmUnlock();
  return attached;
}

BOOL pmPortAttach(LPCSTR name) {
  _PM_PORT* port = pmPortAlloc();
  if (!port) return FALSE;
  port->Callbacks = {port, &SupplicantPortStatusCallback, &SupplicantCredentialCallback};
  // The attach itself must succeed (-32 is a failure here); the attributes
  // may be missing.
  const int attached = acPortAttach(&port->Handle, name, &port->Callbacks);
  const int status = attached == AC_OK ? acGetPortAttr(name, &port->Attr) : attached;
  if (attached != AC_OK || IsAcFailure(status)) {
    if (port->Handle) acPortDetach(port->Handle);
    port->Handle = 0;
    pmPortRelease(port);
    return FALSE;
  }
  std::snprintf(port->SymName, sizeof port->SymName, "%s", name);
  SetCcxRadioConfig(port);
  PrintPortAttributes(port);
  return TRUE;
}

BOOL pmPortDetach() {
  if (!pmLock()) return GetCurrentPort() == nullptr;
  _PM_PORT* port = GetCurrentPort();
  if (pmValid(port)) {
    DetachFromLibrary(port);
    g_currentPort = nullptr;
    pmPortRelease(port);
  }
  pmUnlock();
  return GetCurrentPort() == nullptr;
}

int pmStart() {
  SupplicantTrace("Check portp== NULL\n");
  _PM_PORT* port = GetCurrentPort();
  if (!port) return 0;
  SupplicantTrace("Check pmLock()== NULL\n");
  if (!pmLock()) return 0;
  SupplicantTrace("Check pmValid(portp)== NULL\n");
  int status = 1;
  if (pmValid(port) && !port->Started) {
    SupplicantTrace("Start to pmStart()\n");
    status = pmConnect(port);
    SupplicantTrace("End to pmStart()\n");
  }
  pmUnlock();
  return status;
}

int pmConnect(_PM_PORT* port) {
  int status = AC_OK;
  if (port->Config.Psk) {
    status = acCredRsnPsk(port->Handle, port->Config.PskObject);
    if (IsAcFailure(status)) return status;
  }
  if (port->Config.Authenticate) {
    status = acPortAuth(port->Handle);
    if (IsAcFailure(status)) return status;
    status = acPortAssociate(port->Handle, &port->Config.Association);
    if (status != AC_OK) {
      acPortStop(port->Handle);
      return status;
    }
  }
  port->Started = 1;
  return status;
}

BOOL pmStop() {
  _PM_PORT* port = GetCurrentPort();
  if (!port || !pmLock()) return FALSE;
  int status = -1;
  if (pmValid(port)) {
    status = AC_OK;
    port->Started = 0;
    if (port->Handle) {
      if (port->Config.Authenticate) status = acPortDisassociate(port->Handle);
      if (!IsAcFailure(status)) {
        status = AC_OK;
        port->Config.Psk = 0;
        acPortStop(port->Handle);
      }
    }
  }
  pmUnlock();
  Sleep(kStopPauseMs);
  return status == AC_OK;
}

_PM_PORT* pmPortAlloc() {
  auto port = std::unique_ptr<_PM_PORT>(new (std::nothrow) _PM_PORT());
  if (!port) {
    std::printf("WARNING: can't malloc port\n");
    return nullptr;
  }
  g_ports.push_back(std::move(port));
  return g_ports.back().get();
}

void pmPortRelease(_PM_PORT* port) {
  auto it = FindPort(port);
  if (it == g_ports.end()) {
    std::printf("ERROR: port %p is invalid\n", static_cast<const void*>(port));
    return;
  }
  if (--port->RefCount == 0) {
    if (g_currentPort.load() == port) g_currentPort = nullptr;
    g_ports.erase(it);
  } else if (port->RefCount < 0) {
    std::printf("ERROR: port %p refcnt=%d\n", static_cast<const void*>(port), port->RefCount);
  }
}

BOOL pmPortAddRef(_PM_PORT* port) {
  if (!pmLock()) return FALSE;
  const BOOL valid = pmValid(port);
  if (valid) ++port->RefCount;
  pmUnlock();
  return valid;
}

BOOL pmPortDropRef(_PM_PORT* port) {
  if (!pmLock()) return FALSE;
  const BOOL valid = pmValid(port);
  if (valid) pmPortRelease(port);
  pmUnlock();
  return valid;
}

void SetCcxRadioConfig(_PM_PORT* port) {
  port->RadioFlags = 0;
  if (port->Attr.ccxVersion <= 0) return;
  port->RadioFlags = kCcxRadioFlags;
  int status = acCcxRadioCfg(port->Handle, port->RadioFlags);
  if (status == AC_ERR_RADIO_CFG_CHANGED) {
    status = acCcxGetRadioCfg(port->Handle, &port->RadioFlags);
    if (status != AC_OK && status != AC_ERR_RADIO_CFG_CHANGED) return;
  } else if (status == AC_ERR_NOT_CCX || status == AC_ERR_NO_RADIO_CFG) {
    port->RadioFlags = 0;
    return;
  } else if (status != AC_OK) {
    return;
  }
  acCcxRadioCfg(port->Handle, 0);
}

CString FormatPortAttributes(const _PM_PORT* port) {
  const AC_PORT_ATTR& a = port->Attr;
  const uint32_t caps = a.capabilities;
  CString out, line;
  char name[sizeof a.name + 1] = {};
  std::memcpy(name, a.name, sizeof a.name);
  line.Format("      name: %s\n   symName: %s\n       mtu: %d\n     media: ", name, port->SymName, a.mtu);
  out += line;
  if (caps & AC_CAP_8023) {
    out += "802.3\n";
  } else if (caps & (AC_CAP_80211A | AC_CAP_80211B | AC_CAP_80211G | AC_CAP_80211N)) {
    out += "802.11";
    const std::pair<uint32_t, const char*> bands[] = {
        {AC_CAP_80211A, "a"}, {AC_CAP_80211B, "b"}, {AC_CAP_80211G, "g"}, {AC_CAP_80211N, "n"}};
    for (const auto& [bit, text] : bands)
      if (caps & bit) out += text;
    out += "\n";
  } else {
    out += " UNKNOWN\n";
  }
  out += "      encr: ";
  const std::pair<bool, const char*> ciphers[] = {
      {(caps & AC_CAP_ENCR_AES) != 0, "AES,"},  {(caps & AC_CAP_ENCR_TKIP) != 0, "TKIP,"},
      {(caps & AC_CAP_ENCR_WEP) != 0, "WEP,"},  {(a.extra & AC_EXTRA_CMIC) != 0, "CMIC,"},
      {(a.extra & AC_EXTRA_CKIP) != 0, "CKIP,"}, {(caps & AC_CAP_ENCR_NONE) != 0, "NONE,"}};
  bool any = false;
  for (const auto& [set, text] : ciphers)
    if (set) out += text, any = true;
  if (!any) out += "UNKNOWN\n";
  out += "      auth: ";
  const std::pair<bool, const char*> kinds[] = {
      {(caps & AC_CAP_AUTH_OPEN) != 0, "OPEN,"},          {(caps & AC_CAP_AUTH_SHARED) != 0, "SHARED,"},
      {(caps & AC_CAP_AUTH_WPA_1X) != 0, "WPA-1X,"},      {(caps & AC_CAP_AUTH_WPA_PSK) != 0, "WPA-PSK,"},
      {(a.extra & AC_EXTRA_WPA_CCKM) != 0, "WPA-CCKM,"}, {(caps & AC_CAP_AUTH_11I_1X) != 0, "11i-1X,"},
      {(caps & AC_CAP_AUTH_11I_PSK) != 0, "11i-PSK,"},    {(a.extra & AC_EXTRA_11I_CCKM) != 0, "11i-CCKM,"}};
  any = false;
  for (const auto& [set, text] : kinds)
    if (set) out += text, any = true;
  if (!any) out += "NONE\n";
  line.Format("   macAddr: %02x%02x%02x-%02x%02x%02x\n", a.mac[0], a.mac[1], a.mac[2], a.mac[3], a.mac[4], a.mac[5]);
  out += line;
  if (a.ccxVersion > 0) {
    line.Format("       ccx: v%d", a.ccxVersion);
    out += line;
    if (port->RadioFlags) {
      out += " RADIOCFG(";
      const std::pair<uint32_t, const char*> flags[] = {{AC_CCX_MIXED_CELL, "MIXED_CELL,"},
                                                        {AC_CCX_NETWORK_EAP, "NETWORK_EAP,"},
                                                        {AC_CCX_ROGUE_AP, "ROGUE_AP,"},
                                                        {AC_CCX_FAST_ROAM, "FAST_ROAM,"},
                                                        {AC_CCX_RADIO_MEAS, "RADIO_MEAS,"}};
      for (const auto& [bit, text] : flags)
        if (port->RadioFlags & bit) out += text;
    }
  }
  return out;
}

void PrintPortAttributes(const _PM_PORT* port) { std::fputs(FormatPortAttributes(port), stdout); }
