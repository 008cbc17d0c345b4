// The "Static" class: text labels, icons and bitmaps, owner-drawn statics, and
// STN_CLICKED for labels with SS_NOTIFY.
#pragma once

#include "platform/win/controls/Control.h"

namespace wavorel {

class StaticControl : public Control {
 public:
  using Control::Control;
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  UINT colorMessage() const override { return WM_CTLCOLORSTATIC; }

 private:
  HANDLE* imageSlot(WPARAM type);
  LRESULT setImage(WPARAM type, HANDLE image);
  // Everything but owner-drawn statics (StaticPaint.cpp).
  void paintLook(HDC dc) const;

  HANDLE bitmap_ = nullptr;
  HANDLE icon_ = nullptr;
};

}  // namespace wavorel
