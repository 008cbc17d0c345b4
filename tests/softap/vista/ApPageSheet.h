// A hidden sheet holding one AP page of the test's choice, opened after AP
// mode started on the simulated machine (the pages the worker's own sheet
// does not offer here, or pages a test wants alone).
#pragma once

#include <algorithm>
#include <memory>

#include "platform/present/Screenshot.h"
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
    received().clear();
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
  // The sheet shown on the screen, drawn, its picture written to `file`.
  wavorel::WindowImage picture(const char* file) {
    sheet_->SetWindowPos(nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    wavorel::runFor(0);
    wavorel::WindowImage image = wavorel::composeWindow(sheet_->GetSafeHwnd());
    EXPECT_FALSE(image.empty());
    EXPECT_TRUE(wavorel::present::writeImage(image, file));
    return image;
  }
  // Pixels of the picture inside `screen` (a screen rectangle) darker than
  // `limit` in each colour (grey text of a disabled control: about 170).
  int darkPixels(const wavorel::WindowImage& image, CRect screen, int limit = 100) {
    CRect sheetRect;
    sheet_->GetWindowRect(&sheetRect);
    screen.OffsetRect(-sheetRect.left, -sheetRect.top);
    int dark = 0;
    for (int y = std::max(0, static_cast<int>(screen.top)); y < std::min(static_cast<int>(screen.bottom), image.height); ++y)
      for (int x = std::max(0, static_cast<int>(screen.left)); x < std::min(static_cast<int>(screen.right), image.width);
           ++x) {
        const COLORREF c = image.colorAt(x, y);
        dark += GetRValue(c) < limit && GetGValue(c) < limit && GetBValue(c) < limit;
      }
    return dark;
  }
  void press(UINT id) { page_->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
  void setText(UINT id, const char* text) { page_->SetDlgItemText(static_cast<int>(id), text); }
  BOOL enabled(UINT id) { return page_->GetDlgItem(static_cast<int>(id))->IsWindowEnabled(); }

 private:
  std::unique_ptr<CPropertySheet> sheet_;
  std::unique_ptr<Page> page_;
};

}  // namespace softap::testing
