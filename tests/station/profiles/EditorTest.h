// Fixture of the profile editor tests: the profile store of the default
// adapter in "C:\Data\", a front-end window that keeps every bridge value it
// gets (and answers a message box with IDOK), and the profile editor with its
// two pages created hidden under a plain parent window, as the host creates
// it. No worker and no host: the steps on the profile page find none.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/testing/Drivers.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "tests/support/FrontEndRecorder.h"
#include "tests/worker/vista/ProfileStoreTest.h"

namespace station::testing {

class EditorTest : public worker::testing::ProfileStoreTest, protected wavorel::testing::FrontEndRecorder {
 protected:
  void SetUp() override {
    ProfileStoreTest::SetUp();
    if (const std::string world = worldText(); !world.empty()) {
      useWorld(world);
      useStoreFolders();
    }
    g_strAdapterGuid = guid().c_str();
    openFrontEnd();
    host_ = CreateWindowEx(0, kWindowClass, "host", WS_POPUP, 0, 0, 700, 400, nullptr, nullptr, nullptr, nullptr);
    editor_ = std::make_unique<CProfileEditorDlg>(CWnd::FromHandle(host_));
    ASSERT_TRUE(editor_->Create(IDD_PROFILE_EDITOR, CWnd::FromHandle(host_)));
    pump();
    received().clear();
  }
  void TearDown() override {
    if (editor_ && editor_->GetSafeHwnd()) editor_->DestroyWindow();
    editor_.reset();
    closeFrontEnd();
    DestroyWindow(host_);
    pump();
    ProfileStoreTest::TearDown();
  }

  // A world of the test's own, loaded before the editor is made; "" keeps
  // the default world.
  virtual std::string worldText() const { return ""; }

  static void pump() { wavorel::pumpMessages(); }
  CProfileEditorDlg& editor() { return *editor_; }
  CPageSystemConfigDlg& system() { return *editor_->GetSystemConfigPage(); }
  CPageAuthEncryDlg& security() { return *editor_->GetAuthEncryPage(); }
  // A new profile "P" on pages with 802.1X support, as Add leaves them, and
  // nothing received yet.
  void startNewProfile() {
    g_b8021xSupport = 1;
    system().LoadDefaults("P");
    security().SetDefaults();
    pump();
    received().clear();
  }

  // Both pages as the profile page's Add leaves them.
  void newProfile(const char* name, const char* ssid) {
    system().LoadDefaults(name);
    security().SetDefaults();
    editor().ShowWindow(SW_SHOW);
    editor().RunBridgeCommand(BRIDGE_CMD_EDITOR_SSID, ssid);
    pump();
  }
  // The pages filled from a stored profile, as the profile page's Edit does.
  void editProfile(const char* name) {
    system().m_strProfileName = name;
    system().UpdateData(FALSE);
    editor().LoadProfile();
    system().LoadFromProfile();
    security().LoadFromProfile();
    pump();
  }
  void command(UINT code, const char* value) {
    editor().RunBridgeCommand(code, value);
    pump();
  }
  void pressOk() {
    command(BRIDGE_CMD_EDITOR_OK, "1");
  }

  static std::string windowText(CWnd& window) {
    CString text;
    window.GetWindowText(text);
    return static_cast<LPCSTR>(text);
  }
  static std::string itemText(CWnd& dialog, int id) {
    CString text;
    dialog.GetDlgItemText(id, text);
    return static_cast<LPCSTR>(text);
  }
  static bool enabled(CWnd& dialog, int id) { return dialog.GetDlgItem(id)->IsWindowEnabled(); }
  static bool visible(CWnd& dialog, int id) { return (dialog.GetDlgItem(id)->GetStyle() & WS_VISIBLE) != 0; }
  // Types `text` into an edit of a page as a person would leave it.
  static void setItemText(CWnd& dialog, int id, const char* text) { dialog.SetDlgItemText(id, text); }
  static std::vector<std::string> comboItems(CComboBox& combo) {
    std::vector<std::string> items;
    for (int i = 0; i < combo.GetCount(); ++i) {
      CString text;
      combo.GetLBText(i, text);
      items.push_back(static_cast<LPCSTR>(text));
    }
    return items;
  }

 private:
  HWND host_ = nullptr;
  std::unique_ptr<CProfileEditorDlg> editor_;
};

}  // namespace station::testing
