// Test windows for the window-system tests: a class whose procedure records
// every message and lets a test take over single messages.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"

namespace wavorel::testing {

struct Seen {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

class UserTest : public PlatformTest {
 protected:
  using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;
  static constexpr const char* kClass = "TestWnd";

  void SetUp() override {
    PlatformTest::SetUp();
    current_ = this;
    WNDCLASS wc{};
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = 16;
    wc.lpszClassName = kClass;
    ASSERT_NE(RegisterClass(&wc), 0);
  }
  void TearDown() override {
    PlatformTest::TearDown();
    current_ = nullptr;
  }

  HWND make(const char* title = "w", DWORD style = WS_POPUP, HWND parent = nullptr, int id = 0,
            RECT r = {10, 20, 110, 70}) {
    return CreateWindowEx(0, kClass, title, style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                          reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
  }
  // Takes over `msg` for every window (hwnd NULL) or one window.
  void on(UINT msg, Handler h, HWND hwnd = nullptr) { handlers_[{hwnd, msg}] = std::move(h); }
  // The recorded messages of one kind, in order.
  std::vector<Seen> seen(UINT msg) const {
    std::vector<Seen> out;
    for (const auto& s : log_)
      if (s.msg == msg) out.push_back(s);
    return out;
  }
  std::vector<HWND> windowsThatSaw(UINT msg) const {
    std::vector<HWND> out;
    for (const auto& s : log_)
      if (s.msg == msg) out.push_back(s.hwnd);
    return out;
  }
  void clearLog() { log_.clear(); }

 private:
  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    UserTest* self = current_;
    self->log_.push_back({hwnd, msg, wParam, lParam});
    for (HWND key : {hwnd, static_cast<HWND>(nullptr)}) {
      auto it = self->handlers_.find({key, msg});
      if (it != self->handlers_.end()) {
        auto handler = it->second;  // a handler may replace itself
        if (auto r = handler(hwnd, msg, wParam, lParam)) return *r;
        break;
      }
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }

  static inline UserTest* current_ = nullptr;
  std::vector<Seen> log_;
  std::map<std::pair<HWND, UINT>, Handler> handlers_;
};

}  // namespace wavorel::testing
