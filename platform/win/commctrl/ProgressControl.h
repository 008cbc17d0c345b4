// The window object of a progress bar.
#pragma once

#include "platform/win/commctrl/Progress.h"
#include "platform/win/controls/Control.h"

namespace wavorel {

class ProgressControl : public Control {
 public:
  explicit ProgressControl(HWND hwnd) : Control(hwnd) {}
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  UINT colorMessage() const override { return WM_NULL; }

 private:
  LRESULT setRange(int low, int high);
  // Moves to `pos` (clamped); returns the previous position.
  int moveTo(int pos);

  int low_ = 0;
  int high_ = 100;
  int pos_ = 0;
  int step_ = 10;
  COLORREF barColor_ = CLR_DEFAULT;
  COLORREF backColor_ = CLR_DEFAULT;
  // The default look (ProgressPaint.cpp).
  void paintLook(HDC dc) const;
};

}  // namespace wavorel
