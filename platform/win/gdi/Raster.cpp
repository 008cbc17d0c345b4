#include "platform/win/gdi/Raster.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

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

// One blit, worked out once for either path.
struct BlitJob {
  DeviceContext& dst;
  Surface* target;
  const Surface* source;  // null when the ROP takes no source
  bool sourceIsDdb;
  BYTE code;
  Pixel pattern;
  Axis ax, ay;
  POINT so;  // the source DC's offset in its target
  RECT area;
  Pixel srcBk, monoZero, monoOne;
  bool keyed;
  Pixel key;

  bool toMono() const { return target->bpp() == 1; }
  bool fromMonoDdb() const { return source && source->bpp() == 1 && sourceIsDdb; }
};

void generalBlit(const BlitJob& j) {
  const Surface* source = j.source;
  Surface* target = j.target;
  const bool toMono = j.toMono(), fromMonoDdb = j.fromMonoDdb();
  auto sourceValue = [&](int x, int y, bool& skip) -> Pixel {
    if (!source->contains(x, y)) {
      skip = true;
      return 0;
    }
    if (j.keyed && (source->get(x, y) & 0xFFFFFFu) == j.key) {
      skip = true;
      return 0;
    }
    if (source->bpp() == 1 && (toMono || fromMonoDdb)) {
      unsigned bit = source->index(x, y);
      if (toMono) return bit ? 0xFFFFFFu : 0u;
      return bit ? j.monoOne : j.monoZero;
    }
    Pixel p = source->get(x, y);
    if (toMono) return (p & 0xFFFFFFu) == j.srcBk ? 0xFFFFFFu : 0u;
    return p;
  };
  j.dst.forEachClipped(j.area, [&](const RECT& r) {
    int tox = j.dst.origin().x, toy = j.dst.origin().y;
    for (int y = r.top; y < r.bottom; ++y) {
      int ry = source ? j.ay.source(y - toy) + j.so.y : 0;
      for (int x = r.left; x < r.right; ++x) {
        Pixel s = 0;
        if (source) {
          bool skip = false;
          s = sourceValue(j.ax.source(x - tox) + j.so.x, ry, skip);
          if (skip) continue;
        }
        Pixel d = readValue(*target, x, y);
        writeValue(*target, x, y, applyRop3(j.code, j.pattern, s, d));
      }
    }
  });
}

