// A short headless run over the platform stand-in, written the way the
// system's code is: the machine's root, its clock, the registry and an INI file
// that persist between runs, and a hidden window whose timer drives a message
// box answered by the headless default.
#include <cstdio>

#include "platform/Platform.h"

namespace {

constexpr UINT_PTR kTickTimer = 1;
int g_ticks = 0;

LRESULT CALLBACK DemoProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && wParam == kTickTimer) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    printf("  timer tick %d at %02u:%02u:%02u.%03u\n", ++g_ticks, now.wHour, now.wMinute, now.wSecond,
           now.wMilliseconds);
    if (g_ticks == 3) {
      KillTimer(hwnd, kTickTimer);
      int answer = MessageBox(hwnd, "Three ticks have passed. Stop now?", "Platform demo", MB_YESNO | MB_ICONQUESTION);
      printf("  the message box was answered with %s\n", answer == IDYES ? "IDYES" : "IDNO");
      DestroyWindow(hwnd);
    }
    return 0;
  }
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

DWORD CountRun() {
  HKEY key = nullptr;
  if (RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Wavorel platform demo", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                     nullptr) != ERROR_SUCCESS) {
    return 0;
  }
  DWORD runs = 0, type = 0, size = sizeof runs;
  if (RegQueryValueEx(key, "Runs", nullptr, &type, reinterpret_cast<BYTE*>(&runs), &size) != ERROR_SUCCESS ||
      type != REG_DWORD) {
    runs = 0;
  }
  ++runs;
  RegSetValueEx(key, "Runs", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&runs), sizeof runs);
  RegCloseKey(key);
  return runs;
}

}  // namespace

int main() {
  char module[MAX_PATH] = {};
  GetModuleFileName(nullptr, module, MAX_PATH);
  printf("Wavorel platform demo\n");
  printf("  this program is %s\n", module);
  printf("  run number %lu on this machine (HKEY_CURRENT_USER\\Software\\Wavorel platform demo)\n",
         static_cast<unsigned long>(CountRun()));

  CreateDirectory("C:\\Demo", nullptr);
  char last[64] = {};
  GetPrivateProfileString("Demo", "LastRun", "never", last, sizeof last, "C:\\Demo\\demo.ini");
  SYSTEMTIME now;
  GetLocalTime(&now);
  char stamp[64];
  _snprintf(stamp, sizeof stamp - 1, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
            now.wMinute, now.wSecond);
  stamp[sizeof stamp - 1] = '\0';
  WritePrivateProfileString("Demo", "LastRun", stamp, "C:\\Demo\\demo.ini");
  printf("  previous run: %s; this run: %s (C:\\Demo\\demo.ini)\n", last, stamp);

  WNDCLASS wc = {};
  wc.lpfnWndProc = DemoProc;
  wc.lpszClassName = "WavorelPlatformDemo";
  RegisterClass(&wc);
  HWND hwnd = CreateWindowEx(0, "WavorelPlatformDemo", "Platform demo", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                             CW_USEDEFAULT, 320, 200, nullptr, nullptr, nullptr, nullptr);
  if (hwnd == nullptr) {
    printf("  cannot create the demo window (error %lu)\n", static_cast<unsigned long>(GetLastError()));
    return 1;
  }
  SetTimer(hwnd, kTickTimer, 500, nullptr);
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  printf("  done\n");
  return 0;
}
