#include "platform/win/user/MouseTracking.h"

#include <cstdint>
#include <cstdlib>
#include <mutex>

#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/user/Input.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/user/WindowManager.h"

namespace {

// The private timer of the tracked window that checks for a hover.
const UINT_PTR kHoverTimer = 0x7FFFA2A1;
const DWORD kKnownFlags = TME_HOVER | TME_LEAVE | TME_QUERY | TME_CANCEL;

struct Tracking {
  HWND hwnd = nullptr;
  DWORD flags = 0;  // TME_HOVER | TME_LEAVE
  DWORD hoverMs = 0;
  uint64_t restSince = 0;  // the cursor came to rest at restAt then
  POINT restAt{0, 0};
};

std::mutex g_mutex;
Tracking g_track;
WPARAM g_keys = 0;  // the key flags of the last mouse input

const bool g_reset = (wavorel::registerStateReset([] {
                        std::lock_guard<std::mutex> lock(g_mutex);
                        g_track = Tracking{};
                        g_keys = 0;
                      }),
                      true);

UINT hoverSetting(UINT action) {
  UINT value = 0;
  SystemParametersInfo(action, 0, &value, 0);
  return value;
}

// The cursor at `screen` is over `hwnd`'s own client area (not over a child).
bool overClient(HWND hwnd, POINT screen) {
  if (WindowFromPoint(screen) != hwnd) return false;
  RECT client;
  POINT p = screen;
  if (!GetClientRect(hwnd, &client) || !ScreenToClient(hwnd, &p)) return false;
  return p.x >= client.left && p.x < client.right && p.y >= client.top && p.y < client.bottom;
}

void CALLBACK hoverCheck(HWND hwnd, UINT, UINT_PTR id, DWORD) {
  std::unique_lock<std::mutex> lock(g_mutex);
  if (g_track.hwnd != hwnd || !(g_track.flags & TME_HOVER)) {
    lock.unlock();
    KillTimer(hwnd, id);
    return;
  }
  uint64_t now = wavorel::clock().tickMs();
  uint64_t due = g_track.restSince + g_track.hoverMs;
  if (now < due) {
    lock.unlock();
    SetTimer(hwnd, id, static_cast<UINT>(due - now), hoverCheck);
    return;
  }
  g_track.flags &= ~static_cast<DWORD>(TME_HOVER);
  if (g_track.flags == 0) g_track = Tracking{};
  WPARAM keys = g_keys;
  lock.unlock();
  KillTimer(hwnd, id);
  POINT at;
  GetCursorPos(&at);
  ScreenToClient(hwnd, &at);
  PostMessage(hwnd, WM_MOUSEHOVER, keys, MAKELPARAM(at.x, at.y));
}

}  // namespace

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track) {
  if (track == nullptr || track->cbSize != sizeof(TRACKMOUSEEVENT) || (track->dwFlags & ~kKnownFlags)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (track->dwFlags & TME_QUERY) {
    std::lock_guard<std::mutex> lock(g_mutex);
    track->dwFlags = g_track.flags;
    track->hwndTrack = g_track.hwnd;
    track->dwHoverTime = g_track.hoverMs;
    return TRUE;
  }
  HWND hwnd = track->hwndTrack;
  if (!wavorel::ownWindowOrFail(hwnd)) return FALSE;
  const DWORD kinds = track->dwFlags & (TME_HOVER | TME_LEAVE);
  if (track->dwFlags & TME_CANCEL) {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_track.hwnd == hwnd) {
      g_track.flags &= ~kinds;
      if (g_track.flags == 0) g_track = Tracking{};
    }
    return TRUE;
  }
  POINT cursor;
  GetCursorPos(&cursor);
  if (!overClient(hwnd, cursor)) {
    if (kinds & TME_LEAVE) PostMessage(hwnd, WM_MOUSELEAVE, 0, 0);
    return TRUE;
  }
  DWORD hoverMs = track->dwHoverTime == HOVER_DEFAULT ? hoverSetting(SPI_GETMOUSEHOVERTIME) : track->dwHoverTime;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_track.hwnd != hwnd) g_track = Tracking{hwnd};
    g_track.flags |= kinds;
    if (kinds & TME_HOVER) {
      g_track.hoverMs = hoverMs;
      g_track.restSince = wavorel::clock().tickMs();
      g_track.restAt = cursor;
    }
  }
  if (kinds & TME_HOVER) SetTimer(hwnd, kHoverTimer, hoverMs, hoverCheck);
  return TRUE;
}

namespace wavorel {

void mouseAt(POINT screen, WPARAM keys) {
  setCursorPos(screen);
  HWND tracked;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_keys = keys;
    tracked = g_track.hwnd;
  }
  if (tracked == nullptr) return;
  const bool over = overClient(tracked, screen);
  const LONG halfWidth = static_cast<LONG>(hoverSetting(SPI_GETMOUSEHOVERWIDTH) / 2);
  const LONG halfHeight = static_cast<LONG>(hoverSetting(SPI_GETMOUSEHOVERHEIGHT) / 2);
  bool leave = false;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_track.hwnd != tracked) return;
    if (!over) {
      leave = (g_track.flags & TME_LEAVE) != 0;
      g_track = Tracking{};
    } else if (std::abs(screen.x - g_track.restAt.x) > halfWidth ||
               std::abs(screen.y - g_track.restAt.y) > halfHeight) {
      g_track.restAt = screen;
      g_track.restSince = clock().tickMs();
    }
  }
  if (leave) PostMessage(tracked, WM_MOUSELEAVE, 0, 0);
}

HWND mouseMoveTo(POINT screen, WPARAM keys) {
  mouseAt(screen, keys);
  const HWND capture = GetCapture();
  const HWND target = capture ? capture : WindowFromPoint(screen);
  if (target == nullptr || !WindowManager::instance().find(target)) return nullptr;
  if (!capture) SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  auto w = WindowManager::instance().find(target);
  if (!w || !w->queue) return nullptr;
  POINT client = screen;
  ScreenToClient(target, &client);
  w->queue->post(MSG{target, WM_MOUSEMOVE, keys, MAKELPARAM(client.x, client.y),
                     static_cast<DWORD>(clock().tickMs()), screen},
                 true);
  return target;
}

WPARAM mouseKeys() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_keys;
}

HWND mouseMoveTo(HWND hwnd, POINT client, WPARAM keys) {
  POINT screen = client;
  if (!ClientToScreen(hwnd, &screen)) return nullptr;
  return mouseMoveTo(screen, keys);
}

}  // namespace wavorel
