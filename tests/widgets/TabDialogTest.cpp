// CTabDialog: pages and tab buttons, latching the current tab, extra buttons
// that reach the container's parent, and the maps the host's tab strip walks.
#include "widgets/TabDialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "WidgetTestSupport.h"
#include "data/WidgetIds.h"

namespace widgets_test {
namespace {

// The container's parent: keeps the commands that reach it.
class TabHost : public CWnd {
 public:
  std::vector<std::pair<UINT, UINT>> commands;  // id, notification

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM) override {
    commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
    return TRUE;
  }
};

// Lets a test call OnCommand as the window procedure does.
class TestTabDialog : public CTabDialog {
 public:
  using CTabDialog::CTabDialog;
  using CTabDialog::OnCommand;
};

class TabDialogTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    ASSERT_TRUE(host_.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 500, 300, nullptr, nullptr));
    tabs_ = std::make_unique<TestTabDialog>(IDD_TABS, &host_);
    ASSERT_TRUE(tabs_->Create(IDD_TABS, &host_));
    tabs_->ShowWindow(SW_SHOW);
  }
  void TearDown() override {
    host_.DestroyWindow();
    WidgetTest::TearDown();
  }
  // A shaded button on the tab dialog.
  std::unique_ptr<CShadeButtonST> Button(int id, int x) {
    auto button = std::make_unique<CShadeButtonST>();
    HWND hwnd = CreateWindowEx(0, "Button", "Tab", WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, 0, 60, 24,
                               tabs_->GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    EXPECT_TRUE(button->SubclassWindow(hwnd));
    return button;
  }
  std::unique_ptr<CDialog> Page() {
    auto page = std::make_unique<CDialog>();
    EXPECT_TRUE(page->Create(IDD_PAGE, tabs_.get()));
    return page;
  }
  BOOL Command(CWnd& button) {
    return tabs_->OnCommand(MAKEWPARAM(button.GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(button.GetSafeHwnd()));
  }

  TabHost host_;
  std::unique_ptr<TestTabDialog> tabs_;
};

TEST_F(TabDialogTest, ButtonsGetTheirPositionIndexesAndTheMapsCanBeWalked) {
  auto scroll = Button(1002, 0);
  auto first = Button(IDC_TAB_FIRST, 60), second = Button(IDC_TAB_SECOND, 120);
  auto radio = Button(1000, 180), third = Button(IDC_TAB_THIRD, 240);
  auto pages = std::vector<std::unique_ptr<CDialog>>();
  for (int i = 0; i < 3; ++i) pages.push_back(Page());
  EXPECT_TRUE(tabs_->AddExtraButton(scroll.get()));
  EXPECT_TRUE(tabs_->AddPage(pages[0].get(), first.get()));
  EXPECT_TRUE(tabs_->AddPage(pages[1].get(), second.get()));
  EXPECT_TRUE(tabs_->AddExtraButton(radio.get()));
  EXPECT_TRUE(tabs_->AddPage(pages[2].get(), third.get()));
  EXPECT_EQ(scroll->GetTabIndex(), 0);
  EXPECT_EQ(first->GetTabIndex(), 1);
  EXPECT_EQ(second->GetTabIndex(), 2);
  EXPECT_EQ(radio->GetTabIndex(), 3);
  EXPECT_EQ(third->GetTabIndex(), 4);
  EXPECT_EQ(tabs_->GetPageButtonCount(), 3);
  EXPECT_EQ(tabs_->GetExtraButtonCount(), 2);
  std::vector<CShadeButtonST*> walked;
  for (int key = 0; key < tabs_->GetPageButtonCount(); ++key) walked.push_back(tabs_->GetPageButton(key));
  for (int key = 0; key < tabs_->GetExtraButtonCount(); ++key) walked.push_back(tabs_->GetExtraButton(key));
  EXPECT_EQ(walked, (std::vector<CShadeButtonST*>{first.get(), second.get(), third.get(), scroll.get(), radio.get()}));
  EXPECT_EQ(tabs_->GetPageButton(3), nullptr);
  // The host's strip moves the indexes; a button out of the strip is -1.
  second->SetTabIndex(-1);
  EXPECT_EQ(tabs_->GetPageButton(1)->GetTabIndex(), -1);
}

TEST_F(TabDialogTest, ATabClickLatchesOnlyItsButtonAndShowsOnlyItsPage) {
  auto a = Button(IDC_TAB_FIRST, 0), b = Button(IDC_TAB_SECOND, 60), c = Button(IDC_TAB_THIRD, 120);
  auto pa = Page(), pb = Page(), pc = Page();
  tabs_->AddPage(pa.get(), a.get());
  tabs_->AddPage(pb.get(), b.get());
  tabs_->AddPage(pc.get(), c.get());
  tabs_->ArrangePages(CRect(0, 30, 300, 200), 0, 0, 0);
  EXPECT_EQ(a->GetLatched(), 1);
  EXPECT_TRUE(pa->IsWindowVisible());
  CRect placed;
  pc->GetWindowRect(&placed);
  tabs_->ScreenToClient(&placed);
  EXPECT_EQ(placed, CRect(0, 30, 300, 200)) << "every page is moved into the rectangle";

  EXPECT_TRUE(Command(*b));
  EXPECT_EQ(a->GetLatched(), 0);
  EXPECT_EQ(b->GetLatched(), 1);
  EXPECT_EQ(c->GetLatched(), 0);
  EXPECT_FALSE(pa->IsWindowVisible());
  EXPECT_TRUE(pb->IsWindowVisible());
  EXPECT_FALSE(pc->IsWindowVisible());
  EXPECT_TRUE(Command(*b)) << "the current tab again";
  EXPECT_EQ(b->GetLatched(), 1);
  EXPECT_EQ(a->GetLatched() + c->GetLatched(), 0);
  EXPECT_TRUE(pb->IsWindowVisible());

  // Through the window: a real click on a tab button.
  c->SendMessage(BM_CLICK);
  EXPECT_EQ(c->GetLatched(), 1);
  EXPECT_EQ(b->GetLatched(), 0);
  EXPECT_TRUE(pc->IsWindowVisible());
  EXPECT_TRUE(host_.commands.empty()) << "tab clicks stay in the container";
}

TEST_F(TabDialogTest, AnExtraButtonReachesTheParentAsItsOwnCommand) {
  auto tab = Button(IDC_TAB_FIRST, 0);
  auto extra = Button(IDC_EXTRA, 60);
  auto page = Page();
  tabs_->AddPage(page.get(), tab.get());
  tabs_->AddExtraButton(extra.get());
  EXPECT_TRUE(Command(*extra));
  ASSERT_EQ(host_.commands.size(), 1u);
  EXPECT_EQ(host_.commands[0], std::make_pair(static_cast<UINT>(IDC_EXTRA), static_cast<UINT>(BN_CLICKED)));
  EXPECT_EQ(extra->GetParent(), tabs_.get()) << "back on the container";
  EXPECT_EQ(tab->GetLatched(), 0);

  // Other commands are not handled.
  CButton other;
  other.Create("Other", WS_CHILD, CRect(0, 0, 10, 10), tabs_.get(), 2000);
  EXPECT_FALSE(Command(other));
  EXPECT_FALSE(tabs_->OnCommand(MAKEWPARAM(IDC_TAB_FIRST, BN_CLICKED), 0)) << "no control handle";
  EXPECT_EQ(host_.commands.size(), 1u);
}

}  // namespace
}  // namespace widgets_test
