// COskelStaticHistogram: bars of the newest samples beside the scale labels.
#include "widgets/OskelStaticHistogram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "WidgetTestSupport.h"

namespace widgets_test {
namespace {

constexpr COLORREF kBar = RGB(0, 200, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
// The histogram: 120 x 60 at (10, 10), labels 20 wide at the left.
constexpr int kLeft = 10, kTop = 10, kWidth = 120, kHeight = 60, kLabels = 20;

class HistogramTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
    HWND hwnd = CreateWindowEx(0, "Static", "", WS_CHILD | WS_VISIBLE, kLeft, kTop, kWidth, kHeight,
                               parent_.GetSafeHwnd(), reinterpret_cast<HMENU>(1275), nullptr, nullptr);
    ASSERT_TRUE(graph_.SubclassWindow(hwnd));
    graph_.m_crBar = kBar;
    ASSERT_TRUE(graph_.IsReady());
    EXPECT_TRUE(graph_.SetLabelWidth(kLabels));
    EXPECT_TRUE(graph_.SetFullScale(100));
  }
  void TearDown() override {
    parent_.DestroyWindow();
    WidgetTest::TearDown();
  }
  // The height of the bar in the column at x (histogram coordinates).
  int BarAt(int x) {
    const wavorel::WindowImage image = wavorel::composeWindow(parent_.GetSafeHwnd());
    int bar = 0;
    for (int y = 0; y < kHeight; ++y) bar += image.colorAt(kLeft + x, kTop + y) == kBar;
    return bar;
  }
  CWnd parent_;
  COskelStaticHistogram graph_;
};

TEST_F(HistogramTest, BarsScaleToTheFullScaleNewestFirst) {
  for (double sample : {10.0, 50.0, 150.0, -20.0}) EXPECT_TRUE(graph_.AddSample(sample));
  // Newest (-20) at 2 pixels inside the left edge of the bar area, then older.
  EXPECT_EQ(BarAt(kLabels + 2), 0) << "a negative sample draws no bar";
  EXPECT_EQ(BarAt(kLabels + 4), kHeight - 2) << "above full scale: a full bar";
  EXPECT_EQ(BarAt(kLabels + 6), 50 * (kHeight - 2) / 100);
  EXPECT_EQ(BarAt(kLabels + 8), 10 * (kHeight - 2) / 100);
  EXPECT_EQ(BarAt(kLabels + 3), 0) << "one bar pixel per 2-pixel step";
  const wavorel::WindowImage image = wavorel::composeWindow(parent_.GetSafeHwnd());
  EXPECT_EQ(image.colorAt(kLeft + kLabels + 6, kTop + 5), kBlack) << "above a bar: black";
  EXPECT_EQ(image.colorAt(kLeft + kLabels + 6, kTop + kHeight - 2), kBar) << "bars stand on the bottom";

  graph_.m_bLeftToRight = 0;
  graph_.Invalidate();
  EXPECT_EQ(BarAt(kWidth - 4), 0);
  EXPECT_EQ(BarAt(kWidth - 6), kHeight - 2) << "right to left";

  graph_.ClearSamples();
  EXPECT_EQ(BarAt(kWidth - 6), 0);
  graph_.SetFullScale(0);
  EXPECT_EQ(wavorel::composeWindow(parent_.GetSafeHwnd()).colorAt(kLeft + 60, kTop + 30), kBlack);
}

TEST_F(HistogramTest, OnlyTheNewestSamplesThatFitAreDrawn) {
  // The bar area is 100 wide: bars at 2, 4 ... 98, that is 49 of them.
  for (int i = 1; i <= 60; ++i) graph_.AddSample(i);
  EXPECT_EQ(BarAt(kLabels + 2), 60 * (kHeight - 2) / 100);
  EXPECT_EQ(BarAt(kLabels + 98), 12 * (kHeight - 2) / 100) << "the 49th newest";
  EXPECT_EQ(BarAt(kLabels + 99), 0);
}

// Every pixel of an odd-width bar area in both directions: a bar column is
// black above its bar, a gap column black all the way, the bottom row black,
// and the columns before the first bar and past the last keep the face colour.
TEST_F(HistogramTest, EveryColumnIsBlackButForItsBarInBothDirections) {
  const int area = kWidth + 1 - kLabels;  // 101: the last step ends on the edge
  const int room = kHeight - 2;
  graph_.MoveWindow(kLeft, kTop, kWidth + 1, kHeight);
  for (int i = 1; i <= 60; ++i) graph_.AddSample(i * 2.5);
  for (int leftToRight : {1, 0}) {
    SCOPED_TRACE(leftToRight ? "left to right" : "right to left");
    graph_.m_bLeftToRight = leftToRight;
    graph_.SetLabelWidth(kLabels);  // repaints on the face colour
    const wavorel::WindowImage image = wavorel::composeWindow(parent_.GetSafeHwnd());
    std::vector<int> barHeight(static_cast<size_t>(area), -1);  // -1: a column no bar step reaches
    for (int k = 0;; ++k) {
      const int x = leftToRight ? 2 + 2 * k : area - 4 - 2 * k;
      if (x < 0 || x >= area) break;
      const double sample = k < 60 ? (60 - k) * 2.5 : 0;
      barHeight[static_cast<size_t>(x)] = std::min(room, static_cast<int>(sample * room / 100));
      if (x + 1 < area) barHeight[static_cast<size_t>(x + 1)] = 0;
    }
    int wrong = 0;
    for (int x = 0; x < area; ++x)
      for (int y = 0; y < kHeight; ++y) {
        const COLORREF seen = image.colorAt(kLeft + kLabels + x, kTop + y);
        const int h = barHeight[static_cast<size_t>(x)];
        const bool right = h < 0 ? seen != kBlack && seen != kBar
                                 : seen == (y >= kHeight - 1 - h && y < kHeight - 1 ? kBar : kBlack);
        if (!right && ++wrong <= 3) ADD_FAILURE() << "column " << x << " row " << y << ": " << std::hex << seen;
      }
    EXPECT_EQ(wrong, 0);
  }
}

TEST_F(HistogramTest, LabelsFillTheirRowsAndNeverMoreThanTen) {
  const auto whiteInLabels = [this] {
    const wavorel::WindowImage image = wavorel::composeWindow(parent_.GetSafeHwnd());
    int white = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kLabels; ++x) white += image.colorAt(kLeft + x, kTop + y) == kWhite;
    return white;
  };
  for (int i = 0; i < COskelStaticHistogram::kMaxLabels; ++i) graph_.m_strLabels[i].Format("%d", i % 10);
  EXPECT_TRUE(graph_.SetLabelCount(0));
  EXPECT_EQ(whiteInLabels(), 0) << "no labels";
  const wavorel::WindowImage image = wavorel::composeWindow(parent_.GetSafeHwnd());
  EXPECT_EQ(image.colorAt(kLeft + 3, kTop + 3), kBlack) << "the label column is black";
  graph_.SetLabelCount(2);
  EXPECT_GT(whiteInLabels(), 0);
  graph_.SetLabelCount(12);  // more than there are labels: the first ten
  EXPECT_GT(whiteInLabels(), 0);
  graph_.m_bLabelsLeft = 0;
  graph_.SetLabelCount(2);
  EXPECT_EQ(BarAt(kWidth - kLabels + 5), 0);
  EXPECT_EQ(whiteInLabels(), 0) << "the labels moved to the right";
}

