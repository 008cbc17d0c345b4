// The skinned tab control: pages made when first shown, the fixed order of
// the switch messages with the pages' visibility at that moment, labels
// checked with their page and clicked to switch, refused indexes, hidden and
// removed tabs, layout, destruction with the pages as members, and Enter and
// Escape on a page reaching the holder.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "frontend/GxTabCtrl.h"
#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "platform/testing/TestBitmaps.h"
#include "platform/present/WindowImage.h"
#include "tests/frontend/GxTabCtrlTestIds.h"

namespace {

std::vector<std::string> g_events;

class CTestPage : public CGxTabPage {
 public:
  CTestPage(const char* name, UINT templateId) : CGxTabPage(templateId, nullptr), m_name(name) {}
  // The pages whose visibility each enter message records.
  std::vector<CTestPage*>* siblings = nullptr;
  int inits = 0;

  BOOL OnInitDialog() override {
    ++inits;
    return CGxTabPage::OnInitDialog();
  }

 protected:
  // "<name>:1" shown, ":0" hidden, ":-" no window yet.
  std::string Visibility() const {
    std::string text;
    for (CTestPage* page : *siblings) {
      text += " " + page->m_name + ":" + (!page->GetSafeHwnd() ? "-" : page->IsWindowVisible() ? "1" : "0");
    }
    return text;
  }
  LRESULT OnEnter(WPARAM, LPARAM) {
    g_events.push_back("enter " + m_name + (siblings ? Visibility() : ""));
    return 0;
  }
  LRESULT OnLeave(WPARAM, LPARAM) {
    g_events.push_back("leave " + m_name);
    return 0;
  }
  DECLARE_MESSAGE_MAP()

 private:
  std::string m_name;
};

BEGIN_MESSAGE_MAP(CTestPage, CGxTabPage)
  ON_MESSAGE(WM_TABPAGE_ENTER, &CTestPage::OnEnter)
  ON_MESSAGE(WM_TABPAGE_LEAVE, &CTestPage::OnLeave)
END_MESSAGE_MAP()

// The dialog that holds the tab control: records page switches and commands.
class CHolder : public CWnd {
 public:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    if (hdr->code == GXTN_PAGECHANGED) {
      const auto* data = reinterpret_cast<const CGxTabCtrl::_notify_data*>(lParam);
      g_events.push_back("notify " + std::to_string(data->newIndex) + " from " + std::to_string(data->oldIndex) +
                         (data->oldPage ? "" : " (no old page)") + " id " + std::to_string(wParam) +
                         (data->hdr.idFrom == wParam ? "" : " (bad idFrom)"));
      lastFrom = hdr->hwndFrom;
      lastNew = data->newPage;
      lastOld = data->oldPage;
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    g_events.push_back("command " + std::to_string(LOWORD(wParam)));
    return CWnd::OnCommand(wParam, lParam);
  }
  HWND lastFrom = nullptr;
  CGxTabPage* lastNew = nullptr;
  CGxTabPage* lastOld = nullptr;
};

// A tab control that refuses one page.
class CRefusingTabCtrl : public CGxTabCtrl {
 public:
  int refused = -1;
  BOOL CanSelectPage(int index) override { return index != refused; }
};

// A tab control that owns its pages as members, as the program's do.
class CPagedTabCtrl : public CGxTabCtrl {
 public:
  CTestPage first{"A", IDD_TEST_PAGE_A};
  CTestPage second{"B", IDD_TEST_PAGE_B};
};

CRect RectIn(CWnd* child, CWnd* parent) {
  CRect rect;
  child->GetWindowRect(&rect);
  parent->ScreenToClient(&rect);
  return rect;
}

class GxTabCtrlTest : public wavorel::testing::PlatformTest {
 protected:
  static constexpr int kTabsId = 5000;

