#include "platform/win/Region.h"

#include <algorithm>

#include "platform/win/Handles.h"

namespace wavorel {

namespace {

bool isEmptyRect(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

HandleTable<Region>& regionHandles() {
  static HandleTable<Region> table(0x00A00004, 4);
  return table;
}

// Appends the parts of `r` outside `cut` (at most four rectangles).
void appendDifference(const RECT& r, const RECT& cut, std::vector<RECT>& out) {
  if (cut.right <= r.left || cut.left >= r.right || cut.bottom <= r.top || cut.top >= r.bottom) {
    out.push_back(r);
    return;
  }
  LONG top = std::max(r.top, cut.top);
  LONG bottom = std::min(r.bottom, cut.bottom);
  if (cut.top > r.top) out.push_back({r.left, r.top, r.right, cut.top});
  if (cut.bottom < r.bottom) out.push_back({r.left, cut.bottom, r.right, r.bottom});
  if (cut.left > r.left) out.push_back({r.left, top, cut.left, bottom});
  if (cut.right < r.right) out.push_back({cut.right, top, r.right, bottom});
}

}  // namespace

Region::Region(const RECT& r) { add(r); }

RECT Region::bounds() const {
  if (rects_.empty()) return {0, 0, 0, 0};
  RECT b = rects_.front();
  for (const RECT& r : rects_) {
    b.left = std::min(b.left, r.left);
    b.top = std::min(b.top, r.top);
    b.right = std::max(b.right, r.right);
    b.bottom = std::max(b.bottom, r.bottom);
  }
  return b;
}

bool Region::contains(LONG x, LONG y) const {
  return std::any_of(rects_.begin(), rects_.end(),
                     [&](const RECT& r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; });
}

void Region::add(const RECT& r) {
  if (isEmptyRect(r)) return;
  subtract(r);
  rects_.push_back(r);
}

void Region::subtract(const RECT& cut) {
  if (isEmptyRect(cut) || rects_.empty()) return;
  std::vector<RECT> out;
  out.reserve(rects_.size() + 4);
  for (const RECT& r : rects_) appendDifference(r, cut, out);
  rects_.swap(out);
}

void Region::intersect(const RECT& clip) {
  std::vector<RECT> out;
  for (const RECT& r : rects_) {
    RECT i{std::max(r.left, clip.left), std::max(r.top, clip.top), std::min(r.right, clip.right),
           std::min(r.bottom, clip.bottom)};
    if (!isEmptyRect(i)) out.push_back(i);
  }
  rects_.swap(out);
}

void Region::offset(LONG dx, LONG dy) {
  for (RECT& r : rects_) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
  }
}

int Region::complexity() const {
  if (rects_.empty()) return NULLREGION;
  return rects_.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

HRGN insertRegion(std::shared_ptr<Region> region) {
  return reinterpret_cast<HRGN>(regionHandles().insert(std::move(region)));
}

std::shared_ptr<Region> regionFromHandle(HRGN handle) {
  return regionHandles().find(reinterpret_cast<uintptr_t>(handle));
}

bool deleteRegion(HRGN handle) { return regionHandles().remove(reinterpret_cast<uintptr_t>(handle)) != nullptr; }

}  // namespace wavorel
