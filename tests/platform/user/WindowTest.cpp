#include <algorithm>
#include <future>
#include <thread>
#include <vector>

#include "UserTestSupport.h"
#include "platform/win/user/WindowManager.h"

namespace wavorel::testing {
namespace {

using WindowTest = UserTest;

TEST_F(WindowTest, CreationSendsCreateMessagesWithTheCreateStruct) {
  int param = 7;
  std::string nameSeen;
  on(WM_CREATE, [&](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    auto* cs = reinterpret_cast<CREATESTRUCT*>(lp);
    EXPECT_EQ(cs->lpCreateParams, &param);
    EXPECT_EQ(cs->cx, 200);
    nameSeen = cs->lpszName;
    return 0;
  });
  HWND w = CreateWindowEx(WS_EX_TOOLWINDOW, kClass, "Main", WS_POPUP, 5, 6, 200, 100, nullptr, nullptr, nullptr, &param);
  ASSERT_TRUE(IsWindow(w));
  EXPECT_EQ(nameSeen, "Main");
  std::vector<UINT> order;
  for (UINT m : {WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE}) order.push_back(seen(m).at(0).msg);
  EXPECT_EQ(seen(WM_SIZE)[0].lParam, MAKELPARAM(200, 100));
  char text[16];
  EXPECT_EQ(GetWindowText(w, text, sizeof text), 4);
  EXPECT_STREQ(text, "Main");
  EXPECT_EQ(GetWindowLong(w, GWL_EXSTYLE), WS_EX_TOOLWINDOW);
}

TEST_F(WindowTest, CreationFailsOnRefusalAndBadArguments) {
  struct Case {
    UINT msg;
    LRESULT answer;
    bool destroySent;
  } cases[] = {{WM_NCCREATE, FALSE, false}, {WM_CREATE, -1, true}};
  for (const Case& c : cases) {
    clearLog();
    on(c.msg, [&](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> { return c.answer; });
    EXPECT_EQ(make(), nullptr);
    EXPECT_EQ(seen(WM_DESTROY).size(), c.destroySent ? 1u : 0u);
    EXPECT_EQ(seen(WM_NCDESTROY).size(), 1u);
    HWND failed = seen(WM_NCDESTROY)[0].hwnd;
    EXPECT_FALSE(IsWindow(failed));
    on(c.msg, [](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> { return std::nullopt; });
  }
  EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
  EXPECT_EQ(make("c", WS_CHILD), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));
}

TEST_F(WindowTest, DestroyOrderAndStaleHandles) {
  HWND owner = make("owner");
  HWND owned = make("owned", WS_POPUP, owner);
  HWND child = make("child", WS_CHILD, owner, 1);
  HWND grandchild = make("grandchild", WS_CHILD, child, 2);
  HWND sibling = make("sibling", WS_CHILD, owner, 3);
  clearLog();
  EXPECT_TRUE(DestroyWindow(owner));
  auto destroyed = windowsThatSaw(WM_DESTROY);
  auto freed = windowsThatSaw(WM_NCDESTROY);
  EXPECT_EQ(destroyed, (std::vector<HWND>{owned, owner, child, grandchild, sibling}));
  EXPECT_EQ(freed, (std::vector<HWND>{owned, grandchild, child, sibling, owner}));
  HWND fresh = make("fresh");
  for (HWND h : {owner, owned, child, grandchild, sibling}) {
    EXPECT_FALSE(IsWindow(h));
    EXPECT_NE(h, fresh);
  }
  EXPECT_FALSE(DestroyWindow(owner));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

// More windows than a thread keeps at hand, asked for in turns on two threads:
// each handle answers its own window, and a window destroyed on one thread is
// gone on the other that had just found it.
TEST_F(WindowTest, HandlesAnswerTheirOwnWindowOnEveryThread) {
  HWND owner = make("owner");
  std::vector<HWND> children;
  for (int id = 1; id <= 7; ++id) children.push_back(make("child", WS_CHILD, owner, id));
  auto askAll = [&](size_t gone) {
    std::vector<int> ids;
    for (size_t i = 0; i < children.size(); ++i) {
      ids.push_back(IsWindow(children[i]) ? GetDlgCtrlID(children[i]) : 0);
      ids.push_back(IsWindow(children[0]) ? GetDlgCtrlID(children[0]) : 0);
    }
    std::vector<int> expected;
    for (size_t i = 0; i < children.size(); ++i) {
      expected.push_back(i == gone ? 0 : static_cast<int>(i) + 1);
      expected.push_back(1);
    }
    EXPECT_EQ(ids, expected);
  };
  const size_t none = children.size();
  std::promise<void> destroyed;
  std::promise<void> asked;
  std::thread other([&] {
    askAll(none);
    EXPECT_EQ(GetDlgCtrlID(children[3]), 4);  // the last one found
    asked.set_value();
    destroyed.get_future().wait();
    EXPECT_FALSE(IsWindow(children[3]));
    askAll(3);
  });
  asked.get_future().wait();
  askAll(none);
  EXPECT_TRUE(DestroyWindow(children[3]));
  askAll(3);
  destroyed.set_value();
  other.join();
}

// A thread that found a window and then looks nothing up (a worker asleep)
// does not keep it: destroyed on another thread, the window is freed with all
// it owns.
TEST_F(WindowTest, DestroyedWindowIsFreedThoughAnotherThreadFoundItLast) {
  HWND w = make("found elsewhere");
  std::weak_ptr<Window> object = WindowManager::instance().find(w);
  std::promise<void> found;
  std::promise<void> checked;
  std::thread sleeper([&] {
    EXPECT_TRUE(IsWindow(w));
    found.set_value();
    checked.get_future().wait();
  });
  found.get_future().wait();
  ASSERT_FALSE(object.expired());
  EXPECT_TRUE(DestroyWindow(w));
  EXPECT_TRUE(object.expired()) << "the window outlives its removal in the other thread's look-up cache";
  checked.set_value();
  sleeper.join();
}

TEST_F(WindowTest, WindowDestroyedInsideItsOwnHandlerIsSafe) {
  HWND w = make();
  HWND child = make("child", WS_CHILD, w, 5);
  on(WM_COMMAND, [&](HWND h, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
    EXPECT_TRUE(DestroyWindow(h));
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(IsWindow(child));
    return 42;
  });
  on(WM_DESTROY, [&](HWND h, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
    EXPECT_TRUE(IsWindow(h)) << "a window is still a window during WM_DESTROY";
    EXPECT_TRUE(DestroyWindow(h)) << "a second destroy from inside is harmless";
    return 0;
  });
  EXPECT_EQ(SendMessage(w, WM_COMMAND, 0, 0), 42);
  EXPECT_EQ(seen(WM_NCDESTROY).size(), 2u);
  EXPECT_EQ(SendMessage(w, WM_COMMAND, 0, 0), 0);
}

TEST_F(WindowTest, TreeNavigation) {
  HWND top = make("Top");
  HWND a = make("a", WS_CHILD, top, 10);
  HWND b = make("b", WS_CHILD, top, 11);
  HWND c = make("c", WS_CHILD, b, 12);
  HWND popup = make("Popup", WS_POPUP, a);
  EXPECT_EQ(GetParent(a), top);
  EXPECT_EQ(GetParent(popup), top) << "a popup's parent is its owner, the owner's root";
  EXPECT_EQ(GetWindow(popup, GW_OWNER), top);
  EXPECT_EQ(GetAncestor(c, GA_PARENT), b);
  EXPECT_EQ(GetAncestor(c, GA_ROOT), top);
  EXPECT_EQ(GetAncestor(top, GA_PARENT), GetDesktopWindow());
  EXPECT_EQ(GetWindow(top, GW_CHILD), a) << "children keep creation order";
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  EXPECT_EQ(GetWindow(b, GW_HWNDPREV), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDLAST), b);
  EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), nullptr);
  EXPECT_TRUE(IsChild(top, c));
  EXPECT_FALSE(IsChild(top, popup));
  EXPECT_EQ(GetDlgItem(top, 11), b);
  EXPECT_EQ(GetDlgItem(top, 12), nullptr) << "only direct children";
  EXPECT_EQ(GetDlgCtrlID(c), 12);
  SetWindowLong(c, GWL_ID, 99);
  EXPECT_EQ(GetDlgItem(b, 99), c);
  std::vector<HWND> all;
  EnumChildWindows(top, [](HWND h, LPARAM p) -> BOOL {
    reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&all));
  EXPECT_EQ(all, (std::vector<HWND>{a, b, c}));
  // The desktop's children walk covers the top-level windows, newest on top.
  EXPECT_EQ(GetWindow(GetDesktopWindow(), GW_CHILD), popup);
  EXPECT_EQ(GetWindow(popup, GW_HWNDNEXT), top);
  EXPECT_EQ(SetParent(c, a), b);
  EXPECT_EQ(GetParent(c), a);
  EXPECT_EQ(SetParent(a, c), nullptr) << "a window cannot move under its own descendant";
}

TEST_F(WindowTest, FindWindowMatchesClassAndTitleWithoutCase) {
  HWND one = make("Wireless Utility");
  HWND two = make("Other");
  struct Case {
    const char* cls;
    const char* title;
    HWND expect;
  } cases[] = {{"testwnd", "WIRELESS UTILITY", one}, {nullptr, "other", two}, {"TESTWND", nullptr, two},
               {"Nope", nullptr, nullptr},           {nullptr, "Wireless", nullptr}};
  for (const Case& c : cases) EXPECT_EQ(FindWindow(c.cls, c.title), c.expect) << (c.title ? c.title : "-");
  EXPECT_EQ(FindWindowEx(nullptr, two, kClass, nullptr), one);
  HWND child = make("Edit me", WS_CHILD, one, 1);
  EXPECT_EQ(FindWindowEx(one, nullptr, nullptr, "edit ME"), child);
}

TEST_F(WindowTest, PropertiesLongsAndSubclassing) {
  HWND w = make();
  EXPECT_TRUE(SetProp(w, "Wavorel", reinterpret_cast<HANDLE>(1)));
  EXPECT_TRUE(SetProp(w, "Other", reinterpret_cast<HANDLE>(2)));
  EXPECT_EQ(GetProp(w, "WAVOREL"), reinterpret_cast<HANDLE>(1));
  EXPECT_TRUE(SetProp(w, "wavorel", reinterpret_cast<HANDLE>(3)));
  int count = EnumProps(w, [](HWND, LPCSTR, HANDLE) -> BOOL { return TRUE; });
  EXPECT_EQ(count, TRUE);
  EXPECT_EQ(RemoveProp(w, "Wavorel"), reinterpret_cast<HANDLE>(3));
  EXPECT_EQ(GetProp(w, "Wavorel"), nullptr);

  EXPECT_EQ(SetWindowLongPtr(w, GWLP_USERDATA, 1234), 0);
  EXPECT_EQ(GetWindowLongPtr(w, GWLP_USERDATA), 1234);
  EXPECT_EQ(SetWindowLongPtr(w, 8, 0x55), 0);
  EXPECT_EQ(GetWindowLongPtr(w, 8), 0x55);
  EXPECT_EQ(GetWindowLongPtr(w, 9), 0) << "past the 16 extra bytes";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
  SetWindowLong(w, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_BORDER));
  EXPECT_EQ(seen(WM_STYLECHANGED).size(), 1u);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLong(w, GWL_STYLE)), static_cast<DWORD>(WS_POPUP | WS_BORDER));

  static WNDPROC previous;
  static int subclassCalls;
  subclassCalls = 0;
  previous = reinterpret_cast<WNDPROC>(SetWindowLongPtr(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(
      +[](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_USER) return 100 + CallWindowProc(previous, h, m, wp, lp);
        ++subclassCalls;
        return CallWindowProc(previous, h, m, wp, lp);
      })));
  on(WM_USER, [](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> { return 5; });
  EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 105);
  SetWindowText(w, "renamed");
  EXPECT_GE(subclassCalls, 1);
  char buf[4];
  EXPECT_EQ(GetWindowText(w, buf, sizeof buf), 3) << "cut to the buffer";
  EXPECT_STREQ(buf, "ren");
  EXPECT_EQ(GetWindowTextLength(w), 7);
  wavorel::setWindowObject(w, &subclassCalls);
  EXPECT_EQ(wavorel::windowObject(w), &subclassCalls);
}

