#include <vector>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"

namespace wavorel::testing {
namespace {

struct Seen {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Seen> g_seen;
bool g_parentTakesCursor = false;

LRESULT CALLBACK recordProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MOUSELEAVE || msg == WM_MOUSEHOVER || msg == WM_MOUSEMOVE || msg == WM_SETCURSOR)
    g_seen.push_back({hwnd, msg, wParam, lParam});
  if (msg == WM_SETCURSOR && g_parentTakesCursor && reinterpret_cast<HWND>(wParam) != hwnd) return TRUE;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

class MouseInputTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    g_seen.clear();
    g_parentTakesCursor = false;
    arrow_ = LoadCursor(nullptr, IDC_ARROW);
    wait_ = LoadCursor(nullptr, IDC_WAIT);
    WNDCLASS wc{};
    wc.lpfnWndProc = recordProc;
    wc.lpszClassName = "MouseRecorder";
    wc.hCursor = arrow_;
    RegisterClass(&wc);
    wc.lpszClassName = "MouseRecorderWait";
    wc.hCursor = wait_;
    RegisterClass(&wc);
    wc.lpszClassName = "MouseRecorderBare";
    wc.hCursor = nullptr;
    RegisterClass(&wc);
    // A top-level window whose client area is (100,100)-(300,200) on the screen.
    top_ = CreateWindow("MouseRecorder", "top", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, nullptr, nullptr,
                        nullptr, nullptr);
    child_ = CreateWindow("MouseRecorderWait", "child", WS_CHILD | WS_VISIBLE, 150, 50, 40, 40, top_, nullptr,
                          nullptr, nullptr);
  }

  std::vector<UINT> taken(HWND hwnd, UINT msg) {
    pumpMessages();
    std::vector<UINT> out;
    for (const Seen& s : g_seen)
      if (s.hwnd == hwnd && s.msg == msg) out.push_back(static_cast<UINT>(s.lParam));
    return out;
  }
  size_t count(HWND hwnd, UINT msg) { return taken(hwnd, msg).size(); }

  BOOL track(DWORD flags, HWND hwnd, DWORD hoverMs = HOVER_DEFAULT) {
    TRACKMOUSEEVENT t{sizeof(TRACKMOUSEEVENT), flags, hwnd, hoverMs};
    return TrackMouseEvent(&t);
  }
  TRACKMOUSEEVENT query() {
    TRACKMOUSEEVENT t{sizeof(TRACKMOUSEEVENT), TME_QUERY, nullptr, 0};
    EXPECT_TRUE(TrackMouseEvent(&t));
    return t;
  }

  HCURSOR arrow_ = nullptr;
  HCURSOR wait_ = nullptr;
  HWND top_ = nullptr;
  HWND child_ = nullptr;
};
class TrackMouseTest : public MouseInputTest {};
class CursorTest : public MouseInputTest {};

