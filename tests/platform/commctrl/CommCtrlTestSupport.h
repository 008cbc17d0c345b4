// A visible parent window for common controls that records the WM_NOTIFY
// codes it gets and lets a test answer them.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/win/commctrl/CommonControls.h"
#include "tests/platform/user/UserTestSupport.h"

namespace wavorel::testing {

class CommCtrlTest : public UserTest {
 protected:
  using NotifyHandler = std::function<LRESULT(NMHDR*)>;

  void SetUp() override {
    UserTest::SetUp();
    parent_ = make("parent", WS_POPUP | WS_VISIBLE, nullptr, 0, {0, 0, 600, 400});
    on(WM_NOTIFY, [this](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
      auto* hdr = reinterpret_cast<NMHDR*>(lParam);
      codes_.push_back(hdr->code);
      auto it = answers_.find(hdr->code);
      return it == answers_.end() ? 0 : it->second(hdr);
    });
  }

  HWND control(const char* cls, DWORD style, RECT r, int id = 100, const char* text = "") {
    return CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                          r.bottom - r.top, parent_, reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr,
                          nullptr);
  }
  void answer(UINT code, NotifyHandler h) { answers_[code] = std::move(h); }
  // Width of a text in DEFAULT_GUI_FONT, the font of a control that was given none.
  static int guiTextWidth(const std::string& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{0, 0};
    GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    DeleteDC(dc);
    return size.cx;
  }
  std::vector<UINT> codes(UINT only) const {
    std::vector<UINT> out;
    for (UINT c : codes_)
      if (c == only) out.push_back(c);
    return out;
  }

  HWND parent_ = nullptr;
  std::vector<UINT> codes_;
  std::map<UINT, NotifyHandler> answers_;
};

}  // namespace wavorel::testing
