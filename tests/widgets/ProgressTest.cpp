// CProgress and CProgressCtrlX: range and position rules, the text, the snake
// and the marquee, the progress messages and the painted bar.
#include "widgets/ProgressCtrlX.h"

#include <gtest/gtest.h>

#include "WidgetTestSupport.h"

namespace widgets_test {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(200, 200, 200);

// Counts the position changes it is told about.
class CountingProgress : public CProgress {
 public:
  void OnPosChanged(int) override { ++changes; }
  int changes = 0;
};

class ProgressTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100, nullptr, nullptr));
    ASSERT_TRUE(bar_.Create(WS_CHILD | WS_VISIBLE | 0x00F0, CRect(10, 10, 110, 30), &parent_, 1058));
  }
  void TearDown() override {
    parent_.DestroyWindow();
    WidgetTest::TearDown();
  }
  CWnd parent_;
  CProgressCtrlX bar_;
};

TEST_F(ProgressTest, RangeAndPositionRules) {
  CountingProgress p;
  p.SetRange(100, 0);
  int lower = -1, upper = -1;
  p.GetRange(lower, upper);
  EXPECT_EQ(lower, 0);
  EXPECT_EQ(upper, 100);
  EXPECT_EQ(p.SetPos(150), 0) << "the previous position";
  EXPECT_EQ(p.GetPos(), 100) << "clamped to the upper bound";
  EXPECT_EQ(p.changes, 1);
  p.SetPos(100);
  EXPECT_EQ(p.changes, 1) << "the current value changes nothing";
  p.SetPos(-5);
  EXPECT_EQ(p.GetPos(), 0);
  EXPECT_EQ(p.OffsetPos(30), 0);
  EXPECT_EQ(p.StepIt(), 30);
  EXPECT_EQ(p.GetPos(), 40);
  EXPECT_EQ(p.SetStep(25), 10);
  p.SetRange(10, 20);
  EXPECT_EQ(p.GetPos(), 20) << "a new range clamps the position";
}

