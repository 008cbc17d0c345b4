// The link page connected as a person would see it, written as
// link-status-connected.png into the test's working folder: the five bars
// coloured by level and the two throughput histograms with their newest bars.
#include "platform/present/Screenshot.h"
#include "platform/present/WindowImage.h"
#include "tests/station/status/vista/LinkStatusTest.h"

namespace station::testing {
namespace {

// A control's rectangle in the coordinates of its top-level window's image.
CRect rectIn(CWnd& top, CWnd& control) {
  CRect rect, window;
  control.GetWindowRect(&rect);
  top.GetWindowRect(&window);
  rect.OffsetRect(-window.left, -window.top);
  return rect;
}

// Pixels of `rect` (inside its edge) whose strongest channel is green (or
// red), and strong: the bars' gradients run from the level's colour through
// light blue and back, shifted as the marquee moves.
int greenPixels(const wavorel::WindowImage& image, const CRect& rect, bool red = false) {
  int count = 0;
  for (int y = rect.top + 1; y < rect.bottom - 1; ++y) {
    for (int x = rect.left + 1; x < rect.right - 1; ++x) {
      const COLORREF c = image.colorAt(x, y);
      const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
      count += red ? (r >= 0xC0 && r > g + 0x40 && r > b + 0x40) : (g >= 0xC0 && g > r + 0x20 && g > b + 0x20);
    }
  }
  return count;
}

TEST_F(LinkStatusTest, ScreenshotConnected) {
  connectHome();
  // The page on a visible window of its own (the host never shows).
  CWnd frame;
  ASSERT_TRUE(frame.CreateEx(0, kWindowClass, "link", WS_POPUP | WS_VISIBLE, CRect(0, 0, 620, 290), nullptr, 0));
  CLinkStatusDlg shown(&frame);
  ASSERT_TRUE(shown.Create(IDD_LINK_STATUS, &frame));
  shown.ShowWindow(SW_SHOW);  // its timer runs the passes
  advance(8000);
  const wavorel::WindowImage image = wavorel::composeWindow(frame.GetSafeHwnd());
  ASSERT_FALSE(image.empty());
  EXPECT_TRUE(wavorel::present::writeImage(image, "link-status-connected.png"));

  // HomeNet is strong: link quality and both chains show green bars; the
  // noise bar is green while the noise is low.
  for (CLinkStatusDlg::Bar bar : {CLinkStatusDlg::kQualityBar, CLinkStatusDlg::kSignal1Bar,
                                  CLinkStatusDlg::kSignal2Bar, CLinkStatusDlg::kNoiseBar}) {
    const CRect rect = rectIn(frame, shown.GetBar(bar));
    EXPECT_GT(greenPixels(image, rect), rect.Height()) << "bar " << bar;
    EXPECT_EQ(greenPixels(image, rect, true), 0) << "no red in bar " << bar;
  }
  // The third chain is missing: its bar is empty.
  EXPECT_EQ(greenPixels(image, rectIn(frame, shown.GetBar(CLinkStatusDlg::kSignal3Bar))), 0);

  // Each histogram draws its samples in its colour beside the labels; the
  // newest sample (at the labels' side) is the maximum, a full-height bar.
  struct Graph {
    COskelStaticHistogram& histogram;
    COLORREF colour;
  };
  for (const Graph& g : {Graph{shown.GetTxHistogram(), 0x00FF00}, Graph{shown.GetRxHistogram(), 0x00FFFF}}) {
    const CRect rect = rectIn(frame, g.histogram);
    CRect bars = rect;
    bars.left += 50;
    EXPECT_EQ(image.colorAt(bars.left + 2, bars.top + bars.Height() / 2), g.colour) << std::hex << g.colour;
  }
  shown.DestroyWindow();
  frame.DestroyWindow();
}

}  // namespace
}  // namespace station::testing
