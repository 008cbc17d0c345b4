#include "skinvane/GxGroupBox.h"
#include "skinvane/GxStatic.h"

#include "tests/skinvane/SkinTest.h"

namespace {

using skinvane::testing::SkinTest;

constexpr COLORREF kSkin = RGB(0, 160, 0);
constexpr COLORREF kInk = RGB(220, 0, 0);

// A parent whose background is the skin colour.
class SkinnedParent : public CWnd {
 protected:
  BOOL OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, kSkin);
    return TRUE;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SkinnedParent, CWnd)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

class GxStaticTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
  }
  void TearDown() override {
    parent_.DestroyWindow();
    SkinTest::TearDown();
  }

  // How many pixels of the window's client area are of the ink (the text
  // is smoothed, so any strong red counts).
  static int inkCount(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    int n = 0;
    for (int y = 0; y < r.bottom; ++y)
      for (int x = 0; x < r.right; ++x) {
        const COLORREF c = pixelAt(window, x, y);
        if (GetRValue(c) > 150 && GetGValue(c) < 100 && GetBValue(c) < 100) ++n;
      }
    return n;
  }
  // How many pixels of the window's client area have the colour.
  static int count(HWND window, COLORREF colour) {
    RECT r;
    GetClientRect(window, &r);
    int n = 0;
    for (int y = 0; y < r.bottom; ++y)
      for (int x = 0; x < r.right; ++x)
        if (pixelAt(window, x, y) == colour) ++n;
    return n;
  }

  SkinnedParent parent_;
};

TEST_F(GxStaticTest, DrawsItsTextOverTheSkinUntilMadeOpaque) {
  // Labels are dialog items, subclassed once they exist.
  HWND item = CreateWindowEx(0, "STATIC", "Signal", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 100, 30,
                             parent_.GetSafeHwnd(), reinterpret_cast<HMENU>(5), nullptr, nullptr);
  CGxStatic label;
  ASSERT_TRUE(label.SubclassWindow(item));
  EXPECT_EQ(label.GetTransparent(), 1);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(label.SendMessage(WM_GETFONT)), GetStockObject(DEFAULT_GUI_FONT));
  label.SetTextColor(kInk);
  repaint(parent_.GetSafeHwnd());
  const HWND hwnd = label.GetSafeHwnd();
  const int inked = inkCount(hwnd);
  EXPECT_GT(inked, 10);
  EXPECT_EQ(pixelAt(hwnd, 95, 25), kSkin);  // past the text: the parent's skin

  // A new text leaves no trace of the old one.
  label.SetWindowText("I");
  repaint(parent_.GetSafeHwnd());
  EXPECT_LT(inkCount(hwnd), inked);
  EXPECT_GT(inkCount(hwnd), 0);
  EXPECT_TRUE(label.IsWindowVisible());

  // Opaque with a background colour: the label's own background.
  label.SetBkColorGx(RGB(0, 0, 200));
  label.SetTransparent(0);
  repaint(parent_.GetSafeHwnd());
  EXPECT_EQ(pixelAt(hwnd, 95, 25), RGB(0, 0, 200));
  EXPECT_EQ(count(hwnd, kSkin), 0);

  label.SetAppendData(0xBEEF);
  EXPECT_EQ(label.GetAppendData(), 0xBEEFu);
  const CSize size = label.GetTextSize();
  EXPECT_GT(size.cx, 0);
  EXPECT_GT(size.cy, 0);
  label.SetToolTipText("tip", TRUE);
  EXPECT_TRUE(label.GetStyle() & SS_NOTIFY);
}

TEST_F(GxStaticTest, GroupBoxBecomesAGroupFrameAndOpaqueWithABackgroundColour) {
  // Whatever button type it was made with, the type becomes a group box and
  // every other style bit stays.
  const DWORD kept = BS_LEFTTEXT | BS_FLAT | WS_TABSTOP;
  for (DWORD type : {BS_PUSHBUTTON, BS_AUTOCHECKBOX, BS_GROUPBOX, BS_USERBUTTON, BS_AUTORADIOBUTTON, BS_OWNERDRAW}) {
    CGxGroupBox box;
    ASSERT_TRUE(box.Create("Link", WS_CHILD | WS_VISIBLE | kept | type, CRect(5, 5, 150, 90), &parent_, 6));
    EXPECT_EQ(box.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_GROUPBOX)) << type;
    EXPECT_EQ(box.GetStyle() & kept, kept) << type;
    box.DestroyWindow();
  }
  CGxGroupBox box;
  ASSERT_TRUE(box.Create("Link", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(5, 5, 150, 90), &parent_, 6));
  EXPECT_EQ(box.RetrievesClientRect().Width(), 145);
  EXPECT_EQ(box.GetTransparent(), 1);
  box.SetBkColorGx(RGB(1, 2, 3));
  EXPECT_EQ(box.GetTransparent(), 0);
  EXPECT_EQ(box.GetBKColor(), RGB(1, 2, 3));
}

}  // namespace
