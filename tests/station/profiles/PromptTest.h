// Fixture of the tests of the host's small dialogs and its single sign-on
// page: the editor fixture (profile store, driver key, a front end that keeps
// every bridge value and answers message boxes) with a plain pop-up as the
// dialogs' parent, as the host creates them. No worker and no host.
#pragma once

#include <memory>
#include <string>

#include "tests/station/profiles/EditorTest.h"
#include "worker/ActionQueue.h"

namespace station::testing {

class PromptTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    parent_ = CreateWindowEx(0, kWindowClass, "parent", WS_POPUP, 0, 0, 700, 400, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent_, nullptr);
  }
  void TearDown() override {
    FreeCurrentProfile();
    DestroyWindow(parent_);
    pump();
    EditorTest::TearDown();
  }

  // A dialog of type T created from `templateId` under the parent.
  template <typename T>
  std::unique_ptr<T> make(UINT templateId) {
    auto dialog = std::make_unique<T>(CWnd::FromHandle(parent_));
    EXPECT_TRUE(dialog->Create(templateId, CWnd::FromHandle(parent_)));
    pump();
    return dialog;
  }
  CWnd* parent() { return CWnd::FromHandle(parent_); }
  static void press(CWnd& dialog, int id) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
  // The worker's current-profile copy with these fields.
  static void useCurrentProfile(DWORD useBssid, DWORD authenProtocol) {
    _PROFILE_DATA record;
    record.UseBssid = useBssid;
    record.AuthenProtocol = authenProtocol;
    SetCurrentProfile(&record);
  }
  // A text value below HKEY_LOCAL_MACHINE (the key made when missing).
  static void setText(const CString& path, const char* name, const std::string& value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                  static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
  }

 private:
  HWND parent_ = nullptr;
};

}  // namespace station::testing
