#include <string>

#include "platform/testing/PlatformTest.h"
#include "utilmere/WindowTools.h"

namespace {

int g_leaves = 0;

LRESULT CALLBACK countLeaves(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MOUSELEAVE) ++g_leaves;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

class WindowToolsInputTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    g_leaves = 0;
    WNDCLASS wc = {};
    wc.lpfnWndProc = countLeaves;
    wc.lpszClassName = "LeaveCounter";
    RegisterClass(&wc);
    hwnd_ = CreateWindow("LeaveCounter", "", WS_POPUP | WS_VISIBLE, 50, 50, 200, 100, nullptr, nullptr, nullptr,
                         nullptr);
    ASSERT_TRUE(window_.Attach(hwnd_));
  }
  void TearDown() override {
    window_.Detach();
    DestroyWindow(hwnd_);
    PlatformTest::TearDown();
  }

  HWND hwnd_ = nullptr;
  CWnd window_;
};

TEST_F(WindowToolsInputTest, TrackMouseEventAsksForOneLeave) {
  wavorel::mouseMoveTo(POINT{60, 60});
  TrackMouseEvent(&window_);
  wavorel::mouseMoveTo(POINT{70, 70});
  wavorel::pumpMessages();
  EXPECT_EQ(g_leaves, 0);
  wavorel::mouseMoveTo(POINT{10, 10});
  wavorel::mouseMoveTo(POINT{60, 60});
  wavorel::mouseMoveTo(POINT{10, 10});
  wavorel::pumpMessages();
  EXPECT_EQ(g_leaves, 1);

  // Without a window nothing is tracked.
  CWnd none;
  wavorel::mouseMoveTo(POINT{60, 60});
  TrackMouseEvent(&none);
  TrackMouseEvent(static_cast<CWnd*>(nullptr));
  TRACKMOUSEEVENT query = {sizeof query, TME_QUERY, nullptr, 0};
  ASSERT_TRUE(TrackMouseEvent(&query));
  EXPECT_EQ(query.hwndTrack, nullptr);
}

TEST_F(WindowToolsInputTest, WaitCursorRemembersAndRestoresOnce) {
  const HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
  SetCursor(hand);
  SetWaitCursor();
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
  RestoreCursor();
  EXPECT_EQ(GetCursor(), hand);
  // Forgotten: a second restore, or one after a wait over no cursor, gives the arrow.
  RestoreCursor();
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
  SetCursor(nullptr);
  SetWaitCursor();
  RestoreCursor();
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
}

TEST_F(WindowToolsInputTest, HandleSpanClickStepsToMultiplesWithinTheLimits) {
  const int kEdit = 1001;
  HWND edit = CreateWindow("EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, hwnd_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEdit)), nullptr, nullptr);
  ASSERT_NE(edit, nullptr);
  struct Case {
    const char* text;
    int delta;
    int maximum;
    int minimum;
    const char* expected;
  } cases[] = {
      {"23", 1, 100, 0, "20"},    {"20", 1, 100, 0, "15"},   {"23", -1, 100, 0, "25"},
      {"25", -1, 100, 0, "30"},   {"23", 2, 100, 0, "25"},   {"98", -1, 100, 0, "100"},
      {"100", -1, 100, 0, "100"}, {"3", 1, 100, 0, "0"},     {"0", 1, 100, 0, "0"},
      {"-7", 1, 100, -100, "-10"}, {"-7", -1, 100, -100, "-5"}, {"x", -1, 100, 0, "5"},
  };
  for (const Case& c : cases) {
    SetWindowText(edit, c.text);
    SetFocus(hwnd_);
    NMUPDOWN spin = {};
    spin.iDelta = c.delta;
    LRESULT result = 99;
    HandleSpanClick(&window_, kEdit, &spin.hdr, &result, c.maximum, c.minimum, 5);
    char text[32] = {};
    GetWindowText(edit, text, sizeof text);
    EXPECT_STREQ(text, c.expected) << c.text << " delta " << c.delta;
    EXPECT_EQ(result, 0);
    EXPECT_EQ(GetFocus(), edit);
    DWORD start = 0, end = 0;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, std::string(c.expected).size());
  }
}

}  // namespace
