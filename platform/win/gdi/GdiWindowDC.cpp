// Window and screen DCs: GetDC, GetWindowDC, ReleaseDC.
#include "platform/win/kernel/Errors.h"
#include "platform/win/user/User.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/gdi/WindowSurface.h"

using namespace wavorel::gdi;
using wavorel::Region;

namespace {

HDC insertDc(std::shared_ptr<DeviceContext> dc) { return reinterpret_cast<HDC>(insertGdiObject(std::move(dc))); }

// A rectangle in screen coordinates moved into the top-level window's surface.
RECT inSurface(RECT r, const RECT& top) {
  return {r.left - top.left, r.top - top.top, r.right - top.left, r.bottom - top.top};
}

RECT clientOnScreen(HWND hwnd) {
  RECT c{};
  GetClientRect(hwnd, &c);
  POINT p{0, 0};
  ClientToScreen(hwnd, &p);
  return {p.x, p.y, p.x + c.right, p.y + c.bottom};
}

HDC windowDc(HWND hwnd, bool client) {
  if (!hwnd) return insertDc(DeviceContext::makeScreen());
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  HWND top = GetAncestor(hwnd, GA_ROOT);
  if (!top) top = hwnd;
  RECT topRect{};
  GetWindowRect(top, &topRect);
  RECT area{};
  if (client) area = clientOnScreen(hwnd);
  else GetWindowRect(hwnd, &area);
  Region visible(inSurface(area, topRect));
  // A child shows only inside its ancestors' client areas.
  for (HWND a = hwnd; a && a != top;) {
    a = GetParent(a);
    if (!a) break;
    visible.intersect(inSurface(clientOnScreen(a), topRect));
  }
  POINT origin{area.left - topRect.left, area.top - topRect.top};
  return insertDc(DeviceContext::makeView(windowSurface(top), origin, std::move(visible), hwnd));
}

}  // namespace

HDC GetDC(HWND hwnd) { return windowDc(hwnd, true); }

HDC GetWindowDC(HWND hwnd) { return windowDc(hwnd, false); }

int ReleaseDC(HWND, HDC hdc) {
  auto dc = dcFromHandle(hdc);
  if (!dc || dc->isMemory()) return 0;
  removeGdiObject(reinterpret_cast<HGDIOBJ>(hdc));
  return 1;
}
