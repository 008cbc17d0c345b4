#include "platform/win/gdi/Region.h"

#include <algorithm>
#include <atomic>

namespace wavorel {

namespace {

std::atomic<uint64_t> g_lastVersion{0};

bool isEmptyRect(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// Whether rectangle `outer` holds all of `inner`, and whether two non-empty
// rectangles share a pixel.
bool covers(const RECT& outer, const RECT& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
         outer.bottom >= inner.bottom;
}
bool overlaps(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A band of a banded rectangle list: rectangles [begin, end) share top and bottom.
struct Band {
  LONG top;
  LONG bottom;
  size_t begin;
  size_t end;
};

std::vector<Band> bandsOf(const std::vector<RECT>& rects) {
  std::vector<Band> bands;
  for (size_t i = 0; i < rects.size();) {
    size_t j = i + 1;
    while (j < rects.size() && rects[j].top == rects[i].top) ++j;
    bands.push_back({rects[i].top, rects[i].bottom, i, j});
    i = j;
  }
  return bands;
}

bool apply(Region::Op op, bool a, bool b) {
  switch (op) {
    case Region::Op::And:
      return a && b;
    case Region::Op::Or:
      return a || b;
    case Region::Op::Xor:
      return a != b;
    case Region::Op::Diff:
      return a && !b;
  }
  return false;
}

// Combines the x-spans of two bands (each sorted and disjoint) into `out` as
// [left, right) pairs.
void combineSpans(const RECT* a, size_t na, const RECT* b, size_t nb, Region::Op op, std::vector<LONG>& out) {
  out.clear();
  size_t ea = 0, eb = 0;  // edges passed: even = outside, odd = inside
  const size_t ta = na * 2, tb = nb * 2;
  auto edgeA = [&](size_t k) { return (k & 1) ? a[k / 2].right : a[k / 2].left; };
  auto edgeB = [&](size_t k) { return (k & 1) ? b[k / 2].right : b[k / 2].left; };
  bool open = false;
  while (ea < ta || eb < tb) {
    LONG x;
    if (eb >= tb || (ea < ta && edgeA(ea) <= edgeB(eb))) x = edgeA(ea);
    else x = edgeB(eb);
    while (ea < ta && edgeA(ea) == x) ++ea;
    while (eb < tb && edgeB(eb) == x) ++eb;
    bool inside = apply(op, (ea & 1) != 0, (eb & 1) != 0);
    if (inside != open) {
      out.push_back(x);
      open = inside;
    }
  }
}

// Appends a band of spans, merging it into the previous band when that one
// ends where this one starts with the same spans.
void appendBand(std::vector<RECT>& rects, size_t& lastBand, LONG top, LONG bottom, const std::vector<LONG>& spans) {
  if (spans.empty()) return;
  size_t count = spans.size() / 2;
  if (lastBand < rects.size() && rects[lastBand].bottom == top && rects.size() - lastBand == count) {
    bool same = true;
    for (size_t i = 0; i < count && same; ++i)
      same = rects[lastBand + i].left == spans[2 * i] && rects[lastBand + i].right == spans[2 * i + 1];
    if (same) {
      for (size_t i = lastBand; i < rects.size(); ++i) rects[i].bottom = bottom;
      return;
    }
  }
  lastBand = rects.size();
  for (size_t i = 0; i < count; ++i) rects.push_back({spans[2 * i], top, spans[2 * i + 1], bottom});
}

}  // namespace

Region::Region(const RECT& r) {
  if (!isEmptyRect(r)) rects_.push_back(r);
  finish();
}

Region Region::fromRects(const RECT* rects, size_t count) {
  // A sweep down the rectangles' top and bottom edges: the band between two
  // edges holds the union of the x-ranges of the rectangles crossing it (a
  // scan of a picture gives one rectangle per run of a row: a few at a time).
  std::vector<RECT> sorted;
  sorted.reserve(count);
  for (size_t i = 0; i < count; ++i)
    if (!isEmptyRect(rects[i])) sorted.push_back(rects[i]);
  if (sorted.empty()) return Region();
  std::sort(sorted.begin(), sorted.end(), [](const RECT& a, const RECT& b) { return a.top < b.top; });
  std::vector<LONG> edges;
  edges.reserve(sorted.size() * 2);
  for (const RECT& r : sorted) {
    edges.push_back(r.top);
    edges.push_back(r.bottom);
  }
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

  Region result;
  size_t lastBand = SIZE_MAX;
  size_t next = 0;
  std::vector<RECT> active;  // the rectangles crossing the current band
  std::vector<LONG> spans;
  for (size_t e = 0; e + 1 < edges.size(); ++e) {
    const LONG top = edges[e], bottom = edges[e + 1];
    active.erase(std::remove_if(active.begin(), active.end(), [&](const RECT& r) { return r.bottom <= top; }),
                 active.end());
    while (next < sorted.size() && sorted[next].top == top) active.push_back(sorted[next++]);
    if (active.empty()) continue;
    std::sort(active.begin(), active.end(), [](const RECT& a, const RECT& b) { return a.left < b.left; });
    spans.clear();
    for (const RECT& r : active) {
      if (!spans.empty() && r.left <= spans.back()) {
        spans.back() = std::max(spans.back(), r.right);  // overlapping or touching: one span
      } else {
        spans.push_back(r.left);
        spans.push_back(r.right);
      }
    }
    appendBand(result.rects_, lastBand, top, bottom, spans);
  }
  result.finish();
  return result;
}

Region Region::combine(const Region& a, const Region& b, Op op) {
  std::vector<Band> ba = bandsOf(a.rects_), bb = bandsOf(b.rects_);
  std::vector<LONG> edges;
  edges.reserve((ba.size() + bb.size()) * 2);
  for (const Band& band : ba) {
    edges.push_back(band.top);
    edges.push_back(band.bottom);
  }
  for (const Band& band : bb) {
    edges.push_back(band.top);
    edges.push_back(band.bottom);
  }
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

  Region result;
  result.rects_.reserve(a.rects_.size() + b.rects_.size());
  size_t lastBand = SIZE_MAX;
  size_t ia = 0, ib = 0;
  std::vector<LONG> spans;
  for (size_t e = 0; e + 1 < edges.size(); ++e) {
    LONG top = edges[e], bottom = edges[e + 1];
    while (ia < ba.size() && ba[ia].bottom <= top) ++ia;
    while (ib < bb.size() && bb[ib].bottom <= top) ++ib;
    bool inA = ia < ba.size() && ba[ia].top <= top;
    bool inB = ib < bb.size() && bb[ib].top <= top;
    const RECT* ra = inA ? &a.rects_[ba[ia].begin] : nullptr;
    const RECT* rb = inB ? &b.rects_[bb[ib].begin] : nullptr;
    combineSpans(ra, inA ? ba[ia].end - ba[ia].begin : 0, rb, inB ? bb[ib].end - bb[ib].begin : 0, op, spans);
    appendBand(result.rects_, lastBand, top, bottom, spans);
  }
  result.finish();
  return result;
}

void Region::finish() {
  if (rects_.empty()) {
    bounds_ = {0, 0, 0, 0};
    version_ = 0;
    return;
  }
  version_ = g_lastVersion.fetch_add(1, std::memory_order_relaxed) + 1;
  bounds_ = {rects_.front().left, rects_.front().top, rects_.front().right, rects_.back().bottom};
  for (const RECT& r : rects_) {
    bounds_.left = std::min(bounds_.left, r.left);
    bounds_.right = std::max(bounds_.right, r.right);
  }
}

bool Region::contains(LONG x, LONG y) const {
  if (x < bounds_.left || x >= bounds_.right || y < bounds_.top || y >= bounds_.bottom) return false;
  auto it = std::lower_bound(rects_.begin(), rects_.end(), y, [](const RECT& r, LONG v) { return r.bottom <= v; });
  for (; it != rects_.end() && it->top <= y; ++it)
    if (x >= it->left && x < it->right) return true;
  return false;
}

bool Region::intersects(const RECT& r) const {
  if (isEmptyRect(r)) return false;
  for (const RECT& s : rects_) {
    if (s.top >= r.bottom) break;
    if (s.bottom > r.top && s.left < r.right && s.right > r.left) return true;
  }
  return false;
}

void Region::add(const RECT& r) {
  if (isEmptyRect(r)) return;
  if (empty() || covers(r, bounds_)) *this = Region(r);
  else *this = combine(*this, Region(r), Op::Or);
}

void Region::subtract(const RECT& r) {
  if (isEmptyRect(r) || empty() || !overlaps(r, bounds_)) return;
  if (covers(r, bounds_)) clear();
  else *this = combine(*this, Region(r), Op::Diff);
}

void Region::intersect(const RECT& r) {
  if (empty()) return;
  if (isEmptyRect(r)) return clear();
  if (covers(r, bounds_)) return;
  // Each band crossing the rectangle, cut to it; bands that come out alike
  // and touch are merged, as combine() would.
  std::vector<RECT> clipped;
  std::vector<LONG> spans;
  size_t lastBand = SIZE_MAX;
  auto it = std::lower_bound(rects_.begin(), rects_.end(), r.top, [](const RECT& s, LONG v) { return s.bottom <= v; });
  for (size_t i = static_cast<size_t>(it - rects_.begin()); i < rects_.size() && rects_[i].top < r.bottom;) {
    const LONG bandTop = rects_[i].top;
    const LONG top = std::max(bandTop, r.top), bottom = std::min(rects_[i].bottom, r.bottom);
    spans.clear();
    for (; i < rects_.size() && rects_[i].top == bandTop; ++i) {
      const LONG left = std::max(rects_[i].left, r.left), right = std::min(rects_[i].right, r.right);
      if (left < right) {
        spans.push_back(left);
        spans.push_back(right);
      }
    }
    appendBand(clipped, lastBand, top, bottom, spans);
  }
  rects_.swap(clipped);
  finish();
}

void Region::offset(LONG dx, LONG dy) {
  for (RECT& r : rects_) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
  }
  finish();
}

void Region::clear() {
  rects_.clear();
  finish();
}

int Region::complexity() const {
  if (rects_.empty()) return NULLREGION;
  return rects_.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool Region::operator==(const Region& other) const {
  return rects_.size() == other.rects_.size() &&
         std::equal(rects_.begin(), rects_.end(), other.rects_.begin(), [](const RECT& x, const RECT& y) {
           return x.left == y.left && x.top == y.top && x.right == y.right && x.bottom == y.bottom;
         });
}

}  // namespace wavorel
