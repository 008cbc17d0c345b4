// A hidden sheet holding one AP page of the test's choice, opened after AP
// mode started on the simulated machine (the pages the worker's own sheet
// does not offer here, or pages a test wants alone).
#pragma once

#include <memory>

#include "tests/softap/vista/ApConfigPageTest.h"

namespace softap::testing {

template <class Page>
class ApPageSheetTest : public ApConfigPageTest {
 protected:
  void TearDown() override {
    closeSheet();
    ApConfigPageTest::TearDown();
  }
  // AP mode with the base settings and `changes`, then the page alone in a
  // hidden sheet; posts and driver calls of the start cleared.
  void openSheet(const Texts& changes = {}) {
    startWith(changes);
    posts().clear();
    wavorel::sim::clearDriverCalls();
    sheet_ = std::make_unique<CPropertySheet>("AP");
    page_ = std::make_unique<Page>();
    sheet_->AddPage(page_.get());
    ASSERT_TRUE(sheet_->Create(nullptr, WS_POPUP | WS_CAPTION));
    pump();
  }
  void closeSheet() {
    if (sheet_ && ::IsWindow(sheet_->GetSafeHwnd())) sheet_->DestroyWindow();
    sheet_.reset();
    page_.reset();
  }
  Page& page() { return *page_; }
  void press(UINT id) { page_->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
  void setText(UINT id, const char* text) { page_->SetDlgItemText(static_cast<int>(id), text); }
  BOOL enabled(UINT id) { return page_->GetDlgItem(static_cast<int>(id))->IsWindowEnabled(); }

 private:
  std::unique_ptr<CPropertySheet> sheet_;
  std::unique_ptr<Page> page_;
};

}  // namespace softap::testing
