// The window object of a tooltip: its tools and the show/hide state machine
// driven by relayed mouse messages and the control's timers.
#pragma once

#include <string>
#include <vector>

#include "platform/win/commctrl/ToolTip.h"
#include "platform/win/controls/Control.h"

namespace wavorel {

class ToolTipControl : public Control {
 public:
  static constexpr int kDefaultInitial = 500;
  // Room for a tip text asked for by TTN_GETDISPINFO or TTM_GETTEXT.
  static constexpr int kTextSize = 80;

  explicit ToolTipControl(HWND hwnd) : Control(hwnd) {}
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  UINT colorMessage() const override { return WM_NULL; }

 private:
  struct Tool {
    UINT flags = 0;
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    RECT rect{};
    HINSTANCE instance = nullptr;
    std::string text;
    bool callback = false;
    LPARAM lParam = 0;
  };
  enum class Phase { Idle, Waiting, Shown };
  enum Timer : UINT_PTR { kShowTimer = 1, kPopTimer = 2, kLeaveTimer = 3 };
  static constexpr UINT kLeaveCheckMs = 100;

  int find(const TOOLINFO* info) const;
  int toolAt(const MSG& msg) const;
  // Whether `tool` covers `client`, a point in `window`'s client area.
  static bool covers(const Tool& tool, HWND window, POINT client);
  bool cursorOnTool(const Tool& tool) const;
  void fill(const Tool& tool, TOOLINFO* info) const;
  void store(Tool& tool, const TOOLINFO& info);
  std::string textOf(int index);
  void relay(const MSG* msg);
  void wait(int tool, int delay);
  void show(int tool);
  void hide();
  int delay(int which) const;

  std::vector<Tool> tools_;
  bool active_ = true;
  Phase phase_ = Phase::Idle;
  int current_ = -1;     // the tool waited for or shown
  int suppressed_ = -1;  // clicked: no tip until the pointer leaves it
  POINT lastPoint_{0, 0};  // screen coordinates of the last relayed mouse message
  POINT trackPoint_{0, 0};
  int delays_[4] = {-1, -1, -1, -1};  // by TTDT_*: -1 = default
  int maxWidth_ = -1;
  // The default look (ToolTipPaint.cpp).
  void paintLook(HDC dc) const;
};

}  // namespace wavorel
