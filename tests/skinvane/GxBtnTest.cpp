#include "skinvane/GxBtnHotspot.h"
#include "skinvane/GxBtnPic.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/skinvane/SkinTest.h"

namespace {

using skinvane::testing::kKeyYellow;
using skinvane::testing::SkinTest;
using skinvane::testing::writeBmp;

const COLORREF kFrames[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(128, 128, 128)};

class GxBtnTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
    // Four 10 x 6 frames, each with a yellow top-left pixel.
    ASSERT_TRUE(writeBmp(skinFile("strip.bmp"), 40, 6,
                         [](int x, int y) { return x % 10 == 0 && y == 0 ? kKeyYellow : kFrames[x / 10]; }));
    // One frame: red with a white marker at (2, 2).
    ASSERT_TRUE(writeBmp(skinFile("single.bmp"), 10, 6,
                         [](int x, int y) { return x == 2 && y == 2 ? RGB(255, 255, 255) : RGB(255, 0, 0); }));
  }
  void TearDown() override {
    parent_.DestroyWindow();
    SkinTest::TearDown();
  }

  void createButton(CGxBtn_Pub& button) {
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 50, 30), &parent_, 100));
  }
  COLORREF paintedAt(CWnd& button, int x, int y) {
    repaint(parent_);
    return pixelAt(button, x, y);
  }

  // The user actions that lead into each state, undone in reverse.
  struct Step {
    const char* name;
    std::function<void(CWnd&)> enter;
    std::function<void(CWnd&)> leave;
  };
  std::vector<Step> states() {
    return {
        {"normal", [](CWnd&) {}, [](CWnd&) {}},
        {"hover", [](CWnd& b) { hover(b); }, [this](CWnd&) { leave(); }},
        {"pressed", [](CWnd& b) { b.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3)); },
         [](CWnd& b) { b.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3)); }},
        {"disabled", [](CWnd& b) { b.EnableWindow(FALSE); }, [](CWnd& b) { b.EnableWindow(TRUE); }},
    };
  }

  // The mouse moves onto the button, or away to a corner of the parent.
  static void hover(CWnd& button) {
    wavorel::mouseMoveTo(button, POINT{3, 3});
    wavorel::pumpMessages();
  }
  void leave() {
    wavorel::mouseMoveTo(parent_, POINT{190, 90});
    wavorel::pumpMessages();
  }

  CWnd parent_;
};

TEST_F(GxBtnTest, StripShowsOneFramePerState) {
  CGxBtn_Pic button;
  createButton(button);
  button.SetBtnAttr_Pic(skinFile("strip.bmp"), 4, "", 0);
  int state = 0;
  for (const Step& step : states()) {
    SCOPED_TRACE(step.name);
    step.enter(button);
    EXPECT_EQ(paintedAt(button, 5, 3), kFrames[state]);
    EXPECT_NE(pixelAt(button, 0, 0), kKeyYellow);  // the key colour is transparent
    step.leave(button);
    EXPECT_EQ(paintedAt(button, 5, 3), kFrames[0]);
    ++state;
  }
}

TEST_F(GxBtnTest, MouseOverShowsHoverUntilTheMouseLeavesAndTakesTheHandCursor) {
  CGxBtn_Pic button;
  createButton(button);
  button.SetBtnAttr_Pic(skinFile("strip.bmp"), 4, "", 0);
  hover(button);
  EXPECT_EQ(paintedAt(button, 5, 3), kFrames[1]);
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
  leave();
  EXPECT_EQ(paintedAt(button, 5, 3), kFrames[0]);
}

TEST_F(GxBtnTest, SingleFrameShiftsUpLeftOnHoverAndDownRightWhenPressed) {
  CGxBtn_Pic button;
  createButton(button);
  button.SetBtnAttr_Pic(skinFile("single.bmp"), 1, "", 0);
  const POINT marker[4] = {{2, 2}, {1, 1}, {3, 3}, {2, 2}};
  int state = 0;
  for (const Step& step : states()) {
    SCOPED_TRACE(step.name);
    step.enter(button);
    repaint(parent_);
    EXPECT_EQ(pixelAt(button, marker[state].x, marker[state].y), RGB(255, 255, 255));
    EXPECT_EQ(pixelAt(button, 4, 4), RGB(255, 0, 0));
    step.leave(button);
    ++state;
  }
}

TEST_F(GxBtnTest, SolidFrameRisesOnHoverSinksWhenPressedAndKeepsThePictureStill) {
  CGxBtn_Pic button;
  createButton(button);
  button.SetBtnAttr_Pic(skinFile("single.bmp"), 1, "", 0);
  button.EnableSolidFrame(1);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  hover(button);
  EXPECT_EQ(paintedAt(button, 2, 2), RGB(255, 255, 255));
  EXPECT_EQ(pixelAt(button, 0, 0), light);
  EXPECT_EQ(pixelAt(button, 39, 19), shadow);
  button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_EQ(paintedAt(button, 2, 2), RGB(255, 255, 255));
  EXPECT_EQ(pixelAt(button, 0, 0), shadow);
  EXPECT_EQ(pixelAt(button, 39, 19), light);
}

