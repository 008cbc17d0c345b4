#include "platform/win/gdi/DeviceContext.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/win/gdi/Blend.h"
#include "platform/win/gdi/Raster.h"
#include "platform/win/gdi/StockObjects.h"
#include "platform/win/gdi/WindowSurface.h"
#include "platform/win/user/User.h"

namespace wavorel::gdi {

namespace {

void selectDefaults(DcState& state) {
  auto set = [&](DcState::Slot slot, HGDIOBJ handle) {
    state.selected[slot].handle = handle;
    state.selected[slot].object = gdiObject(handle);
  };
  set(DcState::kBrush, stockObject(WHITE_BRUSH));
  set(DcState::kPen, stockObject(BLACK_PEN));
  set(DcState::kFont, stockObject(SYSTEM_FONT));
  set(DcState::kPalette, stockObject(DEFAULT_PALETTE));
}

}  // namespace

std::shared_ptr<DeviceContext> DeviceContext::makeMemory() {
  std::shared_ptr<DeviceContext> dc(new DeviceContext(OBJ_MEMDC, nullptr));
  selectDefaults(dc->state_);
  HBITMAP stock = stockBitmap();
  dc->state_.selected[DcState::kBitmap] = {stock, gdiObject(stock)};
  for (auto& s : dc->state_.selected)
    if (s.object) ++s.object->selections;
  return dc;
}

std::shared_ptr<DeviceContext> DeviceContext::makeView(std::shared_ptr<Bitmap> target, POINT origin, Region visible,
                                                       HWND window) {
  std::shared_ptr<DeviceContext> dc(new DeviceContext(OBJ_DC, window));
  selectDefaults(dc->state_);
  for (auto& s : dc->state_.selected)
    if (s.object) ++s.object->selections;
  dc->view_ = std::move(target);
  dc->origin_ = origin;
  dc->visible_ = std::move(visible);
  return dc;
}

std::shared_ptr<DeviceContext> DeviceContext::makeScreen() {
  RECT all{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  std::shared_ptr<DeviceContext> dc = makeView(nullptr, POINT{0, 0}, Region(all), nullptr);
  dc->screen_ = true;
  return dc;
}

Bitmap* DeviceContext::viewTarget() const {
  if (!view_ && screen_) view_ = screenSurface();
  return view_.get();
}

SIZE DeviceContext::targetSize() const {
  if (screen_ && !view_) return SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  Bitmap* b = isMemory() ? selectedBitmap() : view_.get();
  return b ? SIZE{b->surface().width(), b->surface().height()} : SIZE{0, 0};
}

DeviceContext::~DeviceContext() {
  for (auto& s : state_.selected)
    if (s.object) --s.object->selections;
  if (Bitmap* b = selectedBitmap(); b && b->owner == this) b->owner = nullptr;
}

void DeviceContext::changeSelection(DcState::Selection& slot, HGDIOBJ handle, std::shared_ptr<GdiObject> object) {
  if (slot.object) --slot.object->selections;
  if (object) ++object->selections;
  slot.handle = handle;
  slot.object = std::move(object);
}

HGDIOBJ DeviceContext::select(DcState::Slot slot, HGDIOBJ handle, std::shared_ptr<GdiObject> object) {
  DcState::Selection& current = state_.selected[slot];
  HGDIOBJ previous = current.handle;
  if (slot == DcState::kBitmap) {
    if (!isMemory()) return nullptr;
    auto* bitmap = static_cast<Bitmap*>(object.get());
    if (!bitmap->stock && bitmap->owner && bitmap->owner != this) return nullptr;
    if (Bitmap* old = selectedBitmap(); old && old->owner == this) old->owner = nullptr;
    if (!bitmap->stock) bitmap->owner = this;
    clipDirty_ = true;
  }
  changeSelection(current, handle, std::move(object));
  return previous;
}

int DeviceContext::save() {
  saved_.push_back(state_);
  return static_cast<int>(saved_.size());
}

void DeviceContext::adopt(DcState& from) {
  for (int i = 0; i < DcState::kSlotCount; ++i) {
    if (i == DcState::kBitmap) {
      auto* bitmap = static_cast<Bitmap*>(from.selected[i].object.get());
      // A bitmap that went into another DC meanwhile stays where it is.
      if (bitmap && !bitmap->stock && bitmap->owner && bitmap->owner != this) continue;
      if (Bitmap* old = selectedBitmap(); old && old->owner == this) old->owner = nullptr;
      if (bitmap && !bitmap->stock) bitmap->owner = this;
    }
    changeSelection(state_.selected[i], from.selected[i].handle, from.selected[i].object);
  }
  DcState::Selection kept[DcState::kSlotCount];
  std::copy(std::begin(state_.selected), std::end(state_.selected), std::begin(kept));
  state_ = std::move(from);
  std::copy(std::begin(kept), std::end(kept), std::begin(state_.selected));
  clipDirty_ = true;
}

bool DeviceContext::restore(int level) {
  int depth = static_cast<int>(saved_.size());
  int target = level < 0 ? depth + level + 1 : level;
  if (target <= 0 || target > depth) return false;
  DcState state = std::move(saved_[static_cast<size_t>(target - 1)]);
  saved_.resize(static_cast<size_t>(target - 1));
  adopt(state);
  return true;
}

POINT DeviceContext::toDevice(POINT p) const {
  return {p.x - state_.windowOrg.x + state_.viewportOrg.x, p.y - state_.windowOrg.y + state_.viewportOrg.y};
}

RECT DeviceContext::toDevice(const RECT& r) const {
  POINT a = toDevice(POINT{r.left, r.top}), b = toDevice(POINT{r.right, r.bottom});
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

POINT DeviceContext::toLogical(POINT p) const {
  return {p.x + state_.windowOrg.x - state_.viewportOrg.x, p.y + state_.windowOrg.y - state_.viewportOrg.y};
}

void DeviceContext::setClip(const Region* region) {
  state_.hasClip = region != nullptr;
  state_.clip = region ? *region : Region();
  clipDirty_ = true;
}

Region DeviceContext::deviceArea() const {
  const SIZE size = targetSize();
  if (size.cx <= 0 || size.cy <= 0) return Region();
  Region area(RECT{0, 0, size.cx, size.cy});
  if (!isMemory()) area = Region::combine(area, visible_, Region::Op::And);
  area.offset(-origin_.x, -origin_.y);
  return area;
}

const Region& DeviceContext::targetClip() {
  const SIZE size = targetSize();
  const bool drawable = size.cx > 0 && size.cy > 0;
  if (!clipDirty_ && drawable) return targetClip_;
  targetClip_.clear();
  if (!drawable) return targetClip_;
  Region area = deviceArea();
  area.offset(origin_.x, origin_.y);
  if (state_.hasClip) {
    Region clip = state_.clip;
    clip.offset(origin_.x, origin_.y);
    area = Region::combine(area, clip, Region::Op::And);
  }
  targetClip_ = std::move(area);
  clipDirty_ = false;
  return targetClip_;
}

RECT DeviceContext::deviceClipBox() {
  RECT b = targetClip().bounds();
  if (targetClip().empty()) return b;
  return {b.left - origin_.x, b.top - origin_.y, b.right - origin_.x, b.bottom - origin_.y};
}

Pixel DeviceContext::targetValue(COLORREF colour) const {
  Surface* s = surface();
  return s ? colourValue(*s, colour) : pixelFromColor(colour);
}

void DeviceContext::fillSpan(LONG y, LONG x0, LONG x1, COLORREF colour) { fillRect(RECT{x0, y, x1, y + 1}, colour); }

void DeviceContext::plot(LONG x, LONG y, COLORREF colour) { fillRect(RECT{x, y, x + 1, y + 1}, colour); }

namespace {

// Sets n 32-bit pixels of a row to one value, four to a store; a long row
// with the processor's string store, which need not read the cache lines it
// fills.
void fillRow32(Pixel* row, LONG n, Pixel value) {
#if defined(__x86_64__) && defined(__GNUC__)
  if (n >= 256) {
    void* to = row;
    auto count = static_cast<size_t>(n);
    asm volatile("rep stosl" : "+D"(to), "+c"(count) : "a"(value) : "memory");
    return;
  }
#endif
  LONG t = 0;
#if defined(__SSE2__)
  const __m128i four = _mm_set1_epi32(static_cast<int>(value));
  for (; t + 8 <= n; t += 8) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row + t), four);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row + t + 4), four);
  }
  for (; t + 4 <= n; t += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(row + t), four);
