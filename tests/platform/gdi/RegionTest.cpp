#include <vector>

#include "GdiTestSupport.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/gdi/Region.h"

namespace {

class RegionTest : public wavorel::testing::PlatformTest {};

std::vector<RECT> rectsOf(HRGN region) {
  DWORD size = GetRegionData(region, 0, nullptr);
  std::vector<BYTE> buffer(size);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  EXPECT_EQ(GetRegionData(region, size, data), size);
  std::vector<RECT> rects(data->rdh.nCount);
  std::memcpy(rects.data(), buffer.data() + sizeof(RGNDATAHEADER), rects.size() * sizeof(RECT));
  return rects;
}

std::string text(const std::vector<RECT>& rects) {
  std::string s;
  for (const RECT& r : rects)
    s += "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
  return s;
}

HRGN regionFromRects(const std::vector<RECT>& rects) {
  std::vector<BYTE> buffer(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = static_cast<DWORD>(rects.size());
  std::memcpy(buffer.data() + sizeof(RGNDATAHEADER), rects.data(), rects.size() * sizeof(RECT));
  return ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data);
}

TEST_F(RegionTest, CombineGivesBandedRectanglesAndComplexity) {
  struct Case {
    int mode;
    int result;
    const char* rects;
  };
  const Case cases[] = {
      {RGN_AND, SIMPLEREGION, "(2,2,4,4)"},
      {RGN_OR, COMPLEXREGION, "(0,0,4,2)(0,2,6,4)(2,4,6,6)"},
      {RGN_XOR, COMPLEXREGION, "(0,0,4,2)(0,2,2,4)(4,2,6,4)(2,4,6,6)"},
      {RGN_DIFF, COMPLEXREGION, "(0,0,4,2)(0,2,2,4)"},
      {RGN_COPY, SIMPLEREGION, "(0,0,4,4)"},
  };
  HRGN a = CreateRectRgn(0, 0, 4, 4), b = CreateRectRgn(6, 6, 2, 2);  // corners in any order
  for (const Case& c : cases) {
    HRGN out = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(out, a, b, c.mode), c.result) << c.mode;
    EXPECT_EQ(text(rectsOf(out)), c.rects) << c.mode;
    DeleteObject(out);
  }
  // Into one of its own sources; disjoint AND is empty; stacked rectangles merge.
  HRGN far = CreateRectRgn(10, 10, 12, 12);
  EXPECT_EQ(CombineRgn(b, b, far, RGN_AND), NULLREGION);
  HRGN lower = CreateRectRgn(0, 4, 4, 9);
  EXPECT_EQ(CombineRgn(a, a, lower, RGN_OR), SIMPLEREGION);
  RECT box{};
  EXPECT_EQ(GetRgnBox(a, &box), SIMPLEREGION);
  EXPECT_EQ(text({box}), "(0,0,4,9)");
  EXPECT_EQ(CombineRgn(a, a, nullptr, RGN_OR), ERROR);
  for (HRGN r : {a, b, far, lower}) DeleteObject(r);
}