// The fast path's rows. A source row is read into values (what the general
// path's sourceValue gives) at the columns `cols` (contiguous from cols[0]
// when Contiguous); the palette holds the values of an indexed source.
template <bool Contiguous>
void fetchColumns(const Surface& s, int y, const int* cols, int n, const Pixel* palette, Pixel* out) {
  const BYTE* row = s.row(y);
  const int c0 = cols[0];
  auto column = [&](int i) { return Contiguous ? c0 + i : cols[i]; };
  switch (s.bpp()) {
    case 32: {
      const Pixel* p = reinterpret_cast<const Pixel*>(row);
      if (Contiguous) std::memcpy(out, p + c0, static_cast<size_t>(n) * 4);
      else
        for (int i = 0; i < n; ++i) out[i] = p[cols[i]];
      break;
    }
    case 24: {
      int i = 0;
      if (Contiguous) {
        // Eight pixels from three 64-bit words, then four from three 32-bit
        // words, while they are inside the row.
        const BYTE* p = row + static_cast<size_t>(c0) * 3;
        for (; i + 8 <= n; i += 8, p += 24) {
          uint64_t a, b, c;
          std::memcpy(&a, p, 8);
          std::memcpy(&b, p + 8, 8);
          std::memcpy(&c, p + 16, 8);
          out[i] = static_cast<Pixel>(a & 0xFFFFFFu);
          out[i + 1] = static_cast<Pixel>((a >> 24) & 0xFFFFFFu);
          out[i + 2] = static_cast<Pixel>((a >> 48) | ((b & 0xFFu) << 16));
          out[i + 3] = static_cast<Pixel>((b >> 8) & 0xFFFFFFu);
          out[i + 4] = static_cast<Pixel>((b >> 32) & 0xFFFFFFu);
          out[i + 5] = static_cast<Pixel>((b >> 56) | ((c & 0xFFFFu) << 8));
          out[i + 6] = static_cast<Pixel>((c >> 16) & 0xFFFFFFu);
          out[i + 7] = static_cast<Pixel>(c >> 40);
        }
        for (; i + 4 <= n; i += 4, p += 12) {
          uint32_t a, b, c;
          std::memcpy(&a, p, 4);
          std::memcpy(&b, p + 4, 4);
          std::memcpy(&c, p + 8, 4);
          out[i] = a & 0xFFFFFFu;
          out[i + 1] = (a >> 24) | ((b & 0xFFFFu) << 8);
          out[i + 2] = (b >> 16) | ((c & 0xFFu) << 16);
          out[i + 3] = c >> 8;
        }
      }
      for (; i < n; ++i) {
        const BYTE* p = row + static_cast<size_t>(column(i)) * 3;
        out[i] = static_cast<Pixel>(p[0]) | (static_cast<Pixel>(p[1]) << 8) | (static_cast<Pixel>(p[2]) << 16);
      }
      break;
    }
    case 16:
      for (int i = 0; i < n; ++i) {
        const BYTE* p = row + static_cast<size_t>(column(i)) * 2;
        unsigned v = p[0] | (p[1] << 8);
        unsigned r5 = (v >> 10) & 31, g5 = (v >> 5) & 31, b5 = v & 31;
        out[i] = ((r5 << 3 | r5 >> 2) << 16) | ((g5 << 3 | g5 >> 2) << 8) | (b5 << 3 | b5 >> 2);
      }
      break;
    case 8:
      for (int i = 0; i < n; ++i) out[i] = palette[row[column(i)]];
      break;
    case 4:
      for (int i = 0; i < n; ++i) {
        int c = column(i);
        out[i] = palette[(c & 1) ? (row[c >> 1] & 0x0Fu) : (row[c >> 1] >> 4)];
      }
      break;
    case 1:
      for (int i = 0; i < n; ++i) {
        int c = column(i);
        out[i] = palette[(row[c >> 3] >> (7 - (c & 7))) & 1u];
      }
      break;
    default:
      break;
  }
}

void fetchRow(const Surface& s, int y, const int* cols, bool contiguous, int n, const Pixel* palette, Pixel* out) {
  if (contiguous) fetchColumns<true>(s, y, cols, n, palette, out);
  else fetchColumns<false>(s, y, cols, n, palette, out);
}

template <bool Keyed, class F>
void combineWith(const Pixel* s, Pixel* d, int n, Pixel key, F f) {
  for (int i = 0; i < n; ++i) {
    if (Keyed && (s[i] & 0xFFFFFFu) == key) continue;
    d[i] = f(s[i], d[i]);
  }
}

// d = rop(pattern, s, d) over a row; keyed pixels of s leave d alone. `s` is
// only read by ROPs that take a source.
template <bool Keyed>
void combineRow(BYTE code, Pixel p, const Pixel* s, Pixel* d, int n, Pixel key) {
  switch (code) {
    case 0xCC: return combineWith<Keyed>(s, d, n, key, [](Pixel s, Pixel) { return s; });
    case 0x88: return combineWith<Keyed>(s, d, n, key, [](Pixel s, Pixel d) { return s & d; });      // SRCAND
    case 0xEE: return combineWith<Keyed>(s, d, n, key, [](Pixel s, Pixel d) { return s | d; });      // SRCPAINT
    case 0x66: return combineWith<Keyed>(s, d, n, key, [](Pixel s, Pixel d) { return s ^ d; });      // SRCINVERT
    case 0x44: return combineWith<Keyed>(s, d, n, key, [](Pixel s, Pixel d) { return s & ~d; });     // SRCERASE
    case 0x22: return combineWith<Keyed>(s, d, n, key, [](Pixel s, Pixel d) { return ~s & d; });     // DSna
    case 0x33: return combineWith<Keyed>(s, d, n, key, [](Pixel s, Pixel) { return ~s; });           // NOTSRCCOPY
    case 0x11: return combineWith<Keyed>(s, d, n, key, [](Pixel s, Pixel d) { return ~(s | d); });  // NOTSRCERASE
    case 0xBB: return combineWith<Keyed>(s, d, n, key, [](Pixel s, Pixel d) { return ~s | d; });     // MERGEPAINT
    case 0xC0: return combineWith<Keyed>(s, d, n, key, [p](Pixel s, Pixel) { return p & s; });      // MERGECOPY
    default:
      return combineWith<Keyed>(s, d, n, key, [code, p](Pixel s, Pixel d) { return applyRop3(code, p, s, d); });
  }
}

