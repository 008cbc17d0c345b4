// Painting a rectangle around a hole gives the pixels of excluding the hole
// from the clip and filling the rectangle, whatever the corners' order, the
// overlap and the DC's own clip, and leaves the DC's background colour.
#include <vector>

#include "WidgetTestSupport.h"
#include "widgets/FillAround.h"

namespace {

using widgets_test::Canvas;

class FillAroundTest : public widgets_test::WidgetTest {};

// Both canvases start with the same pattern of colours.
void paintPattern(Canvas& canvas) {
  for (int y = 0; y < canvas.height(); y += 3)
    for (int x = 0; x < canvas.width(); x += 5)
      canvas.dc()->FillSolidRect(x, y, 5, 3, RGB(x * 7 % 256, y * 13 % 256, (x + y) % 256));
}

TEST_F(FillAroundTest, SamePixelsAsFillingWithTheHoleClippedOut) {
  struct Case {
    const char* name;
    CRect area;
    CRect hole;
    CRect clip;  // empty: no clip region
  };
  const Case cases[] = {
      {"bar inside a cell", {10, 10, 90, 27}, {11, 15, 88, 22}, {}},
      {"hole past the area's edges", {10, 10, 50, 30}, {40, 5, 70, 20}, {}},
      {"hole over everything", {20, 20, 40, 30}, {10, 10, 60, 60}, {}},
      {"hole elsewhere", {5, 5, 25, 15}, {40, 40, 50, 50}, {}},
      {"hole with corners swapped", {10, 10, 30, 20}, {25, 15, 12, 18}, {}},
      {"narrow cell: hole turned inside out", {30, 30, 33, 36}, {31, 35, 31, 31}, {}},
      {"area with corners swapped", {60, 40, 20, 10}, {30, 20, 40, 30}, {}},
      {"empty hole", {10, 10, 40, 20}, {20, 12, 20, 18}, {}},
      {"clip region cutting both", {10, 10, 90, 40}, {20, 15, 70, 35}, {15, 0, 60, 30}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    Canvas around(100, 64);
    Canvas clipped(100, 64);
    paintPattern(around);
    paintPattern(clipped);
    for (Canvas* canvas : {&around, &clipped}) {
      canvas->dc()->SetBkColor(RGB(1, 2, 3));
      if (!k.clip.IsRectEmpty()) canvas->dc()->IntersectClipRect(&k.clip);
    }
    const COLORREF colour = RGB(200, 100, 50);
    FillAround(around.dc(), k.area, k.hole, colour);
    CDC* dc = clipped.dc();
    const int saved = dc->SaveDC();
    dc->ExcludeClipRect(&k.hole);
    dc->FillSolidRect(&k.area, colour);
    dc->RestoreDC(saved);

    EXPECT_EQ(around.dc()->GetBkColor(), RGB(1, 2, 3));
    int wrong = 0;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 100; ++x)
        if (around.Pixel(x, y) != clipped.Pixel(x, y) && ++wrong <= 5)
          ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << around.Pixel(x, y) << " where "
                        << clipped.Pixel(x, y) << " was expected";
    EXPECT_EQ(wrong, 0);
  }
}

}  // namespace