  void SetUp() override {
    PlatformTest::SetUp();
    g_events.clear();
    ASSERT_TRUE(holder.CreateEx(0, nullptr, "Holder", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
    HWND control = CreateWindowEx(WS_EX_DLGMODALFRAME, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 380, 280,
                                  holder.GetSafeHwnd(), reinterpret_cast<HMENU>(kTabsId), nullptr, nullptr);
    ASSERT_NE(control, nullptr);
    ASSERT_TRUE(tabs.SubclassWindow(control));
    for (CTestPage* page : pages) page->siblings = &pages;
  }

  void TearDown() override {
    tabs.DestroyWindow();
    holder.DestroyWindow();
    PlatformTest::TearDown();
  }

  void AddThree(CGxTabCtrl& control) {
    ASSERT_TRUE(control.AddPage("A", &a, IDD_TEST_PAGE_A));
    ASSERT_TRUE(control.AddPage("B", &b, IDD_TEST_PAGE_B));
    ASSERT_TRUE(control.AddPage("C", &c, IDD_TEST_PAGE_C));
  }

  static BOOL Checked(CGxTabCtrl& control, int index) {
    return static_cast<BOOL>(control.GetLabel(index)->SendMessage(BM_GETCHECK));
  }

  // A strip of six frames, each `width` x 16, for a label's skin.
  static std::string WriteStrip(const char* name, int width) {
    CreateDirectory("C:\\Skin", nullptr);
    const std::string path = std::string("C:\\Skin\\") + name;
    wavorel::testing::writeBmp(path.c_str(), width * 6, 16, [](int, int) { return RGB(40, 80, 160); });
    return path;
  }

  CHolder holder;
  CGxTabCtrl tabs;
  CTestPage a{"A", IDD_TEST_PAGE_A};
  CTestPage b{"B", IDD_TEST_PAGE_B};
  CTestPage c{"C", IDD_TEST_PAGE_C};
  CTestPage untemplated{"U", IDD_TEST_NO_TEMPLATE};  // its template does not exist
  std::vector<CTestPage*> pages{&a, &b, &c};
};

TEST_F(GxTabCtrlTest, SubclassingDropsTheModalFrame) {
  EXPECT_EQ(tabs.GetExStyle() & WS_EX_DLGMODALFRAME, 0u);
}

TEST_F(GxTabCtrlTest, LabelsAreRadiosNumberedFrom4500AndTheFirstStartsTheGroup) {
  CGxBtn_ChkRadio* handedOut = nullptr;
  ASSERT_TRUE(tabs.AddPage("A", &a, IDD_TEST_PAGE_A, &handedOut));
  ASSERT_TRUE(tabs.AddPage("B", &b, IDD_TEST_PAGE_B));
  EXPECT_EQ(handedOut, tabs.GetLabel(0));
  for (int i = 0; i < 2; ++i) {
    CGxBtn_ChkRadio* label = tabs.GetLabel(i);
    EXPECT_EQ(label->GetDlgCtrlID(), 4500 + i);
    EXPECT_EQ(label->GetBtnData(), static_cast<DWORD>(i));
    EXPECT_TRUE(label->IsWindowVisible());
    EXPECT_EQ((label->GetStyle() & WS_GROUP) != 0, i == 0);
  }
  CString text;
  tabs.GetLabel(1)->GetWindowText(text);
  EXPECT_STREQ(text, "B");
  // No page window is made before a page is shown.
  EXPECT_EQ(a.GetSafeHwnd(), nullptr);
  EXPECT_FALSE(tabs.AddPage("X", nullptr, IDD_TEST_PAGE_C));
  EXPECT_EQ(tabs.GetPageCount(), 2);
}

TEST_F(GxTabCtrlTest, FirstSelectionMakesOnlyItsPageAndHasNoOldPage) {
  AddThree(tabs);
  EXPECT_EQ(tabs.SetCurSel(0), -1);
  EXPECT_EQ(g_events, (std::vector<std::string>{"enter A A:1 B:- C:-", "notify 0 from -1 (no old page) id 5000"}));
  EXPECT_EQ(holder.lastFrom, tabs.GetSafeHwnd());
  EXPECT_EQ(holder.lastNew, &a);
  EXPECT_EQ(a.inits, 1);
  EXPECT_EQ(a.GetParent(), &tabs);
  EXPECT_EQ(b.GetSafeHwnd(), nullptr);
  EXPECT_EQ(c.GetSafeHwnd(), nullptr);
  EXPECT_TRUE(Checked(tabs, 0));
  EXPECT_EQ(tabs.GetCurPage(), &a);
}

TEST_F(GxTabCtrlTest, SwitchShowsThenEntersNewThenLeavesOldThenNotifies) {
  AddThree(tabs);
  tabs.SetCurSel(0);
  g_events.clear();
  EXPECT_EQ(tabs.SetCurSel(2), 0);
  EXPECT_EQ(g_events, (std::vector<std::string>{"enter C A:0 B:- C:1", "leave A", "notify 2 from 0 id 5000"}));
  EXPECT_EQ(holder.lastOld, &a);
  EXPECT_FALSE(Checked(tabs, 0));
  EXPECT_TRUE(Checked(tabs, 2));
  // Back to a page made before: it is not made again.
  g_events.clear();
  EXPECT_EQ(tabs.SetCurSel(0), 2);
  EXPECT_EQ(g_events, (std::vector<std::string>{"enter A A:1 B:- C:0", "leave C", "notify 0 from 2 id 5000"}));
  EXPECT_EQ(a.inits, 1);
  // The current page again: its index and no message.
  g_events.clear();
  EXPECT_EQ(tabs.SetCurSel(0), 0);
  EXPECT_EQ(tabs.SelectPage(&a), 0);
  EXPECT_TRUE(g_events.empty());
}

TEST_F(GxTabCtrlTest, IndexesOutsideTheControlAreRefused) {
  AddThree(tabs);
  tabs.SetCurSel(1);
  g_events.clear();
  CTestPage stranger{"X", IDD_TEST_PAGE_A};
  for (int index : {-1, -7, 3, 100}) {
    EXPECT_EQ(tabs.SetCurSel(index), -1) << index;
    tabs.ShowPage(index, TRUE);
    tabs.HideTab(index);
    tabs.ShowTab(index);
    tabs.RemovePage(index);
    EXPECT_FALSE(tabs.CreatePageWindow(index)) << index;
    EXPECT_EQ(tabs.GetPage(index), nullptr) << index;
    EXPECT_EQ(tabs.GetLabel(index), nullptr) << index;
  }
  EXPECT_EQ(tabs.SelectPage(&stranger), -1);
  EXPECT_EQ(tabs.FindPage(&stranger), -1);
  EXPECT_EQ(tabs.FindPage(nullptr), -1);
  EXPECT_FALSE(tabs.IsPageHidden(&stranger));
  EXPECT_TRUE(g_events.empty());
  EXPECT_EQ(tabs.GetCurSel(), 1);
  EXPECT_EQ(tabs.GetPageCount(), 3);
  EXPECT_EQ(stranger.GetSafeHwnd(), nullptr);
}

TEST_F(GxTabCtrlTest, EmptyControlHasNoCurrentPage) {
  EXPECT_EQ(tabs.GetCurSel(), -1);
  EXPECT_EQ(tabs.GetCurPage(), nullptr);
  EXPECT_EQ(tabs.SetCurSel(0), -1);
  tabs.RecalcLayout();
  tabs.RemoveAllPages();
  EXPECT_TRUE(g_events.empty());
}

TEST_F(GxTabCtrlTest, PageWhoseTemplateCannotBeMadeIsCurrentWithoutAWindow) {
  ASSERT_TRUE(tabs.AddPage("A", &a, IDD_TEST_PAGE_A));
  ASSERT_TRUE(tabs.AddPage("U", &untemplated, IDD_TEST_NO_TEMPLATE));
  tabs.SetCurSel(0);
  g_events.clear();
  EXPECT_EQ(tabs.SetCurSel(1), 0);
  EXPECT_EQ(untemplated.GetSafeHwnd(), nullptr);
  EXPECT_EQ(tabs.GetCurSel(), 1);
  EXPECT_EQ(tabs.GetCurPage(), &untemplated);
  EXPECT_FALSE(a.IsWindowVisible());
  // No enter message for a page without a window; the old page still leaves
  // and the holder still hears of the switch.
  EXPECT_EQ(g_events, (std::vector<std::string>{"leave A", "notify 1 from 0 id 5000"}));
  g_events.clear();
  EXPECT_EQ(tabs.SetCurSel(0), 1);
  EXPECT_TRUE(a.IsWindowVisible());
  EXPECT_EQ(g_events, (std::vector<std::string>{"enter A A:1 B:- C:-", "notify 0 from 1 id 5000"}));
}

TEST_F(GxTabCtrlTest, CanSelectPageRefusesTheSwitch) {
  tabs.DestroyWindow();
  CRefusingTabCtrl refusing;
  HWND control = CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, holder.GetSafeHwnd(),
                                reinterpret_cast<HMENU>(kTabsId), nullptr, nullptr);
  ASSERT_TRUE(refusing.SubclassWindow(control));
  AddThree(refusing);
  refusing.refused = 1;
  refusing.SetCurSel(0);
  g_events.clear();
  EXPECT_EQ(refusing.SetCurSel(1), -1);
  EXPECT_EQ(refusing.GetCurSel(), 0);
  EXPECT_EQ(b.GetSafeHwnd(), nullptr);
  EXPECT_TRUE(g_events.empty());
  refusing.DestroyWindow();
}

TEST_F(GxTabCtrlTest, ClickingALabelSelectsItsPageOnce) {
  AddThree(tabs);
  tabs.SetCurSel(0);
  g_events.clear();
  tabs.GetLabel(1)->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  EXPECT_EQ(tabs.GetCurSel(), 1);
  EXPECT_EQ(g_events, (std::vector<std::string>{"enter B A:0 B:1 C:-", "leave A", "notify 1 from 0 id 5000"}));
  EXPECT_FALSE(Checked(tabs, 0));
  EXPECT_TRUE(Checked(tabs, 1));
  // The checked label again: nothing new.
  g_events.clear();
  tabs.GetLabel(1)->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  EXPECT_TRUE(g_events.empty());
  EXPECT_EQ(tabs.GetCurSel(), 1);
}

TEST_F(GxTabCtrlTest, HidingTheCurrentTabMovesToTheFirstOtherPage) {
  AddThree(tabs);
  tabs.SetCurSel(0);
  g_events.clear();
  tabs.HideTab(0);
  EXPECT_EQ(tabs.GetCurSel(), 1);
  EXPECT_EQ(g_events.front(), "enter B A:0 B:1 C:-");
  EXPECT_FALSE(tabs.GetLabel(0)->IsWindowVisible());
  EXPECT_TRUE(tabs.IsPageHidden(&a));
  EXPECT_FALSE(tabs.IsPageHidden(&b));
  // Hiding another tab leaves the current page alone.
  g_events.clear();
  tabs.HideTab(2);
  EXPECT_TRUE(g_events.empty());
  EXPECT_EQ(tabs.GetCurSel(), 1);
  tabs.ShowTab(0);
  EXPECT_TRUE(tabs.GetLabel(0)->IsWindowVisible());
  EXPECT_FALSE(tabs.IsPageHidden(&a));
}

TEST_F(GxTabCtrlTest, LabelsRunLeftToRightAndThePageSitsBelowThem) {
  CGxBtn_ChkRadio* labels[3] = {};
  ASSERT_TRUE(tabs.AddPage("A", &a, IDD_TEST_PAGE_A, &labels[0]));
  ASSERT_TRUE(tabs.AddPage("B", &b, IDD_TEST_PAGE_B, &labels[1]));
  ASSERT_TRUE(tabs.AddPage("C", &c, IDD_TEST_PAGE_C, &labels[2]));
  const int widths[3] = {30, 44, 36};
  const char* names[3] = {"LabelA.bmp", "LabelB.bmp", "LabelC.bmp"};
  for (int i = 0; i < 3; ++i) labels[i]->SetBtnAttr_Pic(WriteStrip(names[i], widths[i]).c_str(), 6, "", 1);
  tabs.SetCurSel(1);
  tabs.HideTab(0);
  CRect client;
  tabs.GetClientRect(&client);
  const CRect second = RectIn(labels[1], &tabs);
  const CRect third = RectIn(labels[2], &tabs);
  CRect skin;
  labels[1]->GetClientRect(&skin);
  ASSERT_GT(skin.Width(), 0);
  EXPECT_EQ(second, CRect(8, 0, 8 + skin.Width(), skin.Height()));
  EXPECT_EQ(third.left, second.right + 4);
  EXPECT_EQ(third.top, 0);
  const CRect page = RectIn(&b, &tabs);
  EXPECT_EQ(page.top, third.bottom - 1);
  EXPECT_EQ(page.left, client.left);
  EXPECT_EQ(page.right, client.right + 7);
  EXPECT_EQ(page.bottom, client.bottom);
  // The hidden label gives its place back when shown again.
  tabs.ShowTab(0);
  EXPECT_EQ(RectIn(labels[0], &tabs).left, 8);
  EXPECT_EQ(RectIn(labels[1], &tabs).left, RectIn(labels[0], &tabs).right + 4);
}

TEST_F(GxTabCtrlTest, RemovingAPageDropsItsEntryAndRenumbersTheRest) {
  AddThree(tabs);
  tabs.SetCurSel(2);
  tabs.SetCurSel(0);
  const HWND pageA = a.GetSafeHwnd();
  const HWND labelA = tabs.GetLabel(0)->GetSafeHwnd();
  tabs.RemovePage(0);
  EXPECT_FALSE(IsWindow(pageA));
  EXPECT_FALSE(IsWindow(labelA));
  EXPECT_EQ(tabs.GetPageCount(), 2);
  EXPECT_EQ(tabs.FindPage(&a), -1);
  EXPECT_EQ(tabs.GetPage(0), &b);
  EXPECT_EQ(tabs.GetCurSel(), -1);  // the current page went
  EXPECT_EQ(tabs.GetCurPage(), nullptr);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(tabs.GetLabel(i)->GetDlgCtrlID(), 4500 + i);
    EXPECT_EQ(tabs.GetLabel(i)->GetBtnData(), static_cast<DWORD>(i));
  }
  EXPECT_NE(tabs.GetLabel(0)->GetStyle() & WS_GROUP, 0u);
  // A click on the label of C (now index 1) selects C.
  g_events.clear();
  tabs.GetLabel(1)->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  EXPECT_EQ(tabs.GetCurPage(), &c);
  EXPECT_EQ(g_events.back(), "notify 1 from -1 (no old page) id 5000");
  // Removing a page before the current one keeps the current page.
  tabs.RemovePage(0);
  EXPECT_EQ(tabs.GetCurSel(), 0);
  EXPECT_EQ(tabs.GetCurPage(), &c);
  tabs.RemoveAllPages();
  EXPECT_EQ(tabs.GetPageCount(), 0);
  EXPECT_EQ(c.GetSafeHwnd(), nullptr);
}

TEST_F(GxTabCtrlTest, DestroyingTheControlDestroysThePageWindows) {
  AddThree(tabs);
  tabs.SetCurSel(0);
  tabs.SetCurSel(1);
  const HWND pageA = a.GetSafeHwnd();
  const HWND pageB = b.GetSafeHwnd();
  tabs.DestroyWindow();
  EXPECT_FALSE(IsWindow(pageA));
  EXPECT_FALSE(IsWindow(pageB));
  EXPECT_EQ(a.GetSafeHwnd(), nullptr);
}

TEST_F(GxTabCtrlTest, ControlWithMemberPagesIsDeletedSafely) {
  auto paged = std::make_unique<CPagedTabCtrl>();
  HWND control = CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, holder.GetSafeHwnd(),
                                reinterpret_cast<HMENU>(kTabsId + 1), nullptr, nullptr);
  ASSERT_TRUE(paged->SubclassWindow(control));
  ASSERT_TRUE(paged->AddPage("A", &paged->first, IDD_TEST_PAGE_A));
  ASSERT_TRUE(paged->AddPage("B", &paged->second, IDD_TEST_PAGE_B));
  paged->SetCurSel(0);
  paged->SetCurSel(1);
  const HWND label = paged->GetLabel(1)->GetSafeHwnd();
  paged.reset();  // pages go first, then the labels, then the control
  EXPECT_FALSE(IsWindow(control));
  EXPECT_FALSE(IsWindow(label));
}

