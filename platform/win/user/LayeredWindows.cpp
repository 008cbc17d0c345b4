#include "platform/win/user/LayeredWindows.h"

#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Module.h"
#include "platform/win/user/Window.h"
#include "platform/win/user/WindowManager.h"

namespace {

const bool g_user32 = (wavorel::registerSystemModule(
                           "user32.dll",
                           {{"SetLayeredWindowAttributes", 0, wavorel::exportedProc(&SetLayeredWindowAttributes)},
                            {"GetLayeredWindowAttributes", 0, wavorel::exportedProc(&GetLayeredWindowAttributes)}}),
                       true);

}  // namespace

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags) {
  (void)g_user32;
  auto w = wavorel::windowOrFail(hwnd);
  if (!w) return FALSE;
  if (!(w->exStyle & WS_EX_LAYERED) || (dwFlags & ~static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  w->layered = wavorel::LayeredAttributes{true, crKey, bAlpha, dwFlags};
  return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* pcrKey, BYTE* pbAlpha, DWORD* pdwFlags) {
  auto w = wavorel::windowOrFail(hwnd);
  if (!w) return FALSE;
  if (!(w->exStyle & WS_EX_LAYERED) || !w->layered.set) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (pcrKey) *pcrKey = w->layered.key;
  if (pbAlpha) *pbAlpha = w->layered.alpha;
  if (pdwFlags) *pdwFlags = w->layered.flags;
  return TRUE;
}
