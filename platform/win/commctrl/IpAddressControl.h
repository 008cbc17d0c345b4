// The window object of an IP address control.
#pragma once

#include <string>

#include "platform/win/commctrl/IpAddress.h"
#include "platform/win/controls/Control.h"

namespace wavorel {

class IpAddressControl : public Control {
 public:
  static constexpr int kFields = 4;

  explicit IpAddressControl(HWND hwnd) : Control(hwnd) {}
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  UINT colorMessage() const override { return WM_CTLCOLOREDIT; }

 private:
  struct Field {
    int value = -1;  // -1 = blank
    int low = 0;
    int high = 255;
  };

  void onChar(char c);
  // Ends typing in the current field: clamps, reports, and moves on when asked.
  void finish(bool advance);

  Field fields_[kFields];
  int current_ = 0;
  std::string typed_;  // digits typed into the current field
  // The default look (IpAddressPaint.cpp).
  void paintLook(HDC dc) const;
};

}  // namespace wavorel