TEST_F(GxTabCtrlTest, EnterAndEscapeOnAPageActOnTheHolder) {
  AddThree(tabs);
  tabs.SetCurSel(0);
  g_events.clear();
  a.SendMessage(WM_COMMAND, IDOK, 0);
  a.SendMessage(WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(g_events, (std::vector<std::string>{"command 1", "command 2"}));
  EXPECT_TRUE(a.IsWindowVisible());  // the page itself stays
}

TEST_F(GxTabCtrlTest, BackgroundBrushAndPicturePaintTheControl) {
  AddThree(tabs);
  tabs.SetBkColorGx(RGB(0, 128, 0));
  holder.UpdateWindow();
  ::RedrawWindow(tabs.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  wavorel::WindowImage image = wavorel::composeWindow(holder.GetSafeHwnd());
  ASSERT_FALSE(image.empty());
  // Inside the sunken edge the brush shows (no page is shown yet).
  EXPECT_EQ(image.colorAt(10 + 100, 10 + 100), RGB(0, 128, 0));

  CreateDirectory("C:\\Skin", nullptr);
  wavorel::testing::writeBmp("C:\\Skin\\TabBack.bmp", 50, 40, [](int, int) { return RGB(200, 30, 30); });
  auto picture = std::make_unique<CPictureDraw>(&tabs);
  ASSERT_TRUE(picture->Picture().LoadFile("C:\\Skin\\TabBack.bmp"));
  picture->SetRect(CRect(0, 0, 50, 40));
  tabs.SetBkPicture(std::move(picture));
  ::RedrawWindow(tabs.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  image = wavorel::composeWindow(holder.GetSafeHwnd());
  EXPECT_EQ(image.colorAt(10 + 20, 10 + 20), RGB(200, 30, 30));
}

}  // namespace
