// CWnd: creation through the object, subclassing, the handle map, the end of
// a window's object, PreTranslateMessage and exceptions from handlers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"

namespace {

std::vector<std::string> g_log;

class CWndTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    g_log.clear();
  }
};

class CCreated : public CWnd {
 public:
  bool attachedAtNcCreate = false;
  int preSubclassCalls = 0;
  void PreSubclassWindow() override { ++preSubclassCalls; }
  LRESULT OnNcCreate(WPARAM, LPARAM) {
    attachedAtNcCreate = FromHandlePermanent(m_hWnd) == this;
    return Default();
  }
  int OnCreate(LPCREATESTRUCT cs) {
    g_log.push_back(std::string("create ") + cs->lpszName);
    return CWnd::OnCreate(cs);
  }
  void OnDestroy() { g_log.push_back("destroy"); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCreated, CWnd)
  ON_MESSAGE(WM_NCCREATE, &CCreated::OnNcCreate)
  ON_WM_CREATE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

TEST_F(CWndTest, CreateRoutesEveryMessageThroughTheObject) {
  CCreated wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "made", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr));
  EXPECT_TRUE(wnd.attachedAtNcCreate);
  EXPECT_EQ(wnd.preSubclassCalls, 1);
  EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
  EXPECT_EQ(g_log, std::vector<std::string>{"create made"});
  HWND hwnd = wnd.m_hWnd;
  EXPECT_TRUE(wnd.DestroyWindow());
  EXPECT_EQ(g_log, (std::vector<std::string>{"create made", "destroy"}));
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST_F(CWndTest, DestroyingTheObjectDestroysItsWindow) {
  HWND hwnd;
  {
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr));
    hwnd = wnd.m_hWnd;
  }
  EXPECT_FALSE(IsWindow(hwnd));
}

// A window procedure of a class this library did not register.
int g_oldProcCalls = 0;
LRESULT CALLBACK oldProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_APP + 7) {
    ++g_oldProcCalls;
    return 77;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

void registerPlainClass() {
  WNDCLASS wc{};
  wc.lpfnWndProc = oldProc;
  wc.lpszClassName = "CWndTestPlain";
  ASSERT_NE(RegisterClass(&wc), 0);
}

class CSubclassed : public CWnd {
 public:
  int preSubclassCalls = 0;
  void PreSubclassWindow() override { ++preSubclassCalls; }
  LRESULT OnMine(WPARAM, LPARAM) { return 5; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSubclassed, CWnd)
  ON_MESSAGE(WM_APP + 8, &CSubclassed::OnMine)
END_MESSAGE_MAP()

TEST_F(CWndTest, SubclassDlgItemKeepsThePreviousProcedureForTheRest) {
  registerPlainClass();
  HWND parent = CreateWindow("CWndTestPlain", "p", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  HWND item = CreateWindow("CWndTestPlain", "i", WS_CHILD, 0, 0, 10, 10, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(40)), nullptr, nullptr);
  CWnd* parentWnd = CWnd::FromHandle(parent);
  CSubclassed sub;
  EXPECT_FALSE(sub.SubclassDlgItem(41, parentWnd));
  ASSERT_TRUE(sub.SubclassDlgItem(40, parentWnd));
  EXPECT_EQ(sub.preSubclassCalls, 1);
  EXPECT_EQ(sub.m_hWnd, item);
  EXPECT_EQ(::SendMessage(item, WM_APP + 8, 0, 0), 5);
  EXPECT_EQ(::SendMessage(item, WM_APP + 7, 0, 0), 77);
  EXPECT_EQ(g_oldProcCalls, 1);
  // A second object cannot take the same window.
  CSubclassed other;
  EXPECT_FALSE(other.SubclassWindow(item));
  // Unsubclassing gives the window back to its own procedure.
  EXPECT_EQ(sub.UnsubclassWindow(), item);
  EXPECT_EQ(::SendMessage(item, WM_APP + 8, 0, 0), 0);
  EXPECT_EQ(CWnd::FromHandlePermanent(item), nullptr);
  DestroyWindow(parent);
}

TEST_F(CWndTest, CreatingAWindowOfAnotherClassSubclassesIt) {
  registerPlainClass();
  CSubclassed wnd;
  ASSERT_TRUE(wnd.CreateEx(0, "CWndTestPlain", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr));
  EXPECT_EQ(wnd.preSubclassCalls, 1);
  EXPECT_EQ(wnd.SendMessage(WM_APP + 8), 5);
  EXPECT_EQ(wnd.SendMessage(WM_APP + 7), 77);
  char name[32] = "";
  GetClassName(wnd.m_hWnd, name, sizeof name);
  EXPECT_STREQ(name, "CWndTestPlain");
}

TEST_F(CWndTest, FromHandleWrapsWindowsWithoutObjectInTemporaries) {
  registerPlainClass();
  HWND plain = CreateWindow("CWndTestPlain", "t", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  CWnd* temp = CWnd::FromHandle(plain);
  ASSERT_NE(temp, nullptr);
  EXPECT_EQ(temp->m_hWnd, plain);
  EXPECT_EQ(CWnd::FromHandle(plain), temp);
  EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
  EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
  // A permanent object wins over the temporary.
  CWnd permanent;
  ASSERT_TRUE(permanent.Attach(plain));
  EXPECT_EQ(CWnd::FromHandle(plain), &permanent);
  EXPECT_EQ(permanent.Detach(), plain);
  // Temporaries go when no window procedure of the library is running, and
  // their deletion leaves the window alone.
  EXPECT_TRUE(wavorel::releaseTemporaryWindows());
  EXPECT_TRUE(IsWindow(plain));
  DestroyWindow(plain);
}

class CWithTemporaryInHandler : public CWnd {
 public:
  bool released = true;
  LRESULT OnProbe(WPARAM, LPARAM) {
    released = wavorel::releaseTemporaryWindows();
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CWithTemporaryInHandler, CWnd)
  ON_MESSAGE(WM_APP, &CWithTemporaryInHandler::OnProbe)
END_MESSAGE_MAP()

TEST_F(CWndTest, TemporariesStayWhileAHandlerRuns) {
  CWithTemporaryInHandler wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr));
  wnd.SendMessage(WM_APP);
  EXPECT_FALSE(wnd.released);
}

class CSelfDeleting : public CWnd {
 public:
  explicit CSelfDeleting(bool* deleted) : deleted_(deleted) {}
  ~CSelfDeleting() override { *deleted_ = true; }
  void PostNcDestroy() override { delete this; }

 private:
  bool* deleted_;
};

TEST_F(CWndTest, PostNcDestroyMayDeleteTheObject) {
  bool deleted = false;
  auto* wnd = new CSelfDeleting(&deleted);
  ASSERT_TRUE(wnd->CreateEx(0, nullptr, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr));
  HWND hwnd = wnd->m_hWnd;
  EXPECT_TRUE(::DestroyWindow(hwnd));
  EXPECT_TRUE(deleted);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);

  // Creation that fails before the window reaches the object ends it too.
  deleted = false;
  auto* failed = new CSelfDeleting(&deleted);
  EXPECT_FALSE(failed->CreateEx(0, "NoSuchClass", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr));
  EXPECT_TRUE(deleted);
}

class CThrowing : public CWnd {
 public:
  int ticks = 0;
  void OnTimer(UINT_PTR) {
    ++ticks;
    AfxThrowResourceException();
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CThrowing, CWnd)
  ON_WM_TIMER()
END_MESSAGE_MAP()

TEST_F(CWndTest, ExceptionFromAHandlerStopsAtTheWindowProcedure) {
  CThrowing wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr));
  wnd.SetTimer(1, 50, nullptr);
  testing::internal::CaptureStderr();
  wavorel::runFor(100);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(wnd.ticks, 2);  // the loop went on after the first one
  EXPECT_NE(err.find("CResourceException"), std::string::npos) << err;
  EXPECT_TRUE(wnd.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("alive")));
}

