// The window system: window classes and windows, messages and the message
// loop, timers, hooks, painting state, geometry and the fixed desktop profile.
//
// Threads: a window belongs to the thread that created it (its UI thread) and
// only that thread may create, destroy, move, show or subclass it. Any thread
// may post to it. SendMessage from another thread is marshalled: the message
// waits in the window thread's queue, the sender blocks until that thread next
// pumps (GetMessage, PeekMessage, WaitMessage, a modal loop) and runs it.
//
// A window procedure, timer callback or hook that throws is caught where the
// system called it: the exception is logged as a fault (PlatformLog.h), the
// call returns 0 and the loop goes on.
#pragma once

#include <string>

#include "platform/win/kernel/Types.h"
#include "platform/win/user/WindowConstants.h"

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef void(CALLBACK* TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);
typedef LRESULT(CALLBACK* HOOKPROC)(int, WPARAM, LPARAM);
typedef BOOL(CALLBACK* WNDENUMPROC)(HWND, LPARAM);
typedef BOOL(CALLBACK* PROPENUMPROC)(HWND, LPCSTR, HANDLE);

#define MAKEINTATOM(i) (reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))

struct WNDCLASS {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
};
typedef WNDCLASS* LPWNDCLASS;

struct WNDCLASSEX {
  UINT cbSize;
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
  HICON hIconSm;
};
typedef WNDCLASSEX* LPWNDCLASSEX;

struct CREATESTRUCT {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCSTR lpszName;
  LPCSTR lpszClass;
  DWORD dwExStyle;
};
typedef CREATESTRUCT* LPCREATESTRUCT;

// What a WH_CBT hook gets with HCBT_CREATEWND: the window exists (wParam is
// its handle) but has had no message yet. A nonzero hook result refuses it.
struct CBT_CREATEWND {
  LPCREATESTRUCT lpcs;
  HWND hwndInsertAfter;
};
typedef CBT_CREATEWND* LPCBT_CREATEWND;

struct WINDOWPOS {
  HWND hwnd;
  HWND hwndInsertAfter;
  int x;
  int y;
  int cx;
  int cy;
  UINT flags;
};
typedef WINDOWPOS* LPWINDOWPOS;
typedef WINDOWPOS* PWINDOWPOS;

struct STYLESTRUCT {
  DWORD styleOld;
  DWORD styleNew;
};
typedef STYLESTRUCT* LPSTYLESTRUCT;

// WM_COPYDATA's block (lParam); the block is copied to the receiving process.
struct COPYDATASTRUCT {
  ULONG_PTR dwData;
  DWORD cbData;
  PVOID lpData;
};
typedef COPYDATASTRUCT* PCOPYDATASTRUCT;

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};
typedef MSG* LPMSG;
typedef MSG* PMSG;

// Window classes.
ATOM RegisterClass(const WNDCLASS* wc);
ATOM RegisterClassEx(const WNDCLASSEX* wc);
BOOL UnregisterClass(LPCSTR className, HINSTANCE instance);
BOOL GetClassInfo(HINSTANCE instance, LPCSTR className, LPWNDCLASS wc);
BOOL GetClassInfoEx(HINSTANCE instance, LPCSTR className, LPWNDCLASSEX wc);
int GetClassName(HWND hwnd, LPSTR name, int maxCount);
ULONG_PTR GetClassLongPtr(HWND hwnd, int index);
ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value);
DWORD GetClassLong(HWND hwnd, int index);
DWORD SetClassLong(HWND hwnd, int index, LONG value);

// Windows and the window tree.
HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
HWND CreateWindow(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height,
                  HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
HWND GetDesktopWindow();
HWND GetParent(HWND hwnd);
HWND SetParent(HWND child, HWND newParent);
HWND GetWindow(HWND hwnd, UINT cmd);
HWND GetTopWindow(HWND hwnd);
HWND GetAncestor(HWND hwnd, UINT flags);
BOOL IsChild(HWND parent, HWND hwnd);
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hwnd);
BOOL EnumWindows(WNDENUMPROC proc, LPARAM param);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param);
HWND FindWindow(LPCSTR className, LPCSTR windowName);
HWND FindWindowEx(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName);
DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD processId);

