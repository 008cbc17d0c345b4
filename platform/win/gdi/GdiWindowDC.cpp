// Window and screen DCs: GetDC, GetWindowDC, ReleaseDC. A window's DC
// reaches what its painting reaches (WS_CLIPCHILDREN, WS_CLIPSIBLINGS, the
// window regions, the ancestors' client areas), so a control drawing through
// GetDC cannot paint over its siblings.
#include "platform/win/kernel/Errors.h"
#include "platform/win/user/Paint.h"
#include "platform/win/user/User.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/gdi/WindowSurface.h"

using namespace wavorel::gdi;
using wavorel::Region;

namespace {

HDC insertDc(std::shared_ptr<DeviceContext> dc) { return reinterpret_cast<HDC>(insertGdiObject(std::move(dc))); }

HDC windowDc(HWND hwnd, bool client) {
  if (!hwnd) return insertDc(DeviceContext::makeScreen());
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  HWND top = GetAncestor(hwnd, GA_ROOT);
  if (!top) top = hwnd;
  // Clipped as the window's painting is (BeginPaint), without the update region.
  POINT origin{0, 0};
  Region visible = wavorel::drawableArea(hwnd, !client, &origin);
  return insertDc(DeviceContext::makeView(windowSurface(top), origin, std::move(visible), hwnd));
}

}  // namespace

HDC GetDC(HWND hwnd) { return windowDc(hwnd, true); }

HDC GetWindowDC(HWND hwnd) { return windowDc(hwnd, false); }

int ReleaseDC(HWND, HDC hdc) {
  auto dc = dcFromHandle(hdc);
  if (!dc || dc->isMemory()) return 0;
  removeGdiObject(reinterpret_cast<HGDIOBJ>(hdc));
  wavorel::notePainted();  // what was drawn through it is to be shown
  return 1;
}