#endif
  for (; t < n; ++t) row[t] = value;
}

// A rectangle of a 32-bit surface (inside it) set to one value. The narrow
// ones (a bar or a gradient strip a few pixels wide) are stored in place,
// without a call per row.
void fillRect32(Surface& s, const RECT& r, Pixel value) {
  const LONG n = r.right - r.left;
  // Rows lie rowBytes apart, upwards in memory on a bottom-up surface.
  const ptrdiff_t step = static_cast<ptrdiff_t>(s.rowBytes()) * (s.bottomUp() ? -1 : 1);
  BYTE* row = reinterpret_cast<BYTE*>(s.row32(r.top) + r.left);
  const LONG rows = r.bottom - r.top;
  for (LONG y = 0; y < rows; ++y) {
    Pixel* pixels = reinterpret_cast<Pixel*>(row + y * step);
    if (n == 1) {
      *pixels = value;
    } else if (n < 8) {
      for (LONG t = 0; t < n; ++t) pixels[t] = value;
    } else {
      fillRow32(pixels, n, value);
    }
  }
}

}  // namespace

void DeviceContext::fillRect(const RECT& rect, COLORREF colour) {
  Surface* s = surface();
  if (!s || state_.rop2 == R2_NOP) return;
  Pixel pen = colourValue(*s, colour);
  int mode = state_.rop2;
  forEachClipped(rect, [&](const RECT& r) {
    if (s->bpp() == 32 && mode == R2_COPYPEN) {
      fillRect32(*s, r, pen);
      return;
    }
    for (LONG y = r.top; y < r.bottom; ++y)
      for (LONG x = r.left; x < r.right; ++x) writeValue(*s, x, y, applyRop2(mode, pen, readValue(*s, x, y)));
  });
}