TEST_F(GxBtnTest, AutoSizeFitsTheButtonAroundThePicture) {
  CGxBtn_Pic button;
  createButton(button);  // 40 x 20 centred on (30, 20)
  button.SetBtnAttr_Pic(skinFile("strip.bmp"), 4, "tip", 1);
  repaint(parent_);
  CRect rect;
  button.CWnd::GetWindowRect(&rect);
  parent_.ScreenToClient(&rect);
  EXPECT_EQ(rect, CRect(25, 16, 35, 24));  // 10 x (6 + 2), same centre
  EXPECT_EQ(pixelAt(button, 5, 1), kFrames[0]);  // the picture centred
}

TEST_F(GxBtnTest, AnimationBlinksWithTheLastImageUntilStopped) {
  CGxBtn_Pic button;
  createButton(button);
  button.SetBtnAttr_Pic(skinFile("strip.bmp"), 4, "", 0);
  button.Dynamic(500);
  const COLORREF expected[] = {kFrames[3], kFrames[0], kFrames[3]};
  for (COLORREF colour : expected) {
    wavorel::runFor(500);
    EXPECT_EQ(paintedAt(button, 5, 3), colour);
  }
  button.StopDynamic();
  EXPECT_EQ(paintedAt(button, 5, 3), kFrames[0]);
  wavorel::runFor(1000);
  EXPECT_EQ(paintedAt(button, 5, 3), kFrames[0]);
}

TEST_F(GxBtnTest, PerStateColoursReachEveryLaterState) {
  CGxBtn_Hotspot button;
  button.Enable_AutoSetAttr(0);
  createButton(button);
  button.SetBtn_BKColor(0, RGB(255, 0, 0));
  button.SetBtn_BKColor(2, RGB(0, 0, 255));
  button.SetBtn_BorderColor(1, RGB(0, 0, 0));
  struct Look {
    COLORREF fill;
    COLORREF border;
  };
  const Look looks[4] = {{RGB(255, 0, 0), RGB(255, 0, 0)},
                         {RGB(255, 0, 0), RGB(0, 0, 0)},
                         {RGB(0, 0, 255), RGB(0, 0, 0)},
                         {RGB(0, 0, 255), RGB(0, 0, 0)}};
  int state = 0;
  for (const Step& step : states()) {
    SCOPED_TRACE(step.name);
    step.enter(button);
    EXPECT_EQ(paintedAt(button, 5, 5), looks[state].fill);
    EXPECT_EQ(pixelAt(button, 0, 0), looks[state].border);
    EXPECT_EQ(pixelAt(button, 39, 19), looks[state].border);
    step.leave(button);
    ++state;
  }
}

TEST_F(GxBtnTest, HotspotTextColoursPerStateAndAfterAVisit) {
  CGxBtn_Hotspot link;
  ASSERT_TRUE(link.Create("HHH", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 150, 60), &parent_, 100));
  ASSERT_EQ(link.SetBtn_Font(-1, 24, 1, 0, 0, "MS Sans Serif"), 1);
  link.AdjustPosition();
  // Whether some pixel of the button has exactly the colour.
  const auto shows = [&](COLORREF colour) {
    repaint(parent_);
    CRect client;
    link.CWnd::GetClientRect(&client);
    for (int y = 0; y < client.bottom; ++y)
      for (int x = 0; x < client.right; ++x)
        if (pixelAt(link, x, y) == colour) return true;
    return false;
  };
  EXPECT_TRUE(shows(0xB25125));
  hover(link);
  EXPECT_TRUE(shows(0x0000FF));
  link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_TRUE(shows(0x008080));
  link.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  leave();
  EXPECT_TRUE(shows(0x000080));
  EXPECT_FALSE(shows(0xB25125));
}

