// CGradient: runs of solid colour along one axis, their rotation, and painting.
#include "widgets/Gradient.h"

#include <gtest/gtest.h>

#include <vector>

#include "WidgetTestSupport.h"

namespace widgets_test {
namespace {

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kYellow = 0x00FFFF;
constexpr COLORREF kGreen = 0x00FF00;

using GradientTest = WidgetTest;

std::vector<CGradElement> runsOf(CGradient& g, int length, int from, int to, int maxColours = -1) {
  CGradRuns runs;
  g.MakeRuns(runs, length, from, to, maxColours);
  std::vector<CGradElement> out;
  for (INT_PTR i = 0; i < runs.GetSize(); ++i) out.push_back(runs[i]);
  return out;
}

// The colour each pixel of a gradient laid over `length` pixels takes.
std::vector<COLORREF> pixels(CGradient& g, int length, int shift) {
  CGradRuns runs;
  g.MakeShiftedRuns(runs, shift, length, 0, -1, -1);
  std::vector<COLORREF> out;
  for (INT_PTR i = 0; i < runs.GetSize(); ++i) out.insert(out.end(), static_cast<size_t>(runs[i].length), runs[i].colour);
  return out;
}

TEST_F(GradientTest, EvenSegmentsEndAtTheirShareAndEqualColoursMakeOneRun) {
  CGradient g;
  g.SetEvenColors(4, kRed, kYellow, kYellow, kGreen);
  const std::vector<CGradElement> runs = runsOf(g, 100, 0, -1);
  // Red to yellow: one run per pixel of its 33; yellow to yellow: one run of
  // 33; yellow to green: one run per pixel of its 34.
  ASSERT_EQ(runs.size(), 33u + 1u + 34u);
  int total = 0;
  for (size_t i = 0; i < 33; ++i) total += runs[i].length;
  EXPECT_EQ(total, 33);
  EXPECT_EQ(runs[33].colour, kYellow);
  EXPECT_EQ(runs[33].length, 33);
  total = 0;
  for (size_t i = 34; i < runs.size(); ++i) total += runs[i].length;
  EXPECT_EQ(total, 34);
  EXPECT_EQ(runs.front().colour, kRed);
  EXPECT_EQ(runs.back().colour, RGB(255 - 247, 255, 0)) << "the last step of yellow to green";

  // A part of the gradient: [40, 70) lies in the middle segment and the next.
  const std::vector<CGradElement> part = runsOf(g, 100, 40, 70);
  ASSERT_FALSE(part.empty());
  EXPECT_EQ(part[0].colour, kYellow);
  EXPECT_EQ(part[0].length, 26);
  int covered = 0;
  for (const CGradElement& run : part) covered += run.length;
  EXPECT_EQ(covered, 30);
}

TEST_F(GradientTest, InterpolationStepsAreCappedAndWrapPerChannel) {
  CGradient g;
  struct Case {
    COLORREF a, b;
    int length, maxSteps;
    size_t runs;
    COLORREF second;
  };
  const Case cases[] = {
      {RGB(0, 0, 0), RGB(255, 255, 255), 10, -1, 10, RGB(25, 25, 25)},  // at most one step per pixel
      {RGB(0, 0, 0), RGB(255, 0, 0), 300, -1, 255, RGB(1, 0, 0)},
      {RGB(0, 0, 0), RGB(200, 0, 0), 300, 4, 4, RGB(50, 0, 0)},        // capped steps
      {RGB(9, 9, 9), RGB(9, 9, 9), 50, -1, 1, 0},                       // equal colours
  };
  for (const Case& c : cases) {
    CGradRuns runs;
    g.InterpolateRuns(runs, c.a, c.b, c.length, 0, -1, c.maxSteps);
    ASSERT_EQ(static_cast<size_t>(runs.GetSize()), c.runs) << c.length;
    if (c.runs > 1) {
      EXPECT_EQ(runs[1].colour, c.second);
    }
    int total = 0;
    for (INT_PTR i = 0; i < runs.GetSize(); ++i) total += runs[i].length;
    EXPECT_EQ(total, c.length) << "the last step ends exactly at the length";
  }
}

TEST_F(GradientTest, ShiftRotatesThePatternAndAFullTurnIsNoShift) {
  CGradient g;
  g.SetEvenColors(3, RGB(0, 0, 0), RGB(200, 0, 0), RGB(0, 0, 200));
  const std::vector<COLORREF> plain = pixels(g, 100, 0);
  ASSERT_EQ(plain.size(), 100u);
  EXPECT_EQ(pixels(g, 100, 100), plain);
  EXPECT_EQ(pixels(g, 100, -100), plain);
  const std::vector<COLORREF> shifted = pixels(g, 100, 30);
  ASSERT_EQ(shifted.size(), 100u);
  for (int x = 0; x < 100; ++x) EXPECT_EQ(shifted[static_cast<size_t>(x)], plain[static_cast<size_t>((x + 70) % 100)]) << x;
  EXPECT_EQ(pixels(g, 100, -70), shifted);

  // Rotations one after another (a marquee) match a gradient that never
  // rotated before; new colours or another length are rotated as new.
  for (int shift : {1, 57, 99, 0, 30}) {
    CGradient fresh;
    fresh.SetEvenColors(3, RGB(0, 0, 0), RGB(200, 0, 0), RGB(0, 0, 200));
    EXPECT_EQ(pixels(g, 100, shift), pixels(fresh, 100, shift)) << shift;
  }
  g.SetEvenColors(2, kRed, kGreen);
  CGradient other;
  other.SetEvenColors(2, kRed, kGreen);
  EXPECT_EQ(pixels(g, 100, 30), pixels(other, 100, 30));
  EXPECT_EQ(pixels(g, 60, 30), pixels(other, 60, 30));
  CGradRuns part;
  g.MakeShiftedRuns(part, 30, 60, 10, 40, -1);
  std::vector<COLORREF> partPixels;
  for (INT_PTR i = 0; i < part.GetSize(); ++i)
    partPixels.insert(partPixels.end(), static_cast<size_t>(part[i].length), part[i].colour);
  const std::vector<COLORREF> whole = pixels(other, 60, 30);
  EXPECT_EQ(partPixels, std::vector<COLORREF>(whole.begin() + 10, whole.begin() + 40)) << "a part of a rotation";
}

TEST_F(GradientTest, DrawPaintsThePartAlongTheDirection) {
  CGradient g;
  g.SetEvenColors(2, RGB(0, 0, 0), RGB(100, 100, 100));
  Canvas canvas(120, 40);
  const COLORREF white = RGB(255, 255, 255);
  g.Draw(canvas.dc(), CRect(10, 10, 110, 30), 0, 0, 0);
  EXPECT_EQ(canvas.Count({0, 0, 120, 40}, white), 120 * 40) << "[0, 0) paints nothing";

  g.Draw(canvas.dc(), CRect(10, 10, 110, 30), 0, 50, 0);
  EXPECT_EQ(canvas.Pixel(10, 20), RGB(0, 0, 0));
  EXPECT_EQ(canvas.Pixel(59, 20), RGB(49, 49, 49));
  EXPECT_EQ(canvas.Pixel(60, 20), white);
  EXPECT_EQ(canvas.Pixel(10, 9), white);

  canvas.Clear(white);
  g.SetDirection(CGradient::kRightToLeft);
  g.Draw(canvas.dc(), CRect(10, 10, 110, 30), 0, -1, 0);
  EXPECT_EQ(canvas.Pixel(109, 20), RGB(0, 0, 0));
  EXPECT_EQ(canvas.Pixel(10, 20), RGB(99, 99, 99));

  canvas.Clear(white);
  g.SetDirection(CGradient::kBottomToTop);
  g.Draw(canvas.dc(), CRect(10, 10, 110, 30), 0, 10, 0);
  EXPECT_EQ(canvas.Pixel(50, 29), RGB(0, 0, 0));
  EXPECT_EQ(canvas.Pixel(50, 20), RGB(45, 45, 45));
  EXPECT_EQ(canvas.Pixel(50, 19), white);

  // Twice the length: only the first half of the gradient fits.
  canvas.Clear(white);
  g.SetDirection(CGradient::kLeftToRight);
  g.SetLengthFactor(2.0f);
  g.Draw(canvas.dc(), CRect(0, 0, 100, 10), 0, 100, 0);
  EXPECT_EQ(canvas.Pixel(99, 5), RGB(49, 49, 49));
}

TEST_F(GradientTest, FewerThanTwoEvenColoursAreRefused) {
  CGradient g;
  for (int count : {0, 1}) {
    try {
      g.SetEvenColors(count, kRed);
      ADD_FAILURE() << count;
    } catch (CException* e) {
      EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)));
      e->Delete();
    }
  }
  EXPECT_EQ(g.GetColorCount(), 0);
}

}  // namespace
}  // namespace widgets_test
