// The window object of a header control: its items (title, width, format,
// data), their display order, and divider tracking with the mouse.
#pragma once

#include <string>
#include <vector>

#include "platform/win/commctrl/Header.h"
#include "platform/win/controls/Control.h"

namespace wavorel {

class HeaderControl : public Control {
 public:
  // Height of the header in a report list (HDM_LAYOUT).
  static constexpr int kHeight = 20;
  // A point this close to an item's right edge is on its divider.
  static constexpr int kDividerSlack = 3;

  explicit HeaderControl(HWND hwnd) : Control(hwnd) {}
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  UINT colorMessage() const override { return WM_NULL; }

 private:
  struct Item {
    std::string text;
    int width = 0;
    int format = HDF_LEFT | HDF_STRING;
    LPARAM lParam = 0;
    int image = 0;
    HBITMAP bitmap = nullptr;
  };

  int count() const { return static_cast<int>(items_.size()); }
  LRESULT insert(int index, const HDITEM* item);
  BOOL remove(int index);
  BOOL get(int index, HDITEM* item) const;
  BOOL set(int index, const HDITEM* item);
  void apply(Item& target, const HDITEM& item);
  BOOL itemRect(int index, RECT* rect) const;
  int hitTest(HDHITTESTINFO* info) const;
  BOOL layout(HDLAYOUT* layout) const;
  BOOL getOrder(int count, int* order) const;
  BOOL setOrder(int count, const int* order);
  LRESULT notifyItem(UINT code, int index, HDITEM* item, int button = 0);
  void onButtonDown(POINT pt, bool twice);
  void onMouseMove(POINT pt);
  void onButtonUp(POINT pt);
  void setWidth(int index, int width);

  std::vector<Item> items_;
  std::vector<int> order_;  // display position -> item index
  HIMAGELIST imageList_ = nullptr;
  int pressed_ = -1;   // item pressed with the left button
  int tracking_ = -1;  // item whose divider is dragged
  // The default look (HeaderPaint.cpp).
  void paintLook(HDC dc) const;
};

}  // namespace wavorel
