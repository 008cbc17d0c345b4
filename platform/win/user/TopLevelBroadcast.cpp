// Messages the system gives every program's top-level windows.
#include <vector>

#include "platform/win/kernel/Process.h"
#include "platform/win/kernel/Thread.h"
#include "platform/win/user/User.h"
#include "platform/win/user/WindowConstants.h"

namespace wavorel {

void deliverToTopLevelWindows(UINT message, WPARAM wParam, LPARAM lParam) {
  std::vector<HWND> windows;
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        DWORD process = 0;
        GetWindowThreadProcessId(hwnd, &process);
        if (process == GetCurrentProcessId()) reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  for (HWND hwnd : windows) {
    if (!IsWindow(hwnd)) continue;
    if (GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId())
      SendMessage(hwnd, message, wParam, lParam);
    else
      PostMessage(hwnd, message, wParam, lParam);
  }
}

void broadcastPowerEvent(WPARAM event) { deliverToTopLevelWindows(WM_POWERBROADCAST, event, 0); }

}  // namespace wavorel