// d = rop(pattern, d) over a row, for ROPs without a source.
void patternRow(BYTE code, Pixel p, Pixel* d, int n) {
  switch (code) {
    case 0xF0:
      std::fill(d, d + n, p);
      return;
    case 0x00:
      std::fill(d, d + n, Pixel{0});
      return;
    case 0xFF:
      std::fill(d, d + n, ~Pixel{0});
      return;
    case 0x5A:
      for (int i = 0; i < n; ++i) d[i] ^= p;
      return;
    case 0x55:
      for (int i = 0; i < n; ++i) d[i] = ~d[i];
      return;
    default:
      for (int i = 0; i < n; ++i) d[i] = applyRop3(code, p, 0, d[i]);
      return;
  }
}

// The fast path: 24- and 32-bit targets. False when it does not apply.
bool fastBlit(const BlitJob& j) {
  Surface& target = *j.target;
  const Surface* source = j.source;
  if (target.bpp() != 32 && target.bpp() != 24) return false;
  // The colour key compares a monochrome bitmap's table colours, not the
  // text and background colours it is drawn in: left to the general path.
  if (j.keyed && j.fromMonoDdb()) return false;
  Pixel palette[256] = {};
  if (source && source->bpp() <= 8) {
    if (j.fromMonoDdb()) {
      palette[0] = j.monoZero;
      palette[1] = j.monoOne;
    } else {
      for (size_t i = 0; i < source->colours().size() && i < 256; ++i) palette[i] = pixelFromQuad(source->colours()[i]);
    }
  }
  const bool keyed = j.keyed && source;
  const bool readTarget = keyed || ropUsesDestination(j.code);
  const bool wide = target.bpp() == 32;
  std::vector<int> cols;
  std::vector<Pixel> values, line;
  j.dst.forEachClipped(j.area, [&](const RECT& r) {
    const int tox = j.dst.origin().x, toy = j.dst.origin().y;
    int x0 = r.left, n = r.right - r.left;
    bool contiguous = true;
    if (source) {
      // Source columns; those inside the source form one run (the mapping is
      // monotonic), the others leave the target alone.
      cols.resize(static_cast<size_t>(n));
      for (int i = 0; i < n; ++i) cols[static_cast<size_t>(i)] = j.ax.source(x0 + i - tox) + j.so.x;
      int lo = 0, hi = n;
      while (lo < hi && (cols[static_cast<size_t>(lo)] < 0 || cols[static_cast<size_t>(lo)] >= source->width())) ++lo;
      while (hi > lo && (cols[static_cast<size_t>(hi - 1)] < 0 || cols[static_cast<size_t>(hi - 1)] >= source->width()))
        --hi;
      if (lo == hi) return;
      cols.erase(cols.begin() + hi, cols.end());
      cols.erase(cols.begin(), cols.begin() + lo);
      x0 += lo;
      n = hi - lo;
      contiguous = cols.back() - cols.front() == n - 1;
      values.resize(static_cast<size_t>(n));
    }
    if (!wide) line.resize(static_cast<size_t>(n));
    for (int y = r.top; y < r.bottom; ++y) {
      int ry = 0;
      if (source) {
        ry = j.ay.source(y - toy) + j.so.y;
        if (ry < 0 || ry >= source->height()) continue;
        if (wide && j.code == 0xCC && !keyed) {  // a plain copy: read straight into the target
          fetchRow(*source, ry, cols.data(), contiguous, n, palette, target.row32(y) + x0);
          continue;
        }
        fetchRow(*source, ry, cols.data(), contiguous, n, palette, values.data());
      }
      Pixel* d = wide ? target.row32(y) + x0 : line.data();
      BYTE* packed = wide ? nullptr : target.row(y) + static_cast<size_t>(x0) * 3;
      if (!wide && readTarget)
        for (int i = 0; i < n; ++i) {
          const BYTE* q = packed + static_cast<size_t>(i) * 3;
          d[i] = static_cast<Pixel>(q[0]) | (static_cast<Pixel>(q[1]) << 8) | (static_cast<Pixel>(q[2]) << 16);
        }
      if (!source) patternRow(j.code, j.pattern, d, n);
      else if (keyed) combineRow<true>(j.code, j.pattern, values.data(), d, n, j.key);
      else combineRow<false>(j.code, j.pattern, values.data(), d, n, j.key);
      if (!wide)
        for (int i = 0; i < n; ++i) {
          BYTE* q = packed + static_cast<size_t>(i) * 3;
          q[0] = static_cast<BYTE>(d[i]);
          q[1] = static_cast<BYTE>(d[i] >> 8);
          q[2] = static_cast<BYTE>(d[i] >> 16);
        }
    }
  });
  return true;
}

}  // namespace