// Properties (names compare without regard to case).
BOOL SetProp(HWND hwnd, LPCSTR name, HANDLE data);
HANDLE GetProp(HWND hwnd, LPCSTR name);
HANDLE RemoveProp(HWND hwnd, LPCSTR name);
int EnumProps(HWND hwnd, PROPENUMPROC proc);

// Window longs, text.
LONG GetWindowLong(HWND hwnd, int index);
LONG SetWindowLong(HWND hwnd, int index, LONG value);
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL SetWindowText(HWND hwnd, LPCSTR text);
int GetWindowText(HWND hwnd, LPSTR text, int maxCount);
int GetWindowTextLength(HWND hwnd);

// State: visibility, enabling, focus, capture, activation.
BOOL ShowWindow(HWND hwnd, int cmd);
BOOL IsWindowVisible(HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
BOOL BringWindowToTop(HWND hwnd);

// Geometry.
BOOL GetWindowRect(HWND hwnd, LPRECT rect);
BOOL GetClientRect(HWND hwnd, LPRECT rect);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL ScreenToClient(HWND hwnd, LPPOINT pt);
BOOL ClientToScreen(HWND hwnd, LPPOINT pt);
int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);
HWND WindowFromPoint(POINT pt);
HWND ChildWindowFromPoint(HWND parent, POINT pt);
int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw);
int GetWindowRgn(HWND hwnd, HRGN region);

// Painting state (BeginPaint/EndPaint come with the drawing layer).
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase);
BOOL UpdateWindow(HWND hwnd);
BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags);
// Stops the window and its children from painting until LockWindowUpdate(NULL),
// which repaints it whole. One window of the process at a time: FALSE while
// another is locked, or for a handle that is not a window.
BOOL LockWindowUpdate(HWND hWndLock);

// Messages.
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
BOOL GetMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
BOOL WaitMessage();
UINT RegisterWindowMessage(LPCSTR name);

// Timers.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// Hooks (thread hooks of the calling thread; WH_KEYBOARD, and WH_CBT for
// HCBT_CREATEWND only).
HHOOK SetWindowsHookEx(int kind, HOOKPROC proc, HINSTANCE module, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

// The desktop profile.
int GetSystemMetrics(int index);
DWORD GetSysColor(int index);
BOOL SystemParametersInfo(UINT action, UINT param, PVOID data, UINT winIni);

// Message boxes (see ModalLoop.h for the responder of tests and headless runs).
int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

namespace wavorel {

// The screen's size in pixels (the X display's while one is open); 0 or less
// gives back the fixed 1280 x 1024 screen.
void setScreenSize(int width, int height);
// Called whenever the screen's size is asked, before the answer: the
// presenter connects its display there, so that the size is the display's.
void setScreenProbe(void (*probe)());

// The private per-window slot of the class library's handle-to-object map.
void setWindowObject(HWND hwnd, void* object);
void* windowObject(HWND hwnd);

// The validating half of BeginPaint: empties the window's update region and
// reports what it was (client coordinates) and whether it asked for erasing.
// FALSE when the window had nothing to paint.
BOOL takeUpdateRegion(HWND hwnd, RECT* bounds, BOOL* erase);

// A message the system gives every program: each top-level window of this
// process gets it, sent to those of the calling thread and posted to the
// others (the task bar's re-creation, power events).
void deliverToTopLevelWindows(UINT message, WPARAM wParam, LPARAM lParam);
// The machine's power state changes (PBT_APMSUSPEND, PBT_APMRESUMESUSPEND):
// WM_POWERBROADCAST with the event to every top-level window of the process.
void broadcastPowerEvent(WPARAM event);

}  // namespace wavorel
