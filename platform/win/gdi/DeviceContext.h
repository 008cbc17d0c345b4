// Device contexts and the drawing API the GDI functions are built on.
//
// A DeviceContext draws into a target bitmap: for a memory DC the bitmap
// selected into it; for a window or screen DC the backing surface of the
// top-level window (or the screen), at the window's offset in it. The screen's
// surface is only made when something draws on a screen DC or reads its
// pixels: a screen DC taken to measure text or ask the device's capabilities
// costs no screen-sized bitmap.
//
// Coordinates:
//   logical  - what the program passes (MM_TEXT only);
//   device   - logical - window origin + viewport origin (toDevice());
//   target   - device + the DC's offset in its target (0 for memory DCs).
// The clip region of the DC (SelectClipRgn and friends) is kept in device
// coordinates; the effective clip (targetClip()) is that region moved to
// target coordinates and cut to the visible area and the target's bounds.
//
// Drawing primitives for shape and text code. They take DEVICE coordinates,
// clip against targetClip() and do nothing when no bitmap can be drawn:
//   fillSpan(y, x0, x1, colour)     row [x0, x1) with the DC's ROP2
//   plot(x, y, colour)               one pixel with the DC's ROP2
//   blendPixel(x, y, colour, alpha)  colour over the pixel with coverage
//                                    alpha (0..255), ignoring ROP2
//   blendSpan(y, x, cover, n, colour) the same for n pixels of a row from x,
//                                    cover[i] the coverage of pixel x + i
//                                    (a glyph's row)
//   blendMask(x, y, cover, w, h, stride, colour) the same for a w x h block
//                                    from (x, y), cover rows `stride` apart
//                                    (a whole glyph)
//   fillRect(rect, colour)           rectangle with the DC's ROP2
//   paintRect(rect, brush, rop3)     rectangle with a brush and a ternary
//                                    raster operation (PatBlt, FillRect)
// Colours are COLORREFs; on a monochrome target they become black or white
// (the nearer), on 4/8-bit targets the nearest colour-table entry.
// dcFromHandle(hdc) gives the DeviceContext of a handle (null when invalid).
#pragma once

#include <memory>
#include <vector>

#include "platform/win/gdi/Region.h"
#include "platform/win/gdi/Bitmap.h"
#include "platform/win/gdi/Brush.h"
#include "platform/win/gdi/GdiObject.h"
#include "platform/win/gdi/Pen.h"

namespace wavorel::gdi {

// Everything SaveDC keeps and RestoreDC brings back.
struct DcState {
  enum Slot { kBitmap, kBrush, kPen, kFont, kPalette, kSlotCount };
  struct Selection {
    HGDIOBJ handle = nullptr;
    std::shared_ptr<GdiObject> object;
  };
  Selection selected[kSlotCount];
  COLORREF bkColor = RGB(255, 255, 255);
  COLORREF textColor = RGB(0, 0, 0);
  int bkMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  int stretchMode = BLACKONWHITE;
  UINT textAlign = 0;
  POINT current{0, 0};
  POINT windowOrg{0, 0};
  POINT viewportOrg{0, 0};
  POINT brushOrg{0, 0};
  bool hasClip = false;
  Region clip;  // device coordinates
};

class DeviceContext : public GdiObject {
 public:
  // A memory DC with the stock 1 x 1 monochrome bitmap selected.
  static std::shared_ptr<DeviceContext> makeMemory();
  // A DC over `target` (a window or screen surface): device (0, 0) is
  // `origin` in the target, and drawing stays inside `visible` (target
  // coordinates). `window` is the window it was taken for (null: the screen).
  static std::shared_ptr<DeviceContext> makeView(std::shared_ptr<Bitmap> target, POINT origin, Region visible,
                                                 HWND window);
  // A DC over the whole screen (GetDC(NULL)).
  static std::shared_ptr<DeviceContext> makeScreen();
  ~DeviceContext() override;

  bool isMemory() const { return type() == OBJ_MEMDC; }
  HWND window() const { return window_; }
  DcState& state() { return state_; }
  const DcState& state() const { return state_; }