TEST_F(RegionTest, RegionFromKeyedBitmapRowsHasExactlyTheNonKeyRectangles) {
  // Yellow (the key, RGB(255, 255, 0) = 0x00FFFF) cuts the corners and a
  // one-pixel column in the middle.
  gditest::Canvas skin({"y..y..y", "...y...", "...y...", "...y...", "y..y..y"},
                       {{'.', RGB(10, 20, 30)}, {'y', 0x00FFFF}});
  // Rows of runs of non-key pixels, in batches ORed together as a skin does.
  HRGN result = nullptr;
  std::vector<RECT> batch;
  auto flush = [&] {
    HRGN part = regionFromRects(batch);
    ASSERT_NE(part, nullptr);
    if (!result) result = part;
    else {
      CombineRgn(result, result, part, RGN_OR);
      DeleteObject(part);
    }
    batch.clear();
  };
  for (int y = 0; y < skin.height; ++y)
    for (int x = 0; x < skin.width;) {
      int end = x;
      while (end < skin.width && skin.at(end, y) != 0x00FFFF) ++end;
      if (end > x) batch.push_back({x, y, end, y + 1});
      if (batch.size() == 3) flush();
      x = end + 1;
    }
  if (!batch.empty()) flush();
  EXPECT_EQ(text(rectsOf(result)), "(1,0,3,1)(4,0,6,1)(0,1,3,4)(4,1,7,4)(1,4,3,5)(4,4,6,5)");
  EXPECT_FALSE(PtInRegion(result, 3, 2));
  EXPECT_FALSE(PtInRegion(result, 0, 0));
  EXPECT_TRUE(PtInRegion(result, 6, 3));
  RECT column{3, 0, 4, 5}, edge{2, 4, 4, 6};
  EXPECT_FALSE(RectInRegion(result, &column));
  EXPECT_TRUE(RectInRegion(result, &edge));
  // The same pixels built another way are equal.
  HRGN other = CreateRectRgn(0, 0, 7, 5);
  HRGN cut = regionFromRects({{3, 0, 4, 5}, {0, 0, 1, 1}, {6, 0, 7, 1}, {0, 4, 1, 5}, {6, 4, 7, 5}});
  CombineRgn(other, other, cut, RGN_DIFF);
  EXPECT_TRUE(EqualRgn(result, other));
  EXPECT_EQ(OffsetRgn(other, 1, 0), COMPLEXREGION);
  EXPECT_FALSE(EqualRgn(result, other));
  for (HRGN r : {result, other, cut}) DeleteObject(r);
}

// A region made from a list of rectangles is their union as ORing them one
// by one gives it: the same banded rectangles, whatever the list's order,
// overlaps, touching edges, gaps and empty rectangles.
TEST_F(RegionTest, RegionFromRectanglesIsTheirUnion) {
  std::vector<std::vector<RECT>> cases = {
      {{0, 0, 10, 10}, {5, 5, 15, 15}},                      // staggered overlap
      {{5, 0, 10, 5}, {0, 0, 5, 5}},                          // touching side by side, out of order
      {{0, 0, 5, 5}, {0, 5, 5, 10}, {0, 10, 5, 12}},          // touching one above the other
      {{0, 0, 20, 20}, {5, 5, 10, 10}, {0, 0, 20, 20}},       // nested and repeated
      {{0, 0, 5, 5}, {3, 3, 3, 9}, {0, 10, 5, 15}, {9, 9, 14, 9}},  // a gap, empty rectangles
      {{0, 0, 2, 1}, {4, 0, 6, 1}, {0, 1, 6, 2}, {0, 2, 2, 3}, {4, 2, 6, 3}},  // rows of a ring
      {{-8, -3, 4, 7}, {2, -5, 9, 1}, {-2, 0, 1, 12}},       // negative coordinates
  };
  uint32_t seed = 12345;
  auto next = [&seed](int range) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<LONG>((seed >> 16) % static_cast<uint32_t>(range));
  };
  std::vector<RECT> random;
  for (int i = 0; i < 300; ++i) {
    LONG x = next(200), y = next(200);
    random.push_back({x, y, x + 1 + next(40), y + 1 + next(40)});
  }
  cases.push_back(random);
  for (const auto& rects : cases) {
    HRGN made = regionFromRects(rects);
    ASSERT_NE(made, nullptr);
    HRGN ored = CreateRectRgn(0, 0, 0, 0);
    for (const RECT& r : rects) {
      HRGN one = CreateRectRgnIndirect(&r);
      CombineRgn(ored, ored, one, RGN_OR);
      DeleteObject(one);
    }
    EXPECT_EQ(text(rectsOf(made)), text(rectsOf(ored))) << text(rects);
    DeleteObject(made);
    DeleteObject(ored);
  }
}

