// A region as a set of rectangles in y-x banded form (as Windows keeps them):
// rows of rectangles (bands) sorted from the top, every rectangle of a band
// having the band's top and bottom, sorted from the left and neither
// overlapping nor touching; bands that touch vertically with the same
// rectangles are merged. This form is unique for a given set of pixels, so
// two regions are equal exactly when their rectangle lists are.
//
// Every change of a region's pixels gives it a new version number (unique in
// the process; an empty region has 0), and a copy keeps its original's, so
// a holder can tell "unchanged" by comparing one number: equal versions mean
// equal regions (different versions may still hold the same pixels).
//
// The window manager keeps window regions and update regions in this form; the
// drawing layer builds clipping and the region functions on it. HRGN handles
// are GDI objects (see platform/win/gdi/GdiObject.h).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/win/kernel/Types.h"

// Region complexity results.
#ifndef NULLREGION
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3
#endif
#ifndef RGN_ERROR
#define RGN_ERROR 0
#endif

namespace wavorel {

class Region {
 public:
  enum class Op { And, Or, Xor, Diff };

  Region() = default;
  explicit Region(const RECT& r);
  // The union of any rectangles (overlapping ones included; empty ones are
  // ignored).
  static Region fromRects(const RECT* rects, size_t count);
  static Region combine(const Region& a, const Region& b, Op op);

  bool empty() const { return rects_.empty(); }
  // The smallest rectangle holding the region ({0,0,0,0} when empty).
  RECT bounds() const { return bounds_; }
  bool contains(LONG x, LONG y) const;
  // True when some pixel of `r` is in the region.
  bool intersects(const RECT& r) const;
  void add(const RECT& r);
  void subtract(const RECT& r);
  void intersect(const RECT& r);
  void offset(LONG dx, LONG dy);
  void clear();
  // NULLREGION, SIMPLEREGION or COMPLEXREGION.
  int complexity() const;
  const std::vector<RECT>& rects() const { return rects_; }
  bool operator==(const Region& other) const;
  bool operator!=(const Region& other) const { return !(*this == other); }
  uint64_t version() const { return version_; }

 private:
  void finish();

  std::vector<RECT> rects_;
  RECT bounds_{0, 0, 0, 0};
  uint64_t version_ = 0;
};

// Region handles (GDI region objects).
HRGN insertRegion(std::shared_ptr<Region> region);
std::shared_ptr<Region> regionFromHandle(HRGN handle);
bool deleteRegion(HRGN handle);

}  // namespace wavorel