TEST_F(ProgressTest, TextNeedsAModeAndUsesItsFormat) {
  CProgress p;
  p.SetPos(40);
  EXPECT_EQ(p.FormatText(), "");
  EXPECT_EQ(p.GetPercent(), 0.0f);
  p.SetTextFormat("Signal %d%%", 0x100);
  EXPECT_EQ(p.FormatText(), "Signal 40%");
  p.SetRange(20, 60);
  EXPECT_EQ(p.GetPercent(), 50.0f);
  p.SetTextFormat("", 0x100);
  EXPECT_EQ(p.FormatText(), "") << "an empty format clears the text";
  p.ModifyStyle(0, 0x200);
  EXPECT_EQ(p.FormatText(), "40");
  p.ModifyStyle(0x200, 0x100);
  EXPECT_EQ(p.FormatText(), "50%");

  // The window: no text without 0x100 or 0x200.
  char text[32] = "x";
  EXPECT_EQ(bar_.SendMessage(WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 0);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(bar_.SendMessage(WM_GETTEXTLENGTH), 0);
  bar_.ModifyStyle(0, 0x100);
  bar_.SendMessage(PBM_SETPOS, 25);
  bar_.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("%d percent"));
  EXPECT_EQ(bar_.SendMessage(WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 10);
  EXPECT_STREQ(text, "25 percent");
  EXPECT_EQ(bar_.SendMessage(WM_GETTEXT, 4, reinterpret_cast<LPARAM>(text)), 3);
  EXPECT_STREQ(text, "25 ");
}

TEST_F(ProgressTest, EqualBoundsDivideNothing) {
  CProgress p;
  p.SetRange(50, 50);
  p.ModifyStyle(0, 0x100);
  EXPECT_EQ(p.GetPercent(), 0.0f);
  EXPECT_EQ(p.FormatText(), "0%");
  p.SetBkColor(kGrey);
  p.ModifyStyle(0x100, 0);
  Canvas canvas(100, 20);
  p.Draw(canvas.dc(), CRect(0, 0, 100, 20));
  EXPECT_EQ(canvas.Count({0, 0, 100, 20}, kGrey), 100 * 20) << "nothing filled";

  bar_.SendMessage(PBM_SETRANGE32, 5, 5);
  bar_.StartMarquee(55, 1);
  clock().advance(55 * 3);
  wavorel::pumpMessages();
  EXPECT_EQ(bar_.GetSnakeOffset(), 0);
}

TEST_F(ProgressTest, RangeMessagesAnswerAsTheControlDoes) {
  EXPECT_EQ(bar_.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(10, 90)), MAKELRESULT(0, 100));
  EXPECT_EQ(bar_.SendMessage(PBM_SETRANGE32, 200, 20), MAKELRESULT(10, 90));
  PBRANGE range{};
  EXPECT_EQ(bar_.SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), 20);
  EXPECT_EQ(range.iLow, 20);
  EXPECT_EQ(range.iHigh, 200);
  EXPECT_EQ(bar_.SendMessage(PBM_GETRANGE, FALSE), 200);
  EXPECT_EQ(bar_.SendMessage(PBM_SETPOS, 70), 20);
  EXPECT_EQ(bar_.SendMessage(PBM_DELTAPOS, 5), 70);
  EXPECT_EQ(bar_.SendMessage(PBM_SETSTEP, 30), 10);
  EXPECT_EQ(bar_.SendMessage(PBM_STEPIT), 75);
  EXPECT_EQ(bar_.SendMessage(PBM_GETPOS), 105);
  EXPECT_EQ(bar_.SendMessage(PBM_SETBARCOLOR, 0, RGB(1, 2, 3)), static_cast<LRESULT>(CLR_DEFAULT));
  EXPECT_EQ(bar_.GetColor(0), RGB(1, 2, 3));
  EXPECT_EQ(bar_.GetColor(1), RGB(1, 2, 3));
  bar_.SendMessage(PBM_SETBARCOLOR, RGB(9, 9, 9), RGB(1, 2, 3));
  EXPECT_EQ(bar_.GetColor(1), RGB(9, 9, 9));
  EXPECT_EQ(bar_.SendMessage(PBM_SETBKCOLOR, 0, kGrey), static_cast<LRESULT>(GetSysColor(COLOR_BTNFACE)));
}

TEST_F(ProgressTest, SetPosInvalidatesWithErasingAndPaintsTheGradient) {
  wavorel::pumpMessages();
  bar_.SetEvenColors(2, kBlack, RGB(0, 0, 99));
  bar_.CProgress::SetBkColor(kGrey);
  EXPECT_EQ(bar_.SetPos(50), 0);
  RECT update{};
  EXPECT_TRUE(GetUpdateRect(bar_.GetSafeHwnd(), &update, FALSE));
  EXPECT_EQ(CRect(update), CRect(0, 0, 100, 20));

  Canvas canvas(100, 20);
  bar_.Draw(canvas.dc(), CRect(0, 0, 100, 20));
  // The gradient lies over the whole bar; the fill ends at half of it.
  EXPECT_EQ(canvas.Pixel(0, 10), kBlack);
  EXPECT_EQ(canvas.Pixel(49, 10), RGB(0, 0, 49)) << "the colour reached at the fill end";
  EXPECT_EQ(canvas.Pixel(50, 10), kGrey);
  // Stretched over the filled part, the fill ends in the gradient's last step.
  bar_.ModifyStyle(0, 0x2000);
  bar_.Draw(canvas.dc(), CRect(0, 0, 100, 20));
  EXPECT_EQ(canvas.Pixel(49, 10), RGB(0, 0, 97));
  // Vertical: from the bottom up.
  bar_.ModifyStyle(0x2000, PBS_VERTICAL);
  canvas.Clear(RGB(255, 255, 255));
  bar_.Draw(canvas.dc(), CRect(0, 0, 100, 20));
  EXPECT_EQ(canvas.Pixel(5, 19), kBlack);
  EXPECT_EQ(canvas.Pixel(5, 9), kGrey);
}

