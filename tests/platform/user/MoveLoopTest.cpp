#include <string>
#include <vector>

#include "UserTestSupport.h"
#include "platform/win/user/MouseTracking.h"

namespace wavorel::testing {
namespace {

// A window that starts the move loop when the mouse moves over it with the
// left button down, as skinned dialogs do, and records the loop's messages.
class MoveLoopTest : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    on(WM_MOUSEMOVE, [](HWND hwnd, UINT, WPARAM keys, LPARAM) -> std::optional<LRESULT> {
      if (keys == MK_LBUTTON) SendMessage(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
      return 0;
    });
    for (UINT msg : {WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE, WM_MOVING, WM_MOVE})
      on(msg, [this](HWND hwnd, UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        record(m, lp);
        return DefWindowProc(hwnd, m, wp, lp);
      });
  }

  void record(UINT msg, LPARAM lp) {
    switch (msg) {
      case WM_ENTERSIZEMOVE: events.push_back("enter"); break;
      case WM_EXITSIZEMOVE: events.push_back("exit"); break;
      case WM_MOVING: {
        const RECT* r = reinterpret_cast<const RECT*>(lp);
        events.push_back("moving " + std::to_string(r->left) + "," + std::to_string(r->top) + "," +
                         std::to_string(r->right) + "," + std::to_string(r->bottom));
        break;
      }
      default: events.push_back("move " + std::to_string(GET_X_LPARAM(lp)) + "," + std::to_string(GET_Y_LPARAM(lp)));
    }
  }

  // Presses at `pressAt` (a point of `hwnd`) and moves the mouse to each
  // screen point with the left button down; nothing is dispatched yet.
  static void drag(HWND hwnd, POINT pressAt, std::initializer_list<POINT> to) {
    ASSERT_EQ(mouseMoveTo(hwnd, pressAt, MK_LBUTTON), hwnd);
    for (POINT p : to) ASSERT_NE(mouseMoveTo(p, MK_LBUTTON), nullptr);
  }
  static POINT topLeft(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return {r.left, r.top};
  }

  std::vector<std::string> events;
};

TEST_F(MoveLoopTest, WindowFollowsTheMouseUntilTheButtonIsReleased) {
  HWND w = make("w", WS_POPUP | WS_VISIBLE);  // at (10, 20), 100 x 50
  events.clear();
  drag(w, {5, 5}, {{45, 45}, {60, 50}});     // the press is at (15, 25) on the screen
  PostMessage(w, WM_LBUTTONUP, 0, MAKELPARAM(50, 25));
  pumpMessages();

  const std::vector<std::string> expected = {"enter", "moving 40,40,140,90", "move 40,40", "moving 55,45,155,95",
                                             "move 55,45", "exit"};
  EXPECT_EQ(events, expected);
  EXPECT_EQ(topLeft(w).x, 55);
  EXPECT_EQ(topLeft(w).y, 45);
  EXPECT_EQ(GetCapture(), nullptr);

  // Once released, moving over the window moves nothing.
  mouseMoveTo(w, {30, 10}, 0);
  pumpMessages();
  EXPECT_EQ(topLeft(w).x, 55);
}

TEST_F(MoveLoopTest, EscapeEnterAndLosingTheCaptureEndTheMove) {
  struct Case {
    const char* name;
    POINT end;  // where the window is left
  };
  const Case cases[] = {{"escape", {10, 20}}, {"enter", {30, 30}}, {"capture", {30, 30}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    events.clear();
    HWND w = make("w", WS_POPUP | WS_VISIBLE);
    HWND other = make("other", WS_POPUP | WS_VISIBLE, nullptr, 0, {300, 300, 350, 350});
    on(WM_APP, [other](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
      SetCapture(other);
      return 0;
    });
    drag(w, {5, 5}, {{35, 35}});
    if (std::string(c.name) == "capture")
      PostMessage(other, WM_APP, 0, 0);
    else
      PostMessage(w, WM_KEYDOWN, std::string(c.name) == "escape" ? VK_ESCAPE : VK_RETURN, 0);
    pumpMessages();
    EXPECT_EQ(topLeft(w).x, c.end.x);
    EXPECT_EQ(topLeft(w).y, c.end.y);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "exit");
    EXPECT_EQ(GetCapture(), std::string(c.name) == "capture" ? other : nullptr);
    ReleaseCapture();
    DestroyWindow(w);
    DestroyWindow(other);
  }
}

TEST_F(MoveLoopTest, MovingMayChangeTheRectangleAndChildrenMoveInTheirParent) {
  HWND parent = make("parent", WS_POPUP | WS_VISIBLE, nullptr, 0, {10, 20, 310, 220});
  HWND child = make("child", WS_CHILD | WS_VISIBLE, parent, 7, {30, 40, 80, 70});
  // The child may only move sideways.
  on(
      WM_MOVING,
      [](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        RECT* r = reinterpret_cast<RECT*>(lp);
        r->bottom -= r->top - 60;
        r->top = 60;
        return TRUE;
      },
      child);
  drag(child, {5, 5}, {{65, 90}});  // pressed at (45, 65): 20 right, 25 down
  PostMessage(child, WM_LBUTTONUP, 0, 0);
  pumpMessages();
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.right - r.left, 50);
  EXPECT_EQ(r.bottom - r.top, 30);
}

TEST_F(MoveLoopTest, NoMoveWithoutTheLeftButtonDown) {
  HWND w = make("w", WS_POPUP | WS_VISIBLE);
  mouseMoveTo(w, {5, 5}, 0);
  pumpMessages();
  events.clear();
  SendMessage(w, WM_NCLBUTTONDOWN, HTCAPTION, 0);
  SendMessage(w, WM_NCLBUTTONDOWN, HTCLIENT, 0);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(topLeft(w).x, 10);
}

}  // namespace
}  // namespace wavorel::testing
