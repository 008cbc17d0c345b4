// Fixture of Wavorel's profile page and credential re-entry dialog: the XP
// worker's machine (supplicant layer, virtual clock, the adapter's driver key
// with an empty "\Profile\Station"), the worker's state with Zero
// Configuration not managing the adapter and the radio on, a front-end
// window that keeps every bridge value (and answers message boxes with
// IDOK), and the dialogs created on their templates under a plain parent.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "frontend/BridgeCodes.h"
#include "platform/win/kernel/Account.h"
#include "station/profiles/InvalidIDPW.h"
#include "station/profiles/PageProfileDlg.h"
#include "tests/support/FrontEndRecorder.h"
#include "tests/xp/worker/XpWorkerTest.h"
#include "worker/ActionQueue.h"
#include "worker/WorkerGlobals.h"
#include "xp/supplicant/AuthStatus.h"

namespace xpprofiles::testing {

using Values = std::vector<std::pair<std::string, std::string>>;

class ProfilePageXpTest : public xpworker::testing::XpWorkerTest, protected wavorel::testing::FrontEndRecorder {
 public:
  void SetUp() override {
    XpWorkerTest::SetUp();
    SHDeleteKey(HKEY_LOCAL_MACHINE, (std::string(supplicant::testing::kDriverKey) + "\\Profile").c_str());
    deleteDriverValue("CurProfile");
    ConfigToolMode = kConfigToolUtility;
    XpWorkerState().RadioValue = 1;
    g_bProfileApplied = 0;
    g_bConnectedByProfile = 0;
    g_strCurProfileName.Empty();
    openFrontEnd();
    parent_ = CreateWindowEx(0, kWindowClass, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 700, 420, nullptr, nullptr,
                             nullptr, nullptr);
  }
  void TearDown() override {
    // The checks after an authentication read the supplicant's profile,
    // which the worker's state reset frees.
    StopPostAssociationChecks();
    if (page_ && page_->GetSafeHwnd()) page_->DestroyWindow();
    page_.reset();
    if (dialog_ && dialog_->GetSafeHwnd()) dialog_->DestroyWindow();
    dialog_.reset();
    SetCurrentProfile(nullptr);
    closeFrontEnd();
    DestroyWindow(parent_);
    wavorel::pumpMessages();
    wavorel::setRunningAsAdministrator(true);
    g_bAdministrator = 1;
    XpWorkerTest::TearDown();
  }

  static std::string stationPath(const std::string& name = "") {
    return std::string(supplicant::testing::kDriverKey) + "\\Profile\\Station" + (name.empty() ? "" : "\\" + name);
  }
  // A profile key with REG_SZ values.
  static void storeProfile(const std::string& name, const Values& values) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, stationPath(name).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                             &key, nullptr),
              ERROR_SUCCESS);
    for (const auto& [value, data] : values)
      RegSetValueEx(key, value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                    static_cast<DWORD>(data.size() + 1));
    RegCloseKey(key);
  }
  static bool keyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
  static void deleteDriverValue(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, supplicant::testing::kDriverKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
      return;
    RegDeleteValue(key, name);
    RegCloseKey(key);
  }
  // Three profiles: an infrastructure WPA2-PSK one for "Home", an open ad hoc
  // one on channel 11 and a PEAP one.
  static void storeThreeProfiles() {
    storeProfile("Home", {{"SSID", "Home"}, {"NetworkType", "1"}, {"AuthenType", "7"}, {"Encryption", "6"},
                          {"WPAPSK", "correct horse"}, {"Channel", "1"}, {"PSMode", "0"}, {"TXPower", "0"},
                          {"RtsThresh", "2347"}, {"FragThresh", "2346"}});
    storeProfile("Party", {{"SSID", "Party"}, {"NetworkType", "0"}, {"AuthenType", "0"}, {"Encryption", "1"},
                           {"Channel", "11"}, {"PSMode", "2"}, {"TXPower", "3"}, {"RtsThresh", "500"},
                           {"FragThresh", "800"}});
    storeProfile("Work", {{"SSID", "Corp"}, {"NetworkType", "1"}, {"AuthenType", "6"}, {"Encryption", "6"},
                          {"Use8021X", "1"}, {"AuthenProtocol", "0"}, {"ID", "alice"}, {"Password", "secret"},
                          {"Channel", "212"}});
  }

  CPageProfileDlg& openPage() {
    page_ = std::make_unique<CPageProfileDlg>(CWnd::FromHandle(parent_));
    EXPECT_TRUE(page_->Create(IDD_PAGE_PROFILE, CWnd::FromHandle(parent_)));
    pump();
    return *page_;
  }
  CPageProfileDlg& page() { return *page_; }
  CInvalidIDPW& openDialog() {
    dialog_ = std::make_unique<CInvalidIDPW>(CWnd::FromHandle(parent_));
    EXPECT_TRUE(dialog_->Create(IDD_INVALID_ID_PW, CWnd::FromHandle(parent_)));
    pump();
    return *dialog_;
  }
  // Presses a page button as the worker does.
  void press(UINT id) {
    page_->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(page_->GetDlgItem(id)->m_hWnd));
    pump();
  }
  void fireTimer() {
    page_->SendMessage(WM_TIMER, kProfilePageTimer, 0);
    pump();
  }
  void pump() { wavorel::pumpMessages(); }
  // The plain window the dialogs are made under.
  CWnd* parentWnd() const { return CWnd::FromHandle(parent_); }

  static bool visible(CWnd& dialog, int id) { return (dialog.GetDlgItem(id)->GetStyle() & WS_VISIBLE) != 0; }
  static std::string itemText(CWnd& dialog, int id) {
    CString text;
    dialog.GetDlgItemText(id, text);
    return static_cast<LPCSTR>(text);
  }

 private:
  HWND parent_ = nullptr;
  std::unique_ptr<CPageProfileDlg> page_;
  std::unique_ptr<CInvalidIDPW> dialog_;
};

}  // namespace xpprofiles::testing
