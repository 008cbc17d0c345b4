// The window object of an up-down control.
#pragma once

#include <vector>

#include "platform/win/commctrl/UpDown.h"
#include "platform/win/controls/Control.h"

namespace wavorel {

class UpDownControl : public Control {
 public:
  explicit UpDownControl(HWND hwnd) : Control(hwnd) {}
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  UINT colorMessage() const override { return WM_NULL; }

 private:
  // Moves to `pos` (kept inside the range); returns the previous position.
  int moveTo(int pos);
  // A click on an arrow: towards the upper end when `up`.
  void click(bool up);
  // The position read from the buddy's text (UDS_SETBUDDYINT); false when
  // the text is not a number inside the range.
  bool readBuddy();
  void writeBuddy() const;
  void report(WORD code) const;

  int lower_ = 100;
  int upper_ = 0;
  int pos_ = 0;
  HWND buddy_ = nullptr;
  std::vector<UDACCEL> accel_{{0, 1}};
};

}  // namespace wavorel