class CKeyParent : public CWnd {
 public:
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
      g_log.push_back("parent.swallowed");
      return TRUE;
    }
    return FALSE;
  }
};

class CKeyChild : public CWnd {
 public:
  void OnKeyDown(UINT nChar, UINT, UINT) { g_log.push_back("child.key " + std::to_string(nChar)); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CKeyChild, CWnd)
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

TEST_F(CWndTest, PreTranslateMessageOfAParentSwallowsAKey) {
  CWinThread thread;
  CKeyParent parent;
  CKeyChild child;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr));
  ASSERT_TRUE(child.Create(nullptr, "", WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 5));
  thread.m_pMainWnd = &parent;
  child.PostMessage(WM_KEYDOWN, VK_RETURN, 1);
  child.PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
  ASSERT_TRUE(thread.PumpMessage());
  ASSERT_TRUE(thread.PumpMessage());
  EXPECT_EQ(g_log, (std::vector<std::string>{"parent.swallowed", "child.key " + std::to_string(VK_ESCAPE)}));
  thread.m_pMainWnd = nullptr;
}

}  // namespace

namespace {

TEST_F(CWndTest, IconsAndDialogItemsThroughTheWrappers) {
  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr));
  auto big = reinterpret_cast<HICON>(static_cast<UINT_PTR>(0x100));
  auto small = reinterpret_cast<HICON>(static_cast<UINT_PTR>(0x200));
  EXPECT_EQ(wnd.SetIcon(big, TRUE), nullptr);
  EXPECT_EQ(wnd.SetIcon(small, FALSE), nullptr);
  EXPECT_EQ(wnd.GetIcon(TRUE), big);
  EXPECT_EQ(wnd.GetIcon(FALSE), small);
  EXPECT_EQ(wnd.SetIcon(nullptr, TRUE), big);

  CWnd item;
  ASSERT_TRUE(item.Create(nullptr, "", WS_VISIBLE, CRect(0, 0, 10, 10), &wnd, 12));
  EXPECT_EQ(wnd.GetDlgItem(12), &item);
  wnd.SetDlgItemInt(12, static_cast<UINT>(-45), TRUE);
  CString text;
  EXPECT_EQ(wnd.GetDlgItemText(12, text), 3);
  EXPECT_STREQ(text, "-45");
  BOOL ok = FALSE;
  EXPECT_EQ(static_cast<int>(wnd.GetDlgItemInt(12, &ok, TRUE)), -45);
  EXPECT_TRUE(ok);
  EXPECT_EQ(wnd.GetDlgItemText(13, text), 0);
  EXPECT_TRUE(text.IsEmpty());
}

}  // namespace
