// A parent window for control tests: the recording test window of the window
// system tests, plus helpers to make controls on it and read the
// notifications it got.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tests/platform/user/UserTestSupport.h"

namespace wavorel::testing {

class ControlTest : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    parent_ = make("parent", WS_POPUP | WS_VISIBLE, nullptr, 0, {0, 0, 400, 300});
    ASSERT_NE(parent_, nullptr);
  }

  HWND control(LPCSTR cls, DWORD style, int id = 100, LPCSTR text = "", RECT r = {10, 10, 110, 40}) {
    return CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                          r.bottom - r.top, parent_, reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr,
                          nullptr);
  }
  // The WM_COMMAND notifications the parent got, as {control id, code}.
  std::vector<std::pair<int, int>> commands() const {
    std::vector<std::pair<int, int>> out;
    for (const auto& s : seen(WM_COMMAND))
      if (s.hwnd == parent_) out.push_back({LOWORD(s.wParam), static_cast<short>(HIWORD(s.wParam))});
    return out;
  }
  static std::string text(HWND hwnd) {
    char buf[256] = "";
    GetWindowText(hwnd, buf, sizeof buf);
    return buf;
  }
  static LRESULT send(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessage(hwnd, msg, wParam, lParam);
  }
  static LPARAM str(const char* s) { return reinterpret_cast<LPARAM>(s); }

  HWND parent_ = nullptr;
};

}  // namespace wavorel::testing
