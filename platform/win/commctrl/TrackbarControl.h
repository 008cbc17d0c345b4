// The window object of a trackbar.
#pragma once

#include "platform/win/commctrl/Trackbar.h"
#include "platform/win/controls/Control.h"

namespace wavorel {

class TrackbarControl : public Control {
 public:
  static constexpr int kChannelInset = 8;
  static constexpr int kThumbLength = 10;

  explicit TrackbarControl(HWND hwnd) : Control(hwnd) {}
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  UINT colorMessage() const override { return WM_CTLCOLORSTATIC; }

 private:
  bool vertical() const { return (style() & TBS_VERT) != 0; }
  int pageSize() const { return page_ >= 0 ? page_ : (max_ - min_) / 5; }
  RECT channel() const;
  RECT thumb() const;
  int along(POINT pt) const { return vertical() ? pt.y : pt.x; }
  int positionAt(int coordinate) const;
  void setPos(int pos);
  // Moves by a user action and tells the parent.
  void act(UINT code, int pos);
  void report(UINT code);
  void onButtonDown(POINT pt);
  void onMouseMove(POINT pt);
  void onButtonUp();
  void onKey(UINT vk, bool down);

  int min_ = 0;
  int max_ = 100;
  int pos_ = 0;
  int line_ = 1;
  int page_ = -1;  // one fifth of the range until set
  int ticFrequency_ = 1;
  bool dragging_ = false;
  bool paging_ = false;
  // The default look (TrackbarPaint.cpp).
  void paintLook(HDC dc) const;
};

}  // namespace wavorel