TEST_F(CursorTest, MouseMoveToPostsTheMoveAndMovesTheCursor) {
  EXPECT_EQ(mouseMoveTo(POINT{110, 120}, MK_LBUTTON), top_);
  POINT at{};
  ASSERT_TRUE(GetCursorPos(&at));
  EXPECT_EQ(at.x, 110);
  EXPECT_EQ(at.y, 120);
  // WM_SETCURSOR is sent at once, WM_MOUSEMOVE waits in the queue.
  ASSERT_EQ(g_seen.size(), 1u);
  EXPECT_EQ(g_seen[0].msg, static_cast<UINT>(WM_SETCURSOR));
  EXPECT_EQ(g_seen[0].lParam, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(taken(top_, WM_MOUSEMOVE), std::vector<UINT>{static_cast<UINT>(MAKELPARAM(10, 20))});
  EXPECT_EQ(g_seen.back().wParam, static_cast<WPARAM>(MK_LBUTTON));

  // The child under the point, by client coordinates; the capture takes the
  // move wherever the mouse is, without WM_SETCURSOR.
  EXPECT_EQ(mouseMoveTo(child_, POINT{5, 6}), child_);
  EXPECT_EQ(taken(child_, WM_MOUSEMOVE), std::vector<UINT>{static_cast<UINT>(MAKELPARAM(5, 6))});
  SetCapture(top_);
  g_seen.clear();
  EXPECT_EQ(mouseMoveTo(POINT{400, 300}), top_);
  EXPECT_EQ(taken(top_, WM_MOUSEMOVE), std::vector<UINT>{static_cast<UINT>(MAKELPARAM(300, 200))});
  EXPECT_EQ(count(top_, WM_SETCURSOR), 0u);
  ReleaseCapture();
  EXPECT_EQ(mouseMoveTo(POINT{700, 500}), nullptr);
}

TEST_F(TrackMouseTest, LeaveOnceWhenTheMouseLeavesTheClientArea) {
  mouseMoveTo(POINT{110, 110});
  ASSERT_TRUE(track(TME_LEAVE, top_));
  TRACKMOUSEEVENT q = query();
  EXPECT_EQ(q.dwFlags, static_cast<DWORD>(TME_LEAVE));
  EXPECT_EQ(q.hwndTrack, top_);
  mouseMoveTo(POINT{299, 199});
  EXPECT_EQ(count(top_, WM_MOUSELEAVE), 0u);
  mouseMoveTo(POINT{300, 150});
  EXPECT_EQ(count(top_, WM_MOUSELEAVE), 1u);
  EXPECT_EQ(query().hwndTrack, nullptr);
  mouseMoveTo(POINT{110, 110});
  mouseMoveTo(POINT{500, 150});
  EXPECT_EQ(count(top_, WM_MOUSELEAVE), 1u);

  // Moving onto a child leaves the parent's own client area.
  mouseMoveTo(POINT{110, 110});
  ASSERT_TRUE(track(TME_LEAVE, top_));
  mouseMoveTo(POINT{260, 160});
  EXPECT_EQ(count(top_, WM_MOUSELEAVE), 2u);
}

TEST_F(TrackMouseTest, RequestsWhileTheMouseIsElsewhere) {
  mouseMoveTo(POINT{10, 10});
  ASSERT_TRUE(track(TME_LEAVE | TME_HOVER, top_));
  EXPECT_EQ(count(top_, WM_MOUSELEAVE), 1u);  // at once, and nothing is tracked
  EXPECT_EQ(query().dwFlags, 0u);
  runFor(1000);
  EXPECT_EQ(count(top_, WM_MOUSEHOVER), 0u);
  ASSERT_TRUE(track(TME_HOVER, top_));  // ignored
  runFor(1000);
  EXPECT_EQ(count(top_, WM_MOUSEHOVER), 0u);
  EXPECT_EQ(count(top_, WM_MOUSELEAVE), 1u);
}

TEST_F(TrackMouseTest, HoverAfterTheMouseRests) {
  mouseMoveTo(POINT{120, 130}, MK_SHIFT);
  ASSERT_TRUE(track(TME_HOVER | TME_LEAVE, top_));
  EXPECT_EQ(query().dwHoverTime, 400u);  // HOVER_DEFAULT reads as the real time
  runFor(300);
  mouseMoveTo(POINT{122, 128}, MK_SHIFT);  // inside the 4 x 4 hover rectangle: still resting
  runFor(99);
  EXPECT_EQ(count(top_, WM_MOUSEHOVER), 0u);
  runFor(1);
  EXPECT_EQ(taken(top_, WM_MOUSEHOVER), std::vector<UINT>{static_cast<UINT>(MAKELPARAM(22, 28))});
  EXPECT_EQ(g_seen.back().wParam, static_cast<WPARAM>(MK_SHIFT));
  // The hover ended hover tracking only.
  EXPECT_EQ(query().dwFlags, static_cast<DWORD>(TME_LEAVE));
  runFor(1000);
  EXPECT_EQ(count(top_, WM_MOUSEHOVER), 1u);

  // A move out of the rectangle starts the time again; a new request resets it.
  ASSERT_TRUE(track(TME_HOVER, top_, 50));
  runFor(40);
  mouseMoveTo(POINT{125, 128});
  runFor(40);
  EXPECT_EQ(count(top_, WM_MOUSEHOVER), 1u);
  ASSERT_TRUE(track(TME_HOVER, top_, 50));
  runFor(49);
  EXPECT_EQ(count(top_, WM_MOUSEHOVER), 1u);
  runFor(1);
  EXPECT_EQ(count(top_, WM_MOUSEHOVER), 2u);
  EXPECT_EQ(count(top_, WM_MOUSELEAVE), 0u);
}

TEST_F(TrackMouseTest, CancelAndReplace) {
  mouseMoveTo(POINT{110, 110});
  ASSERT_TRUE(track(TME_HOVER | TME_LEAVE, top_));
  ASSERT_TRUE(track(TME_CANCEL | TME_HOVER, top_));
  EXPECT_EQ(query().dwFlags, static_cast<DWORD>(TME_LEAVE));
  runFor(1000);
  EXPECT_EQ(count(top_, WM_MOUSEHOVER), 0u);
  ASSERT_TRUE(track(TME_CANCEL | TME_LEAVE, top_));
  mouseMoveTo(POINT{10, 10});
  EXPECT_EQ(count(top_, WM_MOUSELEAVE), 0u);

  // A request for another window replaces the tracking.
  mouseMoveTo(POINT{110, 110});
  ASSERT_TRUE(track(TME_LEAVE, top_));
  mouseMoveTo(POINT{260, 160});
  ASSERT_TRUE(track(TME_LEAVE, child_));
  EXPECT_EQ(query().hwndTrack, child_);
  mouseMoveTo(POINT{110, 110});
  EXPECT_EQ(count(child_, WM_MOUSELEAVE), 1u);
  EXPECT_EQ(count(top_, WM_MOUSELEAVE), 1u);
}

TEST_F(TrackMouseTest, RefusesBadRequests) {
  struct Case {
    DWORD size;
    DWORD flags;
    bool validWindow;
    DWORD error;
  } cases[] = {
      {sizeof(TRACKMOUSEEVENT) - 1, TME_LEAVE, true, ERROR_INVALID_PARAMETER},
      {sizeof(TRACKMOUSEEVENT), TME_LEAVE | 0x10, true, ERROR_INVALID_PARAMETER},  // non-client tracking
      {sizeof(TRACKMOUSEEVENT), TME_LEAVE, false, ERROR_INVALID_WINDOW_HANDLE},
  };
  HWND gone = CreateWindow("MouseRecorder", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  for (const Case& c : cases) {
    TRACKMOUSEEVENT t{c.size, c.flags, c.validWindow ? top_ : gone, HOVER_DEFAULT};
    SetLastError(0);
    EXPECT_FALSE(TrackMouseEvent(&t));
    EXPECT_EQ(GetLastError(), c.error);
  }
  SetLastError(0);
  EXPECT_FALSE(TrackMouseEvent(nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(CursorTest, SetAndGetReturnThePrevious) {
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW)) << "the arrow until a cursor is set";
  EXPECT_EQ(SetCursor(wait_), LoadCursor(nullptr, IDC_ARROW));
  EXPECT_EQ(SetCursor(arrow_), wait_);
  EXPECT_EQ(SetCursor(nullptr), arrow_);
  EXPECT_EQ(GetCursor(), nullptr);
}

TEST_F(CursorTest, FromTheClassInDefaultProcessing) {
  mouseMoveTo(POINT{110, 110});
  EXPECT_EQ(GetCursor(), arrow_);
  mouseMoveTo(POINT{260, 160});  // the child's class cursor comes after its parent's
  EXPECT_EQ(GetCursor(), wait_);
  SetCursor(nullptr);
  g_parentTakesCursor = true;  // a parent that answers TRUE decides alone
  mouseMoveTo(POINT{261, 160});
  EXPECT_EQ(GetCursor(), nullptr);
  g_parentTakesCursor = false;

  // A class without a cursor leaves the one that was set; other hit-test
  // codes set none.
  HWND bare = CreateWindow("MouseRecorderBare", "", WS_POPUP | WS_VISIBLE, 400, 100, 50, 50, nullptr, nullptr,
                           nullptr, nullptr);
  SetCursor(wait_);
  mouseMoveTo(POINT{410, 110});
  EXPECT_EQ(GetCursor(), wait_);
  const WORD captionHit = 2;
  SendMessage(top_, WM_SETCURSOR, reinterpret_cast<WPARAM>(top_), MAKELPARAM(captionHit, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), wait_);
  DestroyWindow(bare);
}

}  // namespace
}  // namespace wavorel::testing
