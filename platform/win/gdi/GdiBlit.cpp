// Blits: BitBlt, StretchBlt, PatBlt and TransparentBlt over the raster engine.
#include "platform/win/kernel/Errors.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/gdi/Raster.h"

using namespace wavorel::gdi;

namespace {

BOOL stretch(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw, int sh, DWORD rop,
             COLORREF key) {
  auto target = dcFromHandle(dst);
  auto source = src ? dcFromHandle(src) : nullptr;
  if (!target || (src && !source) || (!source && ropUsesSource(ropCode(rop)))) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  // Logical extents become device extents (MM_TEXT keeps their size).
  POINT d = target->toDevice(POINT{x, y});
  POINT s = source ? source->toDevice(POINT{sx, sy}) : POINT{0, 0};
  return blit(*target, d.x, d.y, width, height, source.get(), s.x, s.y, sw, sh, rop, key) ? TRUE : FALSE;
}

}  // namespace

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, DWORD rop) {
  return stretch(dst, x, y, width, height, src, sx, sy, width, height, rop, CLR_INVALID);
}

BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw, int sh, DWORD rop) {
  return stretch(dst, x, y, width, height, src, sx, sy, sw, sh, rop, CLR_INVALID);
}

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
  if (ropUsesSource(ropCode(rop))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return stretch(hdc, x, y, width, height, nullptr, 0, 0, 0, 0, rop, CLR_INVALID);
}

BOOL TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw, int sh,
                    UINT transparent) {
  if (width <= 0 || height <= 0 || sw <= 0 || sh <= 0 || !src) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return stretch(dst, x, y, width, height, src, sx, sy, sw, sh, SRCCOPY, transparent & 0x00FFFFFFu);
}
