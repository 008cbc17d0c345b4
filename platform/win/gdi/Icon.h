// Icon and cursor objects (HICON / HCURSOR) and their handle table.
#pragma once

#include <memory>

#include "platform/win/gdi/Bitmap.h"

namespace wavorel::gdi {

class Icon {
 public:
  // `colour` is a 32-bit top-down DIB (its alpha is used when any pixel has
  // one), `mask` a monochrome bitmap of the same size (1 = transparent).
  Icon(bool isIcon, POINT hotSpot, std::shared_ptr<Bitmap> colour, std::shared_ptr<Bitmap> mask);

  bool isIcon() const { return isIcon_; }
  POINT hotSpot() const { return hotSpot_; }
  int width() const { return colour_->surface().width(); }
  int height() const { return colour_->surface().height(); }
  const Surface& colour() const { return colour_->surface(); }
  const Surface& mask() const { return mask_->surface(); }
  bool hasAlpha() const { return hasAlpha_; }
  // A copy scaled (nearest pixel) to cx x cy (0 keeps that side).
  std::shared_ptr<Icon> scaled(int cx, int cy) const;

  bool shared = false;  // LoadIcon / LR_SHARED: DestroyIcon keeps it

 private:
  bool isIcon_;
  POINT hotSpot_;
  std::shared_ptr<Bitmap> colour_;
  std::shared_ptr<Bitmap> mask_;
  bool hasAlpha_;
};

HICON insertIcon(std::shared_ptr<Icon> icon);
std::shared_ptr<Icon> iconFromHandle(HICON handle);
bool removeIcon(HICON handle);

// Draws the icon into `dc`'s device rectangle (nearest-pixel scaling): the
// mask ANDs, then the colour XORs (or blends by alpha); DI_MASK / DI_IMAGE
// alone draw one of the two.
class DeviceContext;
void drawIcon(DeviceContext& dc, const Icon& icon, const RECT& deviceRect, UINT flags);

}  // namespace wavorel::gdi