void readRow(const Surface& s, int y, int x, int n, Pixel* out) {
  if (n <= 0) return;
  Pixel palette[256] = {};
  for (size_t i = 0; i < s.colours().size() && i < 256; ++i) palette[i] = pixelFromQuad(s.colours()[i]);
  fetchRow(s, y, &x, true, n, palette, out);
}

bool blit(DeviceContext& dst, int dx, int dy, int dw, int dh, DeviceContext* src, int sx, int sy, int sw, int sh,
          DWORD rop, COLORREF transparentKey, BlitPath path) {
  Surface* target = dst.surface();
  if (!target) return false;
  BYTE code = ropCode(rop);
  bool needSource = ropUsesSource(code);
  const Surface* source = needSource && src ? src->surface() : nullptr;
  if (needSource && !source) return false;
  if (dw == 0 || dh == 0 || (needSource && (sw == 0 || sh == 0))) return true;

  Brush* brush = dst.brush();
  bool needPattern = ropUsesPattern(code);
  if (needPattern && (!brush || !brush->paints())) return true;

  // A blit within one bitmap reads the pixels as they were before it.
  std::unique_ptr<Surface> before;
  if (source && source == target) {
    before = std::make_unique<Surface>(*source);
    source = before.get();
  }
  const Axis ax = makeAxis(dx, dw, sx, sw), ay = makeAxis(dy, dh, sy, sh);
  const BlitJob job{dst,
                    target,
                    source,
                    source && !src->target()->isDib(),
                    code,
                    needPattern ? colourValue(*target, brush->colour) : 0,
                    ax,
                    ay,
                    src ? src->origin() : POINT{0, 0},
                    RECT{ax.d0, ay.d0, ax.d0 + ax.dn, ay.d0 + ay.dn},
                    src ? pixelFromColor(src->state().bkColor) & 0xFFFFFFu : 0,
                    pixelFromColor(dst.state().textColor),
                    pixelFromColor(dst.state().bkColor),
                    transparentKey != 0xFFFFFFFFu,
                    pixelFromColor(transparentKey) & 0xFFFFFFu};
  if (path == BlitPath::Fast && fastBlit(job)) return true;
  generalBlit(job);
  return true;
}

}  // namespace wavorel::gdi
