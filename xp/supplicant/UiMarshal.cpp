#include "xp/supplicant/UiMarshal.h"

#include <atomic>

#include "xp/supplicant/AuthStatus.h"
#include "xp/supplicant/SupplicantHost.h"
#include "xp/supplicant/UiRequestThread.h"

namespace {

constexpr char kClassName[] = "WavorelSupplicantUi";
std::atomic<HWND> g_hWindow{nullptr};

LRESULT CALLBACK SupplicantUiProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SUPPLICANT_STATUS_SLOT: ForwardAuthStatusSlot(static_cast<int>(wParam)); return 0;
    case WM_SUPPLICANT_FAILURE: RunFailureSteps(static_cast<int>(wParam)); return 0;
    case WM_SUPPLICANT_PROMPT: ShowPasswordPrompt(); return 0;
    case WM_SUPPLICANT_MEDIA_CONNECT:
      if (CSupplicantHost* host = GetSupplicantHost()) host->PostMediaConnect();
      return 0;
    default: return DefWindowProc(hwnd, message, wParam, lParam);
  }
}

}  // namespace

void UiMarshalCreate() {
  if (g_hWindow.load()) return;
  WNDCLASS wc{};
  if (!GetClassInfo(nullptr, kClassName, &wc)) {
    wc.lpfnWndProc = &SupplicantUiProc;
    wc.lpszClassName = kClassName;
    RegisterClass(&wc);
  }
  g_hWindow = CreateWindowEx(0, kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
}

void UiMarshalDestroy() {
  if (HWND hwnd = g_hWindow.exchange(nullptr)) DestroyWindow(hwnd);
}

BOOL UiMarshalPost(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = g_hWindow.load();
  return hwnd && PostMessage(hwnd, message, wParam, lParam);
}
