#include "platform/win/gdi/ImageListObject.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/win/user/User.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/ImageList.h"
#include "platform/win/gdi/Raster.h"

namespace wavorel::gdi {

namespace {

// Bit `x` of a monochrome row (the leftmost pixel in the high bit).
bool bitAt(const BYTE* row, int x) { return (row[x >> 3] >> (7 - (x & 7))) & 1u; }

void setBit(BYTE* row, int x, bool on) {
  const BYTE bit = static_cast<BYTE>(0x80u >> (x & 7));
  row[x >> 3] = static_cast<BYTE>(on ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit));
}

// Copies `n` pixels of a monochrome row from column `from` to column `to` of
// another; whole bytes at once where both start on a byte.
void copyBits(const BYTE* source, int from, BYTE* target, int to, int n) {
  int i = 0;
  if ((from & 7) == 0 && (to & 7) == 0) {
    std::memcpy(target + (to >> 3), source + (from >> 3), static_cast<size_t>(n >> 3));
    i = n & ~7;
  }
  for (; i < n; ++i) setBit(target, to + i, bitAt(source, from + i));
}

}  // namespace

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
  const int used = count_ * cx_;
  for (int y = 0; y < cy_ && images_; ++y) {
    std::memcpy(images->surface().row32(y), images_->surface().row32(y), static_cast<size_t>(used) * 4);
    copyBits(masks_->surface().row(y), 0, masks->surface().row(y), 0, used);
  }
  dropHandles();
  images_ = std::move(images);
  masks_ = std::move(masks);
}

void ImageListObject::put(int index, const Surface& source, int sourceX, const Surface* mask, COLORREF key) {
  int capacity = images_ ? images_->surface().width() / cx_ : 0;
  if (index >= capacity) reserve(std::max(index + 1, capacity * 2));
  if (!images_ || index < 0 || index > count_) return;
  const Pixel keyPixel = pixelFromColor(key) & 0xFFFFFFu;
  const bool keyed = masked_ && key != CLR_NONE;
  // The columns of the image that lie inside the source, and inside the mask;
  // pixels outside the source are black, outside the mask opaque.
  const int first = std::clamp(-sourceX, 0, cx_);
  const int last = std::clamp(source.width() - sourceX, first, cx_);
  const int maskLast = masked_ && mask ? std::clamp(mask->width() - sourceX, first, cx_) : first;
  std::vector<Pixel> holes(static_cast<size_t>(cx_));
  for (int y = 0; y < cy_; ++y) {
    // The colours go straight into the list's row.
    Pixel* image = images_->surface().row32(y) + static_cast<size_t>(index) * cx_;
    const bool inSource = y < source.height();
    std::fill(image, image + (inSource ? first : cx_), Pixel{0});
    if (inSource) {
      readRow(source, y, sourceX + first, last - first, image + first);
      std::fill(image + last, image + cx_, Pixel{0});
    }
    const bool inMask = maskLast > first && y < mask->height();
    if (inMask) readRow(*mask, y, sourceX + first, maskLast - first, holes.data() + first);
    // Whether pixel x is transparent; key-coloured pixels turn black and
    // transparent. (Holes outside the mask's columns stay 0.)
    auto hole = [&](int x) {
      const bool keyHole = keyed && (image[x] & 0xFFFFFFu) == keyPixel;
      if (keyHole) image[x] = 0;
      return keyHole || (inMask && (holes[static_cast<size_t>(x)] & 0xFFFFFFu) != 0);
    };
    // The mask bits: single bits up to a byte boundary, then whole bytes.
    BYTE* bits = masks_->surface().row(y);
    const int base = index * cx_;
    int x = 0;
    for (; x < cx_ && ((base + x) & 7) != 0; ++x) setBit(bits, base + x, hole(x));
    for (; x + 8 <= cx_; x += 8) {
      unsigned byte = 0;
      for (int k = 0; k < 8; ++k) byte = (byte << 1) | (hole(x + k) ? 1u : 0u);
      bits[(base + x) >> 3] = static_cast<BYTE>(byte);
    }
    for (; x < cx_; ++x) setBit(bits, base + x, hole(x));
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
  for (int y = 0; y < cy_; ++y) {
    std::memcpy(colour->surface().row32(y), images_->surface().row32(y) + static_cast<size_t>(index) * cx_,
                static_cast<size_t>(cx_) * 4);
    if (masked_) copyBits(masks_->surface().row(y), index * cx_, mask->surface().row(y), 0, cx_);
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
  // Colour images on 32 bits, the usual drawing: no call per pixel.
  const bool plain = wide && !(style & ILD_MASK) && !blend;
  dc.forEachClipped(RECT{at.x, at.y, at.x + w, at.y + h}, [&](const RECT& r) {
    for (int y = r.top; y < r.bottom; ++y) {
      const int iy = y - o.y - at.y;
      const Pixel* image = images.row32(iy);
      const BYTE* mask = masks.row(iy);
      if (plain) {
        Pixel* t = target->row32(y);
        for (int x = r.left; x < r.right; ++x) {
          const int ix = index * cx_ + (x - o.x - at.x);
          const Pixel p = image[ix] & 0xFFFFFFu;
          if (!masked_ || !bitAt(mask, ix)) t[x] = p;
          else t[x] = transparent ? t[x] ^ p : bkPixel;
        }
        continue;
      }
      for (int x = r.left; x < r.right; ++x) {
        const int ix = index * cx_ + (x - o.x - at.x);
        const bool hole = masked_ && bitAt(mask, ix);
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