// A new sample repaints only the columns whose bars changed: after every
// sample the control looks as it does repainted whole, through runs of equal
// samples, a colour and a direction changed by the owner, and a new scale.
TEST_F(HistogramTest, SamplesPaintedColumnByColumnLookAsAWholeRepaint) {
  const auto image = [this] {
    const wavorel::WindowImage shot = wavorel::composeWindow(parent_.GetSafeHwnd());
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) pixels.push_back(shot.colorAt(kLeft + x, kTop + y));
    return pixels;
  };
  const double samples[] = {10, 10, 10, 50, 50, 20, 20, 20, 20, 90, 0, 0, 0, 150, 30, 30};
  int n = 0;
  for (double sample : samples) {
    ++n;
    if (n == 8) graph_.m_crBar = RGB(0, 0, 230);  // inside a run: the newest bars keep their height
    if (n == 10) graph_.m_bLeftToRight = 0;
    if (n == 13) graph_.SetFullScale(60);
    graph_.AddSample(sample);
    const std::vector<COLORREF> added = image();
    ::RedrawWindow(graph_.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(added, image()) << "after sample " << n;
  }
}

// A new sample repaints the bars alone only while the label column shows
// the labels as they are set: a label changed, or the column moved, between
// two samples is painted with the next one.
TEST_F(HistogramTest, ANewSampleShowsLabelsChangedOrMovedSinceTheLastPaint) {
  const auto labelColumn = [this](int left) {
    const wavorel::WindowImage image = wavorel::composeWindow(parent_.GetSafeHwnd());
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kHeight; ++y)
      for (int x = left; x < left + kLabels; ++x) pixels.push_back(image.colorAt(kLeft + x, kTop + y));
    return pixels;
  };
  graph_.SetLabelCount(2);
  graph_.m_strLabels[0] = "1";
  graph_.m_strLabels[1] = "2";
  graph_.AddSample(10);
  const std::vector<COLORREF> first = labelColumn(0);
  graph_.AddSample(20);
  EXPECT_EQ(labelColumn(0), first);

  graph_.m_strLabels[1] = "8";
  graph_.AddSample(30);
  const std::vector<COLORREF> changed = labelColumn(0);
  EXPECT_NE(changed, first);
  graph_.Invalidate();
  EXPECT_EQ(labelColumn(0), changed) << "the same as a full repaint";

  graph_.m_bLabelsLeft = 0;
  graph_.AddSample(40);
  EXPECT_EQ(labelColumn(kWidth - kLabels), changed) << "the column moved to the right";
  EXPECT_EQ(BarAt(2), 40 * (kHeight - 2) / 100) << "the newest bar at the left edge";
}

}  // namespace
}  // namespace widgets_test
