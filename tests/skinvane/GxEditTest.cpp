#include "skinvane/GxEdit.h"

#include <cstddef>
#include <string>
#include <vector>

#include "platform/win/user/Input.h"
#include "tests/skinvane/SkinTest.h"

namespace {

using skinvane::testing::SkinTest;

class GxEditTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
    ASSERT_TRUE(other_.Create(WS_CHILD | WS_VISIBLE, CRect(0, 50, 100, 70), &parent_, 2));
  }
  void TearDown() override {
    parent_.DestroyWindow();
    SkinTest::TearDown();
  }

  void create(CGxEdit& edit, DWORD style = 0) {
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | style, CRect(10, 10, 110, 30), &parent_, 1));
  }
  static void type(CWnd& edit, const std::string& text) {
    for (char c : text) edit.SendMessage(WM_CHAR, static_cast<unsigned char>(c), 1);
  }
  static CString textOf(CWnd& edit) {
    CString text;
    edit.GetWindowText(text);
    return text;
  }

  // The brush and DC colours the edit answers when it is painted.
  struct Answer {
    COLORREF brush;
    COLORREF text;
    COLORREF background;
  };
  Answer colours(CGxEdit& edit) {
    HDC dc = GetDC(edit);
    HBRUSH brush = reinterpret_cast<HBRUSH>(parent_.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                                 reinterpret_cast<LPARAM>(edit.GetSafeHwnd())));
    LOGBRUSH logBrush = {};
    GetObject(brush, sizeof(logBrush), &logBrush);
    Answer answer{logBrush.lbColor, GetTextColor(dc), GetBkColor(dc)};
    ReleaseDC(edit, dc);
    return answer;
  }

  // A pixel of the whole window, frame included.
  static COLORREF windowPixel(HWND window, int x, int y) {
    HDC dc = GetWindowDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
  }

  CWnd parent_;
  CEdit other_;
};

