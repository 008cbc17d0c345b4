// A region as a set of non-overlapping rectangles, and the table of region
// handles (HRGN). The window manager keeps window regions and update regions
// in this form; the drawing layer builds its region functions on the same type.
#pragma once

#include <memory>
#include <vector>

#include "platform/win/Types.h"

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
  Region() = default;
  explicit Region(const RECT& r);

  bool empty() const { return rects_.empty(); }
  // The smallest rectangle holding the region ({0,0,0,0} when empty).
  RECT bounds() const;
  bool contains(LONG x, LONG y) const;
  void add(const RECT& r);
  void subtract(const RECT& r);
  void intersect(const RECT& r);
  void offset(LONG dx, LONG dy);
  void clear() { rects_.clear(); }
  // NULLREGION, SIMPLEREGION or COMPLEXREGION.
  int complexity() const;
  const std::vector<RECT>& rects() const { return rects_; }

 private:
  std::vector<RECT> rects_;
};

// Region handles.
HRGN insertRegion(std::shared_ptr<Region> region);
std::shared_ptr<Region> regionFromHandle(HRGN handle);
bool deleteRegion(HRGN handle);

}  // namespace wavorel
