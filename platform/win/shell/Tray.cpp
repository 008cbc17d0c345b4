#include "platform/win/shell/Tray.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/win/kernel/CodePage.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Process.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/kernel/Thread.h"
#include "platform/win/user/User.h"

namespace wavorel {

namespace {

constexpr UINT kMinBalloonMs = 10000, kMaxBalloonMs = 30000;

struct Tray {
  std::mutex mutex;
  std::vector<TrayIcon> icons;
};

Tray& tray() {
  static Tray t;
  static const bool reset = (registerStateReset([] {
                               std::lock_guard<std::mutex> lock(t.mutex);
                               t.icons.clear();
                             }),
                             true);
  (void)reset;
  return t;
}

// The text of a fixed field of `size` bytes: up to its terminator, cut to
// size - 1 bytes when there is none, never after a lead byte.
std::string fieldText(const CHAR* field, size_t size) {
  size_t length = strnlen(field, size);
  if (length < size) return std::string(field, length);
  size_t end = 0;
  for (size_t i = 0; i < size - 1;) {
    size_t step = IsDBCSLeadByte(static_cast<BYTE>(field[i])) ? 2 : 1;
    if (i + step > size - 1) break;
    i += step;
    end = i;
  }
  return std::string(field, end);
}

std::vector<TrayIcon>::iterator findIcon(std::vector<TrayIcon>& icons, HWND hwnd, UINT id) {
  return std::find_if(icons.begin(), icons.end(), [&](const TrayIcon& i) { return i.hwnd == hwnd && i.id == id; });
}

// Applies the fields that uFlags names, as far as the record's version has them.
void apply(TrayIcon& icon, const NOTIFYICONDATA& data) {
  bool full = data.cbSize >= NOTIFYICONDATA_V2_SIZE;
  if (data.uFlags & NIF_MESSAGE) icon.callbackMessage = data.uCallbackMessage;
  if (data.uFlags & NIF_ICON) icon.icon = data.hIcon;
  if (data.uFlags & NIF_TIP) icon.tip = fieldText(data.szTip, full ? sizeof(data.szTip) : 64);
  if (!full) return;
  if ((data.uFlags & NIF_STATE) && (data.dwStateMask & NIS_HIDDEN)) icon.visible = !(data.dwState & NIS_HIDDEN);
  if (data.uFlags & NIF_INFO) {
    icon.balloonText = fieldText(data.szInfo, sizeof(data.szInfo));
    icon.balloonTitle = icon.balloonText.empty() ? std::string() : fieldText(data.szInfoTitle, sizeof(data.szInfoTitle));
    icon.balloonFlags = icon.balloonText.empty() ? 0 : data.dwInfoFlags;
    icon.balloonTimeout = icon.balloonText.empty() ? 0 : std::clamp(data.uTimeout, kMinBalloonMs, kMaxBalloonMs);
  }
}

}  // namespace

std::vector<TrayIcon> trayIcons() {
  std::lock_guard<std::mutex> lock(tray().mutex);
  return tray().icons;
}

bool trayNotify(HWND hwnd, UINT id, UINT event) {
  UINT message = 0;
  {
    std::lock_guard<std::mutex> lock(tray().mutex);
    auto it = findIcon(tray().icons, hwnd, id);
    if (it == tray().icons.end() || it->callbackMessage == 0) return false;
    message = it->callbackMessage;
    if (event == NIN_BALLOONUSERCLICK || event == NIN_BALLOONTIMEOUT) {
      it->balloonTitle.clear();
      it->balloonText.clear();
      it->balloonFlags = 0;
      it->balloonTimeout = 0;
    }
  }
  return PostMessage(hwnd, message, id, static_cast<LPARAM>(event)) != FALSE;
}

void restartTaskbar() {
  {
    std::lock_guard<std::mutex> lock(tray().mutex);
    tray().icons.clear();
  }
  deliverToTopLevelWindows(RegisterWindowMessage("TaskbarCreated"), 0, 0);
}

}  // namespace wavorel

BOOL Shell_NotifyIcon(DWORD message, PNOTIFYICONDATA data) {
  if (!data || data->cbSize < NOTIFYICONDATA_V1_SIZE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto& t = wavorel::tray();
  std::lock_guard<std::mutex> lock(t.mutex);
  auto it = wavorel::findIcon(t.icons, data->hWnd, data->uID);
  switch (message) {
    case NIM_ADD: {
      if (it != t.icons.end() || !IsWindow(data->hWnd)) break;
      wavorel::TrayIcon icon;
      icon.hwnd = data->hWnd;
      icon.id = data->uID;
      wavorel::apply(icon, *data);
      t.icons.push_back(std::move(icon));
      return TRUE;
    }
    case NIM_MODIFY:
      if (it == t.icons.end()) break;
      wavorel::apply(*it, *data);
      return TRUE;
    case NIM_DELETE:
      if (it == t.icons.end()) break;
      t.icons.erase(it);
      return TRUE;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
  }
  return FALSE;
}