TEST_F(GxEditTest, ParseTypesFilterTypedCharacters) {
  struct Case {
    WORD type;
    const char* typed;
    const char* kept;
  };
  const Case cases[] = {
      {0x01, "1a-.E_9 ", "19"},
      {0x40, "09afAFgGeE-._", "09afAFeE"},
      {0x04, "1-.eEaB_", "1-.eE"},
      {0x28, "a_#1", "_#"},
      {GX_PARSE_NONE, "a1-_#", "a1-_#"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    CGxEdit edit;
    create(edit);
    EXPECT_EQ(edit.SetParseType(c.type), c.type);
    const size_t beepsBefore = wavorel::beeps().size();
    type(edit, c.typed);
    EXPECT_EQ(textOf(edit), c.kept);
    // Every refused character beeps once, with the simple beep.
    const std::vector<UINT> all = wavorel::beeps();
    const std::vector<UINT> refused(all.begin() + static_cast<std::ptrdiff_t>(beepsBefore), all.end());
    EXPECT_EQ(refused, std::vector<UINT>(std::string(c.typed).size() - std::string(c.kept).size(), 0xFFFFFFFF));
    // Control keys always pass: backspace removes the last character.
    edit.SendMessage(WM_CHAR, VK_BACK, 1);
    EXPECT_EQ(textOf(edit).GetLength(), static_cast<int>(std::string(c.kept).size()) - 1);
    edit.DestroyWindow();
  }
}

TEST_F(GxEditTest, ColoursFollowFocusReadOnlyAndEnabledState) {
  CGxEdit edit;
  create(edit);
  const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  Answer normal = colours(edit);
  EXPECT_EQ(normal.brush, RGB(255, 255, 255));
  EXPECT_EQ(normal.background, RGB(255, 255, 255));
  EXPECT_EQ(normal.text, text);

  edit.SetFocus();
  Answer focused = colours(edit);
  EXPECT_EQ(focused.brush, 0xFFFFC8u);
  EXPECT_EQ(focused.background, 0xFFFFC8u);
  edit.SetTextColorFocus(RGB(0, 0, 128));
  edit.SetBkColorFocus(RGB(1, 2, 3));
  focused = colours(edit);
  EXPECT_EQ(focused.brush, RGB(1, 2, 3));
  EXPECT_EQ(focused.text, RGB(0, 0, 128));
  COLORREF stored = 0;
  EXPECT_EQ(edit.GetBkColorFocus(stored), 1);
  EXPECT_EQ(stored, RGB(1, 2, 3));

  // Read-only shows its own background whatever the focus.
  edit.SetReadOnly(TRUE);
  EXPECT_EQ(colours(edit).brush, 0xC8E6E6u);
  other_.SetFocus();
  EXPECT_EQ(colours(edit).brush, 0xC8E6E6u);
  edit.SetReadOnly(FALSE);
  EXPECT_EQ(colours(edit).brush, RGB(255, 255, 255));
  edit.EnableWindow(FALSE);
  Answer disabled = colours(edit);
  EXPECT_EQ(disabled.brush, 0xC8E6E6u);
  EXPECT_EQ(disabled.background, 0xC8E6E6u);
}

TEST_F(GxEditTest, PaintedBackgroundFollowsTheState) {
  CGxEdit edit;
  create(edit);
  edit.SetWindowText("");
  repaint(parent_);
  EXPECT_EQ(pixelAt(edit, 90, 10), RGB(255, 255, 255));
  edit.SetReadOnly(TRUE);
  edit.Invalidate();
  repaint(parent_);
  EXPECT_EQ(pixelAt(edit, 90, 10), 0xC8E6E6u);
}

// The own edge is drawn in the frame, round the client area: the rounded ring
// two pixels out, the ring in the state's background one pixel out.
TEST_F(GxEditTest, OwnEdgeShowsInTheFrameInTheColoursOfTheState) {
  struct Case {
    const char* state;
    COLORREF ring;
    COLORREF inner;
  };
  const Case cases[] = {
      {"normal", 0xB99E80, 0xFFFFFF},
      {"focused", 0xB99E80, 0xFFFFC8},
      {"read-only", 0x808080, 0xC8E6E6},
      {"disabled", 0x808080, 0xC8E6E6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    CGxEdit edit;
    create(edit);
    edit.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    edit.SetOwnDrawEdge(1);
    const std::string state = c.state;
    if (state == "focused") edit.SetFocus();
    if (state == "read-only") edit.SetReadOnly(TRUE);
    if (state == "disabled") edit.EnableWindow(FALSE);
    edit.Invalidate();
    repaint(parent_);
    // 100 x 20 with a 2-pixel frame: the client area starts at (2, 2).
    for (POINT p : {POINT{50, 0}, POINT{0, 10}, POINT{99, 10}, POINT{50, 19}})
      EXPECT_EQ(windowPixel(edit, p.x, p.y), c.ring) << p.x << "," << p.y;
    for (POINT p : {POINT{50, 1}, POINT{1, 10}, POINT{98, 10}, POINT{50, 18}})
      EXPECT_EQ(windowPixel(edit, p.x, p.y), c.inner) << p.x << "," << p.y;
    edit.DestroyWindow();
  }
  // Without the own edge the frame is the plain sunken edge.
  CGxEdit plain;
  create(plain);
  plain.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
  plain.Invalidate();
  repaint(parent_);
  EXPECT_NE(windowPixel(plain, 50, 0), 0xB99E80u);
  EXPECT_NE(windowPixel(plain, 50, 1), 0xFFFFFFu);
}

TEST_F(GxEditTest, DisabledEditingSwallowsTypingAndDeleting) {
  CGxEdit edit;
  create(edit);
  edit.SetWindowText("abc");
  ASSERT_EQ(edit.EnableEditing(0), 1);
  type(edit, "xyz");
  edit.SetSel(0, -1);
  edit.SendMessage(WM_KEYDOWN, VK_DELETE);
  EXPECT_EQ(textOf(edit), "abc");
  edit.EnableEditing(1);
  edit.SetSel(3, 3);
  type(edit, "d");
  EXPECT_EQ(textOf(edit), "abcd");
}

TEST_F(GxEditTest, CtrlASelectsTheWholeText) {
  CGxEdit edit;
  create(edit);
  edit.SetWindowText("hello world");
  edit.SetSel(2, 2);
  MSG control = {edit.GetSafeHwnd(), WM_KEYDOWN, VK_CONTROL, 0, 0, {0, 0}};
  wavorel::noteRetrievedMessage(control);
  MSG keyA = {edit.GetSafeHwnd(), WM_KEYDOWN, 'A', 0, 0, {0, 0}};
  EXPECT_TRUE(edit.PreTranslateMessage(&keyA));
  int start = -1, end = -1;
  edit.GetSel(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 11);
  // Without Ctrl the key passes.
  MSG release = {edit.GetSafeHwnd(), WM_KEYUP, VK_CONTROL, 0, 0, {0, 0}};
  wavorel::noteRetrievedMessage(release);
  EXPECT_FALSE(edit.PreTranslateMessage(&keyA));
}

TEST_F(GxEditTest, KeptSelectionSurvivesAFocusChange) {
  CGxEdit edit;
  create(edit);
  edit.NotSelAllWhenGetFocus();
  edit.SetWindowText("hello world");
  edit.SetFocus();
  edit.SetSel(3, 7);
  other_.SetFocus();
  edit.SetSel(0, 0);
  edit.SetFocus();
  int start = -1, end = -1;
  edit.GetSel(start, end);
  EXPECT_EQ(start, 3);
  EXPECT_EQ(end, 7);
}

TEST_F(GxEditTest, CaughtTabIsTypedIntoTheEdit) {
  CGxEdit edit;
  create(edit);
  edit.EnableCatchTAB();
  edit.SetWindowText("ab");
  edit.SetFocus();
  edit.SetSel(1, 1);
  MSG tab = {edit.GetSafeHwnd(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
  EXPECT_FALSE(edit.PreTranslateMessage(&tab));
  other_.SetFocus();  // the dialog's TAB moves the focus away
  EXPECT_EQ(CWnd::GetFocus(), &edit);
  EXPECT_EQ(textOf(edit), "a\tb");
}

TEST_F(GxEditTest, EditsGetVerdanaTenPoints) {
  CGxEdit edit;
  create(edit);
  LOGFONT logFont = {};
  HFONT font = reinterpret_cast<HFONT>(edit.SendMessage(WM_GETFONT));
  ASSERT_GT(GetObject(font, sizeof(logFont), &logFont), 0);
  EXPECT_STREQ(logFont.lfFaceName, "Verdana");
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(logFont.lfHeight, -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72));
  ReleaseDC(nullptr, screen);
}

}  // namespace