void DeviceContext::blendPixel(LONG x, LONG y, COLORREF colour, BYTE alpha) { blendSpan(y, x, &alpha, 1, colour); }

void DeviceContext::blendSpan(LONG y, LONG x, const BYTE* cover, int n, COLORREF colour) {
  blendMask(x, y, cover, n, 1, n, colour);
}

void DeviceContext::blendMask(LONG x, LONG y, const BYTE* cover, int width, int height, int stride,
                              COLORREF colour) {
  Surface* s = surface();
  if (!s || width <= 0 || height <= 0) return;
  const Pixel c = pixelFromColor(colour);
  const bool wide = s->bpp() == 32;
  forEachClipped(RECT{x, y, x + width, y + height}, [&](const RECT& r) {
    // The coverage of pixel r.left on the first row.
    const BYTE* from = cover + static_cast<ptrdiff_t>(r.top - origin_.y - y) * stride + (r.left - origin_.x - x);
    if (wide) {
      blendRows(*s, r, from, stride, c);
      return;
    }
    for (LONG ty = r.top; ty < r.bottom; ++ty, from += stride) {
      const BYTE* at = from;
      for (LONG t = r.left; t < r.right; ++t, ++at)
        if (*at) s->set(t, ty, mixPixel(s->get(t, ty), c, *at));
    }
  });
}

void DeviceContext::blendMasksOver(const MaskOver* masks, size_t count, COLORREF colour, Pixel back) {
  Surface* s = surface();
  if (!s) return;
  if (s->bpp() != 32) {
    for (size_t i = 0; i < count; ++i)
      blendMask(masks[i].x, masks[i].y, masks[i].cover, masks[i].width, masks[i].height, masks[i].stride, colour);
    return;
  }
  const Pixel c = pixelFromColor(colour);
  // The clip is looked up once for the run: the masks only draw.
  const std::vector<RECT>& clip = targetClip().rects();
  for (size_t i = 0; i < count; ++i) {
    const MaskOver& m = masks[i];
    const RECT t{m.x + origin_.x, m.y + origin_.y, m.x + origin_.x + m.width, m.y + origin_.y + m.height};
    for (const RECT& piece : clip) {
      if (piece.top >= t.bottom) break;
      const RECT r{std::max(piece.left, t.left), std::max(piece.top, t.top), std::min(piece.right, t.right),
                   std::min(piece.bottom, t.bottom)};
      if (r.left >= r.right || r.top >= r.bottom) continue;
      // The mask's index of pixel r.left on the first row.
      const ptrdiff_t at = static_cast<ptrdiff_t>(r.top - t.top) * m.stride + (r.left - t.left);
      blendRowsOver(*s, r, m.cover + at, m.tinted + at, m.stride, c, back);
    }
  }
}

void DeviceContext::paintRect(const RECT& rect, const Brush& brush, DWORD rop3) {
  Surface* s = surface();
  BYTE code = ropCode(rop3);
  if (!s || (ropUsesPattern(code) && !brush.paints())) return;
  Pixel pattern = colourValue(*s, brush.colour);
  // A plain copy of the pattern onto 32-bit pixels is a fill of each row.
  if (s->bpp() == 32 && code == 0xF0) {
    forEachClipped(rect, [&](const RECT& r) { fillRect32(*s, r, pattern); });
    return;
  }
  forEachClipped(rect, [&](const RECT& r) {
    for (LONG y = r.top; y < r.bottom; ++y) {
      for (LONG x = r.left; x < r.right; ++x)
        writeValue(*s, x, y, applyRop3(code, pattern, 0, readValue(*s, x, y)));
    }
  });
}

std::shared_ptr<DeviceContext> dcFromHandle(HDC handle) {
  // Every GDI call looks its DC up: the types tell a DC (only the factories
  // above make objects of them) without a run-time type look-up.
  std::shared_ptr<GdiObject> object = gdiObject(reinterpret_cast<HGDIOBJ>(handle));
  if (!object || (object->type() != OBJ_DC && object->type() != OBJ_MEMDC)) return nullptr;
  return std::static_pointer_cast<DeviceContext>(std::move(object));
}

}  // namespace wavorel::gdi
