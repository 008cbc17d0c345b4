// Device contexts: creation, attributes, coordinates and capabilities.
#include <utility>

#include "platform/win/kernel/Errors.h"
#include "platform/win/user/User.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Gdi.h"

using wavorel::gdi::DeviceContext;
using wavorel::gdi::dcFromHandle;

namespace {

std::shared_ptr<DeviceContext> validDc(HDC hdc) {
  auto dc = dcFromHandle(hdc);
  if (!dc) SetLastError(ERROR_INVALID_HANDLE);
  return dc;
}

// Sets a DC attribute and hands back the old value (`failure` for a bad DC).
template <class T, class F>
T exchange(HDC hdc, T failure, F member) {
  auto dc = validDc(hdc);
  if (!dc) return failure;
  return member(dc->state());
}

BOOL setPoint(HDC hdc, POINT wavorel::gdi::DcState::*field, int x, int y, LPPOINT previous, bool relative) {
  auto dc = validDc(hdc);
  if (!dc) return FALSE;
  POINT& p = dc->state().*field;
  if (previous) *previous = p;
  p = relative ? POINT{p.x + x, p.y + y} : POINT{x, y};
  return TRUE;
}

}  // namespace

HDC CreateCompatibleDC(HDC hdc) {
  if (hdc && !validDc(hdc)) return nullptr;
  return reinterpret_cast<HDC>(wavorel::gdi::insertGdiObject(DeviceContext::makeMemory()));
}

BOOL DeleteDC(HDC hdc) {
  if (!validDc(hdc)) return FALSE;
  wavorel::gdi::removeGdiObject(reinterpret_cast<HGDIOBJ>(hdc));
  return TRUE;
}

int SaveDC(HDC hdc) {
  auto dc = validDc(hdc);
  return dc ? dc->save() : 0;
}

BOOL RestoreDC(HDC hdc, int savedDC) {
  auto dc = validDc(hdc);
  return dc && dc->restore(savedDC) ? TRUE : FALSE;
}

int GetDeviceCaps(HDC hdc, int index) {
  if (!validDc(hdc)) return 0;
  switch (index) {
    case DRIVERVERSION:
      return 0x4000;
    case TECHNOLOGY:
      return DT_RASDISPLAY;
    case HORZRES:
    case DESKTOPHORZRES:
      return GetSystemMetrics(SM_CXSCREEN);
    case VERTRES:
    case DESKTOPVERTRES:
      return GetSystemMetrics(SM_CYSCREEN);
    case HORZSIZE:  // millimetres at 96 dots per inch
      return GetSystemMetrics(SM_CXSCREEN) * 254 / 960;
    case VERTSIZE:
      return GetSystemMetrics(SM_CYSCREEN) * 254 / 960;
    case BITSPIXEL:
      return 32;
    case PLANES:
      return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS:
      return -1;
    case NUMFONTS:
      return 0;
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_GDI20_OUTPUT | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return 96;
    case SIZEPALETTE:
    case NUMRESERVED:
      return 0;
    case COLORRES:
      return 24;
    default:
      return 0;
  }
}

COLORREF SetBkColor(HDC hdc, COLORREF colour) {
  return exchange(hdc, CLR_INVALID, [&](auto& s) { return std::exchange(s.bkColor, colour); });
}
COLORREF GetBkColor(HDC hdc) {
  return exchange(hdc, CLR_INVALID, [](auto& s) { return s.bkColor; });
}
COLORREF SetTextColor(HDC hdc, COLORREF colour) {
  return exchange(hdc, CLR_INVALID, [&](auto& s) { return std::exchange(s.textColor, colour); });
}
COLORREF GetTextColor(HDC hdc) {
  return exchange(hdc, CLR_INVALID, [](auto& s) { return s.textColor; });
}
int SetBkMode(HDC hdc, int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return exchange(hdc, 0, [&](auto& s) { return std::exchange(s.bkMode, mode); });
}
int GetBkMode(HDC hdc) {
  return exchange(hdc, 0, [](auto& s) { return s.bkMode; });
}
int SetROP2(HDC hdc, int mode) {
  if (mode < R2_BLACK || mode > R2_WHITE) return 0;
  return exchange(hdc, 0, [&](auto& s) { return std::exchange(s.rop2, mode); });
}
int GetROP2(HDC hdc) {
  return exchange(hdc, 0, [](auto& s) { return s.rop2; });
}
int SetStretchBltMode(HDC hdc, int mode) {
  if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
  return exchange(hdc, 0, [&](auto& s) { return std::exchange(s.stretchMode, mode); });
}
int GetStretchBltMode(HDC hdc) {
  return exchange(hdc, 0, [](auto& s) { return s.stretchMode; });
}

BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT previous) {
  return setPoint(hdc, &wavorel::gdi::DcState::viewportOrg, x, y, previous, false);
}
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT previous) {
  return setPoint(hdc, &wavorel::gdi::DcState::viewportOrg, dx, dy, previous, true);
}
BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT previous) {
  return setPoint(hdc, &wavorel::gdi::DcState::windowOrg, x, y, previous, false);
}
BOOL GetViewportOrgEx(HDC hdc, LPPOINT origin) {
  auto dc = validDc(hdc);
  if (!dc || !origin) return FALSE;
  *origin = dc->state().viewportOrg;
  return TRUE;
}
BOOL GetWindowOrgEx(HDC hdc, LPPOINT origin) {
  auto dc = validDc(hdc);
  if (!dc || !origin) return FALSE;
  *origin = dc->state().windowOrg;
  return TRUE;
}

BOOL LPtoDP(HDC hdc, LPPOINT points, int count) {
  auto dc = validDc(hdc);
  if (!dc || (!points && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) points[i] = dc->toDevice(points[i]);
  return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT points, int count) {
  auto dc = validDc(hdc);
  if (!dc || (!points && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) points[i] = dc->toLogical(points[i]);
  return TRUE;
}
