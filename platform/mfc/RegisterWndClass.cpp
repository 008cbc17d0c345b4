#include "platform/mfc/RegisterWndClass.h"

#include <cstdio>

#include "platform/win/kernel/Module.h"
#include "platform/win/user/User.h"

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  thread_local char name[96];
  std::snprintf(name, sizeof name, "Afx:%p:%x:%p:%p:%p", static_cast<void*>(GetModuleHandle(nullptr)), nClassStyle,
                static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
  WNDCLASS wc{};
  if (GetClassInfo(nullptr, name, &wc)) return name;
  wc.style = nClassStyle;
  wc.lpfnWndProc = DefWindowProc;
  wc.hCursor = hCursor;
  wc.hbrBackground = hbrBackground;
  wc.hIcon = hIcon;
  wc.lpszClassName = name;
  return RegisterClass(&wc) ? name : nullptr;
}
