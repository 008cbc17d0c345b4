#include <string>
#include <vector>

#include "platform/mfc/PropertySheet.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/user/Dialog.h"
#include "platform/win/user/ModalLoop.h"
#include "tests/platform/dialogs/data/resource.h"

namespace wavorel {
namespace {

// A page that writes down what the sheet asks of it.
class CTracePage : public CPropertyPage {
 public:
  CTracePage(UINT nIDTemplate, UINT nIDCaption, const char* name, std::vector<std::string>& log)
      : CPropertyPage(nIDTemplate, nIDCaption), name_(name), log_(log) {}
  BOOL allowKill = TRUE;

  BOOL OnInitDialog() override {
    log_.push_back("init " + name_);
    return CPropertyPage::OnInitDialog();
  }
  BOOL OnSetActive() override {
    log_.push_back("set " + name_);
    return CPropertyPage::OnSetActive();
  }
  BOOL OnKillActive() override {
    log_.push_back("kill " + name_);
    return allowKill && CPropertyPage::OnKillActive();
  }
  BOOL OnApply() override {
    log_.push_back("apply " + name_);
    return CPropertyPage::OnApply();
  }
  void OnReset() override { log_.push_back("reset " + name_); }

 private:
  std::string name_;
  std::vector<std::string>& log_;
};

class PropertySheetTest : public testing::PlatformTest {
 protected:
  void TearDown() override {
    if (sheet.m_hWnd) sheet.DestroyWindow();
    PlatformTest::TearDown();
  }
  void addPages() {
    sheet.AddPage(&first);
    sheet.AddPage(&second);
  }
  std::vector<std::string> takeLog() {
    std::vector<std::string> out;
    out.swap(log);
    return out;
  }
  std::vector<std::string> log;
  CTracePage first{IDD_SHEET_PAGE1, 0, "first", log};
  CTracePage second{IDD_SHEET_PAGE2, IDS_PAGE2, "second", log};
  CPropertySheet sheet{"Sheet"};
};

TEST_F(PropertySheetTest, PagesGetTheirWindowsWhenFirstActivated) {
  addPages();
  ASSERT_TRUE(sheet.Create());
  EXPECT_NE(first.m_hWnd, nullptr);
  EXPECT_EQ(second.m_hWnd, nullptr);
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"init first", "set first"}));
  EXPECT_EQ(::GetParent(first.m_hWnd), sheet.m_hWnd);
  EXPECT_EQ(first.GetStyle() & (WS_CAPTION | WS_CHILD), static_cast<DWORD>(WS_CHILD));

  ASSERT_TRUE(sheet.SetActivePage(1));
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"kill first", "init second", "set second"}));
  EXPECT_TRUE(second.IsWindowVisible());
  EXPECT_FALSE(first.IsWindowVisible());
  EXPECT_EQ(sheet.GetActivePage(), &second);
  EXPECT_EQ(sheet.GetActiveIndex(), 1);

  ASSERT_TRUE(sheet.SetActivePage(&first));
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"kill second", "set first"}));

  first.allowKill = FALSE;  // a page that refuses to go keeps the sheet on it
  EXPECT_FALSE(sheet.SetActivePage(1));
  EXPECT_EQ(sheet.GetActiveIndex(), 0);
  EXPECT_FALSE(sheet.SetActivePage(5));

  EXPECT_EQ(first.GetCaption(), "First");
  EXPECT_EQ(second.GetCaption(), "Security");
}

TEST_F(PropertySheetTest, AddingAndRemovingPages) {
  sheet.AddPage(&first);
  EXPECT_TRUE(sheet.SetActivePage(0));  // no window yet: the start page
  ASSERT_TRUE(sheet.Create());
  sheet.AddPage(&second);
  EXPECT_EQ(sheet.GetPageCount(), 2);
  EXPECT_EQ(sheet.GetPageIndex(&second), 1);
  sheet.RemovePage(&first);  // the active page: the next one takes over
  EXPECT_EQ(first.m_hWnd, nullptr);
  EXPECT_EQ(sheet.GetPageCount(), 1);
  EXPECT_EQ(sheet.GetActivePage(), &second);
  EXPECT_EQ(sheet.GetActiveIndex(), 0);
  sheet.RemovePage(0);
  EXPECT_EQ(sheet.GetPageCount(), 0);
  EXPECT_EQ(sheet.GetActivePage(), nullptr);
  EXPECT_EQ(sheet.GetPage(0), nullptr);
}

TEST_F(PropertySheetTest, ApplyOkAndCancelReachTheCreatedPages) {
  addPages();
  ASSERT_TRUE(sheet.Create());
  HWND apply = ::GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW);
  ASSERT_NE(apply, nullptr);
  EXPECT_FALSE(::IsWindowEnabled(apply));
  first.SetModified();
  EXPECT_TRUE(::IsWindowEnabled(apply));
  takeLog();
  sheet.SendMessage(WM_COMMAND, MAKEWPARAM(ID_APPLY_NOW, BN_CLICKED), reinterpret_cast<LPARAM>(apply));
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"kill first", "apply first"}));  // the second has no window
  EXPECT_FALSE(::IsWindowEnabled(apply));
  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(sheet.m_hWnd, IDHELP)));

  sheet.SendMessage(WM_CLOSE);
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"reset first"}));
  EXPECT_EQ(sheet.m_hWnd, nullptr);  // a modeless sheet goes

  CPropertySheet plain("Plain");
  plain.m_psh.dwFlags |= PSH_NOAPPLYNOW;
  plain.AddPage(&second);
  ASSERT_TRUE(plain.Create());
  EXPECT_EQ(::GetDlgItem(plain.m_hWnd, ID_APPLY_NOW), nullptr);
  plain.DestroyWindow();
}

TEST_F(PropertySheetTest, DoModalAnsweredByTheResponder) {
  addPages();
  sheet.SetActivePage(1);
  setModalResponder([](const ModalWindow& w) {
    EXPECT_EQ(w.caption, "Sheet");
    return IDOK;
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(log, (std::vector<std::string>{"init second", "set second", "kill second", "apply second"}));
  EXPECT_EQ(sheet.m_hWnd, nullptr);
}

}  // namespace
}  // namespace wavorel