TEST_F(RegionTest, OneRectangleCutAddedOrTakenAwayMatchesTheGeneralCombination) {
  using wavorel::Region;
  // Empty; a ring; two bands alike inside x 4..6 only (cut there they
  // merge); a scattered union.
  const std::vector<std::vector<RECT>> shapes = {
      {},
      {{0, 0, 6, 1}, {0, 1, 2, 3}, {4, 1, 6, 3}, {0, 3, 6, 4}},
      {{0, 0, 10, 2}, {4, 2, 6, 4}, {0, 4, 10, 6}},
      {{-5, -5, 3, 2}, {8, 0, 12, 9}, {1, 6, 9, 7}, {20, 20, 21, 40}, {0, 30, 30, 31}},
  };
  const RECT rects[] = {{-100, -100, 100, 100}, {4, 0, 6, 6},   {1, 1, 5, 3},   {0, 2, 10, 4}, {50, 50, 60, 60},
                        {3, 3, 3, 9},           {-3, -2, 11, 8}, {0, 0, 1, 100}, {5, 1, 21, 35}};
  struct Change {
    const char* name;
    void (Region::*apply)(const RECT&);
    Region::Op op;
  };
  const Change changes[] = {{"intersect", &Region::intersect, Region::Op::And},
                            {"add", &Region::add, Region::Op::Or},
                            {"subtract", &Region::subtract, Region::Op::Diff}};
  for (const auto& shape : shapes)
    for (const RECT& r : rects)
      for (const Change& change : changes) {
        const Region region = Region::fromRects(shape.data(), shape.size());
        Region changed = region;
        (changed.*change.apply)(r);
        const Region expected = Region::combine(region, Region(r), change.op);
        EXPECT_EQ(text(changed.rects()), text(expected.rects()))
            << text(shape) << " " << change.name << " " << text({r});
        EXPECT_EQ(text({changed.bounds()}), text({expected.bounds()}));
      }
}

TEST_F(RegionTest, MalformedRegionDataIsRefused) {
  std::vector<BYTE> buffer(sizeof(RGNDATAHEADER) + 2 * sizeof(RECT));
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  auto reset = [&] {
    data->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, 2, 0, {0, 0, 0, 0}};
    RECT rects[2] = {{0, 0, 2, 2}, {5, 5, 1, 1}};  // the second is empty and ignored
    std::memcpy(buffer.data() + sizeof(RGNDATAHEADER), rects, sizeof(rects));
  };
  reset();
  HRGN good = ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data);
  ASSERT_NE(good, nullptr);
  EXPECT_EQ(text(rectsOf(good)), "(0,0,2,2)");
  data->rdh.nCount = 3;  // more rectangles than the size holds
  EXPECT_EQ(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data), nullptr);
  data->rdh.nCount = 0x40000000;
  EXPECT_EQ(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data), nullptr);
  reset();
  data->rdh.dwSize = 16;
  EXPECT_EQ(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data), nullptr);
  reset();
  EXPECT_EQ(ExtCreateRegion(nullptr, 8, data), nullptr);
  // Region data into too small a buffer gives 0 and writes nothing past it.
  EXPECT_EQ(GetRegionData(good, sizeof(RGNDATAHEADER), data), 0u);
  DeleteObject(good);
  EXPECT_EQ(GetRegionData(good, 0, nullptr), 0u);  // stale handle
}

LRESULT CALLBACK plainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

TEST_F(RegionTest, WindowOwnsItsRegionUntilReplacedOrDestroyed) {
  WNDCLASS wc{};
  wc.lpfnWndProc = plainProc;
  wc.lpszClassName = "RegionTestWindow";
  ASSERT_NE(RegisterClass(&wc), 0);
  HWND hwnd = CreateWindowEx(0, "RegionTestWindow", "", WS_POPUP, 0, 0, 50, 40, nullptr, nullptr, nullptr, nullptr);
  HRGN first = CreateRectRgn(0, 0, 10, 10), second = CreateRectRgn(5, 5, 20, 20);
  ASSERT_EQ(SetWindowRgn(hwnd, first, FALSE), 1);
  ASSERT_EQ(SetWindowRgn(hwnd, second, FALSE), 1);
  EXPECT_EQ(GetObjectType(first), 0u);  // the window deleted the region it held
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(hwnd, copy), SIMPLEREGION);
  EXPECT_TRUE(EqualRgn(copy, second));
  DestroyWindow(hwnd);
  EXPECT_EQ(GetObjectType(second), 0u);
  EXPECT_EQ(GetObjectType(copy), static_cast<DWORD>(OBJ_REGION));
  DeleteObject(copy);
}

}  // namespace
