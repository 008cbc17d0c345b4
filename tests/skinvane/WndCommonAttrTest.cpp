#include "skinvane/WndCommonAttr.h"

#include "tests/skinvane/SkinTest.h"

namespace {

using skinvane::testing::SkinTest;

// The smallest control with the attribute set: a plain window.
class AttrWnd : public CWnd, public CWndCommonAttr {
 public:
  AttrWnd() { m_owner = this; }
  using CWndCommonAttr::FillBackground;
  int tipCount() const { return m_toolTip.GetSafeHwnd() ? m_toolTip.GetToolCount() : 0; }
  CString tipText() {
    CString text;
    m_toolTip.GetText(text, this, 1);
    return text;
  }
};

class WndCommonAttrTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
    dc_ = CreateCompatibleDC(nullptr);
  }
  void TearDown() override {
    DeleteDC(dc_);
    parent_.DestroyWindow();
    SkinTest::TearDown();
  }

  CWnd parent_;
  HDC dc_ = nullptr;
};

TEST_F(WndCommonAttrTest, ColourAnswerFollowsTransparencyBitmapAndBackground) {
  AttrWnd attr;
  CDC* dc = CDC::FromHandle(dc_);
  // Transparent from the start: the null brush, transparent mode.
  HBRUSH brush = attr.Handle_CtlColor(dc, GX_COLOR_NONE, GX_COLOR_NONE);
  EXPECT_EQ(brush, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
  EXPECT_EQ(GetBkMode(dc_), TRANSPARENT);
  EXPECT_EQ(GetTextColor(dc_), GetSysColor(COLOR_WINDOWTEXT));

  // Opaque with no background colour ever set: a null brush, opaque mode.
  attr.SetTransparent(0);
  EXPECT_EQ(attr.Handle_CtlColor(dc, RGB(1, 2, 3), GX_COLOR_NONE), nullptr);
  EXPECT_EQ(GetBkMode(dc_), OPAQUE);
  EXPECT_EQ(GetTextColor(dc_), RGB(1, 2, 3));

  // A background colour gives its solid brush and the DC's background colour.
  attr.SetBkColorGx(RGB(10, 20, 30));
  attr.SetTextColor(RGB(200, 0, 0));
  brush = attr.Handle_CtlColor(dc, GX_COLOR_NONE, GX_COLOR_NONE);
  LOGBRUSH logBrush = {};
  ASSERT_EQ(GetObject(brush, sizeof(logBrush), &logBrush), static_cast<int>(sizeof(logBrush)));
  EXPECT_EQ(logBrush.lbColor, RGB(10, 20, 30));
  EXPECT_EQ(GetBkColor(dc_), RGB(10, 20, 30));
  EXPECT_EQ(GetTextColor(dc_), RGB(200, 0, 0));
  // An explicit background colour replaces the stored one for the DC only.
  attr.Handle_CtlColor(dc, GX_COLOR_NONE, RGB(7, 7, 7));
  EXPECT_EQ(GetBkColor(dc_), RGB(7, 7, 7));
  EXPECT_EQ(attr.GetBKColor(), RGB(10, 20, 30));

  // A background bitmap makes even an opaque control transparent.
  ASSERT_TRUE(skinvane::testing::writeBmp(skinFile("bk.bmp"), 2, 2, [](int, int) { return RGB(0, 0, 255); }));
  ASSERT_EQ(attr.SetBK_Bitmap(skinFile("bk.bmp")), 1);
  EXPECT_EQ(attr.Handle_CtlColor(dc, GX_COLOR_NONE, GX_COLOR_NONE), static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
  EXPECT_EQ(GetBkMode(dc_), TRANSPARENT);
}

TEST_F(WndCommonAttrTest, BackgroundBitmapLoads) {
  AttrWnd attr;
  attr.SetTransparent(0);
  CDC* dc = CDC::FromHandle(dc_);
  const auto transparent = [&] {
    attr.Handle_CtlColor(dc, GX_COLOR_NONE, GX_COLOR_NONE);
    return GetBkMode(dc_) == TRANSPARENT;
  };
  ASSERT_TRUE(skinvane::testing::writeBmp(skinFile("bk.bmp"), 2, 2, [](int, int) { return RGB(0, 0, 255); }));
  ASSERT_EQ(attr.SetBK_Bitmap(skinFile("bk.bmp")), 1);
  // An empty or null path keeps the bitmap.
  EXPECT_EQ(attr.SetBK_Bitmap(""), 0);
  EXPECT_EQ(attr.SetBK_Bitmap(static_cast<const char*>(nullptr)), 0);
  EXPECT_TRUE(transparent());
  // A missing file leaves none.
  EXPECT_EQ(attr.SetBK_Bitmap(skinFile("missing.bmp")), 0);
  EXPECT_FALSE(transparent());
  // A missing resource likewise.
  ASSERT_EQ(attr.SetBK_Bitmap(skinFile("bk.bmp")), 1);
  EXPECT_EQ(attr.SetBK_Bitmap(4242u), 0);
  EXPECT_FALSE(transparent());
}

TEST_F(WndCommonAttrTest, ToolTipToolIsAddedOnceAndItsTextUpdated) {
  AttrWnd attr;
  ASSERT_TRUE(attr.Create(nullptr, "ctl", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &parent_, 7));
  EXPECT_EQ(attr.ActivateToolTip(1), 0);
  attr.SetToolTipText("first", 1);
  attr.SetToolTipText("second", 1);
  EXPECT_EQ(attr.tipCount(), 1);
  EXPECT_EQ(attr.tipText(), "second");
  EXPECT_EQ(attr.ActivateToolTip(0), 1);
  attr.DeleteToolTip();
  EXPECT_EQ(attr.tipCount(), 0);
  EXPECT_EQ(attr.ActivateToolTip(1), 0);
}

TEST_F(WndCommonAttrTest, TextFontInPointsWithAWindowAndRawWithout) {
  AttrWnd detached;
  ASSERT_EQ(detached.SetTextFont(-13, "Verdana", 1, 0, 0, 0), 1);

  AttrWnd attr;  // a static control keeps the font it is given
  ASSERT_TRUE(attr.Create("STATIC", "ctl", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &parent_, 7));
  ASSERT_EQ(attr.SetTextFont(9, "Verdana", 1, 1, 0, 0), 1);
  HFONT font = reinterpret_cast<HFONT>(attr.SendMessage(WM_GETFONT));
  ASSERT_NE(font, nullptr);
  LOGFONT logFont = {};
  ASSERT_GT(GetObject(font, sizeof(logFont), &logFont), 0);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(logFont.lfHeight, -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72));
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(logFont.lfWeight, 700);
  EXPECT_TRUE(logFont.lfItalic);
  EXPECT_EQ(logFont.lfCharSet, DEFAULT_CHARSET);
  EXPECT_STREQ(logFont.lfFaceName, "Verdana");
}

TEST_F(WndCommonAttrTest, FillBackgroundPaintsTheClientAreaWithTheBackgroundColour) {
  AttrWnd attr;
  ASSERT_TRUE(attr.Create(nullptr, "ctl", WS_CHILD | WS_VISIBLE, CRect(10, 10, 40, 30), &parent_, 7));
  CClientDC dc(&attr);
  attr.FillBackground(&dc);  // no colour yet: nothing
  EXPECT_TRUE(attr.RetrievesClientRect().IsRectEmpty());
  attr.SetBkColorGx(RGB(0, 128, 0));
  attr.FillBackground(&dc);
  EXPECT_EQ(attr.RetrievesClientRect(), CRect(0, 0, 30, 20));
  EXPECT_EQ(pixelAt(attr, 0, 0), RGB(0, 128, 0));
  EXPECT_EQ(pixelAt(attr, 29, 19), RGB(0, 128, 0));
}

}  // namespace
