// Message maps: lookup through a class chain, id ranges, registered
// messages, and reflection of child notifications.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"

namespace {

constexpr UINT WM_BASE_ONLY = WM_APP + 1;
constexpr UINT WM_OVERRIDDEN = WM_APP + 2;
UINT g_registered = RegisterWindowMessage("MessageMapTest.Registered");

std::vector<std::string> g_log;

class CLevel1 : public CWnd {
 public:
  LRESULT OnBaseOnly(WPARAM w, LPARAM) {
    g_log.push_back("1.baseOnly");
    return static_cast<LRESULT>(w) + 1;
  }
  LRESULT OnOverridden(WPARAM, LPARAM) {
    g_log.push_back("1.overridden");
    return 1;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CLevel1, CWnd)
  ON_MESSAGE(WM_BASE_ONLY, &CLevel1::OnBaseOnly)
  ON_MESSAGE(WM_OVERRIDDEN, &CLevel1::OnOverridden)
END_MESSAGE_MAP()

class CLevel2 : public CLevel1 {
 public:
  void OnTimer(UINT_PTR id) { g_log.push_back("2.timer " + std::to_string(id)); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CLevel2, CLevel1)
  ON_WM_TIMER()
END_MESSAGE_MAP()

class CLevel3 : public CLevel2 {
 public:
  LRESULT OnOverridden3(WPARAM, LPARAM) {
    g_log.push_back("3.overridden");
    return 3;
  }
  LRESULT OnRegistered(WPARAM w, LPARAM l) {
    g_log.push_back("3.registered");
    return static_cast<LRESULT>(w + static_cast<WPARAM>(l));
  }
  void OnCommandRange(UINT id) { g_log.push_back("3.command " + std::to_string(id)); }
  void OnNotifyRange(UINT id, NMHDR* hdr, LRESULT* result) {
    g_log.push_back("3.notify " + std::to_string(id) + " code " + std::to_string(hdr->code));
    *result = 42;
  }
  void OnPlainCommand() { g_log.push_back("3.plain"); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CLevel3, CLevel2)
  ON_MESSAGE(WM_OVERRIDDEN, &CLevel3::OnOverridden3)
  ON_REGISTERED_MESSAGE(g_registered, &CLevel3::OnRegistered)
  ON_COMMAND(150, &CLevel3::OnPlainCommand)
  ON_COMMAND_RANGE(100, 199, &CLevel3::OnCommandRange)
  ON_NOTIFY_RANGE(7, 300, 310, &CLevel3::OnNotifyRange)
END_MESSAGE_MAP()

class MessageMapTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    g_log.clear();
  }
};

TEST_F(MessageMapTest, LookupWalksTheClassChainAndDerivedEntriesOverride) {
  CLevel3 wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "chain", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr));
  EXPECT_EQ(wnd.SendMessage(WM_BASE_ONLY, 4), 5);
  EXPECT_EQ(wnd.SendMessage(WM_OVERRIDDEN), 3);
  wnd.SetTimer(9, 100, nullptr);
  wavorel::runFor(100);
  EXPECT_EQ(g_log, (std::vector<std::string>{"1.baseOnly", "3.overridden", "2.timer 9"}));
  // A message no entry takes goes to the default procedure.
  wnd.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("new"));
  CString text;
  wnd.GetWindowText(text);
  EXPECT_STREQ(text, "new");
}

TEST_F(MessageMapTest, RegisteredMessagesAndIdRanges) {
  CLevel3 wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "ranges", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr));
  ASSERT_GE(g_registered, 0xC000u);
  EXPECT_EQ(wnd.SendMessage(g_registered, 2, 3), 5);

  struct Case {
    UINT id;
    bool taken;
    const char* logged;
  };
  const Case commands[] = {{99, false, nullptr}, {100, true, "3.command 100"}, {150, true, "3.plain"},
                           {199, true, "3.command 199"}, {200, false, nullptr}};
  for (const Case& c : commands) {
    g_log.clear();
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(c.id, 0), 0);
    EXPECT_EQ(g_log.size(), c.taken ? 1u : 0u) << c.id;
    if (c.taken && !g_log.empty()) {
      EXPECT_EQ(g_log[0], c.logged);
    }
  }

  HWND fake = wnd.m_hWnd;  // any window; the header names the sender
  const Case notifies[] = {{299, false, nullptr}, {300, true, "3.notify 300 code 7"}, {310, true, "3.notify 310 code 7"},
                           {311, false, nullptr}};
  for (const Case& c : notifies) {
    g_log.clear();
    NMHDR hdr{fake, c.id, 7};
    LRESULT r = wnd.SendMessage(WM_NOTIFY, c.id, reinterpret_cast<LPARAM>(&hdr));
    EXPECT_EQ(r, c.taken ? 42 : 0) << c.id;
    EXPECT_EQ(g_log.size(), c.taken ? 1u : 0u) << c.id;
  }
  // Another code with an id in range is not taken.
  g_log.clear();
  NMHDR other{fake, 305, 8};
  wnd.SendMessage(WM_NOTIFY, 305, reinterpret_cast<LPARAM>(&other));
  EXPECT_TRUE(g_log.empty());
}

// --- Reflection ---

constexpr UINT kChildId = 1001;
constexpr UINT NM_TEST = 0xFFFFFFF0u;  // a negative code, as common-control codes are
constexpr UINT NM_TEST_EX = 0xFFFFFFF1u;
constexpr UINT CN_TEST = 5;

