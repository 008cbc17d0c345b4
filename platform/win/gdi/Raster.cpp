#include "platform/win/gdi/Raster.h"

#include <cstring>

#include "platform/win/gdi/DeviceContext.h"

namespace wavorel::gdi {

Pixel applyRop3(BYTE code, Pixel p, Pixel s, Pixel d) {
  switch (code) {
    case 0xCC:
      return s;
    case 0xF0:
      return p;
    case 0x88:
      return s & d;
    case 0xEE:
      return s | d;
    case 0x66:
      return s ^ d;
    default:
      break;
  }
  Pixel result = 0;
  for (int i = 0; i < 8; ++i) {
    if (!((code >> i) & 1)) continue;
    result |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  }
  return result;
}

Pixel applyRop2(int mode, Pixel pen, Pixel d) {
  if (mode == R2_COPYPEN) return pen;
  unsigned table = static_cast<unsigned>(mode - 1) & 0x0F;
  Pixel result = 0;
  for (int i = 0; i < 4; ++i) {
    if (!((table >> i) & 1)) continue;
    result |= ((i & 2) ? pen : ~pen) & ((i & 1) ? d : ~d);
  }
  return result;
}

Pixel readValue(const Surface& s, int x, int y) {
  if (s.bpp() == 1) return s.index(x, y) ? 0xFFFFFFu : 0u;
  return s.get(x, y);
}

void writeValue(Surface& s, int x, int y, Pixel v) {
  if (s.bpp() == 1) s.setIndex(x, y, v & 1u);
  else s.set(x, y, v);
}

Pixel colourValue(const Surface& s, COLORREF colour) {
  Pixel p = pixelFromColor(colour);
  if (s.bpp() == 1) return s.nearestIndex(p) ? 0xFFFFFFu : 0u;
  return p;
}

namespace {

// Maps destination offsets to source offsets along one axis, both extents
// made positive (a sign difference mirrors).
struct Axis {
  int d0, dn;  // destination start and extent
  int s0, sn;  // source start and extent
  bool mirror;
  int source(int d) const {
    // Nearest pixel: the centre of the destination pixel mapped into the source.
    long long offset = (static_cast<long long>(d - d0) * 2 + 1) * sn / (2LL * dn);
    if (mirror) offset = sn - 1 - offset;
    return s0 + static_cast<int>(offset);
  }
};

Axis makeAxis(int d, int dn, int s, int sn) {
  bool mirror = false;
  if (dn < 0) {
    d += dn;
    dn = -dn;
    mirror = !mirror;
  }
  if (sn < 0) {
    s += sn;
    sn = -sn;
    mirror = !mirror;
  }
  return Axis{d, dn, s, sn, mirror};
}

}  // namespace

bool blit(DeviceContext& dst, int dx, int dy, int dw, int dh, DeviceContext* src, int sx, int sy, int sw, int sh,
          DWORD rop, COLORREF transparentKey) {
  Surface* target = dst.surface();
  if (!target) return false;
  BYTE code = ropCode(rop);
  bool needSource = ropUsesSource(code);
  Surface* source = needSource && src ? src->surface() : nullptr;
  if (needSource && !source) return false;
  if (dw == 0 || dh == 0 || (needSource && (sw == 0 || sh == 0))) return true;

  Brush* brush = dst.brush();
  bool needPattern = ropUsesPattern(code);
  if (needPattern && (!brush || !brush->paints())) return true;
  Pixel pattern = needPattern ? colourValue(*target, brush->colour) : 0;

  // Normalise: positive source extents, mirroring in the axis.
  Axis ax = makeAxis(dx, dw, sx, sw), ay = makeAxis(dy, dh, sy, sh);
  POINT so = src ? src->origin() : POINT{0, 0};
  RECT area{ax.d0, ay.d0, ax.d0 + ax.dn, ay.d0 + ay.dn};

  // Source conversion into the target's values.
  bool toMono = target->bpp() == 1;
  bool fromMonoDdb = source && source->bpp() == 1 && !src->target()->isDib();
  Pixel srcBk = src ? pixelFromColor(src->state().bkColor) & 0xFFFFFFu : 0;
  Pixel monoZero = pixelFromColor(dst.state().textColor), monoOne = pixelFromColor(dst.state().bkColor);
  bool keyed = transparentKey != 0xFFFFFFFFu;
  Pixel key = pixelFromColor(transparentKey) & 0xFFFFFFu;
  auto sourceValue = [&](int x, int y, bool& skip) -> Pixel {
    if (!source->contains(x, y)) {
      skip = true;
      return 0;
    }
    if (keyed && (source->get(x, y) & 0xFFFFFFu) == key) {
      skip = true;
      return 0;
    }
    if (source->bpp() == 1 && (toMono || fromMonoDdb)) {
      unsigned bit = source->index(x, y);
      if (toMono) return bit ? 0xFFFFFFu : 0u;
      return bit ? monoOne : monoZero;
    }
    Pixel p = source->get(x, y);
    if (toMono) return (p & 0xFFFFFFu) == srcBk ? 0xFFFFFFu : 0u;
    return p;
  };

  bool plainCopy = code == 0xCC && source && !keyed && target->bpp() == 32 && source->bpp() == 32 && !ax.mirror &&
                   !ay.mirror && ax.dn == ax.sn && ay.dn == ay.sn;
  dst.forEachClipped(area, [&](const RECT& r) {
    int tox = dst.origin().x, toy = dst.origin().y;
    for (int y = r.top; y < r.bottom; ++y) {
      int ry = source ? ay.source(y - toy) + so.y : 0;
      if (plainCopy) {
        int x0 = r.left, x1 = r.right;
        int s0 = ax.source(x0 - tox) + so.x;
        // Cut to the source bitmap.
        if (ry < 0 || ry >= source->height()) continue;
        if (s0 < 0) {
          x0 -= s0;
          s0 = 0;
        }
        if (s0 + (x1 - x0) > source->width()) x1 = x0 + (source->width() - s0);
        if (x1 > x0)
          std::memmove(target->row32(y) + x0, source->row32(ry) + s0, static_cast<size_t>(x1 - x0) * 4);
        continue;
      }
      for (int x = r.left; x < r.right; ++x) {
        Pixel s = 0;
        if (source) {
          bool skip = false;
          s = sourceValue(ax.source(x - tox) + so.x, ry, skip);
          if (skip) continue;
        }
        Pixel d = readValue(*target, x, y);
        writeValue(*target, x, y, applyRop3(code, pattern, s, d));
      }
    }
  });
  return true;
}

}  // namespace wavorel::gdi
