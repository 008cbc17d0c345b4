#include "platform/win/gdi/ImageListObject.h"

#include <algorithm>

#include "platform/win/user/User.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/ImageList.h"
#include "platform/win/gdi/Raster.h"

namespace wavorel::gdi {

ImageListObject::ImageListObject(int cx, int cy, bool masked) : cx_(cx), cy_(cy), masked_(masked) {}

ImageListObject::~ImageListObject() { dropHandles(); }

void ImageListObject::dropHandles() {
  if (imageHandle_) removeGdiObject(imageHandle_);
  if (maskHandle_) removeGdiObject(maskHandle_);
  imageHandle_ = maskHandle_ = nullptr;
}

void ImageListObject::reserve(int count) {
  int capacity = images_ ? images_->surface().width() / cx_ : 0;
  if (count <= capacity) return;
  auto images = Bitmap::makeDdb(count * cx_, cy_, 32);
  auto masks = Bitmap::makeDdb(count * cx_, cy_, 1);
  if (!images || !masks) return;
  for (int y = 0; y < cy_ && images_; ++y)
    for (int x = 0; x < count_ * cx_; ++x) {
      images->surface().set(x, y, images_->surface().get(x, y));
      masks->surface().setIndex(x, y, masks_->surface().index(x, y));
    }
  dropHandles();
  images_ = std::move(images);
  masks_ = std::move(masks);
}

void ImageListObject::put(int index, const Surface& source, int sourceX, const Surface* mask, COLORREF key) {
  int capacity = images_ ? images_->surface().width() / cx_ : 0;
  if (index >= capacity) reserve(std::max(index + 1, capacity * 2));
  if (!images_ || index < 0 || index > count_) return;
  Pixel keyPixel = pixelFromColor(key) & 0xFFFFFFu;
  for (int y = 0; y < cy_; ++y)
    for (int x = 0; x < cx_; ++x) {
      int sx = sourceX + x;
      Pixel p = source.contains(sx, y) ? source.get(sx, y) : 0;
      unsigned transparent = 0;
      if (masked_ && key != CLR_NONE && (p & 0xFFFFFFu) == keyPixel) {
        transparent = 1;
        p = 0;
      } else if (masked_ && mask && mask->contains(sx, y)) {
        transparent = (mask->get(sx, y) & 0xFFFFFFu) ? 1u : 0u;
      }
      images_->surface().set(index * cx_ + x, y, p);
      masks_->surface().setIndex(index * cx_ + x, y, transparent);
    }
  if (index == count_) ++count_;
}

void ImageListObject::putIcon(int index, const Icon& icon) {
  auto sized = icon.width() == cx_ && icon.height() == cy_ ? nullptr : icon.scaled(cx_, cy_);
  const Icon& use = sized ? *sized : icon;
  put(index, use.colour(), 0, &use.mask(), CLR_NONE);
}

void ImageListObject::resize(int count) {
  if (count > count_) {
    reserve(count);
    if (!images_) return;
  }
  count_ = std::max(0, count);
}

void ImageListObject::remove(int index) {
  if (index < 0 || index >= count_) return;
  for (int i = index; i + 1 < count_; ++i)
    for (int y = 0; y < cy_; ++y)
      for (int x = 0; x < cx_; ++x) {
        images_->surface().set(i * cx_ + x, y, images_->surface().get((i + 1) * cx_ + x, y));
        masks_->surface().setIndex(i * cx_ + x, y, masks_->surface().index((i + 1) * cx_ + x, y));
      }
  --count_;
}

std::shared_ptr<Icon> ImageListObject::icon(int index) const {
  if (index < 0 || index >= count_) return nullptr;
  auto colour = Bitmap::makeDib(cx_, cy_, 32, false, {});
  auto mask = Bitmap::makeDdb(cx_, cy_, 1);
  if (!colour || !mask) return nullptr;
  for (int y = 0; y < cy_; ++y)
    for (int x = 0; x < cx_; ++x) {
      colour->surface().set(x, y, images_->surface().get(index * cx_ + x, y));
      mask->surface().setIndex(x, y, masked_ ? masks_->surface().index(index * cx_ + x, y) : 0u);
    }
  return std::make_shared<Icon>(true, POINT{cx_ / 2, cy_ / 2}, std::move(colour), std::move(mask));
}

void ImageListObject::draw(DeviceContext& dc, int index, POINT at, int w, int h, COLORREF bk, COLORREF fg,
                           UINT style) const {
  Surface* target = dc.surface();
  if (!target || index < 0 || index >= count_) return;
  w = w > 0 ? std::min(w, cx_) : cx_;
  h = h > 0 ? std::min(h, cy_) : cy_;
  if (bk == CLR_DEFAULT) bk = bkColour;
  bool transparent = masked_ && ((style & ILD_TRANSPARENT) || bk == CLR_NONE);
  int blend = (style & ILD_BLEND50) ? 2 : (style & ILD_BLEND25) ? 4 : 0;
  Pixel blendPixel = pixelFromColor(fg == CLR_DEFAULT || fg == CLR_NONE ? GetSysColor(COLOR_HIGHLIGHT) : fg);
  Pixel bkPixel = pixelFromColor(bk);
  POINT o = dc.origin();
  const Surface& images = images_->surface();  // 32 bits
  const Surface& masks = masks_->surface();    // 1 bit
  // The value a pixel of the image takes over the target's value `d`.
  auto shade = [&](bool hole, Pixel p, Pixel d) -> Pixel {
    if (style & ILD_MASK) return hole ? 0xFFFFFFu : 0u;
    p &= 0xFFFFFFu;
    if (blend && !hole) {
      Pixel out = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        unsigned c = (p >> shift) & 0xFF, f = (blendPixel >> shift) & 0xFF;
        out |= static_cast<Pixel>(blend == 2 ? (c + f) / 2 : (3 * c + f) / 4) << shift;
      }
      p = out;
    }
    if (!hole) return p;
    return transparent ? d ^ p : bkPixel;
  };
  const bool wide = target->bpp() == 32;
  dc.forEachClipped(RECT{at.x, at.y, at.x + w, at.y + h}, [&](const RECT& r) {
    for (int y = r.top; y < r.bottom; ++y) {
      const int iy = y - o.y - at.y;
      const Pixel* image = images.row32(iy);
      const BYTE* mask = masks.row(iy);
      for (int x = r.left; x < r.right; ++x) {
        const int ix = index * cx_ + (x - o.x - at.x);
        const bool hole = masked_ && ((mask[ix >> 3] >> (7 - (ix & 7))) & 1u);
        if (wide) {
          Pixel& t = target->row32(y)[x];
          t = shade(hole, image[ix], t);
        } else {
          writeValue(*target, x, y, shade(hole, image[ix], readValue(*target, x, y)));
        }
      }
    }
  });
}

HBITMAP ImageListObject::imageHandle() {
  reserve(1);
  if (!imageHandle_ && images_) imageHandle_ = static_cast<HBITMAP>(insertGdiObject(images_));
  return imageHandle_;
}

HBITMAP ImageListObject::maskHandle() {
  reserve(1);
  if (!maskHandle_ && masks_) maskHandle_ = static_cast<HBITMAP>(insertGdiObject(masks_));
  return maskHandle_;
}

}  // namespace wavorel::gdi