TEST_F(ProgressTest, TheTextFontIsTheBarsAndTheControlRepaints) {
  bar_.ModifyStyle(0, 0x100);
  bar_.SetPos(50);
  wavorel::pumpMessages();
  CFont font;
  font.CreatePointFont(160, "DejaVu Sans");
  bar_.SetTextFont(&font);
  EXPECT_EQ(bar_.GetFontHandle(), static_cast<HFONT>(font.GetSafeHandle()));
  EXPECT_EQ(reinterpret_cast<HFONT>(bar_.SendMessage(WM_GETFONT)), static_cast<HFONT>(font.GetSafeHandle()));
  RECT update{};
  EXPECT_TRUE(GetUpdateRect(bar_.GetSafeHwnd(), &update, FALSE));
  // The text is drawn in it: a larger font covers more of the bar.
  auto ink = [this](CFont* f) {
    bar_.SetTextFont(f);
    Canvas canvas(100, 20);
    bar_.CProgress::SetBkColor(kGrey);
    bar_.SetEvenColors(2, kGrey, kGrey);
    bar_.Draw(canvas.dc(), CRect(0, 0, 100, 20));
    return 100 * 20 - canvas.Count({0, 0, 100, 20}, kGrey);
  };
  CFont small;
  small.CreatePointFont(60, "DejaVu Sans");
  EXPECT_GT(ink(&font), ink(&small));
}

TEST_F(ProgressTest, SnakeWrapsAndTurns) {
  CProgress p;
  p.ModifyStyle(0, 0x8000);
  p.SetPos(30);
  EXPECT_EQ(p.GetPos(), 30);
  EXPECT_EQ(p.GetSnakeTail(), 0);
  p.SetPos(90);
  EXPECT_EQ(p.GetSnakeTail(), 50);
  // Relative steps run the head past the upper bound: the position stays at
  // 100 while the tail follows.
  p.OffsetPos(30);
  EXPECT_EQ(p.GetPos(), 100);
  EXPECT_EQ(p.GetSnakeTail(), 80);
  p.OffsetPos(10);  // head 130
  EXPECT_EQ(p.GetSnakeTail(), 90);
  EXPECT_EQ(p.GetStyle() & 0x4000, 0u);
  p.OffsetPos(20);  // head 150 passes 140: wraps to 10 and turns
  EXPECT_EQ(p.GetPos(), 10);
  EXPECT_EQ(p.GetSnakeTail(), 0);
  EXPECT_EQ(p.GetStyle() & 0x4000, 0x4000u);
  p.OffsetPos(200);  // head 210 wraps to 70 and turns back
  EXPECT_EQ(p.GetPos(), 70);
  EXPECT_EQ(p.GetStyle() & 0x4000, 0u);
}

TEST_F(ProgressTest, MarqueeMovesOnTimerTwelve) {
  bar_.SendMessage(PBM_SETRANGE32, 0, 10);
  bar_.StartMarquee(55, 3);
  clock().advance(54);
  wavorel::pumpMessages();
  EXPECT_EQ(bar_.GetSnakeOffset(), 0);
  for (int i = 0; i < 3; ++i) {
    clock().advance(55);
    wavorel::pumpMessages();
  }
  EXPECT_EQ(bar_.GetSnakeOffset(), 9);
  clock().advance(55);
  wavorel::pumpMessages();
  EXPECT_EQ(bar_.GetSnakeOffset(), 2) << "within the range";
  bar_.StartMarquee(100, 1);  // re-armed, not added
  clock().advance(55);
  wavorel::pumpMessages();
  EXPECT_EQ(bar_.GetSnakeOffset(), 2);
}

}  // namespace
}  // namespace widgets_test
