#include "platform/win/gdi/Icon.h"

#include "platform/win/kernel/Handles.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Images.h"
#include "platform/win/gdi/Raster.h"

namespace wavorel::gdi {

namespace {

HandleTable<Icon>& iconHandles() {
  static HandleTable<Icon> table(0x23000004, 4);
  return table;
}

bool anyAlpha(const Surface& s) {
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x)
      if (s.get(x, y) >> 24) return true;
  return false;
}

}  // namespace

Icon::Icon(bool isIcon, POINT hotSpot, std::shared_ptr<Bitmap> colour, std::shared_ptr<Bitmap> mask)
    : isIcon_(isIcon),
      hotSpot_(hotSpot),
      colour_(std::move(colour)),
      mask_(std::move(mask)),
      hasAlpha_(anyAlpha(colour_->surface())) {}

std::shared_ptr<Icon> Icon::scaled(int cx, int cy) const {
  int w = cx > 0 ? cx : width(), h = cy > 0 ? cy : height();
  auto colour = Bitmap::makeDib(w, h, 32, false, {});
  auto mask = Bitmap::makeDdb(w, h, 1);
  if (!colour || !mask) return nullptr;
  for (int y = 0; y < h; ++y) {
    int sy = static_cast<int>((2LL * y + 1) * height() / (2LL * h));
    for (int x = 0; x < w; ++x) {
      int sx = static_cast<int>((2LL * x + 1) * width() / (2LL * w));
      colour->surface().set(x, y, colour_->surface().get(sx, sy));
      mask->surface().setIndex(x, y, mask_->surface().index(sx, sy));
    }
  }
  POINT hot = isIcon_ ? POINT{w / 2, h / 2}
                      : POINT{static_cast<LONG>(hotSpot_.x * static_cast<long long>(w) / width()),
                              static_cast<LONG>(hotSpot_.y * static_cast<long long>(h) / height())};
  return std::make_shared<Icon>(isIcon_, hot, std::move(colour), std::move(mask));
}

HICON insertIcon(std::shared_ptr<Icon> icon) {
  return icon ? reinterpret_cast<HICON>(iconHandles().insert(std::move(icon))) : nullptr;
}

std::shared_ptr<Icon> iconFromHandle(HICON handle) { return iconHandles().find(reinterpret_cast<uintptr_t>(handle)); }

bool removeIcon(HICON handle) { return iconHandles().remove(reinterpret_cast<uintptr_t>(handle)) != nullptr; }

void drawIcon(DeviceContext& dc, const Icon& icon, const RECT& r, UINT flags) {
  Surface* target = dc.surface();
  int w = r.right - r.left, h = r.bottom - r.top;
  if (!target || w <= 0 || h <= 0 || !(flags & DI_NORMAL)) return;
  bool useMask = flags & DI_MASK, useImage = flags & DI_IMAGE;
  POINT o = dc.origin();
  dc.forEachClipped(r, [&](const RECT& c) {
    for (int y = c.top; y < c.bottom; ++y) {
      int sy = static_cast<int>((2LL * (y - o.y - r.top) + 1) * icon.height() / (2LL * h));
      for (int x = c.left; x < c.right; ++x) {
        int sx = static_cast<int>((2LL * (x - o.x - r.left) + 1) * icon.width() / (2LL * w));
        Pixel colour = icon.colour().get(sx, sy);
        Pixel d = readValue(*target, x, y);
        if (useImage && useMask && icon.hasAlpha()) {
          unsigned a = colour >> 24;
          Pixel out = 0;
          for (int shift = 0; shift < 24; shift += 8) {
            unsigned cc = (colour >> shift) & 0xFF, dd = (d >> shift) & 0xFF;
            out |= static_cast<Pixel>((cc * a + dd * (255 - a) + 127) / 255) << shift;
          }
          writeValue(*target, x, y, out);
          continue;
        }
        Pixel maskValue = icon.mask().index(sx, sy) ? 0xFFFFFFFFu : 0u;
        if (useMask) d &= maskValue;
        if (useImage) d = useMask ? (d ^ (colour & 0xFFFFFFu)) : (colour & 0xFFFFFFu);
        writeValue(*target, x, y, d);
      }
    }
  });
}

}  // namespace wavorel::gdi
