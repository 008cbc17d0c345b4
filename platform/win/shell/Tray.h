// The taskbar notification area (tray): Shell_NotifyIcon and the model of the
// icons it holds, which tests and the presenter read.
//
// An icon is known by its owner window and id. NIM_ADD of an icon that exists
// and NIM_MODIFY or NIM_DELETE of one that does not fail. The record's size
// chooses its version: below NOTIFYICONDATA_V2_SIZE the tip holds 64
// characters and there is no state or balloon; from it on the tip holds 128,
// the balloon text 256 and its title 64 (each with its terminating zero).
// Texts that fill their field without a terminator are cut to fit, never on
// the first byte of a double-byte character.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/win/kernel/Types.h"
#include "platform/win/user/WindowConstants.h"

#define NIM_ADD 0x00000000
#define NIM_MODIFY 0x00000001
#define NIM_DELETE 0x00000002

#define NIF_MESSAGE 0x00000001
#define NIF_ICON 0x00000002
#define NIF_TIP 0x00000004
#define NIF_STATE 0x00000008
#define NIF_INFO 0x00000010

#define NIS_HIDDEN 0x00000001
#define NIS_SHAREDICON 0x00000002

// Balloon icons (dwInfoFlags).
#define NIIF_NONE 0x00000000
#define NIIF_INFO 0x00000001
#define NIIF_WARNING 0x00000002
#define NIIF_ERROR 0x00000003
#define NIIF_USER 0x00000004
#define NIIF_ICON_MASK 0x0000000F
#define NIIF_NOSOUND 0x00000010

// Balloon events that arrive as the callback message's lParam.
#define NIN_BALLOONSHOW (WM_USER + 2)
#define NIN_BALLOONHIDE (WM_USER + 3)
#define NIN_BALLOONTIMEOUT (WM_USER + 4)
#define NIN_BALLOONUSERCLICK (WM_USER + 5)

struct NOTIFYICONDATA {
  DWORD cbSize;
  HWND hWnd;
  UINT uID;
  UINT uFlags;
  UINT uCallbackMessage;
  HICON hIcon;
  CHAR szTip[128];
  DWORD dwState;
  DWORD dwStateMask;
  CHAR szInfo[256];
  union {
    UINT uTimeout;
    UINT uVersion;
  };
  CHAR szInfoTitle[64];
  DWORD dwInfoFlags;
  GUID guidItem;
  HICON hBalloonIcon;
};
typedef NOTIFYICONDATA* PNOTIFYICONDATA;

#define NOTIFYICONDATA_V1_SIZE (offsetof(NOTIFYICONDATA, szTip) + 64)
#define NOTIFYICONDATA_V2_SIZE offsetof(NOTIFYICONDATA, guidItem)
#define NOTIFYICONDATA_V3_SIZE offsetof(NOTIFYICONDATA, hBalloonIcon)

BOOL Shell_NotifyIcon(DWORD message, PNOTIFYICONDATA data);

namespace wavorel {

// One icon of the notification area.
struct TrayIcon {
  HWND hwnd = nullptr;
  UINT id = 0;
  HICON icon = nullptr;
  std::string tip;
  UINT callbackMessage = 0;  // 0: the owner asked for no callback
  bool visible = true;       // NIS_HIDDEN clear
  // The balloon shown now (empty text: none), its icon flags (NIIF_*) and
  // its time-out in milliseconds, kept between 10 and 30 seconds.
  std::string balloonTitle;
  std::string balloonText;
  DWORD balloonFlags = 0;
  UINT balloonTimeout = 0;
};

// The icons in the order they were added.
std::vector<TrayIcon> trayIcons();

// The user acting on an icon: posts its callback message to the owner with
// wParam = the icon id and lParam = `event` (WM_LBUTTONDOWN, WM_RBUTTONUP,
// WM_LBUTTONDBLCLK, NIN_BALLOONUSERCLICK, ...). A click on the balloon or its
// time-out closes the balloon. False when there is no such icon or it has no
// callback message.
bool trayNotify(HWND hwnd, UINT id, UINT event);

// The taskbar starts again: the notification area is empty and every
// top-level window of the process gets the registered "TaskbarCreated"
// message (sent to those of the calling thread, posted to the others).
void restartTaskbar();

}  // namespace wavorel
