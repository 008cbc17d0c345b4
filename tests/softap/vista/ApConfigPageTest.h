// Fixture of the AP configuration page and security dialog tests: AP mode
// started on the simulated machine, the program's English texts beside the
// program, and a hidden sheet holding the page. A modal security dialog is
// never answered for the test (it lies off the screen): `whileModal` runs a
// script inside its loop.
#pragma once

#include <functional>
#include <memory>

#include "softap/AuthSecuDlg_AP.h"
#include "softap/ConfigPage_AP.h"
#include "tests/softap/ApWorkerTest.h"
#include "tests/support/EnglishTexts.h"

namespace softap::testing {

class ApConfigPageTest : public ApWorkerTest {
 protected:
  void SetUp() override {
    ApWorkerTest::SetUp();
    wavorel::testing::installEnglishTexts(programLinux());
  }
  void TearDown() override {
    closePage();
    ApWorkerTest::TearDown();
  }

  // AP mode with the base settings and `changes`, then the page in a hidden
  // sheet; the bridge posts and driver calls of the start are cleared first.
  void openPage(const Texts& changes = {}) {
    startWith(changes);
    received().clear();
    wavorel::sim::clearDriverCalls();
    sheet_ = std::make_unique<CPropertySheet>("AP");
    page_ = std::make_unique<CConfigPage_AP>();
    sheet_->AddPage(page_.get());
    ASSERT_TRUE(sheet_->Create(nullptr, WS_POPUP | WS_CAPTION));
    pump();
  }
  void closePage() {
    if (sheet_ && ::IsWindow(sheet_->GetSafeHwnd())) sheet_->DestroyWindow();
    sheet_.reset();
    page_.reset();
  }
  // The page closed and AP mode left, so the next openPage starts afresh.
  void restart() {
    closePage();
    DestroyHideDlgAP();
    pump();
    resetModule();
  }
  CConfigPage_AP& page() { return *page_; }
  CPropertySheet& sheet() { return *sheet_; }

  // The combo's items.
  std::vector<std::string> items(int id) {
    std::vector<std::string> out;
    CComboBox* combo = static_cast<CComboBox*>(page_->GetDlgItem(id));
    CString text;
    for (int i = 0; i < combo->GetCount(); ++i) {
      combo->GetLBText(i, text);
      out.emplace_back(static_cast<LPCSTR>(text));
    }
    return out;
  }
  std::string selected(int id) {
    CComboBox* combo = static_cast<CComboBox*>(page_->GetDlgItem(id));
    CString text;
    if (combo->GetCurSel() >= 0) combo->GetLBText(combo->GetCurSel(), text);
    return static_cast<LPCSTR>(text);
  }
  void choose(int id, const char* text) {
    CComboBox* combo = static_cast<CComboBox*>(page_->GetDlgItem(id));
    ASSERT_GE(combo->SelectString(-1, text), 0) << text;
    page_->SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo->GetSafeHwnd()));
  }
  void click(int id) {
    page_->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(page_->GetDlgItem(id)->GetSafeHwnd()));
  }

  // Presses "SECURITY..." and runs `script` on the dialog inside its modal
  // loop; the script ends the dialog (PressOK, or EndDialog(IDCANCEL) when
  // a check keeps it open). Returns the code 134 value the page posted.
  std::string runSecurityDialog(const std::function<void(CAuthSecuDlg_AP&)>& script) {
    script_ = [this, script] {
      CAuthSecuDlg_AP* dialog = page_->GetSecurityDialog();
      ASSERT_NE(dialog, nullptr);
      script(*dialog);
    };
    // The click is taken first and runs DoModal; the script's message is
    // taken inside the dialog's loop.
    page_->PostMessage(WM_COMMAND, MAKEWPARAM(IDC_AP_SECURITY, BN_CLICKED), 0);
    postScript(script_);
    pump();
    const std::vector<std::string> states = valuesOf(BRIDGE_UI_AP_CONFIG_STATE);
    return states.empty() ? std::string("<none>") : states.back();
  }

  // Runs `script` when the message loop takes the message posted now (so
  // inside a modal loop started by a message posted before).
  void postScript(std::function<void()> script) {
    scriptSlot() = std::move(script);
    ::PostMessage(scriptWindow(), WM_APP, 0, 0);
  }

 private:
  static std::function<void()>& scriptSlot() {
    static std::function<void()> slot;
    return slot;
  }
  static LRESULT CALLBACK scriptProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
      std::function<void()> run = std::move(scriptSlot());
      scriptSlot() = nullptr;
      if (run) run();
      return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
  }
  HWND scriptWindow() {
    if (!scriptHwnd_ || !::IsWindow(scriptHwnd_)) {
      WNDCLASS wc{};
      wc.lpfnWndProc = &ApConfigPageTest::scriptProc;
      wc.lpszClassName = "ApConfigPageScript";
      RegisterClass(&wc);
      scriptHwnd_ = CreateWindowEx(0, "ApConfigPageScript", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    }
    return scriptHwnd_;
  }
  std::function<void()> script_;
  HWND scriptHwnd_ = nullptr;
  std::unique_ptr<CPropertySheet> sheet_;
  std::unique_ptr<CConfigPage_AP> page_;
};

}  // namespace softap::testing
