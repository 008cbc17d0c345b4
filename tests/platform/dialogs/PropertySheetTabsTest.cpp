#include <string>
#include <vector>

#include "platform/mfc/PropertySheet.h"
#include "platform/testing/PlatformTest.h"
#include "tests/platform/dialogs/data/resource.h"

namespace {

// A page that notes its activations and may refuse to be left.
class CTabTracePage : public CPropertyPage {
 public:
  CTabTracePage(UINT nIDTemplate, UINT nIDCaption, const char* name, std::vector<std::string>& log)
      : CPropertyPage(nIDTemplate, nIDCaption), name_(name), log_(log) {}
  BOOL allowKill = TRUE;

  BOOL OnSetActive() override {
    log_.push_back("set " + name_);
    return CPropertyPage::OnSetActive();
  }
  BOOL OnKillActive() override {
    log_.push_back("kill " + name_);
    return allowKill && CPropertyPage::OnKillActive();
  }

 private:
  std::string name_;
  std::vector<std::string>& log_;
};

class PropertySheetTabsTest : public wavorel::testing::PlatformTest {
 protected:
  void TearDown() override {
    if (sheet.m_hWnd) sheet.DestroyWindow();
    PlatformTest::TearDown();
  }
  std::vector<std::string> tabTexts() {
    std::vector<std::string> out;
    CTabCtrl* tab = sheet.GetTabControl();
    for (int i = 0; i < tab->GetItemCount(); ++i) {
      char text[64] = "";
      TCITEM item{};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      item.cchTextMax = sizeof text;
      tab->GetItem(i, &item);
      out.emplace_back(text);
    }
    return out;
  }
  void clickTab(int index) {
    RECT r{};
    ASSERT_TRUE(sheet.GetTabControl()->GetItemRect(index, &r));
    sheet.GetTabControl()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON,
                                       MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  }
  std::vector<std::string> takeLog() {
    std::vector<std::string> out;
    out.swap(log);
    return out;
  }

  std::vector<std::string> log;
  CTabTracePage first{IDD_SHEET_PAGE1, 0, "first", log};
  CTabTracePage second{IDD_SHEET_PAGE2, IDS_PAGE2, "second", log};
  CTabTracePage third{IDD_SHEET_PAGE1, 0, "third", log};
  CPropertySheet sheet{"Sheet"};
};

TEST_F(PropertySheetTabsTest, TabsFollowThePagesAndFrameThem) {
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  ASSERT_TRUE(sheet.Create());
  CTabCtrl* tab = sheet.GetTabControl();
  ASSERT_NE(tab->m_hWnd, nullptr);
  char cls[32] = "";
  GetClassName(tab->m_hWnd, cls, sizeof cls);
  EXPECT_STREQ(cls, "SysTabControl32");
  EXPECT_EQ(::GetParent(tab->m_hWnd), sheet.m_hWnd);
  EXPECT_EQ(tabTexts(), (std::vector<std::string>{"First", "Security"}));
  EXPECT_EQ(tab->GetCurSel(), 0);

  // The page sits in the tab's display area.
  RECT display{}, page{};
  ::GetWindowRect(tab->m_hWnd, &display);
  tab->AdjustRect(FALSE, &display);
  ::GetWindowRect(first.m_hWnd, &page);
  EXPECT_EQ(page.left, display.left);
  EXPECT_EQ(page.top, display.top);
  EXPECT_LE(page.bottom, display.bottom);

  sheet.AddPage(&third);
  EXPECT_EQ(tabTexts(), (std::vector<std::string>{"First", "Security", "First"}));
  ASSERT_TRUE(sheet.SetActivePage(2));
  EXPECT_EQ(tab->GetCurSel(), 2);
  sheet.RemovePage(&second);
  EXPECT_EQ(tabTexts(), (std::vector<std::string>{"First", "First"}));
  EXPECT_EQ(tab->GetCurSel(), 1);
  sheet.RemovePage(1);  // the active page: the first one takes over
  EXPECT_EQ(tabTexts(), (std::vector<std::string>{"First"}));
  EXPECT_EQ(tab->GetCurSel(), 0);
  EXPECT_EQ(sheet.GetActivePage(), &first);

  sheet.DestroyWindow();
  EXPECT_EQ(tab->m_hWnd, nullptr);
}

TEST_F(PropertySheetTabsTest, ClickingATabSwitchesUnlessThePageRefuses) {
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  ASSERT_TRUE(sheet.Create());
  takeLog();

  first.allowKill = FALSE;
  clickTab(1);
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"kill first"}));
  EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 0);
  EXPECT_EQ(sheet.GetActivePage(), &first);
  EXPECT_TRUE(first.IsWindowVisible());

  first.allowKill = TRUE;
  clickTab(1);
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"kill first", "set second"}));
  EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 1);
  EXPECT_EQ(sheet.GetActivePage(), &second);
  EXPECT_TRUE(second.IsWindowVisible());
  EXPECT_FALSE(first.IsWindowVisible());
}

}  // namespace
