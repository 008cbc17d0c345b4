// The AP module in Wavorel: plain registry access (there is no registry
// service to fall back on), the default SSID of the company's name,
// "bCheckBuild" and the AP pages' trace file it switches on, and no Native Wi-Fi client or registry-service client to
// start, bind or close.
#include <cstdlib>

#include "softap/ApModule.h"
#include "softap/ApSettings.h"
#include "utilmere/Utilmere.h"
#include "worker/TraceFile.h"

LONG RegOpenKeyEx_AP(HKEY root, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) {
  return RegOpenKeyEx(root, subKey, options, access, result);
}

LONG RegSetValueEx_AP(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size, LPCSTR) {
  return RegSetValueEx(key, name, reserved, type, data, size);
}

void StartApModuleServices() {}

void CloseApModuleServices() {}

void BindApAdapter(LPCSTR, HWND) {}

void AttachApWorkerWindow(HWND) {}

CString DefaultApSsid() { return FormatString("%s-SoftAP", static_cast<LPCSTR>(GetMLText("CompanyName"))); }

void ReadApCheckBuild() {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  CString text;
  if (ReadApText(key, "bCheckBuild", text)) {
    g_bApCheckBuild = std::atoi(text);
  } else {
    WriteApText(key, "bCheckBuild", "0", g_strApDriverKey);
    g_bApCheckBuild = 0;
  }
  RegCloseKey(key);
}

void ApTrace(LPCSTR text) {
  if (g_bApCheckBuild == 1) AppendTraceTo("C:\\test_Vendrel.txt", FormatString("%s\n", text));
}