  // The target bitmap (null for nothing drawable); for a screen DC, made on
  // first use.
  Bitmap* target() const { return isMemory() ? selectedBitmap() : viewTarget(); }
  Surface* surface() const {
    Bitmap* b = target();
    return b ? &b->surface() : nullptr;
  }
  Bitmap* selectedBitmap() const { return static_cast<Bitmap*>(state_.selected[DcState::kBitmap].object.get()); }
  Brush* brush() const { return static_cast<Brush*>(state_.selected[DcState::kBrush].object.get()); }
  Pen* pen() const { return static_cast<Pen*>(state_.selected[DcState::kPen].object.get()); }
  GdiObject* font() const { return state_.selected[DcState::kFont].object.get(); }

  // Replaces the object in `slot` and hands back the previous handle.
  // Bitmaps: fails (null) when the bitmap is selected into another DC.
  HGDIOBJ select(DcState::Slot slot, HGDIOBJ handle, std::shared_ptr<GdiObject> object);
  // SaveDC / RestoreDC (level > 0: that level; < 0: relative to the top).
  int save();
  bool restore(int level);

  // Coordinates.
  POINT toDevice(POINT logical) const;
  RECT toDevice(const RECT& logical) const;  // normalised
  POINT toLogical(POINT device) const;
  POINT origin() const { return origin_; }

  // Clipping (device coordinates).
  void setClip(const Region* region);  // null: no clip region
  // The drawable area without a clip region, in device coordinates.
  Region deviceArea() const;
  // The clip region as drawing sees it, in target coordinates.
  const Region& targetClip();
  // The bounds of the effective clip in device coordinates.
  RECT deviceClipBox();
  // Calls f(rect) for each piece of `deviceRect` inside the clip, in target
  // coordinates.
  template <class F>
  void forEachClipped(const RECT& deviceRect, F f) {
    RECT t{deviceRect.left + origin_.x, deviceRect.top + origin_.y, deviceRect.right + origin_.x,
           deviceRect.bottom + origin_.y};
    for (const RECT& c : targetClip().rects()) {
      if (c.top >= t.bottom) break;
      RECT i{c.left > t.left ? c.left : t.left, c.top > t.top ? c.top : t.top, c.right < t.right ? c.right : t.right,
             c.bottom < t.bottom ? c.bottom : t.bottom};
      if (i.left < i.right && i.top < i.bottom) f(i);
    }
  }

  // Drawing primitives (see the top of this file).
  void fillSpan(LONG y, LONG x0, LONG x1, COLORREF colour);
  void plot(LONG x, LONG y, COLORREF colour);
  void blendPixel(LONG x, LONG y, COLORREF colour, BYTE alpha);
  void blendSpan(LONG y, LONG x, const BYTE* cover, int n, COLORREF colour);
  void blendMask(LONG x, LONG y, const BYTE* cover, int width, int height, int stride, COLORREF colour);
  // A mask for blendMasksOver: blendMask's arguments and the mask already
  // blended over a background (target pixel values, rows `stride` apart).
  struct MaskOver {
    LONG x, y;
    const BYTE* cover;
    const Pixel* tinted;
    int width, height, stride;
  };
  // blendMask of each mask in turn (the glyphs of a run): target pixels
  // holding `back` take the tinted values. The result is the same as
  // blendMask's.
  void blendMasksOver(const MaskOver* masks, size_t count, COLORREF colour, Pixel back);
  void fillRect(const RECT& rect, COLORREF colour);
  void paintRect(const RECT& rect, const Brush& brush, DWORD rop3);
  // The pixel value a colour has on this DC's target (see Raster.h).
  Pixel targetValue(COLORREF colour) const;

 private:
  DeviceContext(DWORD type, HWND window) : GdiObject(type), window_(window) {}
  void changeSelection(DcState::Selection& slot, HGDIOBJ handle, std::shared_ptr<GdiObject> object);
  void adopt(DcState& from);
  Bitmap* viewTarget() const;
  // The target's size, without making a screen DC's surface; {0, 0} for none.
  SIZE targetSize() const;

  HWND window_;
  bool screen_ = false;
  mutable std::shared_ptr<Bitmap> view_;  // target of a window/screen DC
  POINT origin_{0, 0};
  Region visible_;  // window/screen DCs: drawable part of the target
  DcState state_;
  std::vector<DcState> saved_;
  bool clipDirty_ = true;
  Region targetClip_;
};

std::shared_ptr<DeviceContext> dcFromHandle(HDC handle);

}  // namespace wavorel::gdi
