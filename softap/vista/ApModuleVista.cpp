// The AP module's parts only WavorelVista has: its own Native Wi-Fi client,
// the registry-service client and the DHCP server of connection sharing.
#include "softap/ApModule.h"

#include "softap/ApDriver.h"
#include "softap/ApSettings.h"
#include "utilmere/Utilmere.h"

#include "worker/NativeWiFi.h"
#include "worker/vista/RegistryRpcClient.h"

std::unique_ptr<CRegistryRpcClient> g_pApRegistryClient;

namespace {

constexpr WORD kIcsDhcpEnableOrdinal = 5;
constexpr WORD kIcsDhcpDisableOrdinal = 7;
constexpr DWORD kIcsDhcpBufferSize = 32;

using IcsDhcpEnableProc = DWORD (*)(LPVOID, DWORD);
using IcsDhcpDisableProc = DWORD (*)();

// ICSDHCP.dll as the program's import table binds it: loaded once, for the
// life of the process, its exports taken by ordinal.
FARPROC icsDhcpImport(WORD ordinal) {
  static const HMODULE module = LoadLibrary("ICSDHCP.dll");
  return module ? GetProcAddress(module, MAKEINTRESOURCE(ordinal)) : nullptr;
}

}  // namespace

CNativeWiFi& GetApNativeWiFi() {
  static CNativeWiFi client(WlanNotifyTarget::SoftAp);
  return client;
}

void EnableIcsDhcpServer() {
  if (auto enable = reinterpret_cast<IcsDhcpEnableProc>(icsDhcpImport(kIcsDhcpEnableOrdinal))) {
    BYTE buffer[kIcsDhcpBufferSize] = {};
    enable(buffer, 0);
  }
}

void DisableIcsDhcpServer() {
  if (auto disable = reinterpret_cast<IcsDhcpDisableProc>(icsDhcpImport(kIcsDhcpDisableOrdinal))) disable();
}

void StartApModuleServices() {
  if (!g_pApRegistryClient) g_pApRegistryClient = std::make_unique<CRegistryRpcClient>();
}

void CloseApModuleServices() { g_pApRegistryClient.reset(); }

void BindApAdapter(LPCSTR friendlyName, HWND worker) { GetApNativeWiFi().Init(friendlyName, worker, kApNativeWiFiFlag); }

CString DefaultApSsid() {
  BYTE mac[6] = {};
  DWORD returned = 0;
  QueryDriverOid_AP(OID_802_3_CURRENT_ADDRESS, mac, sizeof mac, &returned);
  return FormatString("SoftAP-%02X", mac[5]);
}

void AttachApWorkerWindow(HWND worker) { RecordWlanWorkerWindow(worker, WlanNotifyTarget::SoftAp); }

void ApTrace(LPCSTR) {}