// A link whose text changes on a painted parent shows the new text alone:
// the parent's background comes back where the old text stood, with a fixed
// size as with the size following the text (right-aligned, as the main
// dialog's company link). Each case is compared with a link made with the
// new text from the start.
TEST_F(GxBtnTest, HotspotTextChangeShowsTheParentUnderTheOldText) {
  WNDCLASS wc{};
  wc.lpfnWndProc = DefWindowProc;
  wc.lpszClassName = "GxBtnTestPainted";
  wc.hbrBackground = CreateSolidBrush(RGB(20, 120, 40));
  ASSERT_TRUE(RegisterClass(&wc));
  CWnd painted;
  ASSERT_TRUE(painted.CreateEx(0, "GxBtnTestPainted", "painted", WS_POPUP | WS_VISIBLE, 0, 0, 200, 80, nullptr, nullptr));
  const auto pixels = [&] {
    repaint(painted);
    std::vector<COLORREF> all;
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 200; ++x) all.push_back(pixelAt(painted, x, y));
    return all;
  };
  const auto make = [&](CGxBtn_Hotspot& link, const char* text, bool sized) {
    ASSERT_TRUE(link.Create(text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 190, 60), &painted, 100));
    ASSERT_EQ(link.SetBtn_Font(-1, 24, 1, 0, 0, "MS Sans Serif"), 1);
    link.EnableAutoAdjustRect(sized ? 1 : 0);
    if (sized) link.SetTextFormat(DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
  };
  for (bool sized : {false, true}) {
    SCOPED_TRACE(sized ? "size follows the text" : "fixed size");
    std::vector<COLORREF> expected;
    {
      CGxBtn_Hotspot fresh;
      make(fresh, "il", sized);
      expected = pixels();
      fresh.DestroyWindow();
    }
    CGxBtn_Hotspot link;
    make(link, "WWWWWWW", sized);
    const std::vector<COLORREF> before = pixels();
    EXPECT_NE(before, expected);
    link.SetWindowText("il");
    EXPECT_EQ(pixels(), expected);
    link.DestroyWindow();
  }
  painted.DestroyWindow();
  UnregisterClass("GxBtnTestPainted", nullptr);
  DeleteObject(wc.hbrBackground);
}

// A 4 x 4 32-bit icon file of one colour.
bool writeIcon(const char* path, COLORREF colour) {
  std::string bytes(6 + 16 + 40 + 4 * 4 * 4 + 4 * 4, '\0');
  const auto put16 = [&bytes](size_t at, uint16_t v) {
    bytes[at] = static_cast<char>(v);
    bytes[at + 1] = static_cast<char>(v >> 8);
  };
  const auto put32 = [&](size_t at, uint32_t v) {
    put16(at, static_cast<uint16_t>(v));
    put16(at + 2, static_cast<uint16_t>(v >> 16));
  };
  put16(2, 1);  // icon
  put16(4, 1);  // one image
  bytes[6] = 4;
  bytes[7] = 4;
  put16(10, 1);
  put16(12, 32);
  put32(14, static_cast<uint32_t>(bytes.size() - 22));
  put32(18, 22);
  put32(22, 40);
  put32(26, 4);
  put32(30, 8);  // colour and mask rows
  put16(34, 1);
  put16(36, 32);
  for (int i = 0; i < 16; ++i) {
    const size_t at = 62 + static_cast<size_t>(i) * 4;
    bytes[at] = static_cast<char>(GetBValue(colour));
    bytes[at + 1] = static_cast<char>(GetGValue(colour));
    bytes[at + 2] = static_cast<char>(GetRValue(colour));
    bytes[at + 3] = static_cast<char>(0xFF);
  }
  CFile file;
  if (!file.Open(path, CFile::modeCreate | CFile::modeWrite)) return false;
  file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
  file.Close();
  return true;
}

TEST_F(GxBtnTest, IconsReplaceOrAppendImages) {
  ASSERT_TRUE(writeIcon(skinFile("green.ico"), RGB(0, 255, 0)));
  ASSERT_TRUE(writeIcon(skinFile("blue.ico"), RGB(0, 0, 255)));
  CGxBtn_Pic button;
  createButton(button);
  button.SetBKPicMode(BKPIC_PICTURE_ONLY);
  button.EnableAutoAdjustRect(0);
  ASSERT_EQ(button.SetBtn_PicIcon(0, skinFile("green.ico"), 0, 0), 1);
  // A single image is drawn at the button's top-left corner.
  EXPECT_EQ(paintedAt(button, 1, 1), RGB(0, 255, 0));
  ASSERT_EQ(button.SetBtn_PicIcon(0, skinFile("blue.ico"), 0, 0), 1);  // replaces image 0
  EXPECT_EQ(paintedAt(button, 1, 1), RGB(0, 0, 255));
  ASSERT_EQ(button.SetBtn_PicIcon(5, skinFile("green.ico"), 0, 0), 1);  // appended as image 1
  hover(button);
  EXPECT_EQ(paintedAt(button, 1, 1), RGB(0, 255, 0));
  // A file that holds no icon, or none at all, makes a standard button.
  EXPECT_EQ(button.SetBtn_PicIcon(0, skinFile("strip.bmp"), 0, 0), 0);
  EXPECT_NE(button.GetButtonStyle() & 0x0F, static_cast<UINT>(BS_OWNERDRAW));
}

TEST_F(GxBtnTest, MissingPictureMakesAStandardButton) {
  CGxBtn_Pic button;
  createButton(button);
  EXPECT_EQ(button.GetButtonStyle() & 0x0F, static_cast<UINT>(BS_OWNERDRAW));
  EXPECT_EQ(button.SetBtn_PicBmp(4, kKeyYellow, skinFile("missing.bmp")), 0);
  EXPECT_NE(button.GetButtonStyle() & 0x0F, static_cast<UINT>(BS_OWNERDRAW));
}

}  // namespace
