#include "platform/win/user/DialogState.h"

#include <mutex>
#include <unordered_map>

#include "platform/win/kernel/Root.h"
#include "platform/win/user/WindowConstants.h"

namespace wavorel {

namespace {

std::mutex g_mutex;
std::unordered_map<HWND, std::shared_ptr<DialogState>>& states() {
  static std::unordered_map<HWND, std::shared_ptr<DialogState>> map;
  return map;
}

const bool g_reset = (registerStateReset([] {
                        std::lock_guard<std::mutex> lock(g_mutex);
                        states().clear();
                      }),
                      true);

}  // namespace

std::shared_ptr<DialogState> dialogState(HWND hwnd) {
  std::lock_guard<std::mutex> lock(g_mutex);
  auto it = states().find(hwnd);
  return it == states().end() ? nullptr : it->second;
}

std::shared_ptr<DialogState> addDialogState(HWND hwnd) {
  (void)g_reset;
  std::lock_guard<std::mutex> lock(g_mutex);
  auto& slot = states()[hwnd];
  if (!slot) slot = std::make_shared<DialogState>();
  return slot;
}

void removeDialogState(HWND hwnd) {
  std::lock_guard<std::mutex> lock(g_mutex);
  states().erase(hwnd);
}

UINT dialogCode(HWND control, const MSG* msg) {
  if (control == nullptr || !IsWindow(control)) return 0;
  return static_cast<UINT>(
      SendMessage(control, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg)));
}

}  // namespace wavorel