TEST_F(WindowTest, ClassRegistration) {
  WNDCLASSEX wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProc;
  wc.cbClsExtra = 8;
  wc.style = CS_HREDRAW;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "Extra";
  ATOM atom = RegisterClassEx(&wc);
  EXPECT_GE(atom, 0xC000);
  EXPECT_EQ(RegisterClassEx(&wc), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  WNDCLASS info{};
  EXPECT_TRUE(GetClassInfo(nullptr, "EXTRA", &info));
  EXPECT_EQ(info.style, static_cast<UINT>(CS_HREDRAW));
  EXPECT_EQ(info.cbClsExtra, 8);
  HWND w = CreateWindowEx(0, MAKEINTATOM(atom), "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(w);
  char name[4];
  EXPECT_EQ(GetClassName(w, name, sizeof name), 3);
  EXPECT_STREQ(name, "Ext");
  EXPECT_EQ(GetClassLongPtr(w, GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));
  EXPECT_FALSE(UnregisterClass("Extra", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
  DestroyWindow(w);
  EXPECT_TRUE(UnregisterClass("Extra", nullptr));
  EXPECT_FALSE(GetClassInfo(nullptr, "Extra", &info));
  EXPECT_EQ(RegisterWindowMessage("TaskbarCreated"), RegisterWindowMessage("taskbarcreated"));
  EXPECT_GE(RegisterWindowMessage("TaskbarCreated"), 0xC000u);
  EXPECT_NE(RegisterWindowMessage("TaskbarCreated"), RegisterWindowMessage("Omrin_SystemTray"));
}

TEST_F(WindowTest, RectanglesFramesAndMapping) {
  struct Case {
    DWORD style;
    DWORD exStyle;
    RECT client;
  } cases[] = {
      {WS_POPUP, 0, {0, 0, 100, 50}},
      {WS_POPUP | WS_BORDER, 0, {0, 0, 98, 48}},
      {WS_POPUP | WS_CAPTION, 0, {0, 0, 94, 50 - 6 - 19}},
      {WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, {0, 0, 94, 50 - 6 - 15}},
      {WS_POPUP | WS_THICKFRAME | WS_CAPTION, 0, {0, 0, 92, 50 - 8 - 19}},
      {WS_POPUP, WS_EX_CLIENTEDGE, {0, 0, 96, 46}},
  };
  for (const Case& c : cases) {
    HWND w = CreateWindowEx(c.exStyle, kClass, "", c.style, 10, 20, 100, 50, nullptr, nullptr, nullptr, nullptr);
    RECT r;
    GetClientRect(w, &r);
    EXPECT_EQ(r.right, c.client.right) << c.style;
    EXPECT_EQ(r.bottom, c.client.bottom) << c.style;
  }
  HWND top = CreateWindowEx(0, kClass, "", WS_POPUP | WS_BORDER, 100, 200, 300, 300, nullptr, nullptr, nullptr, nullptr);
  HWND child = make("c", WS_CHILD, top, 1, {10, 10, 60, 40});
  RECT r;
  GetWindowRect(child, &r);
  EXPECT_EQ(r.left, 111);
  EXPECT_EQ(r.top, 211);
  POINT p{5, 5};
  ClientToScreen(child, &p);
  EXPECT_EQ(p.x, 116);
  ScreenToClient(top, &p);
  EXPECT_EQ(p.x, 15);
  POINT q[1] = {{0, 0}};
  EXPECT_EQ(MapWindowPoints(child, top, q, 1), MAKELONG(10, 10));
  EXPECT_EQ(q[0].y, 10);
  clearLog();
  MoveWindow(top, 0, 0, 200, 300, TRUE);
  EXPECT_EQ(seen(WM_MOVE).size(), 1u);
  EXPECT_EQ(seen(WM_MOVE)[0].lParam, MAKELPARAM(1, 1)) << "client origin";
  EXPECT_EQ(seen(WM_SIZE)[0].lParam, MAKELPARAM(198, 298));
  clearLog();
  SetWindowPos(top, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_TRUE(seen(WM_MOVE).empty());
  EXPECT_TRUE(seen(WM_SIZE).empty());
  EXPECT_EQ(seen(WM_WINDOWPOSCHANGED).size(), 1u);
}

TEST_F(WindowTest, WindowPosChangingCanAdjustTheMove) {
  HWND w = make();
  on(WM_WINDOWPOSCHANGING, [](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    reinterpret_cast<WINDOWPOS*>(lp)->cx = 33;
    return 0;
  });
  SetWindowPos(w, nullptr, 0, 0, 500, 500, SWP_NOZORDER);
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r.right - r.left, 33);
  EXPECT_EQ(r.bottom - r.top, 500);
}

TEST_F(WindowTest, ZOrderAndTopmost) {
  HWND a = make("a");
  HWND b = make("b");
  HWND c = make("c");
  auto order = [] {
    std::vector<HWND> v;
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) v.push_back(h);
    return v;
  };
  EXPECT_EQ(order(), (std::vector<HWND>{c, b, a}));
  SetWindowPos(a, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_TRUE(GetWindowLong(a, GWL_EXSTYLE) & WS_EX_TOPMOST);
  BringWindowToTop(b);
  EXPECT_EQ(order(), (std::vector<HWND>{a, b, c})) << "a topmost window stays above";
  SetWindowPos(a, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_FALSE(GetWindowLong(a, GWL_EXSTYLE) & WS_EX_TOPMOST);
  SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(order(), (std::vector<HWND>{a, c, b}));
  SetWindowPos(b, c, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(order(), (std::vector<HWND>{a, c, b}));
  SetWindowPos(a, b, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(order(), (std::vector<HWND>{c, b, a}));
}

TEST_F(WindowTest, ShowWindowVisibilityAndActivation) {
  HWND top = make("top");
  HWND child = make("child", WS_CHILD | WS_VISIBLE, top, 1);
  EXPECT_FALSE(IsWindowVisible(child)) << "a hidden parent hides its children";
  EXPECT_FALSE(ShowWindow(top, SW_SHOW));
  EXPECT_TRUE(IsWindowVisible(child));
  EXPECT_EQ(seen(WM_SHOWWINDOW).back().wParam, static_cast<WPARAM>(TRUE));
  EXPECT_EQ(GetActiveWindow(), top);
  EXPECT_EQ(GetFocus(), top) << "activation gives the window the focus";
  EXPECT_TRUE(ShowWindow(top, SW_SHOW));
  HWND other = make("other", WS_POPUP | WS_VISIBLE);
  EXPECT_EQ(GetActiveWindow(), other);
  auto acts = seen(WM_ACTIVATE);
  ASSERT_GE(acts.size(), 2u);
  EXPECT_EQ(acts[acts.size() - 2].hwnd, top);
  EXPECT_EQ(LOWORD(acts[acts.size() - 2].wParam), WA_INACTIVE);
  EXPECT_TRUE(ShowWindow(other, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(other));
  EXPECT_FALSE(ShowWindow(other, SW_HIDE));
  ShowWindow(top, SW_SHOWMAXIMIZED);
  EXPECT_TRUE(IsZoomed(top));
  RECT r;
  GetClientRect(top, &r);
  EXPECT_EQ(r.right, 1280);
  EXPECT_EQ(seen(WM_SIZE).back().wParam, static_cast<WPARAM>(SIZE_MAXIMIZED));
  ShowWindow(top, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(top));
  ShowWindow(top, SW_RESTORE);
  GetWindowRect(top, &r);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.right, 110);
  EXPECT_FALSE(IsIconic(top) || IsZoomed(top));
}

TEST_F(WindowTest, EnableFocusAndCapture) {
  HWND top = make("top", WS_POPUP | WS_VISIBLE);
  HWND edit = make("edit", WS_CHILD | WS_VISIBLE, top, 1);
  EXPECT_EQ(SetFocus(edit), top);
  EXPECT_EQ(seen(WM_KILLFOCUS).back().hwnd, top);
  EXPECT_EQ(seen(WM_SETFOCUS).back().wParam, reinterpret_cast<WPARAM>(top));
  EXPECT_FALSE(EnableWindow(edit, FALSE)) << "was enabled";
  EXPECT_FALSE(IsWindowEnabled(edit));
  EXPECT_EQ(GetFocus(), nullptr) << "a disabled window loses the focus";
  EXPECT_EQ(seen(WM_ENABLE).back().wParam, static_cast<WPARAM>(FALSE));
  EXPECT_EQ(seen(WM_CANCELMODE).size(), 1u);
  EXPECT_TRUE(EnableWindow(edit, TRUE));
  EXPECT_TRUE(EnableWindow(edit, TRUE) == FALSE);
  EXPECT_EQ(SetCapture(edit), nullptr);
  EXPECT_EQ(SetCapture(top), edit);
  EXPECT_EQ(seen(WM_CAPTURECHANGED).back().hwnd, edit);
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_EQ(GetCapture(), nullptr);
  SetFocus(edit);
  DestroyWindow(edit);
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowTest, HitTestingHonoursVisibilityAndRegions) {
  HWND top = CreateWindowEx(0, kClass, "", WS_POPUP | WS_VISIBLE, 100, 100, 200, 200, nullptr, nullptr, nullptr, nullptr);
  HWND child = make("child", WS_CHILD | WS_VISIBLE, top, 1, {0, 0, 100, 100});
  HWND hidden = make("hidden", WS_CHILD, top, 2, {100, 100, 200, 200});
  EXPECT_EQ(WindowFromPoint({150, 150}), child);
  EXPECT_EQ(WindowFromPoint({250, 250}), top) << "hidden children are skipped";
  EXPECT_EQ(WindowFromPoint({50, 50}), nullptr);
  EXPECT_EQ(ChildWindowFromPoint(top, {150, 150}), hidden) << "ChildWindowFromPoint sees hidden children";
  EXPECT_EQ(ChildWindowFromPoint(top, {500, 5}), nullptr);
  // A region leaving out the child's top-left quarter.
  auto shape = std::make_shared<Region>(RECT{0, 0, 100, 100});
  shape->subtract({0, 0, 50, 50});
  EXPECT_EQ(SetWindowRgn(child, insertRegion(shape), TRUE), 1);
  EXPECT_EQ(WindowFromPoint({110, 110}), top);
  EXPECT_EQ(WindowFromPoint({180, 180}), child);
  HRGN copy = insertRegion(std::make_shared<Region>());
  EXPECT_EQ(GetWindowRgn(child, copy), COMPLEXREGION);
  EXPECT_TRUE(regionFromHandle(copy)->contains(60, 10));
  EXPECT_FALSE(regionFromHandle(copy)->contains(10, 10));
  deleteRegion(copy);
}

TEST_F(WindowTest, UpdateRegionsAndPaintOnlyWhenIdle) {
  HWND w = make("w", WS_POPUP | WS_VISIBLE);
  pumpMessages();
  clearLog();
  RECT r{0, 0, 10, 10};
  InvalidateRect(w, &r, TRUE);
  RECT s{20, 20, 30, 40};
  InvalidateRect(w, &s, FALSE);
  RECT u;
  EXPECT_TRUE(GetUpdateRect(w, &u, FALSE));
  EXPECT_EQ(u.right, 30);
  EXPECT_EQ(u.bottom, 40);
  PostMessage(w, WM_USER, 0, 0);
  pumpMessages();
  auto all = windowsThatSaw(WM_PAINT);
  ASSERT_EQ(all.size(), 1u) << "DefWindowProc validated";
  std::vector<UINT> order;
  for (const auto& m : seen(WM_USER)) order.push_back(m.msg);
  EXPECT_FALSE(GetUpdateRect(w, &u, FALSE));
  // The posted message came before the paint.
  clearLog();
  InvalidateRect(w, nullptr, FALSE);
  ValidateRect(w, nullptr);
  pumpMessages();
  EXPECT_TRUE(seen(WM_PAINT).empty());
  InvalidateRect(w, nullptr, FALSE);
  UpdateWindow(w);
  EXPECT_EQ(seen(WM_PAINT).size(), 1u) << "UpdateWindow paints at once";
  ShowWindow(w, SW_HIDE);
  InvalidateRect(w, nullptr, FALSE);
  clearLog();
  pumpMessages();
  EXPECT_TRUE(seen(WM_PAINT).empty()) << "hidden windows are not painted";
  ShowWindow(w, SW_SHOWNA);
  pumpMessages();
  EXPECT_EQ(seen(WM_PAINT).size(), 1u);
}

TEST_F(WindowTest, DesktopProfile) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
  EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 19);
  EXPECT_EQ(GetSystemMetrics(-5), 0);
  RECT work;
  EXPECT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work.bottom, 994);
  BOOL on = FALSE;
  EXPECT_TRUE(SystemParametersInfo(SPI_GETGRADIENTCAPTIONS, 0, &on, 0));
  EXPECT_TRUE(on);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(255, 255, 225));
  RECT desk;
  GetWindowRect(GetDesktopWindow(), &desk);
  EXPECT_EQ(desk.right, 1280);
}

}  // namespace
}  // namespace wavorel::testing