class CReflectingChild : public CWnd {
 public:
  BOOL exDeclines = TRUE;
  void OnNotifyReflect(NMHDR*, LRESULT* result) {
    g_log.push_back("child.notify");
    *result = 11;
  }
  BOOL OnNotifyReflectEx(NMHDR*, LRESULT*) {
    g_log.push_back("child.notifyEx");
    return !exDeclines;
  }
  void OnControlReflect() { g_log.push_back("child.control"); }
  void DrawItem(LPDRAWITEMSTRUCT dis) { g_log.push_back("child.draw " + std::to_string(dis->itemID)); }
  void HScroll(UINT code, UINT pos) { g_log.push_back("child.scroll " + std::to_string(code) + " " + std::to_string(pos)); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CReflectingChild, CWnd)
  ON_NOTIFY_REFLECT(NM_TEST, &CReflectingChild::OnNotifyReflect)
  ON_NOTIFY_REFLECT_EX(NM_TEST_EX, &CReflectingChild::OnNotifyReflectEx)
  ON_CONTROL_REFLECT(CN_TEST, &CReflectingChild::OnControlReflect)
  ON_WM_DRAWITEM_REFLECT()
  ON_WM_HSCROLL_REFLECT()
END_MESSAGE_MAP()

class CNotifiedParent : public CWnd {
 public:
  void OnChildNotify1(NMHDR*, LRESULT* result) {
    g_log.push_back("parent.notify");
    *result = 22;
  }
  void OnChildNotify2(NMHDR*, LRESULT*) { g_log.push_back("parent.notifyEx"); }
  void OnChildControl() { g_log.push_back("parent.control"); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CNotifiedParent, CWnd)
  ON_NOTIFY(NM_TEST, kChildId, &CNotifiedParent::OnChildNotify1)
  ON_NOTIFY(NM_TEST_EX, kChildId, &CNotifiedParent::OnChildNotify2)
  ON_CONTROL(CN_TEST, kChildId, &CNotifiedParent::OnChildControl)
END_MESSAGE_MAP()

class ReflectionTest : public MessageMapTest {
 protected:
  void SetUp() override {
    MessageMapTest::SetUp();
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_OVERLAPPED, 0, 0, 200, 200, nullptr, nullptr));
    ASSERT_TRUE(child.Create(nullptr, "child", WS_VISIBLE, CRect(0, 0, 50, 20), &parent, kChildId));
  }
  LRESULT notify(UINT code) {
    NMHDR hdr{child.m_hWnd, kChildId, code};
    return parent.SendMessage(WM_NOTIFY, kChildId, reinterpret_cast<LPARAM>(&hdr));
  }
  CNotifiedParent parent;
  CReflectingChild child;
};

TEST_F(ReflectionTest, ChildTakingItsNotificationKeepsItFromTheParent) {
  EXPECT_EQ(notify(NM_TEST), 11);
  EXPECT_EQ(g_log, std::vector<std::string>{"child.notify"});
  g_log.clear();
  parent.SendMessage(WM_COMMAND, MAKEWPARAM(kChildId, CN_TEST), reinterpret_cast<LPARAM>(child.m_hWnd));
  EXPECT_EQ(g_log, std::vector<std::string>{"child.control"});
}

TEST_F(ReflectionTest, CWndDefaultHandlingReflectsItemAndScrollMessages) {
  constexpr UINT kThumbTrack = 5;
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_BUTTON;
  dis.CtlID = kChildId;
  dis.itemID = 3;
  dis.hwndItem = child.m_hWnd;
  EXPECT_EQ(parent.SendMessage(WM_DRAWITEM, kChildId, reinterpret_cast<LPARAM>(&dis)), TRUE);
  parent.SendMessage(WM_HSCROLL, MAKEWPARAM(kThumbTrack, 40), reinterpret_cast<LPARAM>(child.m_hWnd));
  // A menu item is never a child's.
  dis.CtlType = ODT_MENU;
  parent.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  EXPECT_EQ(g_log, (std::vector<std::string>{"child.draw 3", "child.scroll " + std::to_string(kThumbTrack) + " 40"}));
}

TEST_F(ReflectionTest, ExFormsDecideWhetherTheParentSeesItToo) {
  child.exDeclines = TRUE;
  notify(NM_TEST_EX);
  EXPECT_EQ(g_log, (std::vector<std::string>{"child.notifyEx", "parent.notifyEx"}));
  g_log.clear();
  child.exDeclines = FALSE;
  notify(NM_TEST_EX);
  EXPECT_EQ(g_log, std::vector<std::string>{"child.notifyEx"});
}

TEST_F(ReflectionTest, ChildWithoutObjectOrHandlerLeavesItToTheParent) {
  child.UnsubclassWindow();
  EXPECT_EQ(notify(NM_TEST), 22);
  EXPECT_EQ(g_log, std::vector<std::string>{"parent.notify"});
  child.Attach(::GetDlgItem(parent.m_hWnd, kChildId));
  g_log.clear();
  // Same child, a code only the parent handles.
  parent.SendMessage(WM_COMMAND, MAKEWPARAM(kChildId, CN_TEST + 1), reinterpret_cast<LPARAM>(child.m_hWnd));
  EXPECT_TRUE(g_log.empty());
}

}  // namespace
